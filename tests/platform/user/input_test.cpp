// Keyboard, mouse, focus, capture, tracking and the move/size loop.

#include <atomic>
#include <cstring>
#include <thread>

#include "user_support.h"

using namespace usertest;
using tavo::test::ModAlt;
using tavo::test::ModCtrl;
using tavo::test::ModShift;
using tavo::test::PumpUntilIdle;

namespace {

struct Seen {
  UINT msg;
  WPARAM w;
  LPARAM l;
};

// Records what the window gets, except the messages of the machinery around input.
Handler Recorder(std::vector<Seen> &out, HWND only = 0) {
  return [&out, only](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *) {
    if ((!only || h == only) && (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR || m == WM_SYSKEYDOWN ||
                                 m == WM_SYSKEYUP || m == WM_SYSCHAR || m == WM_SYSCOMMAND ||
                                 (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || m == WM_MOUSEHOVER ||
                                 m == WM_MOUSELEAVE || m == WM_NCLBUTTONDOWN || m == WM_NCLBUTTONDBLCLK))
      out.push_back({m, w, l});
    return false;
  };
}

std::vector<Seen> Only(const std::vector<Seen> &v, UINT msg) {
  std::vector<Seen> r;
  for (auto &s : v)
    if (s.msg == msg) r.push_back(s);
  return r;
}

}  // namespace

TEST_F(UserTest, KeysBecomeDanishCharacters) {
  struct Case {
    UINT vk;
    int mods;
    UINT msg;  // 0: no character
    BYTE ch;
  };
  const Case cases[] = {
      {'A', 0, WM_CHAR, 'a'},
      {'A', ModShift, WM_CHAR, 'A'},
      {VK_OEM_3, 0, WM_CHAR, 0xE6},          // æ
      {VK_OEM_7, ModShift, WM_CHAR, 0xD8},   // Ø
      {VK_OEM_6, 0, WM_CHAR, 0xE5},          // å
      {VK_OEM_5, 0, WM_CHAR, 0xBD},          // ½
      {'2', ModCtrl | ModAlt, WM_CHAR, '@'},  // AltGr
      {'E', ModCtrl | ModAlt, WM_CHAR, 0x80},
      {VK_OEM_102, ModCtrl | ModAlt, WM_CHAR, '\\'},
      {'C', ModCtrl, WM_CHAR, 3},
      {VK_OEM_MINUS, ModShift, WM_CHAR, '_'},
      {VK_OEM_PLUS, ModShift, WM_CHAR, '?'},
      {VK_DECIMAL, 0, WM_CHAR, ','},
      {VK_RETURN, 0, WM_CHAR, '\r'},
      {'F', ModAlt, WM_SYSCHAR, 'f'},
      {VK_F5, 0, 0, 0},
      {VK_LEFT, 0, 0, 0},
  };
  HWND h = Top();
  PumpUntilIdle();
  for (const Case &c : cases) {
    SCOPED_TRACE(testing::Message() << "vk 0x" << std::hex << c.vk << " mods " << c.mods);
    std::vector<Seen> seen;
    g_handler = Recorder(seen, h);
    tavo::test::PressKey(c.vk, c.mods);
    PumpUntilIdle();
    auto chars = Only(seen, WM_CHAR);
    auto sys = Only(seen, WM_SYSCHAR);
    chars.insert(chars.end(), sys.begin(), sys.end());
    if (c.msg == 0) {
      EXPECT_TRUE(chars.empty());
    } else {
      ASSERT_EQ(chars.size(), 1u);
      EXPECT_EQ(chars[0].msg, c.msg);
      EXPECT_EQ(chars[0].w, (WPARAM)c.ch);
    }
  }
}

TEST_F(UserTest, KeyMessagesCarryWindowsKeyData) {
  HWND h = Top();
  PumpUntilIdle();
  std::vector<Seen> seen;
  g_handler = Recorder(seen, h);
  tavo::test::KeyDown('A');
  tavo::test::KeyDown('A');  // auto-repeat
  tavo::test::KeyUp('A');
  tavo::test::PressKey(VK_LEFT);
  tavo::test::PressKey(VK_F10);
  tavo::test::PressKey('X', ModAlt);
  PumpUntilIdle();
  auto downs = Only(seen, WM_KEYDOWN);
  ASSERT_GE(downs.size(), 3u);
  EXPECT_EQ((DWORD)downs[0].l, 0x001E0001u);
  EXPECT_EQ((DWORD)downs[1].l, 0x401E0001u);
  EXPECT_EQ((DWORD)downs[2].l, 0x014B0001u);  // extended arrow
  auto ups = Only(seen, WM_KEYUP);
  ASSERT_FALSE(ups.empty());
  EXPECT_EQ((DWORD)ups[0].l, 0xC01E0001u);
  auto sysdowns = Only(seen, WM_SYSKEYDOWN);
  // F10 alone, then Alt and X with the context bit.
  ASSERT_EQ(sysdowns.size(), 3u);
  EXPECT_EQ(sysdowns[0].w, (WPARAM)VK_F10);
  EXPECT_EQ(sysdowns[1].w, (WPARAM)VK_MENU);
  EXPECT_EQ(sysdowns[2].w, (WPARAM)'X');
  EXPECT_TRUE(sysdowns[2].l & (1L << 29));
  // F10 and Alt+X reach the window as the key menu command.
  auto cmds = Only(seen, WM_SYSCOMMAND);
  ASSERT_EQ(cmds.size(), 2u);
  EXPECT_EQ(cmds[0].w & 0xFFF0, (WPARAM)SC_KEYMENU);
  EXPECT_EQ(cmds[0].l, 0);
  EXPECT_EQ(cmds[1].l, (LPARAM)'x');
}

TEST_F(UserTest, SetKeyboardStateShowsInsideASentKey) {
  HWND h = Top();
  PumpUntilIdle();
  SHORT shiftInside = 0, ctrlInside = 0, altInside = 0;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_KEYDOWN && w == VK_F5) {
      shiftInside = GetKeyState(VK_SHIFT);
      ctrlInside = GetKeyState(VK_CONTROL);
      altInside = GetKeyState(VK_MENU);
    }
    return false;
  };
  BYTE keys[256] = {};
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  SendMessageA(h, WM_KEYDOWN, VK_F5, 0);
  std::memset(keys, 0, sizeof keys);
  SetKeyboardState(keys);
  EXPECT_LT(shiftInside, 0);
  EXPECT_GE(ctrlInside, 0);
  EXPECT_GE(altInside, 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  BYTE back[256];
  keys[VK_CONTROL] = 0x81;
  SetKeyboardState(keys);
  GetKeyboardState(back);
  EXPECT_EQ(back[VK_CONTROL], 0x81);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 1, 1);
}

