// The property sheet: pages made lazily, a page that refuses to be left,
// apply only to pages that were shown, PSM_SETCURSEL, help, cancel.

#include <string>
#include <vector>

#include "dialogs_support.h"
#include "win/controls.h"
#include "win/prsht.h"

using namespace dlgtest;

namespace {

std::vector<std::string> g_log;
bool g_stay = false;

INT_PTR CALLBACK PageProc(HWND dlg, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    int n = (int)((const PROPSHEETPAGEA *)lp)->lParam;
    SetWindowLongPtrA(dlg, DWLP_USER, n);
    g_log.push_back("init " + std::to_string(n));
    return TRUE;
  }
  if (msg != WM_NOTIFY) return FALSE;
  std::string n = std::to_string(GetWindowLongPtrA(dlg, DWLP_USER));
  switch (((NMHDR *)lp)->code) {
    case PSN_SETACTIVE: g_log.push_back("active " + n); break;
    case PSN_KILLACTIVE:
      g_log.push_back("kill " + n);
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, g_stay ? TRUE : FALSE);
      return TRUE;
    case PSN_APPLY:
      g_log.push_back("apply " + n);
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    case PSN_RESET: g_log.push_back("reset " + n); break;
    case PSN_HELP: g_log.push_back("help " + n); break;
    default: return FALSE;
  }
  return TRUE;
}

tavo::res::DialogTemplate PageTemplate(const char *caption, int cy) {
  tavo::res::DialogTemplate t;
  t.caption = caption;
  t.style = WS_CHILD | DS_SETFONT | WS_CAPTION;
  t.fontFace = "MS Sans Serif";
  t.cx = 200;
  t.cy = cy;
  t.items = {Item("msctls_trackbar32", 100, "", WS_TABSTOP, 10, 10, 150, 20),
             Item("EDIT", 101, "", WS_TABSTOP | WS_BORDER, 10, 40, 80, 12)};
  return t;
}

struct Pages {
  tavo::res::DialogTemplate t[3] = {PageTemplate("Generelt", 100), PageTemplate("Skema", 120),
                                    PageTemplate("Udskrift", 90)};
  PROPSHEETPAGEA p[3]{};
  PROPSHEETHEADERA h{};
  Pages() {
    for (int i = 0; i < 3; ++i) {
      p[i].dwSize = sizeof(PROPSHEETPAGEA);
      p[i].dwFlags = PSP_DLGINDIRECT | (i == 1 ? PSP_USETITLE : 0);
      p[i].pResource = &t[i];
      p[i].pszTitle = "Skemaopsætning";
      p[i].pfnDlgProc = PageProc;
      p[i].lParam = i;
    }
    h.dwSize = sizeof h;
    h.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP;
    h.pszCaption = "Installationsindstillinger";
    h.nPages = 3;
    h.nStartPage = 0;
    h.ppsp = p;
  }
};

}  // namespace

TEST_F(DialogTest, PropertySheetKeepsARefusingPageAndAppliesOnlyShownPages) {
  g_log.clear();
  g_stay = false;
  Pages pages;
  std::vector<std::string> logAtStart;
  bool refused = false, jumped = false, hasHelp = false, hasApply = true;
  std::string caption;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    HWND sheet = d.hwnd;
    caption = d.caption;
    logAtStart = g_log;
    hasHelp = d.ControlByText("Hjælp") != nullptr;
    hasApply = d.Control(0x3021) != nullptr;
    HWND first = PropSheet_GetCurrentPageHwnd(sheet);
    g_stay = true;
    refused = !PropSheet_SetCurSel(sheet, 0, 1) && PropSheet_GetCurrentPageHwnd(sheet) == first;
    g_stay = false;
    jumped = PropSheet_SetCurSel(sheet, 0, 2) && PropSheet_GetCurrentPageHwnd(sheet) != first;
    SendMessageA(sheet, WM_COMMAND, IDHELP, 0);
    tavo::test::PressKey(VK_F1);
    tavo::test::PressKey(VK_RETURN);  // OK: the default button
    return 0;
  });
  EXPECT_EQ(PropertySheetA(&pages.h), 1);
  EXPECT_EQ(caption, "Installationsindstillinger");
  EXPECT_EQ(logAtStart, (std::vector<std::string>{"init 0", "active 0"}));  // later pages not made yet
  EXPECT_TRUE(refused);
  EXPECT_TRUE(jumped);
  EXPECT_TRUE(hasHelp);
  EXPECT_FALSE(hasApply);
  EXPECT_EQ(g_log, (std::vector<std::string>{"init 0", "active 0", "kill 0", "kill 0", "init 2", "active 2",
                                             "help 2", "help 2", "kill 2", "apply 0", "apply 2"}));
}

TEST_F(DialogTest, PropertySheetCancelResetsTheShownPages) {
  g_log.clear();
  g_stay = false;
  Pages pages;
  pages.h.nStartPage = 1;
  std::vector<std::string> titles;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) -> INT_PTR {
    tavo::test::PressKey(VK_ESCAPE);
    return 0;
  });
  EXPECT_EQ(PropertySheetA(&pages.h), 0);
  EXPECT_EQ(g_log, (std::vector<std::string>{"init 1", "active 1", "reset 1"}));
  pages.h.nPages = 0;
  EXPECT_EQ(PropertySheetA(&pages.h), -1);
}
