#pragma once
// The number cell, the number box and the one-line text box.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"

struct EditIntInfo {
  HINSTANCE instance;
  uint32_t creator1;
  HWND owner;  // the number box sends 2345/2346 here
  uint32_t creator2;
  HDC dc;
  HFONT font;
  int32_t textX, textY;
  int32_t x, y, width, height;
  uint32_t intDigits;  // integer digit positions (5)
  uint32_t decimals;   // 2, or 0 for whole numbers
  uint32_t caret;
  uint8_t negative;
  char *text;  // sign, digits right-aligned, comma, decimals
  uint32_t charHeight, charWidth;
};


// Fills the record's text (allocating it) from a value in units of the last
// decimal: " %*u,%0*u" (or " %*u"), "-" for a negative value, caret on the
// units digit. The buffer holds every value the field can show; a value
// wider than the field keeps all its digits. False when out of memory.
bool EditIntSaetVaerdi(EditIntInfo *info, int32_t value);

LRESULT CALLBACK EditIntWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditboxIntWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

struct EditboxInfo {
  HINSTANCE instance;
  HWND owner;
  HWND window;
  HDC dc;
  HFONT font;
  HFONT oldFont;
  int32_t x, y, width, height;
  char *tooltip;
  uint32_t maxLength;
  uint32_t anchor;
  uint32_t caret;
  char *text;  // maxLength + 1 bytes, zero past the end of the text
  uint8_t active;
  uint8_t insertMode;
  uint32_t firstVisible;
};

LRESULT CALLBACK EditboxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
HWND CreateEditboxWnd(HINSTANCE inst, HWND owner, int x, int y, int width, int height,
                      const char *text, uint32_t maxLength, bool selectAll);
