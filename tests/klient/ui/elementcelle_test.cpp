// The cells and dividers of the docking layout with their own window
// procedures on a test main window: dragging dividers and cells with the
// synthetic mouse, closing, maximising, activation, the messages a cell
// passes on, and painting. The numbers are worked out by hand from the
// layout rectangle (1, 1) - (997, 697) and B = 14.

#include <algorithm>
#include <string>
#include <vector>

#include "ELEMENT.h"
#include "element_support.h"
#include "knapper.h"
#include "tavo/test_gdi.h"

inline bool operator==(const Plads &a, const Plads &b) {
  return a.x == b.x && a.y == b.y && a.bredde == b.bredde && a.hoejde == b.hoejde;
}
inline std::ostream &operator<<(std::ostream &os, const Plads &p) {
  return os << "(" << p.x << "," << p.y << " " << p.bredde << "x" << p.hoejde << ")";
}
inline bool operator==(const RECT &a, const RECT &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream &operator<<(std::ostream &os, const RECT &r) {
  return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

using namespace elm_test;
using tavo::test::PumpUntilIdle;

// ---------------------------------------------------------------------------
// Dividers

// The divider's procedure is wrapped while it is dragged: once the move loop
// has begun (and clipped the cursor) the rest of the drag is given, so the
// clip holds the cursor as it holds a user's.
struct DelerTraek {
  WNDPROC egen = nullptr;
  POINT slut{};
  RECT klip{};
  bool klippet = false;
};
DelerTraek &DT() {
  static DelerTraek t;
  return t;
}
LRESULT CALLBACK DelerOmslag(HWND h, UINT m, WPARAM w, LPARAM l) {
  const LRESULT r = CallWindowProcA(DT().egen, h, m, w, l);
  if (m == WM_ENTERSIZEMOVE) {
    DT().klippet = GetClipCursor(&DT().klip) != FALSE;
    tavo::test::MouseMove(DT().slut.x, DT().slut.y);
    tavo::test::MouseUp(0, DT().slut.x, DT().slut.y);
  }
  return r;
}

class ElementCelleDeler : public ElementTest {
 protected:
  // Grabs the divider at its top-left pixel (the middle of its length) and
  // lets go dx, dy further on.
  void Traek(HWND deler, int dx, int dy) {
    RECT r;
    GetWindowRect(deler, &r);
    const bool lodret = r.right - r.left == 2;
    const POINT fra{lodret ? r.left : (r.left + r.right) / 2, lodret ? (r.top + r.bottom) / 2 : r.top};
    NytKlik();
    DT() = DelerTraek{};
    DT().slut = POINT{fra.x + dx, fra.y + dy};
    DT().egen = (WNDPROC)SetWindowLongPtrA(deler, GWLP_WNDPROC, (LONG_PTR)DelerOmslag);
    tavo::test::MouseMove(fra.x, fra.y);
    tavo::test::MouseDown(0, fra.x, fra.y);
    PumpUntilIdle();
    SetWindowLongPtrA(deler, GWLP_WNDPROC, (LONG_PTR)DT().egen);
    RECT fri;
    GetClipCursor(&fri);
    EXPECT_EQ(fri, (RECT{0, 0, 1280, 1024})) << "the clip is released";
  }
};

TEST_F(ElementCelleDeler, SectionDividerOfDesk2WidensWithinItsRangeAndRefitsDesks3And1) {
  Dok(150, 300, 2, "Aktivitetsskema");
  Dok(200, 60, 3, "Aktuel");
  Dok(200, 60, 1, "Opgørelse");
  ASSERT_EQ(Form(), "0: 1:64/1 2:154/1 3:64/1");
  // The schedule now wants 300 across: the section may grow to 304.
  Celle(2, 0, 0).IndholdTvaers = 300;
  struct Tilfaelde {
    int dx;
    int32_t tykkelse;
    RECT klip;  // screen: the range of the divider's left edge +- 3 by its height
  };
  // Free middle: 996 - 156 - 249 = 591 to spare, so the schedule's 304
  // bounds the growth; the edge side stops at B + 2 = 16. The divider's left
  // edge is at screen x = 20 + 1 + thickness.
  const Tilfaelde tilfaelde[] = {
      {400, 304, {175 - 138 - 3, 11, 175 + 150 + 3, 708}},
      {-400, 16, {325 - 288 - 3, 11, 325 + 0 + 3, 708}},
      {50, 66, {37 - 0 - 3, 11, 37 + 288 + 3, 708}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    const int foer = Elm().frieArealer;
    Traek(Sektion(2, 0).hwndDivider, t.dx, 0);
    EXPECT_TRUE(DT().klippet);
    EXPECT_EQ(DT().klip, t.klip) << t.dx;
    EXPECT_EQ(+Sektion(2, 0).Tykkelse, t.tykkelse) << t.dx;
    // Desks 3 and 1 fit between the vertical desks again.
    EXPECT_EQ(+DeskTab[3].Laengde, 997 - (t.tykkelse + 2)) << t.dx;
    EXPECT_EQ(+DeskTab[1].Laengde, 997 - (t.tykkelse + 2)) << t.dx;
    EXPECT_EQ(Elm().frieArealer, foer + 1) << t.dx;
    EXPECT_EQ(Placeret(), "") << t.dx;
  }
}

TEST_F(ElementCelleDeler, ASectionThickerThanItsCellsWantDoesNotJumpWhenItsDividerIsTaken) {
  Dok(150, 300, 2, "Aktivitetsskema");
  // The schedule wants 54 across now, the section is 154: towards the middle
  // the divider cannot go, towards the edge as far as 16.
  Celle(2, 0, 0).IndholdTvaers = 50;
  Traek(Sektion(2, 0).hwndDivider, 20, 0);
  EXPECT_EQ(+Sektion(2, 0).Tykkelse, 154);
  EXPECT_EQ(DT().klip, (RECT{175 - 138 - 3, 11, 175 + 3, 708}));
  Traek(Sektion(2, 0).hwndDivider, -40, 0);
  EXPECT_EQ(+Sektion(2, 0).Tykkelse, 114);
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleDeler, SectionDividerOfDesk1StopsAtBPlus5TowardsTheEdge) {
  Dok(200, 60, 1, "Opgørelse");
  // Desk 1's divider lies above the section, at y = 697 - 64 - 1 = 632.
  Traek(Sektion(1, 0).hwndDivider, 0, 300);
  EXPECT_EQ(+Sektion(1, 0).Tykkelse, kB + 5);
  EXPECT_EQ(DT().klip, (RECT{21, 10 + 632 - 0 - 3, 21 + 997, 10 + 632 + 45 + 3}));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleDeler, CellDividerMovesLengthBetweenTheCellsBeforeAndAfterIt) {
  for (int i = 0; i < 3; ++i) Dok(150, 100, 0, "Kalender");
  ASSERT_EQ(Form(), "0:154/3 1: 2: 3:");
  // Each cell wants 319 now, 961 in all on a desk of 697.
  for (int k = 0; k < 3; ++k) Celle(0, 0, k).IndholdLangs = 300;
  struct Tilfaelde {
    int k, dy;
    std::vector<int32_t> laengder;
  };
  const Tilfaelde tilfaelde[] = {
      // Cell 0 has all it wants: the divider before cell 1 goes back only.
      {1, 40, {319, 255, 119}},
      {1, -100, {219, 319, 155}},
      {2, 40, {319, 295, 79}},
      // Forward until cell 1 has its 319.
      {2, 200, {319, 319, 55}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    for (int k = 0; k < 3; ++k) Celle(0, 0, k).Laengde = 119;
    FitDeskCells(0);
    PlaceDesk(0);
    ASSERT_EQ(Laengder(0, 0), (std::vector<int32_t>{319, 255, 119}));
    Traek(Celle(0, 0, t.k).hwndDivider, 0, t.dy);
    EXPECT_EQ(Laengder(0, 0), t.laengder) << "cell " << t.k << " by " << t.dy;
    EXPECT_EQ(Placeret(), "") << "cell " << t.k << " by " << t.dy;
  }
}

TEST_F(ElementCelleDeler, CellDividerStaysWhenAllCellsHaveWhatTheyWant) {
  Dok(150, 100, 0, "Kalender");
  Dok(150, 100, 0, "Aktuel");
  const Plads foer = IHoved(Celle(0, 0, 1).hwndDivider);
  Traek(Celle(0, 0, 1).hwndDivider, 0, 60);
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{119, 119}));
  EXPECT_EQ(IHoved(Celle(0, 0, 1).hwndDivider), foer);
  // A range of nothing: the cursor kept within 3 pixels of where it was.
  EXPECT_EQ(DT().klip, (RECT{kX + foer.x, kY + foer.y - 3, kX + foer.x + foer.bredde, kY + foer.y + 3}));
}


// ---------------------------------------------------------------------------
// Closing

class ElementCelleLuk : public ElementTest {
 protected:
  void KlikLuk(const ElementCelle &c) {
    NytKlik();
    const POINT p = tavo::test::ScreenPoint(c.hwndLuk, 6, 6);
    tavo::test::Click(p.x, p.y);
    PumpUntilIdle();
  }
  static const DivideStruct *DS(HWND h) {
    return reinterpret_cast<const DivideStruct *>(GetWindowLongPtrA(h, GWLP_USERDATA));
  }
  static std::vector<uint32_t> Arter(int d, int s) {
    std::vector<uint32_t> v;
    for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) v.push_back(+Celle(d, s, k).Art);
    return v;
  }
};

TEST_F(ElementCelleLuk, TheCloseButtonRemovesItsCellAndTellsTheMainWindow) {
  for (uint32_t art : {40001u, 40002u, 40003u}) Dok(150, 100, 0, "Kalender", art);
  const HWND element = Celle(0, 0, 1).hwndElement, objekt = Celle(0, 0, 1).hwndObjekt;
  const HWND sidste = Celle(0, 0, 2).hwndElement, sidsteDeler = Celle(0, 0, 2).hwndDivider;
  Elm().hoved.clear();
  KlikLuk(Celle(0, 0, 1));
  ASSERT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_LUKKET}));
  EXPECT_EQ(Elm().hoved[0].l, (LPARAM)objekt);
  EXPECT_FALSE(IsWindow(element));
  EXPECT_FALSE(IsWindow(objekt));
  // The last cell moved down a slot with its window and divider.
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{40001, 40003}));
  EXPECT_EQ(+Celle(0, 0, 1).hwndElement, sidste);
  EXPECT_EQ(+Celle(0, 0, 1).hwndDivider, sidsteDeler);
  EXPECT_EQ(DS(sidsteDeler)->Nr, 1u);
  EXPECT_EQ(+Celle(0, 0, 2).hwndElement, (HWND)0);
  EXPECT_EQ(Form(), "0:154/2 1: 2: 3:");
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleLuk, ClosingTheOnlyCellOfSection0MovesSection1ToTheEdge) {
  Dok(300, 400, 2, "Aktivitetsskema");
  Dok(250, 350, 2, "LærerSkema");
  ASSERT_EQ(Form(), "0: 1: 2:304/1,254/1 3:");
  const HWND inderst = Celle(2, 1, 0).hwndElement;
  const HWND gamleDelere[] = {Sektion(2, 0).hwndDivider, Sektion(2, 1).hwndDivider, Celle(2, 1, 0).hwndDivider};
  const int arealer = Elm().frieArealer;
  KlikLuk(Celle(2, 0, 0));
  EXPECT_EQ(Form(), "0: 1: 2:254/1 3:");
  EXPECT_EQ(+Celle(2, 0, 0).hwndElement, inderst);
  EXPECT_EQ(std::string(Celle(2, 0, 0).Titel), "LærerSkema");
  EXPECT_EQ(+Celle(2, 0, 0).Sektion, 0u);
  EXPECT_EQ(IHoved(inderst), (Plads{1, 1, 254, 697}));
  for (HWND h : gamleDelere) EXPECT_FALSE(IsWindow(h));
  // New dividers for section 0, telling their place.
  const DivideStruct *sek = DS(Sektion(2, 0).hwndDivider), *celle = DS(Celle(2, 0, 0).hwndDivider);
  ASSERT_TRUE(sek && celle);
  EXPECT_EQ((std::vector<uint32_t>{sek->Art, sek->Desk, sek->Sektion, sek->Nr}), (std::vector<uint32_t>{1, 2, 0, 0}));
  EXPECT_EQ((std::vector<uint32_t>{celle->Art, celle->Desk, celle->Sektion, celle->Nr}),
            (std::vector<uint32_t>{2, 2, 0, 0}));
  // The horizontal desks run from the new edge of desk 2.
  EXPECT_EQ(+DeskTab[1].Laengde, 997 - 256);
  EXPECT_GT(Elm().frieArealer, arealer);
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleLuk, ClosingAKindClosesAdjacentCellsAndTheOneInTheOtherSection) {
  const uint32_t A = 40176, Bk = 40223;
  for (uint32_t art : {A, A, Bk, Bk, Bk, A}) Dok(150, 100, 0, "Celle", art);
  ASSERT_EQ(Form(), "0:154/5,154/1 1: 2: 3:");
  Elm().hoved.clear();
  CloseElementsOfKind(A);
  PumpUntilIdle();
  EXPECT_EQ(Form(), "0:154/3 1: 2: 3:");
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{Bk, Bk, Bk}));
  EXPECT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_LUKKET, ELEMENT_LUKKET, ELEMENT_LUKKET, ELEMENT_FJERN}));
  EXPECT_EQ(Placeret(), "");
  // A kind with no cell changes nothing but still tells the main window.
  Elm().hoved.clear();
  CloseElementsOfKind(A);
  EXPECT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_FJERN}));
  EXPECT_EQ(Form(), "0:154/3 1: 2: 3:");
}

