// Window positions, showing and hiding, z-order.

#include <algorithm>

#include "menuint.h"
#include "state.h"

namespace tavo::user {

namespace {

struct PosArgs {
  HWND after;
  int x, y, cx, cy;
  UINT flags;
};

// Places h among its siblings (the same rules as at creation).
void Restack(Wnd *w, HWND after) {
  Wnd *p = W(w->parent);
  if (!p) return;
  auto &c = p->children;
  c.erase(std::remove(c.begin(), c.end(), w->h), c.end());
  bool top = w->parent == S().desktop;
  if (top && after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
  if (top && after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
  size_t pos = 0;
  if (after == HWND_BOTTOM) pos = c.size();
  else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) pos = 0;
  else {
    auto it = std::find(c.begin(), c.end(), after);
    pos = it == c.end() ? 0 : (size_t)(it - c.begin()) + 1;
  }
  if (top) {
    size_t firstNormal = 0;
    while (firstNormal < c.size()) {
      Wnd *o = W(c[firstNormal]);
      if (!o || !(o->exStyle & WS_EX_TOPMOST)) break;
      ++firstNormal;
    }
    if (w->exStyle & WS_EX_TOPMOST) pos = std::min(pos, firstNormal);
    else pos = std::max(pos, firstNormal);
  }
  c.insert(c.begin() + (ptrdiff_t)std::min(pos, c.size()), w->h);
  if (!top) return;
  // Owned windows stay above their owner, in their own order.
  std::vector<HWND> below;
  auto self = std::find(c.begin(), c.end(), w->h);
  for (auto it = self + 1; it != c.end(); ++it) {
    Wnd *o = W(*it);
    if (o && o->owner == w->h) below.push_back(*it);
  }
  if (below.empty()) return;
  for (HWND o : below) c.erase(std::remove(c.begin(), c.end(), o), c.end());
  self = std::find(c.begin(), c.end(), w->h);
  c.insert(self, below.begin(), below.end());
}

void InvalidateParentArea(Wnd *w, const RECT &r) {
  Wnd *p = W(w->parent);
  if (!p || p->h == S().desktop) return;
  // r is in the parent's client coordinates already.
  InvalidateL(p, &r, true);
}

}  // namespace

bool SetWindowPosCore(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS wp{h, after, x, y, cx, cy, flags};
  bool child, wasVisible;
  RECT oldClient0;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || h == S().desktop) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return false;
    }
    if (w->tid != GetCurrentThreadId()) {
      PosArgs a{after, x, y, cx, cy, flags};
      l.unlock();
      return Send(h, kSetWindowPos, 0, (LPARAM)&a) != 0;
    }
    RECT r = w->rect;
    oldClient0 = w->client;
    if (wp.flags & SWP_NOMOVE) {
      wp.x = r.left;
      wp.y = r.top;
    }
    if (wp.flags & SWP_NOSIZE) {
      wp.cx = r.right - r.left;
      wp.cy = r.bottom - r.top;
    }
    if (wp.cx < 0) wp.cx = 0;
    if (wp.cy < 0) wp.cy = 0;
    if (wp.x == r.left && wp.y == r.top) wp.flags |= SWP_NOMOVE;
    if (wp.cx == r.right - r.left && wp.cy == r.bottom - r.top) wp.flags |= SWP_NOSIZE;
    wasVisible = (w->style & WS_VISIBLE) != 0;
    if (wasVisible) wp.flags &= ~SWP_SHOWWINDOW;
    else wp.flags &= ~SWP_HIDEWINDOW;
    child = (w->style & WS_CHILD) != 0;
    if (child || (w->exStyle & WS_EX_NOACTIVATE)) wp.flags |= SWP_NOACTIVATE;
  }
  if (!(wp.flags & SWP_NOSENDCHANGING)) Send(h, WM_WINDOWPOSCHANGING, 0, (LPARAM)&wp);
  bool showing = (wp.flags & SWP_SHOWWINDOW) != 0;
  bool hiding = (wp.flags & SWP_HIDEWINDOW) != 0;
  if (!(wp.flags & SWP_NOACTIVATE) && !hiding && (showing || wasVisible)) {
    ActivateWindow(h, WA_ACTIVE);
  }
  RECT oldRect, newRect;
  bool sizeChanged = false, moved = false;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return false;
    oldRect = w->rect;
    newRect = RECT{wp.x, wp.y, wp.x + std::max(0, wp.cx), wp.y + std::max(0, wp.cy)};
    if (wp.flags & SWP_NOMOVE) {
      newRect.left = oldRect.left;
      newRect.top = oldRect.top;
    }
    if (wp.flags & SWP_NOSIZE) {
      newRect.right = newRect.left + (oldRect.right - oldRect.left);
      newRect.bottom = newRect.top + (oldRect.bottom - oldRect.top);
    } else {
      newRect.right = newRect.left + std::max(0, wp.cx);
      newRect.bottom = newRect.top + std::max(0, wp.cy);
    }
    sizeChanged = (newRect.right - newRect.left) != (oldRect.right - oldRect.left) ||
                  (newRect.bottom - newRect.top) != (oldRect.bottom - oldRect.top);
    moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
  }
  if (sizeChanged || (wp.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS p{};
    RECT oldClient;
    {
      Lock l(S().mx);
      Wnd *w = W(h);
      if (!w) return false;
      oldClient = w->client;
    }
    p.rgrc[0] = newRect;
    p.rgrc[1] = oldRect;
    p.rgrc[2] = oldClient;
    p.lppos = &wp;
    Send(h, WM_NCCALCSIZE, TRUE, (LPARAM)&p);
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return false;
    RECT c = p.rgrc[0];
    if (c.right < c.left) c.right = c.left;
    if (c.bottom < c.top) c.bottom = c.top;
    w->rect = newRect;
    w->client = c;
  } else if (moved) {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return false;
    int dx = newRect.left - oldRect.left, dy = newRect.top - oldRect.top;
    w->rect = newRect;
    w->client = RECT{w->client.left + dx, w->client.top + dy, w->client.right + dx, w->client.bottom + dy};
  }
  bool restacked = false, raised = false;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return false;
    if (!(wp.flags & SWP_NOZORDER)) {
      Wnd *p = W(w->parent);
      std::vector<HWND> before = p ? p->children : std::vector<HWND>{};
      Restack(w, wp.hwndInsertAfter);
      restacked = p && before != p->children;
      if (restacked && w->parent != S().desktop)
        raised = std::find(p->children.begin(), p->children.end(), h) - p->children.begin() <
                 std::find(before.begin(), before.end(), h) - before.begin();
    }
    if (showing) w->style |= WS_VISIBLE;
    if (hiding) w->style &= ~WS_VISIBLE;
    if (!(wp.flags & SWP_NOREDRAW)) {
      auto all = [](auto &self, Wnd *x, int depth) -> void {
        InvalidateL(x, nullptr, true);
        if (depth > 64) return;
        for (HWND c : x->children)
          if (Wnd *cw = W(c); cw && (cw->style & WS_VISIBLE)) self(self, cw, depth + 1);
      };
      if (showing || (raised && wasVisible)) {
        // Children shown while their parent was hidden have never been
        // painted: they come into view with it. A child raised over its
        // siblings shares their surface: what they drew over it is its
        // to paint again.
        all(all, w, 0);
      } else if (sizeChanged) {
        UINT cs = w->cls ? w->cls->style : 0;
        int ow = oldRect.right - oldRect.left, oh = oldRect.bottom - oldRect.top;
        int nw = newRect.right - newRect.left, nh = newRect.bottom - newRect.top;
        if (((cs & CS_HREDRAW) && ow != nw) || ((cs & CS_VREDRAW) && oh != nh)) {
          InvalidateL(w, nullptr, true);
        } else {
          RECT cr{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
          // Only what the window grew by needs painting.
          if (nw > ow) {
            RECT strip{oldClient0.right - oldClient0.left, 0, cr.right, cr.bottom};
            InvalidateL(w, &strip, true);
          }
          if (nh > oh) {
            RECT strip{0, oldClient0.bottom - oldClient0.top, cr.right, cr.bottom};
            InvalidateL(w, &strip, true);
          }
        }
      }
      if ((hiding || moved || sizeChanged) && (wasVisible || showing)) InvalidateParentArea(w, oldRect);
    }
  }
  bool firstSize = false;
  {
    Lock l(S().mx);
    if (Wnd *w = W(h)) {
      // Moved or sized: the default procedure tells the window now. Shown for
      // the first time: it hears its size and place after the change.
      if (moved || sizeChanged) w->needSize = false;
      firstSize = w->needSize && (w->style & WS_VISIBLE);
      if (firstSize) w->needSize = false;
    }
  }
  Send(h, WM_WINDOWPOSCHANGED, 0, (LPARAM)&wp);
  if (firstSize) {
    RECT c;
    WPARAM type;
    {
      Lock l(S().mx);
      Wnd *w = W(h);
      if (!w) return false;
      c = w->client;
      type = w->iconic ? SIZE_MINIMIZED : w->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED;
    }
    Send(h, WM_SIZE, type, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    Send(h, WM_MOVE, 0, MAKELPARAM((WORD)(SHORT)c.left, (WORD)(SHORT)c.top));
  }
  if (moved) FireHook(h, WindowEvent::Moved);
  if (sizeChanged) FireHook(h, WindowEvent::Sized);
  if (restacked) FireHook(h, WindowEvent::ZOrder);
  if (showing) FireHook(h, WindowEvent::Shown);
  if ((showing || sizeChanged || (wp.flags & SWP_FRAMECHANGED)) && PaintsNonClient(Style(h)) && IsWindowVisible(h))
    Send(h, WM_NCPAINT, 1, 0);
  if (hiding) {
    FireHook(h, WindowEvent::Hidden);
    // The focus and the activation leave a window that is hidden.
    HWND focusTo = 0;
    bool moveFocus = false, deactivate = false;
    {
      Lock l(S().mx);
      Queue *q = SelfQueue();
      Wnd *w = W(h);
      if (w && q->focus && (q->focus == h || IsDescendantL(h, q->focus))) {
        moveFocus = true;
        focusTo = child ? w->parent : 0;
      }
      deactivate = q->active == h;
    }
    if (deactivate) ActivateAfter(h);
    if (moveFocus) {
      HWND f = GetFocus();
      if (f && (f == h || IsChild(h, f))) SetFocus(focusTo);
    }
  }
  return true;
}

void BringToTopL(HWND h) {
  if (Wnd *w = W(h)) Restack(w, HWND_TOP);
}

LRESULT DoInternalPos(HWND h, LPARAM l) {
  auto *a = (PosArgs *)l;
  return SetWindowPosCore(h, a->after, a->x, a->y, a->cx, a->cy, a->flags) ? 1 : 0;
}

}  // namespace tavo::user

