// Window arrangement over the desktop's free area, the sizing limits and the
// window key commands, with grid windows on the test desktop. The cells of
// each arrangement are worked out by hand.

#include <vector>

#include "ARRANGER.h"
#include "skrivebord_support.h"

namespace {

using namespace wfb_test;
using tavo::test::PumpUntilIdle;

RECT R(int x, int y, int b, int h) { return RECT{x, y, x + b, y + h}; }

class Arrangering : public SkrivebordTest {
 protected:
  // n windows; the list then holds them front to back as returned.
  std::vector<HWND> Vinduer(int n, GitterOenske o = {}) {
    std::vector<HWND> v;
    for (int i = 0; i < n; ++i) v.insert(v.begin(), Vindue(10 + 5 * i, 10 + 5 * i, 200, 150, o));
    EXPECT_EQ(Liste(), v);
    return v;
  }
  void Luk(const std::vector<HWND> &v) {
    for (HWND h : v) DestroyWindow(h);
    PumpUntilIdle();
  }
  void Areal(int b, int h) { FriArealRect = RECT{0, 0, b - 1, h - 1}; }
  // The children of the desktop from the top of the z-order down.
  std::vector<HWND> ZOrden() {
    std::vector<HWND> v;
    for (HWND h = GetWindow(desktop, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
    return v;
  }
};

TEST_F(Arrangering, CascadeFromTheBackStartsAgainWhenTheNextWouldNotFit) {
  // 200 x 180: each step is caption 19 + 3 = 22; a third step would leave
  // x + 150 > 200.
  Areal(200, 180);
  std::vector<HWND> v = Vinduer(5);
  ArrangerKaskade(0, 0, 199, 179);
  const RECT forventet[5] = {R(22, 22, 178, 158), R(0, 0, 200, 180), R(44, 44, 156, 136), R(22, 22, 178, 158),
                             R(0, 0, 200, 180)};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Plads(v[i]), forventet[i]) << "window " << i + 1 << " from the front";
  EXPECT_EQ(ZOrden(), v);  // the front window ends on top
}

TEST_F(Arrangering, CascadeKeepsSmallerWantsAndRestoresMinimisedWindows) {
  GitterOenske lille{};
  lille.bredde = 120;
  lille.hoejde = 90;
  Areal(800, 600);
  std::vector<HWND> v = Vinduer(2, lille);
  SendMessageA(v[0], NYB_KLIK, NYB_MINIMER, 0);
  // The minimised window handed the activation on; the list order is the test's again.
  VinduesListeTilTop(v[0]);
  ArrangerKaskade(0, 0, 799, 599);
  EXPECT_EQ(Plads(v[1]), R(0, 0, 120, 90));
  EXPECT_EQ(Plads(v[0]), R(22, 22, 120, 90));
  EXPECT_EQ(+G(v[0])->ens.Tilstand, 0);
  EXPECT_EQ(+G(v[0])->ens.MinSlot, 0u);
}

// 800 x 600, windows front to back: the front window takes the top-left cell,
// each column is filled from the top, the last columns hold one more.
TEST_F(Arrangering, ColumnsAndRowsForZeroToEightWindows) {
  struct Tilfaelde {
    bool kolonner;
    int n;
    std::vector<RECT> celler;
  };
  const std::vector<Tilfaelde> tilfaelde = {
      {true, 0, {}},
      {true, 1, {R(0, 0, 800, 600)}},
      {true, 2, {R(0, 0, 400, 600), R(400, 0, 400, 600)}},
      {true, 3, {R(0, 0, 266, 600), R(266, 0, 266, 600), R(532, 0, 268, 600)}},
      {true, 4, {R(0, 0, 400, 300), R(0, 300, 400, 300), R(400, 0, 400, 300), R(400, 300, 400, 300)}},
      {true, 5,
       {R(0, 0, 400, 300), R(0, 300, 400, 300), R(400, 0, 400, 200), R(400, 200, 400, 200),
        R(400, 400, 400, 200)}},
      {true, 6,
       {R(0, 0, 266, 300), R(0, 300, 266, 300), R(266, 0, 266, 300), R(266, 300, 266, 300),
        R(532, 0, 268, 300), R(532, 300, 268, 300)}},
      {true, 7,
       {R(0, 0, 266, 300), R(0, 300, 266, 300), R(266, 0, 266, 300), R(266, 300, 266, 300),
        R(532, 0, 268, 200), R(532, 200, 268, 200), R(532, 400, 268, 200)}},
      {true, 8,
       {R(0, 0, 200, 300), R(0, 300, 200, 300), R(200, 0, 200, 300), R(200, 300, 200, 300),
        R(400, 0, 200, 300), R(400, 300, 200, 300), R(600, 0, 200, 300), R(600, 300, 200, 300)}},
      {false, 0, {}},
      {false, 1, {R(0, 0, 800, 600)}},
      {false, 2, {R(0, 0, 800, 300), R(0, 300, 800, 300)}},
      {false, 3, {R(0, 0, 800, 200), R(0, 200, 800, 200), R(0, 400, 800, 200)}},
      {false, 4, {R(0, 0, 400, 300), R(0, 300, 400, 300), R(400, 0, 400, 300), R(400, 300, 400, 300)}},
      {false, 5,
       {R(0, 0, 400, 300), R(0, 300, 400, 300), R(400, 0, 400, 200), R(400, 200, 400, 200),
        R(400, 400, 400, 200)}},
      {false, 6,
       {R(0, 0, 400, 200), R(0, 200, 400, 200), R(0, 400, 400, 200), R(400, 0, 400, 200),
        R(400, 200, 400, 200), R(400, 400, 400, 200)}},
      {false, 7,
       {R(0, 0, 400, 200), R(0, 200, 400, 200), R(0, 400, 400, 200), R(400, 0, 400, 150),
        R(400, 150, 400, 150), R(400, 300, 400, 150), R(400, 450, 400, 150)}},
      {false, 8,
       {R(0, 0, 400, 150), R(0, 150, 400, 150), R(0, 300, 400, 150), R(0, 450, 400, 150),
        R(400, 0, 400, 150), R(400, 150, 400, 150), R(400, 300, 400, 150), R(400, 450, 400, 150)}},
  };
  Areal(800, 600);
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << (t.kolonner ? "columns, " : "rows, ") << t.n << " windows");
    std::vector<HWND> v = Vinduer(t.n);
    if (t.kolonner)
      ArrangerFlereKolonner(0, 0, 799, 599);
    else
      ArrangerFlereRaekker(0, 0, 799, 599);
    for (int i = 0; i < t.n; ++i) EXPECT_EQ(Plads(v[i]), t.celler[i]) << "window " << i + 1 << " from the front";
    Luk(v);
  }
}

