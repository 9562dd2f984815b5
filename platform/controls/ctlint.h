#pragma once
// What the control classes share: their per-window data, the font, colours
// asked from the parent, and notifications.

#include <string>
#include <vector>

#include "win/controls.h"
#include "win/gdi.h"

namespace tavo::controls {

LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboListProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ScrollBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TrackbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ToolbarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TooltipProc(HWND, UINT, WPARAM, LPARAM);

// The class of the combo box's drop-down list.
#define TAVO_COMBOLBOX "ComboLBox"

// Per-window state lives behind the first pointer of the window's extra bytes.
template <class T>
T *Data(HWND h) {
  return reinterpret_cast<T *>(GetWindowLongPtrA(h, 0));
}
template <class T>
T *Attach(HWND h) {
  T *d = new T();
  SetWindowLongPtrA(h, 0, reinterpret_cast<LONG_PTR>(d));
  return d;
}
template <class T>
void Detach(HWND h) {
  delete Data<T>(h);
  SetWindowLongPtrA(h, 0, 0);
}
// The data of a control for message m: made on WM_NCCREATE and freed on
// WM_NCDESTROY (null then, as before the one and after the other), so the
// procedure hands those two and any message without data to DefWindowProc.
template <class T>
T *ControlData(HWND h, UINT m) {
  if (m == WM_NCCREATE) {
    Attach<T>(h);
    return nullptr;
  }
  if (m == WM_NCDESTROY) {
    Detach<T>(h);
    return nullptr;
  }
  return Data<T>(h);
}

// WM_PAINT: into the DC in wParam when the sender gives one (a parent
// printing its children), else between BeginPaint and EndPaint.
void PaintMessage(HWND h, WPARAM wp, void (*paint)(HWND, HDC));

inline void Inflate(RECT *r, int dx, int dy) {
  r->left -= dx;
  r->top -= dy;
  r->right += dx;
  r->bottom += dy;
}
inline void Offset(RECT *r, int dx, int dy) {
  r->left += dx;
  r->right += dx;
  r->top += dy;
  r->bottom += dy;
}
inline bool Contains(const RECT &r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
inline POINT PointOf(LPARAM lp) { return POINT{(int)(short)LOWORD(lp), (int)(short)HIWORD(lp)}; }
bool IsClass(HWND h, const char *name);

HFONT GuiFont();
// The control's font, or the default GUI font when none was set.
inline HFONT FontOr(HFONT f) { return f ? f : GuiFont(); }
int LineHeight(HFONT font);  // the font's cell height
int TextWidth(HFONT font, const char *text, int n);

// Asks the parent for the background brush with WM_CTLCOLOR*, after setting
// the DC's colours to the defaults, so the parent's SetTextColor wins.
HBRUSH ParentBrush(HWND h, HDC dc, UINT msg);

// WM_COMMAND to the parent with the control's id and the code.
void NotifyParent(HWND h, int code);
// WM_NOTIFY to the parent.
LRESULT NotifyHeader(HWND h, NMHDR *hdr);

std::string TextOf(HWND h);
bool IsFocused(HWND h);

// A plain classic arrow in a rectangle, pointing 0 up, 1 down, 2 left, 3 right.
void DrawArrow(HDC dc, const RECT &r, int dir, bool enabled);
// A raised (or pushed) classic button frame filled with the face colour.
void DrawButtonFrame(HDC dc, RECT r, bool pushed);

// Case-insensitive Windows-1252 comparison as list boxes sort.
int CompareNoCase(const std::string &a, const std::string &b);
bool PrefixNoCase(const std::string &s, const char *prefix);

// The items of a list box or combo box.
struct Item {
  std::string text;
  ULONG_PTR data = 0;
  bool sel = false;
};
// Where a text goes in a sorted list: after the items that compare equal.
size_t SortedPosition(const std::vector<Item> &items, const std::string &text);
// The first item after `start` (-1: from the top), wrapping, whose text
// begins with (or, exact, equals) s without regard to case; -1 when none.
int FindItem(const std::vector<Item> &items, int start, const char *s, bool exact);
// Dialog base units of a font, for tab stops given in dialog units.
int DialogBaseX(HFONT font);
// Draws a line of text with its tabs expanded to the stops (pixels from x).
void DrawTabbed(HDC dc, int x, int y, const std::string &text, const std::vector<int> &stops, int defaultStop);

}  // namespace tavo::controls
