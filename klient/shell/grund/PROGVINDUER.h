#pragma once
// The main program's window values that the window framework and the shell
// read: the instance, the main and desktop windows with their rectangles,
// the screen-restore count and the cache of system metrics. The start-up
// sets them; the main window keeps the rectangles up to date.

#include <cstdint>

#include "windows.h"

extern HINSTANCE hInst;
extern HWND hwndHoved;    // MainWndClass
extern HWND hwndDesktop;  // DesktopWndClass, the child that holds the object windows

// The main client rectangle less one pixel at the left and top and two at
// the right and bottom, less the toolbar (its height + 2) at the top and the
// status row at the bottom.
extern RECT LayoutRect;
// The desktop window's place in the main window's client area, edges
// included (width = right - left + 1).
extern RECT DesktopRect;
// The free middle of the desktop between the desks' sections, in the
// desktop window's client coordinates.
extern RECT FriArealRect;
// Counted up while a saved screen is being restored.
extern uint32_t SkaermGendannes;

// System metrics as the start-up read them, for the window framework.
struct SystemMetrikRec {
  int CxFrame, CyFrame;
  int CxBorder, CyBorder;
  int CxDlgFrame, CyDlgFrame;
  int CxEdge, CyEdge;
  int CyHScroll;
  int CxMin, CyMin;
  int CxMinimized, CyMinimized;
  int CxScreen, CyScreen;
  int CxFullScreen, CyFullScreen;
  int CxVScroll;
  int CyCaption;
};
extern SystemMetrikRec SystemMetrik;
void LaesSystemMetrik();
