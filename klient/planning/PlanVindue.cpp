// The plan window. Its state is the Plan it gets at creation; every table
// the plan points to is freed in FrigivPlan, after every plan job has been
// joined and the plan saved, so no job can run on freed rows.
#include "PlanVindue.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "ELEMENT.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FONTE.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "FF_VALG.h"
#include "GRIDAKSE.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "NYBUTTON.h"
#include "PlanRediger.h"
#include "PLANAKSER.h"
#include "PLANGITTER.h"
#include "PlanFold.h"
#include "PlanTast.h"
#include "PlanTegn.h"
#include "PlanTraad.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "STATUSBAR.h"
#include "TEKST.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TAVOTB.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "win/controls.h"

namespace {

constexpr const char *kKlasse = "PlanWndClass";
constexpr const char *kTitel = "Planl\xE6gning - TAVO";
constexpr uint32_t kArtListe = 112;
constexpr uint32_t kArtKolonne = 111;
constexpr uint32_t kArtVenstre = 113;
constexpr uint32_t kRaekkeHoejde = 14;
constexpr int kKnapHoejde = 16;
// The field header buttons over two header lines (the year over the week).
constexpr uint32_t kKolHovedHoejde = 38;
LPARAM PlanMusRude = 0;

Plan *Ws(HWND h) { return h ? reinterpret_cast<Plan *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr; }

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }

uint8_t Knapper(const Plan *plan) { return plan->LayoutPlanListe.Knapper; }

const FfpgRec *AktuelGruppe(const Plan *plan) {
  const uint32_t g = plan->AktPlanGruppe;
  if (g == 0 || g >= tvffpg.wRecCnt) return nullptr;
  const FfpgRec *r = TabRec<FfpgRec>(tvffpg, g);
  return PlanRecIBrug(r->Status) ? r : nullptr;
}

// The room for the plan list's switch buttons, one per layout of its
// letter; the frame makes the buttons themselves.
void GenopbygKnapper(Plan *plan) {
  Ens &e = plan->Ens;
  if (e.hwndSwitchButtons) {
    for (uint32_t i = 0; i < plan->FeltKnapArbejd[0]; ++i)
      if (e.hwndSwitchButtons[i]) DestroyWindow(e.hwndSwitchButtons[i]);
    free(e.hwndSwitchButtons);
    e.hwndSwitchButtons = nullptr;
  }
  const uint32_t antal = Knapper(plan);
  plan->FeltKnapArbejd[0] = antal;
  if (antal) e.hwndSwitchButtons = static_cast<HWND *>(calloc(antal, sizeof(HWND)));
}

// The field header buttons of the plan list, one per field of its layout.
void GenopbygFeltKnapper(Plan *plan, HWND hwnd) {
  if (plan->hwndFeltKnapper) {
    for (uint32_t i = 0; i < plan->FeltKnapArbejd[1]; ++i)
      if (plan->hwndFeltKnapper[i]) DestroyWindow(plan->hwndFeltKnapper[i]);
    free(plan->hwndFeltKnapper);
    plan->hwndFeltKnapper = nullptr;
  }
  const PlanFeltLayout &l = plan->LayoutPlanListe;
  const uint32_t antal = l.FeltAntal;
  plan->FeltKnapArbejd[1] = antal;
  if (antal == 0 || !hwnd) return;
  plan->hwndFeltKnapper = static_cast<HWND *>(calloc(antal, sizeof(HWND)));
  for (uint32_t i = 0; i < antal; ++i) {
    HWND k = CreateNyButtonWnd(plan->Ens.hInstance, hwnd, hwnd, 300 + i, 300 + i, 0, 0, 0, 0, 0, "", "");
    plan->hwndFeltKnapper[i] = k;
  }
}

// The field header buttons side by side over the summary pane, by the
// fields' widths, the last one clipped to the pane and those beyond it
// hidden.
void PlacerFeltKnapper(Plan *plan) {
  const PlanFeltLayout &l = plan->LayoutPlanListe;
  const Ens &e = plan->Ens;
  const int venstre = e.RudeX[ENS_HOEJRE];
  const int hoejre = venstre + e.RudeB[ENS_HOEJRE];
  const int y = e.RudeY[ENS_HOEJRE] - static_cast<int>(e.KolHovedHoejde);
  int x = venstre;
  for (uint32_t i = 0; i < plan->FeltKnapArbejd[1] && plan->hwndFeltKnapper; ++i) {
    HWND k = plan->hwndFeltKnapper[i];
    if (!k) continue;
    const int b = static_cast<int>(ObjSwitchFeltBredde(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i));
    if (x >= hoejre || b <= 0) {
      ShowWindow(k, SW_HIDE);
      continue;
    }
    MoveWindow(k, x, y, std::min(b, hoejre - x), kKnapHoejde, TRUE);
    ShowWindow(k, SW_SHOW);
    x += b + 1;
  }
}

void TegnAlt(Plan *plan, uint32_t flag) { TegnPlan(plan, flag); }

void LukPopup(Plan *plan) {
  if (HWND h = plan->hwndRediger) {
    plan->hwndRediger = 0;
    // The box had the keys while it was open; the plan window keeps none,
    // so they go back to the main window, which hands them on.
    if (IsWindow(h)) DestroyWindow(h);
    if (hwndHoved && IsWindow(hwndHoved) && GetFocus() != hwndHoved) SetFocus(hwndHoved);
  }
}

// The header sizes from the columns of the three areas.
void SaetHoveder(Plan *plan) {
  Ens &e = plan->Ens;
  e.RaekkeHovedBredde = KolonneStart(plan, plan->StyrLX.Pos.Antal + 1, PLAN_OMR_VENSTRE);
  e.HoejreBredde = KolonneStart(plan, plan->StyrRX.Pos.Antal + 1, PLAN_OMR_HOEJRE);
  e.KolHovedHoejde = kKolHovedHoejde;
}

// Every axis built afresh, the cursors back on what they stood on.
void GenopbygAkser(Plan *plan) {
  HuskPlanCursor(plan);
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  BygKolonner(plan);
  BygSynligeKolonner(plan);
  BygRaekker(plan, true);
  BevarKolonneCursor(plan);
  BevarRaekkeCursor(plan);
  SaetHoveder(plan);
}

