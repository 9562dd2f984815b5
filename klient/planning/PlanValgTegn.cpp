// The plan selection window's painting and its header buttons: the rows,
// the mark block, the bottom line and the header with one sort button per
// field; sorting on a column and choosing the list's layout. Each pane is
// drawn on the DC the frame gave it; the sort buttons live in the header
// pane, which clips them as the columns scroll.

#include <algorithm>
#include <cstdlib>
#include <string>

#include "ARRANGER.h"
#include "BRIKIND.h"
#include "FARVER.h"
#include "FF_VALG.h"
#include "FONTE.h"
#include "NYBUTTON.h"
#include "PlanValgVindue.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "SKEBEG.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

constexpr int kRaekke = 12;
constexpr int kKnapHoejde = 16;

HBRUSH Brush0() { return FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE); }

const ValgListe *Liste(const PVWS *v) { return v->ListeMode ? v->pValgListe : nullptr; }

// The employee colours of an event being entered with one activity and a
// subject: 6 where the employee has the subject's distribution, 46 where
// only the competence; 0 otherwise.
uint8_t FagFarve(const PVWS *v, uint32_t rec, bool aktuel) {
  const AVS &avs = AktuelAVS;
  if (v->Bogstav != 'M' || avs.aktiAntal != 1 || !avs.aktiTab || avs.skfa_id == 0) return 0;
  const Dato dato = AVSOptaelDato(&avs);
  if (FagfordlFindes(rec, avs.skfa_id, avs.aktiTab[0], dato)) return 6;
  if (!aktuel && AnfoHarKompetence(rec, avs.skfa_id, dato)) return 46;
  return 0;
}

uint8_t RaekkeFarve(const PVWS *v, uint32_t raekke, bool maerkeblok) {
  const bool aktuel = raekke == v->PosY.Aktuel;
  const uint32_t rec = v->ens.ObjTab[raekke];
  uint8_t farve = aktuel ? (v->ens.Aktiv ? 1 : 2) : 0;
  if (const uint8_t fag = FagFarve(v, rec, aktuel)) {
    // In the rows the current row of an active window keeps its colour;
    // in the mark block the subject's colour wins.
    if (fag == 46 || maerkeblok || !(aktuel && v->ens.Aktiv)) farve = fag;
  }
  const ValgListe *l = Liste(v);
  if (l && l->Maerker && rec < l->MaerkeAntal && l->Maerker[rec]) farve = aktuel ? (v->ens.Aktiv ? 37 : 38) : 36;
  return farve;
}

template <class Fn>
void TegnRude(PVWS *v, int rude, int dcNr, Fn tegn) {
  Ens &e = v->ens;
  EnsDC *dc = &e.dc[dcNr];
  const int B = e.RudeB[rude], H = e.RudeH[rude];
  if (!dc->hdc || B <= 0 || H <= 0) return;
  int bund = 0;
  if (e.ObjTab && e.ObjTabAntal > 0) {
    const uint32_t foerste = std::max<uint32_t>(GridPixelTilCelle(&e.AkseY, e.ScrollY), 1);
    for (uint32_t r = foerste; r <= e.ObjTabAntal; ++r) {
      const int y = static_cast<int>(static_cast<int64_t>(GridCelleStart(&e.AkseY, r)) - e.ScrollY);
      if (y >= H) break;
      tegn(dc, r, y, B);
      FillSysColRect(dc->hdc, COLOR_3DDKSHADOW, 0, y + kRaekke - 1, B - 1, y + kRaekke - 1);
      bund = y + kRaekke;
    }
  }
  if (bund < H) FillRectIfAny(dc->hdc, Brush0(), 0, std::max(bund, 0), B, H);
}

}  // namespace

