// The status overview windows. The counts are kept per window and rebuilt
// whole on every data broadcast: a count by hand of a large school is one
// plain pass over the buckets, cheaper than keeping incremental counts right
// through every import, delete and undo.

#include "STATUS.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ARRANGER.h"
#include "DATO.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "OBJVINDUE.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STATUSBAR.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TASTINFO.h"
#include "VINDUER.h"
#include "tavo/assert.h"

const StatusKode StatusKodeTabS[] = {
    {1, " Central begivenhed "},
    {2, " Lokal begivenhed "},
    {3, " Sendt begivenhed "},
    {4, " Fejl ( <ctrl>+F10 ) "},
    {80, " Fremmed begivenhed "},
    {90, " Slettet begivenhed "},
    {91, " Slettet sendt begivenhed "},
    {0, nullptr},
};

namespace {

constexpr const char *kModul = "STATUS";
constexpr const char *kKlasse = "StatusWndClass";
constexpr const char *kSoegStatus = "Søg status";
constexpr int kMaerkeBredde = 16;
constexpr int kToolbarHoejde = 22;
constexpr uint8_t kMaerkeFarve = 14;

TastInfo Tast(int32_t shift, int32_t ctrl, uint32_t tast) { return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}; }
const ShortCutPost kGenvejPoster[] = {
    {Tast(0, 1, 'H'), "<Ctrl>  + <h>", "Fastfrys vindue / lås."},
    {Tast(0, 0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {Tast(0, 1, VK_F4), "<Ctrl>  + <F4>", "Luk fokus vindue."},
    {Tast(0, 0, VK_RETURN), "<ENTER>", "Find begivenheder med 'kode'."},
    {Tast(0, 0, VK_INSERT), "<Insert>", "Aktiver 'Kun' visning af begivenheder med 'kode'."},
    {Tast(0, 0, VK_DELETE), "<Delete>", "Deaktiver 'Kun' visning af begivenheder med 'kode'."},
    {Tast(0, 0, VK_ESCAPE), "<ESCAPE>", "Deaktiver 'Kun' visning af begivenheder med 'kode'."},
    {Tast(1, 1, 'D'), "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

STATUSWS *Ws(HWND h) { return reinterpret_cast<STATUSWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

bool ErPosteringer(const STATUSWS *ws) { return ws->Art == 'B'; }

const char *Titel(char art) {
  switch (art) {
    case 'S': return " Statusoversigt begivenheder";
    case 'F': return " Fejloversigt skemabegivenheder";
    default: return " Statusoversigt posteringer";
  }
}

// Text measures in the status font; a memory DC so that the sizes can be
// asked for before any window exists.
struct Maal {
  HDC dc = CreateCompatibleDC(0);
  HGDIOBJ gammel = 0;
  explicit Maal(HFONT f) {
    if (dc && f) gammel = SelectObject(dc, f);
  }
  ~Maal() {
    if (dc && gammel) SelectObject(dc, gammel);
    if (dc) DeleteDC(dc);
  }
  int Bredde(const char *t) const {
    SIZE s{0, 0};
    if (dc) GetTextExtentPoint32A(dc, t, static_cast<int>(std::strlen(t)), &s);
    return s.cx;
  }
  int Hoejde() const {
    TEXTMETRICA tm{};
    if (dc && GetTextMetricsA(dc, &tm) && tm.tmHeight > 0) return tm.tmHeight;
    return 11;
  }
};

void GruppeEtiket(const StatusKode &g, char *t, size_t n) {
  if (g.Kode == kStatusFejlGruppe)
    std::snprintf(t, n, "   %s", g.Tekst);
  else
    std::snprintf(t, n, " %02u%s", static_cast<unsigned>(g.Kode), g.Tekst);
}

uint32_t AntalKolonner(char art) { return art == 'B' ? SkemaPeriode.AntalMaaneder : SkemaPeriode.AntalUger; }

// The column captions' width: the chosen layout of window kind 45 when the
// layouts hold one, else room for the widest count.
uint32_t KolonneBredde(char art) {
  const uint32_t b = ObjSwitchBredde('-', static_cast<uint8_t>(art), ObjSwitchValgt('-', static_cast<uint8_t>(art)));
  if (b) return b;
  Maal m(TxtFont);
  return static_cast<uint32_t>(m.Bredde(art == 'B' ? "999999999" : "999999") + 4);
}

uint32_t TekstHoejde() {
  Maal m(TxtFont);
  return static_cast<uint32_t>(m.Hoejde());
}

int HovedHoejde(char art) { return art == 'B' ? 52 : 41; }
int KolHovedHoejde(char art) { return art == 'B' ? 24 : 13; }

uint32_t GruppeKode(const STATUSWS *ws, uint32_t raekke) {
  return raekke >= 1 && raekke <= ws->AntalGrupper ? ws->Grupper[raekke - 1].Kode : 0;
}

// The common codes are counted in locals, so that a long run of rows of one
// code does not wait on the memory of a single counter row after row.
struct Optaelling {
  uint32_t central = 0, lokal = 0, sendt = 0, fremmed = 0, slettet = 0, slettetSendt = 0;
  template <class R>
  void Raekke(uint32_t *kolonne, const R &r, bool begivenhed, uint8_t insnr, bool superTavo) {
    const uint32_t status = r.Status;
    if (r.Ejer != insnr || superTavo) {
      ++fremmed;
    } else if (status & SKE_SLETTET) {
      if (status & SKE_UROERT) ++slettetSendt;
      else ++slettet;
    } else if (r.Fejl) {
      if (begivenhed) ++kolonne[kStatusFejlGruppe];
      if (r.Fejl < kStatusKoder) ++kolonne[r.Fejl];
    } else if (status & SKE_KENDT) {
      ++central;
    } else if (status & SKE_UROERT) {
      ++sendt;
    } else {
      ++lokal;
    }
  }
  void Til(uint32_t *kolonne) const {
    kolonne[1] += central;
    kolonne[2] += lokal;
    kolonne[3] += sendt;
    kolonne[80] += fremmed;
    kolonne[90] += slettet;
    kolonne[91] += slettetSendt;
  }
};

}  // namespace

// ==================================================================== model

const StatusKode *StatusGrupper(char art, uint32_t *antal) {
  const StatusKode *t = art == 'S' ? StatusKodeTabS : art == 'F' ? StatusKodeTabF : art == 'B' ? StatusKodeTabB : nullptr;
  uint32_t n = 0;
  while (t && t[n].Kode) ++n;
  if (antal) *antal = n;
  return t;
}

uint32_t StatusTal(const STATUSWS *ws, uint32_t kolonne, uint32_t kode) {
  if (!ws->Tal || kolonne > ws->AntalKolonner || kode >= kStatusKoder) return 0;
  return ws->Tal[kolonne * kStatusKoder + kode];
}

void ByggStatusKolonner(STATUSWS *ws) {
  Ens &e = ws->Hoved;
  std::free(e.UgeTab);
  const uint32_t n = AntalKolonner(ws->Art);
  e.UgeTab = static_cast<uint32_t *>(std::calloc(size_t{n} + 1, sizeof(uint32_t)));
  if (!e.UgeTab) tavo::AssertFailed("STA->Ens.UgeTab != NULL", kModul, __LINE__);
  for (uint32_t i = 1; i <= n; ++i) e.UgeTab[i] = ErPosteringer(ws) ? IndeksTilMaaned(i) : IndeksTilUge(i);
  ws->AntalKolonner = n;
  ws->PosX.Antal = n;
  if (ws->PosX.Aktuel > n) ws->PosX.Aktuel = n;
}

void TaelStatus(STATUSWS *ws) {
  std::free(ws->Tal);
  const uint32_t n = ws->AntalKolonner;
  ws->Tal = static_cast<uint32_t *>(std::calloc((size_t{n} + 1) * kStatusKoder, sizeof(uint32_t)));
  if (!ws->Tal) tavo::AssertFailed("STA->Tal != NULL", kModul, __LINE__);
  uint32_t *tal = ws->Tal;
  const uint8_t insnr = GlobalIndstillinger.insnr;
  const bool superTavo = GlobalIndstillinger.supertavo != 0;
  for (uint32_t k = 1; k <= n; ++k) {
    const uint32_t v = ws->Hoved.UgeTab ? ws->Hoved.UgeTab[k] : 0;
    uint32_t *kolonne = tal + size_t{k} * kStatusKoder;
    Optaelling o;
    if (ErPosteringer(ws)) {
      const TabVar *b = TimoakBucket(v);
      if (!b || !b->pbTab) continue;
      const auto *r = reinterpret_cast<const TimoakRaekke *>(b->pbTab);
      const uint32_t n = std::min(b->wRecCnt, b->AllocAntal);
      for (uint32_t i = 1; i < n; ++i)
        if (r[i].Status) o.Raekke(kolonne, r[i], false, insnr, superTavo);
    } else {
      const TabVar *b = SkemabegBucket(v);
      if (!b || !b->pbTab) continue;
      const auto *r = reinterpret_cast<const SkeRec *>(b->pbTab);
      const uint32_t n = std::min(b->wRecCnt, b->AllocAntal);
      for (uint32_t i = 1; i < n; ++i)
        if (r[i].Status && r[i].Forste == i) o.Raekke(kolonne, r[i], true, insnr, superTavo);
    }
    o.Til(kolonne);
  }
  for (uint32_t kode = 0; kode < kStatusKoder; ++kode) {
    uint32_t sum = 0, foerste = 0, sidste = 0;
    for (uint32_t k = 1; k <= n; ++k) {
      const uint32_t t = tal[k * kStatusKoder + kode];
      if (!t) continue;
      sum += t;
      if (!foerste) foerste = k;
      sidste = k;
    }
    tal[kode] = sum;
    ws->Foerste[kode] = foerste;
    ws->Sidste[kode] = sidste;
  }
}

uint32_t FindStatusKolonne(const STATUSWS *ws, uint32_t uge) {
  for (uint32_t k = ws->AntalKolonner; ws->Hoved.UgeTab && k >= 1; --k)
    if (ws->Hoved.UgeTab[k] == uge) return k;
  return 1;
}

namespace {

bool HarAkti(uint32_t a) { return a && a < tvakti.wRecCnt && !IsStjerneAkti(a); }
bool HarAnfo(uint32_t a) { return a && a < tvanfo.wRecCnt && !IsStjerneMeda(a); }
bool HarLoka(uint32_t l) { return l && l < tvloka.wRecCnt && !IsStjerneLoka(l); }

}  // namespace

uint32_t FindFoersteIStatusGruppe(const STATUSWS *ws) {
  const uint32_t kode = GruppeKode(ws, ws->PosY.Aktuel);
  const TabVar *b = SkemabegBucket(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks));
  if (!kode || !b || !b->pbTab) return 0;
  const auto *r = reinterpret_cast<const SkeRec *>(b->pbTab);
  for (uint32_t i = 1; i < b->wRecCnt && i < b->AllocAntal; ++i) {
    const SkeRec &s = r[i];
    if (!s.Status || s.Forste != i || (s.Status & (SKE_SLETTET | SKE_UROERT))) continue;
    if (PostStatusKode(s.Status, s.Ejer, s.Fejl) != kode) continue;
    if (kode >= 10 && kode <= 17 && HarAkti(s.akti_id)) return 1;
    if (kode >= 20 && kode <= 29 && kode != 26 && HarAnfo(s.anfo_id)) return 2;
    if (((kode >= 30 && kode <= 35) || kode == 39) && HarLoka(s.loka_id)) return 3;
    if (HarAkti(s.akti_id)) return 1;
    if (HarAnfo(s.anfo_id)) return 2;
    if (HarLoka(s.loka_id)) return 3;
    return 0;
  }
  return 0;
}

// ==================================================================== keys

namespace {

void SkrivHovedTitel(const char *t) {
  if (hwndHoved && IsWindow(hwndHoved)) SetWindowTextA(hwndHoved, t);
}

void Fortael(const STATUSWS *ws) {
  if (ws->Hoved.Aktiv && !ws->Frossen) SendTilAlleVinduer(STATUS_DATA_AENDRET, 0, 0, 0);
}

void Afvis(const STATUSWS *ws, const char *tekst) {
  MessageBoxA(ws->hwnd, tekst, kSoegStatus, MB_OK | MB_ICONEXCLAMATION);
}

bool TaendGruppe(STATUSWS *ws) {
  const uint32_t r = ws->PosY.Aktuel;
  const uint32_t kode = GruppeKode(ws, r);
  if (!kode) return false;
  if (!StatusTal(ws, 0, kode)) {
    Afvis(ws, "Denne statusgruppe er tom, og kan derfor ikke tændes");
    return false;
  }
  if (kode == kStatusFejlGruppe && ws->Art == 'S') {
    Afvis(ws, "Denne statusgruppe kan kun tændes i <ctrl> + F10");
    return false;
  }
  if (kode == 90 || kode == 91) {
    Afvis(ws, "Denne statusgruppe kan der ikke søges efter");
    return false;
  }
  BegivenhedsFilter = {};
  PosteringsFilter = {};
  StatusFilter &f = *ws->Filter;
  if (kode <= 3)
    f.Tilstand = static_cast<uint8_t>(kode);
  else if (kode == 80)
    f.Fremmed = 'd';
  else
    f.FejlKode = kode;
  f.Raekke = r;
  f.RaekkeArt = ws->Art;
  const std::string titel = std::string("TAVO-skema - [ Viser kun '") + ws->Grupper[r - 1].Tekst +
                            (ErPosteringer(ws) ? "' i postering ]" : "' i skema+gantkort ]");
  SkrivHovedTitel(titel.c_str());
  Fortael(ws);
  return true;
}

void SlukGruppe(STATUSWS *ws) {
  *ws->Filter = {};
  SkrivHovedTitel("TAVO-skema");
  Fortael(ws);
}

bool ErTaendt(const STATUSWS *ws, uint32_t r) {
  return r && ws->Filter && ws->Filter->Raekke == r && ws->Filter->RaekkeArt == ws->Art;
}

}  // namespace

void StatusGruppeTast(STATUSWS *ws, UINT tast, uint32_t *tegn) {
  const HWND h = ws->hwnd;
  switch (tast) {
    case VK_RETURN:
    case VK_INSERT: {
      if (!TaendGruppe(ws)) return;
      *tegn |= kStatusTegnAlt;
      if (tast == VK_INSERT || !hwndHoved) return;
      if (ErPosteringer(ws)) {
        SendTast(hwndHoved, VK_F12, false, false, false);
        return;
      }
      static const UINT kTaster[4] = {0, VK_F5, VK_F6, VK_F7};
      const uint32_t hvad = FindFoersteIStatusGruppe(ws);
      if (hvad >= 1 && hvad <= 3) SendTast(hwndHoved, kTaster[hvad], false, true, false);
      (void)h;
      return;
    }
    case VK_DELETE:
      if (!ErTaendt(ws, ws->PosY.Aktuel)) return;
      [[fallthrough]];
    case VK_ESCAPE:
      SlukGruppe(ws);
      *tegn |= kStatusTegnAlt;
      return;
    case VK_LEFT:
    case VK_RIGHT:
      *tegn |= kStatusTegnKolonne;
      return;
    case VK_UP:
    case VK_DOWN:
      *tegn |= kStatusTegnRaekke;
      return;
  }
}

int StatusFunktionsTast(STATUSWS *ws, UINT tast, LPARAM, int ctrl, int, int alt, int mode) {
  const HWND h = ws->hwnd;
  Ens &e = ws->Hoved;
  switch (tast) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      const bool kolonne = tast == VK_LEFT || tast == VK_RIGHT;
      GridTastFlytTrin(kolonne ? &ws->PosX : &ws->PosY, tast, ctrl ? -1 : 0, alt ? -1 : 0, false, 0);
      return 1;  // the group routine asks for the redraw
    }
    case VK_SPACE:
      if (e.Tilstand != 2) return 1;
      EnsMinimize(h, &e);
      return 0;
    case VK_F4:
      KmdLukVindue(h, 0, 0, ctrl != 0, KMD_UDFOER);
      return 0;
    case 'H':
    case 'h':
      if (mode != 2 || !ctrl) return 1;
      if (e.hwndToolbar)
        SendMessageA(e.hwndToolbar, STATUS_TOOLBAR, tast, 0);
      else
        SendMessageA(h, STATUS_TOOLBAR, 0, 0);
      return 0;
    case VK_APPS:
      if (mode != 2) return 1;
      SendMessageA(h, WM_RBUTTONDOWN, 0, 0);
      return 0;
  }
  return 1;
}

// ==================================================================== sizes

uint32_t StatusGruppeTekstBredde(char art) {
  uint32_t antal = 0;
  const StatusKode *g = StatusGrupper(art, &antal);
  Maal m(TxtFont);
  int b = 0;
  char t[128];
  for (uint32_t i = 0; i < antal; ++i) {
    GruppeEtiket(g[i], t, sizeof t);
    b = std::max(b, m.Bredde(t));
  }
  return static_cast<uint32_t>(b + 3);
}

namespace {

int64_t OensketBredde(char art) {
  const int knapper = 3 * GetSystemMetrics(SM_CXSIZE) + 2 * GetSystemMetrics(SM_CXFRAME);
  return int64_t{StatusGruppeTekstBredde(art)} + knapper + 92 +
         (int64_t{KolonneBredde(art)} + 1) * AntalKolonner(art);
}

int64_t OensketHoejde(char art) {
  uint32_t antal = 0;
  StatusGrupper(art, &antal);
  const int ramme = 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  return int64_t{HovedHoejde(art)} + ramme + (int64_t{TekstHoejde()} + 2) * antal - 1;
}

int Klem(int64_t v, int tilraadighed, uint32_t mindst) {
  v = std::min<int64_t>(v, tilraadighed);
  return static_cast<int>(std::max<int64_t>(v, mindst));
}

}  // namespace

int StatusVinduesBredde(char art, int tilraadighed) {
  return Klem(OensketBredde(art), tilraadighed, kStatusMindsteBredde);
}

int StatusVinduesHoejde(char art, int tilraadighed) {
  return Klem(OensketHoejde(art), tilraadighed, kStatusMindsteHoejde);
}

// ==================================================================== following the week

void StatusFoelgUge(STATUSWS *ws) {
  if (!ws->Hoved.Aktiv || ws->Frossen || !ws->Hoved.UgeTab) return;
  const uint32_t k = ws->PosX.Aktuel;
  if (k < 1 || k > ws->AntalKolonner) return;
  SkemaPeriodeData &p = SkemaPeriode;
  Dato d = 0;
  if (ErPosteringer(ws)) {
    const Maaned m = ws->Hoved.UgeTab[k];
    // The day of opening may not exist in a shorter month.
    const uint32_t dag = std::clamp<uint32_t>(ws->Maaneddag, 1, std::max<uint32_t>(DageIMaaned(m), 1));
    d = std::clamp<Dato>(m * 100 + dag, p.FraDato, p.TilDato);
    if (d == p.AktuelDato) return;
  } else {
    const Uge uge = ws->Hoved.UgeTab[k];
    if (UgeTilIndeks(uge) == p.AktuelUgeIndeks) return;
    const uint8_t wd = VisningsTilstand[VISNING_LEKTION].Ugedag;
    d = UgeDagTilDato(uge, wd >= 1 && wd <= 7 ? wd : 1);
  }
  SaetAktuelDato(d);
  const HWND self = ws->hwnd;
  SendTilAlleVinduer(STATUS_DATO_AENDRET, 0, 0, 0);
  if (!IsWindow(self) || Ws(self) != ws) return;
  if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
    SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(p.AktuelDato));
}

