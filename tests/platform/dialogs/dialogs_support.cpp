#include "dialogs_support.h"

namespace dlgtest {

Handler g_wndHandler;

namespace {

LRESULT CALLBACK CtlProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

LRESULT CALLBACK WndProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  LRESULT r = 0;
  if (g_wndHandler && g_wndHandler(h, m, w, l, &r)) return r;
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

void DialogTest::SetUp() {
  tavo::test::ResetUser();
  tavo::test::StartDialogScript(400);
  g_wndHandler = nullptr;
  WNDCLASSA wc{};
  wc.lpfnWndProc = CtlProc;
  wc.lpszClassName = "TCtl";
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.lpfnWndProc = WndProc;
  wc.lpszClassName = "TWnd";
  ASSERT_NE(RegisterClassA(&wc), 0);
}

void DialogTest::TearDown() {
  g_wndHandler = nullptr;
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  tavo::test::ResetUser();
}

HWND DialogTest::Top(const char *title) {
  HWND h = CreateWindowExA(0, "TWnd", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, 0, 0, 0, nullptr);
  SetForegroundWindow(h);
  return h;
}

void DialogTest::Pump(HWND dlg) {
  MSG m;
  for (int i = 0; i < 10000 && PeekMessageA(&m, 0, 0, 0, PM_REMOVE); ++i) {
    if (m.message == WM_QUIT) break;
    if (!IsDialogMessageA(dlg, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
}

tavo::res::DialogItem Item(const char *cls, int id, const char *text, DWORD style, int x, int y, int cx, int cy) {
  tavo::res::DialogItem it;
  it.className = cls;
  it.id = id;
  it.text = text;
  it.style = style | WS_VISIBLE;
  it.x = x;
  it.y = y;
  it.cx = cx;
  it.cy = cy;
  return it;
}

}  // namespace dlgtest
