// Buttons and edits, driven by mouse and keyboard as a user would.

#include <cstring>

#include "controls_support.h"

using namespace ctltest;
using tavo::test::Click;
using tavo::test::PressKey;
using tavo::test::TypeText;

TEST_F(ControlsTest, CheckBoxesCycleTheirStatesOnClicks) {
  struct Case {
    DWORD style;
    std::vector<LRESULT> after;  // BM_GETCHECK after each of three clicks
  };
  const Case cases[] = {
      {BS_AUTOCHECKBOX, {BST_CHECKED, BST_UNCHECKED, BST_CHECKED}},
      {BS_AUTO3STATE, {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
      {BS_CHECKBOX, {BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED}},  // the parent checks it itself
  };
  int id = 100;
  for (const Case &c : cases) {
    HWND b = Make("BUTTON", c.style, ++id, 10, 10, 120, 20, "Vælg");
    for (size_t i = 0; i < c.after.size(); ++i) {
      POINT p = At(b, 5, 10);
      Click(p.x, p.y);
      Pump();
      EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), c.after[i]) << "style " << c.style << " click " << i;
    }
    EXPECT_EQ(Commands(id), (std::vector<int>{BN_CLICKED, BN_CLICKED, BN_CLICKED}));
    DestroyWindow(b);
  }
}

