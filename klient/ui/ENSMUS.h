#pragma once
// The grid-window frame's mouse and keys: border zones and size cursors,
// moving and sizing through the system's loop with snapping while Ctrl is
// held, its own maximise, minimise and restore with minimised windows parked
// as caption bars along the bottom of the desktop, the wheel and the
// type-ahead search over the rows.

#include <cstdint>

#include "BESKEDER.h"
#include "ENS.h"
#include "GRIDAKSE.h"
#include "windows.h"


// Border zones of a client point.
enum {
  ZONE_INDE = 0,
  ZONE_KAPTION = 1,
  ZONE_VENSTRE = 2,
  ZONE_HOEJRE = 3,
  ZONE_TOP = 4,
  ZONE_BUND = 5,
  ZONE_TOPVENSTRE = 6,
  ZONE_TOPHOEJRE = 7,
  ZONE_BUNDVENSTRE = 8,
  ZONE_BUNDHOEJRE = 9
};

// The zone of (x, y) in a client rectangle whose caption is kaptionHoejde high.
int EnsHitZone(int x, int y, const RECT *klient, int kaptionHoejde);
// WM_MOUSEMOVE: the window class's cursor by the zone (the arrow unless the
// window is in its normal state); asks to be told when the mouse leaves.
void EnsSetSizeCursor(HWND hwnd, Ens *ens, LPARAM lParam);
// WM_LBUTTONDBLCLK: on the caption a minimised window is restored, another
// takes the size it wants for the desktop's work area at the top-left corner.
void EnsOnDblClk(HWND hwnd, Ens *ens, LPARAM lParam);
// WM_RBUTTONDOWN, WM_MBUTTONDOWN: activates the window when its parent allows it.
void EnsActivateOnClick(HWND hwnd, Ens *ens);
// WM_LBUTTONDOWN: activation (a refusal swallows the click), then a move by
// the caption or, in the normal state, a size by the border. traekOffset is
// the window's drag offset, two i32 that may lie at any address of a packed
// workspace.
void EnsOnLButtonDown(HWND hwnd, HWND parent, uint8_t aktiv, uint8_t tilstand, void *traekOffset,
                      LPARAM lParam);
// ENS_HJUL: four line scrolls per message, sideways with Ctrl alone and a
// horizontal bar.
void EnsWheelScroll(HWND hwnd, Ens *ens, WPARAM wParam);
// WM_MOVING (screen rectangle): while Ctrl is held, the rectangle follows the
// cursor less the drag offset and snaps to the lines of BuildSnapGrid.
void EnsSnapMove(Ens *ens, RECT *rect);
// WM_SIZING (screen rectangle, edge 1..8): the dragged edges snap while Ctrl
// is held; then width and height are kept within the limits.
void EnsOnSizing(RECT *rect, UINT kant, int minBredde, int maksBredde, int minHoejde, int maksHoejde);
// Fills the desktop's work area from its top-left corner, from either state.
void EnsMaximize(HWND hwnd, Ens *ens);
// Minimises a normal window into the first free slot, or restores a
// minimised one to its saved rectangle.
void EnsMinimize(HWND hwnd, Ens *ens);
// The desktop was resized: every minimised window goes to its slot's place.
void PlaceMinimizedWnds();

// WM_KEYDOWN without Ctrl and Shift: adds the key to the search text and
// makes the first row whose record's text begins with it the current row of
// raekker. False when the key is not a search key or no row matches (the
// search text is then emptied).
bool EnsTypeAhead(Ens *ens, GridPos *raekker, UINT tast);
bool IsSearchKey(UINT tast);
// The character a search key adds to a search text (Windows-1252: the OEM
// keys of the Danish keyboard give Æ Ø Å, '-' and '.').
char SoegeTegn(UINT tast);
// The number of the lowest set bit among bits 1..30; 31 for 2147483647 (all
// of bits 0..30), 0 when none of bits 1..30 is set.
uint32_t LowBitNo(uint32_t vaerdi);
