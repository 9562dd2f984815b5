#pragma once
// A pane's kept drawing context with the colours last set on it, and the
// standard scroll-bar controls of grid windows and list boxes.

#include <cstdint>

#include "windows.h"

constexpr uint8_t kIngenFarve = 99;  // no colour set on the DC yet

#pragma pack(push, 1)
struct EnsDC {
  HDC hdc;
  uint8_t TekstFarve;  // colour index of the last SetTextColor
  uint8_t BkFarve;     // colour index of the last SetBkColor
};
#pragma pack(pop)
static_assert(sizeof(EnsDC) == 6, "EnsDC is packed");

// Takes the window's DC into the record (kept for the window's life),
// forgets the cached colours, selects the font and the program palette.
void SelectDCPalette(HWND hwnd, EnsDC *ens, HFONT font);

// Creates, shows and updates a "SCROLLBAR" control with an empty title.
HWND CreateScrollBarCtl(HINSTANCE inst, HWND parent, DWORD style, int x, int y, int width,
                        int height);
// Range 0..count-1, page and position in one call; a bar with nothing to
// scroll stays visible but disabled.
void SetScrollCtl(HWND scrollBar, int page, int count, int pos);
