#pragma once
// A parent window that records what its controls tell it, and the reset
// around every test.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tavo/test_gdi.h"
#include "tavo/test_user.h"
#include "win/controls.h"
#include "win/gdi.h"

namespace ctltest {

struct Heard {
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};

// Returns true when it answered the message itself (result in *r).
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *)>;

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A control of `cls` in the parent, at client coordinates.
  HWND Make(const char *cls, DWORD style, int id, int x, int y, int w, int h, const char *text = "");
  // The WM_COMMAND codes the parent heard from control `id`, in order.
  std::vector<int> Commands(int id) const;
  POINT At(HWND h, int x, int y) { return tavo::test::ScreenPoint(h, x, y); }
  void Pump() { tavo::test::PumpUntilIdle(); }


 public:
  HWND parent = 0;
  std::vector<Heard> heard;  // WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM, WM_MEASUREITEM
};

extern Handler g_handler;
extern ControlsTest *g_test;

}  // namespace ctltest
