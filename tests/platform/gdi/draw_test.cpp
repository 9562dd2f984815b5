// Pixel rules of lines, rectangles, fills, raster operations, DIBs, pattern
// brushes, palettes and clipping.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tavo/test_gdi.h"
#include "win/gdi.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// A memory DC on a w x h bitmap filled with one colour.
struct Canvas {
  HDC dc;
  HBITMAP bm, old;
  Canvas(int w, int h, COLORREF fill = kRed) {
    dc = CreateCompatibleDC(0);
    bm = CreateCompatibleBitmap(dc, w, h);
    old = SelectObject(dc, bm);
    HBRUSH b = CreateSolidBrush(fill);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return tavo::test::SurfacePixel(dc, x, y); }
  // The pixels of one row as 'K' black, 'W' white, 'R' red, '?' other.
  std::string Row(int y, int w) const {
    std::string s;
    for (int x = 0; x < w; ++x) {
      COLORREF c = At(x, y);
      s += c == kBlack ? 'K' : c == kWhite ? 'W' : c == kRed ? 'R' : '?';
    }
    return s;
  }
};

TEST(Lines, OnePixelRectangleAndExclusiveEdges) {
  Canvas c(8, 6);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
  Rectangle(c.dc, 1, 1, 2, 2);  // one pixel: only the pen
  EXPECT_EQ(c.Row(0, 8), "RRRRRRRR");
  EXPECT_EQ(c.Row(1, 8), "RKRRRRRR");
  EXPECT_EQ(c.Row(2, 8), "RRRRRRRR");

  Canvas d(8, 6);
  SelectObject(d.dc, GetStockObject(BLACK_PEN));
  SelectObject(d.dc, GetStockObject(WHITE_BRUSH));
  Rectangle(d.dc, 1, 1, 6, 5);
  EXPECT_EQ(d.Row(0, 8), "RRRRRRRR");
  EXPECT_EQ(d.Row(1, 8), "RKKKKKRR");
  EXPECT_EQ(d.Row(2, 8), "RKWWWKRR");
  EXPECT_EQ(d.Row(4, 8), "RKKKKKRR");
  EXPECT_EQ(d.Row(5, 8), "RRRRRRRR");

  // Without a pen the fill loses its right column and bottom row.
  Canvas e(8, 6);
  SelectObject(e.dc, GetStockObject(NULL_PEN));
  SelectObject(e.dc, GetStockObject(WHITE_BRUSH));
  Rectangle(e.dc, 1, 1, 6, 5);
  EXPECT_EQ(e.Row(1, 8), "RWWWWRRR");
  EXPECT_EQ(e.Row(4, 8), "RRRRRRRR");
}

TEST(Lines, LineLeavesOutItsEndPoint) {
  Canvas c(8, 8);
  SelectObject(c.dc, GetStockObject(BLACK_PEN));
  MoveToEx(c.dc, 1, 0, nullptr);
  LineTo(c.dc, 5, 0);
  EXPECT_EQ(c.Row(0, 8), "RKKKKRRR");
  MoveToEx(c.dc, 0, 2, nullptr);
  LineTo(c.dc, 3, 5);
  EXPECT_EQ(c.At(0, 2), kBlack);
  EXPECT_EQ(c.At(2, 4), kBlack);
  EXPECT_EQ(c.At(3, 5), kRed);
  POINT cur;
  GetCurrentPositionEx(c.dc, &cur);
  EXPECT_EQ(cur.x, 3);
  EXPECT_EQ(cur.y, 5);
  // A line back the other way covers the first one's end but not its start.
  MoveToEx(c.dc, 7, 7, nullptr);
  LineTo(c.dc, 4, 7);
  EXPECT_EQ(c.Row(7, 8), "RRRRRKKK");
  MoveToEx(c.dc, 6, 6, nullptr);
  LineTo(c.dc, 6, 3);
  EXPECT_EQ(c.At(6, 6), kBlack);
  EXPECT_EQ(c.At(6, 4), kBlack);
  EXPECT_EQ(c.At(6, 3), kRed);
  // Lines far longer than any surface end at once and draw their visible part.
  MoveToEx(c.dc, -2000000000, 1, nullptr);
  LineTo(c.dc, 2000000000, 1);
  EXPECT_EQ(c.Row(1, 8), "KKKKKKKK");
  MoveToEx(c.dc, -1000000000, -1000000000, nullptr);
  LineTo(c.dc, 1000000000, 1000000000);
  EXPECT_EQ(c.At(5, 5), kBlack);
}