void Opdater(Plan *plan, uint32_t flag) {
  PlanHScrollInfo(plan);
  PlanVScrollInfo(plan);
  TegnAlt(plan, flag);
}

// The group's dates and its row-view setting into the plan.
void TagGruppe(Plan *plan) {
  if (const FfpgRec *g = AktuelGruppe(plan)) {
    plan->Fradato = g->Fradato;
    plan->Tildato = g->Tildato;
    plan->VisSkeLekt = g->VisSkeLekt;
  } else {
    plan->Fradato = plan->Tildato = 0;
  }
}

// The cursor's row and its heading before a pick changes the rows: the
// pick list reports further marks for the row it was opened on.
uint32_t HuskValgCursor(Plan *plan) {
  HuskPlanCursor(plan);
  return FindOverskrift(plan, plan->HuskRaekke);
}

// A pick the plan refused leaves nothing to restore.
void GlemValgCursor(Plan *plan) {
  plan->HuskRaekke = 0;
  plan->HuskKolonneArt = 0;
  plan->HuskKolonneUge = 0;
}

// The rows of the current group rebuilt after its membership changed;
// after a pick the cursor is kept (HuskValgCursor), on the heading when the
// pick took its row away.
void GenopbygGruppe(Plan *plan, HWND hwnd, bool manglende, const uint32_t *bevarHoved = nullptr) {
  {
    PlanLaas laas;
    if (manglende) TilfoejManglendeRaekker(plan);
    SaetPlanFlag(plan);  // the flags and every axis, the cursors on 1
  }
  OpretOverskrifter(plan);
  // Only the rows again, with the headings just made.
  BygRaekker(plan, true);
  if (bevarHoved) {
    if (plan->HuskRaekke && plan->ObjTypeTab[plan->HuskRaekke] == 0) plan->HuskRaekke = *bevarHoved;
    BevarRaekkeCursor(plan);
    BevarKolonneCursor(plan);
  }
  SaetHoveder(plan);
  StartPlanTraad(plan, 4);
  TilpasVindue(hwnd);
  Opdater(plan, 1);
}

void Aktiver(HWND hwnd, Plan *plan, UINT msg, WPARAM wParam) {
  Ens &e = plan->Ens;
  if (msg == VINDUE_DEAKTIVER) {
    e.Aktiv = e.CaptionAktiv = 0;
  } else {
    const bool var = e.Aktiv;
    e.Aktiv = e.CaptionAktiv = 1;
    if (!var && msg != VINDUE_SAET_AKTIV) {
      VinduesListeTilTop(hwnd);
      SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(hwnd));
    }
  }
  EnsPaintFrame(&e);
  TegnAlt(plan, 1);
}

// A click into a pane: a fold mark folds, anything else moves the cursor;
// the window then asks to become the active one.
void Klik(HWND hwnd, Plan *plan, UINT msg, LPARAM lParam) {
  const int x = static_cast<int16_t>(LOWORD(lParam)), y = static_cast<int16_t>(HIWORD(lParam));
  PlanKlik(plan, msg, x, y);
  if (SendMessageA(plan->Ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)) == 0)
    SendMessageA(hwnd, VINDUE_AKTIVER, 0, 0);
}

void SkiftLayout(HWND hwnd, Plan *plan, uint32_t nr) {
  PlanFeltLayout &l = plan->LayoutPlanListe;
  if (nr == l.SwitchNr || nr >= Knapper(plan)) return;
  Ens &e = plan->Ens;
  if (e.hwndSwitchButtons && e.hwndSwitchButtons[l.SwitchNr])
    SendMessageA(e.hwndSwitchButtons[l.SwitchNr], NYB_LAAS_OP, 0, 0);
  if (e.hwndSwitchButtons && e.hwndSwitchButtons[nr]) SendMessageA(e.hwndSwitchButtons[nr], NYB_LAAS_NED, 0, 0);
  ObjSwitchVaelg(static_cast<uint32_t>(l.Art), l.Bogstav, nr);
  l.SwitchNr = static_cast<uint8_t>(nr);
  l.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(static_cast<uint32_t>(l.Art), l.Bogstav, nr));
  BygVenstreKolonner(plan);
  BygHoejreKolonner(plan);
  GenopbygFeltKnapper(plan, hwnd);
  TilpasVindueFuld(hwnd);
  PlacerFeltKnapper(plan);
  TegnAlt(plan, 1);
}

void Knap(HWND hwnd, Plan *plan, WPARAM id) {
  if (id == NYB_LUK) {
    DestroyWindow(hwnd);
    return;
  }
  if (id >= ENS_SKIFT_ID && id < ENS_SKIFT_ID + 100u) SkiftLayout(hwnd, plan, static_cast<uint32_t>(id - ENS_SKIFT_ID));
}

LRESULT Tast(HWND hwnd, Plan *plan, UINT msg, WPARAM wParam, LPARAM lParam) {
  // An open edit box takes every key until it closes.
  TastInfo tast{};
  MakeTastInfo(&tast, msg, wParam, lParam);
  // A box that ended by itself (a click outside it) is only forgotten:
  // the keys are the plan's again.
  if (plan->hwndRediger && !IsWindow(plan->hwndRediger)) plan->hwndRediger = 0;
  if (HWND popup = plan->hwndRediger) {
    // A key record from the main window reaches the box as the key itself.
    if (msg == TAST_MODTAG)
      SendMessageA(popup, tast.message, tast.wParam, static_cast<LPARAM>(tast.lParam));
    else
      SendMessageA(popup, msg, wParam, lParam);
    return 0;
  }
  const int trin = PlanTastTrin(plan, &tast, 2);
  if (trin == 1) {
    const uint32_t scrollX = plan->Ens.ScrollX, scrollY = plan->Ens.ScrollY;
    uint8_t r = 0;
    PlanTast(plan, &tast, &r);
    // The command may have closed the window and freed the plan.
    if (r && Ws(hwnd) == plan) {
      uint32_t flag = r;
      if (plan->Ens.ScrollX != scrollX) flag |= 8;
      if (plan->Ens.ScrollY != scrollY) flag |= 16;
      TegnAlt(plan, flag);
    }
  }
  return trin;
}

void Nedlaeg(HWND hwnd, Plan *plan);

}  // namespace

// ---- The plan's state ----

