// Frames and client areas, coordinates, z-order, show states, metrics and
// the clipboard.

#include <cstring>
#include <thread>

#include "user_support.h"
#include "userint.h"

using namespace usertest;
using tavo::test::PumpUntilIdle;

TEST_F(UserTest, FramesFollowTheStyle) {
  struct Case {
    const char *name;
    DWORD style, ex;
    BOOL menu;
    RECT nc;  // what AdjustWindowRectEx adds on each side
  };
  const Case cases[] = {
      {"overlapped window", WS_OVERLAPPEDWINDOW, 0, FALSE, {4, 23, 4, 4}},
      {"with menu", WS_OVERLAPPEDWINDOW, 0, TRUE, {4, 42, 4, 4}},
      {"dialog frame and caption", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, FALSE, {3, 22, 3, 3}},
      {"thick frame without caption", WS_POPUP | WS_THICKFRAME, 0, FALSE, {4, 4, 4, 4}},
      {"border", WS_CHILD | WS_BORDER, 0, FALSE, {1, 1, 1, 1}},
      {"client edge", WS_CHILD, WS_EX_CLIENTEDGE, FALSE, {2, 2, 2, 2}},
      {"plain child", WS_CHILD, 0, FALSE, {0, 0, 0, 0}},
      {"tool window caption", WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, FALSE, {3, 18, 3, 3}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    RECT r{100, 100, 200, 200};
    AdjustWindowRectEx(&r, c.style, c.menu, c.ex);
    EXPECT_EQ(100 - r.left, c.nc.left);
    EXPECT_EQ(100 - r.top, c.nc.top);
    EXPECT_EQ(r.right - 200, c.nc.right);
    EXPECT_EQ(r.bottom - 200, c.nc.bottom);
  }
  // Scroll bars come off the client area.
  HWND h = Top(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, 0, 0, 400, 300);
  RECT cr;
  GetClientRect(h, &cr);
  EXPECT_EQ(cr.right, 400 - 8 - 16);
  EXPECT_EQ(cr.bottom, 300 - 27 - 16);
  // WM_NCCALCSIZE lets the window choose its own client area.
  g_handler = [](HWND, UINT m, WPARAM w, LPARAM l, LRESULT *r) {
    if (m != WM_NCCALCSIZE) return false;
    RECT *rc = w ? &((NCCALCSIZE_PARAMS *)l)->rgrc[0] : (RECT *)l;
    rc->top += 10;
    *r = 0;
    return true;
  };
  HWND own = Top(WS_POPUP, 0, 0, 100, 100);
  GetClientRect(own, &cr);
  EXPECT_EQ(cr.bottom, 90);
  SetWindowPos(own, 0, 0, 0, 100, 60, SWP_NOMOVE | SWP_NOZORDER);
  GetClientRect(own, &cr);
  EXPECT_EQ(cr.bottom, 50);
}

TEST_F(UserTest, CoordinatesMapThroughNestedWindows) {
  HWND top = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 50, 500, 400);
  HWND c = Child(top, 1, 10, 20, 200, 200, WS_CHILD | WS_VISIBLE | WS_BORDER);
  HWND gc = Child(c, 2, 5, 6, 50, 50);
  POINT p{0, 0};
  ClientToScreen(gc, &p);
  EXPECT_EQ(p.x, 100 + 4 + 10 + 1 + 5);
  EXPECT_EQ(p.y, 50 + 23 + 20 + 1 + 6);
  ScreenToClient(top, &p);
  EXPECT_EQ(p.x, 16);
  EXPECT_EQ(p.y, 27);
  POINT q{0, 0};
  MapWindowPoints(gc, top, &q, 1);
  EXPECT_EQ(q.x, 16);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_EQ(wr.left, 114);
  EXPECT_EQ(wr.right, 314);
  POINT s{p.x + 100 + 4 + 1, p.y + 50 + 23 + 1};
  EXPECT_EQ(WindowFromPoint(s), gc);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{12, 22}), c);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{400, 300}), top);
  EXPECT_EQ(ChildWindowFromPoint(top, POINT{-5, 3}), 0u);
  EXPECT_EQ(GetAncestor(gc, GA_ROOT), top);
  EXPECT_EQ(GetAncestor(top, GA_PARENT), GetDesktopWindow());
  RECT ts;
  ASSERT_TRUE(tavo::user::ClientRectOnScreen(gc, &ts));
  EXPECT_EQ(ts.left, 120);
}

