// What the window layer tells the drawing layer and the display backends.

#include "dialogs_support.h"
#include "userint.h"

using namespace dlgtest;

namespace {
std::vector<std::pair<HWND, tavo::user::WindowEvent>> g_events;
void Record(HWND h, tavo::user::WindowEvent e, void *) { g_events.push_back({h, e}); }
}  // namespace

TEST_F(DialogTest, WindowsCreatedVisibleAreAnnouncedAsShown) {
  int id = tavo::user::AddWindowHook(Record, nullptr);
  g_events.clear();
  HWND top = CreateWindowExA(0, "TWnd", "Titel", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, 0, 0, 0, nullptr);
  HWND child = CreateWindowExA(0, "TCtl", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 10, top, 0, 0, nullptr);
  tavo::user::RemoveWindowHook(id);
  for (HWND h : {top, child}) {
    bool created = false, shown = false;
    for (auto &[w, e] : g_events) {
      if (w != h) continue;
      if (e == tavo::user::WindowEvent::Created) created = true;
      if (e == tavo::user::WindowEvent::Shown) shown = created;  // after Created
    }
    EXPECT_TRUE(shown) << (h == top ? "top-level" : "child");
  }
}

TEST_F(DialogTest, TitleIsReadableFromAnyThreadWithoutAsking) {
  HWND top = CreateWindowExA(0, "TWnd", "Orvane - skema", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, 0, 0, 0, nullptr);
  EXPECT_EQ(tavo::user::TitleOf(top), "Orvane - skema");
  SetWindowTextA(top, "Ny");
  EXPECT_EQ(tavo::user::TitleOf(top), "Ny");
  EXPECT_EQ(tavo::user::TitleOf(0), "");
}
