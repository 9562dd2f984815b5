// The main program's window values that the window framework and the shell read.
#include "PROGVINDUER.h"

HINSTANCE hInst = 0;
HWND hwndHoved = 0;
HWND hwndDesktop = 0;
RECT LayoutRect = {0, 0, 0, 0};
RECT DesktopRect = {0, 0, 0, 0};
RECT FriArealRect = {0, 0, 0, 0};
uint32_t SkaermGendannes = 0;
SystemMetrikRec SystemMetrik = {};

void LaesSystemMetrik() {
  SystemMetrikRec &m = SystemMetrik;
  m.CxFrame = GetSystemMetrics(SM_CXFRAME);
  m.CyFrame = GetSystemMetrics(SM_CYFRAME);
  m.CxBorder = GetSystemMetrics(SM_CXBORDER);
  m.CyBorder = GetSystemMetrics(SM_CYBORDER);
  m.CxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
  m.CyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
  m.CxEdge = GetSystemMetrics(SM_CXEDGE);
  m.CyEdge = GetSystemMetrics(SM_CYEDGE);
  m.CyHScroll = GetSystemMetrics(SM_CYHSCROLL);
  m.CxMin = GetSystemMetrics(SM_CXMIN);
  m.CyMin = GetSystemMetrics(SM_CYMIN);
  m.CxMinimized = GetSystemMetrics(SM_CXMINIMIZED);
  m.CyMinimized = GetSystemMetrics(SM_CYMINIMIZED);
  m.CxScreen = GetSystemMetrics(SM_CXSCREEN);
  m.CyScreen = GetSystemMetrics(SM_CYSCREEN);
  m.CxFullScreen = GetSystemMetrics(SM_CXFULLSCREEN);
  m.CyFullScreen = GetSystemMetrics(SM_CYFULLSCREEN);
  m.CxVScroll = GetSystemMetrics(SM_CXVSCROLL);
  m.CyCaption = GetSystemMetrics(SM_CYCAPTION);
}