TEST_F(ElementCelleLuk, CloseAllElementsEmptiesTheLayoutAndTheBroadcastsNoLongerReachIt) {
  Dok(150, 100, 0, "Kalender");
  Dok(150, 100, 0, "Aktuel");
  Dok(200, 60, 1, "Opgørelse");
  Dok(150, 300, 2, "Aktivitetsskema");
  Dok(200, 60, 3, "H U S K  ! ! !");
  std::vector<HWND> elementer;
  for (const ElementCelle &c : ElementTab)
    if (c.hwndElement) elementer.push_back(+c.hwndElement);
  ASSERT_EQ(elementer.size(), 5u);
  // A grid window of the open-window list on the desktop.
  wfb_test::GitterParam p{&Elm().navne, true, 0, nullptr, nullptr, nullptr, {}};
  p.oensker.iListe = true;
  HWND listet = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, desktop, 0, 0, &p);
  ASSERT_EQ(VinduesListeAntal(), 1);

  // The element windows hear a broadcast first, each passing it to its
  // object window, which is not in the open-window list.
  const UINT kUdsendt = 1122;
  tavo::test::StartMessageLog();
  SendTilAlleVinduer(kUdsendt, 0, 0, 0);
  std::vector<HWND> modtagere;
  for (const tavo::test::LoggedMessage &m : tavo::test::StopMessageLog())
    if (m.msg == kUdsendt) modtagere.push_back(m.hwnd);
  std::vector<HWND> forventet;
  for (HWND el : elementer) {
    forventet.push_back(el);
    for (const ElementCelle &c : ElementTab)
      if (c.hwndElement == el) forventet.push_back(+c.hwndObjekt);
  }
  forventet.push_back(listet);
  EXPECT_EQ(modtagere, forventet);

  Elm().hoved.clear();
  CloseAllElements();
  PumpUntilIdle();
  EXPECT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_FJERN}));
  EXPECT_EQ(CountElements(), 0);
  EXPECT_EQ(Form(), "0: 1: 2: 3:");
  for (const DeskRec &d : DeskTab) EXPECT_EQ(d.Laengde, 0);
  for (HWND h : elementer) EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(GetWindow(hoved, GW_CHILD), desktop);
  EXPECT_EQ(GetWindow(desktop, GW_HWNDNEXT), (HWND)0);
  tavo::test::StartMessageLog();
  SendTilAlleVinduer(kUdsendt, 0, 0, 0);
  modtagere.clear();
  for (const tavo::test::LoggedMessage &m : tavo::test::StopMessageLog())
    if (m.msg == kUdsendt) modtagere.push_back(m.hwnd);
  EXPECT_EQ(modtagere, (std::vector<HWND>{listet}));
  // Nothing to close: nothing is said.
  Elm().hoved.clear();
  CloseAllElements();
  EXPECT_TRUE(Elm().hoved.empty());
}

