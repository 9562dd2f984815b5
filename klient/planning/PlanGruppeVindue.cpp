// The plan groups window: a group's dates and its plan periods change
// together, so that the plan never has weeks outside its periods.
#include "PlanGruppeVindue.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "EDITBOX.h"
#include "ENSDC.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "GEMNING.h"
#include "GENVEJ.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "PLAN.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "PROGVINDUER.h"
#include "PlanPerioder.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TildelGruppe.h"
#include "VINDUER.h"

namespace {

constexpr const char *kFejlTitel = "Fejl indtastning";
constexpr const char *kNavnFoerDato = "Der skal indtastes et navn før en dato.";
constexpr const char *kAdvarselTitel = "Advarsel";
constexpr const char *kFlerePerioder =
    "Der er lavet flere plan perioder for denne plangruppe, antal: %i.\nHvis du fortsætter vil programmet fjerne "
    "dem, som ligger uden for den nye periode!";
constexpr uint32_t kTildelType = 40269;
constexpr size_t kTekstMaks = 50;  // what is taken of an edited text; the name field holds 50

void MarkerRec(const TabDesc &td, TabVar &tv, uint32_t n) {
  if (tv.pfSave && td.RecPrBlok) tv.pfSave[n / td.RecPrBlok] = 1;
}

FfpgRec *Gruppe(uint32_t n) { return n ? TabRec<FfpgRec>(tvffpg, n) : nullptr; }

bool Listes(const FfpgRec *g) { return g && PlanRecIBrug(g->Status) && g->Ejer == PlanEgenInst(); }

void Fejl(HWND ejer, const char *tekst) { MessageBoxA(ejer, tekst, kFejlTitel, MB_OK | MB_ICONEXCLAMATION); }

void FejlTal(HWND ejer, const char *format, int64_t v) {
  char tekst[160];
  std::snprintf(tekst, sizeof tekst, format, static_cast<int>(v));
  Fejl(ejer, tekst);
}

// The group's plan periods in use, in record order.
std::vector<uint32_t> Perioder(uint32_t gruppe) {
  std::vector<uint32_t> ud;
  for (uint32_t n = 1; n < tvffpp.wRecCnt; ++n) {
    const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
    if (PlanRecIBrug(p->Status) && p->ffpg_id == gruppe) ud.push_back(n);
  }
  return ud;
}

Uge UgeAf(Dato d) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(d, &u, &dag);
  return u;
}

// The typed text as a date: digits after blanks; anything else is kept as a
// value that no calendar holds, so the check names what was typed.
int64_t LaesDato(const char *tekst) {
  const char *p = tekst;
  while (*p == ' ') ++p;
  const bool negativ = *p == '-';
  if (negativ) ++p;
  int64_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = std::min<int64_t>(v * 10 + (*p - '0'), INT32_MAX);
  return negativ ? -v : v;
}

bool SpoergFlere(HWND ejer, size_t antal) {
  char tekst[300];
  std::snprintf(tekst, sizeof tekst, kFlerePerioder, static_cast<int>(antal));
  return MessageBoxA(ejer, tekst, kAdvarselTitel, MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONWARNING) == IDOK;
}

// A table saved at once; a failed save is told as every save tells it
// (the blocks stay marked, so the next save of all data tries again).
void GemNu(HWND ejer, const TabDesc &td, TabVar &tv) {
  const int fejl = GemTabelNu(&td, &tv);
  GemFejl f{};
  if (fejl != 0 && fejl != EACCES && SidsteGemFejl(&f)) VisGemFejl(ejer, f);
}

// The record is read again: a question lets other code run meanwhile.
void SaetGruppeDato(uint32_t gruppe, bool foerste, Dato dato) {
  if (FfpgRec *g = Gruppe(gruppe)) (foerste ? g->Fradato : g->Tildato) = dato;
}

HWND PlanVindue() { return FindVindueType(kPlanVindueType); }

// The plan window saves its plan as it closes; the main window opens it
// again from the settings, on the group's new dates.
void GenaabnPlan() {
  const HWND plan = PlanVindue();
  if (!plan) return;
  DestroyWindow(plan);
  if (hwndHoved) PostMessageA(hwndHoved, WM_COMMAND, kPlanVindueType, 0);
}

}  // namespace

std::vector<uint32_t> PlanGruppeListe() {
  std::vector<uint32_t> liste(1, 0);
  for (uint32_t n = 1; n < tvffpg.wRecCnt; ++n)
    if (Listes(Gruppe(n))) liste.push_back(n);
  SorterPlanGrupper(liste.data(), static_cast<uint32_t>(liste.size() - 1));
  return liste;
}