// ==================================================================== painting

// The arrow of the picture font for counts beyond the visible columns.
const char *StatusPil(const STATUSWS *ws, uint32_t kode) {
  const uint32_t fra = ws->PosX.Foerste ? ws->PosX.Foerste : 1;
  const uint32_t til = fra + (ws->PosX.Synlige ? ws->PosX.Synlige : 1) - 1;
  const bool foer = ws->Foerste[kode] && ws->Foerste[kode] < fra;
  const bool efter = ws->Sidste[kode] > til;
  return foer && efter ? "=" : efter ? ":" : foer ? ";" : " ";
}


namespace {

HBRUSH Brush(uint8_t slot) { return FarveBrush[slot] ? FarveBrush[slot] : GetSysColorBrush(COLOR_BTNFACE); }
uint8_t Markoer(const STATUSWS *ws) { return ws->Hoved.Aktiv ? 1 : 2; }
int KolX(const STATUSWS *ws, uint32_t c) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseX, c)) - static_cast<int>(ws->Hoved.ScrollX);
}
int RaekkeY(const STATUSWS *ws, uint32_t r) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseY, r)) - static_cast<int>(ws->Hoved.ScrollY);
}

void Tekst(HDC dc, int x, int y, const char *t, uint8_t bk) {
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, FarveTab[bk]);
  SetTextColor(dc, FarveTab[bk == 1 ? 17 : 16]);
  TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t)));
}

