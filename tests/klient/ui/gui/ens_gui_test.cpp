// A grid window on the frame in a real X window under the private X server:
// it shows, a click on its scroll bar scrolls it, and a screenshot is kept.

#include <chrono>
#include <cstdlib>
#include <thread>

#include "../ens_support.h"
#include "knapper.h"

// Last: Xlib's macros clash with names above.
#include "xskaerm.h"

namespace {

using namespace wfb_test;

void Pump(int ms) {
  auto slut = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  MSG msg;
  while (std::chrono::steady_clock::now() < slut) {
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Window FindXVindue(Display *d, int x, int y, int w) {
  Window root, parent, *boern = nullptr, fundet = 0;
  unsigned n = 0;
  XQueryTree(d, DefaultRootWindow(d), &root, &parent, &boern, &n);
  for (unsigned i = 0; i < n; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(d, boern[i], &a) && a.x == x && a.y == y && a.width == w)
      fundet = boern[i];
  }
  if (boern) XFree(boern);
  return fundet;
}

void Knap(Display *d, Window xw, int type, int x, int y, int ox, int oy) {
  XEvent e{};
  e.xbutton.type = type;
  e.xbutton.display = d;
  e.xbutton.window = xw;
  e.xbutton.root = DefaultRootWindow(d);
  e.xbutton.x = x;
  e.xbutton.y = y;
  e.xbutton.x_root = ox + x;
  e.xbutton.y_root = oy + y;
  e.xbutton.button = Button1;
  e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
  e.xbutton.same_screen = True;
  XSendEvent(d, xw, True, type == ButtonPress ? ButtonPressMask : ButtonReleaseMask, &e);
  XFlush(d);
}

TEST(EnsGui, GridWindowShowsScrollsAndIsPhotographed) {
  const char *server = std::getenv("TAVO_XVFB_DISPLAY");
  if (!server || !*server) GTEST_SKIP() << "no private X server";
  setenv("DISPLAY", server, 1);
  setenv("TAVO_DISPLAY", "x11", 1);

  RegistrerKnapBilleder();
  Registrer("TooltipWndClass", TooltipWndProc);
  Registrer("NyButtonWndClass", NyButtonWndProc);
  Registrer("DummyWndClass", DummyWndProc, CS_OWNDC | CS_DBLCLKS);
  Registrer("WfbGitter", GitterProc, CS_OWNDC | CS_DBLCLKS);
  Registrer("WfbVaert", VaertProc);
  farver_intern::InitPaletteDybde(32);

  const int OX = 30, OY = 40, W = 420, H = 300;
  HWND vaert = CreateWindowExA(0, "WfbVaert", "", WS_POPUP | WS_VISIBLE, OX, OY, W, H, 0, 0, 0, nullptr);
  ASSERT_NE(vaert, 0u);
  std::vector<std::string> navne;
  for (int i = 1; i <= 60; ++i) navne.push_back("Lærer " + std::to_string(i));
  GitterParam p{&navne, true, 2};
  HWND g = CreateWindowExA(0, "WfbGitter", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, W, H,
                           vaert, 0, 0, &p);
  ASSERT_NE(g, 0u);
  auto *gv = reinterpret_cast<GitterVindue *>(GetWindowLongPtrA(g, GWLP_USERDATA));
  gv->ens.CaptionAktiv = 1;
  InvalidateRect(g, nullptr, TRUE);

  Display *d = XOpenDisplay(server);
  ASSERT_NE(d, nullptr);
  const int cy = GetSystemMetrics(SM_CYFRAME) + 3;
  const unsigned long titel = SomX(GetSysColor(COLOR_ACTIVECAPTION));
  unsigned long px = 0;
  for (int i = 0; i < 100 && px != titel; ++i) {
    Pump(20);
    // The frame window's own update region is lost when its X window is
    // mapped (its panes still get theirs), so it is invalidated again once
    // the window is on screen.
    if (i == 5) {
      InvalidateRect(g, nullptr, FALSE);
      UpdateWindow(g);
    }
    px = RodPixel(d, OX + 30, OY + cy);
  }
  EXPECT_EQ(px, titel);

  // A click on the down arrow of the vertical bar scrolls by a line.
  Window xw = FindXVindue(d, OX, OY, W);
  ASSERT_NE(xw, 0u);
  const Ens &e = gv->ens;
  int ax = e.RudeX[ENS_VSCROLL] + 8;
  int ay = e.RudeY[ENS_VSCROLL] + e.RudeH[ENS_VSCROLL] - 6;
  Knap(d, xw, ButtonPress, ax, ay, OX, OY);
  Pump(60);
  Knap(d, xw, ButtonRelease, ax, ay, OX, OY);
  for (int i = 0; i < 50 && gv->ens.ScrollY == 0; ++i) Pump(20);
  EXPECT_GT(uint32_t(gv->ens.ScrollY), 0u);
  Pump(100);

  std::string fil = std::string(TAVO_BINARY_DIR) + "/ens_gui.png";
  EXPECT_TRUE(tavo::test::SaveScreenPng(fil.c_str()));

  XCloseDisplay(d);
  DestroyWindow(vaert);
}

}  // namespace