bool TjekPlanGruppeDato(HWND ejer, uint32_t gruppe, uint32_t kolonne, int64_t dato) {
  const FfpgRec *g = Gruppe(gruppe);
  if (!g || (kolonne != 3 && kolonne != 4)) return false;
  if (dato <= 0 || dato > INT32_MAX || !GyldigDato(static_cast<Dato>(dato))) {
    FejlTal(ejer, "Den indtastede dato er ugyldig: %i.", dato);
    return false;
  }
  const Dato d = static_cast<Dato>(dato);
  if (kolonne == 3) {
    if (d > g->Tildato) {
      FejlTal(ejer, "Den indtastede fradato ligger efter planens tildato: %i.", g->Tildato);
      return false;
    }
    if (d < SkemaPeriode.FraDato) {
      FejlTal(ejer, "Den indtastede fradato ligger før TAVO-perioden fradato: %i.", SkemaPeriode.FraDato);
      return false;
    }
    return true;
  }
  if (d < g->Fradato) {
    FejlTal(ejer, "Den indtastede tildato ligger før planens fradato: %i.", g->Fradato);
    return false;
  }
  if (d > SkemaPeriode.TilDato) {
    FejlTal(ejer, "Den indtastede tildato ligger efter TAVO-perioden tildato: %i.", SkemaPeriode.TilDato);
    return false;
  }
  return true;
}

bool TilpasGruppeDato(HWND ejer, uint32_t gruppe, Dato dato, int hvilken) {
  FfpgRec *g = Gruppe(gruppe);
  if (!g || (hvilken != 1 && hvilken != 2)) return false;
  const std::vector<uint32_t> perioder = Perioder(gruppe);
  if (perioder.empty()) return false;
  const Uge w = UgeAf(dato);
  const bool foerste = hvilken == 1;
  // The period at the end being moved: the first by Frauge, the last by Tiluge.
  uint32_t kant = perioder.front();
  for (uint32_t n : perioder) {
    const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
    const FfppRec *k = TabRec<FfppRec>(tvffpp, kant);
    if (foerste ? p->Frauge < k->Frauge : p->Tiluge > k->Tiluge) kant = n;
  }
  FfppRec *k = TabRec<FfppRec>(tvffpp, kant);
  const Uge kantUge = foerste ? k->Frauge : k->Tiluge;
  const Dato gammel = foerste ? g->Fradato : g->Tildato;

  // The span grows, or the last week stays: the end period follows.
  if (foerste ? w < kantUge : w >= kantUge) {
    (foerste ? k->Frauge : k->Tiluge) = w;
    SaetGruppeDato(gruppe, foerste, dato);
    MarkerRec(tdffpp, tvffpp, kant);
    return true;
  }
  if (foerste && w == kantUge) return false;

  // The span shrinks: what lies in the weeks that go may be lost.
  if (perioder.size() == 1) {
    SaetGruppeDato(gruppe, foerste, dato);
    if (!BekraeftSletPerioder(gruppe, 0, ejer)) {
      SaetGruppeDato(gruppe, foerste, gammel);
      return false;
    }
    k = TabRec<FfppRec>(tvffpp, kant);
    (foerste ? k->Frauge : k->Tiluge) = w;
    MarkerRec(tdffpp, tvffpp, kant);
    return true;
  }
  if (!SpoergFlere(ejer, perioder.size())) return false;
  SaetGruppeDato(gruppe, foerste, dato);
  if (!BekraeftSletPerioder(gruppe, kant, ejer)) {
    SaetGruppeDato(gruppe, foerste, gammel);
    return false;
  }
  std::vector<uint32_t> fjern;
  for (uint32_t n : perioder) {
    const FfppRec *p = TabRec<FfppRec>(tvffpp, n);
    if (foerste ? p->Frauge < w : p->Tiluge > w) fjern.push_back(n);
  }
  for (uint32_t n : fjern) FjernPlanPeriode(gruppe, n);
  return true;
}

uint32_t OpretPlanGruppe(const char *navn) {
  const uint32_t n = NewRec(&tdffpg, &tvffpg);
  FfpgRec *g = Gruppe(n);
  if (!g) return 0;
  std::memset(g, 0, sizeof *g);
  std::memcpy(g->Navn, navn, strnlen(navn, std::min(sizeof g->Navn - 1, kTekstMaks)));
  const uint32_t aar = DagsDato() / 10000;
  g->Fradato = aar * 10000 + 101;
  g->Tildato = aar * 10000 + 1231;
  g->VisSkeLekt = 1;
  g->Ejer = PlanEgenInst();
  g->Status = PLANREC_LEVER;
  MarkerRec(tdffpg, tvffpg, n);
  NyPlanPeriode(n, UgeAf(aar * 10000 + 101), UgeAf(aar * 10000 + 1231));
  // A record used before may still be named by memberships of its old group.
  FjernGruppeRelationer(n);
  GemNu(0, tdffpg, tvffpg);
  tvffpg.AktuelRec = n;
  return n;
}

