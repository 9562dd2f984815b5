// Window life: the order of the messages around creating, showing, sizing,
// activating and destroying, and what bad use gets back.

#include <cstring>
#include <string>

#include "user_support.h"

using namespace usertest;
using tavo::test::MessagesOf;
using tavo::test::StartMessageLog;
using tavo::test::StopMessageLog;
using V = std::vector<std::string>;

namespace {

const std::vector<UINT> kLife = {
    WM_GETMINMAXINFO, WM_NCCREATE,   WM_NCCALCSIZE, WM_CREATE,        WM_SHOWWINDOW,       WM_WINDOWPOSCHANGING,
    WM_ACTIVATEAPP,   WM_NCACTIVATE, WM_ACTIVATE,   WM_SETFOCUS,      WM_KILLFOCUS,        WM_WINDOWPOSCHANGED,
    WM_SIZE,          WM_MOVE,       WM_DESTROY,    WM_NCDESTROY,     WM_PARENTNOTIFY,     WM_ENABLE,
};

}  // namespace

TEST_F(UserTest, MessageOrderOfWindowLife) {
  struct Case {
    const char *name;
    std::function<HWND(UserTest *, HWND *)> act;  // returns the window whose messages are checked
    V expected;
  };
  const Case cases[] = {
      {"visible top-level window",
       [](UserTest *t, HWND *) {
         return CreateWindowExA(0, "TestWnd", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, 0, 0, 0, 0);
       },
       {"WM_GETMINMAXINFO", "WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING",
        "WM_ACTIVATEAPP", "WM_NCACTIVATE", "WM_ACTIVATE", "WM_SETFOCUS", "WM_WINDOWPOSCHANGED", "WM_SIZE",
        "WM_MOVE"}},
      {"hidden top-level window then ShowWindow",
       [](UserTest *t, HWND *) {
         HWND h = CreateWindowExA(0, "TestWnd", "A", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, 0, 0, 0, 0);
         ShowWindow(h, SW_SHOWNORMAL);
         return h;
       },
       {"WM_GETMINMAXINFO", "WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING",
        "WM_ACTIVATEAPP", "WM_NCACTIVATE", "WM_ACTIVATE", "WM_SETFOCUS", "WM_WINDOWPOSCHANGED", "WM_SIZE",
        "WM_MOVE"}},
      {"top-level window placed before it is shown",
       [](UserTest *t, HWND *) {
         HWND h = CreateWindowExA(0, "TestWnd", "A", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, 0);
         MoveWindow(h, 10, 10, 300, 200, FALSE);
         ShowWindow(h, SW_SHOWNA);
         return h;
       },
       {"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_WINDOWPOSCHANGING", "WM_NCCALCSIZE",
        "WM_WINDOWPOSCHANGED", "WM_MOVE", "WM_SIZE", "WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING",
        "WM_WINDOWPOSCHANGED"}},
      {"visible child window",
       [](UserTest *t, HWND *) {
         HWND p = CreateWindowExA(0, "TestWnd", "P", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, 0, 0);
         return CreateWindowExA(0, "TestWnd", "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, p, (HMENU)7, 0, 0);
       },
       {"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_SIZE", "WM_MOVE", "WM_SHOWWINDOW", "WM_WINDOWPOSCHANGING",
        "WM_WINDOWPOSCHANGED"}},
      {"parent of a new child",
       [](UserTest *t, HWND *) {
         HWND p = CreateWindowExA(0, "TestWnd", "P", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, 0, 0, 0, 0);
         StartMessageLog();
         CreateWindowExA(0, "TestWnd", "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 40, p, (HMENU)7, 0, 0);
         return p;
       },
       {"WM_PARENTNOTIFY"}},
      {"resize of a shown window",
       [](UserTest *t, HWND *) {
         HWND h = CreateWindowExA(0, "TestWnd", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, 0, 0, 0, 0);
         StartMessageLog();
         MoveWindow(h, 20, 30, 320, 240, TRUE);
         return h;
       },
       {"WM_WINDOWPOSCHANGING", "WM_GETMINMAXINFO", "WM_NCCALCSIZE", "WM_WINDOWPOSCHANGED", "WM_MOVE", "WM_SIZE"}},
      {"destroying the active window",
       [](UserTest *t, HWND *) {
         HWND h = CreateWindowExA(0, "TestWnd", "A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, 0, 0, 0, 0);
         StartMessageLog();
         DestroyWindow(h);
         return h;
       },
       {"WM_WINDOWPOSCHANGING", "WM_WINDOWPOSCHANGED", "WM_NCACTIVATE", "WM_ACTIVATE", "WM_ACTIVATEAPP",
        "WM_KILLFOCUS", "WM_DESTROY", "WM_NCDESTROY"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    tavo::test::ResetUser();
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = TestProc;
    wc.lpszClassName = "TestWnd";
    RegisterClassA(&wc);
    StartMessageLog();
    HWND h = c.act(this, nullptr);
    auto log = StopMessageLog();
    EXPECT_EQ(Names(MessagesOf(log, h, kLife)), c.expected);
  }
}

TEST_F(UserTest, DestroyReachesChildrenParentFirstAndNcDestroyChildrenFirst) {
  HWND p = Top();
  HWND c = Child(p, 1, 0, 0, 50, 50);
  HWND gc = Child(c, 2, 0, 0, 10, 10);
  std::vector<std::pair<HWND, UINT>> seen;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_DESTROY || m == WM_NCDESTROY) seen.push_back({h, m});
    return false;
  };
  ASSERT_TRUE(DestroyWindow(p));
  std::vector<std::pair<HWND, UINT>> want = {{p, WM_DESTROY},    {c, WM_DESTROY},    {gc, WM_DESTROY},
                                             {gc, WM_NCDESTROY}, {c, WM_NCDESTROY}, {p, WM_NCDESTROY}};
  EXPECT_EQ(seen, want);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_FALSE(IsWindow(gc));
}

TEST_F(UserTest, OwnedWindowsGoBeforeTheirOwner) {
  HWND owner = Top();
  HWND owned = CreateWindowExA(0, "TestWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, owner, 0, 0, 0);
  ASSERT_EQ(GetWindow(owned, GW_OWNER), owner);
  std::vector<HWND> order;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_DESTROY) order.push_back(h);
    return false;
  };
  DestroyWindow(owner);
  EXPECT_EQ(order, (std::vector<HWND>{owned, owner}));
}

TEST_F(UserTest, CreationParameterAndIdReachTheWindow) {
  int workspace = 5;
  void *seenCreate = nullptr, *seenNc = nullptr;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT *) {
    if (m == WM_NCCREATE) seenNc = ((CREATESTRUCTA *)l)->lpCreateParams;
    if (m == WM_CREATE) {
      seenCreate = ((CREATESTRUCTA *)l)->lpCreateParams;
      SetWindowLongPtrA(h, GWLP_USERDATA, (LONG_PTR)seenCreate);
    }
    return false;
  };
  HWND p = Top();
  HWND c = CreateWindowExA(0, "testwnd", "", WS_CHILD, 0, 0, 0, 0, p, (HMENU)40123, 0, &workspace);
  ASSERT_NE(c, 0u);
  EXPECT_EQ(seenNc, &workspace);
  EXPECT_EQ(seenCreate, &workspace);
  EXPECT_EQ(GetWindowLongA(c, GWL_ID), 40123);
  EXPECT_EQ((int *)GetWindowLongPtrA(c, GWLP_USERDATA), &workspace);
  EXPECT_EQ(GetParent(c), p);
  EXPECT_TRUE(IsChild(p, c));
}

TEST_F(UserTest, FailedCreationLeavesNoWindow) {
  struct Case {
    const char *name;
    UINT failOn;
    LRESULT answer;
    V expected;
  };
  const Case cases[] = {
      {"WM_NCCREATE FALSE", WM_NCCREATE, FALSE, {"WM_NCCREATE", "WM_NCDESTROY"}},
      {"WM_CREATE -1", WM_CREATE, -1, {"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "WM_DESTROY", "WM_NCDESTROY"}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    HWND seen = 0;
    g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *r) {
      seen = h;
      if (m == c.failOn) {
        *r = c.answer;
        return true;
      }
      return false;
    };
    StartMessageLog();
    HWND h = CreateWindowExA(0, "TestWnd", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, 0, 0, 0, 0);
    auto log = StopMessageLog();
    EXPECT_EQ(h, 0u);
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(Names(MessagesOf(log, seen, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY})),
              c.expected);
  }
}

TEST_F(UserTest, DestroyInsideOwnCreateAndDestroyingTheParentFromAChild) {
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *r) {
    if (m == WM_CREATE && GetWindowLongA(h, GWL_ID) == 9) {
      EXPECT_TRUE(DestroyWindow(h));
      *r = 0;
      return true;
    }
    return false;
  };
  HWND p = Top();
  EXPECT_EQ(Child(p, 9, 0, 0, 10, 10), 0u);
  EXPECT_TRUE(IsWindow(p));

  HWND c = Child(p, 3, 0, 0, 10, 10);
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *r) {
    if (m == WM_USER && h == c) {
      *r = DestroyWindow(GetParent(h));
      return true;
    }
    if (m == WM_DESTROY && h == c) {
      EXPECT_FALSE(DestroyWindow(p));  // already on its way
    }
    return false;
  };
  EXPECT_EQ(SendMessageA(c, WM_USER, 0, 0), TRUE);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_FALSE(IsWindow(c));
}

