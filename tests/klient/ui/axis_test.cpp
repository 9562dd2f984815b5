#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "GRIDAKSE.h"
#include "tavo/test_user.h"

namespace {

// Scroll-bar codes as the system sends them.
enum : uint32_t { kLinjeOp, kLinjeNed, kSideOp, kSideNed, kTommelPos, kTommelTraek, kTop };

const GridAkse kUge = {2, 10, 5, 1, 4};  // G = 57
const GridAkse kEnkel = {0, 10, 1, 0, 0};  // cell n spans 10(n-1) .. 10n-1

TEST(Axis, PixelToCell) {
  const struct {
    GridAkse akse;
    uint32_t pixel, celle;
  } tilfaelde[] = {
      {kUge, 0, 1},   {kUge, 11, 1},  {kUge, 12, 2},  {kUge, 52, 5}, {kUge, 53, 5},
      {kUge, 55, 5},  {kUge, 56, 6},  {kUge, 57, 6},  {kUge, 59, 6}, {kUge, 69, 7},
      {kEnkel, 0, 1}, {kEnkel, 9, 1}, {kEnkel, 10, 2}, {kEnkel, 199, 20},
      {{0, 0, 5, 1, 4}, 30, 0},  // no cell width
      {{2, 10, 0, 1, 4}, 30, 0},
      // A gap wider than a cell still belongs to the group's last cell.
      {{0, 10, 2, 0, 30}, 45, 2},
      {{0, 10, 2, 0, 30}, 49, 3},
  };
  for (const auto &t : tilfaelde)
    EXPECT_EQ(GridPixelTilCelle(&t.akse, t.pixel), t.celle) << "pixel " << t.pixel;
}

TEST(Axis, CellStartAndEnd) {
  const struct {
    uint32_t n, start, slut;
  } tilfaelde[] = {{0, 0, 10}, {1, 0, 11}, {2, 12, 21}, {5, 42, 52},
                   {6, 57, 68}, {7, 69, 78}, {10, 99, 109}};
  for (const auto &t : tilfaelde) {
    EXPECT_EQ(GridCelleStart(&kUge, t.n), t.start) << t.n;
    EXPECT_EQ(GridCelleSlut(&kUge, t.n), t.slut) << t.n;
  }
  const GridAkse nul = {2, 10, 0, 1, 4};
  EXPECT_EQ(GridCelleStart(&nul, 3), 0u);
  EXPECT_EQ(GridCelleSlut(&nul, 3), 0u);
}

TEST(Axis, ScrollToCurrentCell) {
  const struct {
    uint32_t antal, aktuel, offset, extent;
    uint32_t nyOffset, foerste, synlige;
    bool aendret;
  } tilfaelde[] = {
      {20, 1, 0, 50, 0, 1, 5, false},
      {20, 8, 0, 50, 30, 4, 5, true},     // below the view: its end touches the view's end
      {20, 3, 100, 50, 20, 3, 5, true},   // above the view: its start is the view's start
      {20, 20, 0, 50, 150, 16, 5, true},
      {20, 0, 180, 50, 0, 1, 5, true},    // view past the end, no current cell
      {20, 19, 180, 50, 150, 16, 5, true},  // view past the end: the last cell ends it
      {3, 2, 0, 50, 0, 1, 5, false},      // everything fits
      {20, 5, 40, 0, 40, 5, 0, false},    // no extent
  };
  for (const auto &t : tilfaelde) {
    GridPos pos = {t.antal, 1, 0, t.aktuel};
    uint32_t o = t.offset;
    EXPECT_EQ(GridScrollTilAktuel(&pos, &o, t.extent, &kEnkel), t.aendret) << t.aktuel;
    EXPECT_EQ(o, t.nyOffset) << t.aktuel << " from " << t.offset;
    EXPECT_EQ(pos.Foerste, t.foerste) << t.aktuel << " from " << t.offset;
    EXPECT_EQ(pos.Synlige, t.synlige) << t.aktuel << " from " << t.offset;
  }
}

TEST(Axis, CentreCell) {
  EXPECT_EQ(GridCentrerCelle(&kEnkel, 50, 1, 20), 0u);
  EXPECT_EQ(GridCentrerCelle(&kEnkel, 200, 10, 20), 0u);  // everything fits
  EXPECT_EQ(GridCentrerCelle(&kEnkel, 50, 10, 20), 69u);
  EXPECT_EQ(GridCentrerCelle(&kEnkel, 5, 10, 20), 90u);    // wider than the view
}

TEST(Axis, ScrollCodes) {
  const uint32_t total = 200, extent = 50;
  const struct {
    uint32_t kode, offset, ny;
  } tilfaelde[] = {
      {kLinjeOp, 0, 0},       {kLinjeOp, 30, 20},     {kLinjeOp, 35, 30},
      {kLinjeOp, 10, 0},      {kLinjeNed, 0, 10},    {kLinjeNed, 5, 10},
      {kLinjeNed, 148, 150}, {kLinjeNed, 149, 149}, {kLinjeNed, 160, 160},
      {kSideOp, 60, 10},     {kSideOp, 50, 0},      {kSideOp, 40, 0},
      {kSideNed, 0, 50},    {kSideNed, 90, 140},  {kSideNed, 100, 149},
      {MAKELONG(kTommelPos, 123), 7, 123},        {MAKELONG(kTommelTraek, 77), 7, 77},
      {kTop, 70, 70},        {8u, 70, 70},
  };
  for (const auto &t : tilfaelde) {
    uint32_t o = t.offset;
    GridScrollPixel(&kEnkel, total, extent, &o, t.kode);
    EXPECT_EQ(o, t.ny) << "code " << (t.kode & 0xFFFF) << " from " << t.offset;
  }
}

struct Trin {
  uint32_t antal, foerste, synlige, aktuel;
  unsigned tast;
  int ctrl, alt;
  bool tre;
  uint32_t ny;
};

TEST(Axis, KeyMovesWithGivenModifiers) {
  const int C = -1, A = -1;
  const Trin tilfaelde[] = {
      {100, 11, 10, 15, VK_LEFT, 0, 0, false, 14},
      {100, 11, 10, 15, VK_UP, 0, 0, false, 14},
      {100, 11, 10, 15, VK_RIGHT, 0, 0, false, 16},
      {100, 11, 10, 15, VK_PRIOR, 0, 0, false, 14},
      {100, 11, 10, 15, VK_NEXT, 0, 0, false, 16},
      {100, 11, 10, 1, VK_LEFT, 0, 0, false, 1},
      {100, 11, 10, 100, VK_DOWN, 0, 0, false, 100},
      {100, 11, 10, 15, VK_HOME, 0, 0, false, 15},
      {100, 11, 10, 15, VK_END, 0, 0, false, 15},
      {100, 11, 10, 15, VK_LEFT, 0, A, false, 1},
      {100, 11, 10, 15, VK_DOWN, 0, A, false, 100},
      {100, 11, 10, 15, VK_LEFT, C, 0, false, 11},
      {100, 11, 10, 11, VK_UP, C, 0, false, 2},   // from the first visible: a page back
      {100, 5, 10, 5, VK_LEFT, C, 0, false, 1},
      {100, 11, 10, 15, VK_RIGHT, C, 0, false, 20},
      {100, 11, 10, 20, VK_RIGHT, C, 0, false, 29},  // from the last visible: a page on
      {100, 91, 10, 100, VK_DOWN, C, 0, false, 100},
      {100, 11, 10, 15, VK_PRIOR, C, 0, false, 14},
      {100, 11, 10, 15, VK_NEXT, C, 0, false, 16},
      {100, 11, 10, 15, VK_LEFT, 0, 0, true, 12},
      {100, 11, 10, 3, VK_LEFT, 0, 0, true, 2},
      {100, 11, 10, 15, VK_RIGHT, 0, 0, true, 18},
      {100, 11, 10, 97, VK_RIGHT, 0, 0, true, 98},
      {100, 11, 10, 15, VK_UP, 0, 0, true, 14},
      {100, 11, 10, 0, VK_LEFT, 0, 0, false, 11},  // no current cell: the first visible
      {100, 11, 10, 0, VK_HOME, 0, 0, false, 0},
      {0, 1, 10, 0, VK_DOWN, 0, 0, false, 0},
      {100, 1, 0, 5, VK_DOWN, 0, 0, false, 5},
  };
  for (const Trin &t : tilfaelde) {
    GridPos pos = {t.antal, t.foerste, t.synlige, t.aktuel};
    EXPECT_EQ(GridTastFlytTrin(&pos, t.tast, t.ctrl, t.alt, t.tre, 0), t.ny != t.aktuel)
        << t.tast << " from " << t.aktuel;
    EXPECT_EQ(pos.Aktuel, t.ny) << t.tast << " from " << t.aktuel;
    GridPos proeve = {t.antal, t.foerste, t.synlige, t.aktuel};
    EXPECT_EQ(GridTastFlytTrin(&proeve, t.tast, t.ctrl, t.alt, t.tre, 1), t.ny != t.aktuel);
    EXPECT_EQ(proeve.Aktuel, t.aktuel) << "a probe moved the cell";
  }
}

// GridTastFlyt reads the modifiers from the keyboard.
TEST(Axis, KeyMovesWithTheKeyboardsModifiers) {
  tavo::test::ResetUser();
  BYTE tilstand[256] = {};
  const struct {
    bool ctrl, alt;
    unsigned tast;
    uint32_t aktuel, ny;
  } tilfaelde[] = {{true, false, VK_RIGHT, 20, 29}, {true, false, VK_PRIOR, 15, 15},
                   {false, false, VK_LEFT, 15, 14}, {false, true, VK_RIGHT, 15, 100}};
  for (const auto &t : tilfaelde) {
    tilstand[VK_CONTROL] = t.ctrl ? 0x80 : 0;
    tilstand[VK_MENU] = t.alt ? 0x80 : 0;
    SetKeyboardState(tilstand);
    GridPos pos = {100, 11, 10, t.aktuel};
    EXPECT_FALSE(GridTastFlyt(&pos, t.tast));
    EXPECT_EQ(pos.Aktuel, t.ny) << t.tast;
  }
  std::memset(tilstand, 0, sizeof tilstand);
  SetKeyboardState(tilstand);
}

std::vector<std::pair<UINT, WPARAM>> Modtaget;

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 2124 || m == 1069) Modtaget.push_back({m, w});
  return DefWindowProcA(h, m, w, l);
}

