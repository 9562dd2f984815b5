#pragma once
// The program's key record: one key press as windows pass it between them.

#include <cstdint>

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
