#pragma once
// Arranging the open windows over the desktop's free area (cascade, grid
// tiling), fitting one window to it, toggling a window between its own
// rectangle and the whole area, keeping a dragged rectangle within limits,
// and the window key commands of the keyboard tables. Every window is asked
// the size it wants within the room offered (messages 1024 and 1025).
// Positions are desktop client coordinates; the free area is FriArealRect.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"


// Key-command modes: anything but KMD_UDFOER only asks whether the command
// is available.
#define KMD_UDFOER 2

// WM_SIZING: the dragged side is set so that the width and height keep within
// the limits (maximum first, then minimum). Edge codes 1..8; others change
// nothing.
void BegraensSizing(HWND hwnd, UINT kant, RECT *rect, int minBredde, int maksBredde, int minHoejde,
                    int maksHoejde);
// The windows from the back of the list to the front, each one caption
// height + 3 further in and raised, back to the corner when the next one
// would leave less than 150 x 100.
void ArrangerKaskade(int venstre, int top, int hoejre, int bund);
// Tiles the windows in columns x raekker cells, the last columns holding one
// window more when the windows do not fill the grid evenly; cells are never
// made smaller than 150 x 100 (they overlap instead).
void ArrangerGitter(int kolonner, int raekker, int venstre, int top, int hoejre, int bund, int raekker2);
// r = the integer square root of the number of windows: n / r columns of r
// rows, or r columns of n / r rows. Nothing with no window open.
void ArrangerFlereKolonner(int venstre, int top, int hoejre, int bund);
void ArrangerFlereRaekker(int venstre, int top, int hoejre, int bund);
// The window takes the size it wants for the free area from where it stands.
void TilpasVindue(HWND hwnd);
// The same after a WM_SIZE with the size it wants for the whole free area.
void TilpasVindueFuld(HWND hwnd);
// Key command: the window takes the whole free area, saving its screen
// rectangle in *gemt, or goes back to the saved rectangle (gemt->right 0
// means nothing is saved). True in every mode.
bool SkiftMaksimeret(HWND hwnd, RECT *gemt, int mode);
// Key command: a right button press (its wParam and lParam) to the window.
bool KmdHoejreklik(HWND hwnd, WPARAM x, LPARAM y, int mode);
// Key command: closes the window, or asks its element window to close its
// cell when the window sits in one. False when not enabled.
bool KmdLukVindue(HWND hwnd, HWND element, int iCelle, bool aktiveret, int mode);
// Key command: a button command (2124) to the window. False when not enabled.
bool KmdSendKommando(HWND hwnd, WPARAM wParam, LPARAM lParam, bool aktiveret, int mode);