void PlanOpsaetLayout(Plan *plan) {
  if (plan->Visning != 'A' && plan->Visning != 'M' && plan->Visning != 'O') {
    plan->Visning = 'A';
    plan->VisSkeLekt = 1;
  }
  const uint8_t bogstav = plan->Visning == 'A' ? 'K' : 'M';
  plan->MedaVisning = plan->Visning == 'A' ? 0 : 1;
  PlanFeltLayout &liste = plan->LayoutPlanListe;
  liste.Art = kArtListe;
  liste.Bogstav = bogstav;
  liste.SwitchNr = static_cast<uint8_t>(ObjSwitchValgt(kArtListe, bogstav));
  liste.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(kArtListe, bogstav, liste.SwitchNr));
  liste.Knapper = static_cast<uint8_t>(std::min<uint32_t>(ObjSwitchAntal(kArtListe, bogstav), 100));
  PlanFeltLayout &kol = plan->LayoutKolonne;
  kol.Art = kArtKolonne;
  kol.Bogstav = '#';
  kol.SwitchNr = static_cast<uint8_t>(ObjSwitchValgt(kArtKolonne, '#'));
  kol.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(kArtKolonne, '#', kol.SwitchNr));
  PlanFeltLayout &v = plan->LayoutVenstre;
  v.Art = kArtVenstre;
  v.Bogstav = '#';
  v.SwitchNr = plan->Visning == 'A' ? static_cast<uint8_t>(ObjSwitchValgt(kArtVenstre, '#'))
                                    : (plan->Visning == 'M' ? 2 : 1);
  v.FeltAntal = static_cast<uint8_t>(ObjSwitchFeltAntal(kArtVenstre, '#', v.SwitchNr));
  plan->DetaljeNiveau = 0;
  plan->UnderVisning = 0;
  snprintf(plan->Ens.Titel, sizeof plan->Ens.Titel, "%s", kTitel);
  plan->Ens.EgenRamme = 1;
  plan->Ens.CaptionAktiv = 1;
}

void SaetPlanPeriode(Plan *plan) {
  if (!plan) return;
  Uge uge = 0;
  const uint32_t pos = plan->StyrX.Pos.Aktuel;
  if (plan->StyrX.ObjTab && pos >= 1 && pos <= plan->StyrX.Pos.Antal) {
    const uint32_t c = plan->StyrX.ObjTab[pos];
    if (plan->UgeTab && plan->ObjTypeTabX && (plan->ObjTypeTabX[c] == 32 || plan->ObjTypeTabX[c] == 33))
      uge = plan->UgeTab[c];
  }
  Uge fraUge = 0, tilUge = 0;
  uint8_t fraDag = 0, tilDag = 0;
  if (plan->Fradato) DatoTilUge(plan->Fradato, &fraUge, &fraDag);
  if (plan->Tildato) DatoTilUge(plan->Tildato, &tilUge, &tilDag);
  if (uge == 0) uge = fraUge ? fraUge : SkemaPeriode.FoersteUge;
  uge = std::clamp(uge, SkemaPeriode.FoersteUge, std::max(SkemaPeriode.FoersteUge, SkemaPeriode.SidsteUge));
  uint8_t dag = 3;
  if (uge == fraUge)
    dag = fraDag;
  else if (uge == tilUge)
    dag = tilDag;
  const uint8_t sidste = VisningsTilstand[VISNING_LEKTION].SidsteUgedag;
  if (sidste >= 1 && dag > sidste) dag = sidste;
  if (dag == 0 || dag > 7) dag = 1;
  const Dato dato = UgeDagTilDato(uge, dag);
  SaetAktuelDato(dato);
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, plan->hwndPlan);
  if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
    SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(dato));
}

uint32_t PlanAktuelPost(const Plan *plan) {
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || r > plan->GrundTabAntal) return 0;
  const GrundRaekke &g = plan->GrundTab[r];
  return plan->Visning == 'A' ? g.Aktivitet : g.Medarbejder1;
}

uint32_t PlanAnfoRaekke(const Plan *plan, uint32_t anfo) {
  if (!plan || anfo == 0) return 0;
  for (uint32_t r = 1; r <= plan->GrundTabAntal && plan->GrundTab; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    if (g.ffpg_id == plan->AktPlanGruppe && g.KopiAf == 0 && (g.Medarbejder1 == anfo || g.Medarbejder2 == anfo))
      return r;
  }
  return 0;
}

void PlanGruppensUger(const Plan *plan, PlanGruppeUger *ud) {
  *ud = PlanGruppeUger{};
  Uge u = 0;
  uint8_t d = 0;
  if (plan->Fradato) {
    DatoTilUge(plan->Fradato, &u, &d);
    ud->FraUge = u;
    ud->FraDag = d;
  }
  if (plan->Tildato) {
    DatoTilUge(plan->Tildato, &u, &d);
    ud->TilUge = u;
    ud->TilDag = d;
  }
}

void FrigivPlan(Plan *plan) {
  if (!plan) return;
  TomPlan(plan);
  TomPlanTabeller(plan);
  FrigivPlanAkser(plan);
  free(plan->PeriodeTab);
  free(plan->PeriodeSort);
  free(plan->AnfoSkfaKrydsTab);
  free(plan->Brutto.Poster);
  free(plan->hwndFeltKnapper);
  free(plan->Ens.hwndSwitchButtons);
  free(plan);
}

Plan *PlanAfVindue(HWND hwnd) {
  char klasse[32] = {};
  if (!hwnd || !GetClassNameA(hwnd, klasse, sizeof klasse) || strcmp(klasse, kKlasse) != 0) return nullptr;
  return Ws(hwnd);
}

// ---- Opening ----

