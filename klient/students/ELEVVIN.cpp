// The student overview. Rows are positions in the planning workspace's
// ElevVisTab (students in the overview's sort order), columns positions in
// the overview's own copy of PpTab; a cell's texts are asked with the
// student's position in ElevTab and the slot's position in PpTab, as the
// workspace's matrices are indexed. Every use of the planning workspace
// goes through Plan(), which answers null once the planning window has
// closed.
#include "ELEVVIN.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ARRANGER.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "ELEVKOLONNE.h"
#include "ELEVLISTE.h"
#include "ELEVLISTEVIN.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "KALENDER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VINDUER.h"

namespace {

constexpr const char *kKlasse = "ElevVinWndClass";
constexpr const char *kTitel = " Elevoversigt";
constexpr int kRaekke = 11;       // a student row, with 1 pixel between rows
constexpr int kHovedHoejde = 30;  // two slot header lines at 0 and 13, the buttons below
constexpr int kKnapHoejde = 16;
constexpr const char *kOptaget =
    "Man kan ikke blokere hvor eleven allerede er placeret.\nSkal eleven blokeres her skal eleven tages af holdet.";
// The planning window's caption of its own block command: the lock message
// of a block here goes out under it.
constexpr const char *kIkkeBlokeret = "Plads ikke blokeret";

int CxFrame() { return GetSystemMetrics(SM_CXFRAME); }
int CyFrame() { return GetSystemMetrics(SM_CYFRAME); }
int CyCaption() { return GetSystemMetrics(SM_CYCAPTION); }

ElevVinWS *Ws(HWND h) { return h ? reinterpret_cast<ElevVinWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)) : nullptr; }

ElevPlanWS *Plan(const ElevVinWS *ws) { return LevendePlanWS(ws->PlanVindue, ws->Plan); }

uint8_t AntalSkift(const ElevVinWS *ws) { return static_cast<uint8_t>(std::min<uint32_t>(ws->Antal[ELEVVIN_RAEKKE], 9)); }

uint32_t Bredde(const ElevVinWS *ws, int i) { return ObjSwitchBredde(ws->Art[i], ws->Bogstav, ws->Valgt[i]); }

char Ciffer(uint32_t n) { return static_cast<char>(33 + n % 10); }

bool Lektioner(const ElevPlanWS *p) {
  const TgRec *t = p && p->Tg ? TgRecNr(p->Tg) : nullptr;
  return t && t->UgeLektionsGruppe == 'L';
}

// The student's position in ElevTab of row r, the slot's position in PpTab
// of column c.
uint32_t ElevAfRaekke(const ElevVinWS *ws, uint32_t r) {
  const ElevPlanWS *p = Plan(ws);
  if (!p || !p->ElevVisTab || r == 0 || r > p->ElevAntal) return 0;
  return ElevPosition(p, p->ElevVisTab[r]);
}
uint32_t PpAfKolonne(const ElevVinWS *ws, uint32_t c) {
  const ElevPlanWS *p = Plan(ws);
  if (!p || !ws->Kolonner || c == 0 || c > ws->KolonneAntal) return 0;
  return PpPosition(p, ws->Kolonner[c]);
}

void FeltTekst(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2, uint32_t, char *tekst,
               uint8_t *pFarve, uint8_t *, HFONT *pSkrift) {
  ElevCelleTekst(static_cast<const ElevVinWS *>(ctx), feltNr, tegn, v1, v2, tekst, kSwitchTekstLen, pFarve, pSkrift);
}

void SorteringsFn(uint32_t kode, bool *pDansk, uint32_t *pBredde) { ElevKolonneSortering(kode, pDansk, pBredde); }

void Sorter(void *ctx, uint32_t *raekker, uint32_t antal) {
  auto *ws = static_cast<ElevVinWS *>(ctx);
  const SwitchLayout *l = ObjSwitchLayout(ELEVVIN_RAEKKE_ART, ws->Bogstav, 0);
  const int kode = l ? static_cast<int>(l->SortFelt) : 0;
  ElevSortKilde k{FeltTekst, SorteringsFn, ws, {}};
  const int felter[ELEVSORT_FELTER] = {kode, 8, 15, 0};
  SorterElevRaekker(ElevSortTekst, ElevSortBredde, &k, felter, 'Y', 0, 0, 0, raekker, antal, ws->SortRetning);
}

}  // namespace

// ==================================================================== texts

void ElevKolonneSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde) {
  uint32_t b = 1;
  bool dansk = false;
  switch (kode) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 19: b = 5; break;
    case 8: b = 50; dansk = true; break;
    case 9: b = 12; break;
    case 11: case 12: case 13: case 14: b = 10; break;
    case 15: b = 11; break;
    case 16: b = 2; break;
    case 18: b = 16; dansk = true; break;
    default: break;
  }
  if (pDansk) *pDansk = dansk;
  if (pBredde) *pBredde = b;
}

