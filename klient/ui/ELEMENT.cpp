// Screen layout: desks, sections and element cells, their geometry and
// fitting, the windows of the cells and dividers with what the mouse does to
// them, and the records of ini\skrm.ini. The tables are the file format, so
// nothing read from the file reaches them before it has been checked.

#include "ELEMENT.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "LOGFIL.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "STITAB.h"
#include "TAVODATA.h"
#include "VINDUER.h"
#include "tavo/assert.h"

DeskRec DeskTab[kAntalDesks];
SectionRec SectionTab[kAntalSektioner];
ElementCelle ElementTab[kAntalCeller];

namespace {

constexpr DWORD kLayoutStil = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
constexpr uint32_t kLukId = 1, kStrId = 2;
constexpr int kKnap = 12;  // the caption buttons are 12 x 12

// A layout step under way (a cell made, moved or removed, a layout read):
// the element windows it resizes do not compact their desk meanwhile, as
// the step's tables may be half moved.
int LayoutSkridtDybde = 0;
struct LayoutSkridt {
  LayoutSkridt() { ++LayoutSkridtDybde; }
  ~LayoutSkridt() { --LayoutSkridtDybde; }
  LayoutSkridt(const LayoutSkridt &) = delete;
  LayoutSkridt &operator=(const LayoutSkridt &) = delete;
};

int32_t B() { return TitelBaand; }
int32_t AntalSektioner(int d) { return DeskTab[d].AntalSektioner; }
// A section that does not exist counts as 0 thick, whatever its record says.
int32_t T(int d, int s) { return s < AntalSektioner(d) ? Sektion(d, s).Tykkelse : 0; }

// Along the desk: the length the cells of the section use with their
// dividers, sum(length + 2) - 2.
int32_t Brugt(int d, int s, int foerste, int sidste) {
  int32_t sum = -kDividerTykkelse;
  for (int k = foerste; k <= sidste; ++k) sum += Celle(d, s, k).Laengde + kDividerTykkelse;
  return sum;
}

// Where a section (or its divider) starts across: desks 2 and 3 count in
// from the left and top edges, 0 and 1 mirror that from the right and
// bottom.
int32_t Tvaers(int d, int s, bool divider) {
  const RECT &L = LayoutRect;
  const int32_t t0 = T(d, 0), t1 = T(d, 1);
  if (d == 2 || d == 3) {
    const int32_t kant = d == 2 ? L.left : L.top;
    if (s == 0) return divider ? kant + t0 : kant;
    return divider ? kant + t0 + t1 + 2 : kant + t0 + 2;
  }
  const int32_t kant = d == 0 ? L.right : L.bottom;
  if (s == 0) return divider ? kant - t0 - 1 : kant - t0 + 1;
  return divider ? kant - t0 - t1 - 3 : kant - t0 - t1 - 1;
}

Plads Felt(int d, int32_t langs, int32_t laengde, int32_t tvaers, int32_t tykkelse) {
  if (LodretDesk(d)) return Plads{tvaers, langs, tykkelse, laengde};
  return Plads{langs, tvaers, laengde, tykkelse};
}

// The start along the desk and the length of a cell as it is placed.
void CelleLangs(int d, int s, int k, int32_t *start, int32_t *laengde) {
  const int n = Sektion(d, s).AntalCeller;
  int32_t foer = 0;
  for (int j = 0; j < k; ++j) foer += Celle(d, s, j).Laengde + kDividerTykkelse;
  *start = DeskStart(d) + foer;
  *laengde = k == n - 1 ? DeskTab[d].Laengde - foer : Celle(d, s, k).Laengde;
}

bool GyldigCelle(int d, int s, int k) {
  return d >= 0 && d < kAntalDesks && s >= 0 && s < AntalSektioner(d) && k >= 0 &&
         k < Sektion(d, s).AntalCeller;
}

void Flyt(HWND h, const Plads &p) {
  if (!h) return;
  SetWindowPos(h, HWND_TOP, p.x, p.y, std::max(0, p.bredde), std::max(0, p.hoejde), SWP_NOACTIVATE);
  InvalidateRect(h, nullptr, FALSE);
}

void PlacerCelle(int d, int s, int k) {
  ElementCelle &c = Celle(d, s, k);
  Flyt(c.hwndElement, CellePlads(d, s, k));
  Flyt(c.hwndDivider, CelleDividerPlads(d, s, k));
  Flyt(c.hwndObjekt, ObjektPlads(d, s, k));
  Flyt(c.hwndLuk, LukKnapPlads(d, s, k));
  Flyt(c.hwndStr, StrKnapPlads(d, s, k));
  SaetStrKnapBillede(c);
}

// Horizontal desks 3 and 1 fit between the vertical ones: their lengths
// follow every change of a vertical desk's sections.
void TilpasVandretteDesks(bool tegn) {
  BeregnDeskLaengder();
  FitDeskCells(3);
  FitDeskCells(1);
  if (tegn) {
    PlaceDesk(3);
    PlaceDesk(1);
  }
}

HWND OpretDivider(uint32_t art, int d, int s, int k, bool lodretKlasse) {
  struct DivideStruct *DivideStruct =
      static_cast<struct DivideStruct *>(calloc(1, sizeof(struct DivideStruct)));
  TAVO_ASSERT(DivideStruct != NULL);
  DivideStruct->Art = art;
  DivideStruct->Desk = static_cast<uint32_t>(d);
  DivideStruct->Sektion = static_cast<uint32_t>(s);
  DivideStruct->Nr = static_cast<uint32_t>(k);
  HWND h = CreateWindowExA(0, lodretKlasse ? "VerDivideWndClass" : "HorDivideWndClass", "", kLayoutStil, 0, 0,
                           0, 0, hwndHoved, 0, hInst, DivideStruct);
  // A divider that was made owns its record from WM_CREATE on.
  if (!h) free(DivideStruct);
  return h;
}

}  // namespace

// ---- Geometry ----

int32_t SamletTykkelse(bool lodret) {
  const int a = lodret ? 0 : 1, b = lodret ? 2 : 3;
  return T(a, 0) + T(a, 1) + T(b, 0) + T(b, 1) + kDividerTykkelse * (AntalSektioner(a) + AntalSektioner(b));
}

void BeregnDeskLaengder() {
  const RECT &L = LayoutRect;
  DeskTab[0].Laengde = DeskTab[2].Laengde = L.bottom - L.top + 1;
  DeskTab[1].Laengde = DeskTab[3].Laengde = L.right - L.left + 1 - SamletTykkelse(true);
}

int32_t DeskStart(int desk) {
  if (LodretDesk(desk)) return LayoutRect.top;
  return LayoutRect.left + T(2, 0) + T(2, 1) + kDividerTykkelse * AntalSektioner(2);
}

Plads SektionPlads(int desk, int sektion) {
  return Felt(desk, DeskStart(desk), DeskTab[desk].Laengde, Tvaers(desk, sektion, false), T(desk, sektion));
}

Plads SektionDividerPlads(int desk, int sektion) {
  return Felt(desk, DeskStart(desk), DeskTab[desk].Laengde, Tvaers(desk, sektion, true), kDividerTykkelse);
}

Plads CellePlads(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return Plads{0, 0, 0, 0};
  int32_t start, laengde;
  CelleLangs(desk, sektion, nr, &start, &laengde);
  return Felt(desk, start, laengde, Tvaers(desk, sektion, false), T(desk, sektion));
}

Plads CelleDividerPlads(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return Plads{0, 0, 0, 0};
  int32_t start, laengde;
  CelleLangs(desk, sektion, nr, &start, &laengde);
  if (nr == 0) return Felt(desk, start, 0, Tvaers(desk, sektion, false), 0);
  return Felt(desk, start - kDividerTykkelse, kDividerTykkelse, Tvaers(desk, sektion, false), T(desk, sektion));
}

Plads ObjektPlads(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return Plads{0, 0, 0, 0};
  int32_t start, len;
  CelleLangs(desk, sektion, nr, &start, &len);
  const int32_t t = T(desk, sektion), c = Celle(desk, sektion, nr).IndholdTvaers;
  if (len <= B() + 18 || t < 17) return Plads{0, 0, 0, 0};
  const int32_t tv = t > c + 4 ? t - c - 2 : 2;
  const int32_t tykkelse = t >= c + 4 ? c : t - 4;
  const int32_t la = B() + 3, laengde = len - B() - 5;
  if (LodretDesk(desk)) return Plads{tv, la, tykkelse, laengde};
  return Plads{la, tv, laengde, tykkelse};
}

Plads LukKnapPlads(int desk, int sektion, int /*nr*/) {
  const int32_t c0 = (B() - kKnap) / 2, t = T(desk, sektion);
  if (LodretDesk(desk)) return Plads{t - c0 - 14, c0 + 2, kKnap, kKnap};
  return Plads{c0 + 2, c0 + 2, kKnap, kKnap};
}

Plads StrKnapPlads(int desk, int sektion, int /*nr*/) {
  const int32_t c0 = (B() - kKnap) / 2, t = T(desk, sektion);
  const int32_t side = t < 31 ? 0 : kKnap;
  if (LodretDesk(desk)) return Plads{t < c0 + 30 ? 0 : t - c0 - 27, c0 + 2, side, side};
  return Plads{c0 + 2, c0 + 15, side, side};
}

int32_t OensketLaengde(const ElementCelle &c) { return B() + c.IndholdLangs + 5; }
int32_t OensketTykkelse(const ElementCelle &c) { return c.IndholdTvaers + 4; }

// ---- Fitting ----