TEST_F(ElementCelleLuk, ClosingAllWindowsEmptiesTheLayoutToo) {
  Dok(150, 100, 0, "Kalender");
  Dok(200, 60, 3, "Aktuel");
  Elm().hoved.clear();
  LukAlleVinduer();
  EXPECT_EQ(CountElements(), 0);
  EXPECT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_FJERN}));
  EXPECT_EQ(Form(), "0: 1: 2: 3:");
}

// ---------------------------------------------------------------------------
// Maximise and restore

class ElementCelleStoerrelse : public ElementTest {
 protected:
  // Three cells of desk 0 that want 319 each, fitted to 319, 255 and 119.
  void TreCeller() {
    for (int i = 0; i < 3; ++i) Dok(150, 100, 0, "Kalender");
    for (int k = 0; k < 3; ++k) {
      Celle(0, 0, k).IndholdLangs = 300;
      Celle(0, 0, k).Laengde = 119;
    }
    FitDeskCells(0);
    PlaceDesk(0);
    ASSERT_EQ(Laengder(0, 0), (std::vector<int32_t>{319, 255, 119}));
  }
  // Clicks the size button and says how far the cursor was moved along.
  int KlikStr(int d, int s, int k) {
    NytKlik();
    const POINT p = tavo::test::ScreenPoint(Celle(d, s, k).hwndStr, 6, 6);
    tavo::test::Click(p.x, p.y);
    PumpUntilIdle();
    POINT nu;
    GetCursorPos(&nu);
    EXPECT_EQ(nu.x, p.x);
    return nu.y - p.y;
  }
  static uint32_t Billede(HWND knap) {
    const BWS *b = reinterpret_cast<const BWS *>(GetWindowLongPtrA(knap, GWLP_USERDATA));
    return b ? b->style & NYB_KAPTION_MASKE : 0;
  }
};

