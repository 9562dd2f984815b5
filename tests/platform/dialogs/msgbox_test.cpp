// Message boxes: buttons and their answers, Enter and Esc, the record the
// test hook keeps.

#include "dialogs_support.h"

using namespace dlgtest;

TEST_F(DialogTest, YesNoWithSecondDefaultAnswersNoToEnterAndYesWhenScripted) {
  HWND main = Top();
  std::string text, caption;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    text = d.text;
    caption = d.caption;
    EXPECT_TRUE(d.messageBox);
    tavo::test::PressKey(VK_RETURN);
    return 0;
  });
  EXPECT_EQ(MessageBoxA(main, "Skal skemaet gemmes?\nÆndringer går ellers tabt.", "Orvane",
                        MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION),
            IDNO);
  EXPECT_EQ(text, "Skal skemaet gemmes?\nÆndringer går ellers tabt.");
  EXPECT_EQ(caption, "Orvane");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDYES; });
  EXPECT_EQ(MessageBoxA(main, "Igen?", "Orvane", MB_YESNO | MB_DEFBUTTON2), IDYES);
  auto shown = tavo::test::MessageBoxesShown();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].type, (UINT)(MB_YESNO | MB_DEFBUTTON2 | MB_ICONQUESTION));
  EXPECT_EQ(shown[0].result, IDNO);
  EXPECT_EQ(shown[1].text, "Igen?");
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(DialogTest, EscAnswersOnlyBoxesWithAWayOut) {
  struct Case {
    UINT type;
    int expected;  // after Esc, then Enter
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL, IDCANCEL},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO, IDYES},  // Esc does nothing; Enter takes the default
      {MB_RETRYCANCEL, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
  };
  for (const Case &c : cases) {
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
      tavo::test::PressKey(VK_ESCAPE);
      tavo::test::PressKey(VK_RETURN);
      return 0;
    });
    EXPECT_EQ(MessageBoxA(0, "Tekst\tmed tabulator", "Fejl", c.type), c.expected) << c.type;
    tavo::test::PumpUntilIdle();  // a key the box did not need must not reach the next one
  }
}

TEST_F(DialogTest, WithoutAHandlerABoxTakesItsDefaultButton) {
  EXPECT_EQ(MessageBoxA(0, "Advarsel", "Tavo", MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONWARNING), IDCANCEL);
  EXPECT_EQ(MessageBoxA(0, "Info", "Tavo", MB_ICONINFORMATION | MB_TASKMODAL), IDOK);
}

#ifdef TAVO_HAVE_CONTROLS
TEST_F(DialogTest, BoxButtonsCarryTheDanishTexts) {
  std::vector<std::string> texts;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    for (auto &c : d.controls)
      if (c.className == "BUTTON" || c.className == "Button") texts.push_back(c.text);
    // Alt+N as a user would: the No button's mnemonic.
    tavo::test::PressKey('N', tavo::test::ModAlt);
    return 0;
  });
  EXPECT_EQ(MessageBoxA(0, "Slet?", "Tavo", MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(texts, (std::vector<std::string>{"&Ja", "&Nej", "Annuller"}));
}
#endif