void FitCellRange(int desk, int sektion, int foerste, int sidste, int32_t maal) {
  const int n = Sektion(desk, sektion).AntalCeller;
  if (foerste < 0 || sidste >= n || foerste > sidste) return;
  const int32_t nu = Brugt(desk, sektion, foerste, sidste);
  const int antal = sidste - foerste + 1;
  if (maal >= nu) {
    // Growing: from the far end of the range unless the range ends the
    // section, so the cells next to the moved boundary take it first.
    const bool nedad = sidste != n - 1;
    int32_t rest = maal - nu;
    for (int i = 0; i < antal && rest > 0; ++i) {
      ElementCelle &c = Celle(desk, sektion, nedad ? sidste - i : foerste + i);
      const int32_t ny = std::min(OensketLaengde(c), c.Laengde + rest);
      rest -= ny - c.Laengde;
      c.Laengde = ny;
    }
    return;
  }
  const bool opad = foerste != 0;
  int32_t over = nu - maal;
  for (int i = 0; i < antal && over > 0; ++i) {
    ElementCelle &c = Celle(desk, sektion, opad ? foerste + i : sidste - i);
    const int32_t ny = std::max(B() + 5, c.Laengde - over);
    over -= c.Laengde - ny;
    c.Laengde = ny;
  }
}

void FitDeskCells(int desk) {
  for (int s = 0; s < AntalSektioner(desk); ++s) {
    const int n = Sektion(desk, s).AntalCeller;
    if (n > 0) FitCellRange(desk, s, 0, n - 1, DeskTab[desk].Laengde);
  }
}

int32_t ShrinkSection(int desk, int sektion, int32_t behov) {
  SectionRec &r = Sektion(desk, sektion);
  // A section already at or below the least thickness is left alone: making
  // it 18 would widen it while room is being made.
  if (behov <= 0 || sektion >= AntalSektioner(desk) || r.Tykkelse <= kMindsteSektion) return behov;
  if (r.Tykkelse >= behov + kMindsteSektion) {
    r.Tykkelse -= behov;
    return 0;
  }
  behov -= r.Tykkelse - kMindsteSektion;
  r.Tykkelse = kMindsteSektion;
  return behov;
}

void FitElementsToDesk() {
  static const int kVandret[4][2] = {{0, 1}, {2, 1}, {0, 0}, {2, 0}};
  static const int kLodret[4][2] = {{1, 1}, {3, 1}, {1, 0}, {3, 0}};
  const RECT &L = LayoutRect;
  int32_t over = SamletTykkelse(true) + kFriBredde - (L.right - L.left);
  for (const auto &ds : kVandret) over = ShrinkSection(ds[0], ds[1], over);
  over = SamletTykkelse(false) + kFriHoejde - (L.bottom - L.top);
  for (const auto &ds : kLodret) over = ShrinkSection(ds[0], ds[1], over);
  BeregnDeskLaengder();
  for (int d = 0; d < kAntalDesks; ++d) FitDeskCells(d);
}

void MakeRoomForSection(int desk, int sektion, bool tegn) {
  const bool lodret = LodretDesk(desk);
  const RECT &L = LayoutRect;
  int32_t over = SamletTykkelse(lodret) + (lodret ? kFriBredde - (L.right - L.left) : kFriHoejde - (L.bottom - L.top));
  if (over >= 1) {
    const int modsat = (desk + 2) % kAntalDesks;
    if (sektion == 1) over = ShrinkSection(desk, 0, over);
    over = ShrinkSection(modsat, 1, over);
    over = ShrinkSection(modsat, 0, over);
    ShrinkSection(desk, sektion, over);
    if (tegn) PlaceDesk(modsat);
  }
  if (lodret) TilpasVandretteDesks(tegn);
}

int ChooseSection(int desk, int32_t oensketLaengde, int32_t oensketTykkelse) {
  bool plads[2], tyk[2], fri[2];
  int32_t t[2], brugt[2];
  for (int s = 0; s < kSektionerPrDesk; ++s) {
    const SectionRec &r = Sektion(desk, s);
    plads[s] = s < AntalSektioner(desk) && r.AntalCeller >= 1 && r.AntalCeller < kCellerPrSektion;
    t[s] = T(desk, s);
    brugt[s] = plads[s] ? Brugt(desk, s, 0, r.AntalCeller - 1) : 0;
    tyk[s] = t[s] >= oensketTykkelse;
    fri[s] = DeskTab[desk].Laengde - brugt[s] >= oensketLaengde;
  }
  // Ties go to section 1 throughout. Both fit: the thinner one.
  const bool passer0 = plads[0] && tyk[0] && fri[0], passer1 = plads[1] && tyk[1] && fri[1];
  if (passer0) return passer1 && t[1] <= t[0] ? 1 : 0;
  if (passer1) return 1;
  // Long enough but too thin: the thicker one.
  if (plads[0] && fri[0]) return plads[1] && fri[1] && t[0] <= t[1] ? 1 : 0;
  if (plads[1] && fri[1]) return 1;
  const int n = AntalSektioner(desk);
  if (n < kSektionerPrDesk) {
    const bool lodret = LodretDesk(desk);
    const RECT &L = LayoutRect;
    const int32_t rum = lodret ? L.right - L.left - kFriBredde : L.bottom - L.top - kFriHoejde;
    if (rum >= SamletTykkelse(lodret) + oensketTykkelse) return n;
  }
  // Thick enough but too short: the one whose cells use less length.
  if (plads[0] && tyk[0]) return plads[1] && tyk[1] && brugt[0] >= brugt[1] ? 1 : 0;
  if (plads[1] && tyk[1]) return 1;
  if (plads[0]) return plads[1] && t[0] <= t[1] ? 1 : 0;
  if (plads[1]) return 1;
  return n < kSektionerPrDesk ? n : -1;
}

void AddSection(int desk, int sektion, int32_t tykkelse) {
  if (AntalSektioner(desk) >= kSektionerPrDesk) return;
  DeskTab[desk].AntalSektioner += 1;
  SectionRec &r = Sektion(desk, sektion);
  r = SectionRec{static_cast<uint32_t>(desk), static_cast<uint32_t>(sektion), tykkelse, 0, 0};
  BeregnDeskLaengder();
  r.hwndDivider = OpretSektionDivider(desk, sektion);
}

// ---- Windows ----

HWND OpretSektionDivider(int desk, int sektion) {
  return OpretDivider(kDividerSektion, desk, sektion, 0, LodretDesk(desk));
}

HWND OpretCelleDivider(int desk, int sektion, int nr) {
  return OpretDivider(kDividerCelle, desk, sektion, nr, !LodretDesk(desk));
}

HWND OpretElementVindue(ElementCelle *celle) {
  return CreateWindowExA(0, "ElementWndClass", celle->Titel, kLayoutStil, 0, 0, 0, 0, hwndHoved, 0, hInst, celle);
}

void OpretCelleKnapper(ElementCelle *c) {
  HWND el = c->hwndElement;
  if (!el) return;
  const int d = static_cast<int>(c->Desk), s = static_cast<int>(c->Sektion), k = static_cast<int>(c->Nr);
  const Plads luk = LukKnapPlads(d, s, k), str = StrKnapPlads(d, s, k);
  c->hwndLuk = CreateNyButtonWnd(hInst, el, el, kLukId, 0, NYB_LUK | NYB_KAPTION_LILLE, luk.x, luk.y, kKnap, kKnap,
                                 "", "");
  c->hwndStr = CreateNyButtonWnd(hInst, el, el, kStrId, 0, NYB_GENDAN | NYB_KAPTION_LILLE, str.x, str.y, kKnap,
                                 kKnap, "", "");
  // The button takes its picture's size; a section too thin for the size
  // button gives it none.
  Flyt(c->hwndLuk, luk);
  Flyt(c->hwndStr, str);
  if (c->hwndLuk) ShowWindow(c->hwndLuk, SW_SHOW);
  if (c->hwndStr) ShowWindow(c->hwndStr, SW_SHOW);
}

void SaetStrKnapBillede(const ElementCelle &c) {
  if (!c.hwndStr) return;
  SendMessageA(c.hwndStr, NYB_KAPTIONBILLEDE, c.Laengde == c.IndholdLangs + 15 ? NYB_GENDAN : NYB_MAKSIMER, 0);
}

void PlaceDesk(int desk) {
  if (desk < 0 || desk >= kAntalDesks) return;
  for (int s = 0; s < AntalSektioner(desk); ++s) {
    Flyt(Sektion(desk, s).hwndDivider, SektionDividerPlads(desk, s));
    for (int k = 0; k < Sektion(desk, s).AntalCeller; ++k) PlacerCelle(desk, s, k);
  }
}

void PlaceAllDesks() {
  for (int d = 0; d < kAntalDesks; ++d) PlaceDesk(d);
}

bool ActivateDesk(int desk) {
  if (desk < 0 || desk >= kAntalDesks) return false;
  const int n = AntalSektioner(desk);
  if (n == 0) return false;
  const int indre = n == 2 ? 1 : 0;
  if (Sektion(desk, indre).AntalCeller < 1) return false;
  // A cell whose object window could not be made has nothing to activate:
  // the caller goes on to the next desk.
  HWND objekt = Celle(desk, indre, 0).hwndObjekt;
  if (!objekt) return false;
  SendMessageA(objekt, VINDUE_AKTIVER, 1, 0);
  return true;
}

int CountElements() {
  int antal = 0;
  for (const SectionRec &r : SectionTab) antal += r.AntalCeller > 0 ? r.AntalCeller : 0;
  return antal;
}

