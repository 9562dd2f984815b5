// Dialogs of standard controls worked as a user works them: the values the
// program reads back are the ones the user set.

#include <atomic>
#include <thread>

#include "dialogs_support.h"
#include "win/controls.h"

using namespace dlgtest;

namespace {

struct Values {
  UINT checked = 0;
  int radio = 0;
  std::string password;
  std::vector<int> listSel;
  int combo = -1;
  int drawn = 0;
};
Values g_values;

INT_PTR CALLBACK FormProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: {
      const char *rows[] = {"1.a\tDansk", "1.b\tMatematik", "2.a\tEngelsk", "2.b\tFysik"};
      for (const char *r : rows) SendDlgItemMessageA(dlg, 230, LB_ADDSTRING, 0, (LPARAM)r);
      int stops[] = {40};
      SendDlgItemMessageA(dlg, 230, LB_SETTABSTOPS, 1, (LPARAM)stops);
      for (const char *r : {"Mandag", "Tirsdag", "Onsdag"}) SendDlgItemMessageA(dlg, 240, CB_ADDSTRING, 0, (LPARAM)r);
      CheckRadioButton(dlg, 211, 213, 211);
      return TRUE;
    }
    case WM_MEASUREITEM:
      ((MEASUREITEMSTRUCT *)lp)->itemHeight = 14;
      return TRUE;
    case WM_DRAWITEM:
      ++g_values.drawn;
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK) {
        g_values.checked = IsDlgButtonChecked(dlg, 201);
        for (int id = 211; id <= 213; ++id)
          if (IsDlgButtonChecked(dlg, id) == BST_CHECKED) g_values.radio = id;
        char buf[64];
        GetDlgItemTextA(dlg, 220, buf, sizeof buf);
        g_values.password = buf;
        int sel[8];
        int n = (int)SendDlgItemMessageA(dlg, 230, LB_GETSELITEMS, 8, (LPARAM)sel);
        g_values.listSel.assign(sel, sel + std::max(n, 0));
        g_values.combo = (int)SendDlgItemMessageA(dlg, 240, CB_GETCURSEL, 0, 0);
        EndDialog(dlg, IDOK);
        return TRUE;
      }
      if (LOWORD(wp) == IDCANCEL) {
        EndDialog(dlg, IDCANCEL);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

tavo::res::DialogTemplate Form() {
  tavo::res::DialogTemplate t;
  t.caption = "Grupper";
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  t.fontFace = "MS Sans Serif";
  t.cx = 220;
  t.cy = 170;
  t.items = {
      Item("BUTTON", 201, "&Aktiv", BS_AUTOCHECKBOX | WS_TABSTOP, 7, 7, 80, 10),
      Item("BUTTON", 211, "&Hele skemaet", BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, 7, 22, 80, 10),
      Item("BUTTON", 212, "&Denne uge", BS_AUTORADIOBUTTON, 7, 34, 80, 10),
      Item("BUTTON", 213, "D&ag", BS_AUTORADIOBUTTON, 7, 46, 80, 10),
      Item("STATIC", -1, "Ad&gangskode:", WS_GROUP, 7, 62, 50, 8),
      Item("EDIT", 220, "", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 60, 60, 80, 12),
      Item("LISTBOX", 230, "", LBS_EXTENDEDSEL | LBS_USETABSTOPS | LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
           7, 78, 100, 50),
      Item("COMBOBOX", 240, "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 115,
           78, 90, 60),
      Item("BUTTON", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 106, 150, 50, 14),
      Item("BUTTON", IDCANCEL, "Annuller", BS_PUSHBUTTON | WS_TABSTOP, 163, 150, 50, 14),
  };
  return t;
}

}  // namespace

TEST_F(DialogTest, StandardControlsGiveBackWhatTheUserSet) {
  g_values = Values{};
  std::vector<std::string> classes;
  int checkedAtStart = -1;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    for (auto &c : d.controls) classes.push_back(c.className);
    checkedAtStart = d.Control(211)->checked;
    // As a user: Alt+A ticks the box, Tab to the radio group and Down to the
    // next radio, Alt+G to the password field, typing, Enter for OK.
    tavo::test::PressKey('A', tavo::test::ModAlt);
    tavo::test::PressKey(VK_TAB);
    tavo::test::PressKey(VK_DOWN);
    tavo::test::PressKey('G', tavo::test::ModAlt);
    tavo::test::TypeText("hemmelig");
    // Selections through the controls' messages.
    HWND list = d.Control(230)->hwnd;
    SendMessageA(list, LB_SETSEL, TRUE, 1);
    SendMessageA(list, LB_SETSEL, TRUE, 3);
    SendMessageA(d.Control(240)->hwnd, CB_SETCURSEL, 2, 0);
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  EXPECT_EQ(tavo::res::DialogBoxTemplate(0, Form(), 0, FormProc, 0), IDOK);
  EXPECT_EQ(checkedAtStart, BST_CHECKED);
  EXPECT_EQ(g_values.checked, (UINT)BST_CHECKED);
  EXPECT_EQ(g_values.radio, 212);
  EXPECT_EQ(g_values.password, "hemmelig");
  EXPECT_EQ(g_values.listSel, (std::vector<int>{1, 3}));
  EXPECT_EQ(g_values.combo, 2);
  ASSERT_EQ(classes.size(), 10u);
  EXPECT_EQ(classes[0], "BUTTON");
}

TEST_F(DialogTest, WaitDialogShowsAMarqueeAndChangingTexts) {
  static std::atomic<HWND> s_wait{0};
  s_wait = 0;
  tavo::res::DialogTemplate t;
  t.caption = "Vent venligst";
  t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  t.fontFace = "MS Sans Serif";
  t.cx = 180;
  t.cy = 60;
  t.items = {Item("STATIC", 11, "", SS_LEFT, 7, 7, 166, 8), Item("STATIC", 12, "", SS_LEFT, 7, 18, 166, 8),
             Item(PROGRESS_CLASS, 13, "", PBS_MARQUEE, 7, 32, 166, 10)};
  static auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM lp) -> INT_PTR {
    switch (msg) {
      case WM_INITDIALOG:
        SendDlgItemMessageA(dlg, 13, PBM_SETMARQUEE, TRUE, 50);
        s_wait = dlg;
        return TRUE;
      case 1028:
        SetDlgItemTextA(dlg, 11, (const char *)lp);
        return TRUE;
      case 1029:
        SetDlgItemTextA(dlg, 12, (const char *)lp);
        return TRUE;
    }
    return FALSE;
  };
  DWORD marquee = 0;
  INT_PTR result = 0;
  std::thread th([&] {
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
      marquee = d.Control(13)->style & PBS_MARQUEE;
      return 0;
    });
    result = tavo::res::DialogBoxTemplate(0, t, 0, +proc, 0);
  });
  for (int i = 0; i < 400 && !s_wait.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  HWND wait = s_wait.load();
  ASSERT_NE(wait, 0u);
  char buf[64];
  for (const char *text : {"Indlæser data ...", "Beregner skema ...", "Gemmer ..."}) {
    SendMessageA(wait, 1028, 0, (LPARAM)text);
    GetDlgItemTextA(wait, 11, buf, sizeof buf);
    EXPECT_STREQ(buf, text);
  }
  EndDialog(wait, IDOK);
  th.join();
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(marquee, (DWORD)PBS_MARQUEE);
}
