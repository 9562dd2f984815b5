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

}  // namespace