PlanGruppeGemt GemPlanGruppeCelle(HWND ejer, uint32_t gruppe, uint32_t kolonne, const char *tekst, uint32_t *ny) {
  if (ny) *ny = 0;
  char t[kTekstMaks + 1] = {};
  if (tekst) std::memcpy(t, tekst, strnlen(tekst, kTekstMaks));
  if (!Gruppe(gruppe)) {
    // A new group needs a name: an empty box on the empty row makes none.
    if (kolonne != 2 || t[0] == '\0') return PG_INTET;
    const uint32_t n = OpretPlanGruppe(t);
    if (ny) *ny = n;
    return n ? PG_NY : PG_INTET;
  }
  PlanGruppeGemt gemt = PG_INTET;
  if (kolonne == 2) {
    FfpgRec *g = Gruppe(gruppe);
    std::memset(g->Navn, 0, sizeof g->Navn);
    std::memcpy(g->Navn, t, strnlen(t, sizeof g->Navn - 1));
    gemt = PG_NAVN;
  } else if (kolonne == 3 || kolonne == 4) {
    const int64_t dato = LaesDato(t);
    if (!TjekPlanGruppeDato(ejer, gruppe, kolonne, dato)) return PG_INTET;
    if (!TilpasGruppeDato(ejer, gruppe, static_cast<Dato>(dato), kolonne == 3 ? 1 : 2)) return PG_INTET;
    gemt = PG_DATO;
  } else {
    return PG_INTET;
  }
  if (FfpgRec *g = Gruppe(gruppe)) g->Status = PLANREC_LEVER;
  MarkerRec(tdffpg, tvffpg, gruppe);
  GemNu(ejer, tdffpg, tvffpg);
  MarkerPlanEksport();
  if (gemt == PG_DATO) {
    NormaliserPlanPerioder(gruppe, 0);
    RydPlanGruppe(gruppe, 0);
    GemPlanPerioder(ejer);
    GenaabnPlan();
  }
  return gemt;
}

bool SletPlanGruppe(HWND ejer, uint32_t gruppe) {
  if (!Listes(Gruppe(gruppe))) return false;
  if (!BekraeftSletPerioder(gruppe, 0, ejer)) return false;
  for (uint32_t n : Perioder(gruppe)) SletEllerMaerkRec(&tdffpp, &tvffpp, n);
  for (uint32_t n = 1; n < tvfffagfordl.wRecCnt; ++n) {
    const FffagfordlRec *f = TabRec<FffagfordlRec>(tvfffagfordl, n);
    if (PlanRecIBrug(f->Status) && f->ffpg_id == gruppe) SletEllerMaerkRec(&tdfffagfordl, &tvfffagfordl, n);
  }
  // One pass over the number tables for all the group's rows.
  std::vector<uint8_t> raekke(tvffgrund.wRecCnt, 0);
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n) {
    const FfgrundRec *r = TabRec<FfgrundRec>(tvffgrund, n);
    if (PlanRecIBrug(r->Status) && r->ffpg_id == gruppe) raekke[n] = 1;
  }
  for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
    const FftaltabRec *t = TabRec<FftaltabRec>(tvfftaltab, n);
    const uint32_t r = t->ffgrund_id;
    if (PlanRecIBrug(t->Status) && r < raekke.size() && raekke[r]) SletEllerMaerkRec(&tdfftaltab, &tvfftaltab, n);
  }
  for (uint32_t n = 1; n < tvffpertab.wRecCnt; ++n) {
    const FfpertabRec *p = TabRec<FfpertabRec>(tvffpertab, n);
    const uint32_t r = p->ffgrund_id;
    if (PlanRecIBrug(p->Status) && r < raekke.size() && raekke[r]) SletEllerMaerkRec(&tdffpertab, &tvffpertab, n);
  }
  for (uint32_t n = 1; n < raekke.size(); ++n)
    if (raekke[n]) SletEllerMaerkRec(&tdffgrund, &tvffgrund, n);
  FjernGruppeRelationer(gruppe);
  SletEllerMaerkRec(&tdffpg, &tvffpg, gruppe);
  if (const HWND plan = PlanVindue()) SendMessageA(plan, PLAN_GENOPBYG_AKSER, 0, 0);
  MarkerPlanEksport();
  return true;
}

bool VaelgPlanGruppe(HWND hwnd, uint32_t gruppe) {
  if (gruppe && !GlobalIndstillinger.skemalaast) {
    char tekst[16];
    std::snprintf(tekst, sizeof tekst, "%u", gruppe);
    WritePrivateProfileStringA("ffplan", "ffplangruppe", tekst, StiTab.szini);
  }
  if (const HWND plan = PlanVindue()) {
    const auto *p = reinterpret_cast<const Plan *>(SendMessageA(plan, REL_PLAN_TILSTAND, 0, 0));
    if (!p || p->AktPlanGruppe != gruppe) SendMessageA(plan, SKE_FLYT_EFTER_INDSAET, 0, 0);
    return false;
  }
  DestroyWindow(hwnd);
  if (hwndHoved) PostMessageA(hwndHoved, WM_COMMAND, kPlanVindueType, 0);
  return true;
}

// ==================================================================== window

