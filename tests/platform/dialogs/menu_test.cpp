// Menus: the item calls, a template loaded by name, the keyboard menu loop
// on a window's menu bar, and menu help into a status window.

#include "dialogs_support.h"
#include "win/gdi.h"

using namespace dlgtest;
using tavo::res::MenuItem;

namespace {

void RegisterMain() {
  tavo::res::MenuTemplate t;
  t.name = "MAIN";
  t.items = {
      {"&Filer", 0, MF_POPUP,
       {{"&Åbn...\tCtrl+O", 101, 0, {}}, {"&Gem", 102, MF_GRAYED, {}}, {"", 0, MF_SEPARATOR, {}},
        {"&Afslut", 103, 0, {}}}},
      {"&Hjælp", 0, MF_POPUP, {{"&Om Tavo", 201, MF_CHECKED, {}}}},
  };
  tavo::res::RegisterMenu(t);
}

struct Watch {
  std::vector<UINT> commands;
  std::vector<std::pair<WPARAM, LPARAM>> selects;
  std::vector<HMENU> popups;
  HWND status = 0;
  UINT *helpIds = nullptr;
  std::vector<std::string> statusTexts;
};
Watch *g_watch = nullptr;

void Install(Watch *w) {
  g_watch = w;
  g_wndHandler = [](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT *r) {
    if (!g_watch) return false;
    if (h == g_watch->status) {
      if (m == WM_SETTEXT) g_watch->statusTexts.push_back((const char *)lp);
      return false;
    }
    switch (m) {
      case WM_COMMAND:
        g_watch->commands.push_back(LOWORD(wp));
        *r = 0;
        return true;
      case WM_MENUSELECT:
        g_watch->selects.push_back({wp, lp});
        if (g_watch->status) MenuHelp(m, wp, lp, GetMenu(h), 0, g_watch->status, g_watch->helpIds);
        return false;
      case WM_INITMENUPOPUP:
        g_watch->popups.push_back((HMENU)wp);
        return false;
    }
    return false;
  };
}

}  // namespace

TEST_F(DialogTest, MenuItemCallsAnswerAsDocumented) {
  RegisterMain();
  HMENU bar = LoadMenuA(0, "main");
  ASSERT_NE(bar, 0u);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(file), 4);
  EXPECT_EQ(GetMenuItemID(file, 0), 101u);
  EXPECT_EQ(GetMenuItemID(bar, 0), (UINT)-1);
  char buf[8];
  EXPECT_EQ(GetMenuStringA(bar, 101, buf, sizeof buf, MF_BYCOMMAND), 7);  // bounded
  EXPECT_STREQ(buf, "&Åbn...");
  EXPECT_EQ(GetMenuState(bar, 102, MF_BYCOMMAND), (UINT)MF_GRAYED);
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (4u << 8) | MF_POPUP);
  EXPECT_EQ(GetMenuState(bar, 999, MF_BYCOMMAND), (UINT)-1);
  // Previous states come back.
  EXPECT_EQ(EnableMenuItem(bar, 102, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(file, 0, MF_BYPOSITION | MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(bar, 999, MF_GRAYED), -1);
  EXPECT_EQ(CheckMenuItem(bar, 201, MF_UNCHECKED), (DWORD)MF_CHECKED);
  EXPECT_EQ(CheckMenuItem(bar, 201, MF_CHECKED), (DWORD)MF_UNCHECKED);
  EXPECT_TRUE(InsertMenuA(file, 103, MF_BYCOMMAND | MF_STRING, 104, "&Udskriv"));
  EXPECT_EQ(GetMenuItemID(file, 3), 104u);
  EXPECT_TRUE(DeleteMenu(bar, 104, MF_BYCOMMAND));
  EXPECT_FALSE(DeleteMenu(bar, 104, MF_BYCOMMAND));
  MENUITEMINFOA mi{};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE;
  char text[32];
  mi.dwTypeData = text;
  mi.cch = sizeof text;
  ASSERT_TRUE(GetMenuItemInfoA(file, 3, TRUE, &mi));
  EXPECT_STREQ(text, "&Afslut");
  EXPECT_EQ(mi.wID, 103u);
  EXPECT_EQ(LoadMenuA(0, "UKENDT"), 0u);
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(file));  // pop-ups go with their menu
}

