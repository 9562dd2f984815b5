// Test hooks: PNG snapshots and pixels of the surfaces behind DCs.

#include <algorithm>

#include "gdiwin.h"
#include "userint.h"
#include "tavo/test_gdi.h"

using namespace tavo::gdi;

namespace {

// Copies part of a surface into a new cairo surface and writes it out.
bool WritePart(Surface &s, int x0, int y0, int w, int h, const char *path) {
  if (!path || w <= 0 || h <= 0) return false;
  cairo_surface_t *out = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
  if (cairo_surface_status(out) != CAIRO_STATUS_SUCCESS) return false;
  cairo_surface_flush(out);
  uint32_t *px = reinterpret_cast<uint32_t *>(cairo_image_surface_get_data(out));
  int stride = cairo_image_surface_get_stride(out) / 4;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int sx = x0 + x, sy = y0 + y;
      px[(size_t)y * stride + x] =
          (sx >= 0 && sy >= 0 && sx < s.w && sy < s.h) ? s.Row(sy)[sx] : 0;
    }
  cairo_surface_mark_dirty(out);
  bool ok = cairo_surface_write_to_png(out, path) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(out);
  return ok;
}

}  // namespace

namespace tavo::test {

bool SavePng(HDC hdc, const char *path) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !dc->surf) return false;
  if (dc->memory) return WritePart(*dc->surf, 0, 0, dc->surf->w, dc->surf->h, path);
  RECT b = dc->vis.Box();
  return WritePart(*dc->surf, dc->origin.x, dc->origin.y, b.right - dc->origin.x,
                   b.bottom - dc->origin.y, path);
}

bool SaveBitmapPng(HBITMAP bitmap, const char *path) {
  TAVO_GDI_LOCK;
  BitmapObj *bm = Get<BitmapObj>(bitmap, Kind::Bitmap);
  if (!bm || !bm->surf) return false;
  return WritePart(*bm->surf, 0, 0, bm->surf->w, bm->surf->h, path);
}

COLORREF SurfacePixel(HDC hdc, int x, int y) {
  TAVO_GDI_LOCK;
  DCObj *dc = GetDC_(hdc);
  if (!dc || !dc->surf) return CLR_INVALID;
  int sx = x + dc->origin.x, sy = y + dc->origin.y;
  if (sx < 0 || sy < 0 || sx >= dc->surf->w || sy >= dc->surf->h) return CLR_INVALID;
  return ToColorRef(dc->surf->Row(sy)[sx] & 0xFFFFFF);
}

bool SaveWindowPng(HWND hwnd, const char *path) {
  TAVO_GDI_LOCK;
  RECT c, t;
  HWND top = tavo::user::TopLevelOf(hwnd);
  if (!top || !tavo::user::ClientRectOnScreen(hwnd, &c) ||
      !tavo::user::WindowRectOnScreen(top, &t))
    return false;
  SurfacePtr s = WindowSurface(top);
  if (!s) return false;
  return WritePart(*s, c.left - t.left, c.top - t.top, c.right - c.left, c.bottom - c.top, path);
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
  TAVO_GDI_LOCK;
  RECT c, t;
  HWND top = tavo::user::TopLevelOf(hwnd);
  if (!top || !tavo::user::ClientRectOnScreen(hwnd, &c) ||
      !tavo::user::WindowRectOnScreen(top, &t))
    return CLR_INVALID;
  if (x < 0 || y < 0 || x >= c.right - c.left || y >= c.bottom - c.top) return CLR_INVALID;
  SurfacePtr s = WindowSurface(top);
  int sx = c.left - t.left + x, sy = c.top - t.top + y;
  if (!s || sx < 0 || sy < 0 || sx >= s->w || sy >= s->h) return CLR_INVALID;
  return ToColorRef(s->Row(sy)[sx] & 0xFFFFFF);
}

bool SaveScreenPng(const char *path) {
  TAVO_GDI_LOCK;
  int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  SurfacePtr screen = NewSurface(w, h);
  if (!screen) return false;
  std::fill(screen->px, screen->px + (size_t)screen->stride * screen->h,
            ToPixel(GetSysColor(COLOR_BACKGROUND)));
  auto tops = tavo::user::ChildrenOf(0);
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    RECT r;
    if (!tavo::user::IsShown(*it) || !tavo::user::WindowRectOnScreen(*it, &r)) continue;
    SurfacePtr s = WindowSurface(*it);
    if (!s) continue;
    for (int y = 0; y < s->h; ++y)
      for (int x = 0; x < s->w; ++x) {
        int sx = r.left + x, sy = r.top + y;
        if (sx >= 0 && sy >= 0 && sx < w && sy < h) screen->Row(sy)[sx] = s->Row(y)[x];
      }
  }
  return WritePart(*screen, 0, 0, w, h, path);
}

}  // namespace tavo::test
