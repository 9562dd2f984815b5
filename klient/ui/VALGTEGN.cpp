// The selection window's drawing and its header buttons: the title line,
// the header row with one sort button per field, the mark column and the
// rows, each pane on the DC it took at creation; sorting on a column and
// changing the layout. The sort buttons live in the header pane, so the
// pane clips them at both edges as the columns scroll.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FARVER.h"
#include "FONTE.h"
#include "NYBUTTON.h"
#include "RAMME.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VALG.h"
#include "VINDUER.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

HBRUSH Brush0() { return FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE); }

const ValgListe *Forvalg(const VWS *v) { return v->Forvalgt ? v->pValgListe : nullptr; }

// The row class: 1 the current row of an active window, 2 of an inactive
// one, else 0; a record the pre-selection marks takes 37, 38 or 36.
uint8_t RaekkeKlasse(const VWS *v, uint32_t raekke) {
  const bool aktuel = raekke == v->PosY.Aktuel;
  const ValgListe *l = Forvalg(v);
  const uint32_t rec = v->ens.ObjTab[raekke];
  if (l && l->Maerker && rec < l->MaerkeAntal && l->Maerker[rec])
    return aktuel ? (v->ens.Aktiv ? 37 : 38) : 36;
  return aktuel ? (v->ens.Aktiv ? 1 : 2) : 0;
}

// The row's per-entry value, shown only on the first of a run of rows with
// the same value (0 on the others and without values).
uint32_t VistVaerdi(const VWS *v, uint32_t raekke) {
  const ValgListe *l = Forvalg(v);
  if (!l || !l->Vaerdier || l->ObjTab != v->ens.ObjTab) return 0;
  const uint32_t vaerdi = l->Vaerdier[raekke];
  return raekke > 1 && l->Vaerdier[raekke - 1] == vaerdi ? 0 : vaerdi;
}

// The rows of one pane, each through `tegn` at its y, with the line under
// every row; below the last row the pane is filled with brush 0.
template <class Fn>
void TegnRude(VWS *v, int rude, int dcNr, Fn tegn) {
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
      FillSysColRect(dc->hdc, COLOR_3DDKSHADOW, 0, y + kValgRaekkeHoejde - 1, B - 1, y + kValgRaekkeHoejde - 1);
      bund = y + kValgRaekkeHoejde;
    }
  }
  if (bund < H) FillRectIfAny(dc->hdc, Brush0(), 0, std::max(bund, 0), B, H);
}

// Where field i of the chosen list layout starts, before scrolling.
uint32_t FeltStart(const VWS *v, uint32_t i) {
  return ObjSwitchFeltStart(v->ListeArt, v->Bogstav, v->ListeValgt, i);
}

}  // namespace

// ==================================================================== panes

void TegnValgRaekker(VWS *v) {
  Ens &e = v->ens;
  const ValgListe *l = Forvalg(v);
  TegnRude(v, ENS_CELLER, ENSDC_CELLER, [&](EnsDC *dc, uint32_t r, int y, int B) {
    SwitchRaekkeValg valg;
    valg.hwnd = v->hwnd;
    valg.Valg1 = l ? static_cast<int32_t>(l->KildeRec) : 0;
    valg.Valg2 = static_cast<int32_t>(VistVaerdi(v, r));
    valg.RestBredde = static_cast<uint32_t>(B) + e.ScrollX;
    TegnObjSwitchRaekke(dc, -static_cast<int>(e.ScrollX), y, RaekkeKlasse(v, r), v->ListeArt, v->Bogstav,
                        v->ListeValgt, e.pTd, e.pTv, e.ObjTab[r], &valg);
  });
}

void TegnValgMaerker(VWS *v) {
  if (!v->MaerkeGraense) return;
  Ens &e = v->ens;
  TegnRude(v, ENS_RAEKKEHOVED, ENSDC_RAEKKEHOVED, [&](EnsDC *dc, uint32_t r, int y, int B) {
    const uint32_t rec = e.ObjTab[r];
    SwitchRaekkeValg valg;
    valg.hwnd = v->hwnd;
    valg.Valg1 = v->Maerker && rec < v->MaerkeAntal ? v->Maerker[rec] : 0;
    valg.RestBredde = static_cast<uint32_t>(B);
    // The frame gave this pane its standard font; the mark is a glyph of
    // the grid's.
    valg.Skrift = TxtFont;
    TegnObjSwitchRaekke(dc, 0, y, RaekkeKlasse(v, r), kValgMaerkeArt, v->Bogstav, v->MaerkeValgt, e.pTd, e.pTv,
                        rec, &valg);
  });
}