TEST_F(UserTest, AsyncKeyStateIsThePhysicalKey) {
  Top();
  PumpUntilIdle();
  tavo::test::KeyDown(VK_F6);
  EXPECT_LT(GetAsyncKeyState(VK_F6), 0);
  EXPECT_GE(GetKeyState(VK_F6), 0);  // the thread has not taken the key yet
  PumpUntilIdle();
  EXPECT_LT(GetKeyState(VK_F6), 0);
  BYTE none[256] = {};
  SetKeyboardState(none);
  EXPECT_LT(GetAsyncKeyState(VK_F6), 0);
  tavo::test::KeyUp(VK_F6);
  EXPECT_EQ(GetAsyncKeyState(VK_F6), 0);
}

TEST_F(UserTest, KeyNamesAreDanishAndBounded) {
  struct Case {
    LONG lParam;
    const char *name;
  };
  const Case cases[] = {
      {0x1E << 16, "A"},
      {0x27 << 16, "\xC6"},
      {0x39 << 16, "MELLEMRUM"},
      {0x2A << 16, "SKIFT"},
      {(0x48 << 16) | (1 << 24), "PIL OP"},
      {(0x1C << 16) | (1 << 24), "NUM ENTER"},
      {0x3F << 16, "F5"},
      {0x36 << 16, "H\xD8JRE SKIFT"},
  };
  for (const Case &c : cases) {
    char buf[51];
    EXPECT_EQ(GetKeyNameTextA(c.lParam, buf, sizeof buf), (int)std::strlen(c.name));
    EXPECT_STREQ(buf, c.name);
  }
  char small[3];
  EXPECT_EQ(GetKeyNameTextA(0x39 << 16, small, sizeof small), 2);
  EXPECT_STREQ(small, "ME");
  EXPECT_EQ(GetKeyNameTextA(0, small, sizeof small), 0);
}