using namespace tavo::user;

BOOL SetWindowPos(HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  return SetWindowPosCore(h, after, x, y, cx, cy, flags) ? TRUE : FALSE;
}

BOOL MoveWindow(HWND h, int x, int y, int w, int ht, BOOL repaint) {
  return SetWindowPos(h, 0, x, y, w, ht, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND h) { return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL ShowWindow(HWND h, int cmd) {
  bool wasVisible, child, iconic, zoomed, active;
  RECT normal;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || h == S().desktop) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (w->tid != GetCurrentThreadId()) {
      l.unlock();
      Send(h, kShowWindow, (WPARAM)cmd, 0);
      return TRUE;
    }
    wasVisible = (w->style & WS_VISIBLE) != 0;
    child = (w->style & WS_CHILD) != 0;
    iconic = w->iconic;
    zoomed = w->zoomed;
    normal = w->normal;
    active = SelfQueue()->active == h;
    // A state asked for at creation takes effect at the first show.
    if (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) {
      if (cmd == SW_SHOW || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT)
        cmd = (w->style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED;
      w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
    }
  }
  UINT swp = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER;
  RECT target{};
  bool resize = false;
  enum { Keep, ToIconic, ToZoomed, ToNormal } change = Keep;
  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return FALSE;
      swp |= SWP_HIDEWINDOW | SWP_NOACTIVATE;
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE:
      swp |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
      change = iconic ? Keep : ToIconic;
      break;
    case SW_SHOWMINIMIZED:
      swp |= SWP_SHOWWINDOW;
      change = iconic ? Keep : ToIconic;
      break;
    case SW_SHOWMAXIMIZED:
      swp |= SWP_SHOWWINDOW;
      change = zoomed ? Keep : ToZoomed;
      break;
    case SW_SHOWNA:
      swp |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
      break;
    case SW_SHOW:
      swp |= SWP_SHOWWINDOW;
      break;
    case SW_SHOWNOACTIVATE:
      swp |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
      change = (iconic || zoomed) ? ToNormal : Keep;
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      swp |= SWP_SHOWWINDOW;
      change = (iconic || zoomed) ? ToNormal : Keep;
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  if (child) swp |= SWP_NOACTIVATE;
  if (change == ToIconic) {
    int mw = GetSystemMetrics(SM_CXMINIMIZED), mh = GetSystemMetrics(SM_CYMINIMIZED);
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return FALSE;
    if (!w->zoomed) w->normal = w->rect;
    w->iconic = true;
    w->zoomed = false;
    if (child) {
      Wnd *p = W(w->parent);
      int ph = p ? p->client.bottom - p->client.top : 0;
      target = RECT{0, ph - mh, mw, ph};
    } else {
      target = RECT{-32000, -32000, -32000 + mw, -32000 + mh};
    }
    resize = true;
  } else if (change == ToZoomed) {
    MINMAXINFO mmi;
    MinMaxInfo(h, &mmi);
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return FALSE;
    if (!w->iconic) w->normal = w->rect;
    w->zoomed = true;
    w->iconic = false;
    target = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                  mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
    resize = true;
  } else if (change == ToNormal) {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return FALSE;
    w->iconic = false;
    w->zoomed = false;
    target = normal;
    resize = true;
  }
  if (resize) {
    swp &= ~(SWP_NOSIZE | SWP_NOMOVE);
    swp |= SWP_FRAMECHANGED;
  }
  bool nowVisible = !(swp & SWP_HIDEWINDOW);
  if (nowVisible != wasVisible) Send(h, WM_SHOWWINDOW, nowVisible ? TRUE : FALSE, 0);
  if (!IsWindow(h)) return wasVisible;
  SetWindowPosCore(h, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top, swp);
  // Owned pop-ups go away with a minimised owner and come back with it; the
  // default procedure does it on WM_SHOWWINDOW.
  if (!child && (change == ToIconic || (change != Keep && iconic))) {
    std::vector<HWND> owned;
    {
      Lock l(S().mx);
      for (auto &kv : S().windows)
        if (kv.second->owner == h && kv.second->parent == S().desktop) owned.push_back(kv.first);
    }
    bool closing = change == ToIconic;
    for (HWND o : owned) Send(o, WM_SHOWWINDOW, closing ? FALSE : TRUE, closing ? SW_PARENTCLOSING : SW_PARENTOPENING);
  }
  if (change == ToIconic && active && (swp & SWP_NOACTIVATE)) ActivateAfter(h);
  return wasVisible;
}

// Deferred positions are applied one by one at the end.
namespace {
std::mutex g_deferMx;
std::unordered_map<HDWP, std::vector<std::pair<HWND, PosArgs>>> g_defer;
HDWP g_nextDefer = 0x7A000001;
}  // namespace

HDWP BeginDeferWindowPos(int count) {
  if (count < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard<std::mutex> g(g_deferMx);
  HDWP h = g_nextDefer++;
  g_defer[h];
  return h;
}

HDWP DeferWindowPos(HDWP info, HWND h, HWND after, int x, int y, int cx, int cy, UINT flags) {
  std::lock_guard<std::mutex> g(g_deferMx);
  auto it = g_defer.find(info);
  if (it == g_defer.end()) return 0;
  it->second.push_back({h, PosArgs{after, x, y, cx, cy, flags}});
  return info;
}

BOOL EndDeferWindowPos(HDWP info) {
  std::vector<std::pair<HWND, PosArgs>> list;
  {
    std::lock_guard<std::mutex> g(g_deferMx);
    auto it = g_defer.find(info);
    if (it == g_defer.end()) return FALSE;
    list = std::move(it->second);
    g_defer.erase(it);
  }
  BOOL ok = TRUE;
  for (auto &e : list)
    if (!SetWindowPos(e.first, e.second.after, e.second.x, e.second.y, e.second.cx, e.second.cy, e.second.flags))
      ok = FALSE;
  return ok;
}
