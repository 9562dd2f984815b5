// The non-client area drawn as the classic desktop draws it: the frame, the
// caption with the title and a close box, and the menu bar. Drawing goes
// through the drawing layer when it is linked in; without it nothing is
// drawn.

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "menuint.h"
#include "state.h"
#include "win/gdi.h"
#include "win/gdi_win.h"

// Weak: the window layer works without the drawing layer.
HDC GetWindowDC(HWND hwnd) __attribute__((weak));
HDC GetDC(HWND hwnd) __attribute__((weak));
int ReleaseDC(HWND hwnd, HDC hdc) __attribute__((weak));
int FillRect(HDC hdc, const RECT *rc, HBRUSH brush) __attribute__((weak));
BOOL DrawEdge(HDC hdc, LPRECT rc, UINT edge, UINT flags) __attribute__((weak));
int DrawTextA(HDC hdc, LPCSTR text, int n, LPRECT rc, UINT format) __attribute__((weak));
int SetBkMode(HDC hdc, int mode) __attribute__((weak));
COLORREF SetTextColor(HDC hdc, COLORREF color) __attribute__((weak));
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ obj) __attribute__((weak));
HGDIOBJ GetStockObject(int which) __attribute__((weak));
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int n, LPSIZE size) __attribute__((weak));

// A window's own scroll bars are drawn and tracked by the controls library,
// which links this layer and not the other way round.
namespace tavo::controls {
void PaintStandardBars(HWND hwnd, HDC windowDC) __attribute__((weak));
void TrackStandardBar(HWND hwnd, int bar, POINT screen) __attribute__((weak));
}  // namespace tavo::controls