TEST_F(UserTest, ZOrderKeepsTopmostWindowsAbove) {
  HWND a = Top(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND tip = Top(WS_POPUP | WS_VISIBLE | WS_DISABLED, 0, 0, 50, 50, WS_EX_TOPMOST);
  HWND b = Top(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  EXPECT_EQ(GetTopWindow(0), tip);
  EXPECT_EQ(GetWindow(tip, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  BringWindowToTop(a);
  EXPECT_EQ(GetWindow(tip, GW_HWNDNEXT), a);
  SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(tip, GW_HWNDLAST), a);
  HWND p = Top();
  // Children join at the bottom: the sibling list runs in creation order.
  HWND c1 = Child(p, 1, 0, 0, 10, 10), c2 = Child(p, 2, 0, 0, 10, 10), c3 = Child(p, 3, 0, 0, 10, 10);
  EXPECT_EQ(GetWindow(p, GW_CHILD), c1);
  EXPECT_EQ(GetWindow(c1, GW_HWNDNEXT), c2);
  EXPECT_EQ(GetWindow(c2, GW_HWNDNEXT), c3);
  EXPECT_EQ(GetWindow(c3, GW_HWNDNEXT), (HWND)0);
  EXPECT_EQ(GetWindow(c2, GW_HWNDPREV), c1);
  std::vector<HWND> seen;
  EnumChildWindows(p, [](HWND h, LPARAM l) -> BOOL { ((std::vector<HWND> *)l)->push_back(h); return TRUE; },
                   (LPARAM)&seen);
  EXPECT_EQ(seen, (std::vector<HWND>{c1, c2, c3}));
  BringWindowToTop(c3);
  EXPECT_EQ(GetWindow(p, GW_CHILD), c3);
  EXPECT_EQ(GetWindow(c3, GW_HWNDNEXT), c1);
  // A later top-level window still comes up on top.
  HWND q = Top();
  EXPECT_EQ(GetWindow(p, GW_HWNDPREV), q);
}

TEST_F(UserTest, ShowStatesSizeTheWindow) {
  HWND h = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  PumpUntilIdle();
  std::vector<WPARAM> sizes;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_SIZE) sizes.push_back(w);
    return false;
  };
  ShowWindow(h, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(h));
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.left, -4);
  EXPECT_EQ(wr.right - wr.left, 1280 + 8);
  ShowWindow(h, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(h));
  EXPECT_FALSE(IsZoomed(h));
  RECT cr;
  GetClientRect(h, &cr);
  EXPECT_EQ(cr.right, 0);
  ShowWindow(h, SW_RESTORE);
  EXPECT_FALSE(IsIconic(h));
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.left, 100);
  EXPECT_EQ(wr.bottom, 400);
  EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MAXIMIZED, SIZE_MINIMIZED, SIZE_RESTORED}));
  EXPECT_TRUE(ShowWindow(h, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(h));
  EXPECT_FALSE(ShowWindow(h, SW_HIDE));
}

TEST_F(UserTest, HidingTheActiveWindowActivatesAnother) {
  HWND a = Top();
  HWND b = Top();
  EXPECT_EQ(GetActiveWindow(), b);
  EXPECT_EQ(GetForegroundWindow(), b);
  ShowWindow(b, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  DestroyWindow(a);
  EXPECT_EQ(GetActiveWindow(), 0u);
  EXPECT_EQ(GetFocus(), 0u);
}

TEST_F(UserTest, MetricsAndColoursOfAClassicDesktop) {
  struct Case {
    int index, value;
  };
  const Case metrics[] = {{SM_CXSCREEN, 1280}, {SM_CYSCREEN, 1024}, {SM_CXFRAME, 4}, {SM_CYFRAME, 4},
                          {SM_CYCAPTION, 19},  {SM_CXVSCROLL, 16}, {SM_CYHSCROLL, 16}, {SM_CYMENU, 19},
                          {SM_CXBORDER, 1},    {SM_CXDLGFRAME, 3}, {SM_CXICON, 32},    {SM_CXSMICON, 16},
                          {SM_CXDOUBLECLK, 4}, {SM_CXEDGE, 2}};
  for (auto &c : metrics) EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_NE(GetSysColorBrush(COLOR_BTNFACE), 0u);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_NE(GetSysColorBrush(COLOR_BTNFACE), GetSysColorBrush(COLOR_WINDOW));
  RECT wa;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0));
  EXPECT_EQ(wa.right, 1280);
  EXPECT_LT(wa.bottom, 1024);
  tavo::user::SetScreenSize(800, 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  GetWindowRect(GetDesktopWindow(), &wa);
  EXPECT_EQ(wa.bottom, 600);
}

