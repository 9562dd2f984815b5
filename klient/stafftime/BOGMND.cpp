// The month posting pane and the edit rules of the posting window.

#include "BOGMND.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "AKTICHK.h"
#include "AVSHJAELP.h"
#include "EDITBOX.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "STATUSFILTER.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TIMOAK.h"
#include "VALG.h"
#include "VINDUER.h"
#include "ImpTimoak.h"
#include "ressourcer.h"
#include "tavo/assert.h"

int32_t PosteringsVaerdi = 0;

namespace {

constexpr const char *kKlasse = "MndWndClass";
constexpr const char *kTitel = "Bogføring";
constexpr uint8_t kLever = 64, kSlettet = 8, kSendt = 16;
constexpr int kHovedHoejde = 24;      // the two-line month header
constexpr int kDagKolonneStd = 24;    // the day column without a layout
constexpr int kLayoutKnap = 16;       // one layout button
constexpr uint32_t kMaksDage = 31;    // day rows of every month column

constexpr const char *kIkkeOvak = "Den pågældende aktivitet er ikke af type OVAK !";
constexpr const char *kBegraenset = "Der kan ikke posteres timer sålænge der vises en begrændset status !";
constexpr const char *kRetAkti =
    "Den pågældende aktivitet har du ikke ret til, den findes kun i dit skema som følge af en eller flere fremmede "
    "poster !";
constexpr const char *kRetMeda =
    "Den pågældende medarbejder har du ikke ret til, medarbejderen findes kun i dit skema som følge af en eller "
    "flere fremmede poster !";

MNDWS *Ws(HWND h) { return reinterpret_cast<MNDWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

TimoakRaekke *Post(Maaned m, uint32_t raekke) {
  TabVar *b = TimoakBucket(m);
  if (!b || raekke == 0 || raekke >= b->wRecCnt) return nullptr;
  return reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, raekke));
}

bool Lever(const TimoakRaekke *t) { return (t->Status & (kLever | kSlettet)) == kLever; }

void Besked(HWND ejer, const char *tekst, const char *titel) {
  MessageBoxA(ejer, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

// ---- The pair under the cursor

uint32_t Akti(const BOGWS *ws) { return ws->Bogstav == 'K' ? ws->Aktuel.Hoved : ws->Aktuel.Partner; }
uint32_t Anfo(const BOGWS *ws) { return ws->Bogstav == 'K' ? ws->Aktuel.Partner : ws->Aktuel.Hoved; }

uint8_t PartnerStatus(const BOGWS *ws) {
  const uint32_t p = ws->Aktuel.Partner;
  if (!ws->pTvPartner || p == 0 || p >= ws->pTvPartner->wRecCnt) return 0;
  return ws->PartnerBogstav == 'K' ? reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, p))->Status
                                   : reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, p))->Status;
}

// The dates a record may carry postings on: from its start week and day (its
// Fradato without one) to its end week and day (its Tildato), never beyond
// Fradato..Tildato, which the data store's own check uses.
template <class R>
bool IObjDatoer(const R *r, Dato d) {
  Dato fra = r->Fradato, til = r->Tildato;
  if (r->StartUge) fra = std::max(fra, UgeDagTilDato(r->StartUge, r->StartDag ? r->StartDag : 1));
  if (r->SlutUge) til = std::min(til, UgeDagTilDato(r->SlutUge, r->SlutDag ? r->SlutDag : 7));
  return d >= fra && d <= til;
}

bool DatoTilladt(const BOGWS *ws) {
  const Dato d = ws->Aktuel.Dato;
  if (d < ws->Aktuel.Foerste || d > ws->Aktuel.Sidste) return false;
  const uint32_t akti = Akti(ws), anfo = Anfo(ws);
  if (akti == 0 || akti >= tvakti.wRecCnt || anfo == 0 || anfo >= tvanfo.wRecCnt) return false;
  return IObjDatoer(reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, akti)), d) &&
         IObjDatoer(reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, anfo)), d);
}

bool StatusFilterPaa() { return PosteringsFilter.Tilstand || PosteringsFilter.FejlKode; }

