// Columns 1-13 of the student lists, their sort, sort buttons, button
// commands and the student windows' wanted sizes. Columns 9 and 13 read the
// window's sort state (the glyph set, the archived marker), so a list is
// keyed only after its sort state is set.
#include "ELEVKOLONNE.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "ARRANGER.h"
#include "ELEVGITTER.h"
#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "ENSMUS.h"
#include "FONTE.h"
#include "NYBUTTON.h"
#include "SWITCH.h"

ElevSkaermKroge ElevSkaermKrog = {};

// ==================================================================== cells

const ElevRec *ElevVedPosition(const ElevPlanWS *ws, uint32_t s) {
  if (ws == nullptr || ws->ElevTab == nullptr || s == 0 || s > ws->ElevAntal) return nullptr;
  return ElevRecNr(ws->ElevTab[s]);
}

const LaRec *LaVedPosition(const ElevPlanWS *ws, uint32_t a) {
  if (ws == nullptr || ws->LaTab == nullptr || a == 0 || a > ws->LaAntal) return nullptr;
  return LaRecNr(ws->LaTab[a]);
}

const PpRec *PpVedPosition(const ElevPlanWS *ws, uint32_t c) {
  if (ws == nullptr || ws->PpTab == nullptr || c == 0 || c > ws->PpAntal) return nullptr;
  return PpRecNr(ws->PpTab[c]);
}

void ElevCelleBlank(char *tekst, size_t str, uint32_t bredde) {
  if (tekst == nullptr || str == 0) return;
  const size_t n = std::min<size_t>(bredde, str - 1);
  memset(tekst, ' ', n);
  tekst[n] = '\0';
}

void ElevCelleSkriv(char *tekst, size_t str, uint32_t bredde, const char *fmt, ...) {
  if (tekst == nullptr || str == 0) return;
  const size_t n = std::min<size_t>(bredde, str - 1);
  va_list ap;
  va_start(ap, fmt);
  // vsnprintf stops at n characters and terminates the text.
  const int skrevet = vsnprintf(tekst, n + 1, fmt, ap);
  va_end(ap);
  if (skrevet < 0) tekst[0] = '\0';
}

namespace {

// Column widths for the '*' of a format: never beyond what the buffer takes.
int Bredde(size_t str, uint32_t bredde) {
  return static_cast<int>(std::min<size_t>(bredde, str == 0 ? 0 : str - 1));
}

// A fixed text field of a record, up to its terminator or its end.
int Laengde(const char *felt, size_t maks) { return static_cast<int>(strnlen(felt, maks)); }

struct Tekstfelt {
  const char *Felt;
  int Laengde;
};

// The student's text of columns 1-6: the name, the civil registration
// number and the four texts of the Elevplan record at offsets 122, 127, 132
// and 205, each as long as the column table gives it.
Tekstfelt ElevTekst(const ElevRec &e, uint32_t kode) {
  switch (kode) {
    case 1: return {e.Elevnavn, Laengde(e.Elevnavn, sizeof e.Elevnavn)};
    case 2: return {e.Cpr_Nummer, Laengde(e.Cpr_Nummer, sizeof e.Cpr_Nummer)};
    case 3: return {e.Navn, Laengde(e.Navn, 4)};
    case 4: return {e.Navn2, Laengde(e.Navn2, 4)};
    case 5: return {e.Navn3, Laengde(e.Navn3, 1)};
    default: return {e.Navn5, Laengde(e.Navn5, 35)};
  }
}

// A matrix cell over (activity, student), 0 when the matrix lacks it.
uint8_t Celle(const ElevMatrix &m, uint32_t a, uint32_t s) {
  if (m.Data == nullptr || a == 0 || s == 0 || a > m.Raekker || s > m.Kolonner) return 0;
  return m(a, s);
}

// Column 9's glyph by placement P and wish W: set A, what a mark adds to
// it, set B, what a mark adds to that.
struct Glyf {
  uint8_t A, AMaerke, B, BMaerke;
};
constexpr Glyf kStatusGlyf[3][3] = {
    // P = 0: not placed; W = 0, 1, 2
    {{46, 1, 46, 1}, {33, 11, 36, 8}, {34, 11, 37, 8}},
    // P = 1: placed on this activity
    {{37, 0, 35, 0}, {35, 0, 33, 0}, {36, 0, 34, 0}},
    // P = 2: placed on a duplicate of it
    {{42, 1, 42, 1}, {38, 1, 38, 1}, {40, 1, 40, 1}},
};

// The glyph set B: the activity window while it sorts descending, the
// student wish window while it sorts descending or on column 11.
bool SaetB(const ElevListeTilstand *l) {
  if (l->Vindue == ELEVLISTE_ONSK) return l->SortRetning == ELEVSORT_FALDENDE || l->StatusSort;
  return l->SortRetning != 0;
}

void SaetSkrift(HFONT *pSkrift) {
  if (pSkrift) *pSkrift = ElevFont;
}

}  // namespace

