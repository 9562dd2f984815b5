// A screenshot read back from its PNG file, pixel by pixel.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "windows.h"

struct Billede {
  cairo_surface_t *s = nullptr;
  int w = 0, h = 0;
  explicit Billede(const std::string &fil) {
    s = cairo_image_surface_create_from_png(fil.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return;
    w = cairo_image_surface_get_width(s);
    h = cairo_image_surface_get_height(s);
  }
  ~Billede() { cairo_surface_destroy(s); }
  Billede(const Billede &) = delete;
  Billede &operator=(const Billede &) = delete;
  COLORREF Pixel(int x, int y) const {
    const auto *linje = reinterpret_cast<const uint32_t *>(cairo_image_surface_get_data(s) +
                                                           (size_t)y * cairo_image_surface_get_stride(s));
    const uint32_t p = linje[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of row y in x0..x1 that have the colour.
  int Antal(int y, int x0, int x1, COLORREF farve) const {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += Pixel(x, y) == farve;
    return n;
  }
};
