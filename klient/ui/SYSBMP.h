#pragma once
// Pictures of a bitmap strip drawn in the current system colours.

#include <cstdint>

#include "windows.h"

// A strip of equal pictures in one device-independent bitmap resource.
struct SysBmpStrip {
  HGLOBAL res;       // the loaded resource (a packed DIB: header, colours, pixels)
  uint32_t bredde;   // width of one picture
  uint32_t hoejde;   // height of one picture
  uint32_t stoerrelse;  // size of the resource in bytes
};

// Draws picture (column, row) of the strip at (0, 0) of the DC, with colour
// table entries 0, 7, 8 and 15 replaced by the 3-D dark shadow, window,
// button shadow and button highlight colours. The resource is not changed.
// Pictures of 1, 4, 8 and 24 bits per pixel; others are not drawn.
void DrawSysColBitmap(HDC hdc, const SysBmpStrip *strip, int kolonne, int raekke);
