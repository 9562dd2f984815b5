// Test hooks: synthetic input, pumping, the message log and the reset.

#include <algorithm>
#include <cstdio>

#include "state.h"
#include "tavo/test_user.h"

namespace tavo::user {

void ResetClipboard();

namespace {
std::mutex g_logMx;
std::vector<tavo::test::LoggedMessage> g_log;
}  // namespace

void LogMessage(HWND h, UINT m, WPARAM w, LPARAM l) {
  std::lock_guard<std::mutex> g(g_logMx);
  if (g_log.size() < 1000000) g_log.push_back({h, m, w, l});
}

}  // namespace tavo::user

namespace tavo::test {

using namespace tavo::user;

void KeyDown(UINT vk) { InjectKey(vk, 0, true, false); }
void KeyUp(UINT vk) { InjectKey(vk, 0, false, false); }

void PressKey(UINT vk, int mods) {
  if (mods & ModCtrl) KeyDown(VK_CONTROL);
  if (mods & ModAlt) KeyDown(VK_MENU);
  if (mods & ModShift) KeyDown(VK_SHIFT);
  KeyDown(vk);
  KeyUp(vk);
  if (mods & ModShift) KeyUp(VK_SHIFT);
  if (mods & ModAlt) KeyUp(VK_MENU);
  if (mods & ModCtrl) KeyUp(VK_CONTROL);
}

void TypeText(const char *text) {
  for (const char *p = text; p && *p; ++p) {
    SHORT s = VkKeyScanA(*p);
    if (s == -1) {
      InjectChar((BYTE)*p);
      continue;
    }
    int shift = (s >> 8) & 0xFF;
    int mods = ((shift & 1) ? ModShift : 0) | ((shift & 2) ? ModCtrl : 0) | ((shift & 4) ? ModAlt : 0);
    PressKey((UINT)(s & 0xFF), mods);
  }
}

void MouseMove(int x, int y) { InjectMouseMove(x, y); }
void MouseDown(int button, int x, int y) { InjectMouseButton(button, true, x, y); }
void MouseUp(int button, int x, int y) { InjectMouseButton(button, false, x, y); }

void Click(int x, int y, int button) {
  MouseMove(x, y);
  MouseDown(button, x, y);
  MouseUp(button, x, y);
}

void DoubleClick(int x, int y) {
  Click(x, y, 0);
  Click(x, y, 0);
}

void Wheel(int delta, int x, int y) { InjectMouseWheel(delta, x, y); }

void Drag(int x0, int y0, int x1, int y1, int steps) {
  if (steps < 1) steps = 1;
  MouseMove(x0, y0);
  MouseDown(0, x0, y0);
  for (int i = 1; i <= steps; ++i) MouseMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
  MouseUp(0, x1, y1);
}

POINT ScreenPoint(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return p;
}

int PumpUntilIdle(int maxMessages) {
  int n = 0;
  MSG m;
  while (n < maxMessages && PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage((int)m.wParam);
      break;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
    ++n;
  }
  return n;
}

void StartMessageLog() {
  {
    std::lock_guard<std::mutex> g(g_logMx);
    g_log.clear();
  }
  g_logging = true;
}

std::vector<LoggedMessage> StopMessageLog() {
  g_logging = false;
  std::lock_guard<std::mutex> g(g_logMx);
  std::vector<LoggedMessage> r;
  r.swap(g_log);
  return r;
}

std::vector<UINT> MessagesOf(const std::vector<LoggedMessage> &log, HWND hwnd, const std::vector<UINT> &only) {
  std::vector<UINT> r;
  for (auto &e : log) {
    if (e.hwnd != hwnd) continue;
    if (!only.empty() && std::find(only.begin(), only.end(), e.msg) == only.end()) continue;
    r.push_back(e.msg);
  }
  return r;
}

std::string MessageName(UINT msg) {
  static const struct {
    UINT m;
    const char *n;
  } names[] = {
      {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_GETTEXT, "WM_GETTEXT"}, {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"}, {WM_QUIT, "WM_QUIT"}, {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
      {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"}, {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_NCHITTEST, "WM_NCHITTEST"}, {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"}, {WM_KEYDOWN, "WM_KEYDOWN"},
      {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
      {WM_SYSKEYUP, "WM_SYSKEYUP"}, {WM_SYSCHAR, "WM_SYSCHAR"}, {WM_COMMAND, "WM_COMMAND"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
      {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"}, {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
      {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}, {WM_SIZING, "WM_SIZING"}, {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_MOVING, "WM_MOVING"}, {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
      {WM_MOUSEHOVER, "WM_MOUSEHOVER"}, {WM_MOUSELEAVE, "WM_MOUSELEAVE"}, {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"}, {WM_USER, "WM_USER"},
  };
  for (auto &e : names)
    if (e.m == msg) return e.n;
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%04X", msg);
  return buf;
}

int BeepCount() { return g_beeps.load(); }

void ResetUser() {
  g_logging = false;
  {
    std::lock_guard<std::mutex> g(g_logMx);
    g_log.clear();
  }
  ReleaseCapture();
  ClipCursor(nullptr);
  for (HWND h : ChildrenOf(0))
    if (ThreadOf(h) == GetCurrentThreadId() && IsWindow(h)) DestroyWindow(h);
  {
    Lock l(S().mx);
    Queue *q = SelfQueue();
    q->posted.clear();
    q->raw.clear();
    q->cooked.clear();
    q->timers.clear();
    q->quit = false;
    q->active = q->focus = 0;
    q->altAlone = false;
    std::fill(std::begin(q->keys), std::end(q->keys), 0);
    std::fill(std::begin(S().async), std::end(S().async), 0);
    S().track = Track{};
    S().lastClickArmed = false;
    S().currentCursor = 0;
    S().cursorCount = 0;
    S().foreground = 0;
    auto &c = S().classes;
    c.erase(std::remove_if(c.begin(), c.end(),
                           [](const std::unique_ptr<Cls> &x) { return !x->system && x->windows == 0; }),
            c.end());
  }
  SetScreenSize(1280, 1024);
  {
    Lock l(S().mx);
    S().cursor = POINT{640, 512};
  }
  ResetClipboard();
  g_beeps = 0;
}

}  // namespace tavo::test
