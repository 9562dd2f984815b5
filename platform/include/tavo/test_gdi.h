#pragma once
// Test hooks of the drawing layer: the text drawn, PNG snapshots, pixels.

#include <string>
#include <vector>

#include "win/gdi.h"

namespace tavo::test {

// One piece of text drawn by TextOut, ExtTextOut or DrawText.
struct DrawnText {
  HDC hdc = 0;
  HWND hwnd = 0;  // the window of the DC, 0 for a memory DC
  int x = 0, y = 0;  // where it was drawn, logical coordinates of the DC
  std::string text;  // Windows-1252, as given (DrawText: one line, prefixes removed)
  COLORREF text_color = 0, bk_color = 0;
  int bk_mode = 0;
  std::string face;  // face name asked for in the font
  int height = 0;    // the font's cell height in pixels
};

// The most recent texts drawn (the log keeps the last 20000), from the
// time KeepDrawnTexts(true) was called: the test programs call it before
// their tests run (tests/tekstlog.cpp); the program itself keeps no log.
std::vector<DrawnText> DrawnTexts();
void ClearDrawnTexts();
void KeepDrawnTexts(bool keep);

// Writes the pixels behind a DC (a memory DC's bitmap; a window DC's
// client area) or a bitmap to a PNG file.
bool SavePng(HDC hdc, const char *path);
bool SaveBitmapPng(HBITMAP bitmap, const char *path);

// A pixel of the surface behind a DC, whatever the DC's clipping; CLR_INVALID
// outside the surface.
COLORREF SurfacePixel(HDC hdc, int x, int y);

// Windows: the client area of a window, a pixel of it (client coordinates,
// CLR_INVALID outside), and the whole screen with every shown top-level
// window in its place.
bool SaveWindowPng(HWND hwnd, const char *path);
COLORREF WindowPixel(HWND hwnd, int x, int y);
bool SaveScreenPng(const char *path);

}  // namespace tavo::test
