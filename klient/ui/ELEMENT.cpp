// Screen layout: desks, sections and element cells, their geometry and
// fitting, and the records of ini\skrm.ini. The tables are the file format,
// so nothing read from the file reaches them before it has been checked.

#include "ELEMENT.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FONTE.h"
#include "LOGFIL.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "tavo/assert.h"

DeskRec DeskTab[kAntalDesks];
SectionRec SectionTab[kAntalSektioner];
ElementCelle ElementTab[kAntalCeller];

namespace {

constexpr DWORD kLayoutStil = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
constexpr uint32_t kLukId = 1, kStrId = 2;
constexpr int kKnap = 12;  // the caption buttons are 12 x 12

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
  if (!lodret) return;
  BeregnDeskLaengder();
  FitDeskCells(3);
  FitDeskCells(1);
  if (tegn) {
    PlaceDesk(3);
    PlaceDesk(1);
  }
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
  SendMessageA(objekt, ELEMENT_AKTIVER, 1, 0);
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

bool GemSkrmLayout(long n, bool (*oevrige)(const char *fil, long n, void *data), void *data) {
  const char *fil = StiTab.szskrm;
  char tmp[kStiLaengde + 8];
  if (!fil[0] || snprintf(tmp, sizeof tmp, "%s.tmp", fil) >= static_cast<int>(sizeof tmp)) return false;
  // What a broken save left is not the file.
  DeleteFileA(tmp);
  bool ok = GetFileAttributesA(fil) == INVALID_FILE_ATTRIBUTES || CopyFileA(fil, tmp, FALSE);
  if (ok && oevrige) ok = oevrige(tmp, n, data);
  if (ok) ok = SkrivSkrmLayout(tmp, n);
  if (ok) ok = MoveFileExA(tmp, fil, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (!ok) {
    const DWORD fejl = GetLastError();
    DeleteFileA(tmp);
    LogPrintf("** Fejl: GemSkrmLayout(): skrm%ld kunne ikke gemmes i %s (fejl %lu)\n", n, fil,
              static_cast<unsigned long>(fejl));
  }
  return ok;
}
