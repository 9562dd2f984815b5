// The number cell, the number box and the text box: the editing rules and
// how each ends.

#include "ens_support.h"

namespace {

using namespace wfb_test;

class Celle : public UiTest {
 protected:
  // A number cell with five integer digits and the given decimals.
  HWND Tal(int32_t vaerdi, uint32_t decimaler = 2, const char *klasse = "EditIntWndClass") {
    auto *e = static_cast<EditIntInfo *>(std::calloc(1, sizeof(EditIntInfo)));
    e->owner = vaert;
    e->x = 10;
    e->y = 10;
    e->width = 90;
    e->height = 16;
    e->intDigits = 5;
    e->decimals = decimaler;
    EXPECT_TRUE(EditIntSaetVaerdi(e, vaerdi));
    info = e;
    HWND h = CreateWindowExA(0, klasse, "", WS_CHILD | WS_VISIBLE, 10, 10, 90, 16, vaert, 0, 0, e);
    tavo::test::PumpUntilIdle();
    Log().clear();
    return h;
  }
  void Taster(HWND h, std::initializer_list<UINT> vk) {
    for (UINT k : vk) SendMessageA(h, WM_KEYDOWN, k, 0);
  }
  std::string Tekst() const { return info->text; }
  EditIntInfo *info = nullptr;
};

TEST_F(Celle, NumberCellEditsLikeACalculator) {
  struct {
    const char *navn;
    int32_t start;
    std::vector<UINT> taster;
    const char *tekst;
    uint32_t caret;
  } tilfaelde[] = {
      {"digits enter from the right", 0, {'7', '3'}, "    73,00", 5},
      {"backspace drops the units", 0, {'7', '3', VK_BACK}, "     7,00", 5},
      {"backspace to zero", 0, {'7', '3', VK_BACK, VK_BACK}, "     0,00", 5},
      {"keypad digits", 0, {VK_NUMPAD0 + 4, VK_NUMPAD0 + 2}, "    42,00", 5},
      {"comma then decimals", 0, {VK_OEM_COMMA, '5', '0'}, "     0,50", 8},
      {"decimal key is the comma", 0, {VK_DECIMAL, '5'}, "     0,50", 8},
      {"backspace back over the comma", 0, {VK_OEM_COMMA, '5', '0', VK_BACK, VK_BACK}, "     0,00", 5},
      {"minus twice", 1250, {VK_OEM_MINUS, VK_SUBTRACT}, "    12,50", 5},
      {"full field beeps", 1234500, {'9'}, " 12345,00", 5},
      {"comma elsewhere does not move", 0, {VK_OEM_COMMA, VK_OEM_COMMA}, "     0,00", 7},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HWND h = Tal(t.start);
    int bip = tavo::test::BeepCount();
    for (UINT k : t.taster) SendMessageA(h, WM_KEYDOWN, k, 0);
    EXPECT_EQ(Tekst(), t.tekst);
    EXPECT_EQ(info->caret, t.caret);
    if (std::string(t.navn) == "full field beeps") {
      EXPECT_EQ(tavo::test::BeepCount(), bip + 1);
    }
    DestroyWindow(h);
  }
}

TEST_F(Celle, ValueInHundredthsWithSign) {
  struct {
    int32_t start;
    std::vector<UINT> taster;
    LRESULT vaerdi;
  } tilfaelde[] = {
      {1250, {VK_OEM_MINUS}, -1250},
      {-1250, {}, -1250},
      {0, {'1', '2', VK_OEM_COMMA, '5'}, 1250},
      {123456, {}, 123456},  // 1234,56
      {9999999, {}, 9999999},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.start);
    HWND h = Tal(t.start);
    for (UINT k : t.taster) SendMessageA(h, WM_KEYDOWN, k, 0);
    EXPECT_EQ(SendMessageA(h, EDITINT_VAERDI, 0, 0), t.vaerdi);
    DestroyWindow(h);
  }
}

TEST_F(Celle, ValuesWiderThanTheFieldKeepEveryDigit) {
  // Whole numbers: 123456 has six digits in a five-digit field.
  struct {
    int32_t vaerdi;
    uint32_t decimaler;
  } tilfaelde[] = {{123456, 0}, {INT32_MAX, 2}, {INT32_MIN + 1, 2}, {-123456, 0}};
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.vaerdi);
    HWND h = Tal(t.vaerdi, t.decimaler);
    SendMessageA(h, WM_KEYDOWN, '7', 0);  // the field is full: nothing changes
    EXPECT_EQ(SendMessageA(h, EDITINT_VAERDI, 0, 0), t.vaerdi);
    DestroyWindow(h);
  }
}

TEST_F(Celle, CtrlHeldIgnoresTheKey) {
  HWND h = Tal(0);
  tavo::test::KeyDown(VK_CONTROL);
  tavo::test::PumpUntilIdle();
  SendMessageA(h, WM_KEYDOWN, '7', 0);
  tavo::test::KeyUp(VK_CONTROL);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Tekst(), "     0,00");
}