void KolonneTekst(const STATUSWS *ws, uint32_t k, char *t1, char *t2, size_t n) {
  const uint32_t v = ws->Hoved.UgeTab && k >= 1 && k <= ws->AntalKolonner ? ws->Hoved.UgeTab[k] : 0;
  static const char *const kMaaneder[12] = {"Jan", "Feb", "Mar", "Apr", "Maj", "Jun",
                                            "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};
  if (ErPosteringer(ws)) {
    const uint32_t m = v % 100;
    std::snprintf(t1, n, "%s", m >= 1 && m <= 12 ? kMaaneder[m - 1] : "");
    std::snprintf(t2, n, "%04u", static_cast<unsigned>(v / 100));
  } else {
    std::snprintf(t1, n, "%02u", static_cast<unsigned>(v % 100));
    t2[0] = 0;
  }
}

void TegnCelle(STATUSWS *ws, uint32_t k, uint32_t r) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc || k < 1 || k > ws->AntalKolonner || r < 1 || r > ws->AntalGrupper) return;
  const int x = KolX(ws, k), y = RaekkeY(ws, r);
  const int b = static_cast<int>(ws->KolonneBredde), h = static_cast<int>(ws->TekstHoejde);
  const uint8_t farve = k == ws->PosX.Aktuel || r == ws->PosY.Aktuel ? Markoer(ws) : 0;
  FillRectIfAny(dc, Brush(farve), x, y, x + b, y + h + 1);
  const uint32_t tal = StatusTal(ws, k, GruppeKode(ws, r));
  if (!tal) return;
  char t[24];
  std::snprintf(t, sizeof t, ErPosteringer(ws) ? "%9lu" : "%6lu", static_cast<unsigned long>(tal));
  Tekst(dc, x + 1, y, t, farve);
}

