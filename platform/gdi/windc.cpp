// Drawing on windows. Each top-level window has a pixel surface the size of
// the window; a window DC draws into its top-level window's surface at the
// window's client origin, clipped to what of the window is visible: inside
// its ancestors, without the siblings above it (WS_CLIPSIBLINGS) and, with
// WS_CLIPCHILDREN, without its children. A CS_OWNDC window keeps one DC,
// with everything selected into it, for its whole life.

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <mutex>

#include "gdiint.h"
#include "gdiwin.h"
#include "userint.h"

using namespace tavo::gdi;
namespace U = tavo::user;

namespace {

// Bumped whenever a window is made, moved, sized, shown, hidden, raised or
// destroyed: window DCs then work out their place and visible part again.
std::atomic<uint64_t> g_geometry{1};

struct WinState {
  std::map<HWND, SurfacePtr> surfaces;  // top-level windows
  std::map<HWND, HDC> own;              // CS_OWNDC windows
  HBRUSH sys_brushes[31] = {};
};

WinState &WS() {
  static auto *s = new WinState;
  return *s;
}

HDC NewDCFor(HWND hwnd, bool whole);

void OnWindow(HWND hwnd, U::WindowEvent ev, void *) {
  g_geometry.fetch_add(1);
  if (ev != U::WindowEvent::Destroyed) return;
  TAVO_GDI_LOCK;
  WinState &ws = WS();
  auto own = ws.own.find(hwnd);
  if (own != ws.own.end()) {
    DeleteDC(own->second);
    ws.own.erase(own);
  }
  auto s = ws.surfaces.find(hwnd);
  if (s != ws.surfaces.end()) {
    U::SetSlot(hwnd, U::SlotSurface, nullptr);
    ws.surfaces.erase(s);
  }
}

HBRUSH ProvideSysBrush(int index, COLORREF) {
  // Made before the provider was handed over: no lock is needed here.
  return index >= 0 && index < 31 ? WS().sys_brushes[index] : 0;
}

LRESULT Erase(HWND hwnd, HDC hdc, HBRUSH brush) {
  RECT r;
  if (!brush || GetClipBox(hdc, &r) == ERROR) return 0;
  return FillRect(hdc, &r, brush) ? 1 : 0;
}

void Register() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int i = 0; i < 31; ++i) WS().sys_brushes[i] = SysColorBrush(i);
    U::SetSysColorBrushProvider(ProvideSysBrush);
    U::SetEraseHandler(Erase);
    U::AddWindowHook(OnWindow, nullptr);
    StartDisplay();
  });
}

// Window programs reach this file through GetDC or BeginPaint, so the
// layer is attached before their first window exists.
struct AutoRegister {
  AutoRegister() { Register(); }
} g_auto_register;

Region Rect(const RECT &r) { return Region::FromRect(r.left, r.top, r.right, r.bottom); }

// The visible part of a window (client area, or the whole window) in its
// top-level surface's coordinates, and the DC origin in that surface.
bool Visible(HWND hwnd, bool whole, Region &vis, POINT &origin, HWND &top) {
  vis = Region();
  RECT wr, base, tr;
  if (!U::WindowRectOnScreen(hwnd, &wr)) return false;
  top = U::TopLevelOf(hwnd);
  if (!top || !U::WindowRectOnScreen(top, &tr)) return false;
  if (whole) base = wr;
  else if (!U::ClientRectOnScreen(hwnd, &base)) return false;
  origin = POINT{base.left - tr.left, base.top - tr.top};
  if (!U::IsShown(hwnd)) return true;
  Region r = Combine(Rect(base), Rect(tr), RGN_AND);
  for (HWND p = U::ParentOf(hwnd); p; p = U::ParentOf(p)) {
    RECT pc;
    if (U::ClientRectOnScreen(p, &pc)) r = Combine(r, Rect(pc), RGN_AND);
  }
  for (HWND w = hwnd; U::ParentOf(w); w = U::ParentOf(w)) {
    if (!(U::Style(w) & WS_CLIPSIBLINGS)) continue;
    for (HWND s : U::ChildrenOf(U::ParentOf(w))) {
      if (s == w) break;
      RECT sr;
      if (U::IsShown(s) && U::WindowRectOnScreen(s, &sr)) r = Combine(r, Rect(sr), RGN_DIFF);
    }
  }
  if (U::Style(hwnd) & WS_CLIPCHILDREN)
    for (HWND c : U::ChildrenOf(hwnd)) {
      RECT cr;
      if (U::IsShown(c) && U::WindowRectOnScreen(c, &cr)) r = Combine(r, Rect(cr), RGN_DIFF);
    }
  r.Offset(-tr.left, -tr.top);
  vis = std::move(r);
  return true;
}

HDC NewDCFor(HWND hwnd, bool whole) {
  uint64_t seen = 0;
  return NewWindowDC(hwnd, [hwnd, whole, seen](DCObj &dc) mutable {
    uint64_t now = g_geometry.load();
    if (now == seen) return;
    seen = now;
    Region vis;
    POINT origin{0, 0};
    HWND top = 0;
    if (Visible(hwnd, whole, vis, origin, top)) {
      dc.surf = WindowSurface(top);
      dc.origin = origin;
      dc.vis = std::move(vis);
    } else {
      dc.vis = Region();  // the window is gone: drawing does nothing
    }
    dc.Invalidate();
  });
}