TEST_F(Celle, NumberBoxEndsWithEnterEscOrAClickOutside) {
  struct {
    const char *navn;
    UINT msg;
    WPARAM w;
    LPARAM l;
    UINT svar;
  } tilfaelde[] = {
      {"enter", WM_KEYDOWN, VK_RETURN, 0, EDITBOX_OK},
      {"esc", WM_KEYDOWN, VK_ESCAPE, 0, EDITBOX_FORTRYD},
      {"click right", WM_LBUTTONDOWN, 0, MAKELPARAM(200, 5), EDITBOX_OK},
      {"click left (read unsigned)", WM_LBUTTONDOWN, 0, MAKELPARAM(-3, 5), EDITBOX_OK},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HWND h = Tal(1250, 2, "EditBoxIntWndClass");  // the planning module's spelling
    ASSERT_NE(h, 0u);
    EXPECT_EQ(GetFocus(), h);
    EXPECT_EQ(GetCapture(), h);
    SendMessageA(h, WM_KEYDOWN, '3', 0);
    SendMessageA(h, t.msg, t.w, t.l);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].msg, t.svar);
    if (t.svar == EDITBOX_OK) {
      EXPECT_EQ(Log()[0].tekst, "   123,50");
    }
    EXPECT_FALSE(IsWindow(h));
    EXPECT_NE(GetCapture(), h);
  }
  HWND h = Tal(5);
  SendMessageA(h, WM_LBUTTONDOWN, 0, MAKELPARAM(3, 3));  // the number cell does not end itself
  EXPECT_TRUE(IsWindow(h));
}

// ---- text box ----

class Tekstboks : public UiTest {
 protected:
  HWND Boks(const char *tekst, uint32_t maks, bool alt = false) {
    HWND h = CreateEditboxWnd(0, vaert, 20, 20, 200, 18, tekst, maks, alt);
    tavo::test::PumpUntilIdle();
    info = reinterpret_cast<EditboxInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA));
    Log().clear();
    return h;
  }
  void Tegn(HWND h, const char *s) {
    for (; *s; ++s) SendMessageA(h, WM_CHAR, (unsigned char)*s, 0);
  }
  EditboxInfo *info = nullptr;
};

TEST_F(Tekstboks, InsertOverwriteAndTheLengthLimit) {
  HWND h = Boks("abcdefghij", 10);
  Tegn(h, "x");  // full in insert mode: dropped
  EXPECT_STREQ(info->text, "abcdefghij");
  SendMessageA(h, WM_KEYDOWN, VK_HOME, 0);
  SendMessageA(h, WM_KEYDOWN, VK_INSERT, 0);  // overwrite
  Tegn(h, "XY");
  EXPECT_STREQ(info->text, "XYcdefghij");
  EXPECT_EQ(info->caret, 2u);
  // Refused and accepted characters.
  Tegn(h, "<");
  EXPECT_STREQ(info->text, "XYcdefghij");
  Tegn(h, "æ");
  EXPECT_STREQ(info->text, "XYædefghij");
}

TEST_F(Tekstboks, SelectAllIsReplacedByTyping) {
  HWND h = Boks("Gammel", 20, true);
  EXPECT_EQ(info->anchor, 6u);
  EXPECT_EQ(info->caret, 0u);
  Tegn(h, "Ny");
  EXPECT_STREQ(info->text, "Ny");
  SendMessageA(h, WM_KEYDOWN, VK_BACK, 0);
  EXPECT_STREQ(info->text, "N");
}

TEST_F(Tekstboks, ExitsTellTheOwnerTheReasonAndText) {
  struct {
    const char *navn;
    UINT vk;
    const char *tekst;
    UINT svar;
    WPARAM grund;
  } tilfaelde[] = {
      {"left at position 0", VK_LEFT, "", EDITBOX_OK, VK_LEFT},
      {"up", VK_UP, "Hal", EDITBOX_OK, VK_UP},
      {"right at the end", VK_RIGHT, "Hal", EDITBOX_OK, VK_RIGHT},
      {"enter", VK_RETURN, "Hal", EDITBOX_OK, 0},
      {"esc", VK_ESCAPE, "Hal", EDITBOX_FORTRYD, 0},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    HWND h = Boks(t.tekst, 20);
    if (t.vk == VK_LEFT) SendMessageA(h, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(h, WM_KEYDOWN, t.vk, 0);
    ASSERT_EQ(Log().size(), 1u);
    EXPECT_EQ(Log()[0].msg, t.svar);
    EXPECT_EQ(Log()[0].w, t.grund);
    if (t.svar == EDITBOX_OK) {
      EXPECT_EQ(Log()[0].tekst, t.tekst);
    }
    else
      EXPECT_EQ(Log()[0].l, 0);
    EXPECT_FALSE(IsWindow(h));
  }
}

TEST_F(Tekstboks, PasteTakesTheFirstLineAndRespectsTheLimit) {
  HWND h = Boks("12", 6);
  ASSERT_TRUE(OpenClipboard(vaert));
  EmptyClipboard();
  const char kilde[] = "abc\r\nmere\r\n";
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, sizeof kilde);
  std::memcpy(GlobalLock(g), kilde, sizeof kilde);
  GlobalUnlock(g);
  SetClipboardData(CF_TEXT, g);
  CloseClipboard();
  SendMessageA(h, WM_KEYDOWN, VK_HOME, 0);
  tavo::test::KeyDown(VK_SHIFT);
  tavo::test::PumpUntilIdle();
  SendMessageA(h, WM_KEYDOWN, VK_INSERT, 0);
  SendMessageA(h, WM_KEYDOWN, VK_INSERT, 0);  // again: "12" is pushed past the limit and lost
  tavo::test::KeyUp(VK_SHIFT);
  tavo::test::PumpUntilIdle();
  EXPECT_STREQ(info->text, "abcabc");
  EXPECT_EQ(info->caret, 6u);
  EXPECT_EQ(info->anchor, 6u);
  char buf[8] = "zzzzzzz";
  SendMessageA(h, EDITBOX_HENT, reinterpret_cast<WPARAM>(buf), 0);
  EXPECT_STREQ(buf, "abcabc");
}

}  // namespace