void TegnCeller(STATUSWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc) return;
  FillRectIfAny(dc, Brush(0), 0, 0, e.RudeB[ENS_CELLER], e.RudeH[ENS_CELLER]);
  for (uint32_t r = 1; r <= ws->AntalGrupper; ++r)
    for (uint32_t k = ws->PosX.Foerste ? ws->PosX.Foerste : 1; k <= ws->AntalKolonner; ++k) {
      if (KolX(ws, k) > e.RudeB[ENS_CELLER]) break;
      TegnCelle(ws, k, r);
    }
}

void TegnRaekker(STATUSWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  if (!dc) return;
  FillRectIfAny(dc, Brush(0), 0, 0, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
  const int tekstB = static_cast<int>(StatusGruppeTekstBredde(ws->Art));
  char t[128];
  for (uint32_t r = 1; r <= ws->AntalGrupper; ++r) {
    const int y = RaekkeY(ws, r);
    const StatusKode &g = ws->Grupper[r - 1];
    const uint8_t farve = r == ws->PosY.Aktuel ? Markoer(ws) : 0;
    GruppeEtiket(g, t, sizeof t);
    FillRectIfAny(dc, Brush(farve), 0, y, tekstB, y + static_cast<int>(ws->TekstHoejde) + 1);
    Tekst(dc, 0, y, t, farve);
    FillRectIfAny(dc, Brush(ErTaendt(ws, r) ? kMaerkeFarve : 0), tekstB, y, tekstB + kMaerkeBredde - 1,
                  y + static_cast<int>(ws->TekstHoejde));
    const uint32_t total = StatusTal(ws, 0, g.Kode);
    if (total) std::snprintf(t, sizeof t, "%6lu", static_cast<unsigned long>(total));
    else std::snprintf(t, sizeof t, "      ");
    Tekst(dc, tekstB + kMaerkeBredde + 2, y, t, 0);
    if (TgnFont) SelectObject(dc, TgnFont);
    Tekst(dc, tekstB + kMaerkeBredde + 60, y, StatusPil(ws, g.Kode), 0);
    if (TxtFont) SelectObject(dc, TxtFont);
  }
}

void TegnKolHoved(STATUSWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_KOLHOVED].hdc;
  if (!dc) return;
  FillRectIfAny(dc, Brush(0), 0, 0, e.RudeB[ENS_KOLHOVED], e.RudeH[ENS_KOLHOVED]);
  char t1[16], t2[16];
  for (uint32_t k = ws->PosX.Foerste ? ws->PosX.Foerste : 1; k <= ws->AntalKolonner; ++k) {
    const int x = KolX(ws, k);
    if (x > e.RudeB[ENS_KOLHOVED]) break;
    const uint8_t farve = k == ws->PosX.Aktuel ? Markoer(ws) : 0;
    KolonneTekst(ws, k, t1, t2, sizeof t1);
    Tekst(dc, x + 1, 0, t1, farve);
    if (t2[0]) Tekst(dc, x + 1, static_cast<int>(ws->TekstHoejde), t2, farve);
  }
}