namespace {

constexpr const char *kKlasse = "PlanGruppeWndClass";
constexpr const char *kTitel = "PlanGruppe";
constexpr uint32_t kKolonneArt = 109;  // the columns' field layout
constexpr uint8_t kBogstav = '+';
constexpr int kKnapHoejde = 16;
constexpr int kRaekkeHoejde = 14;  // 13 pixels of cell, as high as the edit box, and the line above it
constexpr int kBoksHoejde = 13;
constexpr int kKnapId = 300;  // column button c has id 300 + c
constexpr int kMindsteBredde = 150, kMindsteHoejde = 100;
constexpr int kPerioderBredde = 200, kPerioderHoejde = 400;
const char *const kOverskrift[kPlanGruppeKolonner] = {"GrpNr", "Navn", "Fradato", "Tildato"};

PlanGruppeWS *Ws(HWND h) { return reinterpret_cast<PlanGruppeWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
bool Lever(HWND h, const PlanGruppeWS *ws) { return IsWindow(h) && Ws(h) == ws; }

int KolBredde(const PlanGruppeWS *ws, uint32_t c) {
  const uint32_t b = c >= 1 && c <= kPlanGruppeKolonner
                         ? ObjSwitchFeltBredde(kKolonneArt, kBogstav, ws->KolonneSwitch, c - 1)
                         : 0;
  return b ? static_cast<int>(b) : 8 * 8 + 2;
}
int KolStart(const PlanGruppeWS *ws, uint32_t c) {
  int x = 0;
  for (uint32_t i = 1; i < c && i <= kPlanGruppeKolonner; ++i) x += KolBredde(ws, i);
  return x;
}
int KolonnerBredde(const PlanGruppeWS *ws) { return KolStart(ws, kPlanGruppeKolonner + 1); }
uint32_t KolTegn(const PlanGruppeWS *ws, uint32_t c) {
  const uint32_t t = ObjSwitchFeltTegn(kKolonneArt, kBogstav, ws->KolonneSwitch, c - 1);
  return t ? t : 8;
}
int RaekkeY(const PlanGruppeWS *ws, uint32_t r) {
  return static_cast<int>(GridCelleStart(&ws->Hoved.AkseY, r)) - static_cast<int>(ws->Hoved.ScrollY);
}

int NaturligBredde(const PlanGruppeWS *ws, int maks) {
  const int b = KolonnerBredde(ws) + 2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL) + 6;
  return std::min(std::max(b, kMindsteBredde), std::max(maks, 0));
}
int NaturligHoejde(const PlanGruppeWS *ws, int maks) {
  const int h = static_cast<int>(ws->PosY.Antal) * kRaekkeHoejde + 2 * GetSystemMetrics(SM_CYFRAME) +
                GetSystemMetrics(SM_CYCAPTION) + kKnapHoejde + 8;
  return std::min(std::max(h, kMindsteHoejde), std::max(maks, 0));
}

// The list again; the cursor stays on the empty row when it stood there,
// else goes to the current plan group, else to the first group.
void ByggListe(PlanGruppeWS *ws) {
  Ens &e = ws->Hoved;
  const bool paaTom = ws->PosY.Aktuel != 0 && ws->PosY.Aktuel >= ws->PosY.Antal;
  const std::vector<uint32_t> liste = PlanGruppeListe();
  auto *tab = static_cast<uint32_t *>(std::calloc(liste.size(), sizeof(uint32_t)));
  if (!tab) return;
  std::memcpy(tab, liste.data(), liste.size() * sizeof(uint32_t));
  std::free(e.ObjTab);
  e.ObjTab = tab;
  e.ObjTabAntal = static_cast<uint32_t>(liste.size() - 1);
  ws->PosY.Antal = e.ObjTabAntal + 1;
  const uint32_t aktuel = tvffpg.AktuelRec;
  const uint32_t i = aktuel ? FindObjIdx(e.ObjTab, e.ObjTabAntal, aktuel) : 0;
  if (paaTom)
    ws->PosY.Aktuel = ws->PosY.Antal;
  else if (i)
    ws->PosY.Aktuel = i;
  else
    ws->PosY.Aktuel = e.ObjTabAntal ? 1 : ws->PosY.Antal;
  if (ws->PosX.Aktuel < 2) ws->PosX.Aktuel = 2;
}

uint8_t CelleKlasse(const PlanGruppeWS *ws, uint32_t c, uint32_t r) {
  if (c != ws->PosX.Aktuel || r != ws->PosY.Aktuel) return 0;
  return ws->Hoved.Aktiv ? 1 : 2;
}

void CelleTekst(const PlanGruppeWS *ws, uint32_t c, uint32_t r, char *tekst, size_t n) {
  tekst[0] = '\0';
  const FfpgRec *g = r >= 1 && r <= ws->Hoved.ObjTabAntal ? Gruppe(ws->Hoved.ObjTab[r]) : nullptr;
  if (!g) return;
  const int w = static_cast<int>(KolTegn(ws, c));
  switch (c) {
    case 1:
      std::snprintf(tekst, n, "%*u", w, ws->Hoved.ObjTab[r]);
      break;
    case 2: {
      char navn[sizeof g->Navn + 1] = {};
      std::memcpy(navn, g->Navn, strnlen(g->Navn, sizeof g->Navn));
      std::snprintf(tekst, n, "%-*.*s", w, w, navn);
      break;
    }
    case 3:
      std::snprintf(tekst, n, "%u", g->Fradato);
      break;
    case 4:
      std::snprintf(tekst, n, "%u", g->Tildato);
      break;
  }
}

void TegnCelle(PlanGruppeWS *ws, uint32_t c, uint32_t r) {
  Ens &e = ws->Hoved;
  const HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc) return;
  const int x = KolStart(ws, c) - static_cast<int>(e.ScrollX), y = RaekkeY(ws, r), b = KolBredde(ws, c);
  FillRectSys(dc, COLOR_3DLIGHT, x, y - 1, x + b, y);
  FillRectSys(dc, COLOR_3DLIGHT, x + b - 1, y, x + b, y + kRaekkeHoejde - 1);
  const uint8_t klasse = CelleKlasse(ws, c, r);
  FillRectIfAny(dc, FarveBrush[klasse] ? FarveBrush[klasse] : GetSysColorBrush(COLOR_WINDOW), x, y, x + b - 1,
                y + kRaekkeHoejde - 1);
  char tekst[80];
  CelleTekst(ws, c, r, tekst, sizeof tekst);
  if (!tekst[0]) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FarveTab[klasse ? 17 : 1]);
  TextOutA(dc, x + 2, y + 1, tekst, static_cast<int>(strnlen(tekst, sizeof tekst)));
}

