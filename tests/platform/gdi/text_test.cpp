// Fonts and text: face mapping, character sets, the program's own bitmap
// fonts, extents against drawn pixels, DrawText layout and the text log.

#include <gtest/gtest.h>

#include <string>

#include "tavo/test_gdi.h"
#include "win/gdi.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Canvas {
  HDC dc;
  HBITMAP bm, old;
  int w, h;
  Canvas(int w_, int h_) : w(w_), h(h_) {
    dc = CreateCompatibleDC(0);
    bm = CreateCompatibleBitmap(dc, w, h);
    old = SelectObject(dc, bm);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  bool Ink(int x, int y) const { return tavo::test::SurfacePixel(dc, x, y) == kBlack; }
  // The bounding box of the black pixels; empty when there are none.
  RECT InkBox() const {
    RECT b{w, h, 0, 0};
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (Ink(x, y)) {
          b.left = std::min<LONG>(b.left, x);
          b.top = std::min<LONG>(b.top, y);
          b.right = std::max<LONG>(b.right, x + 1);
          b.bottom = std::max<LONG>(b.bottom, y + 1);
        }
    return b;
  }
  std::string Pixels(int x0, int y0, int x1, int y1) const {
    std::string s;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) s += Ink(x, y) ? '#' : '.';
      s += '\n';
    }
    return s;
  }
};

HFONT Font(int height, const char *face, int charset = DEFAULT_CHARSET, int esc = 0,
           int weight = 0) {
  return CreateFont(height, 0, esc, esc, weight, 0, 0, 0, charset, 0, 0, 0, 0, face);
}

