// The tab strip: selection by click and message, disabled tabs, kind colours.

#include "ens_support.h"

namespace {

using namespace wfb_test;

class Tab : public UiTest {
 protected:
  HWND Strimmel() {
    static char *tekster[] = {const_cast<char *>("&Aktiviteter"), const_cast<char *>("Fag"),
                              const_cast<char *>("Medarbejdere"), const_cast<char *>("Lokaler")};
    HWND t = CreateTabWnd(0, vaert, 9, 0, 0, 400, 22, tekster, 4);
    ShowWindow(t, SW_SHOW);
    tavo::test::PumpUntilIdle();
    info = reinterpret_cast<TabInfo *>(GetWindowLongPtrA(t, GWLP_USERDATA));
    Log().clear();
    return t;
  }
  TabInfo *info = nullptr;
};

TEST_F(Tab, MessagesSelectEnableAndDisable) {
  HWND t = Strimmel();
  EXPECT_EQ(SendMessageA(t, TAB_GETSELECTED, 0, 0), 0);
  SendMessageA(t, TAB_SELECT, 2, 0);
  EXPECT_EQ(SendMessageA(t, TAB_GETSELECTED, 0, 0), 2);
  SendMessageA(t, TAB_DISABLE, 2, 0);  // the selected one
  EXPECT_EQ(SendMessageA(t, TAB_GETSELECTED, 0, 0), 4);
  EXPECT_EQ(SendMessageA(t, TAB_ISENABLED, 2, 0), 0);
  SendMessageA(t, TAB_SELECT, 2, 0);  // disabled: nothing selected
  EXPECT_EQ(SendMessageA(t, TAB_GETSELECTED, 0, 0), 4);
  SendMessageA(t, TAB_ENABLE, 2, 0);
  EXPECT_EQ(SendMessageA(t, TAB_ISENABLED, 2, 0), 1);
  EXPECT_EQ(SendMessageA(t, TAB_ISENABLED, 9, 0), 0);
  SendMessageA(t, TAB_ENABLE, 9, 0);  // out of range: nothing
  SendMessageA(t, TAB_SELECT, 9, 0);
  EXPECT_EQ(SendMessageA(t, TAB_GETSELECTED, 0, 0), 4);
}

TEST_F(Tab, ClickSelectsIncludingTheTwoPixelsPastATab) {
  HWND t = Strimmel();
  const int slut1 = info->tabX[1];
  struct {
    int x, y;
    int valgt;  // -1: no notification
  } klik[] = {
      {slut1 + 1, 10, 0},   // two pixels past tab 0 still select it
      {slut1 + 2, 10, 1},
      {5, 1, -1},           // rows 0 and 1 are ignored
      {info->tabX[4] + 50, 10, -1},  // right of all tabs
  };
  for (auto &k : klik) {
    Log().clear();
    SendMessageA(t, WM_LBUTTONDOWN, 0, MAKELPARAM(k.x, k.y));
    if (k.valgt < 0) {
      EXPECT_TRUE(Log().empty()) << k.x;
    } else {
      ASSERT_EQ(Log().size(), 1u) << k.x;
      EXPECT_EQ(Log()[0].msg, (UINT)TAB_SELCHANGED);
      EXPECT_EQ(Log()[0].w, (WPARAM)k.valgt);
      EXPECT_EQ((HWND)Log()[0].l, t);
    }
  }
  SendMessageA(t, TAB_DISABLE, 3, 0);
  Log().clear();
  SendMessageA(t, WM_LBUTTONDOWN, 0, MAKELPARAM(info->tabX[3] + 5, 10));
  EXPECT_TRUE(Log().empty());
}

TEST_F(Tab, KindTabsUseTheirColoursWithoutAmpersands) {
  HWND t = Strimmel();
  tavo::test::ClearDrawnTexts();
  SendMessageA(t, WM_PAINT, 0, 0);
  struct {
    const char *tekst;
    COLORREF farve;
  } forventet[] = {{"Aktiviteter", FarveTab[7]}, {"Fag", FarveTab[13]}, {"Medarbejdere", FarveTab[8]},
                   {"Lokaler", FarveTab[10]}};
  auto tekster = tavo::test::DrawnTexts();
  for (auto &f : forventet) {
    bool fundet = false;
    for (auto &d : tekster)
      if (d.hwnd == t && d.text == f.tekst) {
        fundet = true;
        EXPECT_EQ(d.text_color, f.farve) << f.tekst;
      }
    EXPECT_TRUE(fundet) << f.tekst;
  }
}

}  // namespace
