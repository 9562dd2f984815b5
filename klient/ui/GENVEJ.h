#pragma once
// The shortcut pick list: a pop-up of a window's keys, greyed where the
// window cannot act now, that hands the chosen key back to the window as a
// key record; and the freeing of a window's set of header windows.

#include <cstdint>

#include "BESKEDER.h"
#include "GRIDAKSE.h"
#include "TASTINFO.h"
#include "windows.h"


// One shortcut: the key as a record (shift, ctrl, alt 1 when held, the key
// message and key, the last two words zero), its name and its description.
struct ShortCutPost {
  TastInfo Tast;
  const char *TastNavn;
  const char *Beskrivelse;
};

// A window's shortcuts, static data of that window: the pop-up writes the
// chosen entry's 0-based index into Valgt, so a table must be writable.
// The entries end with one whose description is "".
struct ShortCutTabel {
  uint8_t Valgt;
  const ShortCutPost *Poster;
};

struct ShortCutInfo {
  HWND window;
  HINSTANCE instance;
  HWND owner;
  HWND previousFocus;
  HDC dc;
  int32_t x, y;  // asked for; the pop-up opens there or above and left of it
  int32_t descriptionWidth;
  int32_t keyWidth;
  int32_t rowHeight;
  uint8_t *available;  // the owner's answer to TAST_SPOERG, one a entry
  GridPos pos;
  uint32_t previous;  // the current row at the last paint
  ShortCutTabel *table;
};

// The main window that hears HOVED_INPUT_AABEN and HOVED_INPUT_LUKKET; set
// by the start-up once the main window exists.
void SaetGenvejHovedVindue(HWND hwnd);

LRESULT CALLBACK ShortCutWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Opens the pick list of `table` at (x, y) (screen coordinates) over the
// owner, with the focus and the mouse; null and nothing for a null table.
HWND CreateShortCutWnd(HINSTANCE inst, HWND owner, int x, int y, ShortCutTabel *table);

// A window's set of child windows with two companion arrays, all allocated
// with malloc or calloc.
struct VinduesSaet {
  HWND *Vinduer;
  uint32_t Antal;
  uint32_t *Vaerdier;
  uint8_t *Flag;
};
// Destroys every window of the set and frees its arrays (the set is left
// empty); a null set does nothing.
void FrigivVinduesSaet(VinduesSaet *saet);