TEST_F(DialogTest, TopLevelWindowGetsItsClassMenu) {
  RegisterMain();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "KlasseMedMenu";
  wc.lpszMenuName = "MAIN";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND top = CreateWindowExA(0, "KlasseMedMenu", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0, 0, 0, nullptr);
  ASSERT_NE(top, 0u);
  HMENU bar = GetMenu(top);
  ASSERT_NE(bar, 0u);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 0), 101u);
  // A menu given at creation wins; a child never has one.
  HMENU egen = CreateMenu();
  HWND medEgen = CreateWindowExA(0, "KlasseMedMenu", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 0, egen, 0, nullptr);
  EXPECT_EQ(GetMenu(medEgen), egen);
  HWND barn = CreateWindowExA(0, "KlasseMedMenu", "", WS_CHILD, 0, 0, 10, 10, top, 0, 0, nullptr);
  EXPECT_EQ(GetMenu(barn), 0u);
  DestroyWindow(medEgen);
  DestroyWindow(top);
  UnregisterClassA("KlasseMedMenu", 0);
}

TEST_F(DialogTest, MenuBarTakesARowAndIsWorkedFromTheKeyboard) {
  RegisterMain();
  Watch w;
  Install(&w);
  HWND main = Top();
  RECT before, after;
  GetClientRect(main, &before);
  HMENU bar = LoadMenuA(0, "MAIN");
  ASSERT_TRUE(SetMenu(main, bar));
  GetClientRect(main, &after);
  EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(GetMenu(main), bar);

  struct Case {
    const char *what;
    std::vector<std::pair<UINT, int>> keys;
    std::vector<UINT> commands;
  } cases[] = {
      {"F10, down, enter", {{VK_F10, 0}, {VK_DOWN, 0}, {VK_RETURN, 0}}, {101}},
      {"greyed item does nothing", {{VK_F10, 0}, {VK_DOWN, 0}, {VK_DOWN, 0}, {VK_RETURN, 0}}, {}},
      {"Alt+F then a", {{'F', tavo::test::ModAlt}, {'A', 0}}, {103}},
      {"Alt alone, right, enter, enter", {{VK_MENU, 0}, {VK_RIGHT, 0}, {VK_RETURN, 0}, {VK_RETURN, 0}}, {201}},
      {"up wraps past the separator", {{VK_F10, 0}, {VK_RETURN, 0}, {VK_UP, 0}, {VK_RETURN, 0}}, {103}},
  };
  for (const Case &c : cases) {
    w.commands.clear();
    for (auto [vk, mods] : c.keys) tavo::test::PressKey(vk, mods);
    // Escapes close whatever the keys left open; after the loop they are plain keys.
    for (int i = 0; i < 3; ++i) tavo::test::PressKey(VK_ESCAPE);
    tavo::test::PumpUntilIdle();
    EXPECT_EQ(w.commands, c.commands) << c.what;
  }
  EXPECT_FALSE(w.popups.empty());
  EXPECT_EQ(w.popups.front(), GetSubMenu(bar, 0));

  // A handler that keeps F10 to itself: the menu does not open.
  auto plain = g_wndHandler;
  g_wndHandler = [plain](HWND h, UINT m, WPARAM wp, LPARAM lp, LRESULT *r) {
    if (m == WM_SYSKEYDOWN && wp == VK_F10) return true;
    return plain(h, m, wp, lp, r);
  };
  w.selects.clear();
  tavo::test::PressKey(VK_F10);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(w.selects.empty());
  g_wndHandler = plain;

  // An inserted pop-up is there at once.
  HMENU view = CreatePopupMenu();
  AppendMenuA(view, MF_STRING, 301, "&Dagsoversigt");
  ASSERT_TRUE(InsertMenuA(bar, 1, MF_BYPOSITION | MF_POPUP, (UINT_PTR)view, "&Vis"));
  DrawMenuBar(main);
  w.commands.clear();
  tavo::test::PressKey('V', tavo::test::ModAlt);
  tavo::test::PressKey(VK_RETURN);
  tavo::test::PressKey(VK_ESCAPE);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(w.commands, (std::vector<UINT>{301}));
  Install(nullptr);
}

