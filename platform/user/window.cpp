// Window classes, the window tree, positions and the attributes of windows.

#include <algorithm>
#include <atomic>
#include <cstring>

#include "state.h"
#include "win/menu.h"

namespace tavo::user {

namespace {

// Class and property names compare without regard to case, Danish letters
// included (Windows-1252).
unsigned char Fold(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

std::string FoldName(LPCSTR s) {
  if (IS_INTRESOURCE(s)) return "#" + std::to_string((unsigned)(uintptr_t)s);
  std::string r;
  for (const char *p = s; *p; ++p) r += (char)Fold((unsigned char)*p);
  return r;
}

struct HookEntry {
  int id;
  WindowHook fn;
  void *ctx;
};
std::mutex g_hookMx;
std::vector<HookEntry> g_hooks;
int g_nextHook = 1;

void Unlink(Wnd *w) {
  if (Wnd *p = W(w->parent)) {
    auto &c = p->children;
    c.erase(std::remove(c.begin(), c.end(), w->h), c.end());
  }
}

// Place h among its parent's children: at the top, or at the top of the
// non-topmost ones for a top-level window that is not topmost.
void LinkAt(Wnd *w, HWND after) {
  Wnd *p = W(w->parent);
  if (!p) return;
  auto &c = p->children;
  c.erase(std::remove(c.begin(), c.end(), w->h), c.end());
  bool top = w->parent == S().desktop;
  bool topmost = top && (w->exStyle & WS_EX_TOPMOST);
  size_t pos = 0;
  if (after == HWND_BOTTOM) {
    pos = c.size();
  } else if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    pos = 0;
  } else {
    auto it = std::find(c.begin(), c.end(), after);
    pos = it == c.end() ? 0 : (size_t)(it - c.begin()) + 1;
  }
  if (top) {
    // Topmost windows stay above the others whatever was asked.
    size_t firstNormal = 0;
    while (firstNormal < c.size()) {
      Wnd *o = W(c[firstNormal]);
      if (!o || !(o->exStyle & WS_EX_TOPMOST)) break;
      ++firstNormal;
    }
    if (topmost) pos = std::min(pos, firstNormal);
    else pos = std::max(pos, firstNormal);
  }
  c.insert(c.begin() + (ptrdiff_t)std::min(pos, c.size()), w->h);
}

void RemoveWindowL(HWND h) {
  Wnd *w = W(h);
  if (!w) return;
  Unlink(w);
  for (HWND c : w->children)
    if (Wnd *cw = W(c)) cw->parent = 0;
  if (w->cls) w->cls->windows--;
  if (Queue *q = QueueOf(w->tid)) {
    auto &t = q->timers;
    t.erase(std::remove_if(t.begin(), t.end(), [h](const Timer &x) { return x.hwnd == h; }), t.end());
    auto &p = q->posted;
    p.erase(std::remove_if(p.begin(), p.end(), [h](const MSG &m) { return m.hwnd == h; }), p.end());
    auto &k = q->cooked;
    k.erase(std::remove_if(k.begin(), k.end(), [h](const MSG &m) { return m.hwnd == h; }), k.end());
  }
  OnWindowGone(h);
  S().windows.erase(h);
}

void MarkDestroying(Wnd *w) {
  w->destroying = true;
  for (HWND c : w->children)
    if (Wnd *cw = W(c)) MarkDestroying(cw);
}

void SendDestroy(HWND h) {
  Send(h, WM_DESTROY, 0, 0);
  std::vector<HWND> kids;
  {
    Lock l(S().mx);
    if (Wnd *w = W(h)) kids = w->children;
  }
  for (HWND c : kids) SendDestroy(c);
}

void SendNcDestroy(HWND h) {
  std::vector<HWND> kids;
  {
    Lock l(S().mx);
    if (Wnd *w = W(h)) kids = w->children;
  }
  for (HWND c : kids) SendNcDestroy(c);
  Send(h, WM_NCDESTROY, 0, 0);
  FireHook(h, WindowEvent::Destroyed);
  Lock l(S().mx);
  RemoveWindowL(h);
}

void ParentNotify(HWND child, UINT event) {
  HWND cur = child;
  for (int depth = 0; depth < 64; ++depth) {
    HWND parent;
    WPARAM wp;
    {
      Lock l(S().mx);
      Wnd *w = W(cur);
      Wnd *c = W(child);
      if (!w || !c || !(w->style & WS_CHILD) || (w->exStyle & WS_EX_NOPARENTNOTIFY)) return;
      parent = w->parent;
      wp = MAKEWPARAM(event, (WORD)(uintptr_t)c->menu);
    }
    if (!parent) return;
    Send(parent, WM_PARENTNOTIFY, wp, (LPARAM)child);
    cur = parent;
  }
}

bool UsesMinMax(DWORD style) { return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD)); }

std::atomic<int> g_cascade{0};

}  // namespace

// ---------------------------------------------------------------- lookups

Wnd *W(HWND h) {
  if (!h) return nullptr;
  auto it = S().windows.find(h);
  return it == S().windows.end() ? nullptr : it->second.get();
}

POINT ParentOriginL(const Wnd *w) {
  POINT p{0, 0};
  const Wnd *par = W(w->parent);
  if (par && par->h != S().desktop) p = ClientOriginL(par);
  return p;
}

POINT ClientOriginL(const Wnd *w) {
  POINT p = ParentOriginL(w);
  p.x += w->client.left;
  p.y += w->client.top;
  return p;
}