void TegnPlanValgRaekker(PVWS *v) {
  Ens &e = v->ens;
  const ValgListe *l = Liste(v);
  TegnRude(v, ENS_CELLER, ENSDC_CELLER, [&](EnsDC *dc, uint32_t r, int y, int B) {
    SwitchRaekkeValg valg;
    valg.hwnd = v->hwnd;
    valg.Valg2 = l && l->Vaerdier && l->ObjTab == e.ObjTab ? static_cast<int32_t>(l->Vaerdier[r]) : 0;
    valg.RestBredde = static_cast<uint32_t>(B) + e.ScrollX;
    TegnObjSwitchRaekke(dc, -static_cast<int>(e.ScrollX), y, RaekkeFarve(v, r, false), v->ListeArt, v->Bogstav,
                        v->ListeValgt, e.pTd, e.pTv, e.ObjTab[r], &valg);
  });
}

void TegnPlanValgMaerker(PVWS *v) {
  if (!v->MaerkeGraense) return;
  Ens &e = v->ens;
  TegnRude(v, ENS_RAEKKEHOVED, ENSDC_RAEKKEHOVED, [&](EnsDC *dc, uint32_t r, int y, int B) {
    const uint32_t rec = e.ObjTab[r];
    SwitchRaekkeValg valg;
    valg.hwnd = v->hwnd;
    valg.Valg1 = v->Maerker && rec < v->MaerkeAntal ? v->Maerker[rec] : 0;
    valg.RestBredde = static_cast<uint32_t>(B);
    valg.Skrift = TxtFont;
    TegnObjSwitchRaekke(dc, 0, y, RaekkeFarve(v, r, true), kValgMaerkeArt, v->Bogstav, v->MaerkeValgt, e.pTd, e.pTv,
                        rec, &valg);
  });
}

void TegnPlanValgBundlinje(PVWS *v) {
  Ens &e = v->ens;
  EnsDC *dc = &e.dc[ENSDC_TOOLBAR];
  if (!dc->hdc || !e.hwndToolbar) return;
  const int B = static_cast<int>(SendMessageA(e.hwndToolbar, TB_RUDEBREDDE, 0, 0));
  if (B <= 0) return;
  const ValgListe *l = Liste(v);
  uint8_t bogstav = v->Bogstav;
  uint32_t rec = PlanValgAktuelRec(v);
  if (l) {
    // A list shows the record it was made for, in that record's table.
    rec = l->KildeRec;
    if (l->Bogstav) bogstav = l->Bogstav;
  }
  if (v->PosY.Aktuel == 0 || e.ObjTabAntal == 0 || rec == 0) {
    FillRectIfAny(dc->hdc, Brush0(), 0, 0, B, kRaekke - 1);
    return;
  }
  const TabDesc *pTd = e.pTd;
  TabVar *pTv = e.pTv;
  if (bogstav != v->Bogstav) TabFromType(bogstav, &pTd, &pTv);
  SwitchRaekkeValg valg;
  valg.hwnd = v->hwnd;
  valg.RestBredde = 1000;
  valg.Skrift = TxtFont;
  TegnObjSwitchRaekke(dc, 0, 0, 0, v->TitelArt, bogstav, ObjSwitchValgt(v->TitelArt, bogstav), pTd, pTv, rec, &valg);
}

void TegnPlanValgHoved(PVWS *v) {
  Ens &e = v->ens;
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  uint32_t start = 0;
  for (uint32_t i = 0; v->hwndSortBut && i < v->SortButAntal; ++i) {
    const HWND knap = v->hwndSortBut[i];
    const int b = static_cast<int>(ObjSwitchFeltBredde(v->ListeArt, v->Bogstav, v->ListeValgt, i));
    const int x = static_cast<int>(static_cast<int64_t>(start) - e.ScrollX);
    start += static_cast<uint32_t>(b);
    if (!knap) continue;
    if (x + b > 0 && x < B) {
      MoveWindow(knap, x, 0, std::min(b, B - x), kKnapHoejde, TRUE);
      ShowWindow(knap, SW_SHOW);
    } else {
      ShowWindow(knap, SW_HIDE);
    }
  }
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  const int slut = static_cast<int>(std::max<int64_t>(static_cast<int64_t>(start) - e.ScrollX, 0));
  if (dc->hdc) FillRectIfAny(dc->hdc, Brush0(), slut, 0, B, H);
  EnsDC *hjoerne = &e.dc[ENSDC_HJOERNE_V];
  if (hjoerne->hdc) FillRectIfAny(hjoerne->hdc, Brush0(), 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
}

void TegnPlanValg(PVWS *v, uint32_t flag) {
  Ens &e = v->ens;
  if (flag & 1) EnsPaintFrame(&e);
  TegnPlanValgBundlinje(v);
  TegnPlanValgHoved(v);
  TegnPlanValgMaerker(v);
  TegnPlanValgRaekker(v);
  v->ForrigeX = v->PosX.Aktuel;
  v->ForrigeY = v->PosY.Aktuel;
  if (v->ListeMode || !e.Aktiv || !e.pTv) return;
  const uint32_t rec = PlanValgAktuelRec(v);
  if (rec == 0) return;
  e.pTv->AktuelRec = rec;
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, v->hwnd);
}