HWND Vindue() {
  tavo::test::ResetUser();
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = "AxisTestWnd";
  RegisterClassA(&wc);
  return CreateWindowExA(0, "AxisTestWnd", "", WS_OVERLAPPED, 0, 0, 50, 50, 0, 0, 0, nullptr);
}

TEST(Axis, DigitKeysClickTheSwitchButtons) {
  const HWND h = Vindue();
  ASSERT_NE(h, 0u);
  const struct {
    int mode;
    bool aktiv;
    unsigned tast;
    bool svar;
    WPARAM sendt;  // 0 = nothing sent
  } tilfaelde[] = {
      {2, true, '3', true, 202}, {2, true, '1', true, 200}, {2, true, '5', true, 204},
      {2, true, '6', true, 0},   {2, true, '0', false, 0},  {2, false, '3', false, 0},
      {1, true, '3', true, 0},   {1, false, '3', false, 0}, {2, true, 'X', false, 0},
  };
  for (const auto &t : tilfaelde) {
    Modtaget.clear();
    EXPECT_EQ(GridCifferKommando(h, t.tast, t.aktiv, 5, t.mode), t.svar) << t.tast;
    if (t.sendt) {
      ASSERT_EQ(Modtaget.size(), 1u) << t.tast;
      EXPECT_EQ(Modtaget[0], (std::pair<UINT, WPARAM>{2124, t.sendt}));
    } else {
      EXPECT_TRUE(Modtaget.empty()) << t.tast;
    }
  }
  DestroyWindow(h);
}

