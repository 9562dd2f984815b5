#include "dialogs_support.h"

using namespace dlgtest;

TEST_F(DialogTest, LoadStringCopiesBoundedAndAnswersZeroWhenMissing) {
  tavo::res::RegisterStrings({{101, "Åbn et skema"}, {102, ""}});
  char buf[64];
  EXPECT_EQ(LoadStringA(0, 101, buf, sizeof buf), 12);
  EXPECT_STREQ(buf, "Åbn et skema");
  char small[5];
  EXPECT_EQ(LoadStringA(0, 101, small, sizeof small), 4);
  EXPECT_STREQ(small, "Åbn ");
  EXPECT_EQ(LoadStringA(0, 999, buf, sizeof buf), 0);
  EXPECT_STREQ(buf, "");
  EXPECT_EQ(LoadStringA(0, 101, buf, 0), 0);
  tavo::res::RegisterString(101, "Ny tekst");
  EXPECT_EQ(LoadStringA(0, 101, buf, sizeof buf), 8);
}