// The locked period on the cursor's date: the test mode refuses, the execute
// mode asks. True when the key may go on.
bool LaastPeriodeOk(const BOGWS *ws, int mode) {
  const Dato laas = SkemaPeriode.LaasDato;
  if (laas == 0 || ws->Aktuel.Dato > laas) return true;
  if (mode != 2) return false;
  return MessageBoxA(ws->hwnd, "Vil du arbejde i LÅST periode?", "Låst periode",
                     MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDOK;
}

// A SuperTavo or locked schedule refuses the key with its own text.
bool SkemaSpaerret(const BOGWS *ws, int mode, const char *superTavo, const char *laast, const char *titel) {
  const char *tekst = GlobalIndstillinger.supertavo ? superTavo : GlobalIndstillinger.skemalaast ? laast : nullptr;
  if (!tekst) return false;
  if (mode == 2) Besked(ws->hwnd, tekst, titel);
  return true;
}

bool PartnerRet(const BOGWS *ws, int mode) {
  if (PartnerStatus(ws) != 30) return true;
  if (mode == 2) Besked(ws->hwnd, ws->PartnerBogstav == 'K' ? kRetAkti : kRetMeda, "Manglende rettighed");
  return false;
}

bool IkkeFiltreret(const BOGWS *ws, int mode) {
  if (!StatusFilterPaa()) return true;
  if (mode == 2) Besked(ws->hwnd, kBegraenset, "Fejl");
  return false;
}

// The chain of the posting window's current partner in month m.
uint32_t KaedeStart(const BOGWS *ws, uint32_t partner, Maaned m) {
  const BogCelle *c = BogCelleAt(ws, partner, MaanedTilIndeks(m));
  const bool iPeriode = m >= SkemaPeriode.FoersteMaaned && m <= SkemaPeriode.SidsteMaaned;
  return c && iPeriode ? c->Foerste : 0;
}

// Calls fn for every posting of the chain on the day, in chain order, until
// it returns true.
template <class Fn>
void HverDagsPost(const BOGWS *ws, uint32_t partner, Maaned m, uint32_t dag, Fn fn) {
  for (uint32_t i = KaedeStart(ws, partner, m); i && i < ws->BogVisListe.size(); i = ws->BogVisListe[i].Naeste) {
    const BogVisPost &v = ws->BogVisListe[i];
    TimoakRaekke *t = Post(v.Maaned, v.Raekke);
    if (t && t->Dato % 100 == dag && fn(t)) return;
  }
}

TimoakRaekke *DagensPost(const BOGWS *ws, uint32_t partner, Maaned m, uint32_t dag) {
  TimoakRaekke *fundet = nullptr;
  HverDagsPost(ws, partner, m, dag, [&](TimoakRaekke *t) {
    if (t->Status == 0) return false;
    fundet = t;
    return true;
  });
  return fundet;
}

TimoakRaekke *AktuelPost(const BOGWS *ws) {
  const Dato d = ws->Aktuel.Dato;
  if (d < ws->Aktuel.Foerste || d > ws->Aktuel.Sidste || d / 100 != ws->Aktuel.Maaned) return nullptr;
  return DagensPost(ws, ws->Aktuel.Partner, ws->Aktuel.Maaned, d % 100);
}

// Another live posting of the pair on the cursor's day than `undtagen`,
// looked up in the bucket itself, so a posting the filters hide counts too.
bool AndenPostSammeDag(const BOGWS *ws, const TimoakRaekke *undtagen) {
  const uint32_t akti = Akti(ws), anfo = Anfo(ws);
  const Dato d = ws->Aktuel.Dato;
  TabVar *b = TimoakBucket(d / 100);
  for (uint32_t r = 1; b && b->pbTab && r < b->wRecCnt; ++r) {
    const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
    if (t != undtagen && Lever(t) && t->akti_id == akti && t->anfo_id == anfo && t->Dato == d) return true;
  }
  return false;
}

// The insertion's checks for `timer` new hours replacing `erstattes` (null
// for a plain insertion): the budget lock as it answers after the
// replaced posting is gone, the filters, the partner's rights, the dates and
// no other posting that day.
bool IndsaetKontrol(const BOGWS *ws, int32_t timer, const TimoakRaekke *erstattes) {
  const int64_t tilfoej = static_cast<int64_t>(timer) - (erstattes ? erstattes->Timer : 0);
  if (!CheckBudgetLaas(Akti(ws), static_cast<int32_t>(std::clamp<int64_t>(tilfoej, INT32_MIN, INT32_MAX))))
    return false;
  if (!IkkeFiltreret(ws, 2) || !PartnerRet(ws, 2)) return false;
  if (!DatoTilladt(ws) || AndenPostSammeDag(ws, erstattes)) {
    BipFejl();
    return false;
  }
  return true;
}

bool Indsaet(BOGWS *ws) {
  const bool tilfoejet =
      AddTimoakPost(Akti(ws), Anfo(ws), ws->Aktuel.Dato, PosteringsVaerdi, 2) == 1;
  if (!tilfoejet) BipFejl();
  CleanupAakrel();
  if (ws->hwnd) SendMessageA(ws->hwnd, BOG_MND_AENDRET, 0, 0);
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  return tilfoejet;
}

// ---- The pane: a grid frame of its own, the days down its row header and
// the months of the period across, each day cell under its month.

int DagKolonne(const MNDWS *ws) {
  const uint8_t b = static_cast<uint8_t>(ws->Bogstav);
  const uint32_t w = ObjSwitchBredde(kMndDagKolonneArt, b, ObjSwitchValgt(kMndDagKolonneArt, b));
  return w ? static_cast<int>(std::min<uint32_t>(w, 200)) : kDagKolonneStd;
}

BOGWS *Bog(const MNDWS *ws) { return ws->hwndBog ? BogVinduesWS(ws->hwndBog) : nullptr; }

void Tekst(HDC dc, int x, int y, const char *t, COLORREF fg, COLORREF bg) {
  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  SetBkMode(dc, OPAQUE);
  TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t)));
}

// Pane coordinates of a month column and a day row.
int KolonneX(const MNDWS *ws, MaanedIndeks m) { return EnsKolonneX(&ws->Hoved, m); }
int RaekkeY(const MNDWS *ws, uint32_t dag) { return EnsRaekkeY(&ws->Hoved, dag); }