TEST_F(UserTest, TypedTextArrivesAsCharacters) {
  Top();
  PumpUntilIdle();
  std::string typed;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_CHAR) typed += (char)w;
    return false;
  };
  const char *text = "Gr\xF8n \xC5r 5\x80 #7 \xE9";
  tavo::test::TypeText(text);
  PumpUntilIdle();
  EXPECT_EQ(typed, text);
}

TEST_F(UserTest, DoubleClicksOnlyForClassesThatAskForThem) {
  struct Case {
    const char *cls;
    std::vector<UINT> expected;
  };
  const Case cases[] = {
      {"TestWnd", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}},
      {"PlainWnd", {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.cls);
    HWND h = Top(WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, 0, c.cls);
    PumpUntilIdle();
    std::vector<Seen> seen;
    g_handler = Recorder(seen, h);
    tavo::test::DoubleClick(100, 80);
    PumpUntilIdle();
    std::vector<UINT> got;
    for (auto &s : seen)
      if (s.msg != WM_MOUSEMOVE) got.push_back(s.msg);
    EXPECT_EQ(got, c.expected);
    DestroyWindow(h);
  }
}

TEST_F(UserTest, ClicksActivateAndGiveClientCoordinates) {
  HWND a = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
  HWND b = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 0, 300, 200);
  PumpUntilIdle();
  EXPECT_EQ(GetActiveWindow(), b);
  std::vector<Seen> seen;
  std::vector<UINT> activation;
  auto rec = Recorder(seen, a);
  g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *r) {
    if (h == a && (m == WM_MOUSEACTIVATE || m == WM_ACTIVATE)) activation.push_back(m);
    if (h == a && m == WM_ACTIVATE) {
      EXPECT_EQ(LOWORD(w), WA_CLICKACTIVE);
    }
    return rec(h, m, w, l, r);
  };
  POINT p = tavo::test::ScreenPoint(a, 10, 20);
  tavo::test::Click(p.x, p.y);
  PumpUntilIdle();
  EXPECT_EQ(activation, (std::vector<UINT>{WM_MOUSEACTIVATE, WM_ACTIVATE}));
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  auto downs = Only(seen, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].l, MAKELPARAM(10, 20));
  EXPECT_EQ(downs[0].w, (WPARAM)MK_LBUTTON);
  // The caption is not the client area.
  seen.clear();
  RECT wr;
  GetWindowRect(a, &wr);
  tavo::test::Click(wr.left + 40, wr.top + 10);
  PumpUntilIdle();
  auto nc = Only(seen, WM_NCLBUTTONDOWN);
  ASSERT_EQ(nc.size(), 1u);
  EXPECT_EQ(nc[0].w, (WPARAM)HTCAPTION);
}

TEST_F(UserTest, WheelGoesToTheFocusWindowWithExactKeyState) {
  HWND h = Top();
  PumpUntilIdle();
  std::vector<Seen> seen;
  g_handler = Recorder(seen, h);
  tavo::test::KeyDown(VK_CONTROL);
  tavo::test::Wheel(-120, 5, 5);  // outside the window: still to the focus window
  tavo::test::KeyDown(VK_SHIFT);
  tavo::test::Wheel(120, 5, 5);
  tavo::test::KeyUp(VK_SHIFT);
  tavo::test::KeyUp(VK_CONTROL);
  PumpUntilIdle();
  auto wheels = Only(seen, WM_MOUSEWHEEL);
  ASSERT_EQ(wheels.size(), 2u);
  EXPECT_EQ(LOWORD(wheels[0].w), MK_CONTROL);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheels[0].w), -120);
  EXPECT_EQ(LOWORD(wheels[1].w), MK_CONTROL | MK_SHIFT);
}