HWND CreatePlan(HWND parent, int id, int venstre, int top, int hoejre, int bund) {
  Plan *plan = static_cast<Plan *>(calloc(1, sizeof(Plan)));
  if (!plan) return 0;
  plan->Ens.hInstance = hInst;
  plan->Ens.hwndParent = parent;
  LogMemUsage("CreatePlan() start");
  hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
  PlanOpsaetLayout(plan);
  plan->Ens.StyrX = &plan->StyrX.Pos;
  plan->Ens.StyrY = &plan->StyrY.Pos;
  plan->Ens.TredjeAkse = &plan->StyrZ;
  plan->Ens.AkseY = GridAkse{0, kRaekkeHoejde, 1, 0, 0};
  plan->Ens.AkseX = GridAkse{0, 1, 1, 0, 0};
  plan->StyrX.Pos.Foerste = 1;
  BygGruppeListe(plan);
  VaelgStartPlanGruppe(plan);
  TagGruppe(plan);
  TomPlan(plan);
  TomPlanTabeller(plan);
  AllokerPlanTabeller(plan);
  RegistrerPlanVenteSkabeloner();
  const INT_PTR hentet = DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_VENTE), 0, HentPlanDlgProc,
                                         reinterpret_cast<LPARAM>(plan));
  if (hentet != 1) {
    CloseAllElements();
    // Nothing is left of a plan that could not be loaded: its jobs are
    // joined and its mutex closed, or the next opening would find both.
    VentPaaPlanTraade(plan);
    if (hPlanMutex) DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, LukPlanDlgProc,
                                    reinterpret_cast<LPARAM>(plan));
    FrigivPlan(plan);
    return 0;
  }
  CountExportChanges();
  const int bredde = PlanBredde(plan, hoejre - venstre);
  const int hoejde = PlanHoejde(plan, bund - top);
  HWND h = CreateWindowExA(0, kKlasse, nullptr, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, bredde,
                           hoejde, parent, static_cast<HMENU>(id), hInst, plan);
  if (!h) {
    VentPaaPlanTraade(plan);
    if (hPlanMutex) DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, LukPlanDlgProc,
                                    reinterpret_cast<LPARAM>(plan));
    FrigivPlan(plan);
  }
  return h;
}

namespace {

void Opret(HWND hwnd, Plan *plan) {
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(plan));
  Ens &e = plan->Ens;
  plan->hwndPlan = hwnd;
  RECT rc{};
  GetClientRect(hwnd, &rc);
  e.Areal[0] = rc.left + (e.EgenRamme ? CxFrame() : 0);
  e.Areal[1] = rc.top + (e.EgenRamme ? CyFrame() + GetSystemMetrics(SM_CYCAPTION) : 0) + kToolbarHoejde;
  e.Areal[2] = rc.right - 1 - (e.EgenRamme ? CxFrame() : 0);
  e.Areal[3] = rc.bottom - 1 - (e.EgenRamme ? CyFrame() : 0);
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  e.hdc = GetDC(hwnd);
  GenopbygAkser(plan);
  GenopbygKnapper(plan);
  EnsCalcLayout(&e);
  static const uint32_t kToolbar[7] = {};
  EnsCreateChildren(&e, hwnd, Knapper(plan), kToolbar, TxtFont, true, true, nullptr);
  // The plan's panes write in the grid text font.
  for (EnsDC &dc : e.dc)
    if (dc.hdc) SelectObject(dc.hdc, TxtFont);
  const uint32_t valgt = plan->LayoutPlanListe.SwitchNr;
  if (e.hwndSwitchButtons && valgt < Knapper(plan) && e.hwndSwitchButtons[valgt])
    SendMessageA(e.hwndSwitchButtons[valgt], NYB_LAAS_NED, 0, 0);
  GenopbygFeltKnapper(plan, hwnd);
  PlanLayout(&e, hwnd, rc.right - rc.left, rc.bottom - rc.top, Knapper(plan));
  PlacerFeltKnapper(plan);
  PlanHScrollInfo(plan);
  PlanVScrollInfo(plan);
  e.Aktiv = e.CaptionAktiv = 1;
  VinduesListeTilfoej(hwnd);
  SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(hwnd));
  if (hwndHoved) EnableMenuItem(GetMenu(hwndHoved), kPlanCsvKommando, MF_BYCOMMAND | MF_ENABLED);
  LogMemUsage("PlanWndProc() WM_CREATE slut");
}

void Nedlaeg(HWND hwnd, Plan *plan) {
  // Every job is joined before the save: a job still running would work on
  // rows the save writes and the free below takes away.
  if (hPlanMutex)
    DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, OpdaterPlanDlgProc,
                    static_cast<LPARAM>(hPlanMutex));
  VentPaaPlanTraade(plan);
  GemPlanData(plan);
  CloseElementsOfKind(40271);
  VinduesListeFjern(hwnd);
  if (VinduesListeAntal() == 0) CloseElementsOfKind(40187);
  if (!LukkerAlleVinduer && hwndHoved) SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(hwnd));
  if (hwndDesktop) SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  plan->hwndPlan = 0;
  if (plan->Ens.hdc) ReleaseDC(hwnd, plan->Ens.hdc);
  FrigivPlan(plan);
  if (hwndHoved) EnableMenuItem(GetMenu(hwndHoved), kPlanCsvKommando, MF_BYCOMMAND | MF_GRAYED);
  LogMemUsage("PlanWndProc() WM_DESTROY slut");
  if (hPlanMutex)
    DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, LukPlanDlgProc, 0);
}

}  // namespace

// ---- Clicks, the shared current object, choices ----

namespace {

// The fold mark's corner of a heading cell or a period column header.
constexpr int kMaerkeBredde = 10, kMaerkeHoejde = 12;

bool ErOverskrift(uint32_t art) {
  return art == PLAN_AKTI || art == PLAN_MEDA || art == PLAN_OPG_AKTI || art == PLAN_FREMMED_AKTI;
}

uint32_t RaekkeVed(const Plan *plan, int y) {
  const Ens &e = plan->Ens;
  if (y < 0) return 0;
  const uint32_t pos = GridPixelTilCelle(&e.AkseY, static_cast<uint32_t>(y) + e.ScrollY);
  return pos >= 1 && pos <= plan->StyrY.Pos.Antal ? pos : 0;
}

uint32_t KolonneArt(const Plan *plan, uint32_t pos) {
  if (!plan->StyrX.ObjTab || pos == 0 || pos > plan->StyrX.Pos.Antal) return 0;
  return plan->ObjTypeTabX ? plan->ObjTypeTabX[plan->StyrX.ObjTab[pos]] : 0;
}

uint32_t VenstreArt(const Plan *plan, uint32_t pos) {
  if (!plan->StyrLX.ObjTab || pos == 0 || pos > plan->StyrLX.Pos.Antal) return 0;
  return plan->ObjTypeTabLX ? plan->ObjTypeTabLX[plan->StyrLX.ObjTab[pos]] : 0;
}

bool TalUdenforAnfo(const Plan *plan, uint32_t anfo) {
  if (anfo == 0 || anfo >= tvanfo.wRecCnt) return false;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &g = plan->GrundTab[r];
    if (g.KopiAf || (g.Medarbejder1 != anfo && g.Medarbejder2 != anfo) || !g.TalTab) continue;
    for (uint32_t u = 1; u <= plan->UgeAntal; ++u) {
      const TalPost &t = g.TalTab[u];
      if (t.Lektioner == 0 && t.Timer == 0) continue;
      const Uge uge = IndeksTilUge(u);
      if (UgeDagTilDato(uge, 7) < a->Fradato || UgeDagTilDato(uge, 1) > a->Tildato) return true;
    }
  }
  return false;
}

}  // namespace

