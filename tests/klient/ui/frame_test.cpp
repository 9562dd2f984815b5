#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LOGFIL.h"
#include "RAMME.h"
#include "palette_fixture.h"

namespace {

using ui_test::MemDC;

const COLORREF kHvid = RGB(10, 20, 30);  // the ground: no system colour

// The frame as rows of letters: H highlight, S shadow, D dark shadow,
// L light, . untouched.
std::vector<std::string> Tegning(const MemDC &m, int w, int h) {
  const struct {
    int sys;
    char c;
  } farver[] = {{COLOR_BTNHIGHLIGHT, 'H'}, {COLOR_BTNSHADOW, 'S'}, {COLOR_3DDKSHADOW, 'D'},
                {COLOR_3DLIGHT, 'L'}};
  std::vector<std::string> r;
  for (int y = 0; y < h; ++y) {
    std::string linie;
    for (int x = 0; x < w; ++x) {
      const COLORREF p = m.Px(x, y);
      char c = p == kHvid ? '.' : '?';
      for (const auto &f : farver)
        if (p == GetSysColor(f.sys)) c = f.c;
      linie += c;
    }
    r.push_back(linie);
  }
  return r;
}

TEST(Frame, SystemColoursAreDistinct) {
  // The drawings below tell the rings apart by colour.
  const COLORREF c[] = {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW),
                        GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT)};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) ASSERT_NE(c[i], c[j]);
  for (COLORREF f : c) ASSERT_NE(f, kHvid);
}

TEST(Frame, RingsOfEachStyle) {
  const struct {
    int stil;
    std::vector<std::string> billede;
  } tilfaelde[] = {
      {1, {"......", ".HHHS.", ".H..S.", ".H..S.", ".SSSS.", "......"}},
      {2, {"......", ".SSSH.", ".S..H.", ".S..H.", ".HHHH.", "......"}},
      {4, {"......", ".HHHS.", ".HSHS.", ".HHHS.", ".SSSS.", "......"}},
      {17, {"......", ".HHHD.", ".HLSD.", ".HSSD.", ".DDDD.", "......"}},
      {17 | 0x200, {"......", ".LLLD.", ".LHSD.", ".LSSD.", ".DDDD.", "......"}},
      {18, {"......", ".DDDH.", ".DSLH.", ".DLLH.", ".HHHH.", "......"}},
      {20, {"..........", ".HHHHHHHD.", ".HLLLLLSD.", ".HLDDDHSD.", ".HLDSLHSD.", ".HLDLLHSD.",
            ".HLHHHHSD.", ".HSSSSSSD.", ".DDDDDDDD.", ".........."}},
      {24, {"..........", ".DDDDDDDH.", ".DSSSSSLH.", ".DSHHHDLH.", ".DSHLSDLH.", ".DSHSSDLH.",
            ".DSDDDDLH.", ".DLLLLLLH.", ".HHHHHHHH.", ".........."}},
      {3, {"......", "......", "......", "......", "......", "......"}},
  };
  for (const auto &t : tilfaelde) {
    const int n = static_cast<int>(t.billede.size());
    MemDC m(n, n, kHvid);
    DrawFrame3D(m.dc, 1, 1, n - 2, n - 2, t.stil);
    EXPECT_EQ(Tegning(m, n, n), t.billede) << "style " << t.stil;
  }
}

TEST(Frame, EdgeWidths) {
  const int bredde[][2] = {{1, 1}, {2, 1},  {4, 2},  {8, 2},   {17, 2}, {18, 2},  {20, 4},
                           {24, 4}, {0, 0}, {3, 0}, {16, 0}, {529, 2}, {530, 2}, {25, 0}};
  for (const auto &b : bredde) EXPECT_EQ(EdgeWidth(b[0]), b[1]) << b[0];
}

