// Paints a 1280 x 1024 grid of 60 rows x 40 text cells with fills, lines
// and text through the drawing calls, as the schedule grid does, and
// compares it with a bare cairo fill of the same area.

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "win/gdi.h"

namespace {

constexpr int kW = 1280, kH = 1024, kRows = 60, kCols = 40;
constexpr int kCellW = kW / kCols, kCellH = kH / kRows;

double Ms(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

void Paint(HDC dc, HBRUSH *brushes, HPEN pen, HFONT font) {
  static const char *texts[] = {"Dan", "Mat", "Eng", "Fys", "Kemi", "Idr", "Samf", "Bio"};
  RECT all{0, 0, kW, kH};
  FillRect(dc, &all, brushes[0]);
  HGDIOBJ old_pen = SelectObject(dc, pen);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  for (int r = 0; r < kRows; ++r) {
    int y = r * kCellH;
    for (int c = 0; c < kCols; ++c) {
      int x = c * kCellW;
      RECT cell{x + 1, y + 1, x + kCellW, y + kCellH};
      FillRect(dc, &cell, brushes[1 + (r + c) % 3]);
      SetTextColor(dc, (r + c) % 2 ? RGB(0, 0, 0) : RGB(0, 0, 128));
      const char *t = texts[(r * 7 + c) % 8];
      TextOut(dc, x + 3, y + 2, t, (int)std::char_traits<char>::length(t));
    }
    MoveToEx(dc, 0, y, nullptr);
    LineTo(dc, kW, y);
  }
  for (int c = 0; c < kCols; ++c) {
    MoveToEx(dc, c * kCellW, 0, nullptr);
    LineTo(dc, c * kCellW, kH);
  }
  SelectObject(dc, old_pen);
  SelectObject(dc, old_font);
}

}  // namespace

int main() {
  HDC dc = CreateCompatibleDC(0);
  HBITMAP bm = CreateCompatibleBitmap(dc, kW, kH);
  HGDIOBJ old_bm = SelectObject(dc, bm);
  HBRUSH brushes[4] = {CreateSolidBrush(RGB(255, 255, 255)), CreateSolidBrush(RGB(255, 251, 240)),
                       CreateSolidBrush(RGB(196, 215, 155)), CreateSolidBrush(RGB(242, 220, 219))};
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  HFONT font = CreateFont(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");

  const int rounds = 40;
  Paint(dc, brushes, pen, font);  // warm the glyph cache
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) Paint(dc, brushes, pen, font);
  double paint = Ms(std::chrono::steady_clock::now() - t0) / rounds;

  cairo_surface_t *s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kW, kH);
  cairo_t *cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  auto t1 = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) {
    cairo_set_source_rgb(cr, (i & 1) ? 1.0 : 0.9, 1.0, 1.0);
    cairo_rectangle(cr, 0, 0, kW, kH);
    cairo_fill(cr);
  }
  cairo_surface_flush(s);
  double fill = Ms(std::chrono::steady_clock::now() - t1) / rounds;
  cairo_destroy(cr);
  cairo_surface_destroy(s);

  std::printf("full-paint-ms %.2f ms\n", paint);
  std::printf("full-paint-vs-fill %.2f ratio\n", fill > 0 ? paint / fill : 0.0);

  SelectObject(dc, old_bm);
  DeleteObject(bm);
  for (HBRUSH b : brushes) DeleteObject(b);
  DeleteObject(pen);
  DeleteObject(font);
  DeleteDC(dc);
  return 0;
}