void PlanKlik(Plan *plan, UINT msg, int x, int y) {
  const Ens &e = plan->Ens;
  switch (msg) {
    case ENS_HJOERNE_VENSTRE_NED: {
      // The caption header's fold mark folds or opens every heading.
      const uint32_t k = KolonneVedTegn(plan, static_cast<uint32_t>(std::max(x, 0)), PLAN_OMR_VENSTRE);
      if (VenstreArt(plan, k) == 21 && x - static_cast<int>(KolonneStart(plan, k, PLAN_OMR_VENSTRE)) < kMaerkeBredde &&
          plan->StyrY.Pos.Antal)
        FoldRaekke(plan, true);
      return;
    }
    case ENS_KOLHOVED_NED: {
      const uint32_t px = static_cast<uint32_t>(std::max(x, 0)) + e.ScrollX;
      const uint32_t k = KolonneVedTegn(plan, px, PLAN_OMR_UGER);
      if (k == 0 || k > plan->StyrX.Pos.Antal) return;
      plan->StyrX.Forrige = plan->StyrX.Pos.Aktuel;
      plan->StyrX.Pos.Aktuel = k;
      plan->StyrLX.Pos.Aktuel = 0;
      const uint32_t art = KolonneArt(plan, k);
      const int ind = static_cast<int>(px - KolonneStart(plan, k, PLAN_OMR_UGER));
      if ((art == 31 || art == 32) && ind < kMaerkeBredde && y < kMaerkeHoejde) {
        FoldKolonne(plan, art == 31, false);
      }
      return;
    }
    case ENS_RAEKKEHOVED_NED:
    case ENS_RAEKKEHOVED_DBL: {
      const uint32_t pos = RaekkeVed(plan, y);
      if (pos == 0) return;
      plan->StyrY.Forrige = plan->StyrY.Pos.Aktuel;
      plan->StyrY.Pos.Aktuel = pos;
      const uint32_t k = KolonneVedTegn(plan, static_cast<uint32_t>(std::max(x, 0)), PLAN_OMR_VENSTRE);
      if (k >= 1 && k <= plan->StyrLX.Pos.Antal) plan->StyrLX.Pos.Aktuel = k;
      const uint32_t r = plan->Ens.ObjTab[pos];
      const int ind = x - static_cast<int>(KolonneStart(plan, k, PLAN_OMR_VENSTRE));
      if (msg == ENS_RAEKKEHOVED_NED && VenstreArt(plan, k) == 21 && ErOverskrift(plan->ObjTypeTab[r]) &&
          ind < kMaerkeBredde) {
        plan->StyrLX.Pos.Aktuel = 0;
        FoldRaekke(plan, false);
      }
      return;
    }
    case ENS_CELLER_NED:
    case ENS_CELLER_DBL: {
      const uint32_t pos = RaekkeVed(plan, y);
      const uint32_t k = KolonneVedTegn(plan, static_cast<uint32_t>(std::max(x, 0)) + e.ScrollX, PLAN_OMR_UGER);
      if (pos) {
        plan->StyrY.Forrige = plan->StyrY.Pos.Aktuel;
        plan->StyrY.Pos.Aktuel = pos;
      }
      if (k >= 1 && k <= plan->StyrX.Pos.Antal) {
        plan->StyrX.Forrige = plan->StyrX.Pos.Aktuel;
        plan->StyrX.Pos.Aktuel = k;
        plan->StyrLX.Pos.Aktuel = 0;
      }
      return;
    }
    case ENS_HOEJRE_DBL: {
      if (const uint32_t pos = RaekkeVed(plan, y)) {
        plan->StyrY.Forrige = plan->StyrY.Pos.Aktuel;
        plan->StyrY.Pos.Aktuel = pos;
      }
      return;
    }
    default:
      return;
  }
}

void PlanFoelgAktuel(Plan *plan) {
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  for (uint32_t pos = 1; pos <= plan->StyrX.Pos.Antal && plan->StyrX.ObjTab && plan->UgeTab; ++pos) {
    const uint32_t c = plan->StyrX.ObjTab[pos];
    if (plan->ObjTypeTabX[c] == 33 && plan->UgeTab[c] == uge) {
      plan->StyrX.Forrige = plan->StyrX.Pos.Aktuel;
      plan->StyrX.Pos.Aktuel = pos;
      break;
    }
  }
  if (plan->Visning == 'A' && tvakti.AktuelRec)
    SaetRaekkeCursor(plan, tvakti.AktuelRec, PLAN_AKTI);
  else if (plan->Visning == 'M' && tvanfo.AktuelRec)
    SaetRaekkeCursor(plan, tvanfo.AktuelRec, PLAN_MEDA);
}