void OpdaterScroll(MNDWS *ws) { EnsOpdaterScroll(&ws->Hoved, ws->Kolonner.Antal, kMaksDage); }

// The month names over their columns; the corner over the day column.
void TegnHoved(MNDWS *ws) {
  const Ens &e = ws->Hoved;
  if (HDC dc = e.dc[ENSDC_HJOERNE_V].hdc) FillRectIfAny(dc, FarveBrush[0], 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
  HDC dc = e.dc[ENSDC_KOLHOVED].hdc;
  if (!dc) return;
  const int bredde = e.RudeB[ENS_KOLHOVED];
  FillRectIfAny(dc, FarveBrush[0], 0, 0, bredde, e.RudeH[ENS_KOLHOVED]);
  char linje[32];
  for (MaanedIndeks m = 1; m <= ws->Kolonner.Antal; ++m) {
    const int x = KolonneX(ws, m);
    if (x >= bredde) break;
    if (x + kMndKolonne < 0) continue;
    const Maaned mm = IndeksTilMaaned(m);
    std::snprintf(linje, sizeof linje, "%02u-%04u", mm % 100, mm / 100);
    Tekst(dc, x + 4, 6, linje, FarveTab[16], FarveTab[0]);
  }
}

void TegnDage(MNDWS *ws) {
  const Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_RAEKKEHOVED].hdc;
  if (!dc) return;
  FillRectIfAny(dc, FarveBrush[0], 0, 0, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
  char linje[8];
  for (uint32_t dag = 1; dag <= kMaksDage; ++dag) {
    const int y = RaekkeY(ws, dag);
    if (y >= e.RudeH[ENS_RAEKKEHOVED]) break;
    if (y + kMndRaekke < 0) continue;
    std::snprintf(linje, sizeof linje, "%2u", dag);
    Tekst(dc, 2, y, linje, FarveTab[16], FarveTab[0]);
  }
}

// Every visible day cell: the status code and the hours of the day's first
// posting; days past the month's end stay blank.
void TegnCeller(MNDWS *ws) {
  const Ens &e = ws->Hoved;
  HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc) return;
  const int bredde = e.RudeB[ENS_CELLER], hoejde = e.RudeH[ENS_CELLER];
  FillRectIfAny(dc, FarveBrush[0], 0, 0, bredde, hoejde);
  BOGWS *bog = Bog(ws);
  const uint32_t partner = ws->Aktuel ? ws->Aktuel->Partner : 0;
  char linje[32];
  for (MaanedIndeks m = 1; m <= ws->Kolonner.Antal; ++m) {
    const int x = KolonneX(ws, m);
    if (x >= bredde) break;
    if (x + kMndKolonne < 0) continue;
    const Maaned mm = IndeksTilMaaned(m);
    const uint32_t dage = MndDage(mm);
    for (uint32_t dag = 1; dag <= kMaksDage; ++dag) {
      const int y = RaekkeY(ws, dag);
      if (y >= hoejde) break;
      if (y + kMndRaekke < 0) continue;
      const bool aktuel = m == ws->Kolonner.Aktuel && dag == ws->Raekker.Aktuel;
      const int tilstand = aktuel ? (ws->Aktiv ? 1 : 2) : 0;
      FillRectIfAny(dc, FarveBrush[tilstand], x + 1, y, x + kMndKolonne - 1, y + kMndRaekke - 1);
      if (dag > dage || !bog || !partner) continue;
      const TimoakRaekke *t = DagensPost(bog, partner, mm, dag);
      if (!t) continue;
      std::snprintf(linje, sizeof linje, "%u", PostStatusKode(t->Status, t->Ejer, t->Fejl));
      Tekst(dc, x + 2, y, linje, FarveTab[16], FarveTab[tilstand]);
      BogTimerTekst(linje, sizeof linje, t->Timer);
      Tekst(dc, x + kMndKodeBredde, y, linje, FarveTab[16], FarveTab[tilstand]);
    }
  }
}

void TegnRuder(MNDWS *ws) {
  if (!ws->hwnd) return;
  OpdaterScroll(ws);
  TegnHoved(ws);
  TegnDage(ws);
  TegnCeller(ws);
}

// After the cursor moved: its cell into view, then the panes.
void Tegn(MNDWS *ws) {
  if (!ws->hwnd) return;
  Ens &e = ws->Hoved;
  if (const int bredde = e.RudeB[ENS_CELLER]; bredde > 0 && ws->Kolonner.Aktuel) {
    // The pane is about one month wide: a month that is not wholly in view
    // is brought to its left edge, as far as the last month allows.
    const uint32_t start = GridCelleStart(&e.AkseX, ws->Kolonner.Aktuel);
    const uint32_t total = GridCelleSlut(&e.AkseX, ws->Kolonner.Antal) + 1;
    uint32_t off = e.ScrollX;
    if (start < off || start + kMndKolonne > off + static_cast<uint32_t>(bredde))
      off = std::min(start, total > static_cast<uint32_t>(bredde) ? total - static_cast<uint32_t>(bredde) : 0u);
    e.ScrollX = off;
    const uint32_t foerste = GridPixelTilCelle(&e.AkseX, off);
    ws->Kolonner.Foerste = foerste;
    ws->Kolonner.Synlige = GridPixelTilCelle(&e.AkseX, off + static_cast<uint32_t>(bredde) - 1) + 1 - foerste;
  }
  if (e.RudeH[ENS_CELLER] > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->Raekker, &off, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), &e.AkseY);
    e.ScrollY = off;
  }
  TegnRuder(ws);
}