bool IsShownL(const Wnd *w) {
  for (int depth = 0; w && depth < 256; ++depth) {
    if (w->h == S().desktop) return true;
    if (!(w->style & WS_VISIBLE)) return false;
    w = W(w->parent);
  }
  return false;
}

bool IsDescendantL(HWND ancestor, HWND h) {
  Wnd *w = W(h);
  for (int depth = 0; w && depth < 256; ++depth) {
    if (w->parent == ancestor) return true;
    w = W(w->parent);
  }
  return false;
}

HWND RootL(HWND h) {
  Wnd *w = W(h);
  for (int depth = 0; w && depth < 256; ++depth) {
    if (w->parent == S().desktop || !w->parent) return w->h;
    w = W(w->parent);
  }
  return 0;
}

Cls *FindClassL(LPCSTR name) {
  if (!name) return nullptr;
  if (IS_INTRESOURCE(name)) {
    ATOM a = (ATOM)(uintptr_t)name;
    for (auto &c : S().classes)
      if (c->atom == a) return c.get();
    return nullptr;
  }
  std::string f = FoldName(name);
  Cls *sys = nullptr;
  for (auto &c : S().classes) {
    if (FoldName(c->name.c_str()) != f) continue;
    if (!c->system) return c.get();
    sys = c.get();
  }
  return sys;
}

int FrameNcL(DWORD style, DWORD ex, RECT *nc) {
  int b = 0;
  if ((ex & WS_EX_DLGMODALFRAME) || ((style & WS_DLGFRAME) && !(style & WS_THICKFRAME)))
    b = MetricL(SM_CXDLGFRAME);
  else if (style & WS_THICKFRAME)
    b = MetricL(SM_CXFRAME);
  else if (style & WS_BORDER)
    b = MetricL(SM_CXBORDER);
  if (ex & WS_EX_CLIENTEDGE) b += MetricL(SM_CXEDGE);
  if (ex & WS_EX_STATICEDGE) b += MetricL(SM_CXBORDER);
  *nc = RECT{b, b, b, b};
  if ((style & WS_CAPTION) == WS_CAPTION)
    nc->top += MetricL((ex & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  return b;
}

RECT DefaultClientL(const Wnd *w, const RECT &wr) {
  RECT nc;
  FrameNcL(w->style, w->exStyle, &nc);
  RECT c{wr.left + nc.left, wr.top + nc.top, wr.right - nc.right, wr.bottom - nc.bottom};
  if (!(w->style & WS_CHILD) && w->menu) c.top += MetricL(SM_CYMENU);
  if (w->style & WS_VSCROLL) c.right -= MetricL(SM_CXVSCROLL);
  if (w->style & WS_HSCROLL) c.bottom -= MetricL(SM_CYHSCROLL);
  if (c.right < c.left) c.right = c.left;
  if (c.bottom < c.top) c.bottom = c.top;
  if (w->iconic) c = RECT{wr.left, wr.top, wr.left, wr.top};
  return c;
}

HWND WindowFromPointL(POINT pt, const std::vector<HWND> *passedOver) {
  auto skipped = [passedOver](HWND h) {
    return passedOver && std::find(passedOver->begin(), passedOver->end(), h) != passedOver->end();
  };
  Wnd *d = W(S().desktop);
  if (!d) return 0;
  HWND found = 0;
  for (HWND h : d->children) {
    Wnd *w = W(h);
    if (!w || !(w->style & WS_VISIBLE)) continue;
    if (pt.x >= w->rect.left && pt.x < w->rect.right && pt.y >= w->rect.top && pt.y < w->rect.bottom) {
      found = h;
      break;
    }
  }
  // Descend through children that hold the point inside their parent's client area.
  for (int depth = 0; found && depth < 256; ++depth) {
    Wnd *w = W(found);
    POINT o = ClientOriginL(w);
    RECT cr = w->client;
    POINT po = ParentOriginL(w);
    if (!(pt.x >= po.x + cr.left && pt.x < po.x + cr.right && pt.y >= po.y + cr.top && pt.y < po.y + cr.bottom))
      break;
    HWND next = 0;
    for (HWND c : w->children) {
      Wnd *cw = W(c);
      if (!cw || !(cw->style & WS_VISIBLE) || (cw->style & WS_DISABLED) || skipped(c)) continue;
      POINT lp{pt.x - o.x, pt.y - o.y};
      if (lp.x >= cw->rect.left && lp.x < cw->rect.right && lp.y >= cw->rect.top && lp.y < cw->rect.bottom) {
        next = c;
        break;
      }
    }
    if (!next) break;
    found = next;
  }
  return found;
}

void FireHook(HWND h, WindowEvent e) {
  std::vector<HookEntry> hooks;
  {
    std::lock_guard<std::mutex> g(g_hookMx);
    hooks = g_hooks;
  }
  for (auto &x : hooks) x.fn(h, e, x.ctx);
}

int AddWindowHook(WindowHook hook, void *context) {
  std::lock_guard<std::mutex> g(g_hookMx);
  g_hooks.push_back({g_nextHook, hook, context});
  return g_nextHook++;
}

void RemoveWindowHook(int id) {
  std::lock_guard<std::mutex> g(g_hookMx);
  g_hooks.erase(std::remove_if(g_hooks.begin(), g_hooks.end(), [id](const HookEntry &e) { return e.id == id; }),
                g_hooks.end());
}

void MinMaxInfo(HWND h, MINMAXINFO *mmi) {
  int frame = 0;
  bool child = false;
  RECT parentClient{0, 0, 0, 0};
  DWORD style = 0;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return;
    RECT nc;
    frame = FrameNcL(w->style, w->exStyle, &nc);
    style = w->style;
    child = (w->style & WS_CHILD) != 0;
    if (Wnd *p = W(w->parent)) parentClient = p->client;
    if (!child) parentClient = S().workArea;
  }
  int pw = parentClient.right - parentClient.left, ph = parentClient.bottom - parentClient.top;
  *mmi = MINMAXINFO{};
  mmi->ptMaxSize = POINT{pw + 2 * frame, ph + 2 * frame};
  mmi->ptMaxPosition = child ? POINT{-frame, -frame} : POINT{parentClient.left - frame, parentClient.top - frame};
  if ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME))
    mmi->ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  else
    mmi->ptMinTrackSize = POINT{2 * frame, 2 * frame};
  mmi->ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
  Send(h, WM_GETMINMAXINFO, 0, (LPARAM)mmi);
  if (mmi->ptMaxTrackSize.x < mmi->ptMinTrackSize.x) mmi->ptMaxTrackSize.x = mmi->ptMinTrackSize.x;
  if (mmi->ptMaxTrackSize.y < mmi->ptMinTrackSize.y) mmi->ptMaxTrackSize.y = mmi->ptMinTrackSize.y;
}

}  // namespace tavo::user