TEST_F(UserTest, HoverAtOnceAndOneLeaveUntilReArmed) {
  HWND h = Top(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  PumpUntilIdle();
  std::vector<Seen> seen;
  g_handler = Recorder(seen, h);
  tavo::test::MouseMove(150, 150);
  PumpUntilIdle();
  TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER | TME_LEAVE, h, 0};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  PumpUntilIdle();
  auto hovers = Only(seen, WM_MOUSEHOVER);
  ASSERT_EQ(hovers.size(), 1u);
  EXPECT_EQ(hovers[0].l, MAKELPARAM(50, 50));
  tavo::test::MouseMove(160, 150);
  PumpUntilIdle();
  EXPECT_TRUE(Only(seen, WM_MOUSELEAVE).empty());
  tavo::test::MouseMove(500, 500);
  PumpUntilIdle();
  EXPECT_EQ(Only(seen, WM_MOUSELEAVE).size(), 1u);
  // Not re-armed: in and out again gives no second leave.
  tavo::test::MouseMove(150, 150);
  tavo::test::MouseMove(500, 500);
  PumpUntilIdle();
  EXPECT_EQ(Only(seen, WM_MOUSELEAVE).size(), 1u);
  // Re-armed while inside, then cancelled: no leave either.
  tavo::test::MouseMove(150, 150);
  PumpUntilIdle();
  tme = TRACKMOUSEEVENT{sizeof tme, TME_LEAVE, h, 0};
  TrackMouseEvent(&tme);
  tme.dwFlags = TME_LEAVE | TME_CANCEL;
  TrackMouseEvent(&tme);
  tavo::test::MouseMove(500, 500);
  PumpUntilIdle();
  EXPECT_EQ(Only(seen, WM_MOUSELEAVE).size(), 1u);
  // Asking while the pointer is already outside gives the leave at once.
  tme.dwFlags = TME_LEAVE;
  TrackMouseEvent(&tme);
  PumpUntilIdle();
  EXPECT_EQ(Only(seen, WM_MOUSELEAVE).size(), 2u);
}

TEST_F(UserTest, CaptureTakesTheMouseAndSaysWhenLost) {
  HWND a = Top(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = Top(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  PumpUntilIdle();
  std::vector<Seen> seen;
  std::vector<LPARAM> lost;
  auto rec = Recorder(seen, a);
  g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *r) {
    if (h == a && m == WM_CAPTURECHANGED) lost.push_back(l);
    return rec(h, m, w, l, r);
  };
  SetCapture(a);
  EXPECT_EQ(GetCapture(), a);
  tavo::test::Click(250, 50);  // over b, but a has the capture
  PumpUntilIdle();
  auto downs = Only(seen, WM_LBUTTONDOWN);
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(GET_X_LPARAM(downs[0].l), 250);
  SendMessageA(a, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), 0u);
  PumpUntilIdle();
  EXPECT_EQ(lost, (std::vector<LPARAM>{0}));
  (void)b;
}

TEST_F(UserTest, FocusMovesWithKillBeforeSetAndSkipsDisabledWindows) {
  HWND p = Top();
  HWND c1 = Child(p, 1, 0, 0, 50, 50);
  HWND c2 = Child(p, 2, 60, 0, 50, 50);
  HWND off = Child(p, 3, 120, 0, 50, 50, WS_CHILD | WS_VISIBLE | WS_DISABLED);
  PumpUntilIdle();
  std::vector<std::pair<HWND, UINT>> seen;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_SETFOCUS || m == WM_KILLFOCUS) seen.push_back({h, m});
    return false;
  };
  SetFocus(c1);
  EXPECT_EQ(SetFocus(c2), c1);
  EXPECT_EQ(GetFocus(), c2);
  std::vector<std::pair<HWND, UINT>> want = {
      {p, WM_KILLFOCUS}, {c1, WM_SETFOCUS}, {c1, WM_KILLFOCUS}, {c2, WM_SETFOCUS}};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(SetFocus(off), 0u);
  EXPECT_EQ(GetFocus(), c2);
  EnableWindow(c2, FALSE);  // disabling the focus window takes the focus away
  EXPECT_EQ(GetFocus(), 0u);
  EXPECT_FALSE(IsWindowEnabled(c2));
  DestroyWindow(c1);
}