void ElevListeCelleTekst(const ElevListeTilstand *l, uint32_t kode, uint32_t bredde, uint32_t la,
                         uint32_t elev, char *tekst, size_t str, uint8_t *pFarve,
                         uint8_t *pBaggrund, HFONT *pSkrift) {
  ElevCelleBlank(tekst, str, bredde);
  if (l == nullptr || tekst == nullptr || str == 0) return;
  const int w = Bredde(str, bredde);
  const ElevPlanWS *ws = l->PlanWS;
  const ElevRec *e = ElevVedPosition(ws, elev);
  const LaRec *a = LaVedPosition(ws, la);
  auto farve = [&](uint8_t f) {
    if (pFarve) *pFarve = f;
  };
  auto baggrund = [&](uint8_t b) {
    if (pBaggrund) *pBaggrund = b;
  };

  switch (kode) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6: {
      if (e == nullptr) return;
      const Tekstfelt t = ElevTekst(*e, kode);
      // A number stored without its leading zero has 10 characters.
      if (kode == 2 && t.Laengde == 10)
        ElevCelleSkriv(tekst, str, bredde, "0%-*.*s", w, t.Laengde, t.Felt);
      else
        ElevCelleSkriv(tekst, str, bredde, "%-*.*s", w, t.Laengde, t.Felt);
      farve(16);
      return;
    }
    case 7:
      if (a == nullptr) return;
      ElevCelleSkriv(tekst, str, bredde, "%-*.*s", w, Laengde(a->Navn, sizeof a->Navn), a->Navn);
      if (l->Vindue == ELEVLISTE_ONSK)
        farve(a->aktiv == 0 ? 5 : a->dubletnr == 1 ? 7 : 10);
      else
        farve(a->kopi_id != 0 ? 10 : 7);
      return;
    case 8: {
      if (a == nullptr) return;
      static const char kFyld[] = " <=>";  // by LaFyldning 1..4
      char c = 'L';
      if (!a->LukForNyeElever) c = kFyld[std::clamp(LaFyldning(ws->LaTab[la]), 1, 4) - 1];
      ElevCelleSkriv(tekst, str, bredde, "%-*c", w, c);
      baggrund(36);
      return;
    }
    case 9:
    case 11:
    case 12: {
      if (a == nullptr || e == nullptr) return;
      uint8_t oenske = Celle(ws->Oensker, la, elev);
      uint8_t plac = Celle(ws->Placeringer, la, elev);
      if (oenske > 2) oenske = 0;
      if (plac > PLACERET_DUBLET) plac = 0;
      const bool maerke = Celle(ws->Markeringer, la, elev) != 0;
      SaetSkrift(pSkrift);
      if (kode == 9) {
        const Glyf &g = kStatusGlyf[plac][oenske];
        const int c = SaetB(l) ? g.B + (maerke ? g.BMaerke : 0) : g.A + (maerke ? g.AMaerke : 0);
        ElevCelleSkriv(tekst, str, bredde, "%*c", w, c);
      } else if (kode == 12) {
        ElevCelleSkriv(tekst, str, bredde, "%*c", w, maerke && plac != PLACERET ? 47 : ' ');
        baggrund(36);
      } else {
        const int c = oenske != 0 ? 33 + oenske : 36;
        if (plac == PLACERET) {
          ElevCelleSkriv(tekst, str, bredde, "%*c", w, c);
          farve(oenske != 0 ? 7 : 8);
        } else if (plac == PLACERET_DUBLET) {
          ElevCelleSkriv(tekst, str, bredde, "%*c", w, c);
          farve(10);
        } else {
          if (oenske != 0) ElevCelleSkriv(tekst, str, bredde, "%*u", w, unsigned{oenske});
          farve(3);
        }
        baggrund(36);
      }
      return;
    }
    case 13: {
      if (a == nullptr || l->Vindue != ELEVLISTE_ONSK) return;
      // The first sort key: archived activities last in either direction.
      const bool aktiv = a->aktiv != 0;
      const bool faldende = l->SortRetning == ELEVSORT_FALDENDE && !l->StatusSort;
      ElevCelleSkriv(tekst, str, bredde, "%-*c", w, aktiv == faldende ? '1' : '0');
      return;
    }
    default:
      return;
  }
}