TEST(Fonts, DanishLettersInArialAndExtentMatchesPixels) {
  Canvas c(160, 30);
  HFONT f = Font(-16, "Arial");
  SelectObject(c.dc, f);
  char face[64];
  GetTextFace(c.dc, sizeof face, face);
  EXPECT_STREQ(face, "Arial");
  const char *text = "æøåÆØÅ";
  ASSERT_EQ(std::string(text).size(), 6u);  // Windows-1252 bytes
  SIZE sz;
  ASSERT_TRUE(GetTextExtentPoint32(c.dc, text, 6, &sz));
  TEXTMETRIC tm;
  GetTextMetrics(c.dc, &tm);
  EXPECT_EQ(sz.cy, tm.tmHeight);
  // An opaque background covers exactly the measured box.
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, RGB(255, 255, 0));
  TextOut(c.dc, 2, 2, text, 6);
  int yellow_cols = 0;
  for (int x = 0; x < c.w; ++x) {
    COLORREF p = tavo::test::SurfacePixel(c.dc, x, 2 + tm.tmHeight - 1);
    if (p == RGB(255, 255, 0) || p == kBlack) ++yellow_cols;
  }
  EXPECT_EQ(yellow_cols, sz.cx);
  EXPECT_EQ(tavo::test::SurfacePixel(c.dc, 2 + sz.cx, 3), kWhite);
  EXPECT_EQ(tavo::test::SurfacePixel(c.dc, 2, 2 + tm.tmHeight), kWhite);
  tavo::test::SavePng(c.dc, TAVO_BINARY_DIR "/gdi_danish.png");

  // Each letter has its own glyph, none of them the missing-glyph box.
  Canvas g(40, 30);
  SelectObject(g.dc, f);
  auto glyph = [&](const char *s) {
    RECT r{0, 0, 40, 30};
    FillRect(g.dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
    TextOut(g.dc, 0, 0, s, 1);
    return g.Pixels(0, 0, 20, 22);
  };
  std::string missing = glyph("\x81");
  for (int i = 0; i < 6; ++i) {
    std::string one = glyph(text + i);
    EXPECT_NE(one, missing) << i;
    EXPECT_NE(one.find('#'), std::string::npos) << i;
    for (int j = 0; j < i; ++j) EXPECT_NE(one, glyph(text + j)) << i << " " << j;
  }
  SelectObject(g.dc, GetStockObject(SYSTEM_FONT));
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

TEST(Fonts, OemFontShowsByte196AsABoxLine) {
  Canvas c(60, 20);
  HFONT f = Font(-12, "Terminal", OEM_CHARSET);
  SelectObject(c.dc, f);
  SIZE sz;
  GetTextExtentPoint32(c.dc, "\xC4\xC4\xC4", 3, &sz);
  TextOut(c.dc, 0, 0, "\xC4\xC4\xC4", 3);
  int full_rows = 0, ink_rows = 0;
  for (int y = 0; y < c.h; ++y) {
    int n = 0;
    for (int x = 0; x < sz.cx; ++x) n += c.Ink(x, y);
    if (n) ++ink_rows;
    if (n == sz.cx) ++full_rows;
  }
  EXPECT_GE(full_rows, 1);  // one unbroken line through the three cells
  EXPECT_LE(ink_rows, 2);
  // In an ANSI font the same byte is the letter Ä.
  HFONT a = Font(-12, "Courier New", ANSI_CHARSET);
  SelectObject(c.dc, a);
  RECT r{0, 0, 60, 20};
  FillRect(c.dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
  TextOut(c.dc, 0, 0, "\xC4", 1);
  RECT box = c.InkBox();
  EXPECT_GE(box.bottom - box.top, 8);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
  DeleteObject(a);
}

TEST(Fonts, AddedBitmapFontIsFoundByFamilyAndMapsBytesOneToOne) {
  std::string path = TAVO_FIXTURES "/gdi/tavotest.bdf";
  ASSERT_EQ(AddFontResourceEx(path.c_str(), FR_PRIVATE, nullptr), 1);
  Canvas c(30, 12);
  HFONT f = Font(8, "TavoTest");
  SelectObject(c.dc, f);
  TEXTMETRIC tm;
  GetTextMetrics(c.dc, &tm);
  EXPECT_EQ(tm.tmHeight, 8);
  EXPECT_EQ(tm.tmAscent, 6);
  TextOut(c.dc, 1, 1, "\x83" "A", 2);
  EXPECT_EQ(c.Pixels(1, 1, 13, 9),
            "####....#...\n"
            "####...#.#..\n"
            "#..#..#...#.\n"
            "#..#..#####.\n"
            "####..#...#.\n"
            "####..#...#.\n"
            "............\n"
            "............\n");
  SIZE sz;
  GetTextExtentPoint32(c.dc, "\x83\x83\x83", 3, &sz);
  EXPECT_EQ(sz.cx, 18);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);

  // Gone after removal: the name falls back to a system face.
  EXPECT_TRUE(RemoveFontResourceEx(path.c_str(), FR_PRIVATE, nullptr));
  HFONT g = Font(8, "TavoTest");
  SelectObject(c.dc, g);
  GetTextMetrics(c.dc, &tm);
  EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(g);
  EXPECT_FALSE(RemoveFontResource(path.c_str()));
  EXPECT_EQ(AddFontResource(TAVO_FIXTURES "/gdi/no-such-font.ttf"), 0);
}

TEST(Fonts, MetricsOfTheStandardFonts) {
  HDC dc = CreateCompatibleDC(0);
  TEXTMETRIC tm;
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  GetTextMetrics(dc, &tm);
  EXPECT_EQ(tm.tmHeight, 13);  // the classic 8-point dialog font
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GT(tm.tmAveCharWidth, 3);
  EXPECT_LE(tm.tmAveCharWidth, 6);
  LOGFONT lf;
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -11);

  // A positive height is the cell height, a negative one the character height.
  struct Case {
    int height;
    const char *face;
    int cell;
  } cases[] = {{20, "Arial", 20}, {-11, "Lucida Console", 0}, {16, "Times New Roman", 16}};
  for (const Case &k : cases) {
    HFONT f = Font(k.height, k.face);
    SelectObject(dc, f);
    GetTextMetrics(dc, &tm);
    if (k.cell) {
      EXPECT_NEAR(tm.tmHeight, k.cell, 1) << k.face;
    }
    else
      EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -k.height) << k.face;
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
  }
  // A fixed-pitch face measures every byte alike; weight 600 is wider.
  HFONT mono = Font(-10, "Lucida Console");
  SelectObject(dc, mono);
  SIZE a, b;
  GetTextExtentPoint32(dc, "iiii", 4, &a);
  GetTextExtentPoint32(dc, "WWWW", 4, &b);
  EXPECT_EQ(a.cx, b.cx);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(mono);
  DeleteDC(dc);
}