// The cursor moved inside the pane: the date follows the month and day, the
// program and the posting window hear of it.
void Flyttet(MNDWS *ws) {
  BogAktuelRec *a = ws->Aktuel;
  if (!a) return;
  const Maaned m = IndeksTilMaaned(ws->Kolonner.Aktuel);
  if (m) a->Maaned = m;
  ws->Raekker.Antal = MndDage(a->Maaned);
  ws->Raekker.Aktuel = std::clamp<uint32_t>(ws->Raekker.Aktuel, 1, std::max<uint32_t>(ws->Raekker.Antal, 1));
  if (ws->Partnere.Aktuel && ws->Partnere.Aktuel <= ws->Hoved.ObjTabAntal)
    a->Partner = ws->Hoved.ObjTab[ws->Partnere.Aktuel];
  if (ws->Aktiv) {
    a->Dato = a->Maaned * 100 + ws->Raekker.Aktuel;
    SaetAktuelDato(a->Dato);
  }
  if (!ws->Frosset) SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, ws->hwndBog);
  if (ws->hwndBog) {
    SendMessageA(ws->hwndBog, BOG_MND_FLYT, 0, 0);
    SendMessageA(ws->hwndBog, BOG_MND_DAG, 0, 0);
  }
  Tegn(ws);
}

TastInfo Genvej(uint32_t tast) { return TastInfo{0, 0, 0, WM_KEYDOWN, tast, 0, 0, 0}; }

const ShortCutPost kGenveje[] = {
    {Genvej(VK_TAB), "<Tab>", "Skifter mellem 'Hoved' og 'Kant' vindue."},
    {Genvej(VK_ADD), "<+>", "Husk aktuel postering."},
    {Genvej(VK_INSERT), "<Insert>", "Indsæt husket postering."},
    {Genvej(VK_DELETE), "<Delete>", "Sletter aktuel postering."},
    {Genvej(VK_RETURN), "<Enter>", "Åbner vindue for indtastning af timer."},
    {TastInfo{1, 1, 0, WM_KEYDOWN, 'D', 0, 0, 0}, "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenveje};

void AabnGenveje(MNDWS *ws, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(ws->hwnd, &pt);
  CreateShortCutWnd(hInst, ws->hwnd, pt.x, pt.y, &Genveje);
}

// Insert in the pane, with its own first checks.
bool IndsaetTast(MNDWS *ws, BOGWS *bog, int mode) {
  if (SkemaSpaerret(bog, mode, "Der kan ikke indsættes poster i et SuperTavoSkema",
                    "Der kan ikke indsættes poster i et låst skema", "Indsæt post"))
    return false;
  if (!IsOvakAkti(Akti(bog))) {
    Besked(ws->hwnd, kIkkeOvak, "Uventet aktivitetstype");
    return false;
  }
  if (!LaastPeriodeOk(bog, mode)) return false;
  if (mode == 2) BogIndsaetPost(bog);
  return true;
}

bool SletTast(BOGWS *bog, int mode) {
  if (SkemaSpaerret(bog, mode, "Der kan ikke slettes poster i et SuperTavoSkema",
                    "Der kan ikke slettes poster i et låst skema", "Sletning"))
    return false;
  if (!LaastPeriodeOk(bog, mode)) return false;
  if (mode == 2) BogSletPost(bog);
  return true;
}

// A click in a pane (pane coordinates). An inactive pane only asks the
// posting window for the keyboard; an active one moves to the clicked month
// and day where the pane has them.
void Klik(MNDWS *ws, UINT msg, LPARAM lParam) {
  if (!ws->Aktiv) {
    if (ws->hwndBog) SendMessageA(ws->hwndBog, BOG_MND_TASTATUR, 0, 0);
    return;
  }
  const Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  bool flyt = false;
  if (msg != ENS_RAEKKEHOVED_NED && x >= 0) {
    const uint32_t m = GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX);
    if (m >= 1 && m <= ws->Kolonner.Antal) ws->Kolonner.Aktuel = m, flyt = true;
  }
  if (msg != ENS_KOLHOVED_NED && y >= 0) {
    const uint32_t d = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    const uint32_t dage = MndDage(IndeksTilMaaned(ws->Kolonner.Aktuel));
    if (d >= 1 && d <= dage) ws->Raekker.Aktuel = d, flyt = true;
  }
  if (flyt) Flyttet(ws);
}

// The frame's panes and scroll bars over the whole client area; no caption
// of its own: the posting window's serves both.
void OpretRamme(HWND h, MNDWS *ws) {
  Ens &e = ws->Hoved;
  e.EgenRamme = 0;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.RaekkeHovedBredde = static_cast<uint32_t>(DagKolonne(ws));
  e.KolHovedHoejde = kHovedHoejde;
  e.AkseX = GridAkse{0, kMndKolonne, 1, 0, 0};
  e.AkseY = GridAkse{0, kMndRaekke, 1, 0, 0};
  e.StyrX = &ws->Kolonner;
  e.StyrY = &ws->Raekker;
  e.hdc = GetDC(h);
  RECT rc{};
  GetClientRect(h, &rc);
  e.Areal[0] = 0;
  e.Areal[1] = 0;
  e.Areal[2] = rc.right - 1;
  e.Areal[3] = rc.bottom - 1;
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, h, 0, nullptr, TxtFont, false, true, nullptr);
  if (TxtFont)
    for (auto [rude, dc] : {std::pair{e.hwndRaekkeHoved, ENSDC_RAEKKEHOVED}, {e.hwndKolHoved, ENSDC_KOLHOVED}})
      if (rude) SelectDCPalette(rude, &e.dc[dc], TxtFont);
}

