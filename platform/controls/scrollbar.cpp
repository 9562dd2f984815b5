// "SCROLLBAR" controls, and the values of the standard window scroll bars.

#include <algorithm>
#include <map>
#include <mutex>

#include "ctlint.h"
#include "userint.h"

namespace tavo::controls {

namespace {

struct Values {
  int min = 0, max = 0;
  UINT page = 0;
  int pos = 0;
  int trackPos = 0;
  bool tracking = false;
  UINT arrows = ESB_ENABLE_BOTH;  // ESB_DISABLE_* bits
};

int MaxPos(const Values &v) {
  long long m = (long long)v.max - (v.page ? (long long)v.page - 1 : 0);
  return (int)std::max<long long>(v.min, std::min<long long>(m, v.max));
}

bool Scrollable(const Values &v) {
  if (v.max <= v.min) return false;
  return v.page == 0 || (long long)v.max - v.min >= (long long)v.page;
}

// Applies a SCROLLINFO; returns the position after it. *disable tells
// whether SIF_DISABLENOSCROLL asks to disable (1), enable (0) or nothing (-1).
int Apply(Values &v, const SCROLLINFO *si, int *disable) {
  if (si->fMask & SIF_RANGE) {
    v.min = si->nMin;
    v.max = std::max(si->nMin, si->nMax);
  }
  if (si->fMask & SIF_PAGE) {
    long long span = (long long)v.max - v.min + 1;
    v.page = (UINT)std::min<long long>(si->nPage, span);
  }
  if (si->fMask & SIF_POS) v.pos = si->nPos;
  v.pos = std::clamp(v.pos, v.min, MaxPos(v));
  if (!v.tracking) v.trackPos = v.pos;
  *disable = (si->fMask & SIF_DISABLENOSCROLL) ? (Scrollable(v) ? 0 : 1) : -1;
  return v.pos;
}

bool Fill(const Values &v, SCROLLINFO *si) {
  if (!si || (si->fMask & SIF_ALL) == 0) return false;
  if (si->fMask & SIF_RANGE) {
    si->nMin = v.min;
    si->nMax = v.max;
  }
  if (si->fMask & SIF_PAGE) si->nPage = v.page;
  if (si->fMask & SIF_POS) si->nPos = v.pos;
  if (si->fMask & SIF_TRACKPOS) si->nTrackPos = v.tracking ? v.trackPos : v.pos;
  return true;
}

// ---------------------------------------------------------------- standard bars
// A window's own WS_HSCROLL/WS_VSCROLL bars keep their values here.
struct WindowBars {
  Values bar[2];
  WindowBars() {
    bar[0].max = bar[1].max = 100;
  }
};
std::mutex g_mx;
std::map<HWND, WindowBars> g_bars;

void Forget(HWND h, tavo::user::WindowEvent e, void *) {
  if (e != tavo::user::WindowEvent::Destroyed) return;
  std::lock_guard<std::mutex> l(g_mx);
  g_bars.erase(h);
}

WindowBars &BarsOf(HWND h) {  // g_mx held
  static bool hooked = false;
  if (!hooked) {
    hooked = true;
    tavo::user::AddWindowHook(Forget, nullptr);
  }
  return g_bars[h];
}

// ---------------------------------------------------------------- the control
const UINT_PTR kRepeatTimer = 1;

enum Part { None, ArrowLess, PageLess, Thumb, PageMore, ArrowMore };

struct Bar {
  Values v;
  Part pressed = None;
  int grabOffset = 0;  // pointer minus thumb start while dragging
  bool vertical = false;
};

struct Geometry {
  int length = 0;  // along the bar
  int arrow = 0;
  int thumbStart = 0, thumbLen = 0;
};

// The parts of a bar lying in `rc`; points are relative to its top-left.
Geometry MeasureIn(const RECT &rc, const Bar &b, bool enabled) {
  int along = b.vertical ? rc.bottom - rc.top : rc.right - rc.left;
  int across = b.vertical ? rc.right - rc.left : rc.bottom - rc.top;
  Geometry g;
  g.length = along;
  g.arrow = std::min(across, along / 2);
  int track = along - 2 * g.arrow;
  if (track <= 0 || !Scrollable(b.v) || b.v.arrows == ESB_DISABLE_BOTH || !enabled) return g;
  long long span = (long long)b.v.max - b.v.min + 1;
  int len = b.v.page ? (int)((long long)track * b.v.page / span) : g.arrow;
  len = std::clamp(len, std::min(8, track), track);
  int shown = b.v.tracking ? b.v.trackPos : b.v.pos;
  long long room = (long long)MaxPos(b.v) - b.v.min;
  g.thumbLen = len;
  g.thumbStart = g.arrow + (room > 0 ? (int)((long long)(track - len) * (shown - b.v.min) / room) : 0);
  return g;
}

Part HitPartIn(const RECT &rc, const Bar &b, bool enabled, POINT pt) {
  Geometry g = MeasureIn(rc, b, enabled);
  int at = b.vertical ? pt.y : pt.x;
  if (at < 0 || at >= g.length) return None;
  if (at < g.arrow) return ArrowLess;
  if (at >= g.length - g.arrow) return ArrowMore;
  if (!g.thumbLen) return None;
  if (at < g.thumbStart) return PageLess;
  if (at < g.thumbStart + g.thumbLen) return Thumb;
  return PageMore;
}

int TrackFromPointerIn(const RECT &rc, const Bar &b, bool enabled, POINT pt) {
  Geometry g = MeasureIn(rc, b, enabled);
  int track = g.length - 2 * g.arrow - g.thumbLen;
  int at = (b.vertical ? pt.y : pt.x) - b.grabOffset - g.arrow;
  long long room = (long long)MaxPos(b.v) - b.v.min;
  if (track <= 0) return b.v.min;
  at = std::clamp(at, 0, track);
  return (int)(b.v.min + (room * at + track / 2) / track);
}

void PaintBar(HDC dc, const RECT &rc, const Bar &b, bool enabled, HBRUSH track) {
  Geometry g = MeasureIn(rc, b, enabled);
  FillRect(dc, &rc, track);
  enabled = enabled && b.v.arrows != ESB_DISABLE_BOTH;
  auto span = [&](int from, int to) {
    return b.vertical ? RECT{rc.left, rc.top + from, rc.right, rc.top + to}
                      : RECT{rc.left + from, rc.top, rc.left + to, rc.bottom};
  };
  RECT a1 = span(0, g.arrow), a2 = span(g.length - g.arrow, g.length);
  DrawButtonFrame(dc, a1, b.pressed == ArrowLess);
  DrawButtonFrame(dc, a2, b.pressed == ArrowMore);
  DrawArrow(dc, a1, b.vertical ? 0 : 2, enabled && !(b.v.arrows & ESB_DISABLE_LTUP));
  DrawArrow(dc, a2, b.vertical ? 1 : 3, enabled && !(b.v.arrows & ESB_DISABLE_RTDN));
  if (b.pressed == PageLess || b.pressed == PageMore) {
    RECT p = b.pressed == PageLess ? span(g.arrow, g.thumbStart) : span(g.thumbStart + g.thumbLen, g.length - g.arrow);
    FillRect(dc, &p, GetSysColorBrush(COLOR_3DDKSHADOW));
  }
  if (g.thumbLen) DrawButtonFrame(dc, span(g.thumbStart, g.thumbStart + g.thumbLen), false);
}

RECT ClientOf(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  return rc;
}

Geometry Measure(HWND h, const Bar &b) { return MeasureIn(ClientOf(h), b, IsWindowEnabled(h) != 0); }
Part HitPart(HWND h, const Bar &b, POINT pt) { return HitPartIn(ClientOf(h), b, IsWindowEnabled(h) != 0, pt); }

void Send(HWND h, int code, int pos = 0) {
  HWND parent = GetParent(h);
  if (!parent) return;
  Bar *b = Data<Bar>(h);
  UINT msg = b && b->vertical ? WM_VSCROLL : WM_HSCROLL;
  SendMessageA(parent, msg, MAKEWPARAM(code, (WORD)pos), (LPARAM)h);
}

void Paint(HWND h, HDC dc) {
  Bar *b = Data<Bar>(h);
  if (!b) return;
  HBRUSH track = GetSysColorBrush(COLOR_SCROLLBAR);
  HWND parent = GetParent(h);
  if (parent) {
    HBRUSH got = (HBRUSH)SendMessageA(parent, WM_CTLCOLORSCROLLBAR, (WPARAM)dc, (LPARAM)h);
    if (got) track = got;
  }
  PaintBar(dc, ClientOf(h), *b, IsWindowEnabled(h) != 0, track);
}

void Redraw(HWND h) { InvalidateRect(h, nullptr, FALSE); }

void Act(HWND h, Part part) {
  switch (part) {
    case ArrowLess: Send(h, SB_LINEUP); break;
    case ArrowMore: Send(h, SB_LINEDOWN); break;
    case PageLess: Send(h, SB_PAGEUP); break;
    case PageMore: Send(h, SB_PAGEDOWN); break;
    default: break;
  }
}

int TrackFromPointer(HWND h, const Bar &b, POINT pt) { return TrackFromPointerIn(ClientOf(h), b, IsWindowEnabled(h) != 0, pt); }

LRESULT ControlMessage(HWND h, Bar *b, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case SBM_SETPOS: {
      int old = b->v.pos;
      b->v.pos = std::clamp((int)wp, b->v.min, MaxPos(b->v));
      if (!b->v.tracking) b->v.trackPos = b->v.pos;
      if (lp) Redraw(h);
      return old;
    }
    case SBM_GETPOS:
      return b->v.pos;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
      int old = b->v.pos;
      SCROLLINFO si{sizeof si, SIF_RANGE, (int)wp, (int)lp, 0, 0, 0};
      int dis;
      Apply(b->v, &si, &dis);
      if (m == SBM_SETRANGEREDRAW) Redraw(h);
      return old;
    }
    case SBM_GETRANGE:
      if (wp) *(int *)wp = b->v.min;
      if (lp) *(int *)lp = b->v.max;
      return 0;
    case SBM_ENABLE_ARROWS: {
      UINT was = b->v.arrows;
      b->v.arrows = (UINT)wp & ESB_DISABLE_BOTH;
      // A bar with both arrows off is a disabled window, so the dialog
      // manager passes it by and the state shows.
      if (b->v.arrows == ESB_DISABLE_BOTH) EnableWindow(h, FALSE);
      else if (was == ESB_DISABLE_BOTH) EnableWindow(h, TRUE);
      Redraw(h);
      return TRUE;
    }
    case SBM_SETSCROLLINFO: {
      auto *si = (const SCROLLINFO *)lp;
      if (!si) return b->v.pos;
      int disable;
      int pos = Apply(b->v, si, &disable);
      if (disable == 1) {
        ControlMessage(h, b, SBM_ENABLE_ARROWS, ESB_DISABLE_BOTH, 0);
      } else if (disable == 0 && b->v.arrows == ESB_DISABLE_BOTH) {
        ControlMessage(h, b, SBM_ENABLE_ARROWS, ESB_ENABLE_BOTH, 0);
      }
      if (wp) Redraw(h);
      return pos;
    }
    case SBM_GETSCROLLINFO:
      return Fill(b->v, (SCROLLINFO *)lp);
  }
  return 0;
}

}  // namespace

