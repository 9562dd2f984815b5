// The dialog manager: layout in dialog units, the keyboard interface, the
// procedure protocol, modal loops on any thread and the scripted answers.

#include <atomic>
#include <thread>

#include "dialogs_support.h"

using namespace dlgtest;
using tavo::res::DialogTemplate;

namespace {

std::vector<UINT> g_commands;
LPARAM g_initParam = 0;

INT_PTR CALLBACK RecordingProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    g_initParam = lp;
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    g_commands.push_back(LOWORD(wp));
    return TRUE;
  }
  (void)dlg;
  return FALSE;
}

DialogTemplate FourFields() {
  DialogTemplate t;
  t.id = 301;
  t.caption = "Grupper";
  t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE;
  t.fontFace = "MS Sans Serif";
  t.pointSize = 8;
  t.x = 10;
  t.y = 10;
  t.cx = 200;
  t.cy = 100;
  t.items = {Item("TCtl", 10, "&Navn:", 0, 7, 9, 30, 8),
             Item("TCtl", 11, "a", WS_TABSTOP | WS_GROUP, 40, 7, 50, 14),
             Item("TCtl", 12, "b", WS_TABSTOP, 40, 25, 50, 14),
             Item("TCtl", 13, "c", WS_TABSTOP | WS_DISABLED, 40, 43, 50, 14),
             Item("TCtl", 14, "d", WS_TABSTOP, 40, 61, 50, 14)};
  return t;
}

int Id(HWND h) { return h ? (int)GetWindowLongA(h, GWL_ID) : 0; }

HWND ChildById(HWND dlg, int id) {
  for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (Id(c) == id) return c;
  return 0;
}

}  // namespace

TEST_F(DialogTest, LaysOutInDialogUnitsOfTheEightPointFont) {
  g_commands.clear();
  HWND dlg = tavo::res::CreateDialogTemplate(0, FourFields(), 0, RecordingProc, 77);
  ASSERT_NE(dlg, 0u);
  EXPECT_EQ(g_initParam, 77);
  RECT c;
  GetClientRect(dlg, &c);
  EXPECT_EQ(c.right, 300);   // 200 units of a 6-pixel cell
  EXPECT_EQ(c.bottom, 163);  // 100 units of a 13-pixel cell, rounded
  HWND b = ChildById(dlg, 12);
  RECT r;
  GetWindowRect(b, &r);
  POINT o{0, 0};
  ClientToScreen(dlg, &o);
  EXPECT_EQ(r.left - o.x, 60);
  EXPECT_EQ(r.top - o.y, 41);  // 25 * 13 / 8 = 40.6
  EXPECT_EQ(r.right - r.left, 75);
  EXPECT_EQ(r.bottom - r.top, 23);
  RECT m{4, 8, 8, 16};
  ASSERT_TRUE(MapDialogRect(dlg, &m));
  EXPECT_EQ(m.left, 6);
  EXPECT_EQ(m.top, 13);
  EXPECT_EQ(m.right, 12);
  EXPECT_EQ(m.bottom, 26);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, TabAndShiftTabGoThroughTheTabStopsInTemplateOrder) {
  HWND dlg = tavo::res::CreateDialogTemplate(0, FourFields(), 0, RecordingProc, 0);
  ASSERT_NE(dlg, 0u);
  SetForegroundWindow(dlg);
  Pump(dlg);
  EXPECT_EQ(Id(GetFocus()), 11);  // the first tab stop after WM_INITDIALOG returned TRUE
  std::vector<int> seen;
  for (int i = 0; i < 3; ++i) {
    tavo::test::PressKey(VK_TAB);
    Pump(dlg);
    seen.push_back(Id(GetFocus()));
  }
  tavo::test::PressKey(VK_TAB, tavo::test::ModShift);
  Pump(dlg);
  seen.push_back(Id(GetFocus()));
  // 13 is disabled and skipped; the label 10 has no tab stop.
  EXPECT_EQ(seen, (std::vector<int>{12, 14, 11, 14}));
  // A label's mnemonic gives the focus to the control after it.
  tavo::test::PressKey('N', tavo::test::ModAlt);
  Pump(dlg);
  EXPECT_EQ(Id(GetFocus()), 11);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscCancels) {
  g_commands.clear();
  HWND dlg = tavo::res::CreateDialogTemplate(0, FourFields(), 0, RecordingProc, 0);
  SetForegroundWindow(dlg);
  Pump(dlg);
  tavo::test::PressKey(VK_RETURN);
  Pump(dlg);
  SendMessageA(dlg, DM_SETDEFID, 12, 0);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(12, DC_HASDEFID));
  tavo::test::PressKey(VK_RETURN);
  tavo::test::PressKey(VK_ESCAPE);
  Pump(dlg);
  EXPECT_EQ(g_commands, (std::vector<UINT>{IDOK, 12, IDCANCEL}));
  DestroyWindow(dlg);
}

TEST_F(DialogTest, ProcedureResultsGoThroughMsgResult) {
  static auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
    if (msg == WM_USER + 50) {
      SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 1234);
      return TRUE;
    }
    if (msg == WM_USER + 51) return 99;  // handled, but the answer is the message result (0)
    return FALSE;
  };
  HWND dlg = tavo::res::CreateDialogTemplate(0, FourFields(), 0, +proc, 0);
  SetWindowLongPtrA(dlg, DWLP_USER, 5);
  EXPECT_EQ(SendMessageA(dlg, WM_USER + 50, 0, 0), 1234);
  EXPECT_EQ(SendMessageA(dlg, WM_USER + 51, 0, 0), 0);
  EXPECT_EQ(GetWindowLongPtrA(dlg, DWLP_USER), 5);
  EXPECT_EQ((DLGPROC)GetWindowLongPtrA(dlg, DWLP_DLGPROC), +proc);
  DestroyWindow(dlg);
}