void TegnHjoerne(STATUSWS *ws) {
  Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_HJOERNE_V].hdc;
  if (!dc) return;
  char t1[16], t2[16], t[40];
  KolonneTekst(ws, ws->PosX.Aktuel, t1, t2, sizeof t1);
  std::snprintf(t, sizeof t, ErPosteringer(ws) ? "%s %s" : "Uge %s%s", t1, t2);
  Tekst(dc, ws->HjoerneMargen, 0, t, 0);
}

void Tegn(STATUSWS *ws, uint32_t flag) {
  (void)flag;  // every pane is cheap enough to redraw whole
  Ens &e = ws->Hoved;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (B > 0) {
    uint32_t off = e.ScrollX;
    GridScrollTilAktuel(&ws->PosX, &off, static_cast<uint32_t>(B), &e.AkseX);
    e.ScrollX = off;
  }
  if (H > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(H), &e.AkseY);
    e.ScrollY = off;
  }
  if (e.hwndHScroll && ws->AntalKolonner)
    SetScrollCtl(e.hwndHScroll, B, static_cast<int>(GridCelleSlut(&e.AkseX, ws->AntalKolonner)),
                 static_cast<int>(e.ScrollX));
  TegnKolHoved(ws);
  TegnRaekker(ws);
  TegnCeller(ws);
  TegnHjoerne(ws);
  StatusFoelgUge(ws);
}

}  // namespace

