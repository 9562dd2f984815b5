#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "SYSBMP.h"
#include "palette_fixture.h"

namespace {

using ui_test::MemDC;

// A packed DIB: header, colour table and pixel rows (bottom-up).
std::vector<uint8_t> Dib(int w, int h, int bpp, const std::vector<RGBQUAD> &farver,
                         const std::vector<std::vector<uint8_t>> &raekker) {
  BITMAPINFOHEADER hdr = {};
  hdr.biSize = sizeof hdr;
  hdr.biWidth = w;
  hdr.biHeight = h;
  hdr.biPlanes = 1;
  hdr.biBitCount = static_cast<WORD>(bpp);
  hdr.biCompression = BI_RGB;
  std::vector<uint8_t> d(sizeof hdr);
  std::memcpy(d.data(), &hdr, sizeof hdr);
  for (const RGBQUAD &q : farver) d.insert(d.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, 0});
  for (const auto &r : raekker) d.insert(d.end(), r.begin(), r.end());
  return d;
}

RGBQUAD Q(int i) { return {static_cast<BYTE>(i * 10), static_cast<BYTE>(i * 5), 100, 0}; }
COLORREF Farve(int i) { return RGB(100, i * 5, i * 10); }

SysBmpStrip Strip(int id, const std::vector<uint8_t> &dib, uint32_t w, uint32_t h) {
  tavo::res::RegisterBitmap("klient_ui_test", id, dib.data(), dib.size());
  HRSRC r = FindResourceA(0, MAKEINTRESOURCE(id), RT_BITMAP);
  EXPECT_NE(r, 0u);
  return {LoadResource(0, r), w, h, SizeofResource(0, r)};
}

TEST(SysColBitmap, PatchesExactlyEntries0_7_8_15) {
  // 16 pixels, pixel i in colour i; the 4-bit rows pack two pixels a byte.
  std::vector<RGBQUAD> farver;
  for (int i = 0; i < 16; ++i) farver.push_back(Q(i));
  std::vector<uint8_t> raekke;
  for (int i = 0; i < 16; i += 2) raekke.push_back(static_cast<uint8_t>(i << 4 | (i + 1)));
  static const std::vector<uint8_t> dib = Dib(16, 1, 4, farver, {raekke});
  const std::vector<uint8_t> foer = dib;
  const SysBmpStrip s = Strip(9101, dib, 16, 1);

  MemDC m(16, 1);
  DrawSysColBitmap(m.dc, &s, 0, 0);
  for (int i = 0; i < 16; ++i) {
    COLORREF forventet = Farve(i);
    if (i == 0) forventet = GetSysColor(COLOR_3DDKSHADOW);
    if (i == 7) forventet = GetSysColor(COLOR_WINDOW);
    if (i == 8) forventet = GetSysColor(COLOR_BTNSHADOW);
    if (i == 15) forventet = GetSysColor(COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(m.Px(i, 0), forventet) << "entry " << i;
  }
  EXPECT_EQ(dib, foer) << "the resource itself is changed";
}

TEST(SysColBitmap, PicksThePictureByColumnAndRow) {
  // Two pictures of 2 x 1 side by side, two rows of them; bottom-up, so the
  // first stored row is row 0 of the strip.
  std::vector<RGBQUAD> farver;
  for (int i = 0; i < 256; ++i) farver.push_back(Q(i % 20));
  static const std::vector<uint8_t> dib =
      Dib(4, 2, 8, farver, {{1, 2, 3, 4}, {5, 6, 9, 10}});
  const SysBmpStrip s = Strip(9102, dib, 2, 1);
  const struct {
    int kol, raekke;
    int a, b;
  } tilfaelde[] = {{0, 0, 1, 2}, {1, 0, 3, 4}, {0, 1, 5, 6}, {1, 1, 9, 10}};
  for (const auto &t : tilfaelde) {
    MemDC m(3, 1);
    DrawSysColBitmap(m.dc, &s, t.kol, t.raekke);
    EXPECT_EQ(m.Px(0, 0), Farve(t.a)) << t.kol << "," << t.raekke;
    EXPECT_EQ(m.Px(1, 0), Farve(t.b)) << t.kol << "," << t.raekke;
    EXPECT_EQ(m.Px(2, 0), RGB(255, 255, 255));
  }
}

TEST(SysColBitmap, SmallTablesKeepTheirPixels) {
  // A 1-bit picture has two entries: only entry 0 is patched, and the
  // pixels right after the table stay as they are.
  static const std::vector<uint8_t> mono = Dib(8, 1, 1, {Q(3), Q(4)}, {{0x55, 0, 0, 0}});
  const SysBmpStrip s1 = Strip(9103, mono, 8, 1);
  MemDC m(8, 1);
  DrawSysColBitmap(m.dc, &s1, 0, 0);
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(m.Px(x, 0), x % 2 ? Farve(4) : GetSysColor(COLOR_3DDKSHADOW)) << x;

  // 24 bits: no table, drawn as stored.
  static const std::vector<uint8_t> rgb = Dib(1, 1, 24, {}, {{30, 20, 10, 0}});
  const SysBmpStrip s2 = Strip(9104, rgb, 1, 1);
  MemDC r(1, 1);
  DrawSysColBitmap(r.dc, &s2, 0, 0);
  EXPECT_EQ(r.Px(0, 0), RGB(10, 20, 30));

  // Other depths and cut-off resources are not drawn.
  static const std::vector<uint8_t> d16 = Dib(1, 1, 16, {}, {{1, 2, 0, 0}});
  const SysBmpStrip s3 = Strip(9105, d16, 1, 1);
  MemDC u(1, 1);
  DrawSysColBitmap(u.dc, &s3, 0, 0);
  SysBmpStrip kort = s1;
  kort.stoerrelse -= 4;
  DrawSysColBitmap(u.dc, &kort, 0, 0);
  EXPECT_EQ(u.Px(0, 0), RGB(255, 255, 255));
}

}  // namespace
