#pragma once
// The program's key record: one key press as windows pass it between them.

#include <cstdint>

#include "BESKEDER.h"
#include "windows.h"

#pragma pack(push, 1)
struct TastInfo {
  int32_t shift;  // non-zero when held: -1 from a key message, 1 in shortcut tables
  int32_t ctrl;
  int32_t alt;
  uint32_t message;  // WM_KEYDOWN, WM_SYSKEYDOWN or WM_SYSCOMMAND
  uint32_t wParam;   // the virtual key
  uint32_t lParam;   // the key data
  uint32_t ekstra1;  // zero in a record built from a message
  uint32_t ekstra2;
};
#pragma pack(pop)
static_assert(sizeof(TastInfo) == 32, "TastInfo is eight 32-bit words");


// The main window's key record, rebuilt from every key it handles. A
// window that plays a key into the main window keeps a copy and puts it
// back afterwards, so the key being handled is not lost.
extern TastInfo AktuelTast;

// The key record of a message: shift, ctrl and alt (-1 when held, from the
// keyboard state) with the message, wParam and lParam for WM_KEYDOWN,
// WM_SYSKEYDOWN and WM_SYSCOMMAND; a copy of the record lParam points to for
// TAST_MODTAG; zero for any other message.
void MakeTastInfo(TastInfo *tast, UINT message, WPARAM wParam, LPARAM lParam);
// Plays a key into a window: the keyboard state all up but the modifiers
// given, WM_SYSCOMMAND for Alt+F6, WM_SYSKEYDOWN for F10 and with Alt,
// WM_KEYDOWN otherwise (wParam the key, lParam 0), sent; then all keys up.
void SendTast(HWND hwnd, UINT tast, bool shift, bool ctrl, bool alt);