TEST(Lines, Rop2OnThePixels) {
  struct Case {
    int rop2;
    COLORREF pen, dst, want;
  } cases[] = {
      {R2_COPYPEN, RGB(1, 2, 3), RGB(200, 100, 50), RGB(1, 2, 3)},
      {R2_NOT, RGB(1, 2, 3), RGB(200, 100, 50), RGB(55, 155, 205)},
      {R2_XORPEN, RGB(255, 0, 15), RGB(200, 100, 50), RGB(55, 100, 61)},
      {R2_NOTXORPEN, RGB(255, 0, 15), RGB(200, 100, 50), RGB(200, 155, 194)},
  };
  for (const Case &k : cases) {
    Canvas c(4, 1, k.dst);
    HPEN pen = CreatePen(PS_SOLID, 1, k.pen);
    HGDIOBJ old = SelectObject(c.dc, pen);
    EXPECT_EQ(SetROP2(c.dc, k.rop2), R2_COPYPEN);
    MoveToEx(c.dc, 0, 0, nullptr);
    LineTo(c.dc, 1, 0);
    EXPECT_EQ(c.At(0, 0), k.want) << "rop2 " << k.rop2;
    EXPECT_EQ(c.At(1, 0), k.dst);
    SelectObject(c.dc, old);
    DeleteObject(pen);
  }
}