using namespace tavo::user;

// ---------------------------------------------------------------- classes

namespace {

ATOM RegisterCore(const WNDCLASSEXA *wc, bool system) {
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !*wc->lpszClassName ||
      wc->cbClsExtra < 0 || wc->cbWndExtra < 0 || wc->cbClsExtra > 40000 || wc->cbWndExtra > 40000) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  Lock l(S().mx);
  std::string f = FoldName(wc->lpszClassName);
  for (auto &c : S().classes)
    if (c->system == system && FoldName(c->name.c_str()) == f) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  auto c = std::make_unique<Cls>();
  c->name = wc->lpszClassName;
  c->atom = S().nextAtom++;
  c->system = system;
  c->style = wc->style;
  c->proc = wc->lpfnWndProc;
  c->clsExtraBytes = wc->cbClsExtra;
  c->wndExtraBytes = wc->cbWndExtra;
  c->inst = wc->hInstance;
  c->icon = wc->hIcon;
  c->iconSm = wc->hIconSm;
  c->cursor = wc->hCursor;
  c->background = wc->hbrBackground;
  c->menuName = wc->lpszMenuName;
  c->extra.assign((size_t)wc->cbClsExtra, 0);
  ATOM a = c->atom;
  S().classes.push_back(std::move(c));
  return a;
}

WNDCLASSEXA ToEx(const WNDCLASSA *wc) {
  WNDCLASSEXA x{};
  x.cbSize = sizeof x;
  x.style = wc->style;
  x.lpfnWndProc = wc->lpfnWndProc;
  x.cbClsExtra = wc->cbClsExtra;
  x.cbWndExtra = wc->cbWndExtra;
  x.hInstance = wc->hInstance;
  x.hIcon = wc->hIcon;
  x.hCursor = wc->hCursor;
  x.hbrBackground = wc->hbrBackground;
  x.lpszMenuName = wc->lpszMenuName;
  x.lpszClassName = wc->lpszClassName;
  return x;
}

Wnd *WindowOrError(HWND h) {
  Wnd *w = W(h);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

}  // namespace

ATOM tavo::user::RegisterSystemClass(const WNDCLASSEXA *wc) { return RegisterCore(wc, true); }

ATOM RegisterClassExA(const WNDCLASSEXA *wc) { return RegisterCore(wc, false); }

ATOM RegisterClassA(const WNDCLASSA *wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXA x = ToEx(wc);
  return RegisterCore(&x, false);
}