// A worker thread's window (a wait dialog, say) takes the foreground while it
// is up; when it goes, hidden or destroyed, the foreground comes back to the
// main thread's window, and typed keys reach its focus again. A worker that
// had lost the foreground meanwhile gives nothing away.
TEST_F(UserTest, TheForegroundComesBackFromAWorkerThreadsWindowWhenItGoes) {
  enum Gaar { Skjules, Lukkes, LukkesBagved };
  for (Gaar gaar : {Skjules, Lukkes, LukkesBagved}) {
    SCOPED_TRACE(gaar);
    HWND main = Top(), other = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100);
    HWND field = Child(main, 1, 10, 10, 50, 20);
    SetActiveWindow(main);
    SetFocus(field);
    PumpUntilIdle();
    std::atomic<HWND> vent{0};
    std::atomic<bool> gaa{false}, gaaet{false};
    std::thread worker([&] {
      vent = CreateWindowExA(0, "PlainWnd", "Vent", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200, 150, 60, 0, 0, 0,
                             nullptr);
      for (; !gaa; Sleep(5)) PumpUntilIdle();
      if (gaar == Skjules) ShowWindow(vent, SW_HIDE);
      else DestroyWindow(vent);
      gaaet = true;
      for (; gaa; Sleep(5)) PumpUntilIdle();
      if (IsWindow(vent)) DestroyWindow(vent);
    });
    for (; !vent; Sleep(5)) PumpUntilIdle();
    EXPECT_EQ(GetForegroundWindow(), (HWND)vent);
    if (gaar == LukkesBagved) SetForegroundWindow(other);
    gaa = true;
    for (; !gaaet; Sleep(5)) PumpUntilIdle();
    PumpUntilIdle();
    if (gaar == LukkesBagved) {
      EXPECT_EQ(GetForegroundWindow(), other);
    } else {
      EXPECT_EQ(GetForegroundWindow(), main);
      std::vector<WPARAM> keys;
      g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT *) {
        if (h == field && m == WM_KEYDOWN) keys.push_back(w);
        return false;
      };
      tavo::test::PressKey('A');
      PumpUntilIdle();
      EXPECT_EQ(keys, std::vector<WPARAM>{'A'});
    }
    gaa = false;
    worker.join();
    g_handler = nullptr;
    DestroyWindow(main);
    DestroyWindow(other);
  }
}

