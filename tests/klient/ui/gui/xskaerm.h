#pragma once
// Pixels of the private X server's screen for the window tests under X.
// Include it last: Xlib's macros clash with names of the window headers.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "windows.h"

// The pixel of the root window at (x, y) as 0xRRGGBB; all ones when it
// cannot be read.
inline unsigned long RodPixel(Display *d, int x, int y) {
  XImage *img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0xFFFFFFFF;
  unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
  XDestroyImage(img);
  return p;
}

// A Windows colour as the X screen holds it.
inline unsigned long SomX(COLORREF c) {
  return ((unsigned long)GetRValue(c) << 16) | ((unsigned long)GetGValue(c) << 8) | GetBValue(c);
}