void ElevCelleTekst(const ElevVinWS *ws, uint32_t kode, uint32_t bredde, uint32_t pp, uint32_t elev, char *tekst,
                    size_t str, uint8_t *pFarve, HFONT *pSkrift) {
  ElevCelleBlank(tekst, str, bredde);
  const ElevPlanWS *p = ws ? Plan(ws) : nullptr;
  if (!p || !tekst || str == 0) return;
  const int w = static_cast<int>(std::min<size_t>(bredde, str - 1));
  const ElevRec *e = ElevVedPosition(p, elev);
  const PpRec *slot = PpVedPosition(p, pp);
  auto tal = [&](int64_t n) {
    ElevCelleSkriv(tekst, str, bredde, "%*ld", w, static_cast<long>(n));
    if (pFarve) *pFarve = 16;
  };
  auto glyffer = [&] {
    if (pSkrift) *pSkrift = ElevFont;
  };
  // P placed lessons, F free slots, W wished lessons of the student.
  auto P = [&] { return int64_t{e->akt_prio_1} + e->akt_prio_2 + e->akt_prio_3; };
  auto F = [&] {
    int64_t f = p->PpAntal;
    for (uint32_t c = 1; c <= p->PpAntal && p->ElevSpaerring.Data; ++c) f -= p->ElevSpaerring(elev, c) != 0;
    return f;
  };
  static const char *const kDage[] = {"Mandag ", "Tirsdag", "Onsdag ", "Torsdag", "Fredag ", "Lørdag ", "Søndag "};
  const char *dag = slot && slot->dag < 7 ? kDage[slot->dag] : nullptr;
  switch (kode) {
    case 1: if (e) tal(P()); return;
    case 2: if (e) tal(std::max<int64_t>(F() - P(), 0)); return;
    case 3: if (e) tal(e->akt_prio_1); return;
    case 4: if (e) tal(e->akt_prio_2); return;
    case 5: if (e) tal(e->akt_prio_3); return;
    case 6: if (e) tal(e->onske_prio_1); return;
    case 7: if (e) tal(e->onske_prio_2); return;
    case 8:
      if (e) ElevCelleSkriv(tekst, str, bredde, "%-*.*s", w, static_cast<int>(strnlen(e->Elevnavn, sizeof e->Elevnavn)), e->Elevnavn);
      return;
    case 9: if (e) tal(e->id); return;
    case 15:
      if (e) {
        const int n = static_cast<int>(strnlen(e->Cpr_Nummer, sizeof e->Cpr_Nummer));
        ElevCelleSkriv(tekst, str, bredde, n == 10 ? "0%-*.*s" : "%-*.*s", w, n, e->Cpr_Nummer);
      }
      return;
    case 19:
      if (e) {
        const int64_t pl = P(), f = F(), wi = int64_t{e->onske_prio_1} + e->onske_prio_2;
        tal(f >= pl && wi > pl ? std::min(wi, f) - pl : 0);
      }
      return;
    case 14: {
      if (!e || !slot) return;
      uint32_t a = 0;
      const int s = ElevStatusVedPp(p, p->PpTab[pp], p->ElevTab[elev], &a);
      const uint8_t form = a ? p->PlanGitter(a, pp) : 0;
      if (s >= 1 && s <= 3 && (form == PLAN_ENKELT || form == PLAN_START)) {
        ElevCelleSkriv(tekst, str, bredde, "%*c", w, 33 + s);
        if (pFarve) *pFarve = s == 3 ? 8 : 7;
        glyffer();
      } else {
        ElevCelleSkriv(tekst, str, bredde, "%7s", "");
      }
      return;
    }
    case 25:
      if (!slot) return;
      if (slot->ugenr > SkemaPeriode.LaasUge) {
        ElevCelleSkriv(tekst, str, bredde, "%c%c", Ciffer(slot->ugenr % 100 / 10), Ciffer(slot->ugenr % 100));
        glyffer();
      } else {
        ElevCelleSkriv(tekst, str, bredde, "%02u", static_cast<unsigned>(slot->ugenr % 100));
      }
      return;
    case 26: ElevCelleSkriv(tekst, str, bredde, "U"); return;
    case 27: {
      if (!slot || slot->dag > 4) return;
      const PpRec *foer = PpVedPosition(p, pp - 1);
      if (foer && foer->dag == slot->dag)
        ElevCelleSkriv(tekst, str, bredde, "  ");
      else
        ElevCelleSkriv(tekst, str, bredde, "%c%c", dag[0], dag[1]);
      return;
    }
    case 28: if (slot) tal(slot->lektion); return;
    case 29: if (dag) ElevCelleSkriv(tekst, str, bredde, "%-*s", w, dag); return;
    case 30: if (slot) ElevCelleSkriv(tekst, str, bredde, "%*ld. Lek.", 2, static_cast<long>(slot->lektion)); return;
    case 31: {
      if (!slot) return;
      const uint32_t aar = slot->ugenr / 100;
      if (slot->ugenr == IndeksTilUge(SkemaPeriode.AktuelUgeIndeks)) {
        ElevCelleSkriv(tekst, str, bredde, "%c%c%c%c", Ciffer(aar / 1000), Ciffer(aar / 100), Ciffer(aar / 10), Ciffer(aar));
        glyffer();
      } else {
        ElevCelleSkriv(tekst, str, bredde, "%4u", aar);
      }
      return;
    }
    case 32: if (slot) tal(slot->dag); return;
    default: return;
  }
}

// ==================================================================== buttons and sizes

namespace {

struct KnapTekst {
  uint32_t Kode;
  const char *Tip;
  const char *Tekst;
};
const KnapTekst kKnapTekster[] = {
    {1, "Alle placeringer", "A"},     {2, "Mangler", "M"},
    {3, "Aktuel 1. prioritet", "A1"}, {4, "Aktuel 2. prioritet", "A2"},
    {5, "Aktuel 3. prioritet", "A3"}, {6, "Ønske 1. prioritet", "Øl"},
    {7, "Ønske 2. prioritet", "Ø2"},  {8, "Navn", "Navn"},
    {9, "elev_id", "elev_id"},        {11, " ", " "},
    {12, " ", " "},                   {13, " ", " "},
    {14, " ", " "},                   {15, "Cpr_nr", "Cpr_nr"},
    {16, " ", " "},                   {18, " ", " "},
    {19, "M2", "M2"},                 {25, " ", " "},
};

const KnapTekst &KnapAf(uint32_t kode) {
  static const KnapTekst kTom{0, "", ""};
  for (const KnapTekst &k : kKnapTekster)
    if (k.Kode == kode) return k;
  return kTom;
}

uint32_t FeltX(const ElevVinWS *ws, uint32_t i) {
  uint32_t x = 0;
  for (uint32_t j = 0; j < i; ++j) x += ObjSwitchFeltBredde(ELEVVIN_RAEKKE_ART, ws->Bogstav, ws->Valgt[ELEVVIN_RAEKKE], j);
  return x;
}

void LayKnapper(ElevVinWS *ws) {
  const Ens &e = ws->ens;
  const int B = e.RudeB[ENS_RAEKKEHOVED];
  const int y = static_cast<int>(e.KolHovedHoejde) - 1 - kKnapHoejde;
  for (uint32_t i = 0; i < ws->SorterKnapAntal; ++i) {
    HWND k = ws->SorterKnapper[i];
    if (!k) continue;
    const int x = static_cast<int>(FeltX(ws, i));
    const int b = static_cast<int>(ObjSwitchFeltBredde(ELEVVIN_RAEKKE_ART, ws->Bogstav, ws->Valgt[ELEVVIN_RAEKKE], i));
    MoveWindow(k, x, y, std::max(0, std::min(b, B - x)), kKnapHoejde, TRUE);
    InvalidateRect(k, nullptr, FALSE);
  }
}

void SletKnapper(ElevVinWS *ws) {
  for (uint32_t i = 0; ws->SorterKnapper && i < ws->SorterKnapAntal; ++i)
    if (ws->SorterKnapper[i] && IsWindow(ws->SorterKnapper[i])) DestroyWindow(ws->SorterKnapper[i]);
  free(ws->SorterKnapper);
  ws->SorterKnapper = nullptr;
  ws->SorterKnapAntal = 0;
}

int Begraens(int64_t w, int mindst, int graense) { return w >= graense ? graense : static_cast<int>(std::max<int64_t>(w, mindst)); }

}  // namespace

