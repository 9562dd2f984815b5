// msctls_trackbar32: a horizontal or vertical slider with ticks.

#include <algorithm>

#include "ctlint.h"

namespace tavo::controls {

namespace {

struct Track {
  int min = 0, max = 100, pos = 0;
  int freq = 1, line = 1, page = 0;  // page 0: a fifth of the range
  bool dragging = false;
  int grab = 0;
};

bool Vertical(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & TBS_VERT) != 0; }

const int kThumb = 11;  // thumb width along the channel
const int kMargin = 8;  // channel ends from the control's edges

int Length(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  int along = Vertical(h) ? rc.bottom - rc.top : rc.right - rc.left;
  return std::max(1, along - 2 * kMargin - kThumb);
}

int PixelOf(HWND h, const Track &t, int pos) {
  int span = std::max(1, t.max - t.min);
  return kMargin + (int)((long long)(pos - t.min) * Length(h) / span);
}

// Where the channel and the thumb are, client coordinates.
RECT ChannelRect(HWND h) {
  RECT rc;
  GetClientRect(h, &rc);
  int across = Vertical(h) ? rc.right - rc.left : rc.bottom - rc.top;
  int mid = std::min(across / 2, 12);
  int from = kMargin + kThumb / 2, to = from + Length(h);
  return Vertical(h) ? RECT{mid - 2, from, mid + 2, to} : RECT{from, mid - 2, to, mid + 2};
}

RECT ThumbRect(HWND h, const Track &t);

int PosAt(HWND h, const Track &t, int pixel) {
  int len = Length(h);
  int at = std::clamp(pixel - kMargin, 0, len);
  long long span = (long long)t.max - t.min;
  return t.min + (int)((span * at + len / 2) / len);
}

RECT ThumbRect(HWND h, const Track &t) {
  RECT rc;
  GetClientRect(h, &rc);
  int across = Vertical(h) ? rc.right - rc.left : rc.bottom - rc.top;
  int mid = std::min(across / 2, 12);
  int p = PixelOf(h, t, t.pos);
  return Vertical(h) ? RECT{mid - 8, p, mid + 8, p + kThumb} : RECT{p, mid - 8, p + kThumb, mid + 8};
}

void Paint(HWND h, HDC dc) {
  Track *t = Data<Track>(h);
  if (!t) return;
  RECT rc;
  GetClientRect(h, &rc);
  FillRect(dc, &rc, ParentBrush(h, dc, WM_CTLCOLORSTATIC));
  bool vert = Vertical(h);
  int across = vert ? rc.right - rc.left : rc.bottom - rc.top;
  int mid = std::min(across / 2, 12);
  RECT channel = ChannelRect(h);
  DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
  DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
  if ((style & TBS_AUTOTICKS) && !(style & TBS_NOTICKS) && t->freq > 0) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    for (long long v = t->min; v <= t->max; v += t->freq) {
      int p = PixelOf(h, *t, (int)v) + kThumb / 2;
      if (vert) {
        MoveToEx(dc, mid + 10, p, nullptr);
        LineTo(dc, mid + 14, p);
      } else {
        MoveToEx(dc, p, mid + 10, nullptr);
        LineTo(dc, p, mid + 14);
      }
    }
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  DrawButtonFrame(dc, ThumbRect(h, *t), t->dragging);
  if (IsFocused(h)) DrawFocusRect(dc, &rc);
}

void Notify(HWND h, int code, int pos = 0) {
  HWND parent = GetParent(h);
  if (parent)
    SendMessageA(parent, Vertical(h) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, (WORD)pos), (LPARAM)h);
}

void MoveTo(HWND h, Track *t, int pos, int code) {
  pos = std::clamp(pos, t->min, t->max);
  if (pos == t->pos && code != TB_THUMBPOSITION) return;
  t->pos = pos;
  InvalidateRect(h, nullptr, FALSE);
  Notify(h, code, pos);
}

}  // namespace