void ElevListeFeltTekst(void *ctx, uint32_t feltNr, uint32_t tegn, uint32_t v1, uint32_t v2,
                        uint32_t, char *tekst, uint8_t *pFarve, uint8_t *pBaggrund,
                        HFONT *pSkrift) {
  ElevListeCelleTekst(static_cast<const ElevListeTilstand *>(ctx), feltNr, tegn, v1, v2, tekst,
                      kSwitchTekstLen, pFarve, pBaggrund, pSkrift);
}

void ElevListeFeltSortering(uint32_t kode, bool *pDansk, uint32_t *pBredde) {
  struct Sortering {
    uint32_t Bredde;
    bool Dansk;
  };
  static const Sortering kSortering[] = {
      {1, false},                                        // 0
      {101, false}, {12, true}, {5, true}, {5, true},   // 1-4
      {2, true},    {36, true}, {101, true},             // 5-7
  };
  const Sortering s = kode < std::size(kSortering) ? kSortering[kode] : Sortering{1, false};
  if (pDansk) *pDansk = s.Dansk;
  if (pBredde) *pBredde = s.Bredde;
}

// ==================================================================== sort

const char *ElevSortTekst(void *ctx, int kode, uint32_t v1, uint32_t v2, uint32_t v3) {
  auto *k = static_cast<ElevSortKilde *>(ctx);
  uint32_t bredde = 0;
  k->Sortering(static_cast<uint32_t>(kode), nullptr, &bredde);
  uint8_t farve = 16, baggrund = 0;
  memset(k->Tekst, 0, sizeof k->Tekst);
  k->Celle(k->ctx, static_cast<uint32_t>(kode), bredde, v1, v2, v3, k->Tekst, &farve, &baggrund,
           nullptr);
  return k->Tekst;
}

uint32_t ElevSortBredde(void *ctx, int kode, bool *pTekst) {
  uint32_t bredde = 0;
  static_cast<ElevSortKilde *>(ctx)->Sortering(static_cast<uint32_t>(kode), pTekst, &bredde);
  return bredde;
}

uint32_t ElevListeSortFelt(const ElevListeTilstand *l) {
  const SwitchLayout *s = ObjSwitchLayout(l->ListeArt, l->Bogstav, 0);
  return s ? s->SortFelt : 0;
}

