// List boxes and combo boxes.

#include <algorithm>
#include <cstring>

#include "controls_support.h"

using namespace ctltest;
using tavo::test::Click;
using tavo::test::PressKey;

namespace {

std::string ItemText(HWND h, UINT getText, UINT getLen, int i) {
  LRESULT n = SendMessageA(h, getLen, i, 0);
  if (n < 0) return "<err>";
  std::string s((size_t)n + 1, '\0');
  SendMessageA(h, getText, i, (LPARAM)s.data());
  s.resize((size_t)n);
  return s;
}

}  // namespace

TEST_F(ControlsTest, SortedListOrdersWithoutRegardToCase) {
  HWND l = Make("LISTBOX", LBS_SORT | LBS_HASSTRINGS | WS_VSCROLL, 10, 10, 10, 150, 100);
  for (const char *s : {"beta", "Alfa", "øst", "alfa", "Åby", "Gamma"}) SendMessageA(l, LB_ADDSTRING, 0, (LPARAM)s);
  std::vector<std::string> got;
  for (int i = 0; i < SendMessageA(l, LB_GETCOUNT, 0, 0); ++i) got.push_back(ItemText(l, LB_GETTEXT, LB_GETTEXTLEN, i));
  EXPECT_EQ(got, (std::vector<std::string>{"Alfa", "alfa", "beta", "Gamma", "Åby", "øst"}));
  EXPECT_EQ(SendMessageA(l, LB_FINDSTRING, (WPARAM)-1, (LPARAM)"GA"), 3);
  EXPECT_EQ(SendMessageA(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)"ALFA"), 0);
  EXPECT_EQ(SendMessageA(l, LB_FINDSTRINGEXACT, 0, (LPARAM)"ALFA"), 1);  // searches after the start
  EXPECT_EQ(SendMessageA(l, LB_FINDSTRING, (WPARAM)-1, (LPARAM)"x"), LB_ERR);
}

TEST_F(ControlsTest, MultiSelectListWithTabStopsGivesTheChosenItems) {
  HWND l = Make("LISTBOX", LBS_MULTIPLESEL | LBS_USETABSTOPS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, 20, 10,
                10, 250, 120);
  for (const char *s : {"AB\tAnne Berg", "CD\tCarl Dahl", "EF\tEva Frost", "GH\tGert Hald"})
    SendMessageA(l, LB_ADDSTRING, 0, (LPARAM)s);
  int stops[] = {40};
  EXPECT_TRUE(SendMessageA(l, LB_SETTABSTOPS, 1, (LPARAM)stops));
  int ih = (int)SendMessageA(l, LB_GETITEMHEIGHT, 0, 0);
  ASSERT_GT(ih, 0);
  for (int i : {1, 3, 0, 3}) {  // the second click on 3 takes it back
    POINT p = At(l, 20, i * ih + ih / 2);
    Click(p.x, p.y);
  }
  SetFocus(l);
  PressKey(VK_DOWN);
  PressKey(VK_SPACE);  // Down stops at the last item; Space takes 3 again
  tavo::test::ClearDrawnTexts();
  Pump();
  int sel[8] = {};
  EXPECT_EQ(SendMessageA(l, LB_GETSELCOUNT, 0, 0), 3);
  ASSERT_EQ(SendMessageA(l, LB_GETSELITEMS, 8, (LPARAM)sel), 3);
  EXPECT_EQ(std::vector<int>(sel, sel + 3), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(SendMessageA(l, LB_GETSELITEMS, 2, (LPARAM)sel), 2);  // never past the caller's room
  auto codes = Commands(20);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), LBN_SELCHANGE), 5);

  // The name column starts at the tab stop, 40 dialog units in.
  int nameX = -1, codeX = -1;
  for (auto &t : tavo::test::DrawnTexts()) {
    if (t.hwnd != l) continue;
    if (t.text == "Carl Dahl") nameX = t.x;
    if (t.text == "CD") codeX = t.x;
  }
  ASSERT_GE(codeX, 0);
  EXPECT_GT(nameX - codeX, 40);
  EXPECT_LT(nameX - codeX, 90);
}

TEST_F(ControlsTest, ListAndComboAnswerErrorsForBadIndexes) {
  HWND l = Make("LISTBOX", LBS_NOTIFY, 1, 10, 10, 100, 80);
  HWND c = Make("COMBOBOX", CBS_DROPDOWNLIST, 2, 150, 10, 100, 120);
  SendMessageA(l, LB_ADDSTRING, 0, (LPARAM)"en");
  SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)"en");
  char buf[16];
  struct Case {
    HWND h;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
  };
  const Case cases[] = {
      {l, LB_GETTEXT, 5, (LPARAM)buf},     {l, LB_GETTEXTLEN, (WPARAM)-3, 0}, {l, LB_DELETESTRING, 1, 0},
      {l, LB_SETCURSEL, 9, 0},             {l, LB_GETITEMDATA, 2, 0},         {l, LB_SETITEMDATA, 7, 1},
      {l, LB_INSERTSTRING, 3, (LPARAM)"x"}, {l, LB_GETSEL, 4, 0},             {l, LB_SETSEL, TRUE, 0},
      {l, LB_GETSELITEMS, 4, (LPARAM)buf}, {c, CB_GETLBTEXT, 1, (LPARAM)buf}, {c, CB_GETLBTEXTLEN, 1, 0},
      {c, CB_DELETESTRING, (WPARAM)-2, 0}, {c, CB_SETCURSEL, 3, 0},           {c, CB_GETITEMDATA, 1, 0},
      {c, CB_SETITEMDATA, 1, 5},           {c, CB_INSERTSTRING, 2, (LPARAM)"x"}, {c, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)"zz"},
  };
  for (const Case &k : cases)
    EXPECT_EQ(SendMessageA(k.h, k.msg, k.wp, k.lp), -1) << std::hex << k.msg;
  EXPECT_EQ(SendMessageA(l, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(c, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), CB_ERR);
}