HWND CreateElementWnd(int32_t indholdBredde, int32_t indholdHoejde, int desk, bool tegn, const char *titel,
                      uint32_t art) {
  if (desk < 0 || desk >= kAntalDesks) return 0;
  LayoutSkridt skridt;
  const bool lodret = LodretDesk(desk);
  // Within what the screen file takes back.
  indholdBredde = std::clamp(indholdBredde, 0, kMaksPixel);
  indholdHoejde = std::clamp(indholdHoejde, 0, kMaksPixel);
  const int32_t langs = lodret ? indholdHoejde : indholdBredde;
  const int32_t tvaers = lodret ? indholdBredde : indholdHoejde;
  const int32_t lw = B() + langs + 5, tw = tvaers + 4;
  const int s = ChooseSection(desk, lw, tw);
  if (s < 0) return 0;
  const bool nySektion = s >= AntalSektioner(desk);
  if (nySektion) AddSection(desk, s, tw);
  SectionRec &r = Sektion(desk, s);
  const int n = r.AntalCeller;
  const int32_t laengde = DeskTab[desk].Laengde;

  ElementCelle &c = Celle(desk, s, n);
  std::memset(&c, 0, sizeof c);
  snprintf(c.Titel, sizeof c.Titel, "%s", titel ? titel : "");
  c.Art = art;
  c.Desk = static_cast<uint32_t>(desk);
  c.Sektion = static_cast<uint32_t>(s);
  c.Nr = static_cast<uint32_t>(n);
  c.IndholdLangs = langs;
  c.IndholdTvaers = tvaers;
  if (n > 0) FitCellRange(desk, s, 0, n - 1, laengde - lw);
  if (n < 2) {
    c.Laengde = std::min(lw, laengde);
  } else {
    const int32_t fri = laengde - Brugt(desk, s, 0, n - 1);
    c.Laengde = fri < B() + langs + 7 ? fri - 2 : lw;
  }
  if (tw > r.Tykkelse) r.Tykkelse = tw;
  MakeRoomForSection(desk, s, tegn);

  c.hwndElement = OpretElementVindue(&c);
  if (!c.hwndElement) {
    // Nothing half made stays behind: the slot is cleared and a section
    // made for this cell goes again.
    std::memset(&c, 0, sizeof c);
    if (nySektion) {
      if (r.hwndDivider) DestroyWindow(r.hwndDivider);
      r = SectionRec{};
      DeskTab[desk].AntalSektioner -= 1;
      BeregnDeskLaengder();
      FitDeskCells(1);
      FitDeskCells(3);
    }
    LogPrintf("** Fejl: CreateElementWnd(): cellevinduet til \"%s\" kunne ikke oprettes\n", titel ? titel : "");
    return 0;
  }
  c.hwndDivider = OpretCelleDivider(desk, s, n);
  OpretCelleKnapper(&c);
  r.AntalCeller += 1;
  if (tegn && hwndDesktop) SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
  return c.hwndElement;
}

// ---- The cells' and dividers' windows ----