TEST_F(ElementCelleStoerrelse, TheSizeButtonMaximisesACellAndMovesTheCursorAlong) {
  // Full length is content + 15 = 315.
  struct Tilfaelde {
    int k;
    std::vector<int32_t> laengder;
    int flyttet;
  };
  const Tilfaelde tilfaelde[] = {
      // A middle cell takes from the cells after it.
      {1, {319, 315, 59}, 0},
      // The last cell: the others fit into 697 - 315 - 2, its start moves up.
      {2, {319, 59, 315}, -196},
      // The first cell has more than its full length already: all share.
      {0, {233, 230, 230}, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    TreCeller();
    EXPECT_EQ(KlikStr(0, 0, t.k), t.flyttet) << "cell " << t.k;
    EXPECT_EQ(Laengder(0, 0), t.laengder) << "cell " << t.k;
    EXPECT_EQ(Placeret(), "") << "cell " << t.k;
    for (int k = 0; k < 3; ++k)
      EXPECT_EQ(Billede(Celle(0, 0, k).hwndStr), Celle(0, 0, k).Laengde == 315 ? 0x3000u : 0x4000u) << t.k << k;
    CloseAllElements();
  }
}

TEST_F(ElementCelleStoerrelse, ASecondClickRestoresAnEvenShare) {
  TreCeller();
  KlikStr(0, 0, 1);
  ASSERT_EQ(Laengder(0, 0), (std::vector<int32_t>{319, 315, 59}));
  // (697 - 6 + 2) / 3 - 1 = 230 each, the 3 left over to the first cell;
  // cell 1 starts at 236 instead of 322.
  EXPECT_EQ(KlikStr(0, 0, 1), -86);
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{233, 230, 230}));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleStoerrelse, AMiddleCellOfFourTakesExactlyTheRoomTheOthersLeave) {
  for (int i = 0; i < 4; ++i) Dok(150, 100, 0, "Kalender");
  for (int k = 0; k < 4; ++k) {
    Celle(0, 0, k).IndholdLangs = 300;
    Celle(0, 0, k).Laengde = 119;
  }
  FitDeskCells(0);
  PlaceDesk(0);
  ASSERT_EQ(Laengder(0, 0), (std::vector<int32_t>{319, 134, 119, 119}));
  // Cells 2 and 3 give 105 and 76; cell 1 gets the desk less the others and
  // the three dividers, which is its full length.
  KlikStr(0, 0, 1);
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{319, 315, 14, 43}));
  EXPECT_EQ(319 + 315 + 14 + 43 + 3 * 2, 697);
  EXPECT_EQ(Billede(Celle(0, 0, 1).hwndStr), 0x3000u);
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleStoerrelse, NothingChangesWhenTheCellsFitOrAreAlone) {
  Dok(150, 100, 0, "Kalender");
  Dok(150, 100, 0, "Aktuel");
  Dok(150, 300, 2, "Aktivitetsskema");
  EXPECT_EQ(KlikStr(0, 0, 0), 0);
  EXPECT_EQ(KlikStr(2, 0, 0), 0);
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{119, 119}));
  EXPECT_EQ(Laengder(2, 0), (std::vector<int32_t>{319}));
}

// ---------------------------------------------------------------------------
// Dragging a cell

// The cursors the element window shows while it is dragged.
std::vector<HCURSOR> &Markoerer() {
  static std::vector<HCURSOR> v;
  return v;
}
// Points the cursor goes to one by one, each once the last was seen, so
// that none is merged with the next; then the button goes up.
std::vector<POINT> &Vej() {
  static std::vector<POINT> v;
  return v;
}
WNDPROC EgenElementProc = nullptr;
LRESULT CALLBACK ElementOmslag(HWND h, UINT m, WPARAM w, LPARAM l) {
  const LRESULT r = CallWindowProcA(EgenElementProc, h, m, w, l);
  if (m == WM_MOVING) {
    Markoerer().push_back(GetCursor());
    if (!Vej().empty()) {
      const POINT p = Vej().front();
      Vej().erase(Vej().begin());
      tavo::test::MouseMove(p.x, p.y);
      if (Vej().empty()) tavo::test::MouseUp(0, p.x, p.y);
    }
  }
  return r;
}

class ElementCelleTraek : public ElementTest {
 protected:
  // Takes the cell by its band and drops it at (x, y) of the main window.
  void Traek(HWND element, int x, int y) {
    NytKlik();
    const ElementCelle *c = nullptr;
    for (const ElementCelle &e : ElementTab)
      if (e.hwndElement == element) c = &e;
    ASSERT_TRUE(c);
    const POINT fra = tavo::test::ScreenPoint(element, LodretDesk((int)c->Desk) ? 40 : 8,
                                              LodretDesk((int)c->Desk) ? 8 : 45);
    Markoerer().clear();
    Vej().clear();
    EgenElementProc = (WNDPROC)SetWindowLongPtrA(element, GWLP_WNDPROC, (LONG_PTR)ElementOmslag);
    tavo::test::Drag(fra.x, fra.y, kX + x, kY + y, 4);
    PumpUntilIdle();
    if (IsWindow(element)) SetWindowLongPtrA(element, GWLP_WNDPROC, (LONG_PTR)EgenElementProc);
  }
  static std::vector<uint32_t> Arter(int d, int s) {
    std::vector<uint32_t> v;
    for (int k = 0; k < Sektion(d, s).AntalCeller; ++k) v.push_back(+Celle(d, s, k).Art);
    return v;
  }
  static HCURSOR Pil() { return LoadCursorA(0, IDC_ARROW); }
  static HCURSOR Forbudt() { return LoadCursorA(0, IDC_NO); }
};

