#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FARVER.h"
#include "palette_fixture.h"
#include "tavo/test_dialog.h"

namespace {

using ui_test::MemDC;

class Palette : public ui_test::DataMappe {
 protected:
  void Init(int bpp = 32) { farver_intern::InitPaletteDybde(bpp); }
};

TEST_F(Palette, DefaultsWithoutAFile) {
  Init();
  const struct {
    int slot;
    COLORREF farve;
  } forventet[] = {
      {0, GetSysColor(COLOR_WINDOW)},
      {1, GetSysColor(COLOR_ACTIVECAPTION)},
      {2, GetSysColor(COLOR_INACTIVECAPTION)},
      {16, GetSysColor(COLOR_BTNTEXT)},
      {17, GetSysColor(COLOR_CAPTIONTEXT)},
      {19, GetSysColor(COLOR_INACTIVECAPTIONTEXT)},
      {30, GetSysColor(COLOR_WINDOW)},
      {31, GetSysColor(COLOR_WINDOWTEXT)},
      {50, RGB(79, 98, 40)},
      {54, RGB(242, 220, 219)},
      {58, RGB(250, 230, 230)},
      {3, 0},
      {12, 0},
      {20, 0},
      {45, 0},
      {59, 0},
  };
  for (const auto &f : forventet) EXPECT_EQ(FarveTab[f.slot], f.farve) << "slot " << f.slot;

  ASSERT_NE(TavoPalette, 0u);
  PALETTEENTRY e[kAntalFarver];
  ASSERT_EQ(GetPaletteEntries(TavoPalette, 0, kAntalFarver, e), static_cast<UINT>(kAntalFarver));
  for (int i = 0; i < kAntalFarver; ++i) {
    EXPECT_EQ(RGB(e[i].peRed, e[i].peGreen, e[i].peBlue), FarveTab[i]) << i;
    EXPECT_EQ(e[i].peFlags, PC_RESERVED) << i;
  }
  EXPECT_FALSE(FaaFarver);
}

// Every entry of a palette file lands in its slot, in the table and in the
// program palette alike.
TEST_F(Palette, FileEntriesRoundTripToTheirSlots) {
  const int slot[32] = {3,  6,  9,  12, 15, 18, 21, 24, 27, 4,  5,  7,  8,  10, 11, 13,
                        14, -1, -1, -1, -1, 33, 36, 32, 20, 22, 39, 45, 46, 47, 48, 42};
  std::string fil = "TAVO Palette\n";
  for (int i = 0; i < 32; ++i)
    fil += std::to_string(i) + " (" + std::to_string(i + 10) + "," + std::to_string(i + 100) +
           "," + std::to_string(200 + i) + ")\n";
  SkrivIni("tavo.pal", fil);
  Init();
  PALETTEENTRY e[kAntalFarver];
  GetPaletteEntries(TavoPalette, 0, kAntalFarver, e);
  for (int i = 0; i < 32; ++i) {
    if (slot[i] < 0) continue;
    const COLORREF c = RGB(i + 10, i + 100, 200 + i);
    EXPECT_EQ(FarveTab[slot[i]], c) << "entry " << i;
    EXPECT_EQ(RGB(e[slot[i]].peRed, e[slot[i]].peGreen, e[slot[i]].peBlue), c) << "entry " << i;
  }
  // Entries 17, 19 and 20 have no slot; 18 needs temafarver "nej".
  EXPECT_EQ(FarveTab[0], GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(FarveTab[16], GetSysColor(COLOR_BTNTEXT));
}

TEST_F(Palette, BadLinesAreSkippedOneByOne) {
  const struct {
    const char *linie;
    int slot;        // slot the line would set
    COLORREF farve;  // what the slot holds afterwards
  } tilfaelde[] = {
      {"3 (255,0,0)", 12, RGB(255, 0, 0)},
      {"17 (1,2,3)", 17, GetSysColor(COLOR_CAPTIONTEXT)},
      {"40 (1,2,3)", 40, 0},
      {"0 (1,2,3) // note", 3, 0},
      {"1 no. (1,2,3)", 6, 0},
      {" 2 (1,2,3)", 9, 0},
      {"4 (1,2)", 15, 0},
      {"5 1,2,3", 18, 0},
      {"9(7,8,9)", 4, RGB(7, 8, 9)},
      // 29 characters at a time: the second piece starts with a blank.
      {"6 (1,1,1)                         7 (9,9,9)", 21, RGB(1, 1, 1)},
      {"", 24, 0},
  };
  std::string fil = "Palette\n";
  for (const auto &t : tilfaelde) fil += std::string(t.linie) + "\n";
  SkrivIni("tavo.pal", fil);
  Init();
  for (const auto &t : tilfaelde) EXPECT_EQ(FarveTab[t.slot], t.farve) << t.linie;
}

// The palette a new installation gets: read without a complaint, it gives
// every slot a file can set a colour, and the slots that panes fill stand
// apart from the text drawn on them, as the kind colours drawn as text stand
// apart from the list background.
TEST_F(Palette, TheShippedPaletteKeepsTextReadable) {
  std::ifstream i(TAVO_SOURCE_DIR "/resources/orvane/tavo.pal", std::ios::binary);
  ASSERT_TRUE(i) << "the shipped palette";
  SkrivIni("tavo.pal", std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>()));
  tavo::test::StartDialogScript();
  Init();
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  tavo::test::StopDialogScript();
  auto lys = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
  const int grunde[] = {3, 6, 9, 12, 15, 18, 21, 24, 27, 20, 22, 32, 33, 36, 39, 42};
  for (int slot : grunde) EXPECT_GT(lys(FarveTab[slot]) - lys(FarveTab[16]), 128) << "slot " << slot;
  const int tekster[] = {4, 5, 7, 8, 10, 11, 13, 14};
  for (int slot : tekster) EXPECT_GT(lys(FarveTab[0]) - lys(FarveTab[slot]), 128) << "slot " << slot;
  for (int slot : {45, 46, 47, 48}) EXPECT_NE(FarveTab[slot], 0u) << "slot " << slot;
}

TEST_F(Palette, AFileOfTheWrongTypeChangesNothing) {
  SkrivIni("tavo.pal", "Farver\n3 (255,0,0)\n");
  tavo::test::StartDialogScript();
  Init();
  EXPECT_EQ(FarveTab[12], 0u);
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Fejl");
  EXPECT_EQ(bokse[0].text, "Filen 'tavo.pal' er ikke af den forventede type.");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(Palette, Entry18SetsTheBackgroundOnlyWithoutThemeColoursOnARichScreen) {
  const struct {
    const char *tema;
    int bpp;
    bool fraFil;
  } tilfaelde[] = {{"nej", 32, true}, {"NEJ", 16, true}, {"ja", 32, false},
                   {nullptr, 32, false}, {"nej", 8, false}};
  for (const auto &t : tilfaelde) {
    SkrivIni("tavo.pal", "Palette\n18 (1,2,3)\n");
    SkrivIni("tavo.ini", t.tema ? std::string("[farver]\ntemafarver=") + t.tema + "\n" : "");
    Init(t.bpp);
    EXPECT_EQ(FarveTab[0], t.fraFil ? RGB(1, 2, 3) : GetSysColor(COLOR_WINDOW))
        << (t.tema ? t.tema : "-") << " " << t.bpp;
  }
}

TEST_F(Palette, LowColourScreenUsesSystemBrushesForTheFirstThree) {
  Init(8);
  EXPECT_TRUE(FaaFarver);
  EXPECT_EQ(FarveBrush[0], GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(FarveBrush[1], GetSysColorBrush(COLOR_ACTIVECAPTION));
  EXPECT_EQ(FarveBrush[2], GetSysColorBrush(COLOR_INACTIVECAPTION));
  Init(32);
  EXPECT_NE(FarveBrush[0], GetSysColorBrush(COLOR_BTNFACE));
}

// Pixels of an 8 x 8 fill with a brush, the palette selected.
std::vector<COLORREF> Fyld(HBRUSH brush) {
  MemDC m(8, 8);
  SelectPalette(m.dc, TavoPalette, FALSE);
  RealizePalette(m.dc);
  const RECT rc = {0, 0, 8, 8};
  FillRect(m.dc, &rc, brush);
  std::vector<COLORREF> px;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) px.push_back(m.Px(x, y));
  return px;
}

TEST_F(Palette, BrushesPaintTheirColours) {
  // Distinct colours for the slots the brushes mix.
  SkrivIni("tavo.pal",
           "Palette\n0 (200,0,0)\n3 (0,200,0)\n9 (0,0,200)\n24 (10,20,30)\n28 (40,50,60)\n");
  Init();
  ASSERT_EQ(FarveTab[3], RGB(200, 0, 0));
  ASSERT_EQ(FarveTab[20], RGB(10, 20, 30));
  const struct {
    int brush;
    COLORREF a, b;  // the two colours of the checkerboard
  } tilfaelde[] = {
      {3, FarveTab[3], FarveTab[3]},     {12, FarveTab[12], FarveTab[12]},
      {4, FarveTab[1], FarveTab[3]},     {5, FarveTab[2], FarveTab[3]},
      {13, FarveTab[1], FarveTab[12]},   {59, FarveTab[2], FarveTab[57]},
      {30, FarveTab[30], FarveTab[30]},  {32, FarveTab[32], FarveTab[32]},
      {49, FarveTab[20], FarveTab[20]},  {46, FarveTab[46], FarveTab[46]},
      {0, FarveTab[0], FarveTab[0]},
  };
  for (const auto &t : tilfaelde) {
    const auto px = Fyld(FarveBrush[t.brush]);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const COLORREF c = px[y * 8 + x];
        ASSERT_TRUE(c == t.a || c == t.b) << "brush " << t.brush << " at " << x << "," << y;
        if (x > 0) {
          ASSERT_EQ(c == t.a, px[y * 8 + x - 1] == t.b) << "brush " << t.brush;
        }
        if (y > 0) {
          ASSERT_EQ(c == t.a, px[(y - 1) * 8 + x] == t.b) << "brush " << t.brush;
        }
      }
  }
  EXPECT_EQ(Fyld(FarveSolidBrush[4])[0], FarveTab[4]);
  EXPECT_EQ(Fyld(FarveSolidBrush[20])[9], FarveTab[20]);
  EXPECT_EQ(FarveSolidBrush[3], 0u);
  EXPECT_EQ(FarveSolidBrush[49], 0u);
}

TEST_F(Palette, FrameAndRectFillsCoverOnlyTheBand) {
  MemDC m(10, 10);
  const COLORREF hvid = RGB(255, 255, 255);
  // Outer 1,1..9,9 around inner 3,4..6,7 (right and bottom exclusive).
  FillFrameSys(m.dc, COLOR_BTNSHADOW, 1, 1, 3, 4, 6, 7, 9, 9);
  const COLORREF s = GetSysColor(COLOR_BTNSHADOW);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool ydre = x >= 1 && x < 9 && y >= 1 && y < 9;
      const bool indre = x >= 3 && x < 6 && y >= 4 && y < 7;
      EXPECT_EQ(m.Px(x, y), ydre && !indre ? s : hvid) << x << "," << y;
    }
  MemDC r(4, 4);
  FillRectSys(r.dc, COLOR_BTNSHADOW, 2, 1, 2, 3);  // empty: nothing
  FillRectSys(r.dc, COLOR_BTNSHADOW, 1, 1, 2, 3);
  EXPECT_EQ(r.Px(1, 1), s);
  EXPECT_EQ(r.Px(1, 2), s);
  EXPECT_EQ(r.Px(2, 1), hvid);
  EXPECT_EQ(r.Px(1, 3), hvid);
}

}  // namespace