// The screen DC (GetDC(NULL)) measures text and answers device questions;
// nothing drawn on it shows.
HDC ScreenDC() {
  auto dc = std::make_shared<DCObj>();
  dc->memory = false;
  dc->st.pen = GetStockObject(BLACK_PEN);
  dc->st.brush = GetStockObject(WHITE_BRUSH);
  dc->st.font = GetStockObject(SYSTEM_FONT);
  dc->surf = NewSurface(1, 1);
  return AddObj(dc);
}

}  // namespace

namespace tavo::gdi {

SurfacePtr WindowSurface(HWND top) {
  TAVO_GDI_LOCK;
  Register();
  RECT r;
  if (!U::WindowRectOnScreen(top, &r)) return nullptr;
  // Bounded, so that an absurd window size cannot take all memory; what
  // lies beyond is not drawn.
  int w = std::clamp<int>(r.right - r.left, 1, 4096), h = std::clamp<int>(r.bottom - r.top, 1, 4096);
  WinState &ws = WS();
  SurfacePtr &s = ws.surfaces[top];
  if (s && s->w == w && s->h == h) return s;
  SurfacePtr n = NewSurface(w, h);
  if (!n) return s;
  std::fill(n->px, n->px + (size_t)n->stride * n->h, 0xFFFFFFu);
  if (s)
    for (int y = 0; y < std::min(h, s->h); ++y)
      std::copy(s->Row(y), s->Row(y) + std::min(w, s->w), n->Row(y));
  cairo_surface_mark_dirty(n->cs);
  s = n;
  U::SetSlot(top, U::SlotSurface, s.get());
  return s;
}

}  // namespace tavo::gdi

HDC GetDC(HWND hwnd) {
  TAVO_GDI_LOCK;
  Register();
  if (!hwnd) return ScreenDC();
  RECT r;
  if (!U::WindowRectOnScreen(hwnd, &r)) return 0;
  if (U::ClassStyle(hwnd) & CS_OWNDC) {
    HDC &own = WS().own[hwnd];
    if (!own) {
      own = NewDCFor(hwnd, false);
      U::SetSlot(hwnd, U::SlotDC, (void *)(uintptr_t)own);
    }
    return own;
  }
  return NewDCFor(hwnd, false);
}

HDC GetWindowDC(HWND hwnd) {
  TAVO_GDI_LOCK;
  Register();
  if (!hwnd) return ScreenDC();
  RECT r;
  if (!U::WindowRectOnScreen(hwnd, &r)) return 0;
  return NewDCFor(hwnd, true);
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
  HDC dc = (flags & DCX_WINDOW) ? GetWindowDC(hwnd) : GetDC(hwnd);
  if (dc && clip) SelectClipRgn(dc, clip);
  return dc;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  TAVO_GDI_LOCK;
  DCObj *dc = Get<DCObj>(hdc, Kind::DC);
  if (!dc || dc->memory) return 0;
  auto own = WS().own.find(dc->hwnd);
  if (own != WS().own.end() && own->second == hdc) return 1;  // kept for the window's life
  DeleteDC(hdc);
  return 1;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  if (!ps) return 0;
  std::vector<RECT> rects;
  bool erase = false;
  bool any = U::TakeUpdateRegion(hwnd, &rects, &erase);
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 0;
  RECT client{0, 0, 0, 0};
  GetClientRect(hwnd, &client);
  Region upd;
  if (any) {
    for (const RECT &r : rects) upd = Combine(upd, Rect(r), RGN_OR);
    upd = Combine(upd, Rect(client), RGN_AND);
  } else {
    // A WM_PAINT sent without anything invalid repaints the whole client
    // area, as the programs expect of it.
    upd = Rect(client);
  }
  {
    TAVO_GDI_LOCK;
    if (DCObj *dc = GetDC_(hdc)) {
      dc->has_paint_clip = true;
      dc->paint_clip = upd;
      dc->Invalidate();
    }
  }
  std::memset(ps, 0, sizeof *ps);
  ps->hdc = hdc;
  ps->rcPaint = upd.Empty() ? RECT{0, 0, 0, 0} : upd.Box();
  ps->fErase = TRUE;
  if (erase) ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, (WPARAM)hdc, 0) ? FALSE : TRUE;
  return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *ps) {
  if (!ps) return FALSE;
  {
    TAVO_GDI_LOCK;
    if (DCObj *dc = Get<DCObj>(ps->hdc, Kind::DC)) {
      dc->has_paint_clip = false;
      dc->paint_clip = Region();
      dc->Invalidate();
    }
  }
  ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}

HWND WindowFromDC(HDC hdc) {
  TAVO_GDI_LOCK;
  DCObj *dc = Get<DCObj>(hdc, Kind::DC);
  return dc ? dc->hwnd : 0;
}
