// The X11 display under a private X server: a window's surface reaches the
// screen, and X input reaches the window as Windows messages.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "tavo/test_gdi.h"
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

namespace {

std::string g_childLog;

LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  char b[64];
  switch (m) {
    case WM_LBUTTONDOWN:
      std::snprintf(b, sizeof b, "down %d,%d;", (int)(short)LOWORD(l), (int)(short)HIWORD(l));
      g_childLog += b;
      break;
    case WM_KEYDOWN:
      std::snprintf(b, sizeof b, "key %X;", (unsigned)w);
      g_childLog += b;
      break;
    case WM_CHAR:
      std::snprintf(b, sizeof b, "char %X;", (unsigned)w);
      g_childLog += b;
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      RECT r;
      GetClientRect(h, &r);
      HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
      FillRect(dc, &r, blue);
      DeleteObject(blue);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, RGB(255, 255, 255));
      TextOutA(dc, 4, 4, "Barn æøå", 8);
      EndPaint(h, &ps);
      return 0;
    }
  }
  return DefWindowProcA(h, m, w, l);
}

bool Shell(const std::string &cmd) { return std::system(cmd.c_str()) == 0; }

}  // namespace

// A window with a child on the X server, driven as a user drives it: xdotool
// types into it and clicks the child.
TEST(X11Display, WindowWithChildTakesTypedKeysAndClicks) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  if (!Shell("command -v xdotool >/dev/null 2>&1")) GTEST_SKIP() << "no xdotool";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "X11TopTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpfnWndProc = ChildProc;
  wc.hbrBackground = 0;
  wc.lpszClassName = "X11ChildTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND top = CreateWindowExA(0, "X11TopTest", "Xvindue", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 320, 240,
                             0, 0, 0, nullptr);
  ASSERT_NE(top, 0u);
  HWND child = CreateWindowExA(0, "X11ChildTest", "", WS_CHILD | WS_VISIBLE, 20, 20, 160, 100, top, 0, 0, nullptr);
  ASSERT_NE(child, 0u);
  SetFocus(child);

  std::string find = "xdotool search --name '^Xvindue$' >/dev/null 2>&1";
  for (int i = 0; i < 200 && !Shell(find); ++i) Pump(25);
  Pump(300);  // mapped and painted

  // Type "a" into the window, then click the child 30,40 in from its corner.
  ASSERT_TRUE(Shell("xdotool search --name '^Xvindue$' windowactivate --sync key --delay 50 a >/dev/null 2>&1") ||
              Shell("xdotool search --name '^Xvindue$' key --window %1 --delay 50 a >/dev/null 2>&1"));
  for (int i = 0; i < 100 && g_childLog.find("char") == std::string::npos; ++i) Pump(20);
  POINT p{30, 40};
  ClientToScreen(child, &p);
  ASSERT_TRUE(Shell("xdotool mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) +
                    " click 1 >/dev/null 2>&1"));
  for (int i = 0; i < 100 && g_childLog.find("down") == std::string::npos; ++i) Pump(20);

  EXPECT_NE(g_childLog.find("key 41;"), std::string::npos) << g_childLog;
  EXPECT_NE(g_childLog.find("char 61;"), std::string::npos) << g_childLog;
  EXPECT_NE(g_childLog.find("down 30,40;"), std::string::npos) << g_childLog;

  std::string png = std::string(TAVO_BINARY_DIR) + "/x11_window_child.png";
  EXPECT_TRUE(tavo::test::SaveScreenPng(png.c_str()));
  DestroyWindow(top);
}

namespace {

std::string g_mainLog;

LRESULT CALLBACK MainFieldProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  char b[64];
  if (m == WM_KEYDOWN || m == WM_CHAR) {
    std::snprintf(b, sizeof b, "%s %X;", m == WM_KEYDOWN ? "key" : "char", (unsigned)w);
    g_mainLog += b;
  }
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

// The keyboard as a user has it on a bare X server: a wait dialog of a worker
// thread comes up over the main window and goes again, and what is typed then
// (through the server's own keyboard, with the pointer resting on the bare
// desktop beside the window) reaches the main window's focused field.
TEST(X11Display, TypedKeysReachTheMainWindowAfterAWorkersDialogWent) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  if (!Shell("command -v xdotool >/dev/null 2>&1")) GTEST_SKIP() << "no xdotool";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "X11MainTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpfnWndProc = MainFieldProc;
  wc.lpszClassName = "X11FieldTest";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND main = CreateWindowExA(0, "X11MainTest", "Hovedvindue", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                              0, 0, 0, nullptr);
  ASSERT_NE(main, 0u);
  HWND field = CreateWindowExA(0, "X11FieldTest", "", WS_CHILD | WS_VISIBLE, 20, 20, 160, 40, main, 0, 0, nullptr);
  SetFocus(field);
  for (int i = 0; i < 200 && !Shell("xdotool search --name '^Hovedvindue$' >/dev/null 2>&1"); ++i) Pump(25);

  std::atomic<bool> shown{false}, gone{false};
  std::thread worker([&] {
    HWND vent = CreateWindowExA(0, "X11MainTest", "Henter", WS_POPUP | WS_CAPTION | WS_VISIBLE, 500, 400, 200, 80, 0,
                                0, 0, nullptr);
    for (int i = 0; i < 200 && !Shell("xdotool search --name '^Henter$' >/dev/null 2>&1"); ++i) Pump(25);
    shown = true;
    Pump(300);
    DestroyWindow(vent);
    gone = true;
  });
  while (!gone) Pump(20);
  worker.join();
  EXPECT_TRUE(shown);
  Pump(300);

  ASSERT_TRUE(Shell("xdotool mousemove --sync 1200 1000 >/dev/null 2>&1"));
  ASSERT_TRUE(Shell("xdotool key --delay 50 b >/dev/null 2>&1"));
  for (int i = 0; i < 100 && g_mainLog.find("char") == std::string::npos; ++i) Pump(20);
  EXPECT_NE(g_mainLog.find("key 42;"), std::string::npos) << g_mainLog;
  EXPECT_NE(g_mainLog.find("char 62;"), std::string::npos) << g_mainLog;
  DestroyWindow(main);
}