TEST_F(ElementCelleTraek, WithinItsSectionToAnotherIndex) {
  for (uint32_t art : {1u, 2u, 3u}) Dok(150, 100, 0, "Celle", art);
  // Onto the last cell (y 243 on), in section 0 (x 844 on).
  Traek(Celle(0, 0, 0).hwndElement, 894, 400);
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{2, 3, 1}));
  EXPECT_EQ(Laengder(0, 0), (std::vector<int32_t>{119, 119, 119}));
  EXPECT_EQ(Markoerer().back(), Pil());
  EXPECT_EQ(Placeret(), "");
  // Onto its own place: nothing moves.
  Traek(Celle(0, 0, 1).hwndElement, 894, 180);
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{2, 3, 1}));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleTraek, ToTheOtherSectionOfItsDesk) {
  for (uint32_t art : {1u, 2u, 3u, 4u, 5u, 6u}) Dok(150, 100, 0, "Celle", art);
  ASSERT_EQ(Form(), "0:154/5,154/1 1: 2: 3:");
  // Section 1 lies at x 688 - 841; above the middle of its one cell.
  Traek(Celle(0, 0, 0).hwndElement, 760, 300);
  EXPECT_EQ(Form(), "0:154/4,154/2 1: 2: 3:");
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{2, 3, 4, 5}));
  EXPECT_EQ(Arter(0, 1), (std::vector<uint32_t>{1, 6}));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleTraek, ToANewSectionOfItsDesk) {
  Dok(150, 100, 0, "Celle", 1);
  Dok(150, 100, 0, "Celle", 2);
  // The inner 16 pixels of the zone: 148 to 163 from the right edge.
  Traek(Celle(0, 0, 1).hwndElement, 997 - 155, 300);
  EXPECT_EQ(Form(), "0:154/1,154/1 1: 2: 3:");
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Arter(0, 1), (std::vector<uint32_t>{2}));
  EXPECT_EQ(Placeret(), "");
  // Back to the edge: its old section 0 moves inside.
  Traek(Celle(0, 1, 0).hwndElement, 997 - 3, 300);
  EXPECT_EQ(Form(), "0:154/1,154/1 1: 2: 3:");
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{2}));
  EXPECT_EQ(Arter(0, 1), (std::vector<uint32_t>{1}));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleTraek, ToAnotherDeskTheCellTurns) {
  Dok(150, 100, 0, "Celle", 1);
  Dok(150, 100, 0, "Celle", 2);
  Dok(900, 60, 1, "Opgørelse", 3);
  ASSERT_EQ(+DeskTab[1].Laengde, 841);
  ASSERT_EQ(Laengder(1, 0), (std::vector<int32_t>{841}));
  // Into desk 1's section before its cell: along and across change places
  // and the cell starts at its new content along + 17; the desk's last cell
  // gives up the room.
  Traek(Celle(0, 0, 0).hwndElement, 100, 697 - 40);
  EXPECT_EQ(Form(), "0:154/1 1:64/2 2: 3:");
  EXPECT_EQ(Arter(1, 0), (std::vector<uint32_t>{1, 3}));
  EXPECT_EQ(+Celle(1, 0, 0).IndholdLangs, 150);
  EXPECT_EQ(+Celle(1, 0, 0).IndholdTvaers, 100);
  EXPECT_EQ(Laengder(1, 0), (std::vector<int32_t>{167, 672}));
  EXPECT_EQ(Placeret(), "");
  // To desk 3, which has no section: a new one, as thick as the content
  // across + 2, the cell fitted up to what it wants.
  Traek(Celle(0, 0, 0).hwndElement, 400, 8);
  EXPECT_EQ(Form(), "0: 1:64/2 2: 3:102/1");
  EXPECT_EQ(+Celle(3, 0, 0).Art, 2u);
  EXPECT_EQ(+Celle(3, 0, 0).IndholdLangs, 150);
  EXPECT_EQ(Laengder(3, 0), (std::vector<int32_t>{169}));
  // The vertical desk is gone: the horizontal ones run the whole width.
  EXPECT_EQ(+DeskTab[1].Laengde, 997);
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleTraek, OntoAFullSectionOrNowhereTheCellSpringsBack) {
  for (uint32_t art : {1u, 2u, 3u, 4u, 5u}) Dok(150, 100, 0, "Celle", art);
  Dok(150, 300, 2, "Aktivitetsskema", 9);
  const std::string form = Form();
  const HWND skema = Celle(2, 0, 0).hwndElement;
  Traek(skema, 900, 400);
  EXPECT_EQ(Markoerer().back(), Forbudt());
  EXPECT_EQ(Form(), form);
  EXPECT_EQ(IHoved(skema), CellePlads(2, 0, 0));
  // The free middle is no zone.
  Traek(skema, 500, 350);
  EXPECT_EQ(Markoerer().back(), Forbudt());
  EXPECT_EQ(Form(), form);
  EXPECT_EQ(IHoved(skema), CellePlads(2, 0, 0));
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleTraek, WithinItsOwnFullSectionTheArrowStaysAfterALeftZone) {
  for (uint32_t art : {1u, 2u, 3u, 4u, 5u}) Dok(150, 100, 0, "Celle", art);
  NytKlik();
  const POINT fra = tavo::test::ScreenPoint(Celle(0, 0, 0).hwndElement, 40, 8);
  Markoerer().clear();
  EgenElementProc = (WNDPROC)SetWindowLongPtrA(Celle(0, 0, 0).hwndElement, GWLP_WNDPROC, (LONG_PTR)ElementOmslag);
  // Out into the free middle and back onto cell 3.
  Vej() = {POINT{kX + 500, kY + 300}, POINT{kX + 894, kY + 400}};
  tavo::test::MouseMove(fra.x, fra.y);
  tavo::test::MouseDown(0, fra.x, fra.y);
  tavo::test::MouseMove(fra.x - 10, fra.y);
  PumpUntilIdle();
  EXPECT_EQ(Markoerer(), (std::vector<HCURSOR>{Pil(), Forbudt(), Pil()}));
  EXPECT_EQ(Arter(0, 0), (std::vector<uint32_t>{2, 3, 4, 1, 5}));
  EXPECT_EQ(Placeret(), "");
}

