// FILETIME, SYSTEMTIME and DOS times convert both ways; file times set
// with null pointers keep the others.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "windows.h"

namespace {

uint64_t Ticks(const FILETIME &ft) { return ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime; }
FILETIME Ft(uint64_t t) { return FILETIME{(DWORD)t, (DWORD)(t >> 32)}; }

// Local-time tests run in a fixed zone with summer time, whatever the
// machine's zone is.
class FileTimeLocal : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *tz = getenv("TZ");
    hadTz_ = tz != nullptr;
    if (tz) oldTz_ = tz;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_)
      setenv("TZ", oldTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  bool hadTz_ = false;
  std::string oldTz_;
};

TEST(FileTime, SystemTimeRoundTrips) {
  struct Case {
    SYSTEMTIME st;
    uint64_t ticks;
  } cases[] = {
      {{1601, 1, 1, 1, 0, 0, 0, 0}, 0},
      {{1970, 1, 4, 1, 0, 0, 0, 0}, 116444736000000000ULL},  // Thursday 1 January 1970
      {{2000, 2, 2, 29, 12, 34, 56, 789}, 125963012967890000ULL},
      {{2026, 12, 3, 9, 23, 59, 59, 999}, 0},
  };
  for (const Case &c : cases) {
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&c.st, &ft)) << c.st.wYear;
    if (c.ticks) {
      EXPECT_EQ(Ticks(ft), c.ticks) << c.st.wYear;
    }
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(memcmp(&back, &c.st, sizeof back), 0) << c.st.wYear << " dow " << back.wDayOfWeek;
  }
  SYSTEMTIME bad[] = {{2025, 2, 0, 29, 0, 0, 0, 0},
                      {2024, 13, 0, 1, 0, 0, 0, 0},
                      {1600, 12, 0, 31, 0, 0, 0, 0},
                      {2024, 1, 0, 1, 24, 0, 0, 0},
                      {2024, 1, 0, 1, 0, 0, 0, 1000}};
  for (const SYSTEMTIME &st : bad) {
    FILETIME ft;
    EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
  }
  FILETIME huge = Ft(0x8000000000000000ULL);
  SYSTEMTIME st;
  EXPECT_FALSE(FileTimeToSystemTime(&huge, &st));
  FILETIME a = Ft(5), b = Ft(7);
  EXPECT_EQ(CompareFileTime(&a, &b), -1);
  EXPECT_EQ(CompareFileTime(&b, &a), 1);
  EXPECT_EQ(CompareFileTime(&a, &a), 0);
}

TEST(FileTime, DosDateTimeRoundTrips) {
  struct Case {
    WORD date, time;
    SYSTEMTIME st;
  } cases[] = {
      {0x0021, 0x0000, {1980, 1, 2, 1, 0, 0, 0, 0}},
      {(46 << 9) | (12 << 5) | 9, (23 << 11) | (59 << 5) | 29, {2026, 12, 3, 9, 23, 59, 58, 0}},
      {(127 << 9) | (12 << 5) | 31, (0 << 11) | (0 << 5) | 1, {2107, 12, 6, 31, 0, 0, 2, 0}},
  };
  for (const Case &c : cases) {
    FILETIME ft;
    ASSERT_TRUE(DosDateTimeToFileTime(c.date, c.time, &ft)) << c.st.wYear;
    SYSTEMTIME st;
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &st));
    EXPECT_EQ(memcmp(&st, &c.st, sizeof st), 0) << c.st.wYear;
    WORD d, t;
    ASSERT_TRUE(FileTimeToDosDateTime(&ft, &d, &t));
    EXPECT_EQ(d, c.date);
    EXPECT_EQ(t, c.time);
  }
  // Odd seconds round down; years outside DOS's range and bad fields fail.
  SYSTEMTIME odd = {2001, 5, 0, 6, 7, 8, 9, 500};
  FILETIME ft;
  WORD d, t;
  ASSERT_TRUE(SystemTimeToFileTime(&odd, &ft));
  ASSERT_TRUE(FileTimeToDosDateTime(&ft, &d, &t));
  EXPECT_EQ(t & 0x1F, 4);
  SYSTEMTIME early = {1979, 12, 0, 31, 0, 0, 0, 0};
  ASSERT_TRUE(SystemTimeToFileTime(&early, &ft));
  EXPECT_FALSE(FileTimeToDosDateTime(&ft, &d, &t));
  EXPECT_FALSE(DosDateTimeToFileTime(0x0000, 0, &ft));            // month 0
  EXPECT_FALSE(DosDateTimeToFileTime(0x0021, (24 << 11), &ft));   // hour 24
  EXPECT_FALSE(DosDateTimeToFileTime((1 << 9) | (2 << 5) | 30, 0, &ft));  // 30 February 1981
}