void Frigiv(MNDWS *ws) {
  std::free(ws->Hoved.ObjTab);
  delete ws;
}

// The hours cell passes Enter and Esc to the posting window, which commits
// or closes it; every other key edits the number.
LRESULT CALLBACK CelleProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN) && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
    HWND mnd = GetParent(h);
    HWND bog = mnd ? GetParent(mnd) : 0;
    if (bog) SendMessageA(bog, WM_KEYDOWN, wParam, 0);
    return 0;
  }
  return EditIntWndProc(h, msg, wParam, lParam);
}

}  // namespace

uint32_t MndDage(Maaned m) {
  if (m % 100 < 1 || m % 100 > 12) return 0;
  const Maaned naeste = m % 100 == 12 ? (m / 100 + 1) * 100 + 1 : m + 1;
  return DatoTilAbsDag(naeste * 100 + 1) - DatoTilAbsDag(m * 100 + 1);
}

void ByggMndPartnere(MNDWS *ws) {
  const uint32_t hoved = ws->Aktuel ? ws->Aktuel->Hoved : 0;
  const uint32_t partnere = ws->pTvPartner ? ws->pTvPartner->wRecCnt : 0;
  const uint32_t relationer = AakrelAntal();
  // At most one entry per relation record.
  auto *tab = static_cast<uint32_t *>(std::calloc(static_cast<size_t>(relationer) + 1, sizeof(uint32_t)));
  if (!tab) tavo::AssertFailed("MNDWS->Ens.ObjTab != NULL", "BOGMND", __LINE__);
  uint32_t n = 0;
  for (uint32_t r = 1; hoved && r < relationer; ++r) {
    const auto *a = reinterpret_cast<const AakrelRec *>(GetRec(&tdaakrel, &tvaakrel, r));
    if (!a) continue;
    const uint32_t h = ws->Bogstav == 'K' ? a->akti_id : a->anfo_id;
    const uint32_t p = ws->Bogstav == 'K' ? a->anfo_id : a->akti_id;
    if (h != hoved || p == 0 || p >= partnere) continue;
    if (std::find(tab + 1, tab + 1 + n, p) == tab + 1 + n) tab[++n] = p;
  }
  std::free(ws->Hoved.ObjTab);
  ws->Hoved.ObjTab = tab;
  ws->Hoved.ObjTabAntal = n;
}

void ByggMndAkser(MNDWS *ws) {
  const BogAktuelRec *a = ws->Aktuel;
  ws->Kolonner.Antal = SkemaPeriode.AntalMaaneder;
  ws->Kolonner.Aktuel = a ? MaanedTilIndeks(a->Maaned) : 0;
  if (ws->Kolonner.Aktuel == 0 || ws->Kolonner.Aktuel > ws->Kolonner.Antal)
    ws->Kolonner.Aktuel = ws->Kolonner.Antal ? 1 : 0;
  ws->Raekker.Antal = a ? MndDage(a->Maaned) : 0;
  ws->Raekker.Aktuel = std::max<uint32_t>(a ? a->Dato % 100 : 1, 1);
  ws->Partnere.Antal = ws->Hoved.ObjTabAntal;
  ws->Partnere.Aktuel = 1;
  for (uint32_t i = 1; a && i <= ws->Hoved.ObjTabAntal; ++i)
    if (ws->Hoved.ObjTab[i] == a->Partner) ws->Partnere.Aktuel = i;
  if (!ws->Hoved.ObjTabAntal) ws->Partnere.Aktuel = 0;
  // Until the frame has measured its panes one cell of each axis counts as
  // visible, so the keys move from the start.
  for (GridPos *p : {&ws->Kolonner, &ws->Raekker}) {
    if (!p->Foerste) p->Foerste = 1;
    if (!p->Synlige) p->Synlige = 1;
  }
}

TimoakRaekke *MndAktuelPost(const MNDWS *ws) {
  const BOGWS *bog = Bog(ws);
  return bog ? AktuelPost(bog) : nullptr;
}