// ==================================================================== window

namespace {

void GaaTilAktuelUge(STATUSWS *ws) {
  const uint32_t v = ErPosteringer(ws) ? SkemaPeriode.AktuelDato / 100 : IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  ws->PosX.Aktuel = ws->AntalKolonner ? FindStatusKolonne(ws, v) : 0;
}

void Opret(HWND h, STATUSWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", Titel(ws->Art));
  SetWindowTextA(h, e.Titel);
  ws->TekstHoejde = TekstHoejde();
  ws->KolonneBredde = KolonneBredde(ws->Art);
  e.RaekkeHovedBredde = StatusGruppeTekstBredde(ws->Art) + 87;
  e.KolHovedHoejde = static_cast<uint32_t>(KolHovedHoejde(ws->Art));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  ByggStatusKolonner(ws);
  TaelStatus(ws);
  e.AkseX = GridAkse{0, ws->KolonneBredde, 1, 1, 0};
  e.AkseY = GridAkse{0, ws->TekstHoejde, 1, 2, 0};
  ws->PosY = GridPos{ws->AntalGrupper, 1, ws->AntalGrupper, ws->AntalGrupper ? 1u : 0u};
  GaaTilAktuelUge(ws);
  // The toggle button of the strip is the lock that freezes the window.
  const uint32_t toolbar[7] = {0, 0, 0, 1, 0, 0, 0};
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, h, 0, toolbar, TxtFont, EnsOpretToolbar != nullptr, true, nullptr);
  for (int i : {ENSDC_RAEKKEHOVED, ENSDC_KOLHOVED, ENSDC_CELLER, ENSDC_HJOERNE_V}) {
    const HWND rude = i == ENSDC_RAEKKEHOVED ? e.hwndRaekkeHoved
                      : i == ENSDC_KOLHOVED  ? e.hwndKolHoved
                      : i == ENSDC_CELLER    ? e.hwndCeller
                                             : e.hwndHjoerneV;
    if (TxtFont && rude) SelectDCPalette(rude, &e.dc[i], TxtFont);
  }
  VinduesListeTilfoej(h);
  if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    e.Aktiv = 1;
    e.CaptionAktiv = 1;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
  }
}

