#include "user_support.h"

namespace usertest {

Handler g_handler;

LRESULT CALLBACK TestProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  LRESULT r = 0;
  if (g_handler && g_handler(h, m, w, l, &r)) return r;
  return DefWindowProc(h, m, w, l);
}

void UserTest::SetUp() {
  tavo::test::ResetUser();
  g_handler = nullptr;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = TestProc;
  wc.lpszClassName = "TestWnd";
  ASSERT_NE(RegisterClassA(&wc), 0);
  wc.style = 0;
  wc.lpszClassName = "PlainWnd";
  ASSERT_NE(RegisterClassA(&wc), 0);
}

void UserTest::TearDown() {
  g_handler = nullptr;
  tavo::test::ResetUser();
}

HWND UserTest::Top(DWORD style, int x, int y, int w, int h, DWORD ex, const char *cls) {
  return CreateWindowExA(ex, cls, "Vindue", style, x, y, w, h, 0, 0, 0, nullptr);
}

HWND UserTest::Child(HWND parent, int id, int x, int y, int w, int h, DWORD style, const char *cls) {
  return CreateWindowExA(0, cls, "", style, x, y, w, h, parent, (HMENU)id, 0, nullptr);
}

std::vector<std::string> Names(const std::vector<UINT> &msgs) {
  std::vector<std::string> r;
  for (UINT m : msgs) r.push_back(tavo::test::MessageName(m));
  return r;
}

}  // namespace usertest