namespace {

// The employee whose rows hold the cursor in the plan by employee: the
// heading at or above the current row.
uint32_t MarkoerensMedarbejder(const Plan *plan) {
  const uint32_t pos = plan->StyrY.Pos.Aktuel;
  if (!plan->Ens.ObjTab || pos == 0 || pos > plan->Ens.ObjTabAntal) return 0;
  const uint32_t p = plan->ObjTypeTab[plan->Ens.ObjTab[pos]] == PLAN_MEDA
                         ? pos
                         : FindRaekkeFoer(plan->Ens.ObjTab, plan->ObjTypeTab, pos, PLAN_MEDA);
  return p ? plan->GrundTab[plan->Ens.ObjTab[p]].Medarbejder1 : 0;
}

// The row of the kind for the activity and first employment in the group.
uint32_t FindOpgaveRaekke(const Plan *plan, uint32_t art, uint32_t g, uint32_t akti, uint32_t anfo) {
  for (uint32_t r = 1; r <= plan->GrundTabAntal; ++r) {
    const GrundRaekke &gr = plan->GrundTab[r];
    if (plan->ObjTypeTab[r] == art && gr.ffpg_id == g && gr.Aktivitet == akti && gr.Medarbejder1 == anfo &&
        gr.KopiAf == 0)
      return r;
  }
  return 0;
}

// A stored row of the other tasks: an activity heading (no employee) or
// an employee's hours row of the activity. The activity joins the group
// too, as the load keeps such rows only of the group's activities.
bool NyOpgaveRaekke(Plan *plan, uint32_t art, uint32_t g, uint32_t akti, uint32_t anfo) {
  const FfpgRec *gruppe = TabRec<FfpgRec>(tvffpg, g);
  if (FindOpgaveRaekke(plan, art, g, akti, anfo)) return false;
  if (FindPgRel(g, akti, 'K') == 0 && AddPgRel(g, akti, 'K') == 0) return false;
  FfgrundRec rec{};
  rec.ObjType = art;
  rec.ffpg_id = g;
  rec.Aktivitet = akti;
  rec.Medarbejder1 = anfo;
  rec.Minutnorm1 = rec.Minutnorm2 = -1.0f;
  rec.Ejer = gruppe->Ejer;
  NyPlanRaekke(plan, &rec, 0, true);
  return true;
}

// The pick list of the plan by employee offers absence activities, which
// are no teams: one chosen on an employee becomes the employee's hours row
// of it.
bool TilfoejFravaer(Plan *plan, uint32_t akti, uint32_t g) {
  const FfpgRec *gruppe = TabRec<FfpgRec>(tvffpg, g);
  if (plan->Visning != 'M' || !IsOvakAkti(akti) || !AktiLeverIGruppe(akti, gruppe)) return false;
  // Any employee the plan shows a heading for: one with rows in the group
  // need not be one of its members.
  const uint32_t anfo = MarkoerensMedarbejder(plan);
  if (!AnfoLever(anfo)) return false;
  return NyOpgaveRaekke(plan, PLAN_OPG_TIMER, g, akti, anfo);
}

// The view of other tasks offers absence activities only while it has no
// rows: the one chosen gets its heading there, under which employees are
// then picked.
bool TilfoejOpgaveAkti(Plan *plan, uint32_t akti, uint32_t g) {
  const FfpgRec *gruppe = TabRec<FfpgRec>(tvffpg, g);
  if (!IsOvakAkti(akti) || !AktiLeverIGruppe(akti, gruppe)) return false;
  return NyOpgaveRaekke(plan, PLAN_OPG_AKTI, g, akti, 0);
}

// The activity whose rows hold the cursor in the view of other tasks.
uint32_t MarkoerensOpgave(const Plan *plan) {
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || r > plan->GrundTabAntal || plan->GrundTab[r].ffpg_id != plan->AktPlanGruppe) return 0;
  switch (plan->ObjTypeTab[r]) {
    case PLAN_OPG_AKTI: case PLAN_OPG_TIMER: case PLAN_POST: case PLAN_FREMMED_OPG_TIMER:
      return plan->GrundTab[r].Aktivitet;
    default:
      return 0;
  }
}

// An employee picked under an activity of the other tasks gets her hours
// row of it. The view shows the rows of the group's members only, so one
// picked from every employment of the period joins the group.
bool TilfoejOpgaveMedarbejder(Plan *plan, uint32_t anfo, uint32_t g) {
  const FfpgRec *gruppe = TabRec<FfpgRec>(tvffpg, g);
  const uint32_t akti = MarkoerensOpgave(plan);
  if (!AktiLeverIGruppe(akti, gruppe) || !AnfoLever(anfo, gruppe)) return false;
  if (FindOpgaveRaekke(plan, PLAN_OPG_TIMER, g, akti, anfo)) return false;
  if (FindPgRel(g, anfo, 'M') == 0 && AddPgRel(g, anfo, 'M') == 0) return false;
  return NyOpgaveRaekke(plan, PLAN_OPG_TIMER, g, akti, anfo);
}

// The letters of the pick list, plain or raised; the plan-group window's
// letter (raised by 6) asks for the employee as a member, whatever row
// the cursor is on.
bool FraValgListe(char bogstav, char art) { return bogstav == art || bogstav == art + 5; }

}  // namespace

