#pragma once
// The desktop window for now: the child of the main window that will hold
// the object windows, placed between the toolbar and the frame. The full
// desktop of the shell takes its place whole.

#include "windows.h"

// Message to the desktop: lay out again (recompute the area, move there).
constexpr UINT WM_DESKTOP_LAYOUT = 1034;

LRESULT CALLBACK DesktopWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// LayoutRect, DesktopRect and FriArealRect from the main window's client
// area, less the toolbar while it is shown.
void BeregnSkrivebord();
// Moves the desktop window onto DesktopRect.
void PlacerDesktop();