TEST_F(UserTest, DestroyedWindowsAnswerCleanly) {
  HWND h = Top();
  DestroyWindow(h);
  char buf[8] = "xxxxxxx";
  RECT r{1, 2, 3, 4};
  SetLastError(0);
  EXPECT_EQ(SendMessageA(h, WM_USER, 1, 2), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(PostMessageA(h, WM_USER, 0, 0));
  EXPECT_FALSE(DestroyWindow(h));
  EXPECT_EQ(GetWindowTextA(h, buf, sizeof buf), 0);
  EXPECT_EQ(buf[0], 0);
  EXPECT_FALSE(GetClientRect(h, &r));
  EXPECT_FALSE(SetWindowPos(h, 0, 0, 0, 5, 5, 0));
  EXPECT_EQ(SetFocus(h), 0u);
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE), 0);
  MSG m;
  EXPECT_EQ(GetMessageA(&m, h, 0, 0), -1);
  EXPECT_FALSE(PeekMessageA(&m, h, 0, 0, PM_REMOVE));
}

TEST_F(UserTest, PostedWmDestroyOnlyRunsTheProcedure) {
  HWND h = Top();
  int destroys = 0;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_DESTROY) ++destroys;
    return false;
  };
  PostMessageA(h, WM_DESTROY, 0, 0);
  SendMessageA(h, WM_DESTROY, 0, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(destroys, 2);
  EXPECT_TRUE(IsWindow(h));
}