TEST_F(UserTest, SizingAChildFollowsTheHandlersRectangleWithinMinMax) {
  HWND parent = Top(WS_POPUP | WS_VISIBLE, 100, 100, 600, 400);
  HWND child = Child(parent, 5, 50, 50, 200, 150);
  PumpUntilIdle();
  std::vector<WPARAM> edges;
  std::vector<RECT> sizing;
  std::vector<UINT> bracket;
  g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *r) {
    if (h != child) return false;
    switch (m) {
      case WM_LBUTTONDOWN:
        SendMessageA(h, WM_SYSCOMMAND, SC_SIZE + WMSZ_BOTTOMRIGHT, 0);
        *r = 0;
        return true;
      case WM_GETMINMAXINFO: {
        auto *mmi = (MINMAXINFO *)l;
        mmi->ptMinTrackSize = POINT{100, 80};
        mmi->ptMaxTrackSize = POINT{300, 250};
        *r = 0;
        return true;
      }
      case WM_SIZING: {
        auto *rc = (RECT *)l;
        edges.push_back(w);
        sizing.push_back(*rc);
        rc->right = rc->left + (rc->right - rc->left) / 10 * 10;  // snapping
        *r = TRUE;
        return true;
      }
      case WM_ENTERSIZEMOVE:
      case WM_EXITSIZEMOVE:
        bracket.push_back(m);
        return false;
    }
    return false;
  };
  POINT p = tavo::test::ScreenPoint(child, 190, 140);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::MouseDown(0, p.x, p.y);
  tavo::test::MouseMove(p.x + 37, p.y + 23);
  tavo::test::MouseMove(p.x + 500, p.y + 500);
  tavo::test::MouseUp(0, p.x + 500, p.y + 500);
  PumpUntilIdle();
  ASSERT_EQ(sizing.size(), 2u);
  EXPECT_EQ(edges, (std::vector<WPARAM>{WMSZ_BOTTOMRIGHT, WMSZ_BOTTOMRIGHT}));
  // Screen coordinates, a child's too: the parent's client area starts at (100, 100).
  EXPECT_EQ(sizing[0].left, 150);
  EXPECT_EQ(sizing[0].top, 150);
  EXPECT_EQ(sizing[0].right, 387);
  EXPECT_EQ(sizing[0].bottom, 323);
  EXPECT_EQ(sizing[1].right, 450);  // held to the largest tracking size
  EXPECT_EQ(sizing[1].bottom, 400);
  EXPECT_EQ(bracket, (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
  RECT cr;
  GetClientRect(child, &cr);
  EXPECT_EQ(cr.right, 300);
  EXPECT_EQ(cr.bottom, 250);
  RECT wr;
  GetWindowRect(child, &wr);
  EXPECT_EQ(wr.left, 150);  // placed back in the parent's client coordinates
  EXPECT_EQ(wr.top, 150);
  EXPECT_EQ(GetCapture(), 0u);

  // Esc puts the window back; ClipCursor holds the pointer meanwhile.
  sizing.clear();
  p = tavo::test::ScreenPoint(child, 290, 240);
  RECT clip{0, 0, p.x + 60, 1024};
  ClipCursor(&clip);
  tavo::test::MouseMove(p.x, p.y);
  tavo::test::MouseDown(0, p.x, p.y);
  tavo::test::MouseMove(p.x - 200, p.y - 300);
  tavo::test::KeyDown(VK_ESCAPE);
  PumpUntilIdle();
  ASSERT_EQ(sizing.size(), 1u);
  EXPECT_EQ(sizing[0].right - sizing[0].left, 100);  // held to the smallest tracking size
  EXPECT_EQ(sizing[0].bottom - sizing[0].top, 80);
  GetClientRect(child, &cr);
  EXPECT_EQ(cr.right, 300);
  tavo::test::KeyUp(VK_ESCAPE);
  tavo::test::MouseUp(0, p.x, p.y);
  tavo::test::MouseMove(5000, 5000);
  POINT cur;
  GetCursorPos(&cur);
  EXPECT_EQ(cur.x, clip.right - 1);
  ClipCursor(nullptr);
  PumpUntilIdle();
}

TEST_F(UserTest, CaptionDragMovesTheWindow) {
  HWND h = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  PumpUntilIdle();
  std::vector<UINT> seen;
  g_handler = [&](HWND w, UINT m, WPARAM, LPARAM l, LRESULT *) {
    if (m == WM_MOVING || m == WM_ENTERSIZEMOVE || m == WM_EXITSIZEMOVE) seen.push_back(m);
    return false;
  };
  tavo::test::Drag(200, 110, 260, 150, 2);
  PumpUntilIdle();
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.left, 160);
  EXPECT_EQ(wr.top, 140);
  EXPECT_EQ(Names(seen), (std::vector<std::string>{"WM_ENTERSIZEMOVE", "WM_MOVING", "WM_MOVING", "WM_EXITSIZEMOVE"}));
}