void SorterElevListe(ElevListeTilstand *l, uint32_t fast) {
  const uint32_t kode = ElevListeSortFelt(l);
  // The cells of columns 9 and 13 depend on this flag: set it first.
  l->StatusSort = kode == 11;
  const int sortKode = kode == 11 ? 9 : static_cast<int>(kode);
  const int flag = kode == 11 ? 0 : l->SortRetning;
  ElevSortKilde k{ElevListeFeltTekst, ElevListeFeltSortering, l, {}};
  if (l->Vindue == ELEVLISTE_ONSK) {
    const int felter[ELEVSORT_FELTER] = {13, sortKode, 7, 12};
    SorterElevRaekker(ElevSortTekst, ElevSortBredde, &k, felter, 'X', 0, fast, 0, l->Raekker,
                      l->RaekkeAntal, flag);
  } else {
    const int felter[ELEVSORT_FELTER] = {sortKode, 1, 2, 0};
    SorterElevRaekker(ElevSortTekst, ElevSortBredde, &k, felter, 'Y', fast, 0, 0, l->Raekker,
                      l->RaekkeAntal, flag);
  }
}

// ==================================================================== buttons

namespace {

struct KnapNavn {
  const char *Tekst;
  const char *Tip;
};
const KnapNavn kKnapNavne[] = {
    {"", ""},
    {"Navn", "Navn"},
    {"CprNr", "CprNr"},
    {"Cøsaformål - elev ", "Cøsaformål - elev "},
    {"Udd. version - elev", "Udd. version - elev"},
    {"Forløbstype", "Forløbstype"},
    {"Kortbetegnelse", "Kortbetegnelse"},
    {"Læringsaktivitetsnavn", "Læringsaktivitets navn"},
    {"A", "Aktivitets status"},
    {"", ""},
    {"", ""},
    {"Status", "Placering / optaget / status"},
    {"O", "Elevens optagesituation"},
};

void OpretSorterKnapper(ElevListeTilstand *l, uint32_t hoejesteKode) {
  SletSorterKnapper(l);
  const uint32_t antal = ObjSwitchFeltAntal(l->ListeArt, l->Bogstav, l->ValgtLayout);
  if (antal == 0) return;
  l->SorterKnapper = static_cast<HWND *>(calloc(antal, sizeof(HWND)));
  if (l->SorterKnapper == nullptr) return;
  l->SorterKnapAntal = antal;
  const HINSTANCE inst = l->ens ? l->ens->hInstance : 0;
  const HWND rude = l->ens && l->ens->hwndKolHoved ? l->ens->hwndKolHoved : l->hwnd;
  for (uint32_t i = 0; i < antal; ++i) {
    // The second and third columns repeat the row's key: no button.
    if (i == 1 || i == 2) continue;
    const uint32_t kode = ObjSwitchFeltNr(l->ListeArt, l->Bogstav, l->ValgtLayout, i);
    const KnapNavn &navn = kode <= hoejesteKode ? kKnapNavne[kode] : kKnapNavne[0];
    const std::string tip = std::string("Sorter efter ") + navn.Tip;
    HWND h = CreateNyButtonWnd(inst, rude, l->hwnd, i, 1, NYB_VENSTRE | NYB_BILLEDE_HOEJRE, 0, 0,
                               0, 0, tip.c_str(), navn.Tekst);
    if (h) ShowWindow(h, SW_SHOW);
    l->SorterKnapper[i] = h;
  }
}

void SkiftLayout(ElevListeTilstand *l, uint32_t id) {
  if (id < ENS_SKIFT_ID) return;
  const uint32_t n = id - ENS_SKIFT_ID;
  if (n == l->ValgtLayout || n >= l->AntalLayouts) return;
  if (HWND *skift = l->ens ? l->ens->hwndSwitchButtons : nullptr) {
    if (l->ValgtLayout < l->AntalLayouts && skift[l->ValgtLayout])
      SendMessageA(skift[l->ValgtLayout], NYB_LAAS_OP, 0, 0);
    if (skift[n]) SendMessageA(skift[n], NYB_LAAS_NED, 0, 0);
  }
  l->ValgtLayout = n;
  ObjSwitchVaelg(l->ListeArt, l->Bogstav, n);
  if (l->PlanWS) BuildElevPlanData(l->PlanWS);
  if (ElevSkaermKrog.OpstilIgen) ElevSkaermKrog.OpstilIgen();
}

void SorterKolonne(ElevListeTilstand *l, uint32_t c) {
  if (l->SorterKnapper == nullptr || c >= l->SorterKnapAntal || l->SorterKnapper[c] == 0) return;
  if (l->Sorteret == 1 && c == l->SortKolonne) {
    l->SortRetning = l->SortRetning == 0 ? ELEVSORT_FALDENDE : 0;
  } else {
    if (l->Sorteret && l->SortKolonne < l->SorterKnapAntal && l->SorterKnapper[l->SortKolonne])
      SendMessageA(l->SorterKnapper[l->SortKolonne], NYB_BILLEDE, NYB_BILLEDE_HOEJRE, 0);
    l->SortRetning = 0;
    l->SortKolonne = c;
    l->Sorteret = 1;
  }
  const int billede =
      l->SortRetning == ELEVSORT_FALDENDE ? ELEV_BILLEDE_FALDENDE : ELEV_BILLEDE_STIGENDE;
  SendMessageA(l->SorterKnapper[c], NYB_BILLEDE, NYB_BILLEDE_HOEJRE,
               reinterpret_cast<LPARAM>(MAKEINTRESOURCE(billede)));

  // The rebuilt list finds its current row again by the table's record.
  const uint32_t r = l->RaekkePos.Aktuel;
  if (l->Raekker && r >= 1 && r <= l->RaekkeAntal)
    (l->Vindue == ELEVLISTE_ONSK ? tvla : tvelev).AktuelRec = l->Raekker[r];
  ObjSwitchSaetSortFelt(l->ListeArt, l->Bogstav,
                        ObjSwitchFeltNr(l->ListeArt, l->Bogstav, l->ValgtLayout, c));
  if (l->ByggOgTegn) l->ByggOgTegn(l->Ejer);
}

void KnapKommando(ElevListeTilstand *l, uint32_t id, uint32_t vaerdi) {
  if (l == nullptr || l->ens == nullptr) return;
  Ens *e = l->ens;
  if (!e->Aktiv) {
    if (l->Vindue == ELEVLISTE_ONSK && l->PlanWS) l->PlanWS->SidstAktiv = ELEVLISTE_ONSK;
    const LPARAM h = static_cast<LPARAM>(l->hwnd);
    e->Aktiv = SendMessageA(e->hwndParent, ENS_MAA_AKTIVERES, 0, h) != 0 ? 1 : 0;
    if (e->Aktiv) SendMessageA(e->hwndParent, ENS_BLEV_AKTIV, 1, h);
  }
  switch (vaerdi) {
    case NYB_MINIMER:
      EnsMinimize(l->hwnd, e);
      return;
    case NYB_LUK:
      // The window's destruction frees the workspace that holds l.
      DestroyWindow(l->hwnd);
      return;
    case NYB_MAKSIMER:
      SkiftMaksimeret(l->hwnd, &l->GemtRect, 2);
      return;
    case 0:
      SkiftLayout(l, id);
      return;
    case 1:
      SorterKolonne(l, id);
      return;
    default:
      return;
  }
}

}  // namespace