bool PlanValgt(Plan *plan, char bogstav, uint32_t rec) {
  const uint32_t g = plan->AktPlanGruppe;
  if (g == 0 || rec == 0) return false;
  const bool akti = bogstav == 'K' || bogstav == 'K' + 5 || bogstav == 'K' + 6;
  const bool anfo = bogstav == 'M' || bogstav == 'M' + 5 || bogstav == 'M' + 6;
  if (akti) {
    if (rec < tvakti.wRecCnt && !IsHoldAkti(rec))
      return plan->Visning == 'O' ? TilfoejOpgaveAkti(plan, rec, g) : TilfoejFravaer(plan, rec, g);
    if (rec >= tvakti.wRecCnt || !AktiBrugbarIGruppe(rec, g)) return false;
    if (FindAktiRaekke(plan, g, rec)) return false;
    TilfoejManglendeRaekker(plan);
    return true;
  }
  if (!anfo || rec >= tvanfo.wRecCnt) return false;
  if (TalUdenforAnfo(plan, rec)) {
    MessageBoxA(plan->hwndPlan,
                "Der er lagt plan lektioner/timer udenfor medarbejderens periode!\nDem b\xF8r du fjerne f\xF8r "
                "medarbejderen kan v\xE6lges.",
                "Planer udenfor periode!", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  const uint32_t r = PlanAktuelRaekke(plan);
  if (plan->Visning == 'A' && r && (plan->ObjTypeTab[r] == PLAN_FAG) && plan->GrundTab[r].ffpg_id == g)
    return TilknytMedarbejder(plan, rec, r);
  if (plan->Visning == 'O' && FraValgListe(bogstav, 'M') && MarkoerensOpgave(plan))
    return TilfoejOpgaveMedarbejder(plan, rec, g);
  if (PlanAnfoRaekke(plan, rec)) return false;
  // The plan by employee without rows offers every employment of the
  // group's dates: the one picked joins the group, as the plan-group
  // window makes her a member before it asks for her row.
  if (plan->Visning == 'M' && FraValgListe(bogstav, 'M') && FindPgRel(g, rec, 'M') == 0 &&
      AnfoLever(rec, TabRec<FfpgRec>(tvffpg, g)) && AddPgRel(g, rec, 'M') == 0)
    return false;
  if (!AnfoBrugbarIGruppe(rec, g)) return false;
  TilfoejManglendeRaekker(plan);
  return true;
}

bool PlanFjern(Plan *plan, char bogstav, uint32_t rec) {
  const bool akti = bogstav == 'K' || bogstav == 'K' + 5 || bogstav == 'K' + 6;
  const bool anfo = bogstav == 'M' || bogstav == 'M' + 5 || bogstav == 'M' + 6;
  const uint32_t r = PlanAktuelRaekke(plan);
  if (akti) {
    const uint32_t a = rec ? rec : (r ? plan->GrundTab[r].Aktivitet : 0);
    if (a == 0) return false;
    if (r && plan->ObjTypeTab[r] == PLAN_OPG_TIMER && rec == 0) return FjernOpgave(plan, a);
    return FjernAktivitet(plan, a);
  }
  if (anfo) {
    const uint32_t m = rec ? rec : (r ? plan->GrundTab[r].Medarbejder1 : 0);
    // In view 'A' an employee chosen for the current subject row is taken
    // off that row again, as the choice put it there.
    if (plan->Visning == 'A' && r && m && plan->ObjTypeTab[r] == PLAN_FAG &&
        plan->GrundTab[r].ffpg_id == plan->AktPlanGruppe &&
        (plan->GrundTab[r].Medarbejder1 == m || plan->GrundTab[r].Medarbejder2 == m))
      return FjernMedarbejderFraRaekke(plan, m, r);
    // In the view of other tasks an employee unmarked in the pick list
    // loses her hours row of the activity the list was opened on, not
    // whichever row of hers comes first.
    if (plan->Visning == 'O' && rec && FraValgListe(bogstav, 'M')) {
      if (const uint32_t akti = MarkoerensOpgave(plan)) {
        const uint32_t opg = FindOpgaveRaekke(plan, PLAN_OPG_TIMER, plan->AktPlanGruppe, akti, m);
        return opg != 0 && FjernMedarbejder(plan, plan->AktPlanGruppe, m, opg, true);
      }
    }
    const uint32_t raekke = rec ? PlanAnfoRaekke(plan, m) : r;
    if (m == 0 || raekke == 0) return false;
    return FjernMedarbejder(plan, plan->AktPlanGruppe, m, raekke, true);
  }
  return false;
}

// ---- Storing an edited number ----

bool PlanGemIndtastning(Plan *plan, const char *tekst) {
  char buf[51] = {};
  snprintf(buf, sizeof buf, "%s", tekst ? tekst : "");
  StripBlanks(buf);
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || r > plan->GrundTabAntal) return false;
  GrundRaekke &g = plan->GrundTab[r];
  if (plan->StyrLX.Pos.Aktuel) {
    const uint32_t k = plan->StyrLX.ObjTab ? plan->StyrLX.ObjTab[plan->StyrLX.Pos.Aktuel] : 0;
    const uint32_t art = k && plan->ObjTypeTabLX ? plan->ObjTypeTabLX[k] : 0;
    if (art == 25)
      g.Budget = static_cast<uint32_t>(atoi(buf));
    else if (art == 26)
      g.LektionsBlok = static_cast<uint32_t>(atoi(buf));
    else if (art != 23 && art != 24)
      return false;
    GemRaekke(plan, r, false);
    MarkerPlanEksport();
    StartPlanTraad(plan, 3);
    return true;
  }
  const uint32_t pos = plan->StyrX.Pos.Aktuel;
  if (!plan->StyrX.ObjTab || pos == 0 || pos > plan->StyrX.Pos.Antal) return false;
  const uint32_t c = plan->StyrX.ObjTab[pos];
  bool ok = false;
  if (plan->UnderVisning != 0)
    ok = SaetRetteEksamen(plan, c, r, buf);
  else if (plan->ObjTypeTab[r] == PLAN_OPG_TIMER)
    ok = SaetTimer(plan, c, r, buf);
  else
    ok = SaetLektioner(plan, c, r, atoi(buf));
  if (ok) {
    MarkerPlanEksport();
    StartPlanTraad(plan, 3);
  }
  return ok;
}

// ---- The window procedure ----

LRESULT CALLBACK PlanWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *plan = static_cast<Plan *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!plan) return -1;
    Opret(hwnd, plan);
    return 0;
  }
  Plan *plan = Ws(hwnd);
  if (!plan) return DefWindowProcA(hwnd, msg, wParam, lParam);
  Ens &e = plan->Ens;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(hwnd, plan);
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        PlanLayout(&e, hwnd, LOWORD(lParam), HIWORD(lParam), Knapper(plan));
        PlanHScrollInfo(plan);
        PlanVScrollInfo(plan);
        PlacerFeltKnapper(plan);
        EnsPaintFrame(&e);
        TegnAlt(plan, 1);
      }
      return 0;
    case WM_SETFOCUS:
      if (hwndHoved && hwndHoved != hwnd && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      return Tast(hwnd, plan, msg, wParam, lParam);
    case TAST_SPOERG: {
      TastInfo t{};
      if (const auto *p = reinterpret_cast<const TastInfo *>(lParam)) t = *p;
      return PlanTastTrin(plan, &t, 1);
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (wParam == VK_CONTROL && plan->GruppeSkiftet) {
        plan->GruppeSkiftet = 0;
        StartPlanTraad(plan, 4);
        TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      } else if ((wParam == VK_LEFT || wParam == VK_RIGHT) && plan->Visning == 'M') {
        if (const uint32_t anfo = PlanCelleObjekt(plan)) {
          PlanLaas laas;
          BeregnMedarbejderTal(plan, anfo);
        }
        TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      }
      return 0;
    case WM_SYSCHAR:
      if (wParam == '-') return DefWindowProcA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (const int r = PlanScroll(plan, msg, wParam)) TegnAlt(plan, static_cast<uint32_t>(r));
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(hwnd, &e, wParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(hwnd, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(hwnd, &e, lParam);
      return 0;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), 200, PlanBredde(plan, 1 << 20), 100,
                  PlanHoejde(plan, 1 << 20));
      return TRUE;
    case ENS_BREDDE:
      return PlanBredde(plan, static_cast<int32_t>(wParam));
    case ENS_HOEJDE:
      return PlanHoejde(plan, static_cast<int32_t>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case kGemVentende:
      GemPlanData(plan);
      SendTilAlleVinduer(DATA_AENDRET, 0, 0, hwnd);
      return 0;
    case TB_RUDE_TEGN:
      TegnPlanStatusLinie(plan);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnPlanOverskrifter(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnPlanRaekker(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_CELLER_TEGN:
      TegnPlanCelleOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_HOEJRE_TEGN:
      TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case WM_PLAN_TEGN_SUM:
      TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case ENS_MUS_FLYT: {
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, static_cast<HWND>(lParam), 0};
      TrackMouseEvent(&t);
      return 0;
    }
    case ENS_MUS_FORLAD:
      if (lParam) SendMessageA(static_cast<HWND>(lParam), DUMMY_SKJUL_TOOLTIP, 0, 0);
      return 0;
    case DUMMY_MUS_I_RUDE:
      PlanMusRude = lParam;
      return lParam;
    case AKTUEL_AENDRET:
      if (e.Aktiv || wParam) {
        PlanFoelgAktuel(plan);
        Opdater(plan, 1);
      }
      return 0;
    case ENS_HJOERNE_VENSTRE_NED:
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(hwnd, plan, msg, lParam);
      return 0;
    case ENS_RAEKKEHOVED_DBL:
    case ENS_CELLER_DBL:
    case ENS_HOEJRE_DBL:
      PlanKlik(plan, msg, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)));
      Opdater(plan, 2 | 4);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
    case VINDUE_DEAKTIVER:
    case VINDUE_SAET_AKTIV:
      Aktiver(hwnd, plan, msg, wParam);
      return 0;
    case VINDUE_TEGN_MED:
      EnsPaintFrame(&e);
      TegnAlt(plan, 1);
      return 0;
    case GANT_AKTUEL_REC:
      return PlanAktuelPost(plan);
    case OBJEKT_ART:
      return plan->LayoutPlanListe.Bogstav;
    case VINDUE_ART:
      return kPlanVindueType;
    case VALG_MAERKER:
      plan->PlanTraadId = 0;
      return 0;
    case VALG_MARKERET: {
      const uint32_t hoved = HuskValgCursor(plan);
      if (PlanValgt(plan, static_cast<char>(wParam), static_cast<uint32_t>(lParam)))
        GenopbygGruppe(plan, hwnd, false, &hoved);
      else
        GlemValgCursor(plan);
      return 0;
    }
    case VALG_AFMARKERET: {
      const uint32_t hoved = HuskValgCursor(plan);
      const bool fjernet = PlanFjern(plan, static_cast<char>(wParam), static_cast<uint32_t>(lParam));
      if (!fjernet) GlemValgCursor(plan);
      if (fjernet) {
        GenopbygGruppe(plan, hwnd, false, &hoved);
        MarkerPlanEksport();
      }
      return fjernet ? 1 : 0;
    }
    case VALG_GENOPBYG_HVIS:
      if (lParam) PlanGruppensUger(plan, reinterpret_cast<PlanGruppeUger *>(lParam));
      return 0;
    case VALG_AFSLUTTET:
      StartPlanTraad(plan, 2);
      TegnPlanSumOmraade(plan, PLAN_TEGN_ALT);
      return 0;
    case REL_PLAN_TILSTAND:
      return reinterpret_cast<LRESULT>(plan);
    case PLAN_KRYDS: {
      const uint32_t anfo = static_cast<uint32_t>(wParam), skfa = static_cast<uint32_t>(lParam);
      // The table is KrydsAnfoAntal rows of KrydsFagAntal counters, as it
      // was built.
      if (!plan->AnfoSkfaKrydsTab || anfo == 0 || skfa == 0 || anfo >= plan->KrydsAnfoAntal ||
          skfa >= plan->KrydsFagAntal)
        return 0;
      return static_cast<int8_t>(plan->AnfoSkfaKrydsTab[size_t(anfo) * plan->KrydsFagAntal + skfa]);
    }
    case PLAN_GENOPBYG_GRUPPE:
      GenopbygGruppe(plan, hwnd, true);
      return 0;
    case PLAN_GENOPBYG_AKSER:
      HuskPlanCursor(plan);
      BygGruppeListe(plan);
      GenbygKolonner(plan);
      BevarKolonneCursor(plan);
      TilpasVindueFuld(hwnd);
      Opdater(plan, 1);
      return 0;
    case SKE_FLYT_EFTER_INDSAET:
      VaelgStartPlanGruppe(plan);
      TagGruppe(plan);
      GenopbygGruppe(plan, hwnd, false);
      return 0;
    case VALG_KAN_SKIFTE:
      return PlanAnfoRaekke(plan, static_cast<uint32_t>(lParam));
    case PLAN_POPUP_LUK:
      if (wParam == 1) LukPopup(plan);
      return 0;
    case NYB_KLIK:
      Knap(hwnd, plan, wParam);
      return 0;
    case EDITBOX_OK:
      if (PlanGemIndtastning(plan, reinterpret_cast<const char *>(lParam)))
        PlanHuskKopi(plan, reinterpret_cast<const char *>(lParam));
      LukPopup(plan);
      Opdater(plan, 1);
      return 0;
    case EDITBOX_FORTRYD:
      LukPopup(plan);
      return 0;
    case HJAELP_EMNE:
      return plan->UnderVisning ? 533 : (plan->Visning == 'M' ? 72 : 74);
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void PlanLayoutSkiftet(Plan *plan) {
  if (!plan) return;
  SaetHoveder(plan);
  const HWND hwnd = plan->hwndPlan;
  if (!hwnd || !IsWindow(hwnd)) return;
  GenopbygFeltKnapper(plan, hwnd);
  TilpasVindueFuld(hwnd);
  // The size may be the same while the panes inside it moved: a wider
  // caption area leaves less room for the weeks.
  RECT rc{};
  GetClientRect(hwnd, &rc);
  PlanLayout(&plan->Ens, hwnd, rc.right - rc.left, rc.bottom - rc.top, Knapper(plan));
  PlacerFeltKnapper(plan);
  PlanHScrollInfo(plan);
  PlanVScrollInfo(plan);
  EnsPaintFrame(&plan->Ens);
}