TEST_F(DialogTest, MenuSelectWithMenuHelpShowsTheItemsHelpText) {
  RegisterMain();
  tavo::res::RegisterStrings({{101, "Åbner et skema"}, {103, "Afslutter Orvane"}, {10, "Filer og skemaer"}});
  Watch w;
  Install(&w);
  HWND main = Top();
  HMENU bar = LoadMenuA(0, "MAIN");
  SetMenu(main, bar);
  w.status = CreateWindowExA(0, "TWnd", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, main, (HMENU)104, 0, nullptr);
  // The first pair for the commands, then (pop-up, string base) pairs, then zeros.
  UINT ids[] = {0, 0, (UINT)GetSubMenu(bar, 0), 10, 0, 0};
  w.helpIds = ids;
  tavo::test::PressKey(VK_F10);
  tavo::test::PressKey(VK_DOWN);
  tavo::test::PressKey(VK_UP);
  for (int i = 0; i < 3; ++i) tavo::test::PressKey(VK_ESCAPE);
  tavo::test::PumpUntilIdle();
  ASSERT_GE(w.selects.size(), 3u);
  EXPECT_EQ(w.selects[0].first, MAKEWPARAM(0, MF_POPUP | MF_HILITE));
  EXPECT_EQ((HMENU)w.selects[0].second, bar);
  EXPECT_EQ(w.selects[1].first, MAKEWPARAM(101, MF_HILITE));
  EXPECT_EQ((HMENU)w.selects[1].second, GetSubMenu(bar, 0));
  EXPECT_EQ(w.selects.back().first, MAKEWPARAM(0, 0xFFFF));  // closed
  EXPECT_EQ(w.statusTexts,
            (std::vector<std::string>{"Filer og skemaer", "Åbner et skema", "Afslutter Orvane",
                                      "Filer og skemaer" /* Esc: back on the bar */, ""}));
  Install(nullptr);
}

// A popup menu with pictures beside its items, one item that is a picture,
// and command ids that are negative or 0: a chosen id comes back signed,
// both as the return value and in WM_COMMAND, and id 0 is still posted.
TEST_F(DialogTest, PopupMenuReturnsSignedIdsAndPostsIdZero) {
  Watch w;
  Install(&w);
  HWND main = Top();
  const BYTE px[16] = {};
  HBITMAP bmp = CreateBitmap(2, 2, 1, 32, px);
  ASSERT_NE(bmp, 0u);
  HMENU m = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuA(m, MF_STRING, (UINT_PTR)(UINT)-2, "minus to"));
  ASSERT_TRUE(AppendMenuA(m, MF_STRING, 0, "nul"));
  ASSERT_TRUE(AppendMenuA(m, MF_STRING, 3, "tre"));
  ASSERT_TRUE(AppendMenuA(m, MF_BITMAP, 7, (LPCSTR)(UINT_PTR)bmp));
  ASSERT_TRUE(SetMenuItemBitmaps(m, (UINT)-2, MF_BYCOMMAND, bmp, bmp));
  ASSERT_TRUE(SetMenuItemBitmaps(m, 3, MF_BYCOMMAND, bmp, bmp));
  EXPECT_EQ(GetMenuItemID(m, 0), (UINT)-2);
  EXPECT_EQ(GetMenuState(m, 3, MF_BYPOSITION) & MF_BITMAP, (UINT)MF_BITMAP);

  struct Case {
    const char *what;
    std::vector<UINT> keys;
    int returned;                // with TPM_RETURNCMD
    std::vector<int> commands;   // without it
  } cases[] = {
      {"the first item", {VK_RETURN}, -2, {-2}},
      {"id 0", {VK_DOWN, VK_RETURN}, 0, {0}},
      {"a plain id", {VK_DOWN, VK_DOWN, VK_RETURN}, 3, {3}},
      {"the picture item", {VK_UP, VK_RETURN}, 7, {7}},
      {"escape", {VK_ESCAPE}, 0, {}},
  };
  for (const Case &c : cases) {
    for (UINT k : c.keys) tavo::test::PressKey(k);
    EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 20, 20, 0, main, nullptr), c.returned) << c.what;
    tavo::test::PumpUntilIdle();
    EXPECT_TRUE(w.commands.empty()) << c.what << ": nothing posted with TPM_RETURNCMD";

    w.commands.clear();
    for (UINT k : c.keys) tavo::test::PressKey(k);
    EXPECT_TRUE(TrackPopupMenu(m, TPM_LEFTALIGN, 20, 20, 0, main, nullptr)) << c.what;
    tavo::test::PumpUntilIdle();
    std::vector<int> signedIds;
    for (UINT id : w.commands) signedIds.push_back((short)id);
    EXPECT_EQ(signedIds, c.commands) << c.what;
    w.commands.clear();
  }
  DestroyMenu(m);
  DeleteObject(bmp);
  Install(nullptr);
}