void OpretSorterKnapperElevVin(ElevVinWS *ws) {
  SletKnapper(ws);
  Ens &e = ws->ens;
  const uint32_t nr = ws->Valgt[ELEVVIN_RAEKKE];
  const uint32_t antal = ObjSwitchFeltAntal(ELEVVIN_RAEKKE_ART, ws->Bogstav, nr);
  ws->SorterKnapper = static_cast<HWND *>(calloc(antal + 1, sizeof(HWND)));
  ws->SorterKnapAntal = ws->SorterKnapper ? antal : 0;
  const HWND foraelder = e.hwndHjoerneV ? e.hwndHjoerneV : ws->hwnd;
  const uint32_t synlig = static_cast<uint32_t>(std::max(0, static_cast<int>(e.RudeB[ENS_RAEKKEHOVED])));
  for (uint32_t i = 0; i < ws->SorterKnapAntal; ++i) {
    const uint32_t x = FeltX(ws, i);
    if (x >= synlig + 1000) break;
    const KnapTekst &k = KnapAf(ObjSwitchFeltNr(ELEVVIN_RAEKKE_ART, ws->Bogstav, nr, i));
    const std::string tip = std::string("Sorter efter ") + k.Tip;
    const int b = static_cast<int>(ObjSwitchFeltBredde(ELEVVIN_RAEKKE_ART, ws->Bogstav, nr, i));
    HWND h = CreateNyButtonWnd(e.hInstance, foraelder, ws->hwnd, i, 1, NYB_VENSTRE | NYB_BILLEDE_HOEJRE,
                               static_cast<int>(x), 0, b, kKnapHoejde, tip.c_str(), k.Tekst);
    ws->SorterKnapper[i] = h;
    if (h) ShowWindow(h, SW_SHOW);
  }
}

void ElevVinKnapKommando(ElevVinWS *ws, uint32_t id, uint32_t vaerdi) {
  const HWND h = ws->hwnd;
  Ens &e = ws->ens;
  ElevPlanWS *p = Plan(ws);
  if (!e.Aktiv) {
    const LPARAM hl = static_cast<LPARAM>(h);
    e.Aktiv = SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, hl) ? 1 : 0;
    if (e.Aktiv) SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, hl);
    if (p) p->SidstAktiv = 3;
  }
  const uint32_t antalSkift = AntalSkift(ws);
  if (id >= ENS_SKIFT_ID && id < ENS_SKIFT_ID + antalSkift && vaerdi == 0) {
    const uint32_t n = id - ENS_SKIFT_ID, gammel = ws->Valgt[ELEVVIN_RAEKKE];
    if (n == gammel) return;
    if (e.hwndSwitchButtons && e.hwndSwitchButtons[gammel]) SendMessageA(e.hwndSwitchButtons[gammel], NYB_LAAS_OP, 0, 0);
    if (e.hwndSwitchButtons && e.hwndSwitchButtons[n]) SendMessageA(e.hwndSwitchButtons[n], NYB_LAAS_NED, 0, 0);
    ws->Valgt[ELEVVIN_RAEKKE] = n;
    ObjSwitchVaelg(ELEVVIN_RAEKKE_ART, ws->Bogstav, n);
    if (p) BuildElevPlanData(p);
    if (ElevSkaermKrog.OpstilIgen) ElevSkaermKrog.OpstilIgen();
    return;
  }
  switch (vaerdi) {
    case 1: {
      if (id >= ws->SorterKnapAntal || !ws->SorterKnapper[id]) return;
      if (!ws->Sorteret || ws->SortKolonne != id) {
        if (ws->Sorteret && ws->SortKolonne < ws->SorterKnapAntal && ws->SorterKnapper[ws->SortKolonne])
          SendMessageA(ws->SorterKnapper[ws->SortKolonne], NYB_BILLEDE, 32, 0);
        ws->Sorteret = 1;
        ws->SortKolonne = id;
        ws->SortRetning = 0;
      } else {
        ws->SortRetning = ws->SortRetning ? 0 : ELEVSORT_FALDENDE;
      }
      SendMessageA(ws->SorterKnapper[id], NYB_BILLEDE, 32,
                   reinterpret_cast<LPARAM>(MAKEINTRESOURCE(ws->SortRetning ? ELEV_BILLEDE_FALDENDE : ELEV_BILLEDE_STIGENDE)));
      if (p && p->ElevVisTab && ws->ElevPos.Aktuel && ws->ElevPos.Aktuel <= p->ElevAntal)
        tvelev.AktuelRec = p->ElevVisTab[ws->ElevPos.Aktuel];
      ObjSwitchSaetSortFelt(ELEVVIN_RAEKKE_ART, ws->Bogstav,
                            ObjSwitchFeltNr(ELEVVIN_RAEKKE_ART, ws->Bogstav, ws->Valgt[ELEVVIN_RAEKKE], id));
      ElevVinByggRaekker(ws);
      ElevVinScroll(ws, ELEVLISTE_TEGN_ALT);
      return;
    }
    case NYB_MINIMER: EnsMinimize(h, &e); return;
    case NYB_LUK: DestroyWindow(h); return;
    case NYB_MAKSIMER: SkiftMaksimeret(h, &ws->GemtRect, 2); return;
    default: return;
  }
}

int ElevVinBredde(const ElevVinWS *ws, int graense) {
  const ElevPlanWS *p = Plan(ws);
  const int64_t w = int64_t{Bredde(ws, ELEVVIN_RAEKKE)} + GetSystemMetrics(SM_CXVSCROLL) +
                    (int64_t{Bredde(ws, ELEVVIN_CELLE)} + 1) * (p ? p->PpAntal : 0) + 2 * CxFrame() + 5;
  return Begraens(w, 150, graense);
}

int ElevVinHoejde(const ElevVinWS *ws, int graense) {
  const ElevPlanWS *p = Plan(ws);
  const uint32_t n = p ? p->ElevAntal : 0;
  const int64_t h = 2 * CyFrame() + GetSystemMetrics(SM_CYHSCROLL) + CyCaption() + 55 + (n < 51 ? 550 : 11 * int64_t{n});
  return Begraens(h, 100, graense);
}

// ==================================================================== the window