// Cells never smaller than 150 x 100: they overlap evenly instead, and a
// single row or column that does not fit starts at the edge.
TEST_F(Arrangering, TooSmallAreasOverlapAndOneRowDoesNotDivideByZero) {
  struct Tilfaelde {
    const char *hvad;
    bool kolonner;
    int n, b, h;
    std::vector<RECT> celler;
  };
  const std::vector<Tilfaelde> tilfaelde = {
      {"one row on an 80-pixel-high desktop", true, 2, 800, 80, {R(0, 0, 400, 100), R(400, 0, 400, 100)}},
      {"one column on a 100-pixel-wide desktop", false, 2, 100, 600, {R(0, 0, 150, 300), R(0, 300, 150, 300)}},
      {"two columns on 250 overlap by 50", true, 2, 250, 600, {R(0, 0, 150, 600), R(100, 0, 150, 600)}},
      {"three rows on 251: 49 over two gaps", false, 3, 800, 251,
       {R(0, 0, 800, 100), R(0, 75, 800, 100), R(0, 151, 800, 100)}},
      {"a column of three in 250", true, 5, 800, 250,
       {R(0, 0, 400, 125), R(0, 125, 400, 125), R(400, 0, 400, 100), R(400, 75, 400, 100),
        R(400, 150, 400, 100)}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    Areal(t.b, t.h);
    std::vector<HWND> v = Vinduer(t.n);
    if (t.kolonner)
      ArrangerFlereKolonner(0, 0, t.b - 1, t.h - 1);
    else
      ArrangerFlereRaekker(0, 0, t.b - 1, t.h - 1);
    for (int i = 0; i < t.n; ++i) EXPECT_EQ(Plads(v[i]), t.celler[i]) << "window " << i + 1 << " from the front";
    Luk(v);
  }
}

TEST_F(Arrangering, SmallerWantsKeepTheirSizeAndMinimisedWindowsAreRestoredIntoTheirCell) {
  GitterOenske lille{};
  lille.bredde = 100;
  lille.hoejde = 80;
  Areal(800, 600);
  std::vector<HWND> v = Vinduer(3);
  std::vector<HWND> smaa = {Vindue(50, 50, 200, 150, lille)};
  v.insert(v.begin(), smaa[0]);  // front: the small one, then the three
  SendMessageA(v[2], NYB_KLIK, NYB_MINIMER, 0);
  ASSERT_EQ(+G(v[2])->ens.Tilstand, 2);
  // The minimise moved the activation; the list order is the test's again.
  for (auto it = v.rbegin(); it != v.rend(); ++it) VinduesListeTilTop(*it);
  ArrangerFlereKolonner(0, 0, 799, 599);
  EXPECT_EQ(Plads(v[0]), R(0, 0, 100, 80));
  EXPECT_EQ(Plads(v[1]), R(0, 300, 400, 300));
  EXPECT_EQ(Plads(v[2]), R(400, 0, 400, 300));
  EXPECT_EQ(+G(v[2])->ens.Tilstand, 0);
  EXPECT_EQ(+G(v[2])->ens.MinSlot, 0u);
  EXPECT_EQ(Plads(v[3]), R(400, 300, 400, 300));
}

TEST_F(Arrangering, FitToTheFreeAreaWhereTheWindowStands) {
  Areal(800, 600);
  HWND h = Vindue(100, 50, 200, 150);
  TilpasVindue(h);
  EXPECT_EQ(Plads(h), R(100, 50, 700, 550));

  static std::vector<LPARAM> stoerrelser;
  stoerrelser.clear();
  HWND f = Vindue(120, 40, 200, 150, {}, [](GitterVindue *, HWND, UINT m, WPARAM, LPARAM l) {
    if (m == WM_SIZE) stoerrelser.push_back(l);
    return false;
  });
  stoerrelser.clear();
  TilpasVindueFuld(f);
  ASSERT_FALSE(stoerrelser.empty());
  EXPECT_EQ(stoerrelser[0], MAKELPARAM(800, 600));  // told the whole area first
  EXPECT_EQ(Plads(f), R(120, 40, 680, 560));
}

TEST_F(Arrangering, ToggleMaximisedTwiceComesBackExactly) {
  Areal(800, 600);
  HWND h = Vindue(70, 90, 250, 180);
  RECT gemt = {0, 0, 0, 0};
  EXPECT_TRUE(SkiftMaksimeret(h, &gemt, 1));  // asking only
  EXPECT_EQ(Plads(h), R(70, 90, 250, 180));
  EXPECT_EQ(gemt.right, 0);
  EXPECT_TRUE(SkiftMaksimeret(h, &gemt, KMD_UDFOER));
  EXPECT_EQ(Plads(h), R(0, 0, 800, 600));
  EXPECT_NE(gemt.right, 0);
  EXPECT_EQ(ZOrden().front(), h);
  EXPECT_TRUE(SkiftMaksimeret(h, &gemt, KMD_UDFOER));
  EXPECT_EQ(Plads(h), R(70, 90, 250, 180));
  EXPECT_EQ(gemt.right, 0);
}

// Rectangle 200 x 150 at (100, 100); limits 250..300 wide, 200..250 high for
// a too small one, 100..150 wide, 80..120 high for a too large one.
TEST(ArrangeringSizing, OnlyTheDraggedSidesMove) {
  struct Tilfaelde {
    UINT kant;
    RECT lille, stor;  // results for the too small and the too large rectangle
  } tilfaelde[] = {
      {0, {100, 100, 300, 250}, {100, 100, 300, 250}},
      {WMSZ_LEFT, {50, 100, 300, 250}, {150, 100, 300, 250}},
      {WMSZ_RIGHT, {100, 100, 350, 250}, {100, 100, 250, 250}},
      {WMSZ_TOP, {100, 50, 300, 250}, {100, 130, 300, 250}},
      {WMSZ_TOPLEFT, {50, 50, 300, 250}, {150, 130, 300, 250}},
      {WMSZ_TOPRIGHT, {100, 50, 350, 250}, {100, 130, 250, 250}},
      {WMSZ_BOTTOM, {100, 100, 300, 300}, {100, 100, 300, 220}},
      {WMSZ_BOTTOMLEFT, {50, 100, 300, 300}, {150, 100, 300, 220}},
      {WMSZ_BOTTOMRIGHT, {100, 100, 350, 300}, {100, 100, 250, 220}},
      {9, {100, 100, 300, 250}, {100, 100, 300, 250}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "edge " << t.kant);
    RECT r = {100, 100, 300, 250};
    BegraensSizing(0, t.kant, &r, 250, 300, 200, 250);
    EXPECT_EQ(r, t.lille);
    r = RECT{100, 100, 300, 250};
    BegraensSizing(0, t.kant, &r, 100, 150, 80, 120);
    EXPECT_EQ(r, t.stor);
  }
}

TEST_F(Arrangering, KeyCommandsAskAndExecute) {
  static std::vector<std::pair<UINT, std::pair<WPARAM, LPARAM>>> modtaget;
  auto optag = [](GitterVindue *, HWND, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_RBUTTONDOWN || m == NYB_KLIK || m == ELEMENT_LUK) modtaget.push_back({m, {w, l}});
    return false;
  };
  enum Kmd { HOEJREKLIK, LUK, LUK_I_CELLE, SEND };
  struct Tilfaelde {
    Kmd kmd;
    bool aktiveret;
    int mode;
    bool svar;
    UINT modtaget;  // the message that arrives, 0: none
    bool lukket;
  } tilfaelde[] = {
      {HOEJREKLIK, false, 1, true, 0, false},       {HOEJREKLIK, true, KMD_UDFOER, true, WM_RBUTTONDOWN, false},
      {LUK, false, KMD_UDFOER, false, 0, false},    {LUK, true, 1, true, 0, false},
      {LUK, true, KMD_UDFOER, true, 0, true},       {LUK_I_CELLE, false, KMD_UDFOER, false, 0, false},
      {LUK_I_CELLE, true, 1, true, 0, false},       {LUK_I_CELLE, true, KMD_UDFOER, true, ELEMENT_LUK, false},
      {SEND, false, KMD_UDFOER, false, 0, false},   {SEND, true, 1, true, 0, false},
      {SEND, true, KMD_UDFOER, true, NYB_KLIK, false},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(testing::Message() << "command " << t.kmd << " enabled " << t.aktiveret << " mode " << t.mode);
    HWND h = Vindue(10, 10, 200, 150, {}, optag);
    HWND element = Vindue(300, 10, 200, 150, {}, optag);
    modtaget.clear();
    bool svar = false;
    switch (t.kmd) {
      case HOEJREKLIK:
        svar = KmdHoejreklik(h, 7, 9, t.mode);  // no enabled flag: always available
        break;
      case LUK:
        svar = KmdLukVindue(h, element, 0, t.aktiveret, t.mode);
        break;
      case LUK_I_CELLE:
        svar = KmdLukVindue(h, element, 1, t.aktiveret, t.mode);
        break;
      case SEND:
        svar = KmdSendKommando(h, 1234, 5678, t.aktiveret, t.mode);
        break;
    }
    EXPECT_EQ(svar, t.svar);
    EXPECT_EQ(!IsWindow(h), t.lukket);
    std::vector<std::pair<UINT, std::pair<WPARAM, LPARAM>>> forventet;
    if (t.modtaget == WM_RBUTTONDOWN) forventet.push_back({WM_RBUTTONDOWN, {7, 9}});
    if (t.modtaget == NYB_KLIK) forventet.push_back({NYB_KLIK, {1234, 5678}});
    if (t.modtaget == ELEMENT_LUK) forventet.push_back({ELEMENT_LUK, {0, 0}});
    EXPECT_EQ(modtaget, forventet);
    if (IsWindow(h)) DestroyWindow(h);
    DestroyWindow(element);
  }
}

}  // namespace