TEST_F(ControlsTest, ThreeStateBoxKeepsIndeterminateOnlyWhereItCan) {
  HWND three = Make("BUTTON", BS_3STATE, 1, 10, 10, 100, 20, "Tre");
  HWND two = Make("BUTTON", BS_CHECKBOX, 2, 10, 40, 100, 20, "To");
  EXPECT_TRUE(CheckDlgButton(parent, 1, BST_INDETERMINATE));
  EXPECT_TRUE(CheckDlgButton(parent, 2, BST_INDETERMINATE));
  EXPECT_EQ(IsDlgButtonChecked(parent, 1), (UINT)BST_INDETERMINATE);
  EXPECT_EQ(IsDlgButtonChecked(parent, 2), (UINT)BST_CHECKED);
  EXPECT_FALSE(CheckDlgButton(parent, 99, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(parent, 99), 0u);
  (void)three;
  (void)two;
}

TEST_F(ControlsTest, AutoRadioButtonsUncheckOnlyTheirOwnGroup) {
  HWND a1 = Make("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 11, 10, 10, 100, 20, "A1");
  HWND a2 = Make("BUTTON", BS_AUTORADIOBUTTON, 12, 10, 30, 100, 20, "A2");
  HWND a3 = Make("BUTTON", BS_AUTORADIOBUTTON, 13, 10, 50, 100, 20, "A3");
  HWND b1 = Make("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 21, 200, 10, 100, 20, "B1");
  HWND b2 = Make("BUTTON", BS_AUTORADIOBUTTON, 22, 200, 30, 100, 20, "B2");
  SendMessageA(b1, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(a1, BM_SETCHECK, BST_CHECKED, 0);
  for (HWND target : {a3, a2}) {
    POINT p = At(target, 5, 10);
    Click(p.x, p.y);
    Pump();
  }
  EXPECT_EQ(SendMessageA(a1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(a2, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(a3, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b1, BM_GETCHECK, 0, 0), BST_CHECKED);  // the other group is left alone
  EXPECT_EQ(SendMessageA(b2, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Commands(12), std::vector<int>{BN_CLICKED});

  EXPECT_TRUE(CheckRadioButton(parent, 21, 22, 22));
  EXPECT_EQ(SendMessageA(b1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b2, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlsTest, AClickOnAGroupBoxReachesTheControlBeneathIt) {
  // Made first, the group box lies above the buttons inside it.
  Make("BUTTON", BS_GROUPBOX, 30, 5, 5, 200, 80, "Ramme");
  HWND radio = Make("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 31, 15, 25, 120, 20, "Inde");
  POINT p = At(radio, 5, 10);
  Click(p.x, p.y);
  Pump();
  EXPECT_EQ(SendMessageA(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Commands(31), std::vector<int>{BN_CLICKED});
  // On the frame itself the click goes to the parent, and the box says nothing.
  p = At(parent, 100, 75);
  Click(p.x, p.y);
  Pump();
  EXPECT_TRUE(Commands(30).empty());
}

TEST_F(ControlsTest, PushButtonClicksByMouseAndSpaceButNotWhenReleasedOutside) {
  HWND b = Make("BUTTON", BS_PUSHBUTTON, 7, 10, 10, 80, 24, "OK");
  POINT in = At(b, 40, 12), out = At(b, 200, 200);
  Click(in.x, in.y);
  Pump();
  tavo::test::MouseDown(0, in.x, in.y);
  Pump();
  EXPECT_EQ(GetCapture(), b);
  EXPECT_TRUE(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  tavo::test::MouseMove(out.x, out.y);
  tavo::test::MouseUp(0, out.x, out.y);
  Pump();
  EXPECT_EQ(GetCapture(), 0u);
  SetFocus(b);
  PressKey(VK_SPACE);
  Pump();
  EXPECT_EQ(Commands(7), (std::vector<int>{BN_CLICKED, BN_CLICKED}));
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Commands(7).size(), 3u);
}

TEST_F(ControlsTest, SetStyleMakesAButtonTheDefault) {
  HWND b = Make("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 7, 10, 10, 80, 24, "OK");
  EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  SendMessageA(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(SendMessageA(b, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(b, GWL_STYLE) & (WS_CHILD | WS_TABSTOP | BS_TYPEMASK),
            WS_CHILD | WS_TABSTOP | BS_DEFPUSHBUTTON);
}

TEST_F(ControlsTest, ButtonsAskTheParentForColours) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *r) {
    if (m != WM_CTLCOLORSTATIC) return false;
    SetTextColor((HDC)w, RGB(0, 0, 255));
    *r = (LRESULT)red;
    return true;
  };
  HWND b = Make("BUTTON", BS_AUTOCHECKBOX, 5, 10, 10, 120, 20, "Farvet");
  Pump();
  EXPECT_EQ(tavo::test::WindowPixel(b, 118, 1), RGB(255, 0, 0));
  bool blue = false;
  for (auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == b && t.text == "Farvet") blue = t.text_color == RGB(0, 0, 255);
  EXPECT_TRUE(blue);
  g_handler = nullptr;
  DestroyWindow(b);
  DeleteObject(red);
}

// ---------------------------------------------------------------- edits

namespace {
std::string Text(HWND h) {
  char buf[512] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}
}  // namespace

TEST_F(ControlsTest, PasswordEditKeepsTheTextAndShowsStars) {
  HWND e = Make("EDIT", ES_PASSWORD | ES_AUTOHSCROLL, 30, 10, 10, 150, 20);
  SetFocus(e);
  TypeText("hemmelig");
  Pump();
  EXPECT_EQ(Text(e), "hemmelig");
  EXPECT_EQ(SendMessageA(e, EM_GETPASSWORDCHAR, 0, 0), '*');
  std::string shown;
  for (auto &t : tavo::test::DrawnTexts()) {
    EXPECT_EQ(t.text.find("hem"), std::string::npos) << t.text;
    if (t.hwnd == e) shown = t.text;
  }
  EXPECT_EQ(shown, "********");
  // Copying a password gives nothing away.
  SendMessageA(e, EM_SETSEL, 0, -1);
  PressKey('C', tavo::test::ModCtrl);
  Pump();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  SendMessageA(e, EM_SETPASSWORDCHAR, 0, 0);
  EXPECT_EQ(GetWindowLongA(e, GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(ControlsTest, EditLimitCutsTypedPastedAndReplacedText) {
  HWND e = Make("EDIT", ES_AUTOHSCROLL, 31, 10, 10, 150, 20);
  SendMessageA(e, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 5);
  SetFocus(e);
  TypeText("abcdefgh");
  Pump();
  EXPECT_EQ(Text(e), "abcde");
  auto codes = Commands(31);
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_MAXTEXT), codes.end());
  std::string huge(100000, 'x');
  SendMessageA(e, EM_SETSEL, 1, 3);
  SendMessageA(e, EM_REPLACESEL, TRUE, (LPARAM)huge.c_str());
  EXPECT_EQ(Text(e), "axxde");
  char small[4];
  EXPECT_EQ(GetWindowTextA(e, small, sizeof small), 3);
  EXPECT_STREQ(small, "axx");
}

TEST_F(ControlsTest, EditKeysSelectDeleteAndUseTheClipboard) {
  HWND e = Make("EDIT", ES_AUTOHSCROLL, 32, 10, 10, 200, 20);
  SetFocus(e);
  TypeText("Skole æøå");
  PressKey(VK_HOME, tavo::test::ModShift);  // select all backwards
  PressKey('X', tavo::test::ModCtrl);
  Pump();
  EXPECT_EQ(Text(e), "");
  PressKey('V', tavo::test::ModCtrl);
  PressKey('V', tavo::test::ModCtrl);
  PressKey(VK_HOME);
  PressKey(VK_DELETE);
  PressKey(VK_END);
  PressKey(VK_BACK);
  PressKey(VK_LEFT, tavo::test::ModShift);
  PressKey(VK_LEFT, tavo::test::ModShift);
  Pump();
  EXPECT_EQ(Text(e), "kole æøåSkole æø");
  DWORD s = 0, en = 0;
  SendMessageA(e, EM_GETSEL, (WPARAM)&s, (LPARAM)&en);
  EXPECT_EQ(s, 14u);
  EXPECT_EQ(en, 16u);
  TypeText("Z");
  Pump();
  EXPECT_EQ(Text(e), "kole æøåSkole Z");
  auto codes = Commands(32);
  EXPECT_EQ(codes.front(), EN_SETFOCUS);
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_CHANGE), codes.end());
  EXPECT_NE(std::find(codes.begin(), codes.end(), EN_UPDATE), codes.end());
}

TEST_F(ControlsTest, PasteIntoSingleLineStopsAtTheFirstReturn) {
  struct Case {
    DWORD style;
    const char *expect;
  };
  const Case cases[] = {{ES_AUTOHSCROLL, "linje 1"}, {ES_MULTILINE | ES_AUTOVSCROLL, "linje 1\r\nlinje 2"}};
  int id = 40;
  for (const Case &c : cases) {
    HWND e = Make("EDIT", c.style, ++id, 10, 10, 200, 60);
    const char text[] = "linje 1\r\nlinje 2";
    ASSERT_TRUE(OpenClipboard(parent));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof text);
    std::memcpy(GlobalLock(g), text, sizeof text);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    SendMessageA(e, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(e), c.expect);
    EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), (c.style & ES_MULTILINE) ? 2 : 1);
    DestroyWindow(e);
  }
}

TEST_F(ControlsTest, MultiLineEditTakesReturnAndReportsLines) {
  HWND e = Make("EDIT", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, 50, 10, 10, 200, 80);
  SetFocus(e);
  TypeText("et");
  PressKey(VK_RETURN);
  TypeText("to");
  PressKey(VK_UP);
  PressKey(VK_END);
  TypeText("!");
  Pump();
  EXPECT_EQ(Text(e), "et!\r\nto");
  EXPECT_EQ(SendMessageA(e, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 1, 0), 5);
  EXPECT_EQ(SendMessageA(e, EM_LINEINDEX, 7, 0), -1);
  EXPECT_EQ(SendMessageA(e, EM_LINELENGTH, 6, 0), 2);
}

TEST_F(ControlsTest, ReadOnlyAndNumberEditsRefuseWhatTheyMust) {
  HWND ro = Make("EDIT", ES_READONLY, 60, 10, 10, 100, 20, "fast");
  HWND num = Make("EDIT", ES_NUMBER | ES_UPPERCASE, 61, 10, 40, 100, 20);
  SetFocus(ro);
  TypeText("x");
  PressKey(VK_BACK);
  SetFocus(num);
  TypeText("1a2");
  Pump();
  EXPECT_EQ(Text(ro), "fast");
  EXPECT_EQ(Text(num), "12");
  SendMessageA(ro, EM_SETREADONLY, FALSE, 0);
  SetFocus(ro);
  PressKey(VK_END);
  TypeText("e");
  Pump();
  EXPECT_EQ(Text(ro), "faste");
}

TEST_F(ControlsTest, SubclassedEditSeesKeysFirst) {
  static WNDPROC original;
  static int swallowed;
  swallowed = 0;
  HWND e = Make("EDIT", ES_AUTOHSCROLL, 70, 10, 10, 100, 20);
  original = (WNDPROC)SetWindowLongPtrA(e, GWLP_WNDPROC, (LONG_PTR)(WNDPROC)[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_CHAR && w == 'q') {
      ++swallowed;
      return 0;
    }
    return CallWindowProcA(original, h, m, w, l);
  });
  ASSERT_NE(original, nullptr);
  SetFocus(e);
  TypeText("aqb");
  Pump();
  EXPECT_EQ(Text(e), "ab");
  EXPECT_EQ(swallowed, 1);
  std::vector<int> codes = Commands(70);
  EXPECT_EQ(codes.back(), EN_CHANGE);
  SetFocus(parent);
  EXPECT_EQ(Commands(70).back(), EN_KILLFOCUS);
}

TEST_F(ControlsTest, ControlsPaintWithTheParentsBrushAndTextColour) {
  HBRUSH green = CreateSolidBrush(RGB(0, 128, 0));
  std::vector<UINT> asked;
  g_handler = [&](HWND, UINT m, WPARAM w, LPARAM, LRESULT *r) {
    if (m < WM_CTLCOLORMSGBOX || m > WM_CTLCOLORSTATIC) return false;
    asked.push_back(m);
    SetTextColor((HDC)w, RGB(128, 0, 128));
    *r = (LRESULT)green;
    return true;
  };
  struct Case {
    const char *cls;
    DWORD style;
    UINT expect;
  };
  const Case cases[] = {
      {"EDIT", ES_AUTOHSCROLL, WM_CTLCOLOREDIT},
      {"EDIT", ES_READONLY, WM_CTLCOLORSTATIC},
      {"STATIC", SS_LEFT, WM_CTLCOLORSTATIC},
      {"LISTBOX", LBS_NOTIFY, WM_CTLCOLORLISTBOX},
  };
  int id = 80;
  for (const Case &c : cases) {
    HWND h = Make(c.cls, c.style, ++id, 10, 10, 150, 60, "Tekst");
    if (!strcmp(c.cls, "LISTBOX")) SendMessageA(h, LB_ADDSTRING, 0, (LPARAM) "Tekst");
    asked.clear();
    tavo::test::ClearDrawnTexts();
    Pump();
    ASSERT_FALSE(asked.empty()) << c.cls;
    EXPECT_EQ(asked.back(), c.expect) << c.cls;
    EXPECT_EQ(tavo::test::WindowPixel(h, 145, 55), RGB(0, 128, 0)) << c.cls;
    bool purple = false;
    for (auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.text == "Tekst") purple = t.text_color == RGB(128, 0, 128);
    EXPECT_TRUE(purple) << c.cls;
    DestroyWindow(h);
  }
  g_handler = nullptr;
  DeleteObject(green);
}

TEST_F(ControlsTest, StaticRepaintsNewTextAndKeepsAmpersandsWithNoPrefix) {
  HWND plain = Make("STATIC", SS_LEFT, 90, 10, 10, 200, 20, "Gem &alt");
  HWND raw = Make("STATIC", SS_LEFT | SS_NOPREFIX, -1, 10, 40, 200, 20, "A & B");
  Pump();
  tavo::test::ClearDrawnTexts();
  SetWindowTextA(plain, "Henter ny version");
  Pump();
  std::vector<std::string> drawn;
  for (auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == plain) drawn.push_back(t.text);
  EXPECT_EQ(drawn, std::vector<std::string>{"Henter ny version"});
  InvalidateRect(raw, nullptr, TRUE);
  Pump();
  bool kept = false;
  for (auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == raw) kept = t.text == "A & B";
  EXPECT_TRUE(kept);
  EXPECT_EQ(GetDlgCtrlID(raw), -1);
  EXPECT_EQ(GetDlgItem(parent, 90), plain);
  EXPECT_EQ(GetDlgItem(parent, 12345), 0u);
}

TEST_F(ControlsTest, MouseOnAnEditPlacesTheCaretAndDragSelects) {
  HWND e = Make("EDIT", ES_AUTOHSCROLL, 95, 10, 10, 200, 20, "mandag");
  auto at = [&](const char *prefix) {
    HDC dc = GetDC(e);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE sz{};
    GetTextExtentPoint32A(dc, prefix, (int)strlen(prefix), &sz);
    SelectObject(dc, old);
    ReleaseDC(e, dc);
    return At(e, 1 + sz.cx, 10);
  };
  POINT a = at("man");
  Click(a.x, a.y);
  Pump();
  EXPECT_EQ(GetFocus(), e);
  TypeText("-");
  Pump();
  EXPECT_EQ(Text(e), "man-dag");
  POINT from = at("man-da"), to = at("man");  // dragged leftwards over "-da"
  tavo::test::Drag(from.x, from.y, to.x, to.y, 3);
  Pump();
  DWORD s = 0, en = 0;
  SendMessageA(e, EM_GETSEL, (WPARAM)&s, (LPARAM)&en);
  EXPECT_EQ(s, 3u);
  EXPECT_EQ(en, 6u);
  std::string big(20000, 'w');
  SetWindowTextA(e, big.c_str());
  POINT far = At(e, 150, 10);
  Click(far.x, far.y);  // a long text stays quick to hit-test
  Pump();
  SendMessageA(e, EM_GETSEL, (WPARAM)&s, (LPARAM)&en);
  EXPECT_GT(s, 0u);
  EXPECT_LT(s, 100u);
}

TEST_F(ControlsTest, ControlsDrawWithTheFontTheyAreGiven) {
  HFONT courier = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
  struct Case {
    const char *cls;
    DWORD style;
  };
  const Case cases[] = {{"BUTTON", BS_PUSHBUTTON}, {"BUTTON", BS_AUTOCHECKBOX}, {"EDIT", ES_AUTOHSCROLL},
                        {"STATIC", SS_LEFT},       {"LISTBOX", LBS_NOTIFY},     {"COMBOBOX", CBS_DROPDOWNLIST}};
  int id = 200;
  for (const Case &c : cases) {
    HWND h = Make(c.cls, c.style, ++id, 10, 10, 200, 80, "Skrift");
    if (!strcmp(c.cls, "LISTBOX")) SendMessageA(h, LB_ADDSTRING, 0, (LPARAM) "Skrift");
    if (!strcmp(c.cls, "COMBOBOX")) {
      SendMessageA(h, CB_ADDSTRING, 0, (LPARAM) "Skrift");
      SendMessageA(h, CB_SETCURSEL, 0, 0);
    }
    EXPECT_EQ(SendMessageA(h, WM_GETFONT, 0, 0), 0) << c.cls;  // the default GUI font until told
    SendMessageA(h, WM_SETFONT, (WPARAM)courier, TRUE);
    EXPECT_EQ((HFONT)SendMessageA(h, WM_GETFONT, 0, 0), courier) << c.cls;
    tavo::test::ClearDrawnTexts();
    Pump();
    std::string face;
    for (auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h && t.text == "Skrift") face = t.face;
    EXPECT_EQ(face, "Courier New") << c.cls << " " << c.style;
    DestroyWindow(h);
  }
  DeleteObject(courier);
}