TEST_F(ControlsTest, OwnerDrawnComboMeasuresDrawsAndGivesTheChosenData) {
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  g_handler = [&](HWND, UINT m, WPARAM, LPARAM lp, LRESULT *r) {
    if (m == WM_MEASUREITEM) {
      auto *mis = (MEASUREITEMSTRUCT *)lp;
      measured.push_back(*mis);
      mis->itemHeight = 18;
      *r = TRUE;
      return true;
    }
    if (m == WM_DRAWITEM) {
      drawn.push_back(*(DRAWITEMSTRUCT *)lp);
      *r = TRUE;
      return true;
    }
    return false;
  };
  HWND c = Make("COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL, 30, 10, 10, 200, 150);
  ASSERT_EQ(measured.size(), 2u);
  EXPECT_EQ(measured[0].CtlType, (UINT)ODT_COMBOBOX);
  EXPECT_EQ(measured[0].CtlID, 30u);
  EXPECT_EQ(measured[0].itemID, (UINT)-1);
  EXPECT_EQ(measured[1].itemID, 0u);
  EXPECT_EQ(SendMessageA(c, CB_GETITEMHEIGHT, 0, 0), 18);
  const char *roles[] = {"Lærer", "Leder", "Vejleder"};
  for (int i = 0; i < 3; ++i) {
    int at = (int)SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)roles[i]);
    SendMessageA(c, CB_SETITEMDATA, at, 100 + i);
  }
  SetFocus(c);
  PressKey(VK_F4);
  Pump();
  EXPECT_EQ(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0), TRUE);
  // The list drops below the field; pick its third item with the mouse.
  RECT wr;
  GetWindowRect(c, &wr);
  int x = wr.left + 20, y = wr.bottom + 1 + 2 * 18 + 9;
  Click(x, y);
  Pump();
  EXPECT_EQ(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0), FALSE);
  int sel = (int)SendMessageA(c, CB_GETCURSEL, 0, 0);
  EXPECT_EQ(sel, 2);
  EXPECT_EQ(SendMessageA(c, CB_GETITEMDATA, sel, 0), 102);
  EXPECT_EQ(ItemText(c, CB_GETLBTEXT, CB_GETLBTEXTLEN, sel), "Vejleder");
  EXPECT_EQ(Commands(30), (std::vector<int>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  // The field is drawn by the parent too, flagged as the edit part, with the chosen item.
  auto field = std::find_if(drawn.rbegin(), drawn.rend(),
                            [](const DRAWITEMSTRUCT &d) { return (d.itemState & ODS_COMBOBOXEDIT) != 0; });
  ASSERT_NE(field, drawn.rend());
  EXPECT_EQ(field->itemID, 2u);
  EXPECT_EQ(field->itemData, 102u);
  EXPECT_EQ(field->CtlType, (UINT)ODT_COMBOBOX);
  bool listItem = std::any_of(drawn.begin(), drawn.end(), [](const DRAWITEMSTRUCT &d) {
    return !(d.itemState & ODS_COMBOBOXEDIT) && d.itemID == 1 && d.rcItem.bottom - d.rcItem.top == 18;
  });
  EXPECT_TRUE(listItem);
  g_handler = nullptr;
}

TEST_F(ControlsTest, ComboKeysChangeTheSelection) {
  HWND c = Make("COMBOBOX", CBS_DROPDOWNLIST | CBS_SORT, 40, 10, 10, 200, 150);
  for (const char *s : {"Mandag", "Tirsdag", "Onsdag", "Torsdag", "Fredag"}) SendMessageA(c, CB_ADDSTRING, 0, (LPARAM)s);
  SetFocus(c);
  struct Step {
    UINT vk;
    int mods;
    const char *expect;
  };
  const Step steps[] = {
      {VK_DOWN, 0, "Fredag"}, {VK_DOWN, 0, "Mandag"}, {'T', 0, "Tirsdag"}, {'T', 0, "Torsdag"},
      {VK_HOME, 0, "Fredag"}, {VK_END, 0, "Torsdag"}, {VK_UP, 0, "Tirsdag"},
  };
  for (const Step &s : steps) {
    PressKey(s.vk, s.mods);
    Pump();
    char buf[32] = {};
    GetWindowTextA(c, buf, sizeof buf);
    EXPECT_STREQ(buf, s.expect) << s.vk;
  }
  auto codes = Commands(40);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_SELCHANGE), 7);
  PressKey(VK_DOWN, tavo::test::ModAlt);
  Pump();
  EXPECT_TRUE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
  PressKey(VK_DOWN);
  PressKey(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(SendMessageA(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessageA(c, CB_GETCURSEL, 0, 0), 3);  // Esc leaves the selection it had
  EXPECT_EQ(Commands(40).back(), CBN_CLOSEUP);
}
