#pragma once
// Snap lines of a move or size: the edges of the desktop window and of every
// other open window, in screen coordinates, sorted ascending. Rebuilt at the
// start of every move or size; a coordinate within 10 pixels of a line snaps
// to it.

#include <cstdint>

#include "windows.h"

extern int32_t *xGrid;  // left and right edges
extern uint32_t xGridAntal;
extern int32_t *yGrid;  // top and bottom edges
extern uint32_t yGridAntal;

// Empties both arrays and fills them from the desktop window and every window
// of the open-window list except the moving one.
void BuildSnapGrid(HWND desktop, HWND flytter);
// Snap one coordinate to the nearest line (the larger of two at equal
// distance); true when it lies within 10 pixels of one and now equals it.
bool SnapX(int32_t *v);
bool SnapY(int32_t *v);