TEST_F(DialogTest, DlgItemTextAndNumbers) {
  HWND dlg = tavo::res::CreateDialogTemplate(0, FourFields(), 0, RecordingProc, 0);
  char small[4];
  SetDlgItemTextA(dlg, 11, "Lærerværelse");
  EXPECT_EQ(GetDlgItemTextA(dlg, 11, small, sizeof small), 3u);
  EXPECT_STREQ(small, "Lær");
  EXPECT_EQ(GetDlgItemTextA(dlg, 999, small, sizeof small), 0u);
  EXPECT_STREQ(small, "");
  struct Case {
    const char *text;
    BOOL isSigned;
    BOOL ok;
    UINT value;
  } cases[] = {
      {"42", FALSE, TRUE, 42},         {" 17 ", FALSE, TRUE, 17},  {"-5", TRUE, TRUE, (UINT)-5},
      {"-5", FALSE, FALSE, 0},         {"", FALSE, FALSE, 0},      {"12a", FALSE, FALSE, 0},
      {"4294967295", FALSE, TRUE, 0xFFFFFFFFu}, {"4294967296", FALSE, FALSE, 0}, {"2147483648", TRUE, FALSE, 0},
  };
  for (const Case &c : cases) {
    SetDlgItemTextA(dlg, 12, c.text);
    BOOL ok = 2;
    EXPECT_EQ(GetDlgItemInt(dlg, 12, &ok, c.isSigned), c.value) << c.text;
    EXPECT_EQ(ok, c.ok) << c.text;
  }
  SetDlgItemInt(dlg, 12, (UINT)-12, TRUE);
  GetDlgItemTextA(dlg, 12, small, sizeof small);
  EXPECT_STREQ(small, "-12");
  DestroyWindow(dlg);
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerAndReturnsTheScriptedAnswer) {
  HWND main = Top();
  DialogTemplate t = FourFields();
  t.style |= DS_CENTER;
  bool ownerDisabled = false;
  std::string caption;
  std::string secondText;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    ownerDisabled = !IsWindowEnabled(main);
    caption = d.caption;
    if (const auto *c = d.Control(12)) secondText = c->text;
    return 42;
  });
  EXPECT_EQ(tavo::res::DialogBoxTemplate(0, t, main, RecordingProc, 0), 42);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(caption, "Grupper");
  EXPECT_EQ(secondText, "b");
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(DialogTest, EndDialogInTheProcedureEndsTheLoopAndNamedTemplatesLoad) {
  DialogTemplate t = FourFields();
  t.name = "SVAR";
  tavo::res::RegisterDialog(t);
  static auto proc = [](HWND dlg, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
      EndDialog(dlg, 7);
      return TRUE;
    }
    return msg == WM_INITDIALOG;
  };
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  EXPECT_EQ(DialogBoxParamA(0, "svar", 0, +proc, 0), 7);
  EXPECT_EQ(DialogBoxParamA(0, "UKENDT", 0, +proc, 0), -1);
}

TEST_F(DialogTest, AnUnansweredDialogTimesOutWithCancelAndAFailure) {
  EXPECT_EQ(tavo::res::DialogBoxTemplate(0, FourFields(), 0, RecordingProc, 0), IDCANCEL);
  EXPECT_EQ(tavo::test::DialogFailures().size(), 1u);
  tavo::test::StartDialogScript(400);  // the failure was expected
}

TEST_F(DialogTest, WaitDialogOnItsOwnThreadIsToldAndEndedFromTheWorkingThread) {
  static std::atomic<HWND> s_wait{0};
  static std::atomic<int> s_texts{0};
  s_wait = 0;
  s_texts = 0;
  static auto proc = [](HWND dlg, UINT msg, WPARAM, LPARAM lp) -> INT_PTR {
    switch (msg) {
      case WM_INITDIALOG:
        s_wait = dlg;
        return TRUE;
      case 1028:
      case 1029:
        SetDlgItemTextA(dlg, msg == 1028 ? 11 : 12, (const char *)lp);
        ++s_texts;
        return TRUE;
    }
    return FALSE;
  };
  INT_PTR result = 0;
  DWORD dialogThread = 0;
  std::thread th([&] {
    dialogThread = GetCurrentThreadId();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return 0; });
    result = tavo::res::DialogBoxTemplate(0, FourFields(), 0, +proc, 0);
  });
  // The working thread polls for the dialog's handle, then talks to it.
  for (int i = 0; i < 400 && !s_wait.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  HWND wait = s_wait.load();
  ASSERT_NE(wait, 0u);
  SendMessageA(wait, 1028, 0, (LPARAM) "Indlæser skema ...");
  SendMessageA(wait, 1029, 0, (LPARAM) "Hold 3 af 12");
  char buf[64];
  GetDlgItemTextA(wait, 11, buf, sizeof buf);
  EXPECT_STREQ(buf, "Indlæser skema ...");
  EXPECT_EQ(s_texts.load(), 2);
  EXPECT_TRUE(EndDialog(wait, 5));
  th.join();
  EXPECT_EQ(result, 5);
  EXPECT_NE(dialogThread, GetCurrentThreadId());
  EXPECT_FALSE(IsWindow(wait));
}