namespace {

// The program's cursors of the three classes, and the system's stand-ins
// when the program's resources are not there.
constexpr int kMarkoerTavo = 104, kMarkoerLodretDeler = 107, kMarkoerVandretDeler = 108;
// SC_MOVE started by the mouse: the window follows the cursor.
constexpr UINT kFlytMedMus = 0xF012;
constexpr int kIngenZone = 4, kIntetDel = 5;

// The two cursors a cell drag shows, loaded once.
HCURSOR PilMarkoer = 0, ForbudtMarkoer = 0;

void LaesMarkoerer() {
  if (!PilMarkoer) PilMarkoer = LoadCursorA(0, IDC_ARROW);
  if (!ForbudtMarkoer) ForbudtMarkoer = LoadCursorA(0, IDC_NO);
}

// One cell drag at a time.
struct CelleTraekTilstand {
  int KildeDesk, KildeSektion;
  RECT LayoutSkaerm;  // the layout rectangle in screen coordinates
  RECT Zone[kAntalDesks];  // screen coordinates
  int32_t Dele[kAntalDesks][5];
  int ZoneNu, DelNu;
  bool Startet;  // no WM_MOVING yet
  bool Pil;      // the arrow is shown
  int MaalSektion;
};
CelleTraekTilstand CelleTraek;

// One divider drag at a time: its rectangle at the start (screen), the range
// of its moving edge and the cursor's clip rectangle.
struct DividerTraekTilstand {
  RECT Start;
  int32_t Min, Max;
  RECT Klip;
};
DividerTraekTilstand DividerTraek;

void FritAreal() {
  if (hwndDesktop) SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
}

// Destroys the window; the empty handle to store in its place.
HWND Fjern(HWND h) {
  if (h) DestroyWindow(h);
  return 0;
}

// The element window's user-data word points at its cell's slot.
void SaetSlot(ElementCelle &c) {
  if (c.hwndElement) SetWindowLongPtrA(c.hwndElement, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
}

// The cell of an element window: the slot its user-data word names, when
// that slot still holds this window. A cell taken out for a move has none.
ElementCelle *CelleAf(HWND h) {
  const uintptr_t p = static_cast<uintptr_t>(GetWindowLongPtrA(h, GWLP_USERDATA));
  const uintptr_t start = reinterpret_cast<uintptr_t>(ElementTab);
  if (!h || p < start || p >= start + sizeof ElementTab || (p - start) % sizeof(ElementCelle) != 0) return nullptr;
  ElementCelle *c = ElementTab + (p - start) / sizeof(ElementCelle);
  return c->hwndElement == h ? c : nullptr;
}

// A cell whose section counts it: one still being made does not count yet.
bool Talt(const ElementCelle &c) {
  return GyldigCelle(static_cast<int>(c.Desk), static_cast<int>(c.Sektion), static_cast<int>(c.Nr)) &&
         &Celle(static_cast<int>(c.Desk), static_cast<int>(c.Sektion), static_cast<int>(c.Nr)) == &c;
}

void SaetDividerNr(HWND h, int nr) {
  if (!h) return;
  if (auto *ds = reinterpret_cast<DivideStruct *>(GetWindowLongPtrA(h, GWLP_USERDATA)))
    ds->Nr = static_cast<uint32_t>(nr);
}

int32_t TykkesteOensket(int d, int s) {
  int32_t tyk = 0;
  for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) tyk = std::max(tyk, OensketTykkelse(Celle(d, s, k)));
  return tyk;
}

int32_t OensketSum(int d, int s, int foerste, int sidste) {
  int32_t sum = -kDividerTykkelse;
  for (int k = foerste; k <= sidste; ++k) sum += OensketLaengde(Celle(d, s, k)) + kDividerTykkelse;
  return sum;
}

// The last cell of a section is shown with the rest of the desk, whatever
// its record says. Where the cells want more than the desk, operations that
// reckon with its length take the shown one; where they want less, its
// record keeps what it wants, so that the room left stays free for others.
void SidsteTilRest(int d, int s) {
  const int n = Sektion(d, s).AntalCeller;
  if (n < 1 || OensketSum(d, s, 0, n - 1) <= DeskTab[d].Laengde) return;
  int32_t start, laengde;
  CelleLangs(d, s, n - 1, &start, &laengde);
  if (laengde >= B() + 5) Celle(d, s, n - 1).Laengde = laengde;
}

int32_t CelleStartLangs(int d, int s, int k) {
  int32_t start, laengde;
  CelleLangs(d, s, k, &start, &laengde);
  return start;
}

void AlleDesksIgen() {
  BeregnDeskLaengder();
  for (int d = 0; d < kAntalDesks; ++d) FitDeskCells(d);
  FritAreal();
  PlaceAllDesks();
}

// Section `fra` of the desk becomes section `til`, which is empty: its cells,
// record and dividers (made anew) go along.
void FlytSektion(int d, int fra, int til) {
  SectionRec &f = Sektion(d, fra), &t = Sektion(d, til);
  f.hwndDivider = Fjern(f.hwndDivider);
  const int n = std::clamp(static_cast<int>(f.AntalCeller), 0, kCellerPrSektion);
  for (int k = 0; k < n; ++k) {
    ElementCelle &fc = Celle(d, fra, k), &tc = Celle(d, til, k);
    tc = fc;
    std::memset(&fc, 0, sizeof fc);
    tc.Sektion = static_cast<uint32_t>(til);
    SaetSlot(tc);
    tc.hwndDivider = Fjern(tc.hwndDivider);
    tc.hwndDivider = OpretCelleDivider(d, til, k);
  }
  t = SectionRec{static_cast<uint32_t>(d), static_cast<uint32_t>(til), f.Tykkelse, 0, n};
  f = SectionRec{};
  t.hwndDivider = OpretSektionDivider(d, til);
}

// Takes the cell out of its section. `endelig`: a removal, which places
// what changed, tells the desktop and destroys the element window; else a
// take-out for a move, which leaves both to the caller.
void UdAfSektion(int d, int s, int k, bool endelig) {
  SectionRec &r = Sektion(d, s);
  const int n = r.AntalCeller;
  HWND element = Celle(d, s, k).hwndElement;
  // Until it is put in again the window belongs to no slot.
  if (element) SetWindowLongPtrA(element, GWLP_USERDATA, 0);
  if (n > 1) {
    Celle(d, s, k).hwndDivider = Fjern(Celle(d, s, k).hwndDivider);
    for (int j = k; j < n - 1; ++j) {
      ElementCelle &c = Celle(d, s, j);
      c = Celle(d, s, j + 1);
      c.Nr = static_cast<uint32_t>(j);
      SaetSlot(c);
      SaetDividerNr(c.hwndDivider, j);
    }
    std::memset(&Celle(d, s, n - 1), 0, sizeof(ElementCelle));
    r.AntalCeller = n - 1;
    FitCellRange(d, s, 0, n - 2, DeskTab[d].Laengde);
    const int32_t tyk = TykkesteOensket(d, s);
    if (r.Tykkelse > tyk) {
      r.Tykkelse = tyk;
      if (endelig) FritAreal();
      if (LodretDesk(d)) {
        TilpasVandretteDesks(endelig);
        if (endelig) FritAreal();
      }
    }
    if (endelig) {
      PlaceDesk(d);
      if (element) DestroyWindow(element);
    }
    return;
  }
  r.hwndDivider = Fjern(r.hwndDivider);
  Celle(d, s, k).hwndDivider = Fjern(Celle(d, s, k).hwndDivider);
  std::memset(&Celle(d, s, k), 0, sizeof(ElementCelle));
  if (AntalSektioner(d) == kSektionerPrDesk && s == 0)
    FlytSektion(d, 1, 0);
  else
    r = SectionRec{};
  DeskTab[d].AntalSektioner -= 1;
  if (LodretDesk(d)) TilpasVandretteDesks(endelig);
  if (!endelig) return;
  FritAreal();
  if (element) DestroyWindow(element);
  if (AntalSektioner(d) == 1) PlaceDesk(d);
}

// A cell record put into slot `nr` of a section that has room, the cells
// from there on one slot up, every cell with its index, slot and a new
// divider.
void SaetIndISektion(int d, int s, int nr, ElementCelle c) {
  SectionRec &r = Sektion(d, s);
  const int n = r.AntalCeller;
  nr = std::clamp(nr, 0, n);
  for (int j = 0; j < n; ++j) Celle(d, s, j).hwndDivider = Fjern(Celle(d, s, j).hwndDivider);
  for (int j = n; j > nr; --j) Celle(d, s, j) = Celle(d, s, j - 1);
  c.Desk = static_cast<uint32_t>(d);
  c.Sektion = static_cast<uint32_t>(s);
  c.hwndDivider = 0;
  Celle(d, s, nr) = c;
  r.AntalCeller = n + 1;
  for (int j = 0; j <= n; ++j) {
    ElementCelle &cj = Celle(d, s, j);
    cj.Nr = static_cast<uint32_t>(j);
    SaetSlot(cj);
    cj.hwndDivider = OpretCelleDivider(d, s, j);
  }
}

// A cell moving between a vertical and a horizontal desk turns: along and
// across change places and it starts at its new content length.
void Vend(ElementCelle &c, int fra, int til) {
  if (LodretDesk(fra) == LodretDesk(til)) return;
  const int32_t langs = c.IndholdTvaers;
  c.IndholdTvaers = c.IndholdLangs;
  c.IndholdLangs = langs;
  c.Laengde = c.IndholdLangs + 17;
}

bool TilNySektion(int sd, int ss, int si, int td, int ny) {
  if (!GyldigCelle(sd, ss, si) || td < 0 || td >= kAntalDesks || ny < 0 || ny >= kSektionerPrDesk) return false;
  const bool eneste = Sektion(sd, ss).AntalCeller == 1;
  if (AntalSektioner(td) - (td == sd && eneste ? 1 : 0) >= kSektionerPrDesk) return false;
  LayoutSkridt skridt;
  ElementCelle c = Celle(sd, ss, si);
  const int32_t kildeTykkelse = T(sd, ss);
  UdAfSektion(sd, ss, si, false);
  int32_t tykkelse = kildeTykkelse;
  if (td != sd) {
    Vend(c, sd, td);
    tykkelse = c.IndholdTvaers + 2;
  }
  ny = std::min(ny, AntalSektioner(td));
  if (ny == 0 && AntalSektioner(td) == 1) FlytSektion(td, 0, 1);
  AddSection(td, ny, tykkelse);
  MakeRoomForSection(td, ny, false);
  c.Nr = 0;
  SaetIndISektion(td, ny, 0, c);
  AlleDesksIgen();
  return true;
}

// ---- Painting ----

void TegnCelle(HWND h, ElementCelle &c) {
  HDC dc = c.dc.hdc;
  RECT rc;
  if (!dc || !GetClientRect(h, &rc)) return;
  const int w = rc.right, hh = rc.bottom;
  if (w <= 0 || hh <= 0) return;
  const int d = static_cast<int>(c.Desk), s = static_cast<int>(c.Sektion), k = static_cast<int>(c.Nr);
  const bool lodret = LodretDesk(d);
  const int32_t b = B();
  HBRUSH grund = FarveBrush[0];
  HBRUSH baand = GetSysColorBrush(c.Aktiv ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);

  // The ring inside the frame.
  FillRectIncl(dc, grund, 1, 1, w - 2, 1);
  FillRectIncl(dc, grund, 1, hh - 2, w - 2, hh - 2);
  FillRectIncl(dc, grund, 1, 2, 1, hh - 3);
  FillRectIncl(dc, grund, w - 2, 2, w - 2, hh - 3);

  // The band, the line after it and the interior (inclusive) that the
  // object window does not cover.
  int ix0, iy0;
  if (lodret) {
    const RECT r{2, 2, w - 2, b + 2};
    FillRect(dc, &r, baand);
    FillRectIncl(dc, grund, 2, b + 2, w - 3, b + 2);
    ix0 = 2;
    iy0 = b + 3;
  } else {
    const RECT r{2, 2, b + 2, hh - 2};
    FillRect(dc, &r, baand);
    FillRectIncl(dc, grund, b + 2, 2, b + 2, hh - 3);
    ix0 = b + 3;
    iy0 = 2;
  }
  const int ix1 = w - 3, iy1 = hh - 3;
  Plads o{0, 0, 0, 0};
  if (c.hwndObjekt && Talt(c)) o = ObjektPlads(d, s, k);
  const int ox0 = std::max(ix0, o.x), oy0 = std::max(iy0, o.y);
  const int ox1 = std::min(ix1, o.x + o.bredde - 1), oy1 = std::min(iy1, o.y + o.hoejde - 1);
  if (o.bredde <= 0 || o.hoejde <= 0 || ox0 > ox1 || oy0 > oy1) {
    FillRectIncl(dc, grund, ix0, iy0, ix1, iy1);
  } else {
    FillRectIncl(dc, grund, ix0, iy0, ix1, oy0 - 1);
    FillRectIncl(dc, grund, ix0, oy1 + 1, ix1, iy1);
    FillRectIncl(dc, grund, ix0, oy0, ox0 - 1, oy1);
    FillRectIncl(dc, grund, ox1 + 1, oy0, ix1, oy1);
  }

  // The title in the caption text colour on the band.
  SetTextColor(dc, GetSysColor(c.Aktiv ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  c.dc.TekstFarve = kIngenFarve;
  const int bk = SetBkMode(dc, TRANSPARENT);
  if (lodret && w > 18) {
    RECT t{7, 3, w - 2, b + 1};
    DrawTextA(dc, c.Titel, -1, &t, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS);
  } else if (!lodret && hh > 18) {
    HGDIOBJ gammel = SelectObject(dc, TitelFontLodret ? TitelFontLodret : StdFont);
    TextOutA(dc, b + 2, 33, c.Titel, static_cast<int>(strnlen(c.Titel, sizeof c.Titel)));
    SelectObject(dc, gammel);
  }
  SetBkMode(dc, bk);
  DrawFrame3D(dc, 0, 0, w - 1, hh - 1, 1);
}

void TegnDivider(HWND h, const DivideStruct &ds) {
  RECT rc;
  if (!ds.dc.hdc || !GetClientRect(h, &rc) || rc.right <= 0 || rc.bottom <= 0) return;
  DrawFrame3D(ds.dc.hdc, 0, 0, rc.right - 1, rc.bottom - 1, 1);
  if (rc.right - 2 >= 2 && rc.bottom - 2 >= 2) FillRectIncl(ds.dc.hdc, FarveBrush[0], 1, 1, rc.right - 2, rc.bottom - 2);
}

// ---- Dragging a divider ----

// A vertical divider moves sideways: section dividers of the vertical
// desks, cell dividers of the horizontal ones.
bool FlytterVandret(const DivideStruct &ds) {
  return (ds.Art == kDividerSektion) == LodretDesk(static_cast<int>(ds.Desk));
}

// How far the divider's moving edge may go back (left or up) and forward.
void DividerOmfang(const DivideStruct &ds, int32_t *tilbage, int32_t *frem) {
  *tilbage = *frem = 0;
  const int d = static_cast<int>(ds.Desk), s = static_cast<int>(ds.Sektion);
  if (d < 0 || d >= kAntalDesks || s < 0 || s >= AntalSektioner(d)) return;
  const bool lodret = LodretDesk(d);
  if (ds.Art == kDividerSektion) {
    const RECT &L = LayoutRect;
    const int32_t t = T(d, s);
    const int32_t slack = lodret ? (L.right - L.left) - SamletTykkelse(true) - kFriBredde
                                 : (L.bottom - L.top) - SamletTykkelse(false) - kFriHoejde;
    // Never a range that leaves out where the divider stands.
    const int32_t maks = std::max(t, std::min(TykkesteOensket(d, s), t + slack));
    const int32_t mindst = std::min(t, B() + (lodret ? 2 : 5));
    // Desks 2 and 3 grow towards the middle, that is forward.
    const bool voksFrem = d == 2 || d == 3;
    *frem = voksFrem ? maks - t : t - mindst;
    *tilbage = voksFrem ? t - mindst : maks - t;
    return;
  }
  const int n = Sektion(d, s).AntalCeller, k = static_cast<int>(ds.Nr);
  if (k < 1 || k >= n || OensketSum(d, s, 0, n - 1) <= DeskTab[d].Laengde) return;
  const int32_t mindst = B() + (lodret ? 7 : 4);  // a cell with its divider
  const int32_t foer = Brugt(d, s, 0, k - 1), efter = Brugt(d, s, k, n - 1);
  const int32_t foerOensket = OensketSum(d, s, 0, k - 1), efterOensket = OensketSum(d, s, k, n - 1);
  *tilbage = std::min(std::max(0, efterOensket - efter), std::max(0, foer - (k * mindst - 2)));
  *frem = std::min(std::max(0, foerOensket - foer), std::max(0, efter - ((n - k) * mindst - 2)));
}

void StartDividerTraek(HWND h, const DivideStruct &ds) {
  const int d = static_cast<int>(ds.Desk), s = static_cast<int>(ds.Sektion);
  if (ds.Art == kDividerCelle && d >= 0 && d < kAntalDesks && s >= 0 && s < AntalSektioner(d)) SidsteTilRest(d, s);
  DividerTraekTilstand &t = DividerTraek;
  GetWindowRect(h, &t.Start);
  const bool vandret = FlytterVandret(ds);
  const int32_t a0 = vandret ? t.Start.left : t.Start.top;
  int32_t tilbage, frem;
  DividerOmfang(ds, &tilbage, &frem);
  t.Min = a0 - tilbage;
  t.Max = a0 + frem;
  t.Klip = vandret ? RECT{t.Min - 3, t.Start.top, t.Max + 3, t.Start.bottom}
                   : RECT{t.Start.left, t.Min - 3, t.Start.right, t.Max + 3};
  SendMessageA(h, WM_SYSCOMMAND, kFlytMedMus, 0);
}

void DividerFlytter(const DivideStruct &ds, RECT *r) {
  const DividerTraekTilstand &t = DividerTraek;
  const bool vandret = FlytterVandret(ds);
  int32_t a = vandret ? r->left : r->top;
  if (a < t.Min + 3)
    a = t.Min;
  else if (a > t.Max - 3)
    a = t.Max;
  if (vandret)
    *r = RECT{a, t.Start.top, a + kDividerTykkelse, t.Start.bottom};
  else
    *r = RECT{t.Start.left, a, t.Start.right, a + kDividerTykkelse};
}

void DividerSlip(HWND h, const DivideStruct &ds) {
  ClipCursor(nullptr);
  RECT nu;
  GetWindowRect(h, &nu);
  const bool vandret = FlytterVandret(ds);
  const int32_t delta = vandret ? nu.left - DividerTraek.Start.left : nu.top - DividerTraek.Start.top;
  const int d = static_cast<int>(ds.Desk), s = static_cast<int>(ds.Sektion);
  if (delta == 0 || d < 0 || d >= kAntalDesks || s < 0 || s >= AntalSektioner(d)) return;
  if (ds.Art == kDividerSektion) {
    Sektion(d, s).Tykkelse += d == 2 || d == 3 ? delta : -delta;
    if (LodretDesk(d)) TilpasVandretteDesks(true);
    FritAreal();
    PlaceDesk(d);
    return;
  }
  const int n = Sektion(d, s).AntalCeller, k = static_cast<int>(ds.Nr);
  if (k < 1 || k >= n) return;
  const int32_t foer = Brugt(d, s, 0, k - 1), efter = Brugt(d, s, k, n - 1);
  FitCellRange(d, s, 0, k - 1, foer + delta);
  FitCellRange(d, s, k, n - 1, efter - delta);
  PlaceDesk(d);
}

// ---- Dragging a cell ----

// The part of the drop zone at a distance from the desk's edge: the first
// whose running sum reaches it, none when that part has no size.
int DelVed(const int32_t dele[5], int32_t afstand) {
  int32_t sum = 0;
  for (int i = 0; i < 5; ++i) {
    sum += dele[i];
    if (sum >= afstand) return dele[i] > 0 ? i : kIntetDel;
  }
  return kIntetDel;
}

int32_t AfstandFraKant(int desk, const RECT &L, POINT p) {
  switch (desk) {
    case 0: return L.right - p.x;
    case 1: return L.bottom - p.y;
    case 2: return p.x - L.left;
    default: return p.y - L.top;
  }
}

void StartCelleTraek(HWND h, const ElementCelle &c) {
  CelleTraekTilstand &t = CelleTraek;
  t.KildeDesk = static_cast<int>(c.Desk);
  t.KildeSektion = static_cast<int>(c.Sektion);
  t.MaalSektion = t.KildeSektion;
  POINT o{0, 0};
  ClientToScreen(hwndHoved, &o);
  auto Skaerm = [&](RECT r) { return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y}; };
  t.LayoutSkaerm = Skaerm(LayoutRect);
  for (int d = 0; d < kAntalDesks; ++d) t.Zone[d] = Skaerm(DropZoneRect(d, t.KildeDesk, t.KildeSektion, t.Dele[d]));
  t.ZoneNu = t.KildeDesk;
  t.DelNu = t.KildeSektion == 1 ? 3 : 1;
  t.Startet = true;
  SendMessageA(h, WM_SYSCOMMAND, kFlytMedMus, 0);
}

void CelleFlytter() {
  LaesMarkoerer();
  CelleTraekTilstand &t = CelleTraek;
  if (t.Startet) {
    t.Startet = false;
    t.Pil = true;
    t.DelNu = t.KildeSektion == 1 ? 3 : 1;
    SetCursor(PilMarkoer);
    return;
  }
  POINT p;
  GetCursorPos(&p);
  int zone = kIngenZone, del = kIntetDel;
  for (int d = 0; d < kAntalDesks && zone == kIngenZone; ++d)
    if (p.x >= t.Zone[d].left && p.x < t.Zone[d].right && p.y >= t.Zone[d].top && p.y < t.Zone[d].bottom) zone = d;
  if (zone != kIngenZone) {
    del = DelVed(t.Dele[zone], AfstandFraKant(zone, t.LayoutSkaerm, p));
    if (del == kIntetDel) zone = kIngenZone;
  }
  if (zone == t.ZoneNu && del == t.DelNu) return;
  t.ZoneNu = zone;
  t.DelNu = del;
  bool pil = false;
  if (zone != kIngenZone) {
    if (del == 0 || del == 2 || del == 4) {
      pil = true;
    } else {
      const int s = del == 1 ? 0 : 1;
      t.MaalSektion = s;
      // The cell's own section takes it back even when full: it only moves
      // within it.
      pil = Sektion(zone, s).AntalCeller < kCellerPrSektion || (zone == t.KildeDesk && s == t.KildeSektion);
    }
  }
  t.Pil = pil;
  SetCursor(pil ? PilMarkoer : ForbudtMarkoer);
}

// Where a cell dropped at `langs` (along the desk) goes into a section: before
// the first cell that ends beyond it, else before the last; into a section
// of one cell, after it when beyond its middle.
int IndsaetIndeks(int d, int s, int32_t langs) {
  const int n = Sektion(d, s).AntalCeller;
  if (n == 1) {
    int32_t start, laengde;
    CelleLangs(d, s, 0, &start, &laengde);
    return langs > start + laengde / 2 ? 1 : 0;
  }
  for (int k = 0; k < n - 1; ++k) {
    int32_t start, laengde;
    CelleLangs(d, s, k, &start, &laengde);
    if (start + laengde > langs) return k;
  }
  return n - 1;
}

void CelleSlip(HWND h) {
  CelleTraekTilstand &t = CelleTraek;
  ElementCelle *c = CelleAf(h);
  if (!c || t.Startet) {
    // A click without a move: nothing to do but put the window back.
    t.Startet = false;
    PlaceAllDesks();
    return;
  }
  const int sd = static_cast<int>(c->Desk), ss = static_cast<int>(c->Sektion), si = static_cast<int>(c->Nr);
  const int zone = t.ZoneNu, del = t.DelNu;
  if (zone != kIngenZone && del != kIntetDel) {
    if (del == 0 || del == 2 || del == 4) {
      const int ny = del == 0 ? 0 : 1;
      if (zone == sd)
        SplitElementToNewSection(sd, ss, si, ny);
      else
        MoveElementToNewSection(sd, ss, si, zone, ny);
    } else {
      const int ts = del == 1 ? 0 : 1;
      if (ts < AntalSektioner(zone)) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwndHoved, &p);
        const int nr = IndsaetIndeks(zone, ts, LodretDesk(zone) ? p.y : p.x);
        if (zone == sd && ts == ss) {
          if (nr != si && nr < Sektion(zone, ts).AntalCeller) MoveElementInSection(zone, ts, si, nr);
        } else if (Sektion(zone, ts).AntalCeller < kCellerPrSektion) {
          InsertElement(zone, sd, ts, ss, si, nr);
        }
      }
    }
  }
  PlaceAllDesks();
}

}  // namespace

