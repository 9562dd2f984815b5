#pragma once
// The program's own push button: 3-D frames in the system colours, an
// optional picture, a text, a tooltip, focus, disabled and latched looks,
// and press, release and click told to a target window.

#include <cstdint>

#include "BESKEDER.h"
#include "SYSBMP.h"
#include "windows.h"


// Style bits.
#define NYB_VENSTRE 0x001
#define NYB_HOEJRE 0x002
#define NYB_TOP 0x004
#define NYB_BUND 0x008
#define NYB_BILLEDE_VENSTRE 0x010
#define NYB_BILLEDE_HOEJRE 0x020
#define NYB_KAPTION_STOR 0x100
#define NYB_KAPTION_LILLE 0x200
#define NYB_KAPTION_MASKE 0xF000
#define NYB_STD_ID 13  // the default button's id

// Caption picture numbers (bits 12-15).
#define NYB_MINIMER 4096
#define NYB_LUK 8192
#define NYB_GENDAN 12288
#define NYB_MAKSIMER 16384

struct BWS {
  HINSTANCE instance;
  HWND parent;
  HWND target;
  uint32_t id;
  uint32_t value;
  uint32_t style;
  int32_t x, y, width, height;
  char *tooltxt;
  char *txt;
  LPCSTR pictureName;
  HGLOBAL picture;
  const SysBmpStrip *strip;
  uint32_t pictureWidth, pictureHeight;
  uint32_t focused;
  uint32_t disabled;
  uint32_t tracking;
  uint32_t pressed;
  uint32_t latched;
  HDC dc;
  HFONT oldFont;
};

LRESULT CALLBACK NyButtonWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CreateNyButtonWnd(HINSTANCE inst, HWND parent, HWND target, uint32_t id, uint32_t value,
                       uint32_t style, int x, int y, int width, int height, const char *tooltip,
                       const char *text);

// Names of the caption picture strips among the bitmap resources: columns by
// picture number (minimise, close, restore, maximise), rows disabled,
// pressed, normal.
#define NYB_STRIP_STOR MAKEINTRESOURCE(117)
#define NYB_STRIP_LILLE MAKEINTRESOURCE(115)