void Frigiv(STATUSWS *ws) {
  std::free(ws->Tal);
  std::free(ws->Hoved.UgeTab);
  std::free(ws);
}

void Nedlaeg(HWND h, STATUSWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  Frigiv(ws);
}

bool BlivAktiv(HWND h, STATUSWS *ws) {
  if (ws->Hoved.Aktiv) return true;
  if (ws->Hoved.hwndParent && !SendMessageA(ws->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
    return false;
  SendMessageA(h, ENS_AKTIVER, 1, 0);
  return IsWindow(h) && Ws(h) == ws && ws->Hoved.Aktiv;
}

void Aktiver(HWND h, STATUSWS *ws, WPARAM wParam) {
  Ens &e = ws->Hoved;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  if (e.hwndParent) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
  }
  EnsPaintFrame(&e);
  Tegn(ws, kStatusTegnAlt);
}

void Klik(HWND h, STATUSWS *ws, UINT msg, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (msg != ENS_RAEKKEHOVED_NED && x >= 0) {
    const uint32_t c = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (c >= 1 && c <= ws->AntalKolonner) ws->PosX.Aktuel = c;
  }
  if (msg != ENS_KOLHOVED_NED && y >= 0) {
    const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    if (r >= 1 && r <= ws->AntalGrupper) ws->PosY.Aktuel = r;
  }
  Tegn(ws, kStatusTegnAlt);
}

void EgenTast(HWND h, STATUSWS *ws, UINT tast, LPARAM lParam) {
  const TastInfo &t = AktuelTast;
  if (!BlivAktiv(h, ws)) return;
  if (StatusFunktionsTast(ws, tast, lParam, t.ctrl, t.shift, t.alt, 2) == 0) return;
  if (!IsWindow(h) || Ws(h) != ws) return;
  uint32_t tegn = 0;
  StatusGruppeTast(ws, tast, &tegn);
  if (IsWindow(h) && Ws(h) == ws && tegn) Tegn(ws, tegn);
}

void Genopbyg(STATUSWS *ws) {
  ByggStatusKolonner(ws);
  TaelStatus(ws);
  if (!ws->PosX.Aktuel) GaaTilAktuelUge(ws);
}

}  // namespace

