// Queues: sending across threads, nested loops, the order of what a thread
// takes from its queue, timers and painting.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "user_support.h"

using namespace usertest;

namespace {

// Runs the calling thread's loop until pred holds (or a generous time passes).
template <class Pred>
void PumpUntil(Pred pred) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  MSG m;
  while (!pred() && std::chrono::steady_clock::now() < end) {
    while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    if (!pred()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

}  // namespace

TEST_F(UserTest, WorkerSendGetsTheMainThreadsAnswer) {
  HWND h = Top();
  DWORD mainThread = GetCurrentThreadId();
  DWORD handledOn = 0;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *r) {
    if (m == 1026) {
      handledOn = GetCurrentThreadId();
      EXPECT_TRUE(InSendMessage());
      *r = (LRESULT)w * 2;
      return true;
    }
    return false;
  };
  std::atomic<LRESULT> got{-1};
  std::thread worker([&] { got = SendMessageA(h, 1026, 21, 0); });
  PumpUntil([&] { return got.load() != -1; });
  worker.join();
  EXPECT_EQ(got.load(), 42);
  EXPECT_EQ(handledOn, mainThread);
  EXPECT_FALSE(InSendMessage());
}

TEST_F(UserTest, SendsBetweenTwoThreadsDoNotDeadlock) {
  HWND mainWnd = Top();
  std::atomic<HWND> workerWnd{0};
  std::atomic<DWORD> workerThread{0};
  g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT *r) {
    if (m == WM_USER + 1 && h == workerWnd) {  // on the worker: ask the main thread, which is itself waiting
      *r = SendMessageA(mainWnd, WM_USER + 2, w, 0) + 1;
      return true;
    }
    if (m == WM_USER + 2 && h == mainWnd) {
      EXPECT_EQ(GetCurrentThreadId(), GetWindowThreadProcessId(mainWnd, nullptr));
      *r = (LRESULT)w * 10;
      return true;
    }
    return false;
  };
  std::thread worker([&] {
    HWND w = CreateWindowExA(0, "TestWnd", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
    workerThread = GetCurrentThreadId();
    workerWnd = w;
    MSG m;
    while (GetMessageA(&m, 0, 0, 0) > 0) DispatchMessageA(&m);
  });
  while (!workerWnd) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(SendMessageA(workerWnd, WM_USER + 1, 4, 0), 41);
  HWND gone = workerWnd;
  PostThreadMessageA(workerThread, WM_QUIT, 0, 0);
  worker.join();
  // The thread has ended: its window went with it, and a send returns at once.
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_EQ(SendMessageA(gone, WM_USER + 1, 4, 0), 0);
}

TEST_F(UserTest, SendToAThreadThatEndsWhileWaitingReturnsZero) {
  std::atomic<HWND> wnd{0};
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    wnd = CreateWindowExA(0, "PlainWnd", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
    while (!stop) std::this_thread::sleep_for(std::chrono::milliseconds(1));  // never pumps
  });
  while (!wnd) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    stop = true;
  });
  EXPECT_EQ(SendMessageA(wnd, WM_USER, 0, 0), 0);
  stopper.join();
  worker.join();
}

TEST_F(UserTest, NestedModalLoopsKeepDeliveringAndEndInOrder) {
  HWND h = Top();
  std::vector<std::string> trace;
  bool done1 = false, done2 = false;
  std::thread worker;
  auto loop = [&](bool &done) {
    MSG m;
    while (!done && GetMessageA(&m, 0, 0, 0) > 0) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  };
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT *r) {
    switch (m) {
      case WM_USER + 1:
        trace.push_back("1<");
        PostMessageA(h, WM_USER + 2, 0, 0);
        loop(done1);
        trace.push_back("1>");
        return true;
      case WM_USER + 2:
        trace.push_back("2<");
        worker = std::thread([h] {
          SendMessageA(h, WM_USER + 4, 0, 0);
          PostMessageA(h, WM_USER + 3, 0, 0);
        });
        loop(done2);
        trace.push_back("2>");
        PostMessageA(h, WM_USER + 5, 0, 0);
        return true;
      case WM_USER + 3:
        trace.push_back("3");
        done2 = true;
        return true;
      case WM_USER + 4:
        trace.push_back("4");
        *r = 7;
        return true;
      case WM_USER + 5:
        trace.push_back("5");
        done1 = true;
        return true;
    }
    return false;
  };
  PostMessageA(h, WM_USER + 1, 0, 0);
  tavo::test::PumpUntilIdle();
  worker.join();
  EXPECT_EQ(trace, (std::vector<std::string>{"1<", "2<", "4", "3", "2>", "5", "1>"}));
}