void OpretSorterKnapperHold(ElevListeTilstand *l) { OpretSorterKnapper(l, 12); }
void OpretSorterKnapperElev(ElevListeTilstand *l) { OpretSorterKnapper(l, 11); }

void SletSorterKnapper(ElevListeTilstand *l) {
  for (uint32_t i = 0; l->SorterKnapper && i < l->SorterKnapAntal; ++i)
    if (l->SorterKnapper[i] && IsWindow(l->SorterKnapper[i])) DestroyWindow(l->SorterKnapper[i]);
  free(l->SorterKnapper);
  l->SorterKnapper = nullptr;
  l->SorterKnapAntal = 0;
}

void ElevHoldKnapKommando(ElevListeTilstand *l, uint32_t id, uint32_t vaerdi) {
  KnapKommando(l, id, vaerdi);
}
void ElevOnskKnapKommando(ElevListeTilstand *l, uint32_t id, uint32_t vaerdi) {
  KnapKommando(l, id, vaerdi);
}

// ==================================================================== sizes

namespace {

// The wanted size raised to the least size, never above the caller's limit.
int Begraens(int64_t oensket, int mindst, int graense) {
  oensket = std::max<int64_t>(oensket, mindst);
  return oensket < graense ? static_cast<int>(oensket) : graense;
}

int64_t Rammebredde() {
  return int64_t{GetSystemMetrics(SM_CXVSCROLL)} + 2 * int64_t{GetSystemMetrics(SM_CXFRAME)};
}

int64_t Rammehoejde() {
  return 2 * int64_t{GetSystemMetrics(SM_CYFRAME)} + GetSystemMetrics(SM_CYHSCROLL) +
         GetSystemMetrics(SM_CYCAPTION);
}

// 12 x max(12 x n, 50) rows of 12 pixels: the factor 12 twice over asks
// far more than the rows need, and the caller's limit cuts it.
int64_t ListeHoejde(uint32_t n) { return 12 * std::max<int64_t>(12 * int64_t{n}, 50); }

int64_t LayoutBredde(const ElevListeTilstand *l) {
  return ObjSwitchBredde(l->ListeArt, l->Bogstav, l->ValgtLayout);
}

}  // namespace