void ForHvertElement(void (*fn)(HWND, void *), void *data) {
  // A message may close cells and move the others: the windows are taken first.
  std::vector<HWND> vinduer;
  for (int d = 0; d < kAntalDesks; ++d)
    for (int s = 0; s < AntalSektioner(d); ++s)
      for (int k = 0; k < Sektion(d, s).AntalCeller; ++k)
        if (HWND h = Celle(d, s, k).hwndElement) vinduer.push_back(h);
  for (HWND h : vinduer)
    if (IsWindow(h)) fn(h, data);
}

namespace {

void RydTommeDesks() {
  for (DeskRec &d : DeskTab)
    if (d.AntalSektioner == 0) d = DeskRec{};
}

}  // namespace

LRESULT CALLBACK ElementWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE) {
    auto *c = static_cast<ElementCelle *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
    SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(c));
    if (c) {
      c->hwndElement = h;
      SelectDCPalette(h, &c->dc, StdFont);
    }
    CelleTraek.Startet = false;
    return 0;
  }
  ElementCelle *c = CelleAf(h);
  if (m == WM_ERASEBKGND) return 0;
  if (!c) {
    if (m == WM_PAINT) {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    return DefWindowProcA(h, m, w, l);
  }
  const int d = static_cast<int>(c->Desk), s = static_cast<int>(c->Sektion), k = static_cast<int>(c->Nr);
  switch (m) {
    case WM_SIZE:
      if (LayoutSkridtDybde == 0 && Talt(*c)) CompactDesk(d);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      TegnCelle(h, *c);
      return 0;
    }
    case WM_LBUTTONDOWN:
      if (Talt(*c)) StartCelleTraek(h, *c);
      return 0;
    case WM_MOVING:
      CelleFlytter();
      return TRUE;
    case WM_EXITSIZEMOVE:
      CelleSlip(h);
      return 0;
    case ELEMENT_NY_BREDDE: {
      if (!LodretDesk(d) || !Talt(*c)) return 0;
      if (HWND objekt = c->hwndObjekt) {
        const LRESULT bredde = SendMessageA(objekt, ENS_BREDDE, 2147483647, 0);
        if (!(c = CelleAf(h))) return 0;
        c->IndholdTvaers = static_cast<int32_t>(std::clamp<LRESULT>(bredde, 0, kMaksPixel));
      }
      SectionRec &r = Sektion(d, s);
      const int32_t tyk = TykkesteOensket(d, s);
      if (r.Tykkelse > tyk) {
        ShrinkSection(d, s, r.Tykkelse - tyk);
        // A thinner vertical section lengthens the horizontal desks.
        TilpasVandretteDesks(true);
      }
      PlaceDesk(d);
      FritAreal();
      return 0;
    }
    case ELEMENT_OBJEKT: {
      HWND objekt = static_cast<HWND>(l);
      if (objekt && !IsWindow(objekt)) return 0;
      c->hwndObjekt = objekt;
      if (objekt) ShowWindow(objekt, SW_SHOW);
      if (Talt(*c)) PlaceDesk(d);
      return 0;
    }
    case ENS_BLEV_AKTIV:
      if (hwndHoved) SendMessageA(hwndHoved, ELEMENT_DOKKET_AKTIV, static_cast<WPARAM>(d), l);
      if ((c = CelleAf(h))) {
        c->Aktiv = 1;
        TegnCelle(h, *c);
      }
      return 0;
    case ENS_MAA_AKTIVERES:
      return hwndHoved ? SendMessageA(hwndHoved, ENS_HJUL, 0, 0) : 0;
    case ENS_BLEV_INAKTIV:
      c->Aktiv = 0;
      TegnCelle(h, *c);
      return 0;
    case ELEMENT_MAA_AKTIVERES:
    case HOVED_INDTAST_LEKTION:
    case ELEMENT_VIDERE_1129:
    case HOVED_INDTAST_DAG:
      if (hwndHoved) SendMessageA(hwndHoved, m, w, l);
      return 0;
    case ELEMENT_LUK: {
      HWND objekt = c->hwndObjekt;
      if (Talt(*c)) RemoveElement(d, s, k);
      if (hwndHoved) SendMessageA(hwndHoved, ELEMENT_LUKKET, 0, static_cast<LPARAM>(objekt));
      return 0;
    }
    case VINDUE_ART:
      return c->hwndObjekt ? SendMessageA(c->hwndObjekt, VINDUE_ART, w, l) : 0;
    case ELEMENT_FJERN:
      if (Talt(*c)) RemoveElement(d, s, k);
      return 0;
    case BRIKINFO_VIS:
      return c->hwndObjekt ? SendMessageA(c->hwndObjekt, BRIKINFO_VIS, w, l) : 0;
    case NYB_KLIK:
      if (!Talt(*c)) return 0;
      if (w == kLukId) {
        HWND objekt = c->hwndObjekt;
        RemoveElement(d, s, k);
        if (hwndHoved) SendMessageA(hwndHoved, ELEMENT_LUKKET, 0, static_cast<LPARAM>(objekt));
        CompactDesk(d);
      } else if (w == kStrId) {
        ToggleElementSize(d, s, k);
      }
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      return 0;
  }
  for (UINT u : ELEMENT_UDSENDELSER)
    if (m == u) return c->hwndObjekt && IsWindow(c->hwndObjekt) ? SendMessageA(c->hwndObjekt, m, w, l) : 0;
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK DivideWndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  auto *ds = reinterpret_cast<DivideStruct *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  switch (m) {
    case WM_CREATE:
      // The record is the divider's from here on, even when nothing else
      // of this succeeds: creating must not fail.
      ds = static_cast<DivideStruct *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
      SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ds));
      if (ds) SelectDCPalette(h, &ds->dc, StdFont);
      break;
    case WM_DESTROY:
      free(ds);
      SetWindowLongPtrA(h, GWLP_USERDATA, 0);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (ds) TegnDivider(h, *ds);
      break;
    }
    case WM_LBUTTONDOWN:
      if (ds) StartDividerTraek(h, *ds);
      break;
    case WM_ENTERSIZEMOVE:
      ClipCursor(&DividerTraek.Klip);
      break;
    case WM_MOVING:
      if (ds) DividerFlytter(*ds, reinterpret_cast<RECT *>(l));
      break;
    case WM_EXITSIZEMOVE:
      if (ds) DividerSlip(h, *ds);
      break;
  }
  return DefWindowProcA(h, m, w, l);
}