TEST_F(UserTest, QueueOrderPostedThenInputThenPaintThenTimer) {
  HWND h = Top();
  tavo::test::PumpUntilIdle();
  SetTimer(h, 1, 10, nullptr);
  InvalidateRect(h, nullptr, FALSE);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  RECT wr;
  GetWindowRect(h, &wr);
  tavo::test::MouseMove(wr.left + 50, wr.top + 100);
  PostMessageA(h, WM_USER, 0, 0);
  std::vector<UINT> order;
  MSG m;
  while (order.size() < 4 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
    if (m.message == WM_PAINT) ValidateRect(h, nullptr);
    if (m.message == WM_TIMER) KillTimer(h, 1);
    order.push_back(m.message);
  }
  EXPECT_EQ(Names(order), (std::vector<std::string>{"WM_USER", "WM_MOUSEMOVE", "WM_PAINT", "WM_TIMER"}))
      << "0x" << std::hex << (order.empty() ? 0 : order[0]);
}

TEST_F(UserTest, QuitComesAfterThePostedMessages) {
  PostQuitMessage(3);
  PostThreadMessageA(GetCurrentThreadId(), WM_USER + 9, 0, 0);
  MSG m;
  EXPECT_GT(GetMessageA(&m, 0, 0, 0), 0);
  EXPECT_EQ(m.message, (UINT)(WM_USER + 9));
  EXPECT_EQ(GetMessageA(&m, 0, 0, 0), 0);
  EXPECT_EQ(m.message, (UINT)WM_QUIT);
  EXPECT_EQ(m.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&m, 0, 0, 0, PM_REMOVE));
}

TEST_F(UserTest, PeekFiltersAndNoRemove) {
  HWND a = Top(), b = Top();
  tavo::test::PumpUntilIdle();
  PostMessageA(a, WM_USER + 1, 0, 0);
  PostMessageA(b, WM_USER + 2, 0, 0);
  PostMessageA(a, WM_USER + 3, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, (UINT)(WM_USER + 2));
  ASSERT_TRUE(PeekMessageA(&m, 0, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(m.hwnd, a);
  ASSERT_TRUE(PeekMessageA(&m, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, (UINT)(WM_USER + 1));
  ASSERT_TRUE(PeekMessageA(&m, 0, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, (UINT)(WM_USER + 2));
  EXPECT_FALSE(PeekMessageA(&m, (HWND)0xFFFFFFFFu, 0, 0, PM_REMOVE));
}

TEST_F(UserTest, TimersFireReplaceAndStop) {
  HWND h = Top();
  tavo::test::PumpUntilIdle();
  static int procCalls;
  procCalls = 0;
  int windowTimers = 0;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *) {
    if (m == WM_TIMER && w == 10) ++windowTimers;
    return false;
  };
  SetTimer(h, 10, 5000, nullptr);
  EXPECT_EQ(SetTimer(h, 10, 10, nullptr), 10u);  // same id: replaced, not doubled
  UINT_PTR t = SetTimer(0, 0, 10, [](HWND, UINT m, UINT_PTR, DWORD) {
    if (m == WM_TIMER) ++procCalls;
  });
  EXPECT_NE(t, 0u);
  PumpUntil([&] { return windowTimers >= 2 && procCalls >= 1; });
  EXPECT_GE(windowTimers, 2);
  EXPECT_GE(procCalls, 1);
  EXPECT_TRUE(KillTimer(h, 10));
  EXPECT_TRUE(KillTimer(0, t));
  EXPECT_FALSE(KillTimer(h, 10));
  // A WM_TIMER sent by the program with no timer behind it just reaches the window.
  windowTimers = 0;
  SendMessageA(h, WM_TIMER, 10, 0);
  EXPECT_EQ(windowTimers, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(25));
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(windowTimers, 1);
}

TEST_F(UserTest, PaintingValidatesAndSentPaintAlwaysArrives) {
  HWND h = Top();
  tavo::test::PumpUntilIdle();
  int paints = 0;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_PAINT) ++paints;  // paints on its own DC, then lets the default validate
    return false;
  };
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
  RECT r{10, 10, 30, 40};
  InvalidateRect(h, &r, FALSE);
  RECT u;
  EXPECT_TRUE(GetUpdateRect(h, &u, FALSE));
  EXPECT_EQ(u.left, 10);
  EXPECT_EQ(u.bottom, 40);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(paints, 1);
  EXPECT_FALSE(GetUpdateRect(h, nullptr, FALSE));
  SendMessageA(h, WM_PAINT, 0, 0);  // nothing invalid, still painted
  EXPECT_EQ(paints, 2);
  InvalidateRect(h, nullptr, TRUE);
  UpdateWindow(h);  // at once, not through the queue
  EXPECT_EQ(paints, 3);
  EXPECT_EQ(tavo::test::PumpUntilIdle(), 0);
  // Validating part of the region leaves the rest.
  InvalidateRect(h, nullptr, FALSE);
  RECT top{0, 0, 2000, 50};
  ValidateRect(h, &top);
  EXPECT_TRUE(GetUpdateRect(h, &u, FALSE));
  EXPECT_EQ(u.top, 50);
  // A hidden window gets no WM_PAINT until it shows.
  ShowWindow(h, SW_HIDE);
  paints = 0;
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(paints, 0);
  ShowWindow(h, SW_SHOW);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(paints, 1);
}

TEST_F(UserTest, SetWindowTextFromAWorkerIsHandledByTheOwner) {
  HWND h = Top();
  DWORD owner = GetCurrentThreadId();
  DWORD handledOn = 0;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_SETTEXT) handledOn = GetCurrentThreadId();
    return false;
  };
  std::atomic<bool> done{false};
  std::thread worker([&] {
    SetWindowTextA(h, "Kontakt");
    done = true;
  });
  PumpUntil([&] { return done.load(); });
  worker.join();
  EXPECT_EQ(handledOn, owner);
  char buf[16];
  GetWindowTextA(h, buf, sizeof buf);
  EXPECT_STREQ(buf, "Kontakt");
}