TEST(Fills, FillRectFrameRectAndInvertTwice) {
  Canvas c(6, 4);
  RECT r{1, 1, 4, 3};
  FillRect(c.dc, &r, (HBRUSH)GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(c.Row(1, 6), "RWWWRR");
  EXPECT_EQ(c.Row(3, 6), "RRRRRR");
  RECT empty{3, 3, 3, 4};
  FillRect(c.dc, &empty, (HBRUSH)GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(c.Row(3, 6), "RRRRRR");

  RECT all{0, 0, 6, 4};
  FrameRect(c.dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(c.Row(0, 6), "KKKKKK");
  EXPECT_EQ(c.Row(1, 6), "KWWWRK");

  RECT inv{0, 1, 3, 2};
  InvertRect(c.dc, &inv);
  EXPECT_EQ(c.At(0, 1), kWhite);
  EXPECT_EQ(c.At(1, 1), kBlack);
  InvertRect(c.dc, &inv);
  EXPECT_EQ(c.Row(1, 6), "KWWWRK");
}

TEST(Fills, PatBltRasterOperations) {
  struct Case {
    DWORD rop;
    COLORREF want;
  } cases[] = {
      {PATCOPY, RGB(10, 20, 30)},     {PATINVERT, RGB(10 ^ 200, 20 ^ 100, 30 ^ 50)},
      {DSTINVERT, RGB(55, 155, 205)}, {BLACKNESS, kBlack},
      {WHITENESS, kWhite},
  };
  for (const Case &k : cases) {
    Canvas c(3, 3, RGB(200, 100, 50));
    HBRUSH b = CreateSolidBrush(RGB(10, 20, 30));
    SelectObject(c.dc, b);
    EXPECT_TRUE(PatBlt(c.dc, 1, 1, 1, 1, k.rop));
    EXPECT_EQ(c.At(1, 1), k.want) << std::hex << k.rop;
    EXPECT_EQ(c.At(0, 0), RGB(200, 100, 50));
    SelectObject(c.dc, GetStockObject(WHITE_BRUSH));
    DeleteObject(b);
  }
  Canvas c(2, 2);
  EXPECT_FALSE(PatBlt(c.dc, 0, 0, 1, 1, SRCCOPY));  // needs a source
}

TEST(Fills, FocusRectIsDottedAndUndoesItself) {
  Canvas c(6, 4, kWhite);
  RECT r{0, 0, 6, 4};
  DrawFocusRect(c.dc, &r);
  EXPECT_EQ(c.Row(0, 6), "KWKWKW");
  EXPECT_EQ(c.Row(1, 6), "WWWWWK");
  EXPECT_EQ(c.Row(2, 6), "KWWWWW");
  DrawFocusRect(c.dc, &r);
  for (int y = 0; y < 4; ++y) EXPECT_EQ(c.Row(y, 6), "WWWWWW");
}

TEST(Fills, DrawEdgeSunkenAndAdjust) {
  Canvas c(6, 6);
  RECT r{0, 0, 6, 6};
  DrawEdge(c.dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 2);
  EXPECT_EQ(r.right, 4);
  EXPECT_EQ(r.bottom, 4);
  EXPECT_EQ(c.At(0, 0), GetSysColor(COLOR_BTNSHADOW));  // outer top-left
  EXPECT_EQ(c.At(5, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_BTNHIGHLIGHT));  // outer bottom-right
  EXPECT_EQ(c.At(1, 1), GetSysColor(COLOR_3DDKSHADOW));    // inner top-left
  EXPECT_EQ(c.At(4, 4), GetSysColor(COLOR_3DLIGHT));       // inner bottom-right
  EXPECT_EQ(c.At(2, 2), kRed);                // the middle stays
}

// A bottom-up DIB of 4 bits per pixel with its 16-entry colour table.
struct Dib4 {
  BITMAPINFOHEADER h{};
  RGBQUAD table[16]{};
  uint8_t bits[64]{};
  Dib4(int w, int height, DWORD used = 0) {
    h.biSize = sizeof h;
    h.biWidth = w;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 4;
    h.biClrUsed = used;
    for (int i = 0; i < 16; ++i) table[i] = RGBQUAD{(BYTE)(i * 10), (BYTE)(i * 5), (BYTE)i, 0};
  }
  void Set(int x, int row_from_bottom, int index) {
    uint8_t &b = bits[row_from_bottom * 4 + x / 2];
    b = (x & 1) ? (uint8_t)((b & 0xF0) | index) : (uint8_t)((b & 0x0F) | (index << 4));
  }
  const BITMAPINFO *Info() const { return reinterpret_cast<const BITMAPINFO *>(&h); }
};
static_assert(offsetof(Dib4, table) == 40, "the colour table follows the header");

TEST(Dibs, FourBitWithPatchedColourTable) {
  Dib4 d(4, 2);
  // bottom row: 0 7 8 15; top row: 15 8 7 0
  int idx[4] = {0, 7, 8, 15};
  for (int x = 0; x < 4; ++x) {
    d.Set(x, 0, idx[x]);
    d.Set(x, 1, idx[3 - x]);
  }
  // Patch the entries as a program does with system colours (blue-green-red order).
  d.table[0] = RGBQUAD{1, 2, 3, 0};
  d.table[7] = RGBQUAD{255, 255, 255, 0};
  d.table[8] = RGBQUAD{128, 128, 128, 0};
  d.table[15] = RGBQUAD{0, 0, 255, 0};
  Canvas c(6, 3);
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 1, 1, 4, 2, 0, 0, 0, 2, d.bits, d.Info(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(c.At(1, 2), RGB(3, 2, 1));  // bottom row on the bottom
  EXPECT_EQ(c.At(2, 2), kWhite);
  EXPECT_EQ(c.At(3, 2), RGB(128, 128, 128));
  EXPECT_EQ(c.At(4, 2), kRed);
  EXPECT_EQ(c.At(1, 1), kRed);
  EXPECT_EQ(c.At(4, 1), RGB(3, 2, 1));
  EXPECT_EQ(c.At(0, 1), kRed);  // outside the picture: untouched
  EXPECT_EQ(c.At(5, 1), kRed);
}

TEST(Dibs, SourceOffsetUsedColoursAndTopDown) {
  // Two 2x1 pictures side by side; draw the second.
  Dib4 d(4, 1);
  d.Set(0, 0, 1);
  d.Set(1, 0, 1);
  d.Set(2, 0, 2);
  d.Set(3, 0, 3);
  Canvas c(4, 1);
  SetDIBitsToDevice(c.dc, 0, 0, 2, 1, 2, 0, 0, 1, d.bits, d.Info(), DIB_RGB_COLORS);
  EXPECT_EQ(c.At(0, 0), RGB(2, 10, 20));
  EXPECT_EQ(c.At(1, 0), RGB(3, 15, 30));
  EXPECT_EQ(c.At(2, 0), kRed);

  // With two colours in use, index 3 has no entry and reads as black.
  Dib4 u(4, 1, 2);
  std::memcpy(u.bits, d.bits, sizeof d.bits);
  Canvas c2(4, 1);
  SetDIBitsToDevice(c2.dc, 0, 0, 4, 1, 0, 0, 0, 1, u.bits, u.Info(), DIB_RGB_COLORS);
  EXPECT_EQ(c2.At(0, 0), RGB(1, 5, 10));
  EXPECT_EQ(c2.At(3, 0), kBlack);

  // A top-down picture draws its first row at the top.
  Dib4 t(2, -2);
  t.Set(0, 0, 1);
  t.Set(0, 1, 2);
  Canvas c3(2, 2);
  SetDIBitsToDevice(c3.dc, 0, 0, 2, 2, 0, 0, 0, 2, t.bits, t.Info(), DIB_RGB_COLORS);
  EXPECT_EQ(c3.At(0, 0), RGB(1, 5, 10));
  EXPECT_EQ(c3.At(0, 1), RGB(2, 10, 20));
}

TEST(Dibs, OneEightAndTwentyFourBits) {
  struct Info {
    BITMAPINFOHEADER h;
    RGBQUAD t[256];
  } info{};
  info.h.biSize = sizeof info.h;
  info.h.biWidth = 2;
  info.h.biHeight = 1;
  info.h.biPlanes = 1;
  const BITMAPINFO *bmi = reinterpret_cast<const BITMAPINFO *>(&info);
  info.t[0] = RGBQUAD{0, 0, 0, 0};
  info.t[1] = RGBQUAD{0, 255, 0, 0};
  info.t[200] = RGBQUAD{255, 0, 0, 0};

  info.h.biBitCount = 1;
  uint8_t one[4] = {0x40};  // pixel 0 = 0, pixel 1 = 1
  Canvas a(2, 1);
  SetDIBitsToDevice(a.dc, 0, 0, 2, 1, 0, 0, 0, 1, one, bmi, DIB_RGB_COLORS);
  EXPECT_EQ(a.At(0, 0), kBlack);
  EXPECT_EQ(a.At(1, 0), RGB(0, 255, 0));

  info.h.biBitCount = 8;
  uint8_t eight[4] = {200, 1};
  Canvas b(2, 1);
  SetDIBitsToDevice(b.dc, 0, 0, 2, 1, 0, 0, 0, 1, eight, bmi, DIB_RGB_COLORS);
  EXPECT_EQ(b.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(b.At(1, 0), RGB(0, 255, 0));

  info.h.biBitCount = 24;
  uint8_t rgb[8] = {1, 2, 3, 4, 5, 6};  // blue, green, red
  Canvas c(2, 1);
  SetDIBitsToDevice(c.dc, 0, 0, 2, 1, 0, 0, 0, 1, rgb, bmi, DIB_RGB_COLORS);
  EXPECT_EQ(c.At(0, 0), RGB(3, 2, 1));
  EXPECT_EQ(c.At(1, 0), RGB(6, 5, 4));

  // StretchDIBits doubles each pixel.
  Canvas s(4, 2);
  EXPECT_EQ(StretchDIBits(s.dc, 0, 0, 4, 2, 0, 0, 2, 1, rgb, bmi, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(s.At(1, 1), RGB(3, 2, 1));
  EXPECT_EQ(s.At(2, 0), RGB(6, 5, 4));

  // The older core header: 16-bit sizes and three-byte colour entries.
  const uint8_t core[12 + 6 + 4] = {12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,  // 2 x 1, 1 bit
                                    0, 0, 255, 255, 0, 0,                   // red, blue
                                    0x80, 0, 0, 0};                          // pixels 1, 0
  Canvas k(2, 1);
  const BITMAPINFO *ci = reinterpret_cast<const BITMAPINFO *>(core);
  EXPECT_EQ(SetDIBitsToDevice(k.dc, 0, 0, 2, 1, 0, 0, 0, 1, core + 18, ci, DIB_RGB_COLORS), 1);
  EXPECT_EQ(k.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(k.At(1, 0), RGB(255, 0, 0));

  info.h.biBitCount = 3;  // no such depth
  EXPECT_EQ(SetDIBitsToDevice(c.dc, 0, 0, 2, 1, 0, 0, 0, 1, rgb, bmi, DIB_RGB_COLORS), 0);
}

// An 8x8 4-bpp checkerboard of table entries 0 and 1, packed as a pattern brush wants it.
struct Checker {
  BITMAPINFOHEADER h{};
  union {
    RGBQUAD rgb[16];
    WORD pal[32];
  } t{};
  uint8_t bits[32]{};
  Checker() {
    h.biSize = sizeof h;
    h.biWidth = 8;
    h.biHeight = 8;
    h.biPlanes = 1;
    h.biBitCount = 4;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 4; ++x) bits[y * 4 + x] = (y & 1) ? 0x10 : 0x01;
  }
};

TEST(Brushes, DibPatternBrushRgbAndPaletteColours) {
  Checker ck;
  ck.t.rgb[0] = RGBQUAD{0, 0, 255, 0};  // red
  ck.t.rgb[1] = RGBQUAD{255, 0, 0, 0};  // blue
  HBRUSH b = CreateDIBPatternBrushPt(&ck, DIB_RGB_COLORS);
  ASSERT_NE(b, 0u);
  Canvas c(10, 10, kWhite);
  RECT r{1, 0, 10, 10};
  FillRect(c.dc, &r, b);
  // The pattern is anchored at the DC's origin, not at the rectangle;
  // memory row 0 is the picture's bottom row (row 7).
  for (int y = 0; y < 10; ++y)
    for (int x = 1; x < 10; ++x) {
      int py = 7 - (y % 8), px = x % 8;
      bool one = (py & 1) ? (px % 2 == 0) : (px % 2 == 1);
      ASSERT_EQ(c.At(x, y), one ? RGB(0, 0, 255) : kRed) << x << "," << y;
    }
  EXPECT_EQ(c.At(0, 0), kWhite);
  DeleteObject(b);

  // Palette colours: the table holds indexes into the DC's palette.
  struct {
    WORD ver, n;
    PALETTEENTRY e[60];
  } lp{0x300, 60, {}};
  for (auto &e : lp.e) e = PALETTEENTRY{0, 0, 0, PC_RESERVED};
  lp.e[12] = PALETTEENTRY{10, 20, 30, PC_RESERVED};
  lp.e[40] = PALETTEENTRY{40, 50, 60, PC_RESERVED};
  HPALETTE pal = CreatePalette(reinterpret_cast<LOGPALETTE *>(&lp));
  Checker pk;
  pk.t.pal[0] = 12;
  pk.t.pal[1] = 40;
  // Packed: the header, 16 WORD indexes, then the pixels.
  std::vector<uint8_t> packed(sizeof pk.h + 32 + sizeof pk.bits);
  std::memcpy(packed.data(), &pk.h, sizeof pk.h);
  std::memcpy(packed.data() + sizeof pk.h, pk.t.pal, 32);
  std::memcpy(packed.data() + sizeof pk.h + 32, pk.bits, sizeof pk.bits);
  HBRUSH pb = CreateDIBPatternBrushPt(packed.data(), DIB_PAL_COLORS);
  Canvas d(2, 1);
  SelectPalette(d.dc, pal, FALSE);
  RealizePalette(d.dc);
  RECT r2{0, 0, 2, 1};
  FillRect(d.dc, &r2, pb);
  // Row 0 of the DC is picture row 7 (odd): pixels 1,0,1,0...
  EXPECT_EQ(d.At(0, 0), RGB(40, 50, 60));
  EXPECT_EQ(d.At(1, 0), RGB(10, 20, 30));
  DeleteObject(pb);

  // A solid palette-index brush follows the palette's current entry.
  HBRUSH ib = CreateSolidBrush(PALETTEINDEX(12));
  FillRect(d.dc, &r2, ib);
  EXPECT_EQ(d.At(0, 0), RGB(10, 20, 30));
  PALETTEENTRY ne{99, 98, 97, PC_RESERVED};
  AnimatePalette(pal, 12, 1, &ne);
  FillRect(d.dc, &r2, ib);
  EXPECT_EQ(d.At(0, 0), RGB(99, 98, 97));
  EXPECT_TRUE(UpdateColors(d.dc));
  SetTextColor(d.dc, PALETTERGB(1, 2, 3));
  DeleteObject(ib);
  SelectPalette(d.dc, (HPALETTE)GetStockObject(DEFAULT_PALETTE), FALSE);
  DeleteObject(pal);
}

TEST(Blits, RasterOperationsTable) {
  struct Case {
    DWORD rop;
    COLORREF want;
  } cases[] = {
      {SRCCOPY, RGB(0xF0, 0x0F, 0x33)},
      {SRCAND, RGB(0xF0 & 0xAA, 0x0F & 0xAA, 0x33 & 0xAA)},
      {SRCPAINT, RGB(0xF0 | 0xAA, 0x0F | 0xAA, 0x33 | 0xAA)},
      {SRCINVERT, RGB(0xF0 ^ 0xAA, 0x0F ^ 0xAA, 0x33 ^ 0xAA)},
      {NOTSRCCOPY, RGB(0x0F, 0xF0, 0xCC)},
      {DSTINVERT, RGB(0x55, 0x55, 0x55)},
  };
  Canvas src(2, 2, RGB(0xF0, 0x0F, 0x33));
  for (const Case &k : cases) {
    Canvas dst(3, 3, RGB(0xAA, 0xAA, 0xAA));
    EXPECT_TRUE(BitBlt(dst.dc, 1, 1, 2, 2, src.dc, 0, 0, k.rop));
    EXPECT_EQ(dst.At(1, 1), k.want) << std::hex << k.rop;
    EXPECT_EQ(dst.At(2, 2), k.want);
    EXPECT_EQ(dst.At(0, 0), RGB(0xAA, 0xAA, 0xAA));
  }
}

TEST(Blits, StretchAndOverlappingCopy) {
  Canvas src(2, 1);
  SetPixel(src.dc, 1, 0, kBlack);
  Canvas dst(4, 2, kWhite);
  StretchBlt(dst.dc, 0, 0, 4, 2, src.dc, 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(dst.Row(0, 4), "RRKK");
  EXPECT_EQ(dst.Row(1, 4), "RRKK");

  // Scrolling within one surface reads the pixels as they were.
  Canvas s(5, 1, kWhite);
  SetPixel(s.dc, 0, 0, kBlack);
  SetPixel(s.dc, 1, 0, kRed);
  BitBlt(s.dc, 1, 0, 4, 1, s.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(s.Row(0, 5), "KKRWW");
}

TEST(Clipping, ClipRectsRegionsAndSavedStates) {
  Canvas c(8, 2);
  HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
  RECT all{0, 0, 8, 2};
  int saved = SaveDC(c.dc);
  EXPECT_EQ(IntersectClipRect(c.dc, 1, 0, 7, 2), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.dc, 3, 0, 5, 2), COMPLEXREGION);
  RECT box;
  GetClipBox(c.dc, &box);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.right, 7);
  FillRect(c.dc, &all, white);
  EXPECT_EQ(c.Row(0, 8), "RWWRRWWR");
  EXPECT_FALSE(PtVisible(c.dc, 3, 0));
  RestoreDC(c.dc, saved);
  FillRect(c.dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
  EXPECT_EQ(c.Row(0, 8), "KKKKKKKK");

  // A selected region is in device units: the viewport origin moves the
  // drawing, not the region.
  HRGN rg = CreateRectRgn(2, 0, 4, 1);
  SelectClipRgn(c.dc, rg);
  SetViewportOrgEx(c.dc, 1, 0, nullptr);
  FillRect(c.dc, &all, white);
  EXPECT_EQ(c.Row(0, 8), "KKWWKKKK");
  RECT one{0, 0, 1, 1};
  SelectClipRgn(c.dc, 0);
  FillRect(c.dc, &one, (HBRUSH)GetStockObject(GRAY_BRUSH));
  EXPECT_EQ(c.At(1, 0), RGB(128, 128, 128));
  DeleteObject(rg);
}

TEST(Clipping, RegionArithmetic) {
  HRGN a = CreateRectRgn(0, 0, 4, 4), b = CreateRectRgn(2, 2, 6, 6), d = CreateRectRgn(0, 0, 0, 0);
  struct Case {
    int mode, kind;
    POINT in, out;
    RECT box;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, {3, 3}, {1, 1}, {2, 2, 4, 4}},
      {RGN_OR, COMPLEXREGION, {5, 5}, {5, 0}, {0, 0, 6, 6}},
      {RGN_XOR, COMPLEXREGION, {1, 1}, {3, 3}, {0, 0, 6, 6}},
      {RGN_DIFF, COMPLEXREGION, {3, 1}, {3, 3}, {0, 0, 4, 4}},
  };
  for (const Case &k : cases) {
    EXPECT_EQ(CombineRgn(d, a, b, k.mode), k.kind) << k.mode;
    EXPECT_TRUE(PtInRegion(d, k.in.x, k.in.y)) << k.mode;
    EXPECT_FALSE(PtInRegion(d, k.out.x, k.out.y)) << k.mode;
    RECT box;
    GetRgnBox(d, &box);
    EXPECT_EQ(box.left, k.box.left);
    EXPECT_EQ(box.bottom, k.box.bottom);
  }
  HRGN e = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(d, a, b, RGN_OR);
  CombineRgn(e, d, b, RGN_DIFF);
  HRGN back = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(back, e, b, RGN_OR);
  EXPECT_TRUE(EqualRgn(back, d));
  for (HRGN h : {a, b, d, e, back}) DeleteObject(h);
}

TEST(Objects, SelectDeleteAndGetObject) {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, 7, 5);
  BITMAP info{};
  ASSERT_EQ(GetObject(bm, sizeof info, &info), (int)sizeof info);
  EXPECT_EQ(info.bmWidth, 7);
  EXPECT_EQ(info.bmHeight, 5);
  EXPECT_EQ(info.bmBitsPixel, 32);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_NE(old, 0u);
  EXPECT_FALSE(DeleteObject(bm));  // still selected
  HPEN pen = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
  LOGPEN lp{};
  GetObject(pen, sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, (UINT)PS_DASH);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(SelectObject(dc, old), bm);
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // harmless
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), (DWORD)OBJ_BRUSH);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES), 32);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
  // Sizes that would take gigabytes are refused.
  EXPECT_EQ(CreateCompatibleBitmap(dc, 16384, 16384), 0u);
  EXPECT_EQ(CreateBitmap(16000, 16000, 1, 32, nullptr), 0u);
  EXPECT_EQ(CreateCompatibleBitmap(dc, 0, 5), 0u);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(SelectObject(dc, GetStockObject(BLACK_PEN)), 0u);
}

TEST(Objects, MonochromeBitmapBlitsInTextColours) {
  const uint8_t bits[2] = {0x80, 0};  // first pixel white, the rest black
  HBITMAP mono = CreateBitmap(2, 1, 1, 1, bits);
  HDC src = CreateCompatibleDC(0);
  HGDIOBJ old = SelectObject(src, mono);
  Canvas dst(2, 1);
  SetTextColor(dst.dc, RGB(1, 1, 1));
  SetBkColor(dst.dc, RGB(2, 2, 2));
  BitBlt(dst.dc, 0, 0, 2, 1, src, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), RGB(2, 2, 2));
  EXPECT_EQ(dst.At(1, 0), RGB(1, 1, 1));
  SelectObject(src, old);
  DeleteDC(src);
  DeleteObject(mono);
}

}  // namespace