TEST(Axis, TypedDigitsGoToTheBuffer) {
  const HWND h = Vindue();
  char tekst[4] = "";
  Modtaget.clear();
  EXPECT_TRUE(GridCifferIndtast(h, '4', false, true, 5, tekst, sizeof tekst, 2));
  EXPECT_TRUE(GridCifferIndtast(h, '0', false, true, 5, tekst, sizeof tekst, 2));
  EXPECT_STREQ(tekst, "40");
  EXPECT_TRUE(Modtaget.empty());
  EXPECT_TRUE(GridCifferIndtast(h, 'A', false, true, 5, tekst, sizeof tekst, 2));
  ASSERT_EQ(Modtaget.size(), 1u);
  EXPECT_EQ(Modtaget[0], (std::pair<UINT, WPARAM>{1069, 31}));
  EXPECT_FALSE(GridCifferIndtast(h, 'X', false, true, 5, tekst, sizeof tekst, 2));
  EXPECT_FALSE(GridCifferIndtast(h, '4', false, true, 5, tekst, sizeof tekst, 1));
  EXPECT_FALSE(GridCifferIndtast(h, '4', false, false, 5, tekst, sizeof tekst, 2));

  // With the digit keys on as well, a digit is typed and clicks its button.
  Modtaget.clear();
  EXPECT_TRUE(GridCifferIndtast(h, '2', true, true, 5, tekst, sizeof tekst, 2));
  EXPECT_STREQ(tekst, "402");
  ASSERT_EQ(Modtaget.size(), 1u);
  EXPECT_EQ(Modtaget[0], (std::pair<UINT, WPARAM>{2124, 201}));
  // A full buffer drops the digit.
  EXPECT_TRUE(GridCifferIndtast(h, '7', false, true, 5, tekst, sizeof tekst, 2));
  EXPECT_STREQ(tekst, "402");
  DestroyWindow(h);
}

}  // namespace