TEST(Frame, InclusiveFillsAndBorders) {
  HBRUSH sort = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  {
    MemDC m(4, 4, kHvid);
    FillRectIncl(m.dc, sort, 2, 0, 1, 3);  // right = left - 1: nothing
    FillSysColRect(m.dc, COLOR_BTNSHADOW, 1, 1, 1, 0);
    EXPECT_EQ(Tegning(m, 4, 4), std::vector<std::string>(4, "...."));
    FillRectIncl(m.dc, sort, 1, 1, 2, 2);
    EXPECT_EQ(m.Px(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(m.Px(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(m.Px(3, 2), kHvid);
  }
  MemDC m(8, 8, kHvid);
  // Top band rows 1..2, bottom band row 6, left band column 1, right band 5..6.
  FillBorderRect(m.dc, sort, 1, 1, 1, 2, 5, 6, 6, 6);
  const std::vector<std::string> forventet = {"........", ".######.", ".######.", ".#...##.",
                                              ".#...##.", ".#...##.", ".######.", "........"};
  std::vector<std::string> faktisk;
  for (int y = 0; y < 8; ++y) {
    std::string l;
    for (int x = 0; x < 8; ++x) l += m.Px(x, y) == kHvid ? '.' : '#';
    faktisk.push_back(l);
  }
  EXPECT_EQ(faktisk, forventet);
}

TEST(Frame, RaisedBarAndColourLine) {
  MemDC m(8, 4, kHvid);
  HBRUSH sort = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  DrawRaisedBar(m.dc, sort, 1, 0, 6, 3);  // 6 wide: filled inside
  EXPECT_EQ(m.Px(1, 3), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(m.Px(2, 3), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(m.Px(3, 2), RGB(0, 0, 0));
  EXPECT_EQ(m.Px(4, 0), RGB(0, 0, 0));
  EXPECT_EQ(m.Px(5, 1), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(m.Px(6, 1), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(m.Px(7, 1), kHvid);

  MemDC smal(5, 4, kHvid);
  DrawRaisedBar(smal.dc, sort, 0, 0, 3, 3);  // 4 wide: lines only
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_NE(smal.Px(x, y), RGB(0, 0, 0)) << x << "," << y;

  MemDC l(6, 2, kHvid);
  DrawColorLine(l.dc, 1, 0, 4, 0, RGB(10, 200, 30));
  EXPECT_EQ(l.Px(0, 0), kHvid);
  EXPECT_EQ(l.Px(1, 0), RGB(10, 200, 30));
  EXPECT_EQ(l.Px(3, 0), RGB(10, 200, 30));
  EXPECT_EQ(l.Px(4, 0), kHvid);  // the end point is left out
}

TEST(Frame, KeyNames) {
  const struct {
    unsigned vk;
    const char *navn;
  } tilfaelde[] = {{13, "ENTER key"},        {65, "A"},           {90, "Z"},
                   {96, "Numeric keypad 0 key"}, {105, "Numeric keypad 9 key"},
                   {112, "F1 key"},          {135, "F24 key"},    {165, "Right ALT"},
                   {48, "0"},                {91, "Left Windows key on a Microsoft Natural Keyboard"},
                   {200, "0"},               {32, "SPACEBAR"}};
  for (const auto &t : tilfaelde) EXPECT_STREQ(VirtuelTastNavn(t.vk), t.navn) << t.vk;
}

class KeyLog : public ui_test::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    ui_test::fs::create_directories(mappe_ / "data");
    StartTastLog();
  }
  void TearDown() override {
    LukTastLog();
    DataMappe::TearDown();
  }
  // The lines written after the log's own first lines.
  std::vector<std::string> Linier() {
    LukTastLog();
    std::ifstream f(mappe_ / "log" / "Tast.log", std::ios::binary);
    std::vector<std::string> r;
    std::string l;
    while (std::getline(f, l)) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      if (l.rfind("Tast: ", 0) == 0) r.push_back(l);
    }
    return r;
  }
};

TastInfo Tast(unsigned vk, int shift, int ctrl, int alt, uint32_t data = 0) {
  TastInfo t = {};
  t.shift = shift;
  t.ctrl = ctrl;
  t.alt = alt;
  t.message = WM_KEYDOWN;
  t.wParam = vk;
  t.lParam = data;
  return t;
}

TEST_F(KeyLog, LinesNameModifiersAndKey) {
  const TastInfo taster[] = {
      Tast(VK_CONTROL, 0, -1, 0),  // a modifier alone: nothing
      Tast(VK_SHIFT, -1, 0, 0),
      Tast(116, 0, -1, -1),
      Tast(13, 0, 0, 0),
      Tast('A', -1, 0, 0),
      Tast('A', -1, -1, -1),
      Tast('B', 0, 0, -1),
      Tast('C', 0, 0, 0, 0x40000001u),  // auto-repeat: nothing
  };
  for (const TastInfo &t : taster) TastLogKey(&t);
  const std::vector<std::string> forventet = {
      "Tast: Ctrl + Alt + F5 key", "Tast: ENTER key", "Tast: Shift + A",
      "Tast: Shift + Ctrl + Alt + A", "Tast: Alt + B"};
  EXPECT_EQ(Linier(), forventet);
}

TEST_F(KeyLog, KeyDataGivesTheSystemName) {
  const uint32_t data = 0x001E0001u;  // scan code of A
  char navn[64] = "";
  ASSERT_GT(GetKeyNameTextA(static_cast<LONG>(data), navn, sizeof navn), 0);
  const TastInfo t = Tast('A', -1, 0, 0, data);
  TastLogKey(&t);
  EXPECT_EQ(Linier(), std::vector<std::string>{std::string("Tast: Shift + ") + navn});
}

}  // namespace