BOOL UnregisterClassA(LPCSTR name, HINSTANCE) {
  Lock l(S().mx);
  Cls *c = FindClassL(name);
  if (!c || c->system) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (c->windows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  auto &v = S().classes;
  v.erase(std::remove_if(v.begin(), v.end(), [c](const std::unique_ptr<Cls> &p) { return p.get() == c; }), v.end());
  return TRUE;
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR name, LPWNDCLASSEXA wc) {
  Lock l(S().mx);
  Cls *c = FindClassL(name);
  if (!c || !wc) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->cbSize = sizeof *wc;
  wc->style = c->style;
  wc->lpfnWndProc = c->proc;
  wc->cbClsExtra = c->clsExtraBytes;
  wc->cbWndExtra = c->wndExtraBytes;
  wc->hInstance = c->inst;
  wc->hIcon = c->icon;
  wc->hCursor = c->cursor;
  wc->hbrBackground = c->background;
  wc->lpszMenuName = c->menuName;
  wc->lpszClassName = name;
  wc->hIconSm = c->iconSm;
  return c->atom;
}

BOOL GetClassInfoA(HINSTANCE inst, LPCSTR name, LPWNDCLASSA wc) {
  WNDCLASSEXA x{};
  BOOL r = GetClassInfoExA(inst, name, &x);
  if (!r || !wc) return FALSE;
  wc->style = x.style;
  wc->lpfnWndProc = x.lpfnWndProc;
  wc->cbClsExtra = x.cbClsExtra;
  wc->cbWndExtra = x.cbWndExtra;
  wc->hInstance = x.hInstance;
  wc->hIcon = x.hIcon;
  wc->hCursor = x.hCursor;
  wc->hbrBackground = x.hbrBackground;
  wc->lpszMenuName = x.lpszMenuName;
  wc->lpszClassName = x.lpszClassName;
  return r;
}

ULONG_PTR GetClassLongPtrA(HWND hwnd, int index) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(hwnd);
  if (!w || !w->cls) return 0;
  Cls *c = w->cls;
  if (index >= 0) {
    if ((size_t)index + sizeof(ULONG_PTR) > c->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    ULONG_PTR v;
    std::memcpy(&v, c->extra.data() + index, sizeof v);
    return v;
  }
  switch (index) {
    case GCLP_HCURSOR: return c->cursor;
    case GCLP_HICON: return c->icon;
    case GCLP_HICONSM: return c->iconSm;
    case GCLP_HBRBACKGROUND: return c->background;
    case GCLP_HMODULE: return c->inst;
    case GCLP_WNDPROC: return (ULONG_PTR)c->proc;
    case GCLP_MENUNAME: return (ULONG_PTR)c->menuName;
    case GCL_STYLE: return c->style;
    case GCL_CBWNDEXTRA: return (ULONG_PTR)c->wndExtraBytes;
    case GCL_CBCLSEXTRA: return (ULONG_PTR)c->clsExtraBytes;
    case GCW_ATOM: return c->atom;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(hwnd);
  if (!w || !w->cls) return 0;
  Cls *c = w->cls;
  ULONG_PTR old = 0;
  if (index >= 0) {
    if ((size_t)index + sizeof(ULONG_PTR) > c->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    std::memcpy(&old, c->extra.data() + index, sizeof old);
    std::memcpy(c->extra.data() + index, &value, sizeof value);
    return old;
  }
  switch (index) {
    case GCLP_HCURSOR: old = c->cursor; c->cursor = (HCURSOR)value; break;
    case GCLP_HICON: old = c->icon; c->icon = (HICON)value; break;
    case GCLP_HICONSM: old = c->iconSm; c->iconSm = (HICON)value; break;
    case GCLP_HBRBACKGROUND: old = c->background; c->background = (HBRUSH)value; break;
    case GCLP_HMODULE: old = c->inst; c->inst = (HINSTANCE)value; break;
    case GCLP_WNDPROC: old = (ULONG_PTR)c->proc; c->proc = (WNDPROC)value; break;
    case GCLP_MENUNAME: old = (ULONG_PTR)c->menuName; c->menuName = (LPCSTR)value; break;
    case GCL_STYLE: old = c->style; c->style = (UINT)value; break;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
  }
  return old;
}

DWORD GetClassLongA(HWND hwnd, int index) {
  if (index >= 0) {
    Lock l(S().mx);
    Wnd *w = WindowOrError(hwnd);
    if (!w || !w->cls || (size_t)index + 4 > w->cls->extra.size()) return 0;
    DWORD v;
    std::memcpy(&v, w->cls->extra.data() + index, 4);
    return v;
  }
  return (DWORD)GetClassLongPtrA(hwnd, index);
}

DWORD SetClassLongA(HWND hwnd, int index, LONG value) {
  if (index >= 0) {
    Lock l(S().mx);
    Wnd *w = WindowOrError(hwnd);
    if (!w || !w->cls || (size_t)index + 4 > w->cls->extra.size()) return 0;
    DWORD old;
    std::memcpy(&old, w->cls->extra.data() + index, 4);
    std::memcpy(w->cls->extra.data() + index, &value, 4);
    return old;
  }
  // Handles are 32-bit, so the whole value fits.
  return (DWORD)SetClassLongPtrA(hwnd, index, (LONG_PTR)(DWORD)value);
}

int GetClassNameA(HWND hwnd, LPSTR buf, int size) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(hwnd);
  if (!w || !w->cls || !buf || size <= 0) return 0;
  size_t n = std::min(w->cls->name.size(), (size_t)size - 1);
  std::memcpy(buf, w->cls->name.data(), n);
  buf[n] = 0;
  return (int)n;
}

// ---------------------------------------------------------------- create and destroy

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE inst, LPVOID param) {
  HWND h;
  bool visible = (style & WS_VISIBLE) != 0;
  // A top-level window given no menu gets its class's menu, as on Windows.
  if (!(style & WS_CHILD) && !menu) {
    LPCSTR menuName = nullptr;
    HINSTANCE clsInst = 0;
    {
      Lock l(S().mx);
      if (Cls *c = FindClassL(className)) {
        menuName = c->menuName;
        clsInst = c->inst;
      }
    }
    if (menuName) menu = LoadMenuA(clsInst, menuName);
  }
  {
    Lock l(S().mx);
    SelfQueue();
    Cls *c = FindClassL(className);
    if (!c) {
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return 0;
    }
    HWND realParent, owner = 0;
    if (style & WS_CHILD) {
      if (!W(parent) || parent == S().desktop) {
        SetLastError(ERROR_TLW_WITH_WSCHILD);
        return 0;
      }
      realParent = parent;
    } else {
      realParent = S().desktop;
      if (parent && parent != S().desktop) {
        if (!W(parent)) {
          SetLastError(ERROR_INVALID_WINDOW_HANDLE);
          return 0;
        }
        owner = RootL(parent);
      }
    }
    bool overlapped = !(style & (WS_CHILD | WS_POPUP));
    if (overlapped) style |= WS_CLIPSIBLINGS | WS_CAPTION;
    if (x == CW_USEDEFAULT) {
      if (overlapped) {
        int n = g_cascade++ % 8;
        x = y = 26 * n;
      } else {
        x = y = 0;
      }
    }
    if (width == CW_USEDEFAULT) {
      if (overlapped) {
        width = S().screenW * 3 / 4;
        height = S().screenH * 3 / 4;
      } else {
        width = height = 0;
      }
    }
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    auto w = std::make_unique<Wnd>();
    h = S().nextHandle;
    S().nextHandle += 4;
    w->h = h;
    w->tid = GetCurrentThreadId();
    w->cls = c;
    c->windows++;
    w->proc = c->proc;
    w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->exStyle = exStyle;
    w->parent = realParent;
    w->owner = owner;
    w->menu = menu;
    w->inst = inst;
    w->extra.assign((size_t)c->wndExtraBytes, 0);
    w->rect = RECT{x, y, x + width, y + height};
    Wnd *raw = w.get();
    S().windows[h] = std::move(w);
    raw->client = DefaultClientL(raw, raw->rect);
    raw->normal = raw->rect;
    // Children join below their siblings, so the z-order (and with it the
    // Tab order of controls made at run time) follows creation; top-level
    // windows come up on top.
    LinkAt(raw, realParent == S().desktop ? HWND_TOP : HWND_BOTTOM);
  }
  CREATESTRUCTA cs{param, inst, menu, parent, height, width, y, x, (LONG)style, windowName, className, exStyle};
  if (UsesMinMax(style)) {
    MINMAXINFO mmi;
    MinMaxInfo(h, &mmi);
    int cx = std::clamp(width, (int)mmi.ptMinTrackSize.x, (int)std::max(mmi.ptMinTrackSize.x, mmi.ptMaxTrackSize.x));
    int cy = std::clamp(height, (int)mmi.ptMinTrackSize.y, (int)std::max(mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.y));
    Lock l(S().mx);
    if (Wnd *w = W(h)) {
      w->rect.right = w->rect.left + cx;
      w->rect.bottom = w->rect.top + cy;
      w->client = DefaultClientL(w, w->rect);
      w->normal = w->rect;
      cs.cx = cx;
      cs.cy = cy;
    }
  }
  if (!IsWindow(h)) return 0;
  if (!Send(h, WM_NCCREATE, 0, (LPARAM)&cs)) {
    if (IsWindow(h)) {
      {
        Lock l(S().mx);
        if (Wnd *w = W(h)) MarkDestroying(w);
      }
      SendNcDestroy(h);
    }
    return 0;
  }
  {
    Lock l(S().mx);
    if (Wnd *w = W(h)) w->created = true;
    else return 0;
  }
  RECT rc;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return 0;
    rc = w->rect;
  }
  Send(h, WM_NCCALCSIZE, FALSE, (LPARAM)&rc);
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return 0;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    w->client = rc;
  }
  if (Send(h, WM_CREATE, 0, (LPARAM)&cs) == -1) {
    if (IsWindow(h)) DestroyWindow(h);
    return 0;
  }
  RECT cl;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w) return 0;
    cl = w->client;
    w->needSize = !(style & WS_CHILD);
  }
  if (style & WS_CHILD) {
    Send(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cl.right - cl.left, cl.bottom - cl.top));
    if (!IsWindow(h)) return 0;
    Send(h, WM_MOVE, 0, MAKELPARAM((WORD)(SHORT)cl.left, (WORD)(SHORT)cl.top));
    if (!IsWindow(h)) return 0;
  }
  FireHook(h, WindowEvent::Created);
  if (visible) {
    int cmd = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
    ShowWindow(h, cmd);
  } else if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
    // Remember the state; it shows when the window is shown.
    Lock l(S().mx);
    if (Wnd *w = W(h)) w->style |= style & (WS_MAXIMIZE | WS_MINIMIZE);
  }
  if (!IsWindow(h)) return 0;
  if (style & WS_CHILD) ParentNotify(h, WM_CREATE);
  return IsWindow(h) ? h : 0;
}