bool MndTast(MNDWS *ws, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  BOGWS *bog = Bog(ws);
  if (!bog) return false;
  const uint32_t k = t.wParam;
  if (t.ctrl || t.alt) return false;
  switch (k) {
    case VK_TAB:
    case VK_RETURN:
      if (mode == 2) SendMessageA(ws->hwndBog, WM_KEYDOWN, k, 0);
      return mode == 2 || SendMessageA(ws->hwndBog, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)) != 0;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      GridPos *akse = k == VK_LEFT || k == VK_RIGHT ? &ws->Kolonner : &ws->Raekker;
      if (!GridTastFlytTrin(akse, k, 0, 0, false, mode == 1)) return false;
      if (mode == 2) Flyttet(ws);
      return true;
    }
    case VK_PRIOR:
    case VK_NEXT: {
      const uint32_t p = ws->Partnere.Aktuel;
      const uint32_t ny = k == VK_PRIOR ? (p > 1 ? p - 1 : p) : (p < ws->Partnere.Antal ? p + 1 : p);
      if (ny == p || ny == 0) return false;
      if (mode == 2) {
        ws->Partnere.Aktuel = ny;
        Flyttet(ws);
      }
      return true;
    }
    case VK_INSERT:
      return IndsaetTast(ws, bog, mode);
    case VK_DELETE:
      return SletTast(bog, mode);
    case VK_ADD:
    case VK_OEM_PLUS: {
      const TimoakRaekke *p = AktuelPost(bog);
      if (!p || p->Timer == 0) return false;
      if (mode == 2) PosteringsVaerdi = p->Timer;
      return true;
    }
    case VK_APPS:
      if (mode == 2) AabnGenveje(ws, kMndKolonne, kHovedHoejde);
      return true;
  }
  return false;
}

LRESULT CALLBACK MndWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<MNDWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    ws->hwnd = h;
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
    ByggMndPartnere(ws);
    ByggMndAkser(ws);
    OpretRamme(h, ws);
    return 0;
  }
  MNDWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      Frigiv(ws);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&ws->Hoved);
      Tegn(ws);
      return 0;
    }
    case WM_SIZE:
      EnsOnSize(&ws->Hoved, h, LOWORD(lParam), HIWORD(lParam), 0);
      EnsPaintFrame(&ws->Hoved);
      Tegn(ws);
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&ws->Hoved, msg, wParam)) TegnRuder(ws);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &ws->Hoved, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnHoved(ws);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnDage(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case ENS_BREDDE:
      return std::min(MndBredde(ws->Bogstav), static_cast<int>(wParam));
    case ENS_HOEJDE:
      return std::min(MndHoejde(), static_cast<int>(wParam));
    case BOG_MND_FLYT:
      ByggMndPartnere(ws);
      ByggMndAkser(ws);
      Tegn(ws);
      return 0;
    case MND_CELLE_POS: {
      // In the pane's own client coordinates, where the hours cell goes.
      auto *pt = reinterpret_cast<POINT *>(lParam);
      if (!pt) return 0;
      Tegn(ws);
      const Ens &e = ws->Hoved;
      pt->x = e.RudeX[ENS_CELLER] + KolonneX(ws, ws->Kolonner.Aktuel);
      pt->y = e.RudeY[ENS_CELLER] + RaekkeY(ws, std::max<uint32_t>(ws->Raekker.Aktuel, 1));
      return 1;
    }
    case MND_TIMER: {
      const TimoakRaekke *t = MndAktuelPost(ws);
      return t ? t->Timer : 0;
    }
    case MND_STATUS: {
      const TimoakRaekke *t = MndAktuelPost(ws);
      return t ? static_cast<int8_t>(t->Status) : 0;
    }
    case MND_EJER: {
      const TimoakRaekke *t = MndAktuelPost(ws);
      return t ? static_cast<int8_t>(t->Ejer) : 0;
    }
    case MND_INDSAET:
      if (BOGWS *b = Bog(ws)) return BogIndsaetPost(b) ? 1 : 0;
      return 0;
    case MND_SLET:
      if (BOGWS *b = Bog(ws)) return BogSletPost(b) ? 1 : 0;
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      ws->Aktiv = 1;
      Tegn(ws);
      return 0;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      Tegn(ws);
      return 0;
    case NYB_KLIK:
      if (wParam == 0) ws->Frosset = !ws->Frosset;
      return 0;
    case ENS_CELLER_DBL:
      if (ws->hwndBog) SendMessageA(ws->hwndBog, WM_KEYDOWN, VK_RETURN, 0);
      return 0;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && MndTast(ws, *t, 1) ? 1 : 0;
    }
    case WM_KEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      if (msg == TAST_MODTAG && lParam) t = *reinterpret_cast<const TastInfo *>(lParam);
      else MakeTastInfo(&t, msg, wParam, lParam);
      MndTast(ws, t, 2);
      return 0;
    }
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(ws, msg, lParam);
      return 0;
    case ENS_HJOERNE_VENSTRE_NED:
    case WM_LBUTTONDOWN:
      // The frame's lines and the corner move nothing.
      if (!ws->Aktiv && ws->hwndBog) SendMessageA(ws->hwndBog, BOG_MND_TASTATUR, 0, 0);
      return 0;
    case WM_RBUTTONDOWN:
      AabnGenveje(ws, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

HWND OpretMndWnd(HWND bog, BogAktuelRec *aktuel, int x, int y, int bredde, int hoejde) {
  const BOGWS *b = BogVinduesWS(bog);
  if (!b) return 0;
  auto *ws = new (std::nothrow) MNDWS{};
  if (!ws) return 0;
  ws->Bogstav = b->Bogstav;
  ws->PartnerBogstav = b->PartnerBogstav;
  ws->Hoved.pTd = b->Hoved.pTd;
  ws->Hoved.pTv = b->Hoved.pTv;
  ws->Hoved.hInstance = hInst;
  ws->Hoved.hwndParent = bog;
  ws->pTdPartner = b->pTdPartner;
  ws->pTvPartner = b->pTvPartner;
  ws->Aktuel = aktuel;
  ws->hwndBog = bog;
  ws->Frosset = b->Frosset;
  const int br = std::min(MndBredde(b->Bogstav), std::max(bredde, 0));
  const int hh = std::min(MndHoejde(), std::max(hoejde, 0));
  HWND h = CreateWindowExA(0, kKlasse, kTitel, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y,
                           std::max(br, std::min(150, bredde)), std::max(hh, std::min(100, hoejde)), bog, 0, hInst,
                           ws);
  if (!h && !ws->hwnd) Frigiv(ws);
  return h;
}

int MndBredde(char bogstav) {
  const uint8_t b = static_cast<uint8_t>(bogstav);
  const uint32_t dag = ObjSwitchBredde(kMndDagArt, b, ObjSwitchValgt(kMndDagArt, b));
  return std::max(static_cast<int>(std::min<uint32_t>(dag, 2000)) + kLayoutKnap + 99, 150);
}

int MndHoejde() { return 403 + GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME); }