bool RegistrerElementVinduer(HINSTANCE inst) {
  LaesMarkoerer();
  struct Klasse {
    const char *navn;
    WNDPROC proc;
    int markoer;
    LPCSTR reserve;
  };
  static const Klasse klasser[] = {
      {"ElementWndClass", ElementWndProc, kMarkoerTavo, IDC_ARROW},
      {"VerDivideWndClass", DivideWndProc, kMarkoerLodretDeler, IDC_SIZEWE},
      {"HorDivideWndClass", DivideWndProc, kMarkoerVandretDeler, IDC_SIZENS},
  };
  bool alle = true;
  for (const Klasse &k : klasser) {
    WNDCLASSA wc{};
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = k.proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursorA(inst, MAKEINTRESOURCE(k.markoer));
    if (!wc.hCursor) wc.hCursor = LoadCursorA(0, k.reserve);
    wc.hbrBackground = FarveBrush[0];
    wc.lpszClassName = k.navn;
    if (!RegisterClassA(&wc)) {
      LogPrintf("** Fejl: RegistrerElementVinduer(): %s kunne ikke registreres: Fejlnr: %lu\n", k.navn,
                static_cast<unsigned long>(GetLastError()));
      alle = false;
    }
  }
  return alle;
}

// ---- Operations ----

void RemoveElement(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return;
  LayoutSkridt skridt;
  UdAfSektion(desk, sektion, nr, true);
}

void TakeOutElement(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return;
  LayoutSkridt skridt;
  UdAfSektion(desk, sektion, nr, false);
}

bool InsertElement(int maalDesk, int kildeDesk, int maalSektion, int kildeSektion, int kildeNr, int maalNr) {
  if (!GyldigCelle(kildeDesk, kildeSektion, kildeNr) || maalDesk < 0 || maalDesk >= kAntalDesks ||
      maalSektion < 0 || maalSektion >= AntalSektioner(maalDesk) ||
      (maalDesk == kildeDesk && maalSektion == kildeSektion) ||
      Sektion(maalDesk, maalSektion).AntalCeller >= kCellerPrSektion)
    return false;
  LayoutSkridt skridt;
  ElementCelle c = Celle(kildeDesk, kildeSektion, kildeNr);
  const bool eneste = Sektion(kildeDesk, kildeSektion).AntalCeller == 1;
  UdAfSektion(kildeDesk, kildeSektion, kildeNr, false);
  Vend(c, kildeDesk, maalDesk);
  // The desk's other section took the place of the one the cell left.
  if (maalDesk == kildeDesk && eneste) maalSektion = 0;
  SaetIndISektion(maalDesk, maalSektion, maalNr, c);
  AlleDesksIgen();
  return true;
}

bool MoveElementToNewSection(int kildeDesk, int kildeSektion, int kildeNr, int maalDesk, int nySektion) {
  return TilNySektion(kildeDesk, kildeSektion, kildeNr, maalDesk, nySektion);
}

bool SplitElementToNewSection(int desk, int kildeSektion, int kildeNr, int nySektion) {
  return TilNySektion(desk, kildeSektion, kildeNr, desk, nySektion);
}

void MoveElementInSection(int desk, int sektion, int fra, int til) {
  if (!GyldigCelle(desk, sektion, fra) || !GyldigCelle(desk, sektion, til) || fra == til) return;
  LayoutSkridt skridt;
  // The cells keep the lengths they are shown with.
  SidsteTilRest(desk, sektion);
  const ElementCelle c = Celle(desk, sektion, fra);
  if (fra < til)
    for (int j = fra; j < til; ++j) Celle(desk, sektion, j) = Celle(desk, sektion, j + 1);
  else
    for (int j = fra; j > til; --j) Celle(desk, sektion, j) = Celle(desk, sektion, j - 1);
  Celle(desk, sektion, til) = c;
  for (int j = 0; j < Sektion(desk, sektion).AntalCeller; ++j) {
    ElementCelle &cj = Celle(desk, sektion, j);
    cj.Nr = static_cast<uint32_t>(j);
    SaetSlot(cj);
    cj.hwndDivider = Fjern(cj.hwndDivider);
    cj.hwndDivider = OpretCelleDivider(desk, sektion, j);
  }
}

