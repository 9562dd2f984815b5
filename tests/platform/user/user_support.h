#pragma once
// A window class whose procedure each test can steer, and the reset around
// every test.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tavo/test_user.h"
#include "win/user.h"

namespace usertest {

// Returns true when it answered the message (result in *r); otherwise the
// default procedure runs.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *)>;
extern Handler g_handler;

LRESULT CALLBACK TestProc(HWND h, UINT m, WPARAM w, LPARAM l);

// "TestWnd" has CS_DBLCLKS; "PlainWnd" has not.
class UserTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Top(DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, int x = 100, int y = 100, int w = 400, int h = 300,
           DWORD ex = 0, const char *cls = "TestWnd");
  HWND Child(HWND parent, int id, int x, int y, int w, int h, DWORD style = WS_CHILD | WS_VISIBLE,
             const char *cls = "TestWnd");
};

std::vector<std::string> Names(const std::vector<UINT> &msgs);

}  // namespace usertest