void TegnCeller(PlanGruppeWS *ws) {
  Ens &e = ws->Hoved;
  const HDC dc = e.dc[ENSDC_CELLER].hdc;
  if (!dc) return;
  FillRectIfAny(dc, FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_WINDOW), 0, 0, e.RudeB[ENS_CELLER],
                e.RudeH[ENS_CELLER]);
  for (uint32_t r = 1; r <= ws->PosY.Antal; ++r)
    for (uint32_t c = 1; c <= kPlanGruppeKolonner; ++c) TegnCelle(ws, c, r);
}

void PlacerKnapper(PlanGruppeWS *ws) {
  for (uint32_t c = 1; c <= kPlanGruppeKolonner; ++c)
    if (ws->hwndKolKnapper[c - 1])
      MoveWindow(ws->hwndKolKnapper[c - 1], KolStart(ws, c) - static_cast<int>(ws->Hoved.ScrollX), 0,
                 KolBredde(ws, c), kKnapHoejde, TRUE);
}

// The cursor row in view, the scrollbar and the panes brought up to date.
void Opdater(PlanGruppeWS *ws) {
  Ens &e = ws->Hoved;
  const int H = e.RudeH[ENS_CELLER];
  if (H > 0) {
    uint32_t off = e.ScrollY;
    GridScrollTilAktuel(&ws->PosY, &off, static_cast<uint32_t>(H), &e.AkseY);
    e.ScrollY = off;
  }
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, H, static_cast<int>(ws->PosY.Antal ? GridCelleSlut(&e.AkseY, ws->PosY.Antal) : 0),
                 static_cast<int>(e.ScrollY));
  PlacerKnapper(ws);
  TegnCeller(ws);
}