bool RegistrerMndKlasse(HINSTANCE inst) {
  CreateMndWnd = OpretMndWnd;
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = MndWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(inst, MAKEINTRESOURCEA(IDC_TAVO));
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = kKlasse;
  WNDCLASSA findes{};
  return GetClassInfoA(inst, kKlasse, &findes) || RegisterClassA(&wc) != 0;
}

MNDWS *MndVinduesWS(HWND hwnd) {
  if (!IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}

// ==================================================================== edit rules

bool BogTildel(BOGWS *ws, int mode) {
  if (SkemaSpaerret(ws, mode, "Der kan ikke tildeles i et SuperTavoSkema", "Der kan ikke tildeles i et låst skema",
                    "Tildeling"))
    return false;
  if (!BogHovedRec(ws)) return false;
  if (mode != 2) return true;
  if (ws->hwndValg && IsWindow(ws->hwndValg)) return true;
  RECT rc{};
  GetClientRect(ws->hwnd, &rc);
  const uint32_t graense = std::max<uint32_t>(ws->pTvPartner ? ws->pTvPartner->wRecCnt : 1, 2);
  HWND v = CreateValgWnd(hInst, ws->hwnd, static_cast<uint8_t>(ws->PartnerBogstav), 20, 60, rc.right, rc.bottom,
                         graense, 0, 0, nullptr, 0);
  if (!v) return false;
  ws->hwndValg = v;
  SendMessageA(v, VALG_GENOPBYG_DATO, 0, static_cast<LPARAM>(ws->Aktuel.Maaned));
  // Pairs with status 10 carry postings: they are shown marked and cannot
  // be taken off; the others are plainly marked.
  const VWS *vws = reinterpret_cast<const VWS *>(GetWindowLongPtrA(v, GWLP_USERDATA));
  auto *maerker = reinterpret_cast<uint8_t *>(SendMessageA(v, VALG_MAERKER, 0, 0));
  uint32_t markerede = 0;
  for (uint32_t i = 1; maerker && vws && i < ws->SubObjTab.size(); ++i) {
    const uint32_t p = ws->SubObjTab[i];
    if (p >= vws->MaerkeAntal) continue;
    maerker[p] = ws->SubObjTab2[i] ? 2 : 1;
    if (!ws->SubObjTab2[i]) ++markerede;
  }
  SendMessageA(v, VALG_SAET_ANTAL, markerede, 0);
  InvalidateRect(v, nullptr, FALSE);
  return true;
}

bool BogAabnTimeCelle(BOGWS *ws, int mode) {
  if (ws->hwndRet && IsWindow(ws->hwndRet)) {
    if (mode == 2) BogGodkendTimeCelle(ws);
    return true;
  }
  if (mode == 2 && ws->hwndValg && IsWindow(ws->hwndValg)) SendMessageA(ws->hwnd, VALG_AFSLUTTET, 0, 0);
  if (!ws->hwndMnd || !Akti(ws) || !Anfo(ws)) return false;
  if (!CheckBudgetLaas(Akti(ws), 0)) return false;
  if (SkemaSpaerret(ws, mode, "Der kan ikke rettes / oprettes poster i et SuperTavoSkema",
                    "Der kan ikke rettes / oprettes poster i et låst skema", "Postering"))
    return false;
  if (!LaastPeriodeOk(ws, mode)) return false;
  if (!IkkeFiltreret(ws, mode) || !PartnerRet(ws, mode)) return false;
  if (!IsOvakAkti(Akti(ws))) {
    if (mode == 2) Besked(ws->hwnd, kIkkeOvak, "Uventet aktivitetstype");
    return false;
  }
  if (!DatoTilladt(ws)) {
    if (mode == 2) BipFejl();
    return false;
  }
  const TimoakRaekke *p = AktuelPost(ws);
  const uint8_t ejer = p ? p->Ejer : 0;
  if (p && (p->Status & kSendt) && ejer > 0) {
    if (mode == 2) Besked(ws->hwnd, "Der kan ikke rettes i en postering der er sendt !", "Fejl");
    return false;
  }
  if (ejer > 0 && ejer != GlobalIndstillinger.insnr) {
    if (mode == 2) Besked(ws->hwnd, "Der kan ikke rettes i en fremmed postering !", "Fejl");
    return false;
  }
  if (mode != 2) return true;
  HWND mnd = ws->hwndMnd;
  SendMessageA(mnd, BOG_MND_FLYT, 0, 0);
  POINT pt{};
  SendMessageA(mnd, MND_CELLE_POS, 0, reinterpret_cast<LPARAM>(&pt));
  const int32_t timer = static_cast<int32_t>(SendMessageA(mnd, MND_TIMER, 0, 0));
  auto *e = static_cast<EditIntInfo *>(std::calloc(1, sizeof(EditIntInfo)));
  if (!e) return false;
  e->instance = hInst;
  e->owner = mnd;
  e->font = TxtFont;
  e->x = pt.x;
  e->y = pt.y;
  e->width = kMndKolonne;
  e->height = kMndRaekke;
  e->intDigits = 5;
  e->decimals = 2;
  // The pair and day the cell was opened for: a commit after the cursor has
  // left them changes nothing.
  e->creator1 = ws->Aktuel.Dato;
  e->creator2 = ws->Aktuel.Partner;
  if (!EditIntSaetVaerdi(e, timer)) {
    std::free(e);
    return false;
  }
  HWND c = CreateWindowExA(0, "EditIntWndClass", "", WS_CHILD | WS_VISIBLE, pt.x, pt.y, kMndKolonne, kMndRaekke,
                           mnd, 0, hInst, e);
  if (!c) {
    std::free(e->text);
    std::free(e);
    return false;
  }
  SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CelleProc));
  ws->hwndRet = c;
  SetFocus(c);
  InvalidateRect(c, nullptr, FALSE);
  return true;
}