namespace {

void SaetAkser(ElevVinWS *ws) {
  Ens &e = ws->ens;
  e.AkseX = GridAkse{0, std::max<uint32_t>(Bredde(ws, ELEVVIN_PP), 1), 1, 0, 1};
  e.AkseY = GridAkse{0, kRaekke, 1, 0, 1};
  e.KolHovedHoejde = kHovedHoejde;
  e.RaekkeHovedBredde = Bredde(ws, ELEVVIN_RAEKKE);
  ws->PpPos.Synlige = std::max<uint32_t>(ws->PpPos.Synlige, 1);
  ws->ElevPos.Synlige = std::max<uint32_t>(ws->ElevPos.Synlige, 1);
}

// The current cells in view and both scroll bars set.
int ScrollTilAktuel(ElevVinWS *ws) {
  Ens &e = ws->ens;
  int flag = 0;
  for (int x = 1; x >= 0; --x) {
    GridPos *pos = x ? &ws->PpPos : &ws->ElevPos;
    const GridAkse *akse = x ? &e.AkseX : &e.AkseY;
    const int extent = x ? e.RudeB[ENS_CELLER] : e.RudeH[ENS_CELLER];
    if (extent <= 0) continue;
    uint32_t off = x ? e.ScrollX : e.ScrollY;
    if (pos->Antal && pos->Aktuel && GridScrollTilAktuel(pos, &off, static_cast<uint32_t>(extent), akse))
      flag |= ELEVLISTE_TEGN_RULLET;
    (x ? e.ScrollX : e.ScrollY) = off;
    pos->Synlige = std::max<uint32_t>(1, static_cast<uint32_t>(extent) / (akse->CelleBredde + akse->Mellemrum));
    const uint32_t slut = pos->Antal ? GridCelleSlut(akse, pos->Antal) : 0;
    if (HWND bar = x ? e.hwndHScroll : e.hwndVScroll) SetScrollCtl(bar, extent, static_cast<int>(slut), static_cast<int>(off));
  }
  return flag;
}

void Synlige(const GridAkse *a, uint32_t scroll, int extent, uint32_t antal, uint32_t *fra, uint32_t *til) {
  *fra = 1;
  *til = 0;
  if (extent <= 0 || antal == 0) return;
  *fra = std::max<uint32_t>(1, GridPixelTilCelle(a, scroll));
  *til = std::min(antal, GridPixelTilCelle(a, scroll + static_cast<uint32_t>(extent) - 1));
}

int Start(const GridAkse *a, uint32_t n, uint32_t scroll) { return static_cast<int>(int64_t{GridCelleStart(a, n)} - scroll); }
int Efter(const GridAkse *a, uint32_t n, uint32_t scroll) {
  return n ? static_cast<int>(int64_t{GridCelleSlut(a, n)} - scroll) + 1 : -static_cast<int>(scroll);
}

// Highlight of the current entry: 1 active, 2 inactive, while the overview
// or the wish window was the last student window active.
uint8_t Markering(const ElevVinWS *ws, const ElevPlanWS *p) {
  if (!p || (p->SidstAktiv != 3 && p->SidstAktiv != 4)) return 0;
  return ws->ens.Aktiv ? 1 : 2;
}

bool DagSkifte(const ElevVinWS *ws, const ElevPlanWS *p, uint32_t c) {
  if (!Lektioner(p) || c < 1 || c >= ws->KolonneAntal) return false;
  return ElevRef(PpRecNr, ws->Kolonner[c]).dag != ElevRef(PpRecNr, ws->Kolonner[c + 1]).dag;
}

void TegnHjoerne(ElevVinWS *ws) {
  Ens &e = ws->ens;
  if (!e.hdc) return;
  EnsPaintCaption(&e);
  const int x = e.Areal[0], y = CyFrame() + kElevListeKaption;
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  ws->RammeDC.hdc = e.hdc;
  FillRectSys(e.hdc, COLOR_BTNFACE, x, y, e.Areal[2] + 1, e.Areal[1]);
  const int bredde = static_cast<int>(Bredde(ws, ELEVVIN_HJOERNE));
  if (Plan(ws))
    TegnElevRaekke(FeltTekst, ws, &ws->RammeDC, x, y + 2, 0, ws->Art[ELEVVIN_HJOERNE], ws->Bogstav,
                   ws->Valgt[ELEVVIN_HJOERNE], 0, 0, 0, 1, 1, std::max(0, static_cast<int>(rc.right) - x - bredde));
}

void TegnRaekkeHoved(ElevVinWS *ws, uint32_t fra, uint32_t til) {
  Ens &e = ws->ens;
  const ElevPlanWS *p = Plan(ws);
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  const int B = e.RudeB[ENS_RAEKKEHOVED], H = e.RudeH[ENS_RAEKKEHOVED];
  if (!p || !dc->hdc || B <= 0 || H <= 0) return;
  til = std::min(til, ws->ElevPos.Antal);
  const uint8_t mark = Markering(ws, p);
  const int bredde = static_cast<int>(Bredde(ws, ELEVVIN_RAEKKE));
  for (uint32_t r = std::max<uint32_t>(fra, 1); r <= til; ++r) {
    const int y = Start(&e.AkseY, r, e.ScrollY);
    if (y >= H || y + kRaekke + 1 <= 0) continue;
    FillRectSys(dc->hdc, COLOR_3DDKSHADOW, 0, y - 1, B, y);
    const uint8_t mode = r == ws->ElevPos.Aktuel ? mark : 0;
    TegnElevRaekke(FeltTekst, ws, dc, 0, y, mode, ELEVVIN_RAEKKE_ART, ws->Bogstav, ws->Valgt[ELEVVIN_RAEKKE], 0,
                   ElevAfRaekke(ws, r), 0, 0, 0, std::max(0, B - bredde));
  }
}

void TegnPpHoved(ElevVinWS *ws, uint32_t fra, uint32_t til) {
  Ens &e = ws->ens;
  const ElevPlanWS *p = Plan(ws);
  EnsDC *dc = &e.dc[ENSDC_KOLHOVED];
  const int B = e.RudeB[ENS_KOLHOVED], H = e.RudeH[ENS_KOLHOVED];
  if (!p || !dc->hdc || B <= 0 || H <= 0) return;
  til = std::min(til, ws->KolonneAntal);
  const uint8_t mark = Markering(ws, p);
  const int w = static_cast<int>(e.AkseX.CelleBredde);
  for (uint32_t c = std::max<uint32_t>(fra, 1); c <= til; ++c) {
    const int x = Start(&e.AkseX, c, e.ScrollX);
    if (x >= B || x + w <= 0) continue;
    FillRectSys(dc->hdc, COLOR_3DDKSHADOW, x - 1, 0, x, H);
    FillRectSys(dc->hdc, COLOR_BTNFACE, x, 0, x + w, H);
    const uint32_t pp = PpAfKolonne(ws, c);
    TegnElevRaekke(FeltTekst, ws, dc, x, 0, 0, ws->Art[ELEVVIN_PP], ws->Bogstav, 0, pp, 0, 0, 0, 0, 0);
    TegnElevRaekke(FeltTekst, ws, dc, x, 13, c == ws->PpPos.Aktuel ? mark : 0, ws->Art[ELEVVIN_PP], ws->Bogstav, 1,
                   pp, 0, 0, 0, 0, 0);
    if (DagSkifte(ws, p, c)) FillRectSys(dc->hdc, COLOR_3DDKSHADOW, x + w - 1, 0, x + w, H);
  }
}

void TegnCeller(ElevVinWS *ws, uint32_t k1, uint32_t k2, uint32_t r1, uint32_t r2) {
  Ens &e = ws->ens;
  const ElevPlanWS *p = Plan(ws);
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  HDC hdc = dc->hdc;
  const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
  if (!p || !hdc || B <= 0 || H <= 0 || !p->ElevSpaerring.Data || !p->PlanGitter.Data) return;
  k2 = std::min(k2, ws->KolonneAntal);
  r2 = std::min(r2, ws->ElevPos.Antal);
  const int w = static_cast<int>(e.AkseX.CelleBredde);
  const bool skygget = p->SidstAktiv != 3 && p->SidstAktiv != 4;
  for (uint32_t r = std::max<uint32_t>(r1, 1); r <= r2; ++r) {
    const int y = Start(&e.AkseY, r, e.ScrollY);
    if (y >= H || y + kRaekke + 1 <= 0) continue;
    const uint32_t s = ElevAfRaekke(ws, r);
    for (uint32_t c = std::max<uint32_t>(k1, 1); c <= k2; ++c) {
      const int x = Start(&e.AkseX, c, e.ScrollX), X1 = x + w;
      if (x >= B || X1 <= 0) continue;
      const uint32_t pp = PpAfKolonne(ws, c);
      uint32_t a = 0;
      const int status = s && pp ? ElevStatusVedPp(p, p->PpTab[pp], p->ElevTab[s], &a) : 0;
      const bool aktuel = r == ws->ElevPos.Aktuel && c == ws->PpPos.Aktuel;
      uint8_t bk;
      if (aktuel)
        bk = e.Aktiv ? (status == 4 ? 19 : 1) : (status == 4 ? 20 : 36);
      else
        bk = status == 4 ? 18 : 36;
      const uint8_t formFarve = aktuel && !skygget ? 3 : 31;
      TegnElevRaekke(FeltTekst, ws, dc, x, y, bk, ELEVVIN_CELLE_ART, ws->Bogstav, ws->Valgt[ELEVVIN_CELLE], pp, s, 0, 0, 0,
                     std::max(0, w - static_cast<int>(Bredde(ws, ELEVVIN_CELLE))));
      if (a && pp) {
        HBRUSH b = FarveBrush[formFarve];
        switch (p->PlanGitter(a, pp)) {
          case PLAN_ENKELT:
            FillRectIfAny(hdc, b, x + 2, y + 3, x + 4, y + 9);
            FillRectIfAny(hdc, b, x + 4, y + 5, x + 8, y + 7);
            FillRectIfAny(hdc, b, X1 - 7, y + 5, X1 - 4, y + 7);
            FillRectIfAny(hdc, b, X1 - 4, y + 3, X1 - 2, y + 9);
            break;
          case PLAN_START:
            FillRectIfAny(hdc, b, x + 2, y + 3, x + 4, y + 9);
            FillRectIfAny(hdc, b, x + 4, y + 5, x + 8, y + 7);
            FillRectIfAny(hdc, b, X1 - 7, y + 5, X1, y + 7);
            break;
          case PLAN_MIDTE:
            FillRectIfAny(hdc, b, x, y + 5, X1, y + 7);
            break;
          case PLAN_SLUT:
            FillRectIfAny(hdc, b, x, y + 5, X1 - 4, y + 7);
            FillRectIfAny(hdc, b, X1 - 4, y + 3, X1 - 2, y + 9);
            break;
          default:
            break;
        }
      }
      FillRectSys(hdc, COLOR_3DDKSHADOW, x - 1, y, x, y + kRaekke);
      FillRectSys(hdc, COLOR_3DDKSHADOW, x, y - 1, X1, y);
      if (DagSkifte(ws, p, c)) FillRectSys(hdc, COLOR_3DDKSHADOW, X1 - 1, y, X1, y + kRaekke);
    }
  }
}

void TegnDele(ElevVinWS *ws, int flag) {
  Ens &e = ws->ens;
  const bool alt = flag & (ELEVLISTE_TEGN_ALT | ELEVLISTE_TEGN_RULLET);
  uint32_t k1, k2, r1, r2;
  Synlige(&e.AkseX, e.ScrollX, e.RudeB[ENS_CELLER], ws->KolonneAntal, &k1, &k2);
  Synlige(&e.AkseY, e.ScrollY, e.RudeH[ENS_CELLER], ws->ElevPos.Antal, &r1, &r2);
  if (alt) {
    LayKnapper(ws);
    TegnRaekkeHoved(ws, r1, r2);
    TegnPpHoved(ws, k1, k2);
    TegnCeller(ws, k1, k2, r1, r2);
    const int hoejre = std::max(0, Efter(&e.AkseX, ws->KolonneAntal, e.ScrollX));
    const int bund = std::max(0, Efter(&e.AkseY, ws->ElevPos.Antal, e.ScrollY));
    if (HDC hdc = e.dc[ENSDC_CELLER].hdc) {
      const int B = e.RudeB[ENS_CELLER], H = e.RudeH[ENS_CELLER];
      FillRectIfAny(hdc, FarveBrush[36], hoejre, 0, B, H);
      FillRectIfAny(hdc, FarveBrush[36], 0, bund, std::min(hoejre, B), H);
      FillRectSys(hdc, COLOR_3DDKSHADOW, 0, bund, std::min(hoejre, B), bund + 1);
    }
    if (HDC hdc = e.dc[ENSDC_RAEKKEHOVED].hdc)
      FillRectSys(hdc, COLOR_BTNFACE, 0, bund, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED]);
    if (HDC hdc = e.dc[ENSDC_KOLHOVED].hdc)
      FillRectSys(hdc, COLOR_BTNFACE, hoejre, 0, e.RudeB[ENS_KOLHOVED], e.RudeH[ENS_KOLHOVED]);
    if (HDC v = e.dc[ENSDC_HJOERNE_V].hdc) FillRectSys(v, COLOR_BTNFACE, 0, 0, e.HjoerneB[0], e.HjoerneH[0]);
  } else {
    for (uint32_t r : {ws->ElevFoer, ws->ElevPos.Aktuel}) TegnRaekkeHoved(ws, r, r);
    for (uint32_t c : {ws->PpFoer, ws->PpPos.Aktuel}) TegnPpHoved(ws, c, c);
    TegnCeller(ws, ws->PpFoer, ws->PpFoer, ws->ElevFoer, ws->ElevFoer);
    TegnCeller(ws, ws->PpPos.Aktuel, ws->PpPos.Aktuel, ws->ElevPos.Aktuel, ws->ElevPos.Aktuel);
  }
}