TEST(Text, AlignmentOpaqueBoxAndLog) {
  Canvas c(100, 40);
  HFONT f = Font(-12, "Arial");
  SelectObject(c.dc, f);
  TEXTMETRIC tm;
  GetTextMetrics(c.dc, &tm);
  SIZE sz;
  GetTextExtentPoint32(c.dc, "Hej", 3, &sz);
  SetBkMode(c.dc, OPAQUE);
  SetBkColor(c.dc, kBlack);
  SetTextColor(c.dc, kBlack);
  SetTextAlign(c.dc, TA_RIGHT | TA_BASELINE);
  tavo::test::ClearDrawnTexts();
  TextOut(c.dc, 80, 30, "Hej", 3);
  RECT box = c.InkBox();
  EXPECT_EQ(box.right, 80);
  EXPECT_EQ(box.left, 80 - sz.cx);
  EXPECT_EQ(box.top, 30 - tm.tmAscent);
  EXPECT_EQ(box.bottom, 30 - tm.tmAscent + tm.tmHeight);
  auto log = tavo::test::DrawnTexts();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text, "Hej");
  EXPECT_EQ(log[0].x, 80);
  EXPECT_EQ(log[0].face, "Arial");
  EXPECT_EQ(log[0].height, tm.tmHeight);
  EXPECT_EQ(log[0].bk_mode, OPAQUE);

  // Updating the current position moves it along the text.
  SetTextAlign(c.dc, TA_UPDATECP);
  MoveToEx(c.dc, 5, 0, nullptr);
  TextOut(c.dc, 0, 0, "ab", 2);
  POINT cur;
  GetCurrentPositionEx(c.dc, &cur);
  GetTextExtentPoint32(c.dc, "ab", 2, &sz);
  EXPECT_EQ(cur.x, 5 + sz.cx);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

// The log is kept only while asked for; the drawing is the same either way.
TEST(Text, LogOnlyWhenKept) {
  Canvas c(100, 40);
  HFONT f = Font(-12, "Arial");
  SelectObject(c.dc, f);
  tavo::test::KeepDrawnTexts(false);
  TextOut(c.dc, 10, 10, "Uden", 4);
  RECT r{0, 20, 100, 40};
  DrawText(c.dc, "Uden", 4, &r, DT_LEFT);
  EXPECT_TRUE(tavo::test::DrawnTexts().empty());
  const RECT uden = c.InkBox();
  EXPECT_LT(uden.left, uden.right);
  tavo::test::KeepDrawnTexts(true);
  TextOut(c.dc, 10, 10, "Med", 3);
  DrawText(c.dc, "Med", 3, &r, DT_LEFT);
  auto log = tavo::test::DrawnTexts();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].text, "Med");
  EXPECT_EQ(log[1].text, "Med");
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