LRESULT CALLBACK ScrollBarProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_NCCREATE: {
      Bar *b = Attach<Bar>(h);
      b->vertical = (GetWindowLongA(h, GWL_STYLE) & SBS_VERT) != 0;
      return DefWindowProcA(h, m, wp, lp);
    }
    case WM_NCDESTROY:
      Detach<Bar>(h);
      return DefWindowProcA(h, m, wp, lp);
  }
  Bar *b = Data<Bar>(h);
  if (!b) return DefWindowProcA(h, m, wp, lp);
  if (m >= SBM_SETPOS && m <= SBM_GETSCROLLINFO) return ControlMessage(h, b, m, wp, lp);
  switch (m) {
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_ENABLE:
      Redraw(h);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT pt = PointOf(lp);
      Part part = HitPart(h, *b, pt);
      if (part == None) return 0;
      bool lessOff = (b->v.arrows & ESB_DISABLE_LTUP) != 0, moreOff = (b->v.arrows & ESB_DISABLE_RTDN) != 0;
      if ((part == ArrowLess && lessOff) || (part == ArrowMore && moreOff)) return 0;
      if (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP) SetFocus(h);
      SetCapture(h);
      b->pressed = part;
      if (part == Thumb) {
        Geometry g = Measure(h, *b);
        b->grabOffset = (b->vertical ? pt.y : pt.x) - g.thumbStart;
        b->v.tracking = true;
        b->v.trackPos = b->v.pos;
      } else {
        Act(h, part);
        SetTimer(h, kRepeatTimer, 400, nullptr);
      }
      Redraw(h);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (b->pressed == Thumb && GetCapture() == h) {
        int t = TrackFromPointer(h, *b, PointOf(lp));
        if (t != b->v.trackPos) {
          b->v.trackPos = t;
          Redraw(h);
          Send(h, SB_THUMBTRACK, t);
        }
      }
      return 0;
    case WM_TIMER:
      if (wp == kRepeatTimer) {
        if (b->pressed == None || b->pressed == Thumb) {
          KillTimer(h, kRepeatTimer);
          return 0;
        }
        SetTimer(h, kRepeatTimer, 50, nullptr);
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(h, &pt);
        // Paging stops once the thumb reaches the pointer.
        if (HitPart(h, *b, pt) == b->pressed) Act(h, b->pressed);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_LBUTTONUP: {
      Part was = b->pressed;
      if (was == None) return 0;
      b->pressed = None;
      KillTimer(h, kRepeatTimer);
      if (GetCapture() == h) ReleaseCapture();
      if (was == Thumb) {
        int t = b->v.trackPos;
        Send(h, SB_THUMBPOSITION, t);
        b->v.tracking = false;
        b->v.trackPos = b->v.pos;
      }
      Send(h, SB_ENDSCROLL);
      Redraw(h);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (b->pressed != None && (HWND)lp != h) {
        b->pressed = None;
        b->v.tracking = false;
        KillTimer(h, kRepeatTimer);
        Redraw(h);
      }
      return 0;
    case WM_KEYDOWN: {
      int code = -1;
      switch (wp) {
        case VK_UP: case VK_LEFT: code = SB_LINEUP; break;
        case VK_DOWN: case VK_RIGHT: code = SB_LINEDOWN; break;
        case VK_PRIOR: code = SB_PAGEUP; break;
        case VK_NEXT: code = SB_PAGEDOWN; break;
        case VK_HOME: code = SB_TOP; break;
        case VK_END: code = SB_BOTTOM; break;
      }
      if (code < 0) return DefWindowProcA(h, m, wp, lp);
      Send(h, code);
      return 0;
    }
    case WM_KEYUP:
      if (wp == VK_UP || wp == VK_DOWN || wp == VK_LEFT || wp == VK_RIGHT || wp == VK_PRIOR || wp == VK_NEXT ||
          wp == VK_HOME || wp == VK_END) {
        Send(h, SB_ENDSCROLL);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls

using tavo::controls::BarsOf;
using tavo::controls::g_mx;

namespace {

bool IsControlBar(int bar) { return bar == SB_CTL; }

bool BadBar(HWND h, int bar) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return true;
  }
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_CTL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return true;
  }
  return false;
}

// Shows or hides a standard bar by its style bit; the window layer lays out
// the non-client area from the style.
void SetBarStyle(HWND h, int bar, bool show) {
  LONG style = GetWindowLongA(h, GWL_STYLE);
  LONG bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
  LONG next = show ? (style | bit) : (style & ~bit);
  if (next == style) return;
  SetWindowLongA(h, GWL_STYLE, next);
  SetWindowPos(h, 0, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

int SetScrollInfo(HWND h, int bar, LPCSCROLLINFO si, BOOL redraw) {
  if (BadBar(h, bar) || !si) return 0;
  if (IsControlBar(bar)) return (int)SendMessageA(h, SBM_SETSCROLLINFO, redraw, (LPARAM)si);
  int pos, disable;
  {
    std::lock_guard<std::mutex> l(g_mx);
    tavo::controls::Values &v = BarsOf(h).bar[bar];
    pos = tavo::controls::Apply(v, si, &disable);
    if (disable == 1) v.arrows = ESB_DISABLE_BOTH;
    if (disable == 0 && v.arrows == ESB_DISABLE_BOTH) v.arrows = ESB_ENABLE_BOTH;
    if (disable == -1 && (si->fMask & (SIF_RANGE | SIF_PAGE))) disable = tavo::controls::Scrollable(v) ? -2 : -3;
  }
  // Without SIF_DISABLENOSCROLL a bar with nothing to scroll goes away.
  if (disable == -3) SetBarStyle(h, bar, false);
  if (disable == -2 || disable >= 0) SetBarStyle(h, bar, true);
  if (redraw) RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE);
  return pos;
}

BOOL GetScrollInfo(HWND h, int bar, LPSCROLLINFO si) {
  if (BadBar(h, bar) || !si) return FALSE;
  if (IsControlBar(bar)) return (BOOL)SendMessageA(h, SBM_GETSCROLLINFO, 0, (LPARAM)si);
  std::lock_guard<std::mutex> l(g_mx);
  return tavo::controls::Fill(BarsOf(h).bar[bar], si);
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  SCROLLINFO old{sizeof old, SIF_POS};
  if (!GetScrollInfo(h, bar, &old)) return 0;
  SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(h, bar, &si, redraw);
  return old.nPos;
}

int GetScrollPos(HWND h, int bar) {
  SCROLLINFO si{sizeof si, SIF_POS};
  return GetScrollInfo(h, bar, &si) ? si.nPos : 0;
}

BOOL SetScrollRange(HWND h, int bar, int minPos, int maxPos, BOOL redraw) {
  if (BadBar(h, bar)) return FALSE;
  SCROLLINFO si{sizeof si, SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(h, bar, &si, redraw);
  return TRUE;
}

BOOL GetScrollRange(HWND h, int bar, LPINT minPos, LPINT maxPos) {
  SCROLLINFO si{sizeof si, SIF_RANGE};
  if (!GetScrollInfo(h, bar, &si)) return FALSE;
  if (minPos) *minPos = si.nMin;
  if (maxPos) *maxPos = si.nMax;
  return TRUE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (bar == SB_CTL) {
    ShowWindow(h, show ? SW_SHOWNA : SW_HIDE);
    return TRUE;
  }
  if (bar == SB_HORZ || bar == SB_BOTH) SetBarStyle(h, SB_HORZ, show != 0);
  if (bar == SB_VERT || bar == SB_BOTH) SetBarStyle(h, SB_VERT, show != 0);
  return TRUE;
}

BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  arrows &= ESB_DISABLE_BOTH;
  if (bar == SB_CTL) {
    SendMessageA(h, SBM_ENABLE_ARROWS, arrows, 0);
    return TRUE;
  }
  if (bar != SB_HORZ && bar != SB_VERT && bar != SB_BOTH) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  {
    std::lock_guard<std::mutex> l(g_mx);
    auto &bars = BarsOf(h);
    if (bar != SB_VERT) bars.bar[SB_HORZ].arrows = arrows;
    if (bar != SB_HORZ) bars.bar[SB_VERT].arrows = arrows;
  }
  RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE);
  return TRUE;
}

namespace tavo::controls {
// How a window's standard bar stands: its arrows' ESB_* state (for tests and
// for the non-client painter).
UINT StandardBarArrows(HWND h, int bar) {
  std::lock_guard<std::mutex> l(g_mx);
  auto it = g_bars.find(h);
  return it == g_bars.end() || (bar != SB_HORZ && bar != SB_VERT) ? ESB_ENABLE_BOTH : it->second.bar[bar].arrows;
}
}  // namespace tavo::controls

// ---------------------------------------------------------------- a window's own bars

namespace tavo::controls {

bool StandardBarRect(HWND h, int bar, RECT *r) {
  DWORD style = tavo::user::Style(h);
  if ((bar == SB_VERT && !(style & WS_VSCROLL)) || (bar == SB_HORZ && !(style & WS_HSCROLL)) ||
      (bar != SB_VERT && bar != SB_HORZ) || !r)
    return false;
  RECT wr, cr;
  if (!tavo::user::WindowRectOnScreen(h, &wr) || !tavo::user::ClientRectOnScreen(h, &cr)) return false;
  Offset(&cr, -wr.left, -wr.top);
  if (bar == SB_VERT)
    *r = RECT{cr.right, cr.top, cr.right + GetSystemMetrics(SM_CXVSCROLL), cr.bottom};
  else
    *r = RECT{cr.left, cr.bottom, cr.right, cr.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  return true;
}

namespace {

Bar StandardBar(HWND h, int bar) {
  Bar b;
  b.vertical = bar == SB_VERT;
  std::lock_guard<std::mutex> l(g_mx);
  b.v = BarsOf(h).bar[bar];
  return b;
}

void PaintOne(HWND h, HDC dc, int bar, Part pressed = None, int grab = 0) {
  RECT r;
  if (!StandardBarRect(h, bar, &r)) return;
  Bar b = StandardBar(h, bar);
  b.pressed = pressed;
  b.grabOffset = grab;
  PaintBar(dc, r, b, IsWindowEnabled(h) != 0, GetSysColorBrush(COLOR_SCROLLBAR));
}

void PaintNow(HWND h, int bar, Part pressed) {
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  PaintOne(h, dc, bar, pressed);
  ReleaseDC(h, dc);
}

const UINT_PTR kStandardTimer = 0xFFF0;

}  // namespace

void PaintStandardBars(HWND h, HDC windowDC) {
  RECT v{}, hz{};
  bool hasV = StandardBarRect(h, SB_VERT, &v), hasH = StandardBarRect(h, SB_HORZ, &hz);
  if (hasV) PaintOne(h, windowDC, SB_VERT);
  if (hasH) PaintOne(h, windowDC, SB_HORZ);
  if (hasV && hasH) {
    RECT corner{v.left, hz.top, v.right, hz.bottom};
    FillRect(windowDC, &corner, GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TrackStandardBar(HWND h, int bar, POINT screen) {
  RECT r, wr;
  if (!StandardBarRect(h, bar, &r) || !tavo::user::WindowRectOnScreen(h, &wr)) return;
  auto local = [&](POINT s) { return POINT{s.x - wr.left - r.left, s.y - wr.top - r.top}; };
  bool enabled = IsWindowEnabled(h) != 0;
  Bar b = StandardBar(h, bar);
  Part part = HitPartIn(r, b, enabled, local(screen));
  if (part == None || (part == ArrowLess && (b.v.arrows & ESB_DISABLE_LTUP)) ||
      (part == ArrowMore && (b.v.arrows & ESB_DISABLE_RTDN)))
    return;
  UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  auto send = [&](int code, int pos) { SendMessageA(h, msg, MAKEWPARAM(code, (WORD)pos), 0); };
  auto act = [&] {
    int code = part == ArrowLess ? SB_LINEUP : part == ArrowMore ? SB_LINEDOWN : part == PageLess ? SB_PAGEUP : SB_PAGEDOWN;
    send(code, 0);
  };
  int grab = 0;
  if (part == Thumb) {
    grab = (b.vertical ? local(screen).y : local(screen).x) - MeasureIn(r, b, enabled).thumbStart;
    std::lock_guard<std::mutex> l(g_mx);
    Values &v = BarsOf(h).bar[bar];
    v.tracking = true;
    v.trackPos = v.pos;
  } else {
    act();
    SetTimer(h, kStandardTimer, 400, nullptr);
  }
  SetCapture(h);
  PaintNow(h, bar, part);
  // The bar's own loop, as the system runs one while an arrow or the thumb is held.
  while (IsWindow(h) && GetCapture() == h) {
    MSG m;
    if (!GetMessageA(&m, 0, 0, 0)) {
      PostQuitMessage((int)m.wParam);
      break;
    }
    if (m.hwnd == h && m.message == WM_TIMER && m.wParam == kStandardTimer) {
      SetTimer(h, kStandardTimer, 50, nullptr);
      POINT s;
      GetCursorPos(&s);
      if (HitPartIn(r, StandardBar(h, bar), enabled, local(s)) == part) act();
      PaintNow(h, bar, part);
      continue;
    }
    if (m.hwnd == h && (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP)) {
      POINT s = PointOf(m.lParam);
      ClientToScreen(h, &s);
      if (part == Thumb) {
        Bar now = StandardBar(h, bar);
        now.grabOffset = grab;
        int t = TrackFromPointerIn(r, now, enabled, local(s));
        bool moved;
        {
          std::lock_guard<std::mutex> l(g_mx);
          Values &v = BarsOf(h).bar[bar];
          moved = v.trackPos != t;
          v.trackPos = t;
        }
        if (moved) {
          PaintNow(h, bar, part);
          send(SB_THUMBTRACK, t);
        }
      }
      if (m.message == WM_LBUTTONUP) break;
      continue;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  if (!IsWindow(h)) return;
  KillTimer(h, kStandardTimer);
  if (GetCapture() == h) ReleaseCapture();
  if (part == Thumb) {
    int t;
    {
      std::lock_guard<std::mutex> l(g_mx);
      t = BarsOf(h).bar[bar].trackPos;
    }
    send(SB_THUMBPOSITION, t);
    std::lock_guard<std::mutex> l(g_mx);
    Values &v = BarsOf(h).bar[bar];
    v.tracking = false;
    v.trackPos = v.pos;
  }
  send(SB_ENDSCROLL, 0);
  PaintNow(h, bar, None);
}

}  // namespace tavo::controls
