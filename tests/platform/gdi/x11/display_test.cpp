// The X11 display under a private X server: a window's surface reaches the
// screen, and X input reaches the window as Windows messages.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "win/gdi.h"
#include "win/user.h"

// Last: Xlib's macros (None, Bool, Status) clash with names above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace {

std::string g_log;

LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
  char b[64];
  if (m == WM_LBUTTONDOWN) {
    std::snprintf(b, sizeof b, "down %d,%d;", (int)(short)LOWORD(l), (int)(short)HIWORD(l));
    g_log += b;
  }
  if (m == WM_KEYDOWN) {
    std::snprintf(b, sizeof b, "key %X;", (unsigned)w);
    g_log += b;
  }
  return DefWindowProcA(h, m, w, l);
}

void Pump(int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (std::chrono::steady_clock::now() < end) {
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

unsigned long RootPixel(Display *d, int x, int y) {
  XImage *img = XGetImage(d, DefaultRootWindow(d), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!img) return 0xFFFFFFFF;
  unsigned long p = XGetPixel(img, 0, 0) & 0xFFFFFF;
  XDestroyImage(img);
  return p;
}

TEST(X11Display, ShowsSurfacesAndDeliversInput) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.lpszClassName = "X11DisplayTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND w = CreateWindowExA(0, "X11DisplayTest", "", WS_POPUP | WS_VISIBLE, 40, 50, 120, 80, 0, 0,
                           0, nullptr);
  ASSERT_NE(w, 0u);
  HDC dc = GetDC(w);
  RECT all{0, 0, 120, 80}, sq{10, 10, 20, 20};
  FillRect(dc, &all, (HBRUSH)GetStockObject(BLACK_BRUSH));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &sq, red);
  ReleaseDC(w, dc);

  Display *d = XOpenDisplay(server);
  ASSERT_NE(d, nullptr);
  unsigned long p = 0;
  for (int i = 0; i < 100 && p != 0xFF0000; ++i) {
    Pump(20);
    p = RootPixel(d, 40 + 15, 50 + 15);
  }
  EXPECT_EQ(p, 0xFF0000u);
  EXPECT_EQ(RootPixel(d, 40 + 60, 50 + 60), 0u);

  // A click and a key sent to the window's X window.
  Window xw = 0;
  {
    Window root, parent, *kids = nullptr;
    unsigned n = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &kids, &n);
    for (unsigned i = 0; i < n; ++i) {
      XWindowAttributes a;
      if (XGetWindowAttributes(d, kids[i], &a) && a.x == 40 && a.y == 50 && a.width == 120)
        xw = kids[i];
    }
    if (kids) XFree(kids);
  }
  ASSERT_NE(xw, 0u);
  XEvent e{};
  e.xbutton.type = ButtonPress;
  e.xbutton.display = d;
  e.xbutton.window = xw;
  e.xbutton.root = DefaultRootWindow(d);
  e.xbutton.x = 25;
  e.xbutton.y = 30;
  e.xbutton.x_root = 40 + 25;
  e.xbutton.y_root = 50 + 30;
  e.xbutton.button = Button1;
  e.xbutton.same_screen = True;
  XSendEvent(d, xw, True, ButtonPressMask, &e);
  XEvent k{};
  k.xkey.type = KeyPress;
  k.xkey.display = d;
  k.xkey.window = xw;
  k.xkey.root = DefaultRootWindow(d);
  k.xkey.keycode = XKeysymToKeycode(d, XK_a);
  k.xkey.same_screen = True;
  XSendEvent(d, xw, True, KeyPressMask, &k);
  XFlush(d);
  for (int i = 0; i < 100 && g_log.find("key") == std::string::npos; ++i) Pump(20);
  EXPECT_NE(g_log.find("down 25,30;"), std::string::npos) << g_log;
  EXPECT_NE(g_log.find("key 41;"), std::string::npos) << g_log;

  XCloseDisplay(d);
  DestroyWindow(w);
  DeleteObject(red);
}

}  // namespace