int FuldBredde(ElevVinWS *ws) { return ElevVinBredde(ws, INT_MAX); }
int FuldHoejde(ElevVinWS *ws) { return ElevVinHoejde(ws, INT_MAX); }

bool MaaAktiveres(HWND h, ElevVinWS *ws) {
  return SendMessageA(ws->ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)) != 0;
}

uint32_t AktuelElevRaekke(const ElevVinWS *ws) {
  const ElevPlanWS *p = Plan(ws);
  return p && p->ElevVisTab ? FindObjIdx(p->ElevVisTab, p->ElevAntal, tvelev.AktuelRec) : 0;
}

void Opret(HWND h, ElevVinWS *ws) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
  ws->hwnd = h;
  Ens &e = ws->ens;
  e.hwndParent = GetParent(h);
  e.hInstance = hInst;
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  std::strncpy(e.Titel, kTitel, sizeof e.Titel - 1);
  const TabDesc *td = nullptr;
  TabVar *tv = nullptr;
  if (TabFromType(ws->Bogstav, &td, &tv) == 0) {
    e.pTd = td;
    e.pTv = tv;
  }
  e.StyrX = &ws->PpPos;
  e.StyrY = &ws->ElevPos;
  e.TredjeAkse = &ws->Tredje;
  ws->Tredje = GridPos{1, 1, 1, 1};
  SaetAkser(ws);
  const uint8_t antalSkift = AntalSkift(ws);
  e.SkiftBredde = static_cast<uint32_t>(antalSkift * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  ws->RammeDC = EnsDC{e.hdc, kIngenFarve, kIngenFarve};
  if (TxtFont) SelectObject(e.hdc, TxtFont);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = CxFrame();
  e.Areal[1] = CyCaption() + kElevListeKaption + CyFrame();
  e.Areal[2] = rc.right - 1 - CxFrame();
  e.Areal[3] = rc.bottom - 1 - CyFrame();
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(antalSkift + 1u, sizeof(HWND)));
  EnsCreateChildren(&e, h, antalSkift, nullptr, TxtFont, false, true, nullptr);
  OpretSorterKnapperElevVin(ws);
  const uint32_t valgt = ws->Valgt[ELEVVIN_RAEKKE];
  if (e.hwndSwitchButtons && valgt < antalSkift && e.hwndSwitchButtons[valgt])
    SendMessageA(e.hwndSwitchButtons[valgt], NYB_LAAS_NED, 0, 0);
  ElevVinByggRaekker(ws);
  ElevVinByggKolonner(ws);
  ws->ByggetTg = tvtg.AktuelRec;
  if (e.RudeB[ENS_CELLER] > 0)
    e.ScrollX = GridCentrerCelle(&e.AkseX, static_cast<uint32_t>(e.RudeB[ENS_CELLER]), ws->PpPos.Aktuel, ws->PpPos.Antal);
  if (e.RudeH[ENS_CELLER] > 0)
    e.ScrollY = GridCentrerCelle(&e.AkseY, static_cast<uint32_t>(e.RudeH[ENS_CELLER]), ws->ElevPos.Aktuel,
                                 ws->ElevPos.Antal);
  ScrollTilAktuel(ws);
  const LPARAM hl = static_cast<LPARAM>(h);
  e.Aktiv = e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, hl) ? 1 : 0;
  VinduesListeTilfoej(h);
  if (e.Aktiv) {
    if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = 3;
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, hl);
  }
  e.CaptionAktiv = e.Aktiv;
}