int ElevHoldBredde(const ElevListeTilstand *l, int graense) {
  return Begraens(LayoutBredde(l) + Rammebredde() + 5, 150, graense);
}

int ElevHoldHoejde(const ElevListeTilstand *l, int graense) {
  const uint32_t n = l->PlanWS ? l->PlanWS->ElevAntal : 0;
  return Begraens(ListeHoejde(n) + Rammehoejde() + 55, 100, graense);
}

int ElevOnskBredde(const ElevListeTilstand *l, int graense) {
  const uint32_t pp = l->PlanWS ? l->PlanWS->PpAntal : 0;
  return Begraens(LayoutBredde(l) + Rammebredde() + 8 * int64_t{pp} + 6, 150, graense);
}

int ElevOnskHoejde(const ElevListeTilstand *l, int graense) {
  const uint32_t n = l->PlanWS ? l->PlanWS->LaAntal : 0;
  return Begraens(ListeHoejde(n) + Rammehoejde() + 55, 100, graense);
}

int CalcElevPlanWidth(const ElevPlanWS *ws, int graense) {
  const int64_t hoved =
      ObjSwitchBredde(ELEVPLAN_LA_ART, ws->Bogstav, ws->ValgtLayout[ELEVPLAN_ART_LA]);
  // A slot column is as wide as the cell layout, with its separator line.
  const int64_t kolonne = ObjSwitchBredde(ws->SwitchArt[ELEVPLAN_ART_PP2], ws->Bogstav,
                                          ws->ValgtLayout[ELEVPLAN_ART_PP2]) + 1;
  const int64_t w = hoved + Rammebredde() + kolonne * AntalPpIGruppe(ws) + 5;
  return Begraens(w, 150, graense);
}

int CalcElevPlanHeight(const ElevPlanWS *ws, int graense) {
  const uint32_t n = AntalLaIGruppe(ws);
  const int64_t raekker = n < 50 ? 700 : 14 * int64_t{n};
  return Begraens(raekker + Rammehoejde() + 81, 100, graense);
}
