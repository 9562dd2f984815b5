// The relay pane.

#include "RELAY.h"

#include <cstdlib>

#include "TOOLTIP.h"

LRESULT CALLBACK DummyWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *d = reinterpret_cast<DummyInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  auto til = [&](UINT m, WPARAM w, LPARAM l) -> LRESULT {
    return (d && d->owner && m) ? SendMessageA(d->owner, m, w, l) : 0;
  };
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      d = static_cast<DummyInfo *>(cs->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
      break;
    }
    case WM_DESTROY:
      SkjulTooltip();
      std::free(d);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      break;
    case WM_PAINT:
      if (d) til(d->msgPaint, wParam, (LPARAM)hwnd);
      break;
    case WM_ERASEBKGND:
      return 0;
    case WM_NOTIFY:
    case WM_PARENTNOTIFY:
      til(msg, wParam, lParam);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      return til(msg, wParam, lParam);
    case WM_MOUSEMOVE:
      if (d && d->tooltip) {
        TRACKMOUSEEVENT t = {sizeof t, TME_HOVER | TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&t);
      }
      til(DUMMY_MUS_I_RUDE, 0, (LPARAM)hwnd);
      if (d) til(d->msgMouseMove, wParam, lParam);
      break;
    case WM_LBUTTONDOWN:
      SetCapture(hwnd);
      SkjulTooltip();
      til(DUMMY_MUS_I_RUDE, 0, (LPARAM)hwnd);
      if (d) til(d->msgLButtonDown, wParam, lParam);
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == hwnd) ReleaseCapture();
      SkjulTooltip();
      til(WM_LBUTTONUP, wParam, lParam);
      break;
    case WM_LBUTTONDBLCLK:
      if (d) til(d->msgDblClk, wParam, lParam);
      break;
    case WM_RBUTTONDOWN:
      til(DUMMY_MUS_I_RUDE, 0, (LPARAM)hwnd);
      til(WM_RBUTTONDOWN, wParam, lParam);
      break;
    case WM_MOUSEHOVER:
      if (d && d->tooltip) VisTooltip(d->tooltip, nullptr, 0);
      if (d) til(d->msgMouseHover, wParam, lParam);
      break;
    case WM_MOUSELEAVE:
      if (d && d->tooltip) SkjulTooltip();
      if (d) til(d->msgMouseLeave, wParam, lParam);
      break;
    case TB_TOOLTIP:
      SkjulTooltip();
      if (d) d->tooltip = reinterpret_cast<char *>(lParam);
      break;
    case DUMMY_VIS_TOOLTIP:
      if (lParam) VisTooltip(reinterpret_cast<const char *>(lParam), nullptr, 0);
      break;
    case DUMMY_SKJUL_TOOLTIP:
      SkjulTooltip();
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
