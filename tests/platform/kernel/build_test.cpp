// What the build itself promises: texts are Windows-1252 bytes, the version
// comes from one place, and a failed invariant ends the process.
#include <gtest/gtest.h>

#include <cstring>

#include "tavo/assert.h"
#include "tavo/version.h"

TEST(Build, LiteralsAreWindows1252) {
  const char *s = "æøå";
  ASSERT_EQ(std::strlen(s), 3u);
  EXPECT_EQ((unsigned char)s[0], 0xE6);
  EXPECT_EQ((unsigned char)s[1], 0xF8);
  EXPECT_EQ((unsigned char)s[2], 0xE5);
  const char *big = "ÆØÅ";
  EXPECT_EQ((unsigned char)big[0], 0xC6);
  EXPECT_EQ((unsigned char)big[1], 0xD8);
  EXPECT_EQ((unsigned char)big[2], 0xC5);
}

TEST(Build, VersionNumberFollowsItsParts) {
  EXPECT_EQ(TAVO_VERSION_NUMBER,
            TAVO_VERSION_MAJOR * 10000 + TAVO_VERSION_MINOR * 100 + TAVO_VERSION_PATCH);
}

static void FailHere() {
  int records = 0;
  TAVO_ASSERT(records != 0);
}

TEST(BuildDeathTest, AssertNamesConditionModuleAndLine) {
  EXPECT_EXIT(FailHere(), ::testing::ExitedWithCode(tavo::kAssertExitCode),
              "Assertion failed: records != 0, file build_test, line [0-9]+");
}

static int g_cleanups = 0;
static void CountCleanup() {
  ++g_cleanups;
  std::fprintf(stderr, "cleanup ran\n");
}

TEST(BuildDeathTest, AssertRunsCleanupBeforeExit) {
  EXPECT_EXIT(
      {
        tavo::SetAssertHandlers(nullptr, CountCleanup);
        FailHere();
      },
      ::testing::ExitedWithCode(tavo::kAssertExitCode), "cleanup ran");
}
