#include <algorithm>
#include <cstring>

#include "ctlint.h"
#include "tavo/cp1252.h"

namespace tavo::controls {

HFONT GuiFont() { return (HFONT)GetStockObject(DEFAULT_GUI_FONT); }

int LineHeight(HFONT font) {
  HDC dc = GetDC(0);
  HGDIOBJ old = SelectObject(dc, FontOr(font));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  return tm.tmHeight > 0 ? tm.tmHeight : 13;
}

int TextWidth(HFONT font, const char *text, int n) {
  if (n <= 0) return 0;
  HDC dc = GetDC(0);
  HGDIOBJ old = SelectObject(dc, FontOr(font));
  SIZE sz{};
  GetTextExtentPoint32A(dc, text, n, &sz);
  SelectObject(dc, old);
  ReleaseDC(0, dc);
  return sz.cx;
}

HBRUSH ParentBrush(HWND h, HDC dc, UINT msg) {
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  SetTextColor(dc, GetSysColor(IsWindowEnabled(h) ? (window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT) : COLOR_GRAYTEXT));
  SetBkColor(dc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
  HWND parent = GetParent(h);
  HBRUSH b = parent ? (HBRUSH)SendMessageA(parent, msg, (WPARAM)dc, (LPARAM)h) : 0;
  if (!b) b = GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE);
  return b;
}

void NotifyParent(HWND h, int code) {
  HWND parent = GetParent(h);
  if (!parent) return;
  int id = GetDlgCtrlID(h);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, (WORD)code), (LPARAM)h);
}

LRESULT NotifyHeader(HWND h, NMHDR *hdr) {
  HWND parent = GetParent(h);
  if (!parent) return 0;
  return SendMessageA(parent, WM_NOTIFY, (WPARAM)hdr->idFrom, (LPARAM)hdr);
}

std::string TextOf(HWND h) {
  int n = GetWindowTextLengthA(h);
  if (n <= 0) return {};
  std::string s((size_t)n + 1, '\0');
  int got = GetWindowTextA(h, s.data(), n + 1);
  s.resize((size_t)std::max(0, got));
  return s;
}

bool IsClass(HWND h, const char *name) {
  char cls[64] = {};
  GetClassNameA(h, cls, sizeof cls);
  return tavo::Cp1252EqualNoCase(cls, name);
}

bool IsFocused(HWND h) { return GetFocus() == h; }

void DrawArrow(HDC dc, const RECT &r, int dir, bool enabled) {
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  int size = std::max(2, std::min(r.right - r.left, r.bottom - r.top) / 4);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  for (int i = 0; i < size; ++i) {
    switch (dir) {
      case 0:  // up: the tip at the top
        MoveToEx(dc, cx - i, cy - size / 2 + i, nullptr);
        LineTo(dc, cx + i + 1, cy - size / 2 + i);
        break;
      case 1:
        MoveToEx(dc, cx - i, cy + size / 2 - i, nullptr);
        LineTo(dc, cx + i + 1, cy + size / 2 - i);
        break;
      case 2:
        MoveToEx(dc, cx - size / 2 + i, cy - i, nullptr);
        LineTo(dc, cx - size / 2 + i, cy + i + 1);
        break;
      default:
        MoveToEx(dc, cx + size / 2 - i, cy - i, nullptr);
        LineTo(dc, cx + size / 2 - i, cy + i + 1);
        break;
    }
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void DrawButtonFrame(HDC dc, RECT r, bool pushed) {
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
}

namespace {
unsigned char Fold(unsigned char c) { return tavo::Cp1252Upper(c); }
}  // namespace

int CompareNoCase(const std::string &a, const std::string &b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    unsigned char x = Fold((unsigned char)a[i]), y = Fold((unsigned char)b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool PrefixNoCase(const std::string &s, const char *prefix) {
  size_t n = std::strlen(prefix);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (Fold((unsigned char)s[i]) != Fold((unsigned char)prefix[i])) return false;
  return true;
}

size_t SortedPosition(const std::vector<Item> &items, const std::string &text) {
  size_t i = 0;
  while (i < items.size() && CompareNoCase(items[i].text, text) <= 0) ++i;
  return i;
}

int FindItem(const std::vector<Item> &items, int start, const char *s, bool exact) {
  if (!s || items.empty()) return -1;
  int n = (int)items.size();
  int first = (start < 0 || start >= n) ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    const std::string &t = items[(size_t)i].text;
    if (exact ? CompareNoCase(t, s) == 0 : PrefixNoCase(t, s)) return i;
  }
  return -1;
}

int DialogBaseX(HFONT font) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  int w = TextWidth(font, kLetters, 52);
  return std::max(1, (w / 26 + 1) / 2);
}

void DrawTabbed(HDC dc, int x, int y, const std::string &text, const std::vector<int> &stops, int defaultStop) {
  size_t from = 0;
  int at = 0;  // pixels from x
  size_t stop = 0;
  while (from <= text.size()) {
    size_t tab = text.find('\t', from);
    size_t end = tab == std::string::npos ? text.size() : tab;
    if (end > from) {
      TextOutA(dc, x + at, y, text.c_str() + from, (int)(end - from));
      SIZE sz{};
      GetTextExtentPoint32A(dc, text.c_str() + from, (int)(end - from), &sz);
      at += sz.cx;
    }
    if (tab == std::string::npos) break;
    while (stop < stops.size() && stops[stop] <= at) ++stop;
    if (stop < stops.size()) {
      at = stops[stop++];
    } else {
      int d = std::max(1, defaultStop);
      at = (at / d + 1) * d;
    }
    from = tab + 1;
  }
}

}  // namespace tavo::controls

namespace tavo::controls {

void PaintMessage(HWND h, WPARAM wp, void (*paint)(HWND, HDC)) {
  if (wp) {
    paint(h, (HDC)wp);
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(h, &ps);
  paint(h, dc);
  EndPaint(h, &ps);
}

}  // namespace tavo::controls