TEST_F(UserTest, WindowTextIsCopiedWithinTheBuffer) {
  HWND h = Top();
  std::string huge(3 * 1024 * 1024, 'x');
  huge.back() = 'y';
  ASSERT_TRUE(SetWindowTextA(h, huge.c_str()));
  EXPECT_EQ(GetWindowTextLengthA(h), (int)huge.size());
  char small[5];
  std::memset(small, '#', sizeof small);
  EXPECT_EQ(GetWindowTextA(h, small, sizeof small), 4);
  EXPECT_STREQ(small, "xxxx");
  char one[1] = {'#'};
  EXPECT_EQ(GetWindowTextA(h, one, 1), 0);
  EXPECT_EQ(one[0], 0);
  SetWindowTextA(h, "Skema \xE6\xF8\xE5");
  char buf[64];
  EXPECT_EQ(GetWindowTextA(h, buf, sizeof buf), 9);
  EXPECT_STREQ(buf, "Skema \xE6\xF8\xE5");
}

TEST_F(UserTest, ClassesMatchWithoutRegardToCaseAndHoldTheirValues) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TestProc;
  wc.lpszClassName = "EditBoxIntWndClass";
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.style = CS_OWNDC | CS_HREDRAW;
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpszClassName = "EDITBOXINTWNDCLASS";
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_CLASS_ALREADY_EXISTS);
  HWND h = CreateWindowExA(0, "EditboxIntWndClass", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
  ASSERT_NE(h, 0u);
  char name[64];
  GetClassNameA(h, name, sizeof name);
  EXPECT_STREQ(name, "EditBoxIntWndClass");
  EXPECT_EQ(GetClassLongA(h, GCL_STYLE), (DWORD)(CS_OWNDC | CS_HREDRAW));
  EXPECT_EQ(GetClassLongPtrA(h, GCLP_HBRBACKGROUND), (ULONG_PTR)(COLOR_BTNFACE + 1));
  // A new class cursor shows in every window of the class.
  HWND h2 = CreateWindowExA(0, "EditBoxIntWndClass", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
  SetClassLongA(h, GCL_HCURSOR, 0x1234);
  EXPECT_EQ(GetClassLongPtrA(h2, GCLP_HCURSOR), 0x1234u);
  EXPECT_FALSE(UnregisterClassA("editboxintwndclass", 0));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_CLASS_HAS_WINDOWS);
  DestroyWindow(h);
  DestroyWindow(h2);
  EXPECT_TRUE(UnregisterClassA("editboxintwndclass", 0));
  EXPECT_EQ(CreateWindowExA(0, "EditBoxIntWndClass", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, 0), 0u);
}