TEST_F(UserTest, HoverAfterTheHoverTimeWhenThePointerRests) {
  HWND h = Top(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  tavo::test::MouseMove(150, 150);
  PumpUntilIdle();
  std::vector<Seen> seen;
  g_handler = Recorder(seen, h);
  TRACKMOUSEEVENT tme{sizeof tme, TME_HOVER, h, 20};
  ASSERT_TRUE(TrackMouseEvent(&tme));
  PumpUntilIdle();
  EXPECT_TRUE(Only(seen, WM_MOUSEHOVER).empty());  // not yet
  MSG m;
  while (Only(seen, WM_MOUSEHOVER).empty() && GetMessageA(&m, 0, 0, 0) > 0) DispatchMessageA(&m);
  ASSERT_EQ(Only(seen, WM_MOUSEHOVER).size(), 1u);
  TRACKMOUSEEVENT q{sizeof q, TME_QUERY, 0, 0};
  TrackMouseEvent(&q);
  EXPECT_EQ(q.dwFlags & TME_HOVER, 0u);  // one hover per request
}

// A child of a window away from the screen origin: the rectangle of WM_MOVING
// is on the screen, and the handler's change lands where it says.
TEST_F(UserTest, MovingAChildGivesScreenRectanglesAndKeepsTheHandlersChange) {
  HWND parent = Top(WS_POPUP | WS_VISIBLE, 200, 150, 500, 400);
  HWND child = Child(parent, 6, 10, 20, 100, 80);
  PumpUntilIdle();
  std::vector<RECT> moving;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM l, LRESULT *r) {
    if (h != child) return false;
    if (m == WM_LBUTTONDOWN) {
      SendMessageA(h, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
      *r = 0;
      return true;
    }
    if (m == WM_MOVING) {
      auto *rc = (RECT *)l;
      moving.push_back(*rc);
      // Snaps the left edge to screen x 250.
      int b = rc->right - rc->left;
      rc->left = 250;
      rc->right = 250 + b;
      *r = TRUE;
      return true;
    }
    return false;
  };
  POINT p = tavo::test::ScreenPoint(child, 5, 5);
  tavo::test::Drag(p.x, p.y, p.x + 30, p.y + 40, 1);
  PumpUntilIdle();
  ASSERT_EQ(moving.size(), 1u);
  EXPECT_EQ(moving[0].left, 240);
  EXPECT_EQ(moving[0].top, 210);
  EXPECT_EQ(moving[0].right, 340);
  EXPECT_EQ(moving[0].bottom, 290);
  RECT wr;
  GetWindowRect(child, &wr);
  EXPECT_EQ(wr.left, 250);
  EXPECT_EQ(wr.top, 210);
  POINT tl{wr.left, wr.top};
  ScreenToClient(parent, &tl);
  EXPECT_EQ(tl.x, 50);
  EXPECT_EQ(tl.y, 60);
}

TEST_F(UserTest, MoveLoopWithoutAHeldButtonEndsAtTheFirstMove) {
  HWND h = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  PumpUntilIdle();
  int exits = 0;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_EXITSIZEMOVE) ++exits;
    return false;
  };
  tavo::test::MouseMove(400, 400);
  SendMessageA(h, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, 0);
  EXPECT_EQ(exits, 1);
  RECT wr;
  GetWindowRect(h, &wr);
  EXPECT_EQ(wr.left, 100);
  EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(UserTest, TheWindowMenuKeyOpensAChildsOwnSystemMenuAndOtherKeysGoUp) {
  HWND top = Top();
  HWND medMenu = Child(top, 1, 10, 10, 150, 100, WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU);
  HWND udenMenu = Child(top, 2, 200, 10, 150, 100);
  PumpUntilIdle();
  struct Case {
    HWND til;
    LPARAM tast;
    HWND aabner;  // the window whose system menu opens; 0: none
    HWND op;      // the window the key goes up to; 0: none
  };
  const Case cases[] = {
      {medMenu, ' ', medMenu, 0},
      {udenMenu, ' ', top, top},
      {medMenu, 'x', 0, top},
  };
  for (const Case &c : cases) {
    std::vector<std::pair<HWND, UINT>> seen;
    g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *) {
      if (m == WM_INITMENUPOPUP && HIWORD(l) == 1) seen.push_back({h, m});
      if (m == WM_SYSCOMMAND && (w & 0xFFF0) == SC_KEYMENU && h == top) seen.push_back({h, m});
      return false;
    };
    PostMessageA(c.til, WM_KEYDOWN, VK_ESCAPE, 0);  // ends a menu that opens
    SendMessageA(c.til, WM_SYSCOMMAND, SC_KEYMENU, c.tast);
    PumpUntilIdle();
    g_handler = nullptr;
    std::vector<std::pair<HWND, UINT>> ventet;
    if (c.op) ventet.push_back({c.op, WM_SYSCOMMAND});
    if (c.aabner) ventet.push_back({c.aabner, WM_INITMENUPOPUP});
    EXPECT_EQ(seen, ventet) << c.til << " " << c.tast;
  }
}