namespace tavo::user {

bool CanDraw() {
  return GetWindowDC && GetDC && ReleaseDC && FillRect && DrawEdge && DrawTextA && SetBkMode && SetTextColor &&
         SelectObject && GetStockObject && GetTextExtentPoint32A;
}

int TextWidth(HDC dc, const std::string &text) {
  std::string shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  SIZE sz{};
  GetTextExtentPoint32A(dc, shown.c_str(), (int)shown.size(), &sz);
  return sz.cx;
}

namespace {

struct Frame {
  RECT window{};  // window coordinates (0, 0 at the top left)
  RECT nc{};      // thickness of each side, caption not counted
  DWORD style = 0, exStyle = 0;
  int caption = 0;
  bool active = false;
  HMENU menu = 0;
  std::string title;
};

bool FrameOf(HWND h, Frame *f) {
  Lock l(S().mx);
  Wnd *w = W(h);
  if (!w || !PaintsNonClient(w->style) || !IsShownL(w)) return false;
  f->window = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  f->style = w->style;
  f->exStyle = w->exStyle;
  RECT nc;
  FrameNcL(w->style, w->exStyle, &nc);
  f->caption = (w->style & WS_CAPTION) == WS_CAPTION ? MetricL((w->exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) : 0;
  nc.top -= f->caption;
  f->nc = nc;
  f->menu = w->menu;
  f->title = w->text;
  Queue *q = QueueOf(w->tid);
  // Only top-level windows are activated; a child's caption stays inactive.
  f->active = q && q->active == h;
  return true;
}

}  // namespace

std::vector<RECT> MenuBarRects(HWND h, HDC dc) {
  std::vector<RECT> out;
  Frame f;
  if (!CanDraw() || !FrameOf(h, &f) || !f.menu) return out;
  int top = f.nc.top + f.caption, height = GetSystemMetrics(SM_CYMENU);
  int x = f.nc.left;
  bool own = !dc;
  if (own) dc = GetWindowDC(h);
  if (!dc) return out;
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  for (const std::string &t : MenuItemTexts(f.menu)) {
    int w = TextWidth(dc, t) + 16;
    out.push_back(RECT{x, top, x + w, top + height - 1});
    x += w;
  }
  SelectObject(dc, old);
  if (own) ReleaseDC(h, dc);
  return out;
}

void PaintScrollBars(HWND h) {
  if (!tavo::controls::PaintStandardBars || !GetWindowDC || !ReleaseDC) return;
  {
    Lock l(S().mx);
    Wnd *w = W(h);
    if (!w || !(w->style & (WS_VSCROLL | WS_HSCROLL)) || !IsShownL(w)) return;
  }
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  tavo::controls::PaintStandardBars(h, dc);
  ReleaseDC(h, dc);
}

bool TrackScrollBar(HWND h, bool vertical, POINT screen) {
  if (!tavo::controls::TrackStandardBar) return false;
  tavo::controls::TrackStandardBar(h, vertical ? 1 : 0, screen);  // SB_VERT : SB_HORZ
  return true;
}

void PaintNonClient(HWND h) {
  Frame f;
  if (!CanDraw() || !FrameOf(h, &f)) return;
  if (!f.nc.left && !f.nc.top && !f.caption && !f.menu) return;
  HDC dc = GetWindowDC(h);
  if (!dc) return;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT r = f.window;
  int menuH = f.menu ? GetSystemMetrics(SM_CYMENU) : 0;
  // The frame: the strips around the client area, and a raised edge.
  RECT strips[4] = {{0, 0, r.right, f.nc.top + f.caption + menuH},
                    {0, 0, f.nc.left, r.bottom},
                    {r.right - f.nc.right, 0, r.right, r.bottom},
                    {0, r.bottom - f.nc.bottom, r.right, r.bottom}};
  for (RECT &s : strips) FillRect(dc, &s, face);
  if (f.style & (WS_THICKFRAME | WS_DLGFRAME | WS_BORDER) || (f.exStyle & WS_EX_DLGMODALFRAME)) {
    RECT e = r;
    if ((f.style & WS_CAPTION) == WS_BORDER && !(f.style & WS_THICKFRAME) && !(f.exStyle & WS_EX_DLGMODALFRAME))
      DrawEdge(dc, &e, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    else
      DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  }
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  if (f.caption) {
    RECT c{f.nc.left, f.nc.top, r.right - f.nc.right, f.nc.top + f.caption - 1};
    FillRect(dc, &c, GetSysColorBrush(f.active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    SetTextColor(dc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    RECT t = c;
    t.left += 4;
    if (f.style & WS_SYSMENU) {
      // The close box.
      int s = f.caption - 5;
      RECT b{c.right - s - 2, c.top + 2, c.right - 2, c.top + 2 + s};
      FillRect(dc, &b, face);
      DrawEdge(dc, &b, EDGE_RAISED, BF_RECT);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      DrawTextA(dc, "x", 1, &b, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SetTextColor(dc, GetSysColor(f.active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
      t.right = b.left - 2;
    }
    DrawTextA(dc, f.title.c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  if (f.menu) {
    RECT bar{f.nc.left, f.nc.top + f.caption, r.right - f.nc.right, f.nc.top + f.caption + menuH};
    FillRect(dc, &bar, GetSysColorBrush(COLOR_MENU));
    std::vector<RECT> items = MenuBarRects(h, dc);
    std::vector<std::string> texts = MenuItemTexts(f.menu);
    std::vector<UINT> states = MenuItemStates(f.menu);
    int hot = MenuBarHot(h);
    for (size_t i = 0; i < items.size() && i < texts.size(); ++i) {
      RECT it = items[i];
      if ((int)i == hot) {
        FillRect(dc, &it, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        SetTextColor(dc, GetSysColor((states[i] & (MF_GRAYED | MF_DISABLED)) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
      }
      DrawTextA(dc, texts[i].c_str(), -1, &it, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
  }
  SelectObject(dc, old);
  ReleaseDC(h, dc);
}

}  // namespace tavo::user

namespace tavo::user {

namespace {
constexpr int kItemH = 19, kSepH = 8, kMargin = 3;

std::vector<RECT> PopupRects(HMENU menu, int width) {
  std::vector<RECT> out;
  int y = kMargin;
  std::vector<UINT> states = MenuItemStates(menu);
  for (UINT s : states) {
    int h = (s & MF_SEPARATOR) ? kSepH : kItemH;
    out.push_back(RECT{kMargin, y, width - kMargin, y + h});
    y += h;
  }
  return out;
}
}  // namespace

SIZE MeasurePopup(HMENU menu) {
  SIZE sz{120, 2 * kMargin + kItemH};
  if (!CanDraw()) return sz;
  HDC dc = GetDC(0);
  if (!dc) return sz;
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  int left = 0, right = 0;
  for (const std::string &t : MenuItemTexts(menu)) {
    size_t tab = t.find('\t');
    left = std::max(left, TextWidth(dc, t.substr(0, tab)));
    if (tab != std::string::npos) right = std::max(right, TextWidth(dc, t.substr(tab + 1)));
  }
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  std::vector<RECT> rects = PopupRects(menu, 0);
  sz.cx = std::max(100, 2 * kMargin + 20 + left + (right ? right + 24 : 0) + 20);
  sz.cy = (rects.empty() ? kMargin : rects.back().bottom) + kMargin;
  return sz;
}

int PopupItemAt(HMENU menu, int width, POINT client) {
  std::vector<RECT> rects = PopupRects(menu, width);
  for (size_t i = 0; i < rects.size(); ++i)
    if (client.y >= rects[i].top && client.y < rects[i].bottom && client.x >= 0 && client.x < width) return (int)i;
  return -1;
}

void PaintPopup(HWND h, HDC dc, HMENU menu, int sel) {
  if (!CanDraw()) return;
  RECT r;
  GetClientRect(h, &r);
  FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
  RECT e = r;
  DrawEdge(dc, &e, EDGE_RAISED, BF_RECT);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  std::vector<std::string> texts = MenuItemTexts(menu);
  std::vector<UINT> states = MenuItemStates(menu);
  std::vector<RECT> rects = PopupRects(menu, r.right);
  for (size_t i = 0; i < rects.size() && i < texts.size(); ++i) {
    RECT it = rects[i];
    if (states[i] & MF_SEPARATOR) {
      RECT line{it.left + 1, it.top + kSepH / 2 - 1, it.right - 1, it.top + kSepH / 2 + 1};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    bool grey = (states[i] & (MF_GRAYED | MF_DISABLED)) != 0;
    if ((int)i == sel) {
      FillRect(dc, &it, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_HIGHLIGHTTEXT));
    } else {
      SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    }
    RECT t{it.left + 18, it.top, it.right - 18, it.bottom};
    size_t tab = texts[i].find('\t');
    DrawTextA(dc, texts[i].substr(0, tab).c_str(), -1, &t, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (tab != std::string::npos)
      DrawTextA(dc, texts[i].substr(tab + 1).c_str(), -1, &t, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (states[i] & MF_CHECKED) {
      RECT c{it.left, it.top, it.left + 18, it.bottom};
      DrawTextA(dc, "\x95", 1, &c, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (states[i] & MF_POPUP) {
      RECT a{it.right - 16, it.top, it.right - 2, it.bottom};
      DrawTextA(dc, "\xBB", 1, &a, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  SelectObject(dc, old);
}

}  // namespace tavo::user

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) __attribute__((weak));
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT *ps) __attribute__((weak));

namespace tavo::user {

namespace {

LRESULT CALLBACK PopupProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_PAINT: {
      auto *st = (PopupState *)GetWindowLongPtrA(h, GWLP_USERDATA);
      if (BeginPaint && EndPaint) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, &ps);
        if (dc && st) PaintPopup(h, dc, st->menu, st->sel);
        EndPaint(h, &ps);
      } else {
        ValidateRect(h, nullptr);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
  }
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

HWND CreatePopupWindow(PopupState *st, int x, int y) {
  if (!CanDraw()) return 0;
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = PopupProc;
    wc.lpszClassName = "#32768";
    RegisterSystemClass(&wc);
  });
  SIZE sz = MeasurePopup(st->menu);
  int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  x = std::max(0, std::min(x, sw - (int)sz.cx));
  y = std::max(0, std::min(y, sh - (int)sz.cy));
  HWND h = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "#32768", "", WS_POPUP, x, y, sz.cx, sz.cy, 0, 0, 0,
                           nullptr);
  if (!h) return 0;
  SetWindowLongPtrA(h, GWLP_USERDATA, (LONG_PTR)st);
  ShowWindow(h, SW_SHOWNOACTIVATE);
  return h;
}

}  // namespace tavo::user

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strike_out, DWORD charset, DWORD out_precision, DWORD clip_precision, DWORD quality,
                  DWORD pitch_and_family, LPCSTR face) __attribute__((weak));
BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) __attribute__((weak));

namespace tavo::user {

// The dialog font as the drawing layer maps it: base units are the average
// width of the Latin letters and the cell height, as the dialog manager
// measures them. Fonts are kept for the program's life, one per face and size.
bool MappedDialogFont(const char *face, int pointSize, HFONT *font, int *baseX, int *baseY) {
  if (!CanDraw() || !CreateFontA || !GetTextMetricsA) return false;
  struct Entry {
    std::string face;
    int size;
    HFONT font;
    int bx, by;
  };
  static std::mutex mx;
  static std::vector<Entry> cache;
  std::lock_guard<std::mutex> g(mx);
  for (auto &e : cache) {
    if (e.size == pointSize && e.face == face) {
      *font = e.font;
      *baseX = e.bx;
      *baseY = e.by;
      return true;
    }
  }
  int height = -((pointSize * 96 + 36) / 72);
  HFONT f = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face && *face ? face : "MS Sans Serif");
  if (!f) return false;
  HDC dc = GetDC(0);
  if (!dc) return false;
  HGDIOBJ old = SelectObject(dc, f);
  TEXTMETRICA tm{};
  SIZE sz{};
  static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  bool ok = GetTextMetricsA(dc, &tm) && GetTextExtentPoint32A(dc, letters, 52, &sz);
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  if (!ok || sz.cx <= 0 || tm.tmHeight <= 0) return false;
  cache.push_back({face ? face : "", pointSize, f, (int)((sz.cx / 26 + 1) / 2), (int)tm.tmHeight});
  *font = f;
  *baseX = cache.back().bx;
  *baseY = cache.back().by;
  return true;
}

}  // namespace tavo::user