// The tables alone: desk d with sections of the thicknesses and cell counts.
void Model(int d, std::vector<std::pair<int32_t, int>> sektioner) {
  DeskTab[d].AntalSektioner = (int32_t)sektioner.size();
  for (size_t s = 0; s < sektioner.size(); ++s)
    Sektion(d, (int)s) = SectionRec{(uint32_t)d, (uint32_t)s, sektioner[s].first, 0, sektioner[s].second};
  BeregnDeskLaengder();
}

TEST_F(ElementCelleTraek, DropZonePartsForEachCase) {
  struct Tilfaelde {
    const char *navn;
    std::vector<std::pair<int32_t, int>> sektioner;  // thickness, cells
    int kildeDesk, kildeSektion;
    std::vector<int32_t> dele;
  };
  const Tilfaelde tilfaelde[] = {
      {"no section", {}, 2, 0, {20, 0, 0, 0, 0}},
      {"one section, the dragged cell alone in it", {{154, 1}}, 0, 0, {0, 156, 0, 0, 0}},
      {"one section thinner than 35", {{30, 2}}, 0, 0, {7, 16, 16, 0, 0}},
      {"one section from 35", {{154, 2}}, 0, 0, {20, 127, 16, 0, 0}},
      {"one section from another desk", {{154, 1}}, 2, 0, {20, 127, 16, 0, 0}},
      {"one section thinner than its parts", {{10, 2}}, 0, 0, {7, 0, 16, 0, 0}},
      {"two, the dragged cell alone in section 0", {{154, 1}, {100, 3}}, 0, 0, {0, 156, 0, 93, 16}},
      {"two, alone in section 1, section 0 below 26", {{20, 3}, {100, 1}}, 0, 1, {7, 15, 0, 102, 0}},
      {"two, alone in section 1", {{154, 3}, {100, 1}}, 0, 1, {20, 136, 0, 102, 0}},
      {"two sections", {{154, 3}, {100, 2}}, 0, 1, {0, 156, 0, 102, 0}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    Tom();
    Model(0, t.sektioner);
    int32_t dele[5];
    DropZoneRect(0, t.kildeDesk, t.kildeSektion, dele);
    EXPECT_EQ(std::vector<int32_t>(dele, dele + 5), t.dele) << t.navn;
  }
  // The zone is a band of the parts' width along each desk's edge, the
  // horizontal desks starting after desk 2's sections.
  Tom();
  Model(0, {{154, 2}});
  Model(2, {{100, 2}});
  Model(1, {{64, 2}});
  int32_t dele[5];
  EXPECT_EQ(DropZoneRect(0, 3, 0, dele), (RECT{997 - 163, 1, 998, 698}));
  EXPECT_EQ(DropZoneRect(2, 3, 0, dele), (RECT{1, 1, 1 + 109 + 1, 698}));
  EXPECT_EQ(DropZoneRect(1, 3, 0, dele), (RECT{103, 697 - 73, 103 + 997 - 258, 698}));
  EXPECT_EQ(DropZoneRect(3, 0, 0, dele), (RECT{103, 1, 103 + 997 - 258, 1 + 20 + 1}));
}

// ---------------------------------------------------------------------------
// Activation

class ElementCelleAktiv : public ElementTest {
 protected:
  void KlikIObjekt(HWND objekt) {
    NytKlik();
    const POINT p = tavo::test::ScreenPoint(G(objekt)->ens.hwndCeller, 5, 5);
    tavo::test::Click(p.x, p.y);
    PumpUntilIdle();
  }
};

TEST_F(ElementCelleAktiv, AClickInADockedWindowAsksTheMainWindowAndPaintsTheBandActive) {
  const HWND el = Dok(150, 100, 0, "Kalender");
  Dok(150, 100, 2, "Aktuel");
  const HWND objekt = Celle(0, 0, 0).hwndObjekt;
  ASSERT_TRUE(objekt && G(objekt)->ens.hwndCeller);
  const COLORREF aktiv = GetSysColor(COLOR_ACTIVECAPTION), inaktiv = GetSysColor(COLOR_INACTIVECAPTION);
  EXPECT_EQ(tavo::test::WindowPixel(el, 4, 8), inaktiv);

  // The main window says no: nothing becomes active.
  Elm().aktivSvar = 0;
  Elm().hoved.clear();
  KlikIObjekt(objekt);
  EXPECT_EQ(HovedBeskeder(), (std::vector<UINT>{ENS_HJUL}));
  EXPECT_EQ(+Celle(0, 0, 0).Aktiv, 0);

  Elm().aktivSvar = 1;
  Elm().hoved.clear();
  KlikIObjekt(objekt);
  ASSERT_EQ(HovedBeskeder(), (std::vector<UINT>{ENS_HJUL, ELEMENT_DOKKET_AKTIV}));
  EXPECT_EQ(Elm().hoved[1].w, 0u);  // the desk
  EXPECT_EQ(Elm().hoved[1].l, (LPARAM)objekt);
  EXPECT_EQ(+Celle(0, 0, 0).Aktiv, 1);
  EXPECT_EQ(tavo::test::WindowPixel(el, 4, 8), aktiv);
  EXPECT_EQ(tavo::test::WindowPixel(Celle(2, 0, 0).hwndElement, 4, 8), inaktiv);

  // Deactivated, the object window tells its element window (1103).
  SendMessageA(objekt, VINDUE_DEAKTIVER, 0, 0);
  EXPECT_EQ(+Celle(0, 0, 0).Aktiv, 0);
  EXPECT_EQ(tavo::test::WindowPixel(el, 4, 8), inaktiv);
}

// ---------------------------------------------------------------------------
// The messages a cell passes on

struct ObjektLog {
  std::vector<Fra> fik;
  LRESULT bredde = 120;
};
ObjektLog &OL() {
  static ObjektLog o;
  return o;
}
LRESULT CALLBACK ObjektProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m >= 1024 && m < 10000) {
    OL().fik.push_back({m, w, l});
    if (m == ENS_BREDDE) return OL().bredde;
    if (m == VINDUE_ART) return 4711;
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

class ElementCelleProtokol : public ElementTest {
 protected:
  void SetUp() override {
    ElementTest::SetUp();
    OL() = ObjektLog{};
    wfb_test::Registrer("ElmObjekt", ObjektProc);
  }
  // A cell with a plain object window that logs what it gets.
  HWND Celle0(int desk) {
    HWND el = CreateElementWnd(150, 100, desk, true, "Celle", 40001);
    HWND obj = CreateWindowExA(0, "ElmObjekt", "", WS_CHILD, 0, 0, 0, 0, el, 0, 0, nullptr);
    SendMessageA(el, ELEMENT_OBJEKT, 0, (LPARAM)obj);
    PumpUntilIdle();
    return el;
  }
};

TEST_F(ElementCelleProtokol, MessagesGoOnToTheMainWindowOrTheObjectWindow) {
  const HWND el = Celle0(0);
  const HWND obj = Celle(0, 0, 0).hwndObjekt;
  EXPECT_TRUE(IsWindowVisible(obj));
  EXPECT_EQ(IHoved(obj).bredde, 150);
  for (UINT m : {ELEMENT_MAA_AKTIVERES, HOVED_INDTAST_LEKTION, ELEMENT_VIDERE_1129, HOVED_INDTAST_DAG}) {
    Elm().hoved.clear();
    SendMessageA(el, m, 7, 0x1234);
    ASSERT_EQ(Elm().hoved.size(), 1u) << m;
    EXPECT_EQ(Elm().hoved[0].msg, m);
    EXPECT_EQ(Elm().hoved[0].w, 7u);
    EXPECT_EQ(Elm().hoved[0].l, 0x1234);
  }
  EXPECT_EQ(SendMessageA(el, VINDUE_ART, 0, 0), 4711);
  SendMessageA(el, BRIKINFO_VIS, 3, 0x55);
  ASSERT_FALSE(OL().fik.empty());
  EXPECT_EQ(OL().fik.back().msg, (UINT)BRIKINFO_VIS);
  EXPECT_EQ(OL().fik.back().w, 3u);
  EXPECT_EQ(OL().fik.back().l, 0x55);
  // A handle that is no window is not taken as the object window.
  SendMessageA(el, ELEMENT_OBJEKT, 0, 0x7FFFFFF0);
  EXPECT_EQ(+Celle(0, 0, 0).hwndObjekt, obj);
}

TEST_F(ElementCelleProtokol, AskingTheWidthAgainThinsTheSectionAndLengthensTheHorizontalDesks) {
  const HWND el = Celle0(0);
  Dok(200, 60, 1, "Opgørelse");
  ASSERT_EQ(+DeskTab[1].Laengde, 997 - 156);
  const int arealer = Elm().frieArealer;
  SendMessageA(el, ELEMENT_NY_BREDDE, 0, 0);
  ASSERT_FALSE(OL().fik.empty());
  EXPECT_EQ(OL().fik.back().msg, (UINT)ENS_BREDDE);
  EXPECT_EQ(OL().fik.back().w, 2147483647u);
  EXPECT_EQ(+Celle(0, 0, 0).IndholdTvaers, 120);
  EXPECT_EQ(Form(), "0:124/1 1:64/1 2: 3:");
  EXPECT_EQ(+DeskTab[1].Laengde, 997 - 126);
  EXPECT_EQ(Elm().frieArealer, arealer + 1);
  EXPECT_EQ(Placeret(), "");
  // A width beyond what the screen file takes back is cut.
  OL().bredde = 1 << 20;
  SendMessageA(el, ELEMENT_NY_BREDDE, 0, 0);
  EXPECT_EQ(+Celle(0, 0, 0).IndholdTvaers, kMaksPixel);
  EXPECT_EQ(Form(), "0:124/1 1:64/1 2: 3:");
  // Horizontal desks do not ask.
  const size_t spurgt = OL().fik.size();
  SendMessageA(Celle(1, 0, 0).hwndElement, ELEMENT_NY_BREDDE, 0, 0);
  EXPECT_EQ(+Celle(1, 0, 0).IndholdTvaers, 60);
  EXPECT_EQ(OL().fik.size(), spurgt);
}

TEST_F(ElementCelleProtokol, ACellWithoutObjectWindowAnswersForIt) {
  const HWND el = CreateElementWnd(150, 100, 0, true, "Tom", 40002);
  Dok(150, 100, 0, "Kalender");
  EXPECT_EQ(SendMessageA(el, VINDUE_ART, 0, 0), 0);
  EXPECT_EQ(SendMessageA(el, BRIKINFO_VIS, 1, 2), 0);
  SendMessageA(el, ELEMENT_NY_BREDDE, 0, 0);
  EXPECT_EQ(+Celle(0, 0, 0).IndholdTvaers, 150);
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleProtokol, AClosingObjectWindowIsReportedARemovalWithoutNoticeIsNot) {
  const HWND a = Celle0(0);
  const HWND b = Celle0(0);
  const HWND objA = Celle(0, 0, 0).hwndObjekt;
  Elm().hoved.clear();
  SendMessageA(a, ELEMENT_LUK, 0, 0);
  ASSERT_EQ(HovedBeskeder(), (std::vector<UINT>{ELEMENT_LUKKET}));
  EXPECT_EQ(Elm().hoved[0].l, (LPARAM)objA);
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(+Celle(0, 0, 0).hwndElement, b);
  Elm().hoved.clear();
  SendMessageA(b, ELEMENT_FJERN, 0, 0);
  EXPECT_TRUE(Elm().hoved.empty());
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(Form(), "0: 1: 2: 3:");
}

// ---------------------------------------------------------------------------
// Compacting

class ElementCelleKompakt : public ElementTest {};

TEST_F(ElementCelleKompakt, AlongerDeskTakesTheInnerSectionsCellsIntoTheOuter) {
  for (uint32_t art : {1u, 2u, 3u}) Dok(150, 300, 0, "Celle", art);
  ASSERT_EQ(Form(), "0:154/2,154/1 1: 2: 3:");
  // The shell fits the layout to a taller main window and places it; the
  // cells that grew make room for the inner section's cell.
  LayoutRect = RECT{1, 1, 997, 1000};
  FitElementsToDesk();
  PlaceAllDesks();
  PumpUntilIdle();
  EXPECT_EQ(Form(), "0:154/3 1: 2: 3:");
  EXPECT_EQ(Placeret(), "");
}

TEST_F(ElementCelleKompakt, ClosingACellLetsTheInnerSectionMoveOut) {
  for (uint32_t art : {1u, 2u, 3u, 4u, 5u, 6u}) Dok(150, 100, 0, "Celle", art);
  ASSERT_EQ(Form(), "0:154/5,154/1 1: 2: 3:");
  NytKlik();
  const POINT p = tavo::test::ScreenPoint(Celle(0, 0, 0).hwndLuk, 6, 6);
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(Form(), "0:154/5 1: 2: 3:");
  std::vector<uint32_t> arter;
  for (int k = 0; k < 5; ++k) arter.push_back(+Celle(0, 0, k).Art);
  EXPECT_EQ(arter, (std::vector<uint32_t>{2, 3, 4, 5, 6}));
  EXPECT_EQ(Placeret(), "");
}

// ---------------------------------------------------------------------------
// Painting

class ElementCelleTegning : public ElementTest {
 protected:
  // The texts painted into the element window when it paints again.
  static std::vector<tavo::test::DrawnText> Tegnet(HWND el) {
    tavo::test::ClearDrawnTexts();
    InvalidateRect(el, nullptr, FALSE);
    PumpUntilIdle();
    std::vector<tavo::test::DrawnText> v;
    for (const tavo::test::DrawnText &t : tavo::test::DrawnTexts())
      if (t.hwnd == el) v.push_back(t);
    return v;
  }
};

TEST_F(ElementCelleTegning, TitlesAcrossVerticalCellsAndDownHorizontalOnes) {
  struct Tilfaelde {
    int desk, bredde, hoejde;
    bool titel;
    int x, y;
    const char *skrift;
  };
  const Tilfaelde tilfaelde[] = {
      {0, 150, 100, true, 7, 3, nullptr},
      {2, 14, 100, false, 0, 0, nullptr},  // 18 wide
      {3, 200, 60, true, kB + 2, 33, "Arial"},
      {1, 200, 14, false, 0, 0, nullptr},  // 18 high
  };
  for (const Tilfaelde &t : tilfaelde) {
    const std::string titel = "Celle på desk " + std::to_string(t.desk);
    const HWND el = Dok(t.bredde, t.hoejde, t.desk, titel.c_str());
    const std::vector<tavo::test::DrawnText> tegnet = Tegnet(el);
    if (!t.titel) {
      EXPECT_TRUE(tegnet.empty()) << titel;
      continue;
    }
    ASSERT_EQ(tegnet.size(), 1u) << titel;
    EXPECT_EQ(tegnet[0].text, titel);
    EXPECT_EQ(tegnet[0].x, t.x) << titel;
    EXPECT_EQ(tegnet[0].y, t.y) << titel;
    EXPECT_EQ(tegnet[0].text_color, GetSysColor(COLOR_INACTIVECAPTIONTEXT)) << titel;
    if (t.skrift) {
      EXPECT_EQ(tegnet[0].face, t.skrift) << titel;
    }
  }
}

TEST_F(ElementCelleTegning, BandRingAndUncoveredInteriorInTheirColours) {
  const HWND lodret = CreateElementWnd(150, 100, 0, true, "Uden vindue", 40001);
  const HWND vandret = Dok(200, 60, 3, "Aktuel");
  // With no object window to announce itself the cell is placed by hand.
  PlaceDesk(0);
  PumpUntilIdle();
  const COLORREF baand = GetSysColor(COLOR_INACTIVECAPTION), grund = FarveTab[0];
  struct Punkt {
    HWND el;
    int x, y;
    COLORREF farve;
  };
  const Punkt punkter[] = {
      {lodret, 4, 8, baand},       {lodret, 1, 1, grund},        {lodret, 5, kB + 2, grund},
      {lodret, 60, 60, grund},     {lodret, 152, 60, grund},     {vandret, 8, 40, baand},
      {vandret, kB + 2, 40, grund}, {vandret, 100, 1, grund},
  };
  for (const Punkt &p : punkter)
    EXPECT_EQ(tavo::test::WindowPixel(p.el, p.x, p.y), p.farve) << (p.el == lodret ? "vertical " : "horizontal ")
                                                                 << p.x << "," << p.y;
}

TEST_F(ElementCelleTegning, ASectionThinnerThan31HasTheCloseButtonOnly) {
  const HWND el = Dok(200, 20, 3, "Tynd");
  ASSERT_EQ(Form(), "0: 1: 2: 3:24/1");
  const ElementCelle &c = Celle(3, 0, 0);
  EXPECT_TRUE(IsWindowVisible(c.hwndLuk));
  const Plads luk = IHoved(c.hwndLuk), str = IHoved(c.hwndStr);
  EXPECT_EQ(luk.bredde, 12);
  EXPECT_EQ(luk.hoejde, 12);
  EXPECT_EQ(str.bredde, 0);
  EXPECT_EQ(str.hoejde, 0);
  // Where the size button would stand the band shows.
  EXPECT_EQ(tavo::test::WindowPixel(el, 8, 20), GetSysColor(COLOR_INACTIVECAPTION));
}

TEST_F(ElementCelleTegning, ALayoutOnAllFourDesksPhotographed) {
  RegistrerKnapBilleder();
  Dok(150, 100, 0, "Kalender");
  Dok(150, 100, 0, "H U S K  ! ! !");
  Dok(120, 100, 0, "Aktuel");
  Dok(300, 500, 2, "Aktivitetsskema");
  Dok(200, 60, 1, "Opgørelse");
  Dok(250, 60, 1, "TimeOpg");
  Dok(300, 40, 3, "PlanOpg");
  // The schedule is the active one.
  SendMessageA(Celle(2, 0, 0).hwndObjekt, VINDUE_AKTIVER, 1, 0);
  SendMessageA(desktop, WM_PAINT, 0, 0);
  PumpUntilIdle();
  EXPECT_EQ(Placeret(), "");
  const std::string fil = std::string(TAVO_BINARY_DIR) + "/elementcelle_layout.png";
  EXPECT_TRUE(tavo::test::SaveWindowPng(hoved, fil.c_str()));
}

}  // namespace
