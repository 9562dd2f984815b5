#include "DESKTOP.h"

#include "PROGVINDUER.h"
#include "TOOLTIP.h"

void BeregnSkrivebord() {
  RECT k = {0, 0, 0, 0};
  if (hwndHoved) GetClientRect(hwndHoved, &k);
  LayoutRect = {k.left + 1, k.top + 1, k.right - 2, k.bottom - 2};
  if (hwndMainToolbar && IsWindowVisible(hwndMainToolbar)) {
    RECT tb;
    GetWindowRect(hwndMainToolbar, &tb);
    LayoutRect.top += (tb.bottom - tb.top) + 2;
  }
  // No docked desks yet: the desktop keeps one pixel from the layout's edge.
  DesktopRect = {LayoutRect.left + 1, LayoutRect.top + 1, LayoutRect.right - 1, LayoutRect.bottom - 1};
  if (DesktopRect.right < DesktopRect.left) DesktopRect.right = DesktopRect.left;
  if (DesktopRect.bottom < DesktopRect.top) DesktopRect.bottom = DesktopRect.top;
  FriArealRect = {0, 0, DesktopRect.right - DesktopRect.left, DesktopRect.bottom - DesktopRect.top};
}

void PlacerDesktop() {
  if (!hwndDesktop) return;
  MoveWindow(hwndDesktop, DesktopRect.left, DesktopRect.top, DesktopRect.right - DesktopRect.left + 1,
             DesktopRect.bottom - DesktopRect.top + 1, TRUE);
}

LRESULT CALLBACK DesktopWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESKTOP_LAYOUT:
      BeregnSkrivebord();
      PlacerDesktop();
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      return 0;
    case WM_DESTROY:
      // The drawing context kept since the start goes with the window.
      if (DesktopDC.hdc) ReleaseDC(hwnd, DesktopDC.hdc);
      DesktopDC = {0, kIngenFarve, kIngenFarve};
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