LRESULT CALLBACK TrackbarProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Track *t = ControlData<Track>(h, m);
  if (!t) return DefWindowProcA(h, m, wp, lp);
  int page = t->page > 0 ? t->page : std::max(1, (t->max - t->min) / 5);
  switch (m) {
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case TBM_GETPOS:
      return t->pos;
    case TBM_GETRANGEMIN:
      return t->min;
    case TBM_GETRANGEMAX:
      return t->max;
    case TBM_SETPOS:
      t->pos = std::clamp((int)lp, t->min, t->max);
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case TBM_SETRANGE:
      t->min = (short)LOWORD(lp);
      t->max = std::max(t->min, (int)(short)HIWORD(lp));
      t->pos = std::clamp(t->pos, t->min, t->max);
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case TBM_SETRANGEMIN:
      t->min = std::min((int)lp, t->max);
      t->pos = std::clamp(t->pos, t->min, t->max);
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case TBM_SETRANGEMAX:
      t->max = std::max((int)lp, t->min);
      t->pos = std::clamp(t->pos, t->min, t->max);
      if (wp) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case TBM_SETTICFREQ:
      t->freq = std::max(1, (int)wp);
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case TBM_SETPAGESIZE: {
      int old = page;
      t->page = (int)lp;
      return old;
    }
    case TBM_GETPAGESIZE:
      return page;
    case TBM_SETLINESIZE: {
      int old = t->line;
      t->line = std::max(1, (int)lp);
      return old;
    }
    case TBM_GETLINESIZE:
      return t->line;
    case TBM_GETTHUMBRECT:
      if (lp) *(RECT *)lp = ThumbRect(h, *t);
      return 0;
    case TBM_GETCHANNELRECT:
      if (lp) *(RECT *)lp = ChannelRect(h);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      POINT pt = PointOf(lp);
      int at = Vertical(h) ? pt.y : pt.x;
      int p = PixelOf(h, *t, t->pos);
      if (at >= p && at < p + kThumb) {
        t->dragging = true;
        t->grab = at - p;
        SetCapture(h);
        InvalidateRect(h, nullptr, FALSE);
      } else {
        MoveTo(h, t, t->pos + (at < p ? -page : page), at < p ? TB_PAGEUP : TB_PAGEDOWN);
        Notify(h, TB_ENDTRACK);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (t->dragging && GetCapture() == h) {
        POINT pt = PointOf(lp);
        MoveTo(h, t, PosAt(h, *t, (Vertical(h) ? pt.y : pt.x) - t->grab), TB_THUMBTRACK);
      }
      return 0;
    case WM_LBUTTONUP:
      if (t->dragging) {
        t->dragging = false;
        if (GetCapture() == h) ReleaseCapture();
        Notify(h, TB_THUMBPOSITION, t->pos);
        Notify(h, TB_ENDTRACK);
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (t->dragging && (HWND)lp != h) {
        t->dragging = false;
        InvalidateRect(h, nullptr, FALSE);
      }
      return 0;
    case WM_KEYDOWN: {
      int code = -1, to = t->pos;
      switch (wp) {
        case VK_LEFT: case VK_UP: code = TB_LINEUP; to -= t->line; break;
        case VK_RIGHT: case VK_DOWN: code = TB_LINEDOWN; to += t->line; break;
        case VK_PRIOR: code = TB_PAGEUP; to -= page; break;
        case VK_NEXT: code = TB_PAGEDOWN; to += page; break;
        case VK_HOME: code = TB_TOP; to = t->min; break;
        case VK_END: code = TB_BOTTOM; to = t->max; break;
      }
      if (code < 0) return DefWindowProcA(h, m, wp, lp);
      MoveTo(h, t, to, code);
      return 0;
    }
    case WM_KEYUP:
      if (wp == VK_LEFT || wp == VK_RIGHT || wp == VK_UP || wp == VK_DOWN || wp == VK_PRIOR || wp == VK_NEXT ||
          wp == VK_HOME || wp == VK_END) {
        Notify(h, TB_ENDTRACK);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