TEST_F(UserTest, ClipboardHoldsTextForTheProcess) {
  const char text[] = "Hold 1a \xE6\xF8\xE5";
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, sizeof text);
  ASSERT_NE(mem, 0u);
  EXPECT_EQ(GlobalSize(mem), sizeof text);
  char *p = (char *)GlobalLock(mem);
  EXPECT_EQ(p[sizeof text - 1], 0);
  std::memcpy(p, text, sizeof text);
  GlobalUnlock(mem);
  HWND h = Top();
  EXPECT_EQ(SetClipboardData(CF_TEXT, mem), 0u);  // not open
  ASSERT_TRUE(OpenClipboard(h));
  std::thread other([] { EXPECT_FALSE(OpenClipboard(0)); });
  other.join();
  EmptyClipboard();
  EXPECT_EQ(SetClipboardData(CF_TEXT, mem), mem);
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
  std::string got;
  std::thread reader([&] {
    ASSERT_TRUE(OpenClipboard(0));
    HGLOBAL d = GetClipboardData(CF_TEXT);
    got = (const char *)GlobalLock(d);
    GlobalUnlock(d);
    CloseClipboard();
  });
  reader.join();
  EXPECT_EQ(got, text);
  EXPECT_EQ(GlobalFree(0x12345678u), 0x12345678u);  // not a block: handed back
  EXPECT_EQ(GlobalLock(0x12345678u), nullptr);
}

TEST_F(UserTest, BeepsAreCounted) {
  MessageBeep(0);
  Beep(440, 10);
  EXPECT_EQ(tavo::test::BeepCount(), 2);
}

TEST_F(UserTest, HooksSeeTheWindowsLife) {
  static std::vector<std::pair<HWND, tavo::user::WindowEvent>> events;
  events.clear();
  int id = tavo::user::AddWindowHook([](HWND h, tavo::user::WindowEvent e, void *) { events.push_back({h, e}); },
                                     nullptr);
  HWND h = Top(WS_POPUP, 0, 0, 10, 10);
  int slot = 7;
  tavo::user::SetSlot(h, tavo::user::SlotDC, &slot);
  ShowWindow(h, SW_SHOW);
  MoveWindow(h, 5, 5, 20, 20, TRUE);
  void *atDestroy = nullptr;
  tavo::user::RemoveWindowHook(id);
  id = tavo::user::AddWindowHook(
      [](HWND h, tavo::user::WindowEvent e, void *ctx) {
        if (e == tavo::user::WindowEvent::Destroyed) *(void **)ctx = tavo::user::GetSlot(h, tavo::user::SlotDC);
      },
      &atDestroy);
  DestroyWindow(h);
  tavo::user::RemoveWindowHook(id);
  using E = tavo::user::WindowEvent;
  std::vector<std::pair<HWND, E>> want = {{h, E::Created}, {h, E::Shown}, {h, E::Moved}, {h, E::Sized}};
  EXPECT_EQ(events, want);
  EXPECT_EQ(atDestroy, &slot);
  std::vector<RECT> rects;
  bool erase;
  EXPECT_FALSE(tavo::user::TakeUpdateRegion(h, &rects, &erase));
}

TEST_F(UserTest, OwnedPopupsStayAboveTheirOwner) {
  HWND owner = Top();
  HWND box = CreateWindowExA(0, "TestWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, owner, 0, 0, 0);
  HWND other = Top();
  EXPECT_EQ(GetTopWindow(0), other);
  SetActiveWindow(owner);
  EXPECT_EQ(GetTopWindow(0), box);
  EXPECT_EQ(GetWindow(box, GW_HWNDNEXT), owner);
  EXPECT_EQ(GetWindow(owner, GW_HWNDNEXT), other);
}

TEST_F(UserTest, OwnedPopupsHideWithAMinimisedOwner) {
  HWND owner = Top();
  HWND shown = CreateWindowExA(0, "TestWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 20, owner, 0, 0, 0);
  HWND hidden = CreateWindowExA(0, "TestWnd", "", WS_POPUP, 0, 0, 50, 20, owner, 0, 0, 0);
  ShowWindow(owner, SW_MINIMIZE);
  EXPECT_FALSE(IsWindowVisible(shown));
  ShowWindow(owner, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(shown));
  EXPECT_FALSE(IsWindowVisible(hidden));  // only what the minimise hid comes back
}
