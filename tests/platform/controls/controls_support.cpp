#include "controls_support.h"

namespace ctltest {

Handler g_handler;
ControlsTest *g_test;

namespace {

LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_test && (m == WM_COMMAND || m == WM_NOTIFY || m == WM_HSCROLL || m == WM_VSCROLL || m == WM_DRAWITEM ||
                 m == WM_MEASUREITEM))
    g_test->heard.push_back({m, w, l});
  LRESULT r = 0;
  if (g_handler && g_handler(h, m, w, l, &r)) return r;
  return DefWindowProcA(h, m, w, l);
}

}  // namespace

void ControlsTest::SetUp() {
  tavo::test::ResetUser();
  tavo::test::ClearDrawnTexts();
  g_handler = nullptr;
  g_test = this;
  WNDCLASSA wc{};
  wc.lpfnWndProc = ParentProc;
  wc.lpszClassName = "CtlParent";
  ASSERT_NE(RegisterClassA(&wc), 0);
  parent = CreateWindowExA(0, "CtlParent", "Forælder", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50, 50, 500, 400, 0, 0, 0,
                           nullptr);
  ASSERT_NE(parent, 0u);
  Pump();
}

void ControlsTest::TearDown() {
  g_handler = nullptr;
  g_test = nullptr;
  tavo::test::ResetUser();
}

HWND ControlsTest::Make(const char *cls, DWORD style, int id, int x, int y, int w, int h, const char *text) {
  HWND c = CreateWindowExA(0, cls, text, style | WS_CHILD | WS_VISIBLE, x, y, w, h, parent, (HMENU)(UINT_PTR)id, 0,
                           nullptr);
  EXPECT_NE(c, 0u) << cls;
  // In creation order among the siblings, as the dialog manager lays out a template.
  SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  return c;
}

std::vector<int> ControlsTest::Commands(int id) const {
  std::vector<int> r;
  for (const Heard &x : heard)
    if (x.msg == WM_COMMAND && LOWORD(x.wp) == id) r.push_back((short)HIWORD(x.wp));
  return r;
}

}  // namespace ctltest