void CompactDesk(int desk) {
  if (desk < 0 || desk >= kAntalDesks) return;
  LayoutSkridt skridt;
  while (AntalSektioner(desk) == kSektionerPrDesk && Sektion(desk, 1).AntalCeller > 0) {
    const int n0 = Sektion(desk, 0).AntalCeller;
    if (n0 >= kCellerPrSektion) break;
    const int32_t fri = DeskTab[desk].Laengde - Brugt(desk, 0, 0, n0 - 1);
    if (fri < Celle(desk, 1, 0).Laengde) break;
    if (!InsertElement(desk, desk, 0, 1, 0, n0)) break;
    MakeRoomForSection(desk, 0, true);
  }
}

void ToggleElementSize(int desk, int sektion, int nr) {
  if (!GyldigCelle(desk, sektion, nr)) return;
  const int n = Sektion(desk, sektion).AntalCeller;
  const int32_t len = DeskTab[desk].Laengde;
  if (n < 2 || OensketSum(desk, sektion, 0, n - 1) <= len) return;
  LayoutSkridt skridt;
  SidsteTilRest(desk, sektion);
  const int32_t start = CelleStartLangs(desk, sektion, nr);
  std::vector<int32_t> L(n), fuldt(n);
  for (int j = 0; j < n; ++j) {
    L[j] = Celle(desk, sektion, j).Laengde;
    fuldt[j] = Celle(desk, sektion, j).IndholdLangs + 15;
  }
  auto Brugt = [&](int foerste, int sidste) {
    int32_t sum = -kDividerTykkelse;
    for (int j = foerste; j <= sidste; ++j) sum += L[j] + kDividerTykkelse;
    return sum;
  };
  auto Tilpas = [&](int foerste, int sidste, int32_t maal) {
    for (int j = 0; j < n; ++j) Celle(desk, sektion, j).Laengde = L[j];
    FitCellRange(desk, sektion, foerste, sidste, maal);
    for (int j = 0; j < n; ++j) L[j] = Celle(desk, sektion, j).Laengde;
  };
  const int32_t fuld = fuldt[nr];
  if (L[nr] >= fuld || L[nr] >= len - 17 * (n - 1)) {
    // Back to an even share, each no longer than its full length; what is
    // left goes to the cells in order.
    const int32_t lige = (len - 2 * n + 2) / n - 1;
    for (int j = 0; j < n; ++j) L[j] = std::min(lige, fuldt[j]);
    int32_t rest = len - Brugt(0, n - 1);
    for (int j = 0; j < n && rest > 0; ++j) {
      const int32_t giv = std::min(rest, fuldt[j] - L[j]);
      if (giv > 0) {
        L[j] += giv;
        rest -= giv;
      }
    }
  } else if (nr == 0) {
    L[0] = fuld;
    Tilpas(1, n - 1, len - fuld - 2);
    Tilpas(0, n - 1, len);
  } else if (nr == n - 1) {
    Tilpas(0, n - 2, len - fuld - 2);
    L[nr] = len - Brugt(0, n - 2) - kDividerTykkelse;
  } else {
    // The cells after it, then those before it, nearest first, give length
    // down to 14 pixels each.
    int32_t mangler = fuld - L[nr];
    auto Giv = [&](int j) {
      const int32_t giv = std::min(mangler, L[j] - 14);
      if (giv > 0) {
        L[j] -= giv;
        mangler -= giv;
      }
    };
    for (int j = nr + 1; j < n && mangler > 0; ++j) Giv(j);
    for (int j = nr - 1; j >= 0 && mangler > 0; --j) Giv(j);
    int32_t andre = 0;
    for (int j = 0; j < n; ++j)
      if (j != nr) andre += L[j];
    // The others and every divider between the cells.
    L[nr] = len - andre - kDividerTykkelse * (n - 1);
  }
  for (int j = 0; j < n; ++j) Celle(desk, sektion, j).Laengde = L[j];
  PlaceDesk(desk);
  const int32_t flyttet = CelleStartLangs(desk, sektion, nr) - start;
  POINT p;
  if (flyttet != 0 && GetCursorPos(&p)) {
    if (LodretDesk(desk))
      p.y += flyttet;
    else
      p.x += flyttet;
    SetCursorPos(p.x, p.y);
  }
}

RECT DropZoneRect(int desk, int kildeDesk, int kildeSektion, int32_t dele[5]) {
  for (int i = 0; i < 5; ++i) dele[i] = 0;
  if (desk < 0 || desk >= kAntalDesks) return RECT{0, 0, 0, 0};
  const int ns = AntalSektioner(desk);
  const int32_t t0 = T(desk, 0), t1 = T(desk, 1);
  const bool egen = desk == kildeDesk;
  const bool eneste0 = egen && kildeSektion == 0 && ns >= 1 && Sektion(desk, 0).AntalCeller == 1;
  const bool eneste1 = egen && kildeSektion == 1 && ns == 2 && Sektion(desk, 1).AntalCeller == 1;
  if (ns == 0) {
    dele[0] = 20;
  } else if (ns == 1) {
    if (eneste0) {
      dele[1] = t0 + 2;
    } else if (t0 < 35) {
      dele[0] = 7, dele[1] = t0 - 14, dele[2] = 16;
    } else {
      dele[0] = 20, dele[1] = t0 - 27, dele[2] = 16;
    }
  } else if (eneste0) {
    dele[1] = t0 + 2, dele[3] = t1 - 7, dele[4] = 16;
  } else if (eneste1) {
    if (t0 + 2 < 28)
      dele[0] = 7, dele[1] = t0 - 5;
    else
      dele[0] = 20, dele[1] = t0 - 18;
    dele[3] = t1 + 2;
  } else {
    dele[1] = t0 + 2, dele[3] = t1 + 2;
  }
  // A section thinner than the parts cut from it leaves that part out.
  int32_t sum = 0;
  for (int i = 0; i < 5; ++i) {
    dele[i] = std::max(0, dele[i]);
    sum += dele[i];
  }
  // As long as the desk: the horizontal desks start after desk 2's sections.
  const RECT &L = LayoutRect;
  const int32_t start = DeskStart(desk);
  const int32_t laengde = LodretDesk(desk) ? L.bottom - L.top + 1 : L.right - L.left + 1 - SamletTykkelse(true);
  switch (desk) {
    case 0: return RECT{L.right - sum, start, L.right + 1, start + laengde};
    case 1: return RECT{start, L.bottom - sum, start + laengde, L.bottom + 1};
    case 2: return RECT{L.left, start, L.left + sum + 1, start + laengde};
    default: return RECT{start, L.top, start + laengde, L.top + sum + 1};
  }
}

void CloseAllElements() {
  if (CountElements() == 0) return;
  std::vector<HWND> vinduer;
  for (const ElementCelle &c : ElementTab)
    if (c.hwndElement) vinduer.push_back(+c.hwndElement);
  for (HWND h : vinduer)
    if (IsWindow(h)) SendMessageA(h, ELEMENT_FJERN, 0, 0);
  // A cell whose window went another way must not stay in the tables.
  if (CountElements() > 0) {
    for (int d = 0; d < kAntalDesks; ++d)
      for (int s = 0; s < kSektionerPrDesk; ++s) {
        Sektion(d, s).hwndDivider = Fjern(Sektion(d, s).hwndDivider);
        for (int k = 0; k < kCellerPrSektion; ++k) {
          Celle(d, s, k).hwndDivider = Fjern(Celle(d, s, k).hwndDivider);
          Celle(d, s, k).hwndElement = Fjern(Celle(d, s, k).hwndElement);
        }
      }
    std::memset(SectionTab, 0, sizeof SectionTab);
    std::memset(ElementTab, 0, sizeof ElementTab);
    for (DeskRec &d : DeskTab) d.AntalSektioner = 0;
    FritAreal();
  }
  RydTommeDesks();
  if (hwndHoved) SendMessageA(hwndHoved, ELEMENT_FJERN, 0, 0);
}

void CloseElementsOfKind(uint32_t art) {
  if (CountElements() == 0) return;
  // Each close moves the following cells down (and may move the inner
  // section to the edge): the windows are collected before the first.
  std::vector<HWND> vinduer;
  for (int d = 0; d < kAntalDesks; ++d)
    for (int s = 0; s < AntalSektioner(d); ++s)
      for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) {
        const ElementCelle &c = Celle(d, s, k);
        if (c.Art == art && c.hwndElement) vinduer.push_back(+c.hwndElement);
      }
  for (HWND h : vinduer)
    if (IsWindow(h)) SendMessageA(h, ELEMENT_LUK, 0, 0);
  RydTommeDesks();
  if (hwndHoved) SendMessageA(hwndHoved, ELEMENT_FJERN, 0, 0);
}

// ---- The screen file ----

namespace {

void LayoutFejl(long n, const char *format, ...) TAVO_PRINTF(2, 3);
void LayoutFejl(long n, const char *format, ...) {
  char tekst[200];
  va_list ap;
  va_start(ap, format);
  vsnprintf(tekst, sizeof tekst, format, ap);
  va_end(ap);
  LogPrintf("** Fejl: LoadSkrmLayout(): skrm%ld: %s\n", n, tekst);
}

bool GyldigMaal(int32_t v, int32_t maks) { return v >= 0 && v <= maks; }

}  // namespace