BOOL DestroyWindow(HWND h) {
  std::vector<HWND> owned;
  bool child, visible;
  HWND parent;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || h == S().desktop) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (w->tid != GetCurrentThreadId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (w->destroying) return FALSE;
    MarkDestroying(w);
    child = (w->style & WS_CHILD) != 0;
    visible = (w->style & WS_VISIBLE) != 0;
    parent = w->parent;
    for (auto &kv : S().windows)
      if (kv.second->owner == h && kv.second->parent == S().desktop) owned.push_back(kv.first);
  }
  for (HWND o : owned) DestroyWindow(o);
  if (child) ParentNotify(h, WM_DESTROY);
  if (visible && IsWindow(h))
    SetWindowPosCore(h, 0, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Focus and activation leave the window before it hears of its end.
  HWND focusTo = 0;
  bool hadFocus = false, wasActive = false;
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    if (q->focus && (q->focus == h || IsDescendantL(h, q->focus))) {
      hadFocus = true;
      focusTo = child && W(parent) && !W(parent)->destroying ? parent : 0;
    }
    wasActive = q->active == h;
    if (S().capture && (S().capture == h || IsDescendantL(h, S().capture))) S().capture = 0;
  }
  if (wasActive) ActivateAfter(h);
  if (hadFocus && IsWindow(h)) {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    bool still = q->focus && (q->focus == h || IsDescendantL(h, q->focus));
    l.unlock();
    if (still) SetFocus(focusTo);
  }
  if (!IsWindow(h)) return TRUE;
  SendDestroy(h);
  if (IsWindow(h)) SendNcDestroy(h);
  return TRUE;
}

// Windows of a thread that ended go without messages: nobody is left to answer them.
void tavo::user::DestroyThreadWindows(Queue *q, Lock &lock) {
  std::vector<HWND> mine;
  for (auto &kv : S().windows)
    if (kv.second->tid == q->tid) mine.push_back(kv.first);
  for (HWND h : mine) {
    lock.unlock();
    FireHook(h, WindowEvent::Destroyed);
    lock.lock();
    RemoveWindowL(h);
  }
}

