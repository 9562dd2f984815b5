#pragma once
// The drawing layer's side of windows, for the display backends and tests.

#include <atomic>
#include <functional>

#include "gdiint.h"

namespace tavo::gdi {

// The pixel surface of a top-level window, made (or remade at the window's
// current size, keeping what fits) on demand; null when the window does not
// exist.
SurfacePtr WindowSurface(HWND top);

// A DC whose surface, origin and visible part come from refresh (dc.cpp).
HDC NewWindowDC(HWND hwnd, std::function<void(DCObj &)> refresh);

// The IDC_* number of a system cursor, 0 for any other cursor (res.cpp).
int SystemCursorId(HCURSOR cursor);

// Counts drawing on window DCs, so a display knows when to show surfaces
// again.
extern std::atomic<uint64_t> g_window_draws;

// Attaches the display backend (windc.cpp calls it once). At the first
// window the environment chooses it: X11 when TAVO_DISPLAY is "x11", or
// when TAVO_DISPLAY is unset and DISPLAY is set; otherwise everything stays
// in memory (headless).
void StartDisplay();
// Which backend runs: "x11" or "headless".
const char *DisplayName();

}  // namespace tavo::gdi
