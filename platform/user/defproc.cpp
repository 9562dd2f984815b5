// The default window procedure, the frame's hit codes and the modal move and
// size loop.

#include <algorithm>
#include <cstring>

#include "state.h"
#include "menuint.h"

// Weak: the window layer works without the drawing layer linked in.
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) __attribute__((weak));
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *ps) __attribute__((weak));

namespace tavo::user {

namespace {

int OuterFrame(DWORD style, DWORD ex) {
  if ((ex & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME)))
    return MetricL(SM_CXDLGFRAME);
  if (style & WS_THICKFRAME) return MetricL(SM_CXFRAME);
  if (style & WS_BORDER) return MetricL(SM_CXBORDER);
  return 0;
}

bool UsesMinMax(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

bool In(const RECT &r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

LRESULT HitTest(HWND h, POINT pt) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) return HTERROR;
  POINT po = ParentOriginL(w);
  RECT wr{w->rect.left + po.x, w->rect.top + po.y, w->rect.right + po.x, w->rect.bottom + po.y};
  if (!In(wr, pt)) return HTNOWHERE;
  if (w->iconic) return HTCAPTION;
  RECT cr{w->client.left + po.x, w->client.top + po.y, w->client.right + po.x, w->client.bottom + po.y};
  if (In(cr, pt)) return HTCLIENT;
  int f = OuterFrame(w->style, w->exStyle);
  bool onFrame = pt.x < wr.left + f || pt.x >= wr.right - f || pt.y < wr.top + f || pt.y >= wr.bottom - f;
  if (onFrame) {
    if ((w->style & WS_THICKFRAME) && !w->zoomed) {
      int c = MetricL(SM_CXSIZE) + f;
      bool left = pt.x < wr.left + f, right = pt.x >= wr.right - f;
      bool top = pt.y < wr.top + f, bottom = pt.y >= wr.bottom - f;
      if (left) return pt.y < wr.top + c ? HTTOPLEFT : pt.y >= wr.bottom - c ? HTBOTTOMLEFT : HTLEFT;
      if (right) return pt.y < wr.top + c ? HTTOPRIGHT : pt.y >= wr.bottom - c ? HTBOTTOMRIGHT : HTRIGHT;
      if (top) return pt.x < wr.left + c ? HTTOPLEFT : pt.x >= wr.right - c ? HTTOPRIGHT : HTTOP;
      if (bottom) return pt.x < wr.left + c ? HTBOTTOMLEFT : pt.x >= wr.right - c ? HTBOTTOMRIGHT : HTBOTTOM;
    }
    return HTBORDER;
  }
  int y = wr.top + f;
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    int capH = MetricL((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (pt.y >= y && pt.y < y + capH) {
      int bw = MetricL((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CXSMSIZE : SM_CXSIZE);
      int right = wr.right - f;
      if (w->style & WS_SYSMENU) {
        if (!(w->exStyle & WS_EX_TOOLWINDOW) && pt.x < wr.left + f + bw) return HTSYSMENU;
        if (pt.x >= right - bw) return HTCLOSE;
        right -= bw;
        if (w->style & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) {
          if (pt.x >= right - bw) return HTMAXBUTTON;
          right -= bw;
          if (pt.x >= right - bw) return HTMINBUTTON;
        }
      }
      return HTCAPTION;
    }
    y += capH;
  }
  if (!(w->style & WS_CHILD) && w->menu) {
    int mh = MetricL(SM_CYMENU);
    if (pt.y >= y && pt.y < y + mh) return HTMENU;
  }
  if ((w->style & WS_VSCROLL) && pt.x >= cr.right && pt.x < cr.right + MetricL(SM_CXVSCROLL) &&
      pt.y >= cr.top && pt.y < cr.bottom)
    return HTVSCROLL;
  if ((w->style & WS_HSCROLL) && pt.y >= cr.bottom && pt.y < cr.bottom + MetricL(SM_CYHSCROLL) &&
      pt.x >= cr.left && pt.x < cr.right)
    return HTHSCROLL;
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL) && pt.x >= cr.right && pt.y >= cr.bottom)
    return (w->style & WS_THICKFRAME) ? HTGROWBOX : HTNOWHERE;
  return (w->exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) ? HTBORDER : HTNOWHERE;
}

void SizeMoveLoop(HWND h, UINT cmd) {
  UINT sc = cmd & 0xFFF0;
  int edge = (int)(cmd & 0x0F);
  bool moving = sc == SC_MOVE;
  // Sizing from the keyboard, which picks its edge with the arrows, is not offered.
  if (!moving && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT)) return;
  // WM_MOVING and WM_SIZING carry the rectangle in screen coordinates, a
  // child's too; the window is placed in its parent's client coordinates.
  RECT orig;
  POINT po;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || w->iconic || (w->zoomed && !moving)) return;
    po = ParentOriginL(w);
    orig = RECT{w->rect.left + po.x, w->rect.top + po.y, w->rect.right + po.x, w->rect.bottom + po.y};
  }
  DWORD mp = GetMessagePos();
  POINT start{(SHORT)LOWORD(mp), (SHORT)HIWORD(mp)};
  MINMAXINFO mmi;
  MinMaxInfo(h, &mmi);
  SetCapture(h);
  Send(h, WM_ENTERSIZEMOVE, 0, 0);
  bool cancel = false;
  RECT cur = orig;
  for (;;) {
    if (!IsWindow(h) || GetCapture() != h) break;
    MSG m;
    if (!PeekCore(&m, 0, 0, 0, PM_REMOVE, true, INFINITE)) continue;
    if (m.message == WM_QUIT) {
      PostQuitMessage((int)m.wParam);
      break;
    }
    bool done = false;
    switch (m.message) {
      case WM_MOUSEMOVE:
      case WM_NCMOUSEMOVE: {
        // The button went up without us seeing it: the drag is over.
        if (GetKeyState(VK_LBUTTON) >= 0) {
          done = true;
          break;
        }
        int dx = m.pt.x - start.x, dy = m.pt.y - start.y;
        RECT r = orig;
        if (moving) {
          r = RECT{orig.left + dx, orig.top + dy, orig.right + dx, orig.bottom + dy};
          Send(h, WM_MOVING, 0, (LPARAM)&r);
        } else {
          bool left = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
          bool right = edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
          bool top = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
          bool bottom = edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
          if (left) r.left += dx;
          if (right) r.right += dx;
          if (top) r.top += dy;
          if (bottom) r.bottom += dy;
          int wdt = std::clamp((int)(r.right - r.left), (int)mmi.ptMinTrackSize.x, (int)mmi.ptMaxTrackSize.x);
          int hgt = std::clamp((int)(r.bottom - r.top), (int)mmi.ptMinTrackSize.y, (int)mmi.ptMaxTrackSize.y);
          if (left) r.left = r.right - wdt;
          else r.right = r.left + wdt;
          if (top) r.top = r.bottom - hgt;
          else r.bottom = r.top + hgt;
          Send(h, WM_SIZING, (WPARAM)edge, (LPARAM)&r);
        }
        if (std::memcmp(&r, &cur, sizeof r) != 0) {
          UINT f = SWP_NOZORDER | SWP_NOACTIVATE | (moving ? SWP_NOSIZE : 0);
          SetWindowPosCore(h, 0, r.left - po.x, r.top - po.y, r.right - r.left, r.bottom - r.top, f);
          cur = r;
        }
        break;
      }
      case WM_LBUTTONUP:
      case WM_NCLBUTTONUP:
        done = true;
        break;
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
        if (m.wParam == VK_ESCAPE) cancel = done = true;
        else if (m.wParam == VK_RETURN) done = true;
        break;
      case WM_KEYUP:
      case WM_SYSKEYUP:
      case WM_CHAR:
      case WM_SYSCHAR:
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_NCLBUTTONDOWN:
        break;
      default:
        DispatchMessageA(&m);
    }
    if (done) break;
  }
  if (cancel && IsWindow(h))
    SetWindowPosCore(h, 0, orig.left - po.x, orig.top - po.y, orig.right - orig.left, orig.bottom - orig.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
  if (GetCapture() == h) ReleaseCapture();
  if (IsWindow(h)) Send(h, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace tavo::user

using namespace tavo::user;

LRESULT DefWindowProcA(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_NCCREATE: {
      auto *cs = (CREATESTRUCTA *)lp;
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) {
        Lock l(S().mx);
        if (Wnd *w = W(h)) w->text = cs->lpszName;
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      Lock l(S().mx);
      Wnd *w = W(h);
      if (!w || !lp) return 0;
      if (wp) {
        auto *p = (NCCALCSIZE_PARAMS *)lp;
        p->rgrc[0] = DefaultClientL(w, p->rgrc[0]);
      } else {
        auto *r = (RECT *)lp;
        *r = DefaultClientL(w, *r);
      }
      return 0;
    }
    case WM_NCHITTEST:
      return HitTest(h, POINT{(SHORT)LOWORD(lp), (SHORT)HIWORD(lp)});
    case WM_SETTEXT: {
      bool caption;
      {
        Lock l(S().mx);
        Wnd *w = W(h);
        if (!w) return FALSE;
        w->text = lp ? (const char *)lp : "";
        caption = (w->style & WS_CAPTION) == WS_CAPTION;
      }
      if (caption) Send(h, WM_NCPAINT, 1, 0);
      return TRUE;
    }
    case WM_NCPAINT:
      PaintNonClient(h);
      PaintScrollBars(h);
      return 0;
    case WM_GETTEXT: {
      if (!wp || !lp) return 0;
      Lock l(S().mx);
      Wnd *w = W(h);
      char *buf = (char *)lp;
      if (!w) {
        buf[0] = 0;
        return 0;
      }
      size_t n = std::min(w->text.size(), (size_t)wp - 1);
      std::memcpy(buf, w->text.data(), n);
      buf[n] = 0;
      return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH: {
      Lock l(S().mx);
      Wnd *w = W(h);
      return w ? (LRESULT)w->text.size() : 0;
    }
    case WM_CLOSE:
      DestroyWindow(h);
      return 0;
    case WM_ERASEBKGND: {
      HBRUSH b = ClassBackground(h);
      EraseHandler e;
      {
        Lock l(S().mx);
        e = S().eraseHandler;
      }
      return (b && e) ? e(h, (HDC)wp, b) : 0;
    }
    case WM_PAINT:
      // As on Windows: BeginPaint erases the background with the class
      // brush. The drawing layer provides it; a program without one only
      // validates.
      if (BeginPaint && EndPaint) {
        PAINTSTRUCT ps;
        if (BeginPaint(h, &ps)) EndPaint(h, &ps);
        else ValidateRect(h, nullptr);
      } else {
        ValidateRect(h, nullptr);
      }
      return 0;
    case WM_SETCURSOR: {
      HWND parent = (Style(h) & WS_CHILD) ? ParentOf(h) : 0;
      if (parent && Send(parent, WM_SETCURSOR, wp, lp)) return TRUE;
      SHORT hit = (SHORT)LOWORD(lp);
      if (hit == HTCLIENT) {
        HCURSOR c = (HCURSOR)GetClassLongPtrA(h, GCLP_HCURSOR);
        if (c) {
          SetCursor(c);
          return TRUE;
        }
      }
      if (hit == HTERROR && (HIWORD(lp) == WM_LBUTTONDOWN || HIWORD(lp) == WM_RBUTTONDOWN)) MessageBeep(0);
      return FALSE;
    }
    case WM_MOUSEACTIVATE: {
      HWND parent = (Style(h) & WS_CHILD) ? ParentOf(h) : 0;
      if (parent) {
        LRESULT r = Send(parent, WM_MOUSEACTIVATE, wp, lp);
        if (r) return r;
      }
      return MA_ACTIVATE;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP: {
      HWND parent = (Style(h) & WS_CHILD) ? ParentOf(h) : 0;
      if (parent) return Send(parent, m, wp, lp);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) SetFocus(h);
      return 0;
    case WM_NCACTIVATE:
      // The caption changes colour; the window is not told its state yet,
      // so the painter is given it by the queue's active window afterwards.
      PostMessageA(h, WM_NCPAINT, 1, 0);
      return TRUE;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_WINDOWPOSCHANGING: {
      auto *p = (WINDOWPOS *)lp;
      if (!p || (p->flags & SWP_NOSIZE)) return 0;
      DWORD st = Style(h);
      if (!UsesMinMax(st) || IsIconic(h) || IsZoomed(h)) return 0;
      MINMAXINFO mmi;
      MinMaxInfo(h, &mmi);
      p->cx = std::clamp(p->cx, (int)mmi.ptMinTrackSize.x, (int)mmi.ptMaxTrackSize.x);
      p->cy = std::clamp(p->cy, (int)mmi.ptMinTrackSize.y, (int)mmi.ptMaxTrackSize.y);
      return 0;
    }
    case WM_WINDOWPOSCHANGED: {
      auto *p = (WINDOWPOS *)lp;
      if (!p) return 0;
      RECT c;
      WPARAM type;
      {
        Lock l(S().mx);
        Wnd *w = W(h);
        if (!w) return 0;
        c = w->client;
        type = w->iconic ? SIZE_MINIMIZED : w->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED;
      }
      if (!(p->flags & SWP_NOMOVE)) Send(h, WM_MOVE, 0, MAKELPARAM((WORD)(SHORT)c.left, (WORD)(SHORT)c.top));
      if (!(p->flags & SWP_NOSIZE) || (p->flags & SWP_FRAMECHANGED))
        Send(h, WM_SIZE, type, MAKELPARAM(c.right - c.left, c.bottom - c.top));
      return 0;
    }
    case WM_SYSCOMMAND:
      switch (wp & 0xFFF0) {
        case SC_CLOSE:
          Send(h, WM_CLOSE, 0, 0);
          return 0;
        case SC_MINIMIZE:
          ShowWindow(h, SW_MINIMIZE);
          return 0;
        case SC_MAXIMIZE:
          ShowWindow(h, SW_MAXIMIZE);
          return 0;
        case SC_RESTORE:
          ShowWindow(h, SW_RESTORE);
          return 0;
        case SC_MOVE:
        case SC_SIZE:
          SizeMoveLoop(h, (UINT)wp);
          return 0;
        case SC_MOUSEMENU:
          MenuMouseLoop(h, POINT{(SHORT)LOWORD(lp), (SHORT)HIWORD(lp)});
          return 0;
        case SC_KEYMENU: {
          // ' ' asks for the window menu: a child window with one of its
          // own (a window on a desktop with caption and system menu) opens
          // that; other keys go to the menu bar of the window above.
          const bool egetMenu = lp == ' ' && (Style(h) & WS_SYSMENU);
          HWND parent = (Style(h) & WS_CHILD) && !egetMenu ? ParentOf(h) : 0;
          if (parent) return Send(parent, WM_SYSCOMMAND, wp, lp);
          if (GetMenu(h) || (lp == ' ' && (Style(h) & WS_SYSMENU))) {
            MenuKeyLoop(h, lp);
            return 0;
          }
          // No menu takes the key: Windows answers with a beep.
          if (lp && lp != ' ') MessageBeep(0);
          return 0;
        }
      }
      return 0;
    case WM_SYSKEYDOWN:
      if (wp == VK_F4 && (lp & (1L << 29))) {
        HWND top = GetAncestor(h, GA_ROOT);
        Send(top ? top : h, WM_SYSCOMMAND, SC_CLOSE, 0);
      } else if (wp == VK_F10) {
        Send(h, WM_SYSCOMMAND, SC_KEYMENU, 0);
      }
      return 0;
    case WM_SYSKEYUP: {
      bool alone;
      {
        Lock l(S().mx);
        alone = SelfQueue()->altAlone;
        SelfQueue()->altAlone = false;
      }
      if (wp == VK_MENU && alone) Send(h, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    }
    case WM_SYSCHAR:
      if (wp != '\r') Send(h, WM_SYSCOMMAND, SC_KEYMENU, (LPARAM)wp);
      return 0;
    case WM_NCLBUTTONDOWN:
      switch ((int)wp) {
        case HTCAPTION:
          Send(h, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lp);
          break;
        case HTMENU:
          Send(h, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lp);
          break;
        case HTLEFT: case HTRIGHT: case HTTOP: case HTTOPLEFT:
        case HTTOPRIGHT: case HTBOTTOM: case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
          Send(h, WM_SYSCOMMAND, SC_SIZE + (wp - HTLEFT + WMSZ_LEFT), lp);
          break;
        case HTCLOSE:
          Send(h, WM_SYSCOMMAND, SC_CLOSE, lp);
          break;
        case HTVSCROLL:
        case HTHSCROLL:
          TrackScrollBar(h, wp == HTVSCROLL, POINT{(SHORT)LOWORD(lp), (SHORT)HIWORD(lp)});
          break;
        case HTMINBUTTON:
          Send(h, WM_SYSCOMMAND, SC_MINIMIZE, lp);
          break;
        case HTMAXBUTTON:
          Send(h, WM_SYSCOMMAND, IsZoomed(h) ? SC_RESTORE : SC_MAXIMIZE, lp);
          break;
      }
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION && (Style(h) & WS_MAXIMIZEBOX))
        Send(h, WM_SYSCOMMAND, (IsZoomed(h) || IsIconic(h)) ? SC_RESTORE : SC_MAXIMIZE, lp);
      return 0;
    case WM_SHOWWINDOW: {
      if (lp != SW_PARENTCLOSING && lp != SW_PARENTOPENING) return 0;
      bool act = false;
      {
        Lock l(S().mx);
        Wnd *w = W(h);
        if (!w || !(w->style & WS_POPUP)) return 0;
        if (lp == SW_PARENTCLOSING && (w->style & WS_VISIBLE)) {
          w->hiddenByOwner = true;
          act = true;
        } else if (lp == SW_PARENTOPENING && w->hiddenByOwner) {
          w->hiddenByOwner = false;
          act = true;
        }
      }
      if (act)
        SetWindowPosCore(h, 0, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                             (lp == SW_PARENTCLOSING ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
      return 0;
    }
    case WM_CANCELMODE:
      if (GetCapture() == h) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return (LRESULT)GetSysColorBrush(COLOR_BTNFACE);
    case WM_CTLCOLORSCROLLBAR:
      return (LRESULT)GetSysColorBrush(COLOR_SCROLLBAR);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return (LRESULT)GetSysColorBrush(COLOR_WINDOW);
  }
  return 0;
}