TEST(Text, ExtTextOutOpaqueClippedAndSpacing) {
  Canvas c(60, 20);
  HFONT f = Font(-12, "Arial");
  SelectObject(c.dc, f);
  SetBkColor(c.dc, RGB(0, 0, 255));
  RECT r{10, 2, 20, 18};
  ExtTextOut(c.dc, 10, 2, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWW", 6, nullptr);
  EXPECT_EQ(tavo::test::SurfacePixel(c.dc, 10, 17), RGB(0, 0, 255));
  for (int y = 0; y < c.h; ++y) {
    EXPECT_FALSE(c.Ink(20, y));
    EXPECT_FALSE(c.Ink(9, y));
  }
  // Only n bytes are drawn, each at its own advance.
  Canvas d(60, 20);
  SelectObject(d.dc, f);
  INT dx[2] = {20, 20};
  ExtTextOut(d.dc, 0, 0, 0, nullptr, "llxxx", 2, dx);
  RECT box = d.InkBox();
  EXPECT_GE(box.left, 0);
  EXPECT_LT(box.left, 5);
  EXPECT_GE(box.right, 21);
  EXPECT_LE(box.right, 26);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  SelectObject(d.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

TEST(Text, VerticalText) {
  struct Case {
    int esc;
  } cases[] = {{900}, {2700}};
  for (const Case &k : cases) {
    Canvas c(60, 80);
    HFONT f = Font(-12, "Arial", DEFAULT_CHARSET, k.esc);
    SelectObject(c.dc, f);
    SIZE sz;
    GetTextExtentPoint32(c.dc, "Tavo", 4, &sz);
    TextOut(c.dc, 30, 40, "Tavo", 4);
    RECT b = c.InkBox();
    if (k.esc == 900) {  // upward from the point, the tops to the left
      EXPECT_GE(b.left, 30);
      EXPECT_LE(b.right, 30 + sz.cy);
      EXPECT_LE(b.bottom, 40);
      EXPECT_GE(b.top, 40 - sz.cx);
    } else {  // downward, the tops to the right
      EXPECT_LE(b.right, 30);
      EXPECT_GE(b.left, 30 - sz.cy);
      EXPECT_GE(b.top, 40);
      EXPECT_LE(b.bottom, 40 + sz.cx);
    }
    EXPECT_GT(b.bottom - b.top, b.right - b.left) << k.esc;
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
  }
}

TEST(Text, DrawTextLayout) {
  Canvas c(200, 100);
  HFONT f = Font(-12, "Arial");
  SelectObject(c.dc, f);
  TEXTMETRIC tm;
  GetTextMetrics(c.dc, &tm);
  int h = tm.tmHeight;
  auto width = [&](const char *s) {
    SIZE sz;
    GetTextExtentPoint32(c.dc, s, (int)strlen(s), &sz);
    return (int)sz.cx;
  };

  // DT_CALCRECT measures without drawing.
  RECT r{10, 10, 10, 10};
  EXPECT_EQ(DrawText(c.dc, "Skema", -1, &r, DT_CALCRECT | DT_SINGLELINE), h);
  EXPECT_EQ(r.right, 10 + width("Skema"));
  EXPECT_EQ(r.bottom, 10 + h);
  EXPECT_EQ(c.InkBox().right, 0);

  // Word break, centring and vertical centring are where the log says.
  struct Case {
    const char *text;
    UINT fmt;
    std::vector<std::string> lines;
  } cases[] = {
      {"aaa bbb ccc", DT_WORDBREAK, {"aaa bbb", "ccc"}},
      {"&Filer og a&&b", DT_SINGLELINE, {"Filer og a&b"}},
      {"&Filer", DT_SINGLELINE | DT_NOPREFIX, {"&Filer"}},
      {"en\r\nto", 0, {"en", "to"}},
  };
  for (const Case &k : cases) {
    tavo::test::ClearDrawnTexts();
    RECT box{0, 0, width("aaa bbb") + 2, 100};
    int got = DrawText(c.dc, k.text, -1, &box, k.fmt);
    auto log = tavo::test::DrawnTexts();
    ASSERT_EQ(log.size(), k.lines.size()) << k.text;
    for (size_t i = 0; i < log.size(); ++i) {
      EXPECT_EQ(log[i].text, k.lines[i]);
      EXPECT_EQ(log[i].y, (int)i * h);
    }
    EXPECT_EQ(got, (int)k.lines.size() * h);
  }

  tavo::test::ClearDrawnTexts();
  RECT mid{0, 0, 100, 40};
  int got = DrawText(c.dc, "Uge", 3, &mid, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  auto log = tavo::test::DrawnTexts();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].x, (100 - width("Uge")) / 2);
  EXPECT_EQ(log[0].y, (40 - h) / 2);
  EXPECT_EQ(got, (40 - h) / 2 + h);

  // An ending ellipsis keeps the line inside the rectangle.
  tavo::test::ClearDrawnTexts();
  RECT narrow{0, 0, 40, 20};
  DrawText(c.dc, "Lokaleoversigt for uge 12", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS);
  log = tavo::test::DrawnTexts();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].text.substr(log[0].text.size() - 3), "...");
  EXPECT_LE(width(log[0].text.c_str()), 40);

  // Clipped to the rectangle unless DT_NOCLIP.
  RECT all{0, 0, 200, 100};
  FillRect(c.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  RECT small{0, 0, 12, 20};
  DrawText(c.dc, "WWWW", -1, &small, DT_SINGLELINE);
  EXPECT_LE(c.InkBox().right, 12);
  DrawText(c.dc, "WWWW", -1, &small, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(c.InkBox().right, 12);

  // The mnemonic letter is underlined: ink just under the baseline below it
  // and none below the next letter.
  FillRect(c.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  RECT pr{0, 0, 100, 30};
  DrawText(c.dc, "o&o", -1, &pr, DT_SINGLELINE);
  int uy = tm.tmAscent + 1, ow = width("o");
  EXPECT_TRUE(c.Ink(ow + 1, uy));
  EXPECT_FALSE(c.Ink(1, uy));

  // Tabs expand to eight average characters.
  tavo::test::ClearDrawnTexts();
  FillRect(c.dc, &all, (HBRUSH)GetStockObject(WHITE_BRUSH));
  RECT tr{0, 0, 200, 30};
  DrawText(c.dc, "\tl", -1, &tr, DT_SINGLELINE | DT_EXPANDTABS);
  RECT ink = c.InkBox();
  EXPECT_GE(ink.left, 8 * tm.tmAveCharWidth);
  EXPECT_LE(ink.left, 8 * tm.tmAveCharWidth + 2);

  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(f);
}

}  // namespace

namespace {

// The program's own fonts, added from their files as at start-up, give the
// fixed cells the grids are laid out on.
TEST(Fonts, ProgramFontsGiveTheirFixedCells) {
  struct Case {
    const char *file, *face;
    int height, width;
  } cases[] = {
      {"Tvo11x8Txt.ttf", "Tvo11x8Txt", 11, 8},
      {"Tvo9x6.ttf", "Tvo9x6", 9, 6},
      {"BS11x3.ttf", "TavoFont BS11x3", 11, 3},
      {"Blk14x12.ttf", "Blk14x12", 14, 12},
  };
  Canvas c(80, 40);
  for (const Case &k : cases) {
    std::string path = std::string(TAVO_SOURCE_DIR "/resources/fonts/") + k.file;
    ASSERT_EQ(AddFontResourceEx(path.c_str(), FR_PRIVATE, nullptr), 1) << k.file;
    HFONT f = CreateFont(k.height, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, DRAFT_QUALITY, 0,
                         k.face);
    SelectObject(c.dc, f);
    TEXTMETRIC tm;
    GetTextMetrics(c.dc, &tm);
    EXPECT_EQ(tm.tmHeight, k.height) << k.face;
    EXPECT_EQ(tm.tmAveCharWidth, k.width) << k.face;
    SIZE sz;
    GetTextExtentPoint32(c.dc, "\x83\xE6Wi", 4, &sz);
    EXPECT_EQ(sz.cx, 4 * k.width) << k.face;
    SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(f);
  }
  // The bold text font is one pixel wider per cell; the upright one draws
  // its check mark (byte 131) as its own glyph.
  HFONT bold = CreateFont(11, 0, 0, 0, 600, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tvo11x8Txt");
  SelectObject(c.dc, bold);
  SIZE sz;
  GetTextExtentPoint32(c.dc, "ab", 2, &sz);
  EXPECT_EQ(sz.cx, 18);
  HFONT txt = CreateFont(11, 8, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 1, 0, "Tvo11x8Txt");
  SelectObject(c.dc, txt);
  TextOut(c.dc, 0, 0, "\x83", 1);
  RECT ink = c.InkBox();
  EXPECT_LT(ink.left, ink.right);
  EXPECT_LE(ink.right, 8);
  SelectObject(c.dc, GetStockObject(SYSTEM_FONT));
  DeleteObject(bold);
  DeleteObject(txt);
  for (const Case &k : cases) {
    std::string path = std::string(TAVO_SOURCE_DIR "/resources/fonts/") + k.file;
    EXPECT_TRUE(RemoveFontResourceEx(path.c_str(), FR_PRIVATE, nullptr));
  }
}

}  // namespace