void BogLukTimeCelle(BOGWS *ws) {
  HWND c = ws->hwndRet;
  ws->hwndRet = 0;
  if (c && IsWindow(c)) DestroyWindow(c);
  if (ws->hwnd && IsWindow(ws->hwnd)) SetFocus(ws->hwnd);
}

void BogGodkendTimeCelle(BOGWS *ws) {
  if (!ws->hwndRet || !IsWindow(ws->hwndRet)) {
    ws->hwndRet = 0;
    return;
  }
  const auto *e = reinterpret_cast<const EditIntInfo *>(GetWindowLongPtrA(ws->hwndRet, GWLP_USERDATA));
  const bool samme = e && e->creator1 == ws->Aktuel.Dato && e->creator2 == ws->Aktuel.Partner;
  const int32_t ny = static_cast<int32_t>(SendMessageA(ws->hwndRet, EDITINT_VAERDI, 0, 0));
  BogLukTimeCelle(ws);
  if (!samme) return;
  TimoakRaekke *gammel = AktuelPost(ws);
  if (gammel && gammel->Timer == 0) gammel = nullptr;
  // The new value is checked before the old posting goes, so a value that
  // may not be posted leaves the day as it was.
  if (ny != 0 && !IndsaetKontrol(ws, ny, gammel)) {
    PosteringsVaerdi = ny;
    return;
  }
  if (gammel) BogSletPost(ws);
  PosteringsVaerdi = ny;
  if (ny != 0) Indsaet(ws);
}

bool BogIndsaetPost(BOGWS *ws) {
  if (PosteringsVaerdi == 0 || !Akti(ws) || !Anfo(ws)) return false;
  if (!IndsaetKontrol(ws, PosteringsVaerdi, nullptr)) return false;
  return Indsaet(ws);
}

bool BogSletPost(BOGWS *ws) {
  bool slettet = false;
  const Dato d = ws->Aktuel.Dato;
  if (d >= ws->Aktuel.Foerste && d <= ws->Aktuel.Sidste && d / 100 == ws->Aktuel.Maaned) {
    HverDagsPost(ws, ws->Aktuel.Partner, ws->Aktuel.Maaned, d % 100, [&](TimoakRaekke *t) {
      if (!Lever(t)) return false;
      PosteringsVaerdi = t->Timer;
      slettet = SletTimoak(t) == 1;
      return slettet;
    });
    if (slettet && ws->hwnd) SendMessageA(ws->hwnd, DATA_AENDRET, 0, 0);
  }
  if (ws->hwnd) SendMessageA(ws->hwnd, BOG_MND_AENDRET, 0, 0);
  return slettet;
}
