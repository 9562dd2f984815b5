// A dialog and a message box on the private X server, answered by key
// presses from xdotool as a user would, with a picture of each for a look.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tavo/test_gdi.h"
#include "win/controls.h"
#include "win/user.h"

namespace {

bool Shell(const std::string &cmd) { return std::system(cmd.c_str()) == 0; }

// Waits for the X window with that title, takes a picture of the screen,
// then sends it the keys.
void AnswerByKeys(const std::string &title, const std::string &keys, const std::string &png,
                  const std::string &before = "") {
  std::string find = "xdotool search --name '^" + title + "$' >/dev/null 2>&1";
  for (int i = 0; i < 200 && !Shell(find); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(25));
  std::string send = "xdotool search --name '^" + title + "$' key --window %1 --delay 60 ";
  if (!before.empty()) Shell(send + before + " >/dev/null 2>&1");
  std::this_thread::sleep_for(std::chrono::milliseconds(400));  // painted and on screen
  tavo::test::SaveScreenPng(png.c_str());
  Shell(send + keys + " >/dev/null 2>&1");
}

UINT g_command = 0;
LRESULT CALLBACK MainProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND) {
    g_command = LOWORD(w);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

bool g_checked = false;

INT_PTR CALLBACK Proc(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)) {
    g_checked = IsDlgButtonChecked(dlg, 201) == BST_CHECKED;
    EndDialog(dlg, LOWORD(wp));
    return TRUE;
  }
  return FALSE;
}

class DialogsOnX : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *server = std::getenv("TAVO_XVFB_DISPLAY");
    if (!server || !*server) GTEST_SKIP() << "no private X server";
    if (!Shell("command -v xdotool >/dev/null 2>&1")) GTEST_SKIP() << "no xdotool";
    setenv("DISPLAY", server, 1);
    setenv("TAVO_DISPLAY", "x11", 1);
  }
  std::string Png(const char *name) { return std::string(TAVO_BINARY_DIR) + "/" + name; }
};

TEST_F(DialogsOnX, MessageBoxAnsweredByKeys) {
  std::thread user([&] { AnswerByKeys("Orvane", "Tab Return", Png("msgbox_x11.png")); });
  int r = MessageBoxA(0, "Skal skemaet gemmes?\nÆndringer går ellers tabt.", "Orvane",
                      MB_YESNOCANCEL | MB_ICONQUESTION);
  user.join();
  EXPECT_EQ(r, IDNO);  // Tab from Ja to Nej, Enter presses it
}

TEST_F(DialogsOnX, DialogAnsweredByKeys) {
  tavo::res::DialogTemplate t;
  t.caption = "Grupper";
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  t.fontFace = "MS Sans Serif";
  t.cx = 180;
  t.cy = 70;
  auto item = [](const char *cls, int id, const char *text, DWORD style, int x, int y, int cx, int cy) {
    return tavo::res::DialogItem{cls, id, text, (DWORD)(style | WS_VISIBLE), 0, x, y, cx, cy};
  };
  t.items = {item("STATIC", -1, "Gruppens navn:", SS_LEFT, 7, 9, 55, 8),
             item("EDIT", 200, "3.b Tømrer", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 65, 7, 108, 12),
             item("BUTTON", 201, "&Aktiv i skemaet", BS_AUTOCHECKBOX | WS_TABSTOP, 7, 26, 100, 10),
             item("BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 66, 49, 50, 14),
             item("BUTTON", IDCANCEL, "Annuller", BS_PUSHBUTTON | WS_TABSTOP, 123, 49, 50, 14)};
  g_checked = false;
  std::thread user([&] { AnswerByKeys("Grupper", "Tab space Return", Png("dialog_x11.png")); });
  INT_PTR r = tavo::res::DialogBoxTemplate(0, t, 0, Proc, 0);
  user.join();
  EXPECT_EQ(r, IDOK);
  EXPECT_TRUE(g_checked);
}

TEST_F(DialogsOnX, MenuBarOpenedAndChosenByKeys) {
  tavo::res::MenuTemplate t;
  t.name = "MAIN";
  t.items = {{"&Filer", 0, MF_POPUP,
              {{"&Åbn skema...\tCtrl+O", 101, 0, {}}, {"&Gem", 102, MF_GRAYED, {}}, {"", 0, MF_SEPARATOR, {}},
               {"&Afslut", 103, 0, {}}}},
             {"&Rediger", 0, MF_POPUP, {{"&Fortryd", 201, 0, {}}}}};
  tavo::res::RegisterMenu(t);
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainProc;
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = "OrvaneMain";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND main = CreateWindowExA(0, "OrvaneMain", "Orvane - skema", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 480, 300,
                              0, LoadMenuA(0, "MAIN"), 0, nullptr);
  ASSERT_NE(main, 0u);
  g_command = 0;
  std::thread user([&] { AnswerByKeys("Orvane - skema", "Up Return", Png("menu_x11.png"), "F10 Down"); });
  MSG msg;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!g_command && std::chrono::steady_clock::now() < end) {
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  user.join();
  EXPECT_EQ(g_command, 103u);  // Up from the first item wraps to Afslut
  DestroyWindow(main);
}

}  // namespace