void TegnValgTitel(VWS *v) {
  Ens &e = v->ens;
  EnsDC *dc = &e.dc[ENSDC_TOOLBAR];
  if (!dc->hdc || !e.hwndToolbar) return;
  const int B = static_cast<int>(SendMessageA(e.hwndToolbar, TB_RUDEBREDDE, 0, 0));
  if (B <= 0) return;
  const uint32_t rec = ValgAktuelRec(v);
  if (v->PosY.Aktuel == 0 || e.ObjTabAntal == 0) {
    FillRectIfAny(dc->hdc, Brush0(), 0, 0, B, kValgRaekkeHoejde - 1);
    return;
  }
  SwitchRaekkeValg valg;
  valg.hwnd = v->hwnd;
  valg.RestBredde = static_cast<uint32_t>(B);
  // The pane's own font is the toolbar's; the columns are the grid's.
  valg.Skrift = TxtFont;
  const ValgListe *l = Forvalg(v);
  if (!l || (v->TitelArt != kElevTitelArt && v->TitelArt != kSammenfaldTitelArt)) {
    TegnObjSwitchRaekke(dc, 0, 0, 0, v->TitelArt, v->Bogstav, v->TitelValgt, e.pTd, e.pTv, rec, &valg);
    return;
  }
  // The record the list belongs to, in its own table's layout 0; the
  // overlap list adds the current row's other activity and the count.
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  TabFromType(l->Bogstav, &pTd, &pTv);
  TegnObjSwitchRaekke(dc, 0, 0, 0, v->TitelArt, l->Bogstav, 0, pTd, pTv, l->KildeRec, &valg);
  if (v->TitelArt != kSammenfaldTitelArt) return;
  int x = static_cast<int>(ObjSwitchBredde(v->TitelArt, l->Bogstav, 0));
  const uint32_t anden = l->Vaerdier && l->ObjTab == e.ObjTab ? l->Vaerdier[v->PosY.Aktuel] : l->KildeRec;
  valg.RestBredde = static_cast<uint32_t>(std::max(B - x, 0));
  TegnObjSwitchRaekke(dc, x, 0, 0, v->TitelArt, l->Bogstav, 1, pTd, pTv, anden, &valg);
  x += static_cast<int>(ObjSwitchBredde(v->TitelArt, l->Bogstav, 1));
  char antal[24];
  const int n = std::snprintf(antal, sizeof antal, "    %i", static_cast<int>(e.ObjTabAntal));
  TegnFarvetTekst(dc, x, 0, 16, 0, antal, n, 2);
}

void TegnValgHoved(VWS *v) {
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
      MoveWindow(knap, x, 0, b, kValgKnapHoejde, TRUE);
      ShowWindow(knap, SW_SHOW);
    } else {
      ShowWindow(knap, SW_HIDE);
    }
  }
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  const int slut = static_cast<int>(std::max<int64_t>(static_cast<int64_t>(start) - e.ScrollX, 0));
  if (dc->hdc) FillRectIfAny(dc->hdc, Brush0(), slut, 0, B, H);
  // The corner over the mark column.
  EnsDC *hjoerne = &e.dc[ENSDC_HJOERNE_V];
  if (hjoerne->hdc) FillRectIfAny(hjoerne->hdc, Brush0(), 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
}

// ==================================================================== window

void TegnValgVindue(VWS *v) {
  Ens &e = v->ens;
  EnsPaintFrame(&e);
  TegnValgTitel(v);
  TegnValgHoved(v);
  TegnValgMaerker(v);
  TegnValgRaekker(v);
  if (v->Forvalgt || !e.Aktiv || !e.pTv) return;
  const uint32_t rec = ValgAktuelRec(v);
  if (rec == 0) return;
  e.pTv->AktuelRec = rec;
  SendTilAlleVinduer(AKTUEL_AENDRET, v->Bogstav, rec, v->hwnd);
}

void ValgScrollTilAktuel(VWS *v) {
  Ens &e = v->ens;
  const int bredde = std::max(int{e.RudeB[ENS_CELLER]}, 0), hoejde = std::max(int{e.RudeH[ENS_CELLER]}, 0);
  // Ens is packed: the offsets are copied, never referenced.
  uint32_t x = e.ScrollX, y = e.ScrollY;
  v->PosX.Aktuel = std::min(uint32_t{v->PosX.Aktuel}, uint32_t{v->PosX.Antal});
  GridScrollTilAktuel(&v->PosX, &x, static_cast<uint32_t>(bredde), &e.AkseX);
  GridScrollTilAktuel(&v->PosY, &y, static_cast<uint32_t>(hoejde), &e.AkseY);
  e.ScrollX = x;
  e.ScrollY = y;
  if (e.hwndHScroll)
    SetScrollCtl(e.hwndHScroll, bredde, static_cast<int>(GridCelleSlut(&e.AkseX, v->PosX.Antal)),
                 static_cast<int>(e.ScrollX));
  if (e.hwndVScroll)
    SetScrollCtl(e.hwndVScroll, hoejde, static_cast<int>(GridCelleSlut(&e.AkseY, v->PosY.Antal)),
                 static_cast<int>(e.ScrollY));
}

void OpdaterValgVisning(VWS *v) {
  ValgScrollTilAktuel(v);
  TegnValgVindue(v);
}

// ==================================================================== buttons