BOOL IsWindow(HWND h) {
  Lock l(S().mx);
  return W(h) != nullptr;
}

BOOL IsChild(HWND parent, HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  for (int depth = 0; w && depth < 256 && (w->style & WS_CHILD); ++depth) {
    if (w->parent == parent) return TRUE;
    w = W(w->parent);
  }
  return FALSE;
}

HWND GetParent(HWND h) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return 0;
  if (w->style & WS_CHILD) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return 0;
}

HWND SetParent(HWND child, HWND newParent) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(child);
  if (!w || child == S().desktop) return 0;
  HWND np = newParent ? newParent : S().desktop;
  if (np == child || IsDescendantL(child, np) || !W(np)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  HWND old = w->parent;
  Unlink(w);
  // The window keeps its rectangle's numbers, now in the new parent's coordinates, as on Windows.
  w->parent = np;
  LinkAt(w, HWND_TOP);
  return old;
}

HWND GetDesktopWindow(void) {
  Lock l(S().mx);
  return S().desktop;
}

HWND GetWindow(HWND h, UINT cmd) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return 0;
  if (cmd == GW_CHILD) return w->children.empty() ? 0 : w->children.front();
  if (cmd == GW_OWNER) return w->owner;
  Wnd *p = W(w->parent);
  if (!p) return 0;
  auto &c = p->children;
  auto it = std::find(c.begin(), c.end(), h);
  if (it == c.end()) return 0;
  switch (cmd) {
    case GW_HWNDFIRST: return c.front();
    case GW_HWNDLAST: return c.back();
    case GW_HWNDNEXT: return it + 1 == c.end() ? 0 : *(it + 1);
    case GW_HWNDPREV: return it == c.begin() ? 0 : *(it - 1);
    case GW_ENABLEDPOPUP: return 0;
  }
  SetLastError(ERROR_INVALID_PARAMETER);
  return 0;
}

HWND GetNextWindow(HWND h, UINT cmd) { return GetWindow(h, cmd); }

HWND GetAncestor(HWND h, UINT flags) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || h == S().desktop) return 0;
  switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return RootL(h);
    case GA_ROOTOWNER: {
      HWND r = RootL(h);
      for (int depth = 0; depth < 256; ++depth) {
        Wnd *rw = W(r);
        if (!rw || !rw->owner) break;
        r = rw->owner;
      }
      return r;
    }
  }
  return 0;
}

HWND GetTopWindow(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h ? h : S().desktop);
  if (!w || w->children.empty()) return 0;
  return w->children.front();
}