TEST_F(UserTest, WindowSlotsAndExtraBytes) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TestProc;
  wc.lpszClassName = "Extra";
  wc.cbWndExtra = DLGWINDOWEXTRA;
  RegisterClassA(&wc);
  HWND h = CreateWindowExA(0, "Extra", "", WS_POPUP, 0, 0, 1, 1, 0, 0, 0, 0);
  int x = 0;
  SetWindowLongPtrA(h, DWLP_USER, (LONG_PTR)&x);
  SetWindowLongPtrA(h, DWLP_MSGRESULT, -7);
  EXPECT_EQ((int *)GetWindowLongPtrA(h, DWLP_USER), &x);
  EXPECT_EQ(GetWindowLongPtrA(h, DWLP_MSGRESULT), -7);
  EXPECT_EQ(GetWindowLongPtrA(h, DLGWINDOWEXTRA - 4), 0);  // would read past the end
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_INDEX);
  // Subclassing through GWLP_WNDPROC, handing on with CallWindowProc.
  static WNDPROC old;
  static int subclassed;
  subclassed = 0;
  old = (WNDPROC)SetWindowLongPtrA(h, GWLP_WNDPROC, (LONG_PTR)+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_USER + 1) ++subclassed;
    return CallWindowProcA(old, h, m, w, l);
  });
  EXPECT_EQ(old, TestProc);
  SendMessageA(h, WM_USER + 1, 0, 0);
  EXPECT_EQ(subclassed, 1);
  // Large message numbers and negative ids pass unchanged.
  UINT seenMsg = 0;
  WPARAM seenW = 0;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *r) {
    if (m == 100000) {
      seenMsg = m;
      seenW = w;
      *r = -3;
      return true;
    }
    return false;
  };
  EXPECT_EQ(SendMessageA(h, 100000, (WPARAM)(INT_PTR)-3, 0), -3);
  EXPECT_EQ(seenMsg, 100000u);
  EXPECT_EQ((int)(INT_PTR)seenW, -3);
}
