// Key records: built from the key messages, and keys played into a window
// through the keyboard state the receiver reads its modifiers from.

#include "TASTINFO.h"

#include <cstring>

TastInfo AktuelTast{};

namespace {

int32_t Holdt(int vk) { return GetKeyState(vk) < 0 ? -1 : 0; }

}  // namespace

void MakeTastInfo(TastInfo *tast, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!tast) return;
  std::memset(tast, 0, sizeof *tast);
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCOMMAND:
      tast->shift = Holdt(VK_SHIFT);
      tast->ctrl = Holdt(VK_CONTROL);
      tast->alt = Holdt(VK_MENU);
      tast->message = message;
      tast->wParam = static_cast<uint32_t>(wParam);
      tast->lParam = static_cast<uint32_t>(lParam);
      break;
    case TAST_MODTAG:
      if (lParam) std::memcpy(tast, reinterpret_cast<const TastInfo *>(lParam), sizeof *tast);
      break;
    default:
      break;
  }
}

void SendTast(HWND hwnd, UINT tast, bool shift, bool ctrl, bool alt) {
  BYTE taster[256] = {};
  if (shift) taster[VK_SHIFT] = 128;
  if (ctrl) taster[VK_CONTROL] = 129;
  if (alt) taster[VK_MENU] = 128;
  SetKeyboardState(taster);
  UINT besked = WM_KEYDOWN;
  if (alt && tast == VK_F6)
    besked = WM_SYSCOMMAND;
  else if (alt || tast == VK_F10)
    besked = WM_SYSKEYDOWN;
  SendMessageA(hwnd, besked, tast, 0);
  std::memset(taster, 0, sizeof taster);
  SetKeyboardState(taster);
}