TEST_F(UserTest, ActivationMovingBetweenThreadsTellsBothApplications) {
  HWND mainWnd = Top();
  tavo::test::PumpUntilIdle();
  std::vector<std::pair<UINT, WPARAM>> mainSeen;
  std::atomic<int> workerActivateApp{-1};
  std::atomic<HWND> workerWnd{0};
  DWORD mainThread = GetCurrentThreadId();
  g_handler = [&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT *) {
    if (h == mainWnd && (m == WM_ACTIVATEAPP || m == WM_ACTIVATE)) mainSeen.push_back({m, w});
    if (h != mainWnd && m == WM_ACTIVATEAPP && w) {
      workerActivateApp = (int)((DWORD)l == mainThread);
    }
    return false;
  };
  std::thread worker([&] {
    workerWnd = CreateWindowExA(0, "TestWnd", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, 0, 0, 0, 0);
  });
  worker.join();  // its window is gone again when the thread ends
  PumpUntil([&] { return mainSeen.size() >= 2; });
  EXPECT_EQ(workerActivateApp.load(), 1);
  ASSERT_GE(mainSeen.size(), 2u);
  EXPECT_EQ(mainSeen[0], (std::pair<UINT, WPARAM>{WM_ACTIVATE, WA_INACTIVE}));
  EXPECT_EQ(mainSeen[1], (std::pair<UINT, WPARAM>{WM_ACTIVATEAPP, FALSE}));
  EXPECT_FALSE(IsWindow(workerWnd));
  // Back to the main window: it is told again.
  mainSeen.clear();
  SetForegroundWindow(mainWnd);
  EXPECT_EQ(GetForegroundWindow(), mainWnd);
  ASSERT_FALSE(mainSeen.empty());
  EXPECT_EQ(mainSeen[0], (std::pair<UINT, WPARAM>{WM_ACTIVATEAPP, TRUE}));
}

TEST_F(UserTest, ParentPaintingLeavesTheChildsUpdateRegionAlone) {
  // Without WS_CLIPCHILDREN an invalidated parent invalidates its children
  // too; its own painting must not validate them, or they never repaint.
  HWND parent = Top(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = Child(parent, 1, 10, 10, 50, 50);
  tavo::test::PumpUntilIdle();
  std::vector<HWND> painted;
  g_handler = [&](HWND h, UINT m, WPARAM, LPARAM, LRESULT *) {
    if (m == WM_PAINT) painted.push_back(h);
    return false;
  };
  InvalidateRect(parent, nullptr, FALSE);
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));
  tavo::test::PumpUntilIdle();
  EXPECT_NE(std::find(painted.begin(), painted.end(), parent), painted.end());
  EXPECT_NE(std::find(painted.begin(), painted.end(), child), painted.end());
  EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
}