namespace {

// Deleting a pen, brush or font that a DC still holds fails and leaves it
// working; once deselected it deletes.
TEST(SelectedObjects, DeleteFailsWhileSelectedAndDrawingGoesOn) {
  struct Case {
    const char *navn;
    HGDIOBJ (*lav)();
    void (*tegn)(HDC);
    bool (*virker)(Canvas &);
  } cases[] = {
      {"pen", [] { return (HGDIOBJ)CreatePen(PS_SOLID, 1, kBlack); },
       [](HDC dc) { MoveToEx(dc, 0, 1, nullptr); LineTo(dc, 6, 1); },
       [](Canvas &c) { return c.Row(1, 6) == "KKKKKK"; }},
      {"brush", [] { return (HGDIOBJ)CreateSolidBrush(kWhite); },
       [](HDC dc) { SelectObject(dc, GetStockObject(NULL_PEN)); Rectangle(dc, 0, 0, 7, 4); },
       [](Canvas &c) { return c.Row(1, 6) == "WWWWWW"; }},
      {"font", [] {
         return (HGDIOBJ)CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
       },
       [](HDC) {},
       [](Canvas &c) {
         SIZE sz{};
         return GetTextExtentPoint32A(c.dc, "Hello", 5, &sz) && sz.cy >= 18 && sz.cy <= 24;
       }},
  };
  for (const Case &k : cases) {
    Canvas c(6, 4);
    HGDIOBJ obj = k.lav();
    HGDIOBJ old = SelectObject(c.dc, obj);
    EXPECT_EQ(DeleteObject(obj), FALSE) << k.navn;
    k.tegn(c.dc);
    EXPECT_TRUE(k.virker(c)) << k.navn;

    // Held only by a saved state, it is still in use.
    int gemt = SaveDC(c.dc);
    SelectObject(c.dc, old);
    EXPECT_EQ(DeleteObject(obj), FALSE) << k.navn << " in a saved state";
    RestoreDC(c.dc, gemt);

    SelectObject(c.dc, old);
    EXPECT_NE(DeleteObject(obj), FALSE) << k.navn << " after deselecting";
  }
}

}  // namespace
