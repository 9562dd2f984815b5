#pragma once
// The menu loop and the non-client painter, for the default window procedure.

#include <string>
#include <vector>

#include "win/menu.h"

namespace tavo::user {

// SC_KEYMENU: key 0 opens the menu bar at its first item (F10, Alt), ' ' the
// system menu, a character the bar item with that mnemonic.
void MenuKeyLoop(HWND hwnd, LPARAM key);
// SC_MOUSEMENU: the bar item at the screen point opens.
void MenuMouseLoop(HWND hwnd, POINT screen);

// The frame, caption and menu bar of a top-level window, and the frame and
// caption of a child window that has a caption (a window on a desktop).
void PaintNonClient(HWND hwnd);
// Whether the layer paints a window of this style's non-client area.
inline bool PaintsNonClient(DWORD style) { return !(style & WS_CHILD) || (style & WS_CAPTION) == WS_CAPTION; }
// The window's own WS_VSCROLL/WS_HSCROLL bars; nothing without the controls library.
void PaintScrollBars(HWND hwnd);
bool TrackScrollBar(HWND hwnd, bool vertical, POINT screen);  // false when no one can track it
bool CanDraw();
// The menu bar's items in window coordinates (dc 0: one is taken).
std::vector<RECT> MenuBarRects(HWND hwnd, HDC dc);

// What the painter needs of a menu.
std::vector<std::string> MenuItemTexts(HMENU menu);
std::vector<UINT> MenuItemStates(HMENU menu);
int MenuBarHot(HWND hwnd);

// Pop-up menus drawn in windows of their own.
SIZE MeasurePopup(HMENU menu);
int PopupItemAt(HMENU menu, int width, POINT client);
void PaintPopup(HWND hwnd, HDC dc, HMENU menu, int sel);
struct PopupState {
  HMENU menu;
  int sel;
};
HWND CreatePopupWindow(PopupState *state, int x, int y);  // 0 without the drawing layer

// The dialog font through the drawing layer, when it is linked in.
bool MappedDialogFont(const char *face, int pointSize, HFONT *font, int *baseX, int *baseY);  // the highlighted bar item while the menu loop runs, else -1

}  // namespace tavo::user