void Nedlaeg(HWND h, ElevVinWS *ws) {
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  SletKnapper(ws);
  free(ws->ens.hwndSwitchButtons);
  free(ws->Kolonner);
  free(ws);
}

void Aktiver(HWND h, ElevVinWS *ws, UINT msg, WPARAM wParam) {
  Ens &e = ws->ens;
  e.CaptionAktiv = 1;
  if (ElevPlanWS *p = Plan(ws)) p->SidstAktiv = 3;
  ws->ElevPos.Aktuel = AktuelElevRaekke(ws);
  if (!e.Aktiv) {
    e.Aktiv = 1;
    VinduesListeTilTop(h);
    BringWindowToTop(h);
    if (msg == VINDUE_AKTIVER) SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam ? wParam : 1, static_cast<LPARAM>(h));
    if (Ws(h) != ws) return;
    ElevVinScroll(ws, ELEVLISTE_TEGN_ALT);
  }
  EnsPaintFrame(&e);
}

void Klik(HWND h, ElevVinWS *ws, UINT msg, LPARAM lParam) {
  Ens &e = ws->ens;
  if (!e.Aktiv) {
    if (MaaAktiveres(h, ws)) SendMessageA(h, VINDUE_AKTIVER, 1, 0);
    return;
  }
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  auto celle = [](const GridAkse *a, int px, uint32_t scroll, uint32_t antal) -> uint32_t {
    if (antal == 0) return 0;
    const int64_t q = std::max<int64_t>(0, int64_t{px} + scroll);
    return std::clamp<uint32_t>(GridPixelTilCelle(a, static_cast<uint32_t>(q)), 1, antal);
  };
  int flag = 0;
  if (msg != ENS_RAEKKEHOVED_NED) {
    const uint32_t c = celle(&e.AkseX, x, e.ScrollX, ws->PpPos.Antal);
    if (c != ws->PpPos.Aktuel) flag |= ELEVLISTE_TEGN_KOLONNE;
    ws->PpPos.Aktuel = c;
  }
  if (msg != ENS_KOLHOVED_NED) {
    const uint32_t r = celle(&e.AkseY, y, e.ScrollY, ws->ElevPos.Antal);
    if (r != ws->ElevPos.Aktuel) flag |= ELEVLISTE_TEGN_RAEKKE;
    ws->ElevPos.Aktuel = r;
  }
  ElevVinScroll(ws, flag);
}

