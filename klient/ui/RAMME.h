#pragma once
// Key names for the key trace log, and the 3-D frames, fills and lines that
// the windows draw in the system colours.

#include "TASTINFO.h"
#include "windows.h"

constexpr int kRammeStilBit = 0x200;  // the alternative ring colours

// English name of a virtual key ("0" for keys without one); letters give
// the letter itself.
const char *VirtuelTastNavn(unsigned vk);
// Writes "Tast: <modifiers> + <name>" to the key trace log; modifier keys
// alone and auto-repeats are not written.
void TastLogKey(const TastInfo *tast);

// Thickness of a frame style in pixels (0 for an unknown style).
int EdgeWidth(int stil);

// Fill the inclusive rectangle when it is not empty.
void FillSysColRect(HDC hdc, int sysFarve, int left, int top, int right, int bottom);
void FillRectIncl(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom);
// Fills the frame x0..x3 x y0..y3 (inclusive): top band rows y0..y1, bottom
// band y2..y3, left band columns x0..x1 and right band x2..x3 between them.
void FillBorderRect(HDC hdc, HBRUSH brush, int x0, int y0, int x1, int y1, int x2, int y2, int x3,
                    int y3);
// Draws the rings of a frame style around left..right x top..bottom.
void DrawFrame3D(HDC hdc, int left, int top, int right, int bottom, int stil);
// A raised vertical bar between left and right (inclusive).
void DrawRaisedBar(HDC hdc, HBRUSH brush, int left, int top, int right, int bottom);
// One line in an RGB colour from (x1, y1) up to but not including (x2, y2).
void DrawColorLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF farve);