void PlanValgScroll(PVWS *v, uint32_t flag) {
  Ens &e = v->ens;
  const int bredde = std::max(int{e.RudeB[ENS_CELLER]}, 0), hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0);
  uint32_t x = e.ScrollX, y = e.ScrollY;
  v->PosX.Aktuel = std::min(uint32_t{v->PosX.Aktuel}, uint32_t{v->PosX.Antal});
  GridScrollTilAktuel(&v->PosX, &x, static_cast<uint32_t>(bredde), &e.AkseX);
  GridScrollTilAktuel(&v->PosY, &y, static_cast<uint32_t>(hoejde), &e.AkseY);
  if (x != e.ScrollX) flag |= 8;
  if (y != e.ScrollY) flag |= 16;
  e.ScrollX = x;
  e.ScrollY = y;
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, bredde, static_cast<int>(GridCelleSlut(&e.AkseX, v->PosX.Antal)),
                 static_cast<int>(e.ScrollX));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, hoejde, static_cast<int>(GridCelleSlut(&e.AkseY, v->PosY.Antal)),
                 static_cast<int>(e.ScrollY));
  TegnPlanValg(v, flag);
}

// ==================================================================== buttons

void LavSorterKnapper(PVWS *v) {
  Ens &e = v->ens;
  for (uint32_t i = 0; v->hwndSortBut && i < v->SortButAntal; ++i)
    if (v->hwndSortBut[i] && IsWindow(v->hwndSortBut[i])) DestroyWindow(v->hwndSortBut[i]);
  v->SortButAntal = 0;
  const uint32_t antal = ObjSwitchFeltAntal(v->ListeArt, v->Bogstav, v->ListeValgt);
  auto *knapper = static_cast<HWND *>(std::realloc(v->hwndSortBut, sizeof(HWND) * std::max<uint32_t>(antal, 1)));
  if (!knapper) tavo::AssertFailed("PVWS->hwndSortBut != NULL", "FF_VALG", __LINE__);
  v->hwndSortBut = knapper;
  const HWND rude = e.hwndKolHoved ? e.hwndKolHoved : v->hwnd;
  const int hovedBredde = std::max(int{e.RudeB[ENS_KOLHOVED]}, 0);
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(e.pTd, ObjSwitchFeltNr(v->ListeArt, v->Bogstav, v->ListeValgt, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    const int x = static_cast<int>(ObjSwitchFeltStart(v->ListeArt, v->Bogstav, v->ListeValgt, i)) -
                  static_cast<int>(e.ScrollX);
    int b = static_cast<int>(ObjSwitchFeltBredde(v->ListeArt, v->Bogstav, v->ListeValgt, i));
    if (hovedBredde > 0) b = std::max(std::min(b, hovedBredde - x), 0);
    knapper[i] = CreateNyButtonWnd(e.hInstance, rude, v->hwnd, kValgSortId + i, 0, NYB_BILLEDE_HOEJRE, x, 0, b,
                                   kKnapHoejde, tip.c_str(), navn);
    if (knapper[i]) ShowWindow(knapper[i], SW_SHOW);
  }
  v->SortButAntal = antal;
}

void PlanValgSorter(PVWS *v, uint32_t kolonne) {
  if (kolonne >= v->SortButAntal || !v->hwndSortBut) return;
  Ens &e = v->ens;
  if (kolonne != v->SortKolonne) {
    if (v->SortKolonne < v->SortButAntal && v->hwndSortBut[v->SortKolonne])
      SendMessageA(v->hwndSortBut[v->SortKolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    v->SortKolonne = static_cast<uint8_t>(kolonne);
    v->SortSkift = 0;
  }
  // Off turns on and sorts ascending; on turns off and sorts descending.
  const bool faldende = v->SortSkift != 0;
  v->SortSkift = faldende ? 0 : 1;
  if (v->hwndSortBut[kolonne])
    SendMessageA(v->hwndSortBut[kolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCE(faldende ? kValgBilledeFaldende : kValgBilledeStigende)));
  const uint32_t rec = PlanValgAktuelRec(v);
  if (e.ObjTab && e.ObjTabAntal > 1) {
    const uint32_t felt = ObjSwitchFeltNr(v->ListeArt, v->Bogstav, v->ListeValgt, kolonne);
    const VisFeltKontekst kontekst{v->hwnd, 0, 0, 0};
    const uint32_t option = faldende ? SORT_FALDENDE : 0;
    const char bogstav = static_cast<char>(v->Bogstav);
    const ValgListe *l = Liste(v);
    if (l && l->Maerker)
      SorterMarkeredeSidst(bogstav, e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, &kontekst, option, 1, l->Maerker,
                           l->MaerkeAntal, &felt, 1);
    else
      SorterPaaFelter(bogstav, e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, &kontekst, option, 1, &felt, 1);
  }
  if (rec) v->PosY.Aktuel = FindObjIdx(e.ObjTab, e.ObjTabAntal, rec);
  PlanValgScroll(v, 16);
}

void PlanValgSkiftLayout(PVWS *v, uint32_t n) {
  if (n == v->ListeValgt || n >= v->ListeLayoutAntal) return;
  Ens &e = v->ens;
  const HWND h = v->hwnd;
  if (e.hwndSwitchButtons) {
    if (v->ListeValgt < v->ListeLayoutAntal && e.hwndSwitchButtons[v->ListeValgt])
      SendMessageA(e.hwndSwitchButtons[v->ListeValgt], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
  }
  ObjSwitchVaelg(v->ListeArt, v->Bogstav, n);
  v->ListeValgt = static_cast<uint8_t>(n);
  v->PosX.Antal = ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt);
  v->SortKolonne = 0;
  v->SortSkift = 0;
  RECT r;
  GetWindowRect(h, &r);
  POINT p{r.left, r.top};
  if (HWND par = GetParent(h)) ScreenToClient(par, &p);
  MoveWindow(h, p.x, p.y, PlanValgBredde(v, 0x7FFFFFFF), r.bottom - r.top, TRUE);
  LavSorterKnapper(v);
  ValgListe *l = v->ListeMode ? v->pValgListe : nullptr;
  // Only an employee list is the plan's to fill again: the first layout
  // lists those assigned to the plan group, the others every employment of
  // the period.
  if (l && v->Bogstav == 'M') {
    Plan *plan = reinterpret_cast<Plan *>(SendMessageA(v->hwndEjer, REL_PLAN_TILSTAND, 0, 0));
    if (!IsWindow(h) || reinterpret_cast<PVWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) != v) return;
    if (plan) {
      // The new list's marks are the window's own: a record marked stays
      // marked if it is listed again.
      FyldPlanAnfoListe(plan, l, n != 1);
      e.ObjTab = l->ObjTab;
      e.ObjTabAntal = l->ObjTab ? l->Antal : 0;
      GenopbygPlanValg(v);
      if (!IsWindow(h) || reinterpret_cast<PVWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) != v) return;
      TilpasVindue(h);
    }
  }
  PlanValgScroll(v, 1);
}
