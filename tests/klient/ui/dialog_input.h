#pragma once
// Input given inside a scripted dialog answer, run as the modal loop runs
// it: keys go through the dialog manager, so Enter, Escape and Tab reach the
// dialog.

#include "tavo/test_user.h"
#include "windows.h"

namespace dlgtest {

inline void Pump(HWND dlg) {
  MSG m;
  while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (!IsWindow(dlg) || !IsDialogMessageA(dlg, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
}

inline void Tast(HWND dlg, UINT vk) {
  tavo::test::PressKey(vk);
  Pump(dlg);
}

inline void Skriv(HWND dlg, const char *tekst) {
  tavo::test::TypeText(tekst);
  Pump(dlg);
}

// Types over the whole text of the dialog's field id.
inline void SkrivFelt(HWND dlg, int id, const char *tekst) {
  HWND e = GetDlgItem(dlg, id);
  SetFocus(e);
  Pump(dlg);
  SendMessageA(e, EM_SETSEL, 0, -1);
  Skriv(dlg, tekst);
}

}  // namespace dlgtest