void Genopbyg(ElevVinWS *ws) {
  ElevVinArter(ws);
  ElevVinByggRaekker(ws);
  ElevVinByggKolonner(ws);
  ws->ByggetTg = tvtg.AktuelRec;
  ElevVinScroll(ws, ELEVLISTE_TEGN_ALT);
}

void Foelg(ElevVinWS *ws, WPARAM wParam) {
  if (ws->ElementTegning || (ws->ens.Aktiv && wParam == 0)) return;
  ElevPlanWS *p = Plan(ws);
  if (!p) return;
  ElevVinArter(ws);
  if (tvtg.AktuelRec == ws->ByggetTg) {
    ws->ElevPos.Aktuel = p->SidstAktiv == 4 ? AktuelElevRaekke(ws) : 0;
    ws->PpPos.Aktuel = ws->Kolonner ? FindObjIdx(ws->Kolonner, ws->KolonneAntal, tvpp.AktuelRec) : 0;
    ElevVinScroll(ws, ELEVLISTE_TEGN_ALT);
    return;
  }
  Genopbyg(ws);
}

// One step along the advance axis after a block changed.
void Frem(ElevVinWS *ws) {
  GridPos &pos = ws->FremElever ? ws->ElevPos : ws->PpPos;
  if (pos.Aktuel == 0)
    pos.Aktuel = pos.Foerste ? pos.Foerste : (pos.Antal ? 1 : 0);
  else if (pos.Aktuel < pos.Antal)
    ++pos.Aktuel;
}

int Blokering(ElevVinWS *ws, int mode) {
  ElevPlanWS *p = Plan(ws);
  if (!p || !p->Tg) return 0;
  const uint32_t tg = ws->ByggetTg;
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeBlokeret, mode);
    return 0;
  }
  const uint32_t s = ElevAfRaekke(ws, ws->ElevPos.Aktuel), pp = PpAfKolonne(ws, ws->PpPos.Aktuel);
  if (!s || !pp || !p->ElevSpaerring.Data) return 0;
  uint8_t &blok = p->ElevSpaerring(s, pp);
  if (!blok) {
    const int status = ElevStatusVedPp(p, p->PpTab[pp], p->ElevTab[s], nullptr);
    if (status >= 1 && status <= 3) {
      if (mode == 2) MessageBoxA(0, kOptaget, "Elev optaget", MB_OK | MB_ICONEXCLAMATION);
      return 0;
    }
  }
  if (mode == 2) {
    blok = blok ? 0 : 1;
    p->SpaerringAendret = 1;
    Frem(ws);
  }
  return 1;
}

}  // namespace

void ElevVinArter(ElevVinWS *ws) {
  const ElevPlanWS *p = Plan(ws);
  const bool uger = !Lektioner(p);
  const uint32_t arter[ELEVVIN_ARTER] = {ELEVVIN_RAEKKE_ART, uger ? ELEVVIN_PP_UGE_ART : ELEVVIN_PP_LEKTION_ART,
                                         ELEVVIN_CELLE_ART, uger ? ELEVVIN_HJOERNE_UGE_ART : ELEVVIN_HJOERNE_LEKTION_ART};
  for (int i = 0; i < ELEVVIN_ARTER; ++i) {
    ws->Art[i] = arter[i];
    ws->Antal[i] = ObjSwitchAntal(arter[i], ws->Bogstav);
    ws->Valgt[i] = ObjSwitchValgt(arter[i], ws->Bogstav);
  }
  if (ws->hwnd) SaetAkser(ws);
}

void ElevVinByggKolonner(ElevVinWS *ws) {
  ElevPlanWS *p = Plan(ws);
  const uint32_t antal = p && p->PpTab ? p->PpAntal : 0;
  auto *ny = static_cast<uint32_t *>(calloc(antal + 1u, sizeof(uint32_t)));
  if (!ny) return;
  if (antal) std::memcpy(ny + 1, p->PpTab + 1, antal * sizeof(uint32_t));
  free(ws->Kolonner);
  ws->Kolonner = ny;
  ws->KolonneAntal = antal;
  ws->PpPos.Antal = antal;
  uint32_t c = antal ? FindObjIdx(ny, antal, tvpp.AktuelRec) : 0;
  if (c == 0 && antal) {
    c = 1;
    tvpp.AktuelRec = ny[1];
  }
  ws->PpPos.Aktuel = c;
  ws->PpFoer = c;
}

void ElevVinByggRaekker(ElevVinWS *ws) {
  ElevPlanWS *p = Plan(ws);
  if (!p) {
    ws->ElevPos.Antal = ws->ElevPos.Aktuel = 0;
    return;
  }
  ByggElevRaekker(p, &ws->ElevPos, Sorter, ws);
  ws->ElevFoer = ws->ElevPos.Aktuel;
}

void TegnElevVin(ElevVinWS *ws, int flag) {
  TegnHjoerne(ws);
  TegnDele(ws, flag);
  ElevPlanWS *p = Plan(ws);
  if (p && ws->ens.Aktiv && !ws->ElementTegning) {
    if (ws->ElevPos.Aktuel && p->ElevVisTab && ws->ElevPos.Aktuel <= p->ElevAntal)
      tvelev.AktuelRec = p->ElevVisTab[ws->ElevPos.Aktuel];
    if (ws->PpPos.Aktuel && ws->PpPos.Aktuel <= ws->KolonneAntal) tvpp.AktuelRec = ws->Kolonner[ws->PpPos.Aktuel];
    SendTilAlleVinduer(AKTUEL_AENDRET, static_cast<WPARAM>(flag), 0, ws->hwnd);
  }
  ws->PpFoer = ws->PpPos.Aktuel;
  ws->ElevFoer = ws->ElevPos.Aktuel;
}

void ElevVinScroll(ElevVinWS *ws, int flag) {
  if (flag == 0) return;
  SaetAkser(ws);
  flag |= ScrollTilAktuel(ws);
  TegnElevVin(ws, flag);
}