namespace {
void Descendants(HWND h, std::vector<HWND> &out) {
  Wnd *w = W(h);
  if (!w) return;
  for (HWND c : w->children) {
    out.push_back(c);
    Descendants(c, out);
  }
}
}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list;
  {
    Lock l(S().mx);
    Descendants(parent ? parent : S().desktop, list);
  }
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list = ChildrenOf(0);
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL EnumThreadWindows(DWORD tid, WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> list;
  {
    Lock l(S().mx);
    if (Wnd *d = W(S().desktop))
      for (HWND h : d->children)
        if (W(h) && W(h)->tid == tid) list.push_back(h);
  }
  for (HWND h : list)
    if (IsWindow(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  Lock l(S().mx);
  Cls *c = className ? FindClassL(className) : nullptr;
  if (className && !c) return 0;
  Wnd *d = W(S().desktop);
  if (!d) return 0;
  for (HWND h : d->children) {
    Wnd *w = W(h);
    if (!w || (c && w->cls != c)) continue;
    if (windowName && FoldName(windowName) != FoldName(w->text.c_str())) continue;
    return h;
  }
  return 0;
}

// ---------------------------------------------------------------- slots

LONG_PTR GetWindowLongPtrA(HWND h, int index) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return 0;
  if (index >= 0) {
    if ((size_t)index + sizeof(LONG_PTR) > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG_PTR v;
    std::memcpy(&v, w->extra.data() + index, sizeof v);
    return v;
  }
  switch (index) {
    case GWLP_WNDPROC: return (LONG_PTR)w->proc;
    case GWLP_HINSTANCE: return w->inst;
    case GWLP_HWNDPARENT: return (w->style & WS_CHILD) ? w->parent : w->owner;
    case GWLP_ID: return (LONG_PTR)w->menu;
    case GWL_STYLE: return (LONG_PTR)(LONG)w->style;
    case GWL_EXSTYLE: return (LONG_PTR)(LONG)w->exStyle;
    case GWLP_USERDATA: return w->userData;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG_PTR SetWindowLongPtrA(HWND h, int index, LONG_PTR value) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return 0;
  LONG_PTR old = 0;
  if (index >= 0) {
    if ((size_t)index + sizeof(LONG_PTR) > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    std::memcpy(&old, w->extra.data() + index, sizeof old);
    std::memcpy(w->extra.data() + index, &value, sizeof value);
    return old;
  }
  switch (index) {
    case GWLP_WNDPROC: old = (LONG_PTR)w->proc; w->proc = (WNDPROC)value; return old;
    case GWLP_HINSTANCE: old = w->inst; w->inst = (HINSTANCE)value; return old;
    case GWLP_HWNDPARENT:
      if (w->style & WS_CHILD) return w->parent;
      old = w->owner;
      w->owner = (HWND)value;
      return old;
    case GWLP_ID: old = (LONG_PTR)w->menu; w->menu = (HMENU)value; return old;
    case GWLP_USERDATA: old = w->userData; w->userData = value; return old;
    case GWL_STYLE:
    case GWL_EXSTYLE: {
      bool ex = index == GWL_EXSTYLE;
      STYLESTRUCT ss{ex ? w->exStyle : w->style, (DWORD)value};
      l.unlock();
      Send(h, WM_STYLECHANGING, (WPARAM)index, (LPARAM)&ss);
      l.lock();
      w = W(h);
      if (!w) return 0;
      old = (LONG)(ex ? w->exStyle : w->style);
      if (ex) w->exStyle = ss.styleNew;
      else w->style = ss.styleNew;
      ss.styleOld = (DWORD)old;
      l.unlock();
      Send(h, WM_STYLECHANGED, (WPARAM)index, (LPARAM)&ss);
      return old;
    }
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG GetWindowLongA(HWND h, int index) {
  if (index >= 0) {
    Lock l(S().mx);
    Wnd *w = WindowOrError(h);
    if (!w) return 0;
    if ((size_t)index + 4 > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG v;
    std::memcpy(&v, w->extra.data() + index, 4);
    return v;
  }
  return (LONG)GetWindowLongPtrA(h, index);
}

LONG SetWindowLongA(HWND h, int index, LONG value) {
  if (index >= 0) {
    Lock l(S().mx);
    Wnd *w = WindowOrError(h);
    if (!w) return 0;
    if ((size_t)index + 4 > w->extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    LONG old;
    std::memcpy(&old, w->extra.data() + index, 4);
    std::memcpy(w->extra.data() + index, &value, 4);
    return old;
  }
  LONG_PTR v = value;
  // Style bits are unsigned flags; keep them from sign-extending into the pointer-sized slot.
  if (index == GWL_STYLE || index == GWL_EXSTYLE || index == GWLP_HWNDPARENT || index == GWLP_HINSTANCE)
    v = (LONG_PTR)(DWORD)value;
  return (LONG)SetWindowLongPtrA(h, index, v);
}

WORD GetWindowWord(HWND h, int index) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w || index < 0 || (size_t)index + 2 > w->extra.size()) return 0;
  WORD v;
  std::memcpy(&v, w->extra.data() + index, 2);
  return v;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return proc(h, msg, wParam, lParam);
}

BOOL SetPropA(HWND h, LPCSTR name, HANDLE data) {
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w || !name) return FALSE;
  w->props[FoldName(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND h, LPCSTR name) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !name) return 0;
  auto it = w->props.find(FoldName(name));
  return it == w->props.end() ? 0 : it->second;
}

HANDLE RemovePropA(HWND h, LPCSTR name) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !name) return 0;
  auto it = w->props.find(FoldName(name));
  if (it == w->props.end()) return 0;
  HANDLE v = it->second;
  w->props.erase(it);
  return v;
}

// ---------------------------------------------------------------- text

BOOL SetWindowTextA(HWND h, LPCSTR text) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return Send(h, WM_SETTEXT, 0, (LPARAM)(text ? text : "")) != 0;
}

int GetWindowTextA(HWND h, LPSTR buf, int size) {
  if (!buf || size <= 0) return 0;
  buf[0] = 0;
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LRESULT n = Send(h, WM_GETTEXT, (WPARAM)size, (LPARAM)buf);
  buf[size - 1] = 0;
  if (n < 0) n = 0;
  if (n > size - 1) n = size - 1;
  return (int)n;
}

int GetWindowTextLengthA(HWND h) {
  if (!IsWindow(h)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return (int)Send(h, WM_GETTEXTLENGTH, 0, 0);
}

// ---------------------------------------------------------------- state

BOOL EnableWindow(HWND h, BOOL enable) {
  bool wasDisabled;
  {
    Lock l(S().mx);
    Wnd *w = WindowOrError(h);
    if (!w) return FALSE;
    wasDisabled = (w->style & WS_DISABLED) != 0;
    if (wasDisabled == !enable) return wasDisabled;
    if (enable) {
      w->style &= ~WS_DISABLED;
    } else {
      w->style |= WS_DISABLED;
    }
  }
  if (!enable) {
    Send(h, WM_CANCELMODE, 0, 0);
    HWND f = GetFocus();
    if (f && (f == h || IsChild(h, f))) SetFocus(0);
  }
  Send(h, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

BOOL IsWindowEnabled(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && !(w->style & WS_DISABLED);
}

BOOL IsWindowVisible(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && IsShownL(w);
}

BOOL IsIconic(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->iconic;
}

BOOL IsZoomed(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->zoomed;
}

DWORD GetWindowThreadProcessId(HWND h, LPDWORD pid) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (pid) *pid = GetCurrentProcessId();
  return w->tid;
}

HMENU GetMenu(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && !(w->style & WS_CHILD) ? w->menu : 0;
}

BOOL FlashWindow(HWND h, BOOL) { return IsWindow(h); }

// ---------------------------------------------------------------- geometry

BOOL GetWindowRect(HWND h, LPRECT r) {
  if (!r) return FALSE;
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return FALSE;
  POINT o = ParentOriginL(w);
  *r = RECT{w->rect.left + o.x, w->rect.top + o.y, w->rect.right + o.x, w->rect.bottom + o.y};
  return TRUE;
}

BOOL GetClientRect(HWND h, LPRECT r) {
  if (!r) return FALSE;
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return FALSE;
  *r = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT r, DWORD style, BOOL menu, DWORD ex) {
  if (!r) return FALSE;
  RECT nc;
  FrameNcL(style, ex, &nc);
  r->left -= nc.left;
  r->top -= nc.top;
  r->right += nc.right;
  r->bottom += nc.bottom;
  if (menu) r->top -= MetricL(SM_CYMENU);
  return TRUE;
}

BOOL AdjustWindowRect(LPRECT r, DWORD style, BOOL menu) { return AdjustWindowRectEx(r, style, menu, 0); }

BOOL ClientToScreen(HWND h, LPPOINT p) {
  if (!p) return FALSE;
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return FALSE;
  POINT o = h == S().desktop ? POINT{0, 0} : ClientOriginL(w);
  p->x += o.x;
  p->y += o.y;
  return TRUE;
}

BOOL ScreenToClient(HWND h, LPPOINT p) {
  if (!p) return FALSE;
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return FALSE;
  POINT o = h == S().desktop ? POINT{0, 0} : ClientOriginL(w);
  p->x -= o.x;
  p->y -= o.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT pts, UINT count) {
  Lock l(S().mx);
  POINT a{0, 0}, b{0, 0};
  if (from && from != S().desktop) {
    Wnd *w = WindowOrError(from);
    if (!w) return 0;
    a = ClientOriginL(w);
  }
  if (to && to != S().desktop) {
    Wnd *w = WindowOrError(to);
    if (!w) return 0;
    b = ClientOriginL(w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; pts && i < count; ++i) {
    pts[i].x += dx;
    pts[i].y += dy;
  }
  SetLastError(0);
  return MAKELONG((WORD)(SHORT)dx, (WORD)(SHORT)dy);
}

HWND WindowFromPoint(POINT pt) {
  Lock l(S().mx);
  return WindowFromPointL(pt);
}

HWND ChildWindowFromPointEx(HWND parent, POINT pt, UINT flags) {
  Lock l(S().mx);
  Wnd *p = W(parent);
  if (!p) return 0;
  int cw = p->client.right - p->client.left, ch = p->client.bottom - p->client.top;
  if (parent != S().desktop && (pt.x < 0 || pt.y < 0 || pt.x >= cw || pt.y >= ch)) return 0;
  for (HWND c : p->children) {
    Wnd *w = W(c);
    if (!w) continue;
    if ((flags & CWP_SKIPINVISIBLE) && !(w->style & WS_VISIBLE)) continue;
    if ((flags & CWP_SKIPDISABLED) && (w->style & WS_DISABLED)) continue;
    if ((flags & CWP_SKIPTRANSPARENT) && (w->exStyle & WS_EX_TRANSPARENT)) continue;
    if (pt.x >= w->rect.left && pt.x < w->rect.right && pt.y >= w->rect.top && pt.y < w->rect.bottom) return c;
  }
  return parent;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt) { return ChildWindowFromPointEx(parent, pt, CWP_ALL); }

BOOL GetWindowPlacement(HWND h, WINDOWPLACEMENT *wp) {
  if (!wp) return FALSE;
  Lock l(S().mx);
  Wnd *w = WindowOrError(h);
  if (!w) return FALSE;
  wp->length = sizeof *wp;
  wp->flags = 0;
  wp->showCmd = w->iconic ? SW_SHOWMINIMIZED : w->zoomed ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
  wp->ptMinPosition = POINT{-1, -1};
  wp->ptMaxPosition = POINT{-1, -1};
  wp->rcNormalPosition = (w->iconic || w->zoomed) ? w->normal : w->rect;
  return TRUE;
}

// ---------------------------------------------------------------- internal API

namespace tavo::user {

bool WindowRectOnScreen(HWND h, RECT *r) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !r) return false;
  POINT o = ParentOriginL(w);
  *r = RECT{w->rect.left + o.x, w->rect.top + o.y, w->rect.right + o.x, w->rect.bottom + o.y};
  return true;
}

bool ClientRectOnScreen(HWND h, RECT *r) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !r) return false;
  POINT o = ParentOriginL(w);
  *r = RECT{w->client.left + o.x, w->client.top + o.y, w->client.right + o.x, w->client.bottom + o.y};
  return true;
}

bool ClientOrigin(HWND h, POINT *p) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !p) return false;
  *p = ClientOriginL(w);
  return true;
}

DWORD Style(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w ? w->style : 0;
}

DWORD ExStyle(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w ? w->exStyle : 0;
}

UINT ClassStyle(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->cls ? w->cls->style : 0;
}

HBRUSH ClassBackground(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->cls ? w->cls->background : 0;
}

bool IsShown(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && IsShownL(w);
}

HWND ParentOf(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && w->parent != S().desktop ? w->parent : 0;
}

HWND TopLevelOf(HWND h) {
  Lock l(S().mx);
  return RootL(h);
}

std::vector<HWND> ChildrenOf(HWND parent) {
  Lock l(S().mx);
  Wnd *w = W(parent ? parent : S().desktop);
  return w ? w->children : std::vector<HWND>{};
}

std::string TitleOf(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w ? w->text : std::string();
}

DWORD ThreadOf(HWND h) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w ? w->tid : 0;
}

void *GetSlot(HWND h, int slot) {
  Lock l(S().mx);
  Wnd *w = W(h);
  return w && slot >= 0 && slot < SlotCount ? w->slots[slot] : nullptr;
}

bool SetSlot(HWND h, int slot, void *value) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || slot < 0 || slot >= SlotCount) return false;
  w->slots[slot] = value;
  return true;
}

}  // namespace tavo::user