void OpretSorterKnapper(VWS *v) {
  Ens &e = v->ens;
  for (uint32_t i = 0; v->hwndSortBut && i < v->SortButAntal; ++i)
    if (v->hwndSortBut[i] && IsWindow(v->hwndSortBut[i])) DestroyWindow(v->hwndSortBut[i]);
  v->SortButAntal = 0;
  const uint32_t antal = ObjSwitchFeltAntal(v->ListeArt, v->Bogstav, v->ListeValgt);
  auto *knapper = static_cast<HWND *>(std::realloc(v->hwndSortBut, sizeof(HWND) * std::max<uint32_t>(antal, 1)));
  if (!knapper) tavo::AssertFailed("VWS->hwndSortBut != NULL", "VALG", __LINE__);
  v->hwndSortBut = knapper;
  const HWND rude = e.hwndKolHoved ? e.hwndKolHoved : v->hwnd;
  for (uint32_t i = 0; i < antal; ++i) {
    const char *navn = SwitchFeltNavn(e.pTd, ObjSwitchFeltNr(v->ListeArt, v->Bogstav, v->ListeValgt, i));
    const std::string tip = std::string("Sorter efter ") + navn;
    const int x = static_cast<int>(FeltStart(v, i)) - static_cast<int>(e.ScrollX);
    const int b = static_cast<int>(ObjSwitchFeltBredde(v->ListeArt, v->Bogstav, v->ListeValgt, i));
    knapper[i] = CreateNyButtonWnd(e.hInstance, rude, v->hwnd, kValgSortId + i, 0, NYB_BILLEDE_HOEJRE, x, 0, b,
                                   kValgKnapHoejde, tip.c_str(), navn);
  }
  v->SortButAntal = antal;
}

void ValgSorterKolonne(VWS *v, uint32_t kolonne) {
  if (kolonne >= v->SortButAntal || !v->hwndSortBut) return;
  Ens &e = v->ens;
  if (kolonne != v->SortKolonne) {
    if (v->SortKolonne < v->SortButAntal && v->hwndSortBut[v->SortKolonne])
      SendMessageA(v->hwndSortBut[v->SortKolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    v->SortKolonne = static_cast<uint8_t>(kolonne);
    v->Faldende = 0;
  }
  const bool faldende = v->Faldende != 0;
  v->Faldende = faldende ? 0 : 1;
  if (v->hwndSortBut[kolonne])
    SendMessageA(v->hwndSortBut[kolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
                 reinterpret_cast<LPARAM>(MAKEINTRESOURCE(faldende ? kValgBilledeFaldende : kValgBilledeStigende)));

  const ValgListe *l = Forvalg(v);
  const uint32_t rec = ValgAktuelRec(v);
  if (e.ObjTab && !(l && v->ListeArt == kSkemaSammenfaldArt)) {
    const uint32_t felt = ObjSwitchFeltNr(v->ListeArt, v->Bogstav, v->ListeValgt, kolonne);
    const VisFeltKontekst kontekst{v->hwnd, 0, 0, 0};
    const uint32_t option = faldende ? SORT_FALDENDE : 0;
    const char bogstav = static_cast<char>(v->Bogstav);
    if (l && l->Maerker)
      SorterMarkeredeSidst(bogstav, e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, &kontekst, option, 1, l->Maerker,
                           l->MaerkeAntal, &felt, 1);
    else
      SorterPaaFelter(bogstav, e.ObjTab, e.ObjTabAntal, e.pTd, e.pTv, &kontekst, option, 1, &felt, 1);
  }
  if (rec) v->PosY.Aktuel = FindObjIdx(e.ObjTab, e.ObjTabAntal, rec);
  ValgScrollTilAktuel(v);
  TegnValgMaerker(v);
  TegnValgRaekker(v);
}

void ValgSkiftLayout(VWS *v, uint32_t n) {
  if (n == v->ListeValgt || n >= v->ListeLayoutAntal) return;
  Ens &e = v->ens;
  if (e.hwndSwitchButtons) {
    // A choice read from the settings may name a layout the letter lacks.
    if (v->ListeValgt < v->ListeLayoutAntal && e.hwndSwitchButtons[v->ListeValgt])
      SendMessageA(e.hwndSwitchButtons[v->ListeValgt], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
  }
  ObjSwitchVaelg(v->ListeArt, v->Bogstav, n);
  v->ListeValgt = static_cast<uint8_t>(n);
  v->PosX.Antal = ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt);
  // The new layout's columns are other fields: no column is sorted yet.
  v->SortKolonne = 0;
  v->Faldende = 0;
  if (v->Rammet) {
    RECT r;
    GetWindowRect(v->hwnd, &r);
    POINT p{r.left, r.top};
    if (HWND par = GetParent(v->hwnd)) ScreenToClient(par, &p);
    MoveWindow(v->hwnd, p.x, p.y, ValgVinduesBredde(v, 0x7FFFFFFF), r.bottom - r.top, TRUE);
  }
  OpretSorterKnapper(v);
  OpdaterValgVisning(v);
}