// A list that grew or shrank takes the height it wants, within the space
// under the window, so that a new group does not scroll out of sight.
void TilpasHoejde(PlanGruppeWS *ws) {
  RECT v{0, 0, 0, 0}, p{0, 0, 0, 0};
  GetWindowRect(ws->hwnd, &v);
  const HWND foraelder = GetParent(ws->hwnd);
  if (!foraelder || ws->Hoved.Tilstand != 0) return;
  GetClientRect(foraelder, &p);
  POINT top{v.left, v.top};
  ScreenToClient(foraelder, &top);
  const int h = NaturligHoejde(ws, p.bottom - top.y);
  if (h > 0 && h != v.bottom - v.top)
    SetWindowPos(ws->hwnd, 0, 0, 0, v.right - v.left, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LukRediger(PlanGruppeWS *ws) {
  const HWND b = ws->hwndRediger;
  ws->hwndRediger = 0;
  if (b && IsWindow(b)) DestroyWindow(b);
}

// F2: the edit box over the cursor cell. A date needs a named group.
void AabnRediger(PlanGruppeWS *ws) {
  Ens &e = ws->Hoved;
  const uint32_t c = ws->PosX.Aktuel, r = ws->PosY.Aktuel;
  if (c < 2 || c > kPlanGruppeKolonner || r == 0 || r > ws->PosY.Antal) return;
  const uint32_t gruppe = PlanGruppeAktuel(ws);
  const FfpgRec *g = Gruppe(gruppe);
  if (c >= 3 && (!g || g->Navn[0] == '\0')) {
    Fejl(ws->hwnd, kNavnFoerDato);
    return;
  }
  char tekst[kTekstMaks + 1] = {};
  uint32_t graense = kPlanGruppeNavnMaks;
  if (g && c == 2) {
    const size_t n = strnlen(g->Navn, std::min(sizeof g->Navn, kTekstMaks));
    std::memcpy(tekst, g->Navn, n);
    // A longer name from elsewhere is shown whole, so that a box closed
    // unchanged does not cut it.
    graense = std::max<uint32_t>(graense, static_cast<uint32_t>(n));
  } else if (g) {
    std::snprintf(tekst, sizeof tekst, "%i", static_cast<int>(c == 3 ? g->Fradato : g->Tildato));
  }
  POINT p{KolStart(ws, c) - static_cast<LONG>(e.ScrollX), RaekkeY(ws, r)};
  if (e.hwndCeller) ClientToScreen(e.hwndCeller, &p);
  ws->hwndRediger =
      CreateEditboxWnd(e.hInstance, ws->hwnd, p.x, p.y, KolBredde(ws, c) - 1, kBoksHoejde, tekst, graense, false);
}

// 2345: the box is closed before anything is stored, so that the
// questions and messages have the input.
void GemRediger(PlanGruppeWS *ws, const char *tekst) {
  char t[kTekstMaks + 1] = {};
  if (tekst) std::memcpy(t, tekst, strnlen(tekst, kTekstMaks));
  LukRediger(ws);
  const HWND h = ws->hwnd;
  const uint32_t kolonne = ws->PosX.Aktuel;
  uint32_t ny = 0;
  const PlanGruppeGemt gemt = GemPlanGruppeCelle(h, PlanGruppeAktuel(ws), kolonne, t, &ny);
  if (!Lever(h, ws)) return;
  if (gemt == PG_DATO && kolonne == 4) ws->PosX.Aktuel = 2;
  if (gemt != PG_INTET) {
    ByggListe(ws);
    TilpasHoejde(ws);
  }
  Opdater(ws);
}

void SkiftTildeling(PlanGruppeWS *ws) {
  if (const HWND t = FindVindueType(kTildelType)) {
    DestroyWindow(t);
    if (const HWND f = VinduesListeForrest()) SendMessageA(f, VINDUE_AKTIVER, 1, 0);
    return;
  }
  const HWND t = CreateTildelPlanGruppeWnd(kTildelType);
  if (!t) return;
  ShowWindow(t, SW_SHOW);
  UpdateWindow(t);
  BringWindowToTop(t);
  if (hwndHoved) SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(t));
  (void)ws;
}

void AabnPerioder(PlanGruppeWS *ws) {
  const uint32_t gruppe = PlanGruppeAktuel(ws);
  if (!gruppe) return;
  RECT rc{0, 0, 0, 0};
  GetWindowRect(ws->hwnd, &rc);
  POINT p{rc.right, rc.top};
  const HWND foraelder = GetParent(ws->hwnd);
  if (foraelder) ScreenToClient(foraelder, &p);
  CreatePlanPerioderWnd(foraelder, ws->hwnd, p.x, p.y, p.x + kPerioderBredde, p.y + kPerioderHoejde, gruppe);
}

enum Handling { H_INGEN, H_VAELG, H_LUK, H_KOLONNE, H_RAEKKE, H_SLET, H_PERIODER, H_TILDEL, H_REDIGER };

Handling HandlingAf(const PlanGruppeWS *ws, const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return H_INGEN;
  switch (t.wParam) {
    case VK_RETURN: return H_VAELG;
    case VK_ESCAPE: return H_LUK;
    case VK_LEFT:
    case VK_RIGHT: return H_KOLONNE;
    case VK_UP:
    case VK_DOWN: return H_RAEKKE;
    case VK_DELETE: return ws->PosY.Aktuel >= 1 && ws->PosY.Aktuel <= ws->Hoved.ObjTabAntal ? H_SLET : H_INGEN;
    case 'P':
    case VK_F1: return t.ctrl ? H_PERIODER : H_INGEN;
    case 'T':
    case VK_F5: return H_TILDEL;
    case VK_F2: return H_REDIGER;
    case VK_F4: return H_LUK;
  }
  return H_INGEN;
}

TastInfo Tast(uint32_t tast, int32_t ctrl = 0) { return TastInfo{0, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}; }
const ShortCutPost kGenvejPoster[] = {
    {Tast(VK_RETURN), "<Enter>", "Vælg plangruppen til planvinduet."},
    {Tast(VK_F2), "<F2>", "Ret navn eller dato."},
    {Tast(VK_DELETE), "<Delete>", "Slet plangruppen."},
    {Tast('P', 1), "<Ctrl+P>", "Vis plangruppens perioder."},
    {Tast('T'), "<T>", "Tildel aktiviteter og medarbejdere til plangrupperne."},
    {Tast(VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

bool Udfoer(PlanGruppeWS *ws, const TastInfo &t) {
  const HWND h = ws->hwnd;
  Ens &e = ws->Hoved;
  if (t.message == WM_KEYDOWN && !t.ctrl && !t.alt && EnsTypeAhead(&e, &ws->PosY, t.wParam)) {
    Opdater(ws);
    return true;
  }
  switch (HandlingAf(ws, t)) {
    case H_INGEN:
      return false;
    case H_VAELG:
      VaelgPlanGruppe(h, PlanGruppeAktuel(ws));
      return true;
    case H_LUK:
      if (t.wParam == VK_ESCAPE && ws->hwndRediger) {
        LukRediger(ws);
        return true;
      }
      if (t.wParam == VK_F4) return KmdLukVindue(h, 0, 0, true, KMD_UDFOER);
      DestroyWindow(h);
      return true;
    case H_KOLONNE:
      if (GridTastFlytTrin(&ws->PosX, t.wParam, t.ctrl ? -1 : 0, t.alt ? -1 : 0, false, 0) || ws->PosX.Aktuel < 2) {
        if (ws->PosX.Aktuel < 2) ws->PosX.Aktuel = 2;
        Opdater(ws);
      }
      return true;
    case H_RAEKKE:
      ws->PosY.Synlige = std::max<uint32_t>(1, static_cast<uint32_t>(std::max(int{e.RudeH[ENS_CELLER]}, 0)) /
                                                   kRaekkeHoejde);
      if (GridTastFlytTrin(&ws->PosY, t.wParam, t.ctrl ? -1 : 0, t.alt ? -1 : 0, false, 0)) Opdater(ws);
      return true;
    case H_SLET:
      if (SletPlanGruppe(h, PlanGruppeAktuel(ws)) && Lever(h, ws)) {
        ByggListe(ws);
        TilpasHoejde(ws);
        Opdater(ws);
      }
      return true;
    case H_PERIODER:
      AabnPerioder(ws);
      return true;
    case H_TILDEL:
      SkiftTildeling(ws);
      return true;
    case H_REDIGER:
      if (ws->hwndRediger)
        LukRediger(ws);
      else
        AabnRediger(ws);
      return true;
  }
  return false;
}

bool BlivAktiv(HWND h, PlanGruppeWS *ws) {
  if (ws->Hoved.Aktiv) return true;
  if (ws->Hoved.hwndParent && !SendMessageA(ws->Hoved.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
    return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return Lever(h, ws) && ws->Hoved.Aktiv;
}

// The parent is told first: it deactivates the window it had as active,
// which may be this one.
void Aktiver(HWND h, PlanGruppeWS *ws, WPARAM wParam) {
  Ens &e = ws->Hoved;
  if (e.Aktiv && wParam == 0) {
    e.CaptionAktiv = 1;
    return;
  }
  if (e.hwndParent) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (!Lever(h, ws)) return;
  }
  e.Aktiv = 1;
  e.CaptionAktiv = 1;
  VinduesListeTilTop(h);
  BringWindowToTop(h);
  EnsPaintFrame(&e);
  Opdater(ws);
}

void Klik(HWND h, PlanGruppeWS *ws, LPARAM lParam) {
  if (!BlivAktiv(h, ws)) return;
  Ens &e = ws->Hoved;
  const int x = static_cast<short>(LOWORD(lParam)) + static_cast<int>(e.ScrollX);
  const int y = static_cast<short>(HIWORD(lParam));
  for (uint32_t c = 2; c <= kPlanGruppeKolonner; ++c)
    if (x >= KolStart(ws, c) && x < KolStart(ws, c) + KolBredde(ws, c)) ws->PosX.Aktuel = c;
  if (y >= 0) {
    const uint32_t r = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
    if (r >= 1 && r <= ws->PosY.Antal) ws->PosY.Aktuel = r;
  }
  Opdater(ws);
}

void Knap(HWND h, PlanGruppeWS *ws, LPARAM vaerdi) {
  switch (vaerdi) {
    case NYB_LUK:
      DestroyWindow(h);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &ws->Hoved);
      return;
    case NYB_MINIMER:
    case NYB_GENDAN:
      EnsMinimize(h, &ws->Hoved);
      return;
  }
}

void OpretKnapper(PlanGruppeWS *ws) {
  Ens &e = ws->Hoved;
  const HWND kol = e.hwndKolHoved ? e.hwndKolHoved : ws->hwnd;
  for (uint32_t c = 1; c <= kPlanGruppeKolonner; ++c) {
    ws->hwndKolKnapper[c - 1] = CreateNyButtonWnd(e.hInstance, kol, ws->hwnd, kKnapId + c, 0, 0, 0, 0,
                                                  KolBredde(ws, c), kKnapHoejde, kOverskrift[c - 1],
                                                  kOverskrift[c - 1]);
    if (ws->hwndKolKnapper[c - 1]) ShowWindow(ws->hwndKolKnapper[c - 1], SW_SHOWNA);
  }
}

void Opret(HWND h, PlanGruppeWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->Hoved;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_V;
  std::snprintf(e.Titel, sizeof e.Titel, "%s", kTitel);
  e.RaekkeHovedBredde = 0;
  e.KolHovedHoejde = kKnapHoejde;
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = GetSystemMetrics(SM_CXFRAME);
  e.Areal[1] = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION);
  e.Areal[2] = rc.right - 1 - GetSystemMetrics(SM_CXFRAME);
  e.Areal[3] = rc.bottom - 1 - GetSystemMetrics(SM_CYFRAME);
  e.StyrX = &ws->PosX;
  e.StyrY = &ws->PosY;
  EnsCalcLayout(&e);
  EnsCreateChildren(&e, h, 0, nullptr, TxtFont, false, true, nullptr);
  if (TxtFont && e.hwndCeller) SelectDCPalette(e.hwndCeller, &e.dc[ENSDC_CELLER], TxtFont);
  OpretKnapper(ws);
  ByggListe(ws);
  VinduesListeTilfoej(h);
  // The shell takes the window as its input window when it has been made
  // (1116); it opens active without taking the active window's place.
  e.Aktiv = 1;
  e.CaptionAktiv = 1;
  Opdater(ws);
}

void Nedlaeg(HWND h, PlanGruppeWS *ws) {
  LukRediger(ws);
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_INPUT_LUKKET, 0, static_cast<LPARAM>(h));
  for (HWND &k : ws->hwndKolKnapper) {
    if (k && IsWindow(k)) DestroyWindow(k);
    k = 0;
  }
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  std::free(ws->Hoved.ObjTab);
  std::free(ws);
}

}  // namespace

uint32_t PlanGruppeAktuel(const PlanGruppeWS *ws) {
  const uint32_t r = ws ? ws->PosY.Aktuel : 0;
  return r >= 1 && r <= ws->Hoved.ObjTabAntal && ws->Hoved.ObjTab ? ws->Hoved.ObjTab[r] : 0;
}

PlanGruppeWS *PlanGruppeVinduesWS(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  char klasse[32] = "";
  GetClassNameA(hwnd, klasse, sizeof klasse);
  return std::strcmp(klasse, kKlasse) == 0 ? Ws(hwnd) : nullptr;
}

HWND CreatePlanGruppeWnd(int x, int y, int bredde, int hoejde, int id) {
  auto *ws = static_cast<PlanGruppeWS *>(std::calloc(1, sizeof(PlanGruppeWS)));
  if (!ws) return 0;
  ws->Id = id;
  ws->Bogstav = kBogstav;
  ws->pTd = &tdffpg;
  ws->pTv = &tvffpg;
  ws->KolonneSwitch = ObjSwitchValgt(kKolonneArt, kBogstav);
  ws->Hoved.pTd = &tdffpg;
  ws->Hoved.pTv = &tvffpg;
  ws->Hoved.hInstance = hInst;
  ws->Hoved.AkseY = GridAkse{1, kRaekkeHoejde - 1, 1, 0, 0};
  ws->Hoved.AkseX = GridAkse{0, 1, 1, 0, 0};
  ws->PosX = GridPos{kPlanGruppeKolonner, 1, kPlanGruppeKolonner, 2};
  ws->PosY.Antal = static_cast<uint32_t>(PlanGruppeListe().size());
  const int b = NaturligBredde(ws, bredde);
  const int h = NaturligHoejde(ws, hoejde);
  const HWND desktop = hwndDesktop;
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, b, h, desktop,
                              static_cast<HMENU>(id), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) std::free(ws);
    return 0;
  }
  return hwnd;
}