STATUSWS *StatusWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}

LRESULT CALLBACK StatusWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<STATUSWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  STATUSWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->Hoved;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ws);
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), 0);
        EnsPaintFrame(&e);
        Tegn(ws, kStatusTegnAlt);
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        TegnKolHoved(ws);
        TegnRaekker(ws);
        TegnCeller(ws);
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnKolHoved(ws);
      TegnHjoerne(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnRaekker(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case WM_RBUTTONDOWN: {
      EnsActivateOnClick(h, &e);
      if (!IsWindow(h) || Ws(h) != ws || !e.Aktiv) return 0;
      POINT p{0, 0};
      GetCursorPos(&p);
      CreateShortCutWnd(e.hInstance, h, p.x, p.y, &Genveje);
      return 0;
    }
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kStatusMindsteBredde,
                  StatusVinduesBredde(ws->Art, INT_MAX), kStatusMindsteHoejde, StatusVinduesHoejde(ws->Art, INT_MAX));
      return TRUE;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      Tegn(ws, kStatusTegnAlt);
      break;
    case ENS_BREDDE:
      return StatusVinduesBredde(ws->Art, static_cast<int>(std::min<WPARAM>(wParam, INT_MAX)));
    case ENS_HOEJDE:
      return StatusVinduesHoejde(ws->Art, static_cast<int>(std::min<WPARAM>(wParam, INT_MAX)));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case STATUS_VINDUE_KOMMANDO:
      return ws->Kommando;
    case ENS_AKTIVER:
      Aktiver(h, ws, wParam);
      return 0;
    case ENS_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      EnsPaintFrame(&e);
      Tegn(ws, kStatusTegnAlt);
      return 0;
    case STATUS_DATO_AENDRET:
      if (ws->Frossen || (e.Aktiv && wParam != 1)) return 0;
      GaaTilAktuelUge(ws);
      Tegn(ws, kStatusTegnAlt);
      return 0;
    case STATUS_DATA_AENDRET:
    case STATUS_IMPORT_SLUT:
      Genopbyg(ws);
      Tegn(ws, kStatusTegnAlt);
      return 0;
    case STATUS_TOOLBAR:
      switch (wParam) {
        case 8192:
          DestroyWindow(h);
          return 0;
        case 16384:
          EnsMaximize(h, &e);
          return 0;
        case 4096:
          EnsMinimize(h, &e);
          return 0;
        case 0:
          ws->Frossen = ws->Frossen ? 0 : 1;
          return 0;
      }
      return 0;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      if (!t) return 0;
      return StatusFunktionsTast(ws, t->wParam, t->lParam, t->ctrl, t->shift, t->alt, 1) == 0 ? 1 : 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      MakeTastInfo(&AktuelTast, msg, wParam, lParam);
      EgenTast(h, ws, static_cast<UINT>(wParam), lParam);
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerStatusKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = StatusWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

HWND CreateStatusWnd(HWND desktop, int kommando, char art, int x, int y, int hoejre, int bund) {
  uint32_t antal = 0;
  const StatusKode *grupper = StatusGrupper(art, &antal);
  if (!grupper) return 0;
  auto *ws = static_cast<STATUSWS *>(std::calloc(1, sizeof(STATUSWS)));
  if (!ws) return 0;
  ws->Art = art;
  ws->HjoerneArt = ',';
  ws->KolonneArt = '-';
  ws->Grupper = grupper;
  ws->AntalGrupper = antal;
  ws->Filter = art == 'B' ? &PosteringsFilter : &BegivenhedsFilter;
  ws->Kommando = kommando;
  ws->Maaneddag = SkemaPeriode.AktuelDato % 100;
  ws->HjoerneMargen = 2;
  ws->Hoved.hInstance = hInst;
  const int b = StatusVinduesBredde(art, std::max(hoejre - x, 0));
  const int h = StatusVinduesHoejde(art, std::max(bund - y, 0));
  HWND hwnd = CreateWindowExA(0, kKlasse, Titel(art), WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, b, h,
                              desktop, static_cast<HMENU>(kommando), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) Frigiv(ws);
    return 0;
  }
  return hwnd;
}

HWND AabnStatusOversigt(HWND hovedvindue, int kommando) {
  return OpretObjektVindue(hovedvindue, kommando, 0, nullptr);
}