bool LaesSkrmLayout(const char *fil, long n) {
  char sek[32];
  snprintf(sek, sizeof sek, "skrm%ld", n);
  DeskRec desks[kAntalDesks] = {};
  SectionRec sektioner[kAntalSektioner] = {};
  if (!GetPrivateProfileStructA(sek, "array", desks, sizeof desks, fil)) {
    LayoutFejl(n, "nøglen array kunne ikke læses");
    return false;
  }
  const bool sektionLaest = GetPrivateProfileStructA(sek, "section", sektioner, sizeof sektioner, fil) != FALSE;

  DeskRec nyDesk[kAntalDesks] = {};
  SectionRec nySektion[kAntalSektioner] = {};
  ElementCelle nyCelle[kAntalCeller] = {};
  for (int d = 0; d < kAntalDesks; ++d) {
    const DeskRec &dr = desks[d];
    if (dr.AntalSektioner < 0 || dr.AntalSektioner > kSektionerPrDesk) {
      LayoutFejl(n, "desk %d med %d sektioner er udeladt", d, dr.AntalSektioner);
      continue;
    }
    if (dr.AntalSektioner > 0 && !sektionLaest) {
      LayoutFejl(n, "nøglen section kunne ikke læses; desk %d er tom", d);
      continue;
    }
    int beholdt = 0;  // sections kept; a left-out section 0 lets section 1 take its place
    for (int s = 0; s < dr.AntalSektioner; ++s) {
      const SectionRec &sr = sektioner[d * kSektionerPrDesk + s];
      if (sr.AntalCeller < 0 || sr.AntalCeller > kCellerPrSektion || sr.Tykkelse < 1 ||
          sr.Tykkelse > kMaksLaengde) {
        LayoutFejl(n, "sektion %d%d med %d celler og tykkelsen %d er udeladt", d, s, sr.AntalCeller,
                   sr.Tykkelse);
        continue;
      }
      if (sr.Desk != static_cast<uint32_t>(d) || sr.Sektion != static_cast<uint32_t>(s))
        LayoutFejl(n, "sektion %d%d siger desk %u og sektion %u", d, s, sr.Desk, sr.Sektion);
      ElementCelle laest[kCellerPrSektion];
      char noegle[32];
      snprintf(noegle, sizeof noegle, "element%d%d", d, s);
      int antal = 0;
      if (sr.AntalCeller > 0 && !GetPrivateProfileStructA(sek, noegle, laest, sizeof laest, fil)) {
        LayoutFejl(n, "nøglen %s kunne ikke læses; sektion %d%d er tom", noegle, d, s);
      } else {
        for (int k = 0; k < sr.AntalCeller; ++k) {
          ElementCelle c = laest[k];
          if (!GyldigMaal(c.Laengde, kMaksLaengde) || !GyldigMaal(c.IndholdLangs, kMaksPixel) ||
              !GyldigMaal(c.IndholdTvaers, kMaksPixel)) {
            LayoutFejl(n, "celle %d%d%d med længden %d og indholdet %d x %d er udeladt", d, s, k, c.Laengde,
                       c.IndholdLangs, c.IndholdTvaers);
            continue;
          }
          if (!memchr(c.Titel, 0, sizeof c.Titel)) {
            LayoutFejl(n, "titlen i celle %d%d%d mangler sit nul-tegn og er afkortet", d, s, k);
            c.Titel[sizeof c.Titel - 1] = 0;
          }
          if (c.Desk != static_cast<uint32_t>(d) || c.Sektion != static_cast<uint32_t>(s) ||
              c.Nr != static_cast<uint32_t>(k))
            LayoutFejl(n, "celle %d%d%d siger desk %u, sektion %u og nummer %u", d, s, k, c.Desk, c.Sektion,
                       c.Nr);
          // Handles and the drawing record belong to the run that saved them.
          c.hwndElement = c.hwndObjekt = c.hwndLuk = c.hwndStr = c.hwndDivider = 0;
          c.dc = EnsDC{};
          c.Desk = static_cast<uint32_t>(d);
          c.Sektion = static_cast<uint32_t>(beholdt);
          c.Nr = static_cast<uint32_t>(antal);
          nyCelle[(d * kSektionerPrDesk + beholdt) * kCellerPrSektion + antal++] = c;
        }
      }
      if (antal == 0) {
        LayoutFejl(n, "sektion %d%d har ingen celler og er udeladt", d, s);
        continue;
      }
      nySektion[d * kSektionerPrDesk + beholdt] =
          SectionRec{static_cast<uint32_t>(d), static_cast<uint32_t>(beholdt), sr.Tykkelse, 0, antal};
      ++beholdt;
    }
    // The desk's length follows from the layout rectangle and is measured
    // again before it is used.
    nyDesk[d] = DeskRec{GyldigMaal(dr.Laengde, kMaksLaengde) ? dr.Laengde : 0, beholdt};
  }
  std::memcpy(DeskTab, nyDesk, sizeof DeskTab);
  std::memcpy(SectionTab, nySektion, sizeof SectionTab);
  std::memcpy(ElementTab, nyCelle, sizeof ElementTab);
  return true;
}

void LoadSkrmLayout(long n) {
  LayoutSkridt skridt;
  // With nothing read the tables hold what they held, and that has its
  // windows already.
  const bool laest = LaesSkrmLayout(StiTab.szskrm, n);
  FitElementsToDesk();
  for (int d = 0; laest && d < kAntalDesks; ++d)
    for (int s = 0; s < AntalSektioner(d); ++s) {
      SectionRec &r = Sektion(d, s);
      r.hwndDivider = OpretSektionDivider(d, s);
      Flyt(r.hwndDivider, SektionDividerPlads(d, s));
      for (int k = 0; k < r.AntalCeller; ++k) {
        ElementCelle &c = Celle(d, s, k);
        c.hwndElement = OpretElementVindue(&c);
        if (!c.hwndElement) {
          LayoutFejl(n, "cellevinduet til \"%s\" kunne ikke oprettes", c.Titel);
          continue;
        }
        Flyt(c.hwndElement, CellePlads(d, s, k));
        c.hwndDivider = OpretCelleDivider(d, s, k);
        Flyt(c.hwndDivider, CelleDividerPlads(d, s, k));
        // A kind the main window cannot make leaves an empty cell that the
        // user can still close.
        HWND objekt = static_cast<HWND>(
            SendMessageA(hwndHoved, ELEMENT_OPRET_OBJEKT, c.Art, static_cast<LPARAM>(c.hwndElement)));
        c.hwndObjekt = objekt && IsWindow(objekt) ? objekt : 0;
        if (c.hwndObjekt) {
          ShowWindow(c.hwndObjekt, SW_SHOW);
          Flyt(c.hwndObjekt, ObjektPlads(d, s, k));
        }
        OpretCelleKnapper(&c);
        SaetStrKnapBillede(c);
      }
    }
  if (hwndDesktop) SendMessageA(hwndDesktop, ELEMENT_FRIT_AREAL, 0, 0);
}

bool SkrivSkrmLayout(const char *fil, long n) {
  char sek[32];
  snprintf(sek, sizeof sek, "skrm%ld", n);
  if (!WritePrivateProfileStructA(sek, "array", DeskTab, sizeof DeskTab, fil)) return false;
  if (!WritePrivateProfileStructA(sek, "section", SectionTab, sizeof SectionTab, fil)) return false;
  for (int d = 0; d < kAntalDesks; ++d)
    for (int s = 0; s < kSektionerPrDesk; ++s) {
      char noegle[32];
      snprintf(noegle, sizeof noegle, "element%d%d", d, s);
      if (!WritePrivateProfileStructA(sek, noegle, &Celle(d, s, 0), sizeof(ElementCelle) * kCellerPrSektion, fil))
        return false;
    }
  return true;
}

bool RetSkrmFil(bool (*ret)(const char *fil, void *data), void *data) {
  const char *fil = StiTab.szskrm;
  char tmp[kStiLaengde + 8];
  if (!fil[0] || snprintf(tmp, sizeof tmp, "%s.tmp", fil) >= static_cast<int>(sizeof tmp)) return false;
  // What a broken save left is not the file.
  DeleteFileA(tmp);
  bool ok = GetFileAttributesA(fil) == INVALID_FILE_ATTRIBUTES || CopyFileA(fil, tmp, FALSE);
  if (ok) ok = ret(tmp, data);
  if (ok) ok = ErstatDataFil(tmp, fil) == 0;
  if (!ok) {
    const DWORD fejl = GetLastError();
    DeleteFileA(tmp);
    SetLastError(fejl);
  }
  return ok;
}

namespace {

struct GemLayoutRec {
  long n;
  bool (*oevrige)(const char *fil, long n, void *data);
  void *data;
};

bool SkrivLayoutMedOevrige(const char *fil, void *data) {
  const auto *g = static_cast<const GemLayoutRec *>(data);
  if (g->oevrige && !g->oevrige(fil, g->n, g->data)) return false;
  return SkrivSkrmLayout(fil, g->n);
}

}  // namespace

bool GemSkrmLayout(long n, bool (*oevrige)(const char *fil, long n, void *data), void *data) {
  GemLayoutRec g{n, oevrige, data};
  const bool ok = RetSkrmFil(SkrivLayoutMedOevrige, &g);
  if (!ok)
    LogPrintf("** Fejl: GemSkrmLayout(): skrm%ld kunne ikke gemmes i %s (fejl %lu)\n", n, StiTab.szskrm,
              static_cast<unsigned long>(GetLastError()));
  return ok;
}