int ElevVinTast(ElevVinWS *ws, const TastInfo &t, int mode, int *pFlag) {
  int flag = 0, svar = 0;
  const uint32_t tast = t.wParam;
  switch (tast) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      const bool elever = tast == VK_UP || tast == VK_DOWN;
      GridPos &pos = elever ? ws->ElevPos : ws->PpPos;
      if (pos.Antal == 0) break;
      pos.Synlige = std::max<uint32_t>(pos.Synlige, 1);
      svar = GridTastFlytTrin(&pos, tast, t.ctrl, t.alt, false, mode) ? 1 : 0;
      if (mode == 2) {
        ws->FremElever = elever ? 1 : 0;
        if (svar) flag = ELEVLISTE_TEGN_RAEKKE;
      }
      break;
    }
    case 'X':
      if (!t.ctrl) break;
      svar = Blokering(ws, mode);
      if (svar && mode == 2) flag = ELEVLISTE_TEGN_ALT;
      break;
    case VK_APPS:
      svar = KmdHoejreklik(ws->hwnd, 0, 0, mode) ? 1 : 0;
      break;
    case VK_F3:
      svar = SkiftMaksimeret(ws->hwnd, &ws->GemtRect, mode) ? 1 : 0;
      break;
    default:
      if (t.shift && !t.ctrl && !t.alt && tast >= '1' && tast <= '9') {
        svar = GridCifferKommando(ws->hwnd, tast, ws->ens.Aktiv != 0, AntalSkift(ws), mode) ? 1 : 0;
        if (svar && mode == 2) flag = ELEVLISTE_TEGN_ALT;
      }
      break;
  }
  if (pFlag) *pFlag = flag;
  return svar;
}

namespace {

TastInfo GenvejTast(int32_t ctrl, uint32_t tast) { return TastInfo{0, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}; }
const ShortCutPost kGenvejPoster[] = {
    {GenvejTast(1, 'X'), "<Ctrl + X>", "Spær / åben for denne placering."},
    {GenvejTast(0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

}  // namespace

ElevVinWS *ElevVinVinduesWS(HWND hwnd) { return Ws(hwnd); }

LRESULT CALLBACK ElevVinWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *ws = static_cast<ElevVinWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!ws) return -1;
    Opret(h, ws);
    return 0;
  }
  ElevVinWS *ws = Ws(h);
  if (!ws) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ws->ens;
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
      TegnHjoerne(ws);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), AntalSkift(ws));
        if (wParam == SIZE_RESTORED) {
          EnsPaintFrame(&e);
          ElevVinScroll(ws, ELEVLISTE_TEGN_ALT);
        } else if (!e.Aktiv && MaaAktiveres(h, ws)) {
          SendMessageA(h, VINDUE_AKTIVER, 1, 0);
        }
      } else if (wParam == SIZE_MINIMIZED && e.Aktiv) {
        BringWindowToTop(h);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnElevVin(ws, ELEVLISTE_TEGN_ALT);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOUSELEAVE:
      SetCursor(LoadCursorA(0, IDC_ARROW));
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_RBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      if (IsWindow(h) && Ws(h) == ws && e.Aktiv) {
        POINT pt{0, 0};
        GetCursorPos(&pt);
        CreateShortCutWnd(e.hInstance, h, pt.x, pt.y, &Genveje);
      }
      return 0;
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_SIZING:
      EnsOnSizing(reinterpret_cast<RECT *>(lParam), static_cast<UINT>(wParam), 150, FuldBredde(ws), 120, FuldHoejde(ws));
      return TRUE;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (t.wParam == VK_F4 && t.ctrl) {
        DestroyWindow(h);
        return 0;
      }
      int flag = 0;
      ElevVinTast(ws, t, 2, &flag);
      if (IsWindow(h) && Ws(h) == ws) ElevVinScroll(ws, flag);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t ? ElevVinTast(ws, *t, 1, nullptr) : 0;
    }
    case ENS_BREDDE:
      return ElevVinBredde(ws, static_cast<int>(wParam));
    case ENS_HOEJDE:
      return ElevVinHoejde(ws, static_cast<int>(wParam));
    case TB_RUDE_TEGN:
      TegnHjoerne(ws);
      return 0;
    case AKTUEL_AENDRET:
      Foelg(ws, wParam);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ws, msg, lParam);
      return 0;
    case ENS_KOLHOVED_TEGN:
    case ENS_RAEKKEHOVED_TEGN:
    case ENS_CELLER_TEGN:
      TegnDele(ws, ELEVLISTE_TEGN_ALT);
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ws, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnElevVin(ws, ELEVLISTE_TEGN_ALT);
      EnsPaintFrame(&e);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = e.CaptionAktiv = wParam ? 1 : 0;
      ws->ElementTegning = 1;
      TegnElevVin(ws, ELEVLISTE_TEGN_ALT);
      ws->ElementTegning = 0;
      e.Aktiv = e.CaptionAktiv = aktiv;
      TegnHjoerne(ws);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      e.Aktiv = e.CaptionAktiv = 1;
      return 0;
    case VINDUE_ART:
      return ws->Type;
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case 1439:
      return 0;
    case ELEVLISTE_LUK:
      DestroyWindow(h);
      return 0;
    case ELEVLISTE_DATA_1:
    case ELEVLISTE_DATA_2:
    case ELEVLISTE_DATA_3:
      Genopbyg(ws);
      return 0;
    case NYB_KLIK:
      ElevVinKnapKommando(ws, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerElevVinKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ElevVinWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}

void AfregistrerElevVinKlasse(HINSTANCE inst) { UnregisterClassA(kKlasse, inst); }

HWND CreateElevVinWnd(HWND desktop, int venstre, int top, int hoejre, int bund, int type) {
  HWND planVindue = 0;
  ElevPlanWS *plan = FindElevPlanWS(&planVindue);
  if (!plan) return 0;
  auto *ws = static_cast<ElevVinWS *>(calloc(1, sizeof(ElevVinWS)));
  if (!ws) return 0;
  ws->Type = type;
  ws->Bogstav = 'K';
  ws->PlanVindue = planVindue;
  ws->Plan = plan;
  ElevVinArter(ws);
  const int b = std::max(ElevVinBredde(ws, std::max(hoejre - venstre, 0)), 0);
  const int h = std::max(ElevVinHoejde(ws, std::max(bund - top, 0)), 0);
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE, venstre, top, b,
                              h, desktop, static_cast<HMENU>(type), hInst, ws);
  if (!hwnd) {
    if (!ws->hwnd) free(ws);
    return 0;
  }
  return hwnd;
}
