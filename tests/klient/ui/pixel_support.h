// A painter's pixels both ways: with the background filled whole first
// (the old order) and as it paints now, on a patterned bitmap so that a
// pixel nothing paints shows, under a clip that cuts what is painted in
// part. Windows-1252 texts and colours are the program's own.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FARVER.h"
#include "tavo/test_gdi.h"
#include "windows.h"

namespace pixeltest {

// The pixels of B x H after tegn(dc) with TegnBaggrundHel = hel.
inline std::vector<COLORREF> Maal(int B, int H, bool hel, const std::function<void(HDC)> &tegn,
                                  const std::function<void(HDC)> &forbered = nullptr) {
  HDC m = CreateCompatibleDC(0);
  HBITMAP mbm = CreateCompatibleBitmap(m, 3, 3);
  HGDIOBJ mgammel = SelectObject(m, mbm);
  for (int i = 0; i < 9; ++i)
    SetPixel(m, i % 3, i / 3, i % 3 == 0 ? RGB(1, 2, 3) : i % 3 == 1 ? RGB(250, 3, 200) : RGB(7, 240, 9));
  SelectObject(m, mgammel);
  DeleteDC(m);
  HBRUSH stoej = CreatePatternBrush(mbm);

  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, B, H);
  HGDIOBJ gammel = SelectObject(dc, bm);
  const RECT alt{0, 0, B, H};
  FillRect(dc, &alt, stoej);
  if (forbered) forbered(dc);
  IntersectClipRect(dc, 3, 5, B - 7, H - 4);
  TegnBaggrundHel = hel;
  tegn(dc);
  TegnBaggrundHel = false;
  std::vector<COLORREF> px;
  px.reserve(static_cast<size_t>(B) * static_cast<size_t>(H));
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < B; ++x) px.push_back(tavo::test::SurfacePixel(dc, x, y));
  SelectObject(dc, gammel);
  DeleteObject(bm);
  DeleteDC(dc);
  DeleteObject(stoej);
  DeleteObject(mbm);
  return px;
}

// Fails with the first few pixels that differ between the two orders, and
// when nothing at all was painted (a fixture that shows nothing proves
// nothing).
inline void SammePixels(int B, int H, const std::function<void(HDC)> &tegn,
                        const std::function<void(HDC)> &forbered = nullptr) {
  const std::vector<COLORREF> gammel = Maal(B, H, true, tegn, forbered), ny = Maal(B, H, false, tegn, forbered);
  ASSERT_EQ(gammel.size(), ny.size());
  const std::vector<COLORREF> tom = Maal(B, H, true, [](HDC) {}, forbered);
  EXPECT_NE(gammel, tom) << "the fixture paints nothing";
  int forskel = 0;
  for (size_t i = 0; i < ny.size() && forskel < 5; ++i)
    if (gammel[i] != ny[i]) {
      ++forskel;
      ADD_FAILURE() << "pixel " << i % static_cast<size_t>(B) << "," << i / static_cast<size_t>(B) << ": " << std::hex
                    << gammel[i] << " became " << ny[i];
    }
}

}  // namespace pixeltest
