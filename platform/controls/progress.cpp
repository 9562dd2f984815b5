// msctls_progress32: the progress bar, in blocks or smooth, and marquee.

#include <algorithm>

#include "ctlint.h"

namespace tavo::controls {

namespace {

const UINT_PTR kMarqueeTimer = 1;

struct Progress {
  int low = 0, high = 100, pos = 0, step = 10;
  bool marquee = false;
  int marqueeAt = 0;  // the moving block's left edge, pixels
  COLORREF bar = CLR_DEFAULT, back = CLR_DEFAULT;
};

void FillColour(HDC dc, const RECT &r, COLORREF c) {
  HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Paint(HWND h, HDC dc) {
  Progress *p = Data<Progress>(h);
  if (!p) return;
  RECT rc;
  GetClientRect(h, &rc);
  DWORD style = (DWORD)GetWindowLongA(h, GWL_STYLE);
  RECT in = rc;
  DrawEdge(dc, &in, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  FillColour(dc, in, p->back == CLR_DEFAULT ? GetSysColor(COLOR_BTNFACE) : p->back);
  Inflate(&in, -1, -1);
  int width = in.right - in.left, height = in.bottom - in.top;
  if (width <= 0 || height <= 0) return;
  COLORREF bar = p->bar == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT) : p->bar;
  bool smooth = (style & PBS_SMOOTH) != 0;
  int block = std::max(2, height * 2 / 3);
  if ((style & PBS_MARQUEE) && p->marquee) {
    int len = 5 * (block + 2);
    for (int x = 0; x < len; x += block + 2) {
      int l = in.left + (p->marqueeAt + x) % (width + len) - len / 2;
      RECT r{std::max(in.left, l), in.top, std::min(in.right, l + block), in.bottom};
      if (r.right > r.left) FillColour(dc, r, bar);
    }
    return;
  }
  long long span = (long long)p->high - p->low;
  int filled = span > 0 ? (int)(((long long)p->pos - p->low) * width / span) : 0;
  filled = std::clamp(filled, 0, width);
  if (smooth) {
    RECT r{in.left, in.top, in.left + filled, in.bottom};
    if (filled) FillColour(dc, r, bar);
    return;
  }
  for (int x = 0; x < filled; x += block + 2) {
    RECT r{in.left + x, in.top, std::min(in.left + x + block, in.right), in.bottom};
    FillColour(dc, r, bar);
  }
}

// The programs move the bar from a thread that is busy with the work and
// does not reach its message loop until it is done, so the bar is drawn at
// once rather than only invalidated.
void PaintNow(HWND h) {
  HDC dc = GetDC(h);
  if (!dc) return;
  Paint(h, dc);
  ReleaseDC(h, dc);
  ValidateRect(h, nullptr);
}

int Clamp(const Progress *p, long long v) {
  long long lo = std::min(p->low, p->high), hi = std::max(p->low, p->high);
  return (int)std::clamp(v, lo, hi);
}

}  // namespace

LRESULT CALLBACK ProgressProc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
  Progress *p = ControlData<Progress>(h, m);
  if (!p) return DefWindowProcA(h, m, wp, lp);
  switch (m) {
    case WM_PAINT:
      PaintMessage(h, wp, Paint);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      if (wp == kMarqueeTimer && p->marquee) {
        RECT rc;
        GetClientRect(h, &rc);
        p->marqueeAt = (p->marqueeAt + 3) % std::max(1, (int)(rc.right - rc.left) + 80);
        PaintNow(h);
        return 0;
      }
      return DefWindowProcA(h, m, wp, lp);
    case PBM_SETRANGE: {
      LRESULT old = MAKELONG((WORD)p->low, (WORD)p->high);
      p->low = LOWORD(lp);
      p->high = HIWORD(lp);
      p->pos = Clamp(p, p->pos);
      PaintNow(h);
      return old;
    }
    case PBM_SETRANGE32: {
      LRESULT old = MAKELONG((WORD)p->low, (WORD)p->high);
      p->low = (int)wp;
      p->high = (int)lp;
      p->pos = Clamp(p, p->pos);
      PaintNow(h);
      return old;
    }
    case PBM_GETRANGE:
      if (lp) {
        auto *r = (PBRANGE *)lp;
        r->iLow = p->low;
        r->iHigh = p->high;
      }
      return wp ? p->low : p->high;
    case PBM_SETPOS: {
      int old = p->pos;
      p->pos = Clamp(p, (int)wp);
      PaintNow(h);
      return old;
    }
    case PBM_DELTAPOS: {
      int old = p->pos;
      p->pos = Clamp(p, (long long)p->pos + (int)wp);
      PaintNow(h);
      return old;
    }
    case PBM_SETSTEP: {
      int old = p->step;
      p->step = (int)wp;
      return old;
    }
    case PBM_STEPIT: {
      int old = p->pos;
      long long next = (long long)p->pos + p->step;
      // Past the end the bar starts over, as the wait dialogs expect.
      if (next > std::max(p->low, p->high)) next = std::min(p->low, p->high) + (next - std::max(p->low, p->high));
      p->pos = Clamp(p, next);
      PaintNow(h);
      return old;
    }
    case PBM_GETPOS:
      return p->pos;
    case PBM_SETBARCOLOR: {
      COLORREF old = p->bar;
      p->bar = (COLORREF)lp;
      PaintNow(h);
      return old;
    }
    case PBM_SETBKCOLOR: {
      COLORREF old = p->back;
      p->back = (COLORREF)lp;
      PaintNow(h);
      return old;
    }
    case PBM_SETMARQUEE:
      if (wp) {
        p->marquee = true;
        SetTimer(h, kMarqueeTimer, lp ? (UINT)lp : 30, nullptr);
      } else {
        p->marquee = false;
        KillTimer(h, kMarqueeTimer);
      }
      PaintNow(h);
      return TRUE;
  }
  return DefWindowProcA(h, m, wp, lp);
}

}  // namespace tavo::controls
