#pragma once
// Reset around every test, a plain control class, and a loop that feeds a
// modeless dialog.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "win/user.h"

namespace dlgtest {

// "TCtl": a control that keeps its text and wants nothing from the dialog
// manager. "TWnd": a top-level window whose messages a test can watch.
using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT *)>;
extern Handler g_wndHandler;

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HWND Top(const char *title = "Hovedvindue");
  // Takes and handles the thread's messages, through IsDialogMessage for dlg.
  void Pump(HWND dlg);
};

tavo::res::DialogItem Item(const char *cls, int id, const char *text, DWORD style, int x, int y, int cx, int cy);

}  // namespace dlgtest
