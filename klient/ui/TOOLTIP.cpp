// The shared tooltip, the tab strip and the main toolbar's tooltip list.

#include "TOOLTIP.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "FARVER.h"
#include "FONTE.h"

HWND hwndTooltip = 0;
BOOL TooltipVises = FALSE;
ToolbarTip *ToolbarTips = nullptr;
HWND hwndMainToolbar = 0;

// Before the fonts are loaded (tests, early start-up) the stock font stands in.
static void FlytRect(RECT &r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

static HGDIOBJ StdSkrift() { return StdFont ? (HGDIOBJ)StdFont : GetStockObject(DEFAULT_GUI_FONT); }

// ---------------------------------------------------------------- tooltip

static void TegnTooltip(TooltipInfo *ti) {
  if (!ti->dc) return;
  if (ti->width >= 1 && ti->height >= 1) {
    RECT all = {0, 0, ti->width, ti->height};
    FillRect(ti->dc, &all, GetSysColorBrush(COLOR_INFOBK));
  }
  if (ti->text) {
    RECT rc = {2, 2, ti->width - 2, ti->height - 2};
    SetBkMode(ti->dc, TRANSPARENT);
    DrawTextA(ti->dc, ti->text, -1, &rc, DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  FillFrameSys(ti->dc, COLOR_INFOTEXT, 0, 0, 1, 1, ti->width - 1, ti->height - 1, ti->width,
               ti->height);
}

LRESULT CALLBACK TooltipWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      ti = static_cast<TooltipInfo *>(cs->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ti));
      if (!ti) return -1;
      ti->dc = GetDC(hwnd);
      ti->oldFont = (HFONT)SelectObject(ti->dc, StdSkrift());
      SetTextColor(ti->dc, GetSysColor(COLOR_INFOTEXT));
      SetBkColor(ti->dc, GetSysColor(COLOR_INFOBK));
      return 0;
    }
    case WM_SIZE:
      if (ti) {
        ti->width = (short)LOWORD(lParam);
        ti->height = (short)HIWORD(lParam);
        TegnTooltip(ti);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (ti) TegnTooltip(ti);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case TT_SETTEXT:
      if (ti) ti->text = reinterpret_cast<char *>(lParam);
      return 0;
    case TT_LUCIDAFONT:
      if (ti) {
        HFONT made = CreateFontA(-10, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, "Lucida Console");
        if (made) {
          SelectObject(ti->dc, made);
          if (ti->font) DeleteObject(ti->font);
          ti->font = made;
        }
      }
      return 0;
    case TT_DEFAULTFONT:
      if (ti) SelectObject(ti->dc, StdSkrift());
      return 0;
    case WM_DESTROY:
      if (ti) {
        if (ti->dc) SelectObject(ti->dc, ti->oldFont);
        if (ti->font) DeleteObject(ti->font);
        std::free(ti);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      if (hwnd == hwndTooltip) {
        hwndTooltip = 0;
        TooltipVises = FALSE;
      }
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND OpretTooltip(HINSTANCE inst, HWND owner) {
  auto *ti = static_cast<TooltipInfo *>(std::calloc(1, sizeof(TooltipInfo)));
  if (!ti) return 0;
  hwndTooltip = CreateWindowExA(0, "TooltipWndClass", "", WS_POPUP | WS_DISABLED, 0, 0, 0, 0, owner,
                                0, inst, ti);
  if (!hwndTooltip) std::free(ti);
  TooltipVises = FALSE;
  return hwndTooltip;
}

void VisTooltip(const char *text, const POINT *pt, int leftOffset) {
  if (!hwndTooltip || TooltipVises || !text || !*text) return;
  SendMessageA(hwndTooltip, TT_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  auto *ti = reinterpret_cast<TooltipInfo *>(GetWindowLongPtrA(hwndTooltip, GWLP_USERDATA));
  if (!ti) return;

  // Lines are measured one by one; the widest sets the width.
  int lines = 1, widest = 0, longest = -1, longestLen = 0;
  const char *start = text;
  for (const char *p = text;; ++p) {
    if (*p == '\n' || *p == '\0') {
      int len = (int)(p - start);
      if (len > longestLen || longest < 0) {
        longestLen = len;
        longest = (int)(start - text);
      }
      if (*p == '\0') break;
      ++lines;
      start = p + 1;
    }
  }
  SIZE sz = {0, 0};
  GetTextExtentPoint32A(ti->dc, text + longest, longestLen, &sz);
  if (longestLen == 0) {
    SIZE a = {0, 0};
    GetTextExtentPoint32A(ti->dc, "A", 1, &a);
    sz.cy = a.cy;
  }
  widest = sz.cx;
  int width = widest, height = sz.cy * lines;

  POINT p;
  if (pt) {
    p = *pt;
  } else {
    GetCursorPos(&p);
    p.y += 17;
  }
  RECT bound;
  if (ti->parent) {
    if (GetWindowLongA(hwndTooltip, GWL_STYLE) & WS_CHILD)
      GetClientRect(ti->parent, &bound);
    else
      GetWindowRect(ti->parent, &bound);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &bound, 0);
  }
  int x = p.x, y = p.y;
  if (x + 5 + width > bound.right) x = x - 5 - width - leftOffset;
  if (x < bound.left) x = bound.left;
  if (y + 5 + height > bound.bottom) y = y - 22 - height;
  SetWindowPos(hwndTooltip, 0, x, y, width + 5, height + 5,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER);
  TooltipVises = TRUE;
}

void SkjulTooltip() {
  if (!hwndTooltip) {
    TooltipVises = FALSE;
    return;
  }
  ShowWindow(hwndTooltip, SW_HIDE);
  if (TooltipVises)
    SetWindowPos(hwndTooltip, 0, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_HIDEWINDOW);
  TooltipVises = FALSE;
}

// --------------------------------------------------------------- tab strip

static void TabTekst(TabInfo *t, int i, const RECT &rcIn, bool enabled, bool selected) {
  char buf[200];
  int n = 0;
  for (const char *s = t->texts[i] ? t->texts[i] : ""; *s && n < (int)sizeof buf - 1; ++s)
    if (*s != '&') buf[n++] = *s;
  buf[n] = 0;
  UINT fmt = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if (enabled) {
    RECT rc = rcIn;
    if (selected) FlytRect(rc, -2, 0);
    COLORREF col = GetSysColor(COLOR_BTNTEXT);
    if (i < 4) {
      std::string low(buf);
      for (char &c : low) c = (char)std::tolower((unsigned char)c);
      static const char *const ord[4] = {"akti", "fag", "meda", "loka"};
      static const int farve[4] = {7, 13, 8, 10};
      if (low.find(ord[i]) != std::string::npos) col = FarveTab[farve[i]];
    }
    SetBkMode(t->dc, OPAQUE);
    SetBkColor(t->dc, FarveTab[0]);
    SetTextColor(t->dc, col);
    DrawTextA(t->dc, buf, -1, &rc, fmt);
  } else {
    RECT rc = {t->tabX[i] + 6, 3, t->tabX[i + 1] - 2, t->height - 1};
    if (selected) FlytRect(rc, -2, 0);
    SetBkMode(t->dc, TRANSPARENT);
    SetTextColor(t->dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(t->dc, buf, -1, &rc, fmt);
    FlytRect(rc, -1, -1);
    SetTextColor(t->dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextA(t->dc, buf, -1, &rc, fmt);
  }
  t->lastText = t->lastBk = 99;
}

static void TegnTabs(TabInfo *t) {
  if (!t->dc || t->height < 3) return;
  HDC dc = t->dc;
  HPEN hi = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HPEN sh = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HPEN dk = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  HPEN bg = CreatePen(PS_SOLID, 1, FarveTab[0]);
  HBRUSH face = CreateSolidBrush(FarveTab[0]);
  HGDIOBJ oldPen = SelectObject(dc, bg);
  int bottom = t->height - 1;
  int end = t->count > 0 ? t->tabX[t->count] + 4 : 0;

  // Above the tabs' tops and around their corners the face shows.
  RECT top = {0, 0, end, 2};
  FillRect(dc, &top, face);
  for (int i = 0; i < t->count; ++i) {
    bool sel = i == t->selected;
    int l = t->tabX[i] + 2 - (sel ? 2 : 0);
    int r = t->tabX[i + 1] + 2 + (sel ? 2 : 0);
    int tp = sel ? 0 : 2;
    RECT inside = {t->tabX[i] + 4, 3, t->tabX[i + 1] + 1, bottom};
    if (inside.right > inside.left && inside.bottom > inside.top) FillRect(dc, &inside, face);
    // highlight left and top with a diagonal corner
    SelectObject(dc, hi);
    MoveToEx(dc, l, sel ? bottom + 1 : bottom, nullptr);
    LineTo(dc, l, tp + 2);
    LineTo(dc, l + 2, tp);
    LineTo(dc, r - 2, tp);
    // shadow right edge with a dark line outside it
    SelectObject(dc, sh);
    MoveToEx(dc, r - 2, tp + 1, nullptr);
    LineTo(dc, r - 2, sel ? bottom + 1 : bottom);
    SelectObject(dc, dk);
    MoveToEx(dc, r - 2, tp, nullptr);
    LineTo(dc, r - 1, tp + 1);
    LineTo(dc, r - 1, sel ? bottom + 1 : bottom);
    SelectObject(dc, bg);
    MoveToEx(dc, l, tp, nullptr);
    LineTo(dc, l, tp + 1);
  }
  // The base line under the unselected tabs and on to the right end.
  SelectObject(dc, hi);
  for (int i = 0; i < t->count; ++i) {
    if (i == t->selected) continue;
    MoveToEx(dc, t->tabX[i] + 2, bottom, nullptr);
    LineTo(dc, t->tabX[i + 1] + 4, bottom);
  }
  MoveToEx(dc, end, bottom, nullptr);
  LineTo(dc, t->width - 1, bottom);
  SetPixel(dc, t->width - 1, bottom, GetSysColor(COLOR_3DDKSHADOW));
  RECT rest = {end, 0, t->width, bottom};
  if (rest.right > rest.left) FillRect(dc, &rest, face);

  for (int i = 0; i < t->count; ++i) {
    RECT rc = {t->tabX[i] + 5, 2, t->tabX[i + 1] - 3, t->height - 2};
    TabTekst(t, i, rc, t->enabled[i] != 0, i == t->selected);
  }
  SelectObject(dc, oldPen);
  DeleteObject(hi);
  DeleteObject(sh);
  DeleteObject(dk);
  DeleteObject(bg);
  DeleteObject(face);
}

LRESULT CALLBACK TabWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *t = reinterpret_cast<TabInfo *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      t = static_cast<TabInfo *>(cs->lpCreateParams);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(t));
      if (!t) return -1;
      t->dc = GetDC(hwnd);
      t->lastText = t->lastBk = 99;
      SelectObject(t->dc, StdSkrift());
      t->tabX[0] = 0;
      for (int i = 0; i < t->count; ++i) {
        SIZE sz = {0, 0};
        const char *s = t->texts[i] ? t->texts[i] : "";
        GetTextExtentPoint32A(t->dc, s, (int)std::strlen(s), &sz);
        t->tabX[i + 1] = t->tabX[i] + sz.cx + 14;
      }
      return 0;
    }
    case WM_SIZE:
      if (t) {
        t->width = (short)LOWORD(lParam);
        t->height = (short)HIWORD(lParam);
        TegnTabs(t);
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      if (t) TegnTabs(t);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_LBUTTONDOWN: {
      if (!t) break;
      int x = (short)LOWORD(lParam), y = (short)HIWORD(lParam);
      if (y == 0 || y == 1) return 0;
      for (int i = 0; i < t->count; ++i) {
        if (t->tabX[i + 1] + 2 > x) {
          if (!t->enabled[i]) return 0;
          t->selected = i;
          TegnTabs(t);
          SendMessageA(t->parent, TAB_SELCHANGED, (WPARAM)i, (LPARAM)hwnd);
          return 0;
        }
      }
      return 0;
    }
    case TAB_SELECT:
      if (!t) return 0;
      if (wParam < (WPARAM)t->count && t->enabled[wParam])
        t->selected = (int32_t)wParam;
      else
        t->selected = t->count;
      TegnTabs(t);
      return 0;
    case TAB_GETSELECTED:
      return t ? t->selected : 0;
    case TAB_ENABLE:
      if (t && wParam < (WPARAM)t->count && !t->enabled[wParam]) {
        t->enabled[wParam] = 1;
        TegnTabs(t);
      }
      return 0;
    case TAB_DISABLE:
      if (t && wParam < (WPARAM)t->count && t->enabled[wParam]) {
        t->enabled[wParam] = 0;
        if (t->selected == (int32_t)wParam) t->selected = t->count;
        TegnTabs(t);
      }
      return 0;
    case TAB_ISENABLED:
      return (t && wParam < (WPARAM)t->count && t->enabled[wParam]) ? 1 : 0;
    case WM_DESTROY:
      if (t) {
        std::free(t->enabled);
        std::free(t->tabX);
        std::free(t);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateTabWnd(HINSTANCE inst, HWND parent, uint32_t id, int x, int y, int width, int height,
                  char **texts, int count) {
  if (count < 0) count = 0;
  auto *t = static_cast<TabInfo *>(std::calloc(1, sizeof(TabInfo)));
  auto *en = static_cast<uint32_t *>(std::calloc(count + 1, sizeof(uint32_t)));
  auto *xs = static_cast<int32_t *>(std::calloc(count + 1, sizeof(int32_t)));
  if (!t || !en || !xs) {
    std::free(t);
    std::free(en);
    std::free(xs);
    return 0;
  }
  for (int i = 0; i < count; ++i) en[i] = 1;
  *t = TabInfo{inst, parent, id, x, y, width, height, 0, texts, en, xs, count, 0, 99, 99};
  HWND h = CreateWindowExA(0, "TabWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height,
                           parent, 0, inst, t);
  if (!h) {
    std::free(en);
    std::free(xs);
    std::free(t);
  }
  return h;
}

// ------------------------------------------------------------ main toolbar

static void ToolbarIndsaet(int bitmap, int id, BYTE style) {
  if (!hwndMainToolbar) return;
  TBBUTTON b;
  std::memset(&b, 0, sizeof b);
  b.iBitmap = bitmap;
  b.idCommand = id;
  b.fsState = TBSTATE_ENABLED;
  b.fsStyle = style;
  SendMessageA(hwndMainToolbar, TB_INSERTBUTTON, 99, reinterpret_cast<LPARAM>(&b));
}

void ToolbarTilfoejKnap(int bitmap, int id, const char *tooltip) {
  ToolbarIndsaet(bitmap, id, TBSTYLE_BUTTON);
  for (ToolbarTip *n = ToolbarTips; n; n = n->next)
    if (n->id == id) return;
  auto *n = new ToolbarTip{id, tooltip, ToolbarTips};
  ToolbarTips = n;
}

void ToolbarTilfoejSeparator() { ToolbarIndsaet(0, 0, TBSTYLE_SEP); }

const char *ToolbarTipTekst(int id) {
  for (ToolbarTip *n = ToolbarTips; n; n = n->next)
    if (n->id == id) return n->text;
  return nullptr;
}

void ToolbarTipsFrigiv() {
  while (ToolbarTips) {
    ToolbarTip *n = ToolbarTips->next;
    delete ToolbarTips;
    ToolbarTips = n;
  }
}