LRESULT CALLBACK PlanGruppeWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<PlanGruppeWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  PlanGruppeWS *ws = Ws(h);
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
        PlanLayout(&e, h, LOWORD(lParam), HIWORD(lParam), 0);
        EnsPaintFrame(&e);
        Opdater(ws);
      }
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnCeller(ws);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
      PlacerKnapper(ws);
      return 0;
    case ENS_CELLER_TEGN:
      TegnCeller(ws);
      return 0;
    case ENS_CELLER_NED:
      Klik(h, ws, lParam);
      return 0;
    case WM_RBUTTONDOWN: {
      EnsActivateOnClick(h, &e);
      if (!Lever(h, ws) || !e.Aktiv) return 0;
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
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), kMindsteBredde,
                  NaturligBredde(ws, INT32_MAX), kMindsteHoejde, INT32_MAX);
      return TRUE;
    case WM_EXITSIZEMOVE:
      EnsPaintFrame(&e);
      Opdater(ws);
      break;
    case ENS_BREDDE:
      return NaturligBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return NaturligHoejde(ws, static_cast<int>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
      Aktiver(h, ws, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      EnsPaintFrame(&e);
      Opdater(ws);
      return 0;
    case DATA_AENDRET:
    case EFTER_IMPORT:
      ByggListe(ws);
      TilpasHoejde(ws);
      Opdater(ws);
      return 0;
    case NYB_KLIK:
      Knap(h, ws, lParam);
      return 0;
    case EDITBOX_OK:
      GemRediger(ws, reinterpret_cast<const char *>(lParam));
      return 0;
    case EDITBOX_FORTRYD:
      ws->hwndRediger = 0;
      return 0;
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && HandlingAf(ws, *t) != H_INGEN ? 1 : 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (t.message == WM_KEYDOWN || t.message == WM_SYSKEYDOWN) Udfoer(ws, t);
      return 0;
    }
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}