TEST_F(FileTimeLocal, LocalFileTimeFollowsSummerTime) {
  struct Case {
    SYSTEMTIME utc;
    int offsetHours;
  } cases[] = {
      {{2026, 1, 0, 15, 12, 0, 0, 0}, 1},
      {{2026, 7, 0, 15, 12, 0, 0, 0}, 2},
      {{2026, 3, 0, 29, 0, 59, 59, 0}, 1},  // just before the change
      {{2026, 3, 0, 29, 1, 0, 0, 0}, 2},
  };
  for (const Case &c : cases) {
    FILETIME utc, local, back;
    ASSERT_TRUE(SystemTimeToFileTime(&c.utc, &utc));
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    EXPECT_EQ((int64_t)(Ticks(local) - Ticks(utc)), c.offsetHours * 36000000000LL) << c.utc.wMonth;
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(Ticks(back), Ticks(utc)) << c.utc.wMonth;
  }
  // The far ends of the range fail cleanly, never wrap (the sanitizer
  // stops the test on an overflow).
  for (uint64_t t : {0x7FFFFFFFFFFFFFFFULL, 0xFFFFFFFFFFFFFFFFULL}) {
    FILETIME in = Ft(t), out;
    EXPECT_FALSE(FileTimeToLocalFileTime(&in, &out));
    EXPECT_FALSE(LocalFileTimeToFileTime(&in, &out));
  }
}

TEST(FileTime, SetFileTimeKeepsWhatItIsNotGiven) {
  char tmpl[] = "/tmp/tavo_ft_XXXXXX";
  int fd = mkstemp(tmpl);
  ASSERT_GE(fd, 0);
  close(fd);
  std::string win = std::string("C:") + tmpl;
  HANDLE h = CreateFile(win.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SYSTEMTIME s1 = {2020, 5, 0, 1, 10, 0, 0, 0}, s2 = {2021, 6, 0, 2, 11, 30, 0, 0};
  FILETIME t1, t2, c, a, w;
  ASSERT_TRUE(SystemTimeToFileTime(&s1, &t1));
  ASSERT_TRUE(SystemTimeToFileTime(&s2, &t2));
  ASSERT_TRUE(SetFileTime(h, NULL, &t1, &t1));
  ASSERT_TRUE(SetFileTime(h, &t2, NULL, &t2));  // creation cannot change; access stays
  ASSERT_TRUE(GetFileTime(h, &c, &a, &w));
  EXPECT_EQ(Ticks(a), Ticks(t1));
  EXPECT_EQ(Ticks(w), Ticks(t2));
  ASSERT_TRUE(SetFileTime(h, NULL, &t2, NULL));
  ASSERT_TRUE(GetFileTime(h, NULL, &a, &w));
  EXPECT_EQ(Ticks(a), Ticks(t2));
  EXPECT_EQ(Ticks(w), Ticks(t2));
  CloseHandle(h);
  EXPECT_FALSE(GetFileTime(h, &c, &a, &w));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
  unlink(tmpl);
}

}  // namespace
