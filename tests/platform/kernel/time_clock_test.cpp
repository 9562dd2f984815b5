// The wall clock the programs read, the fake clock of the tests, and the
// tick counts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tavo/clock.h"
#include "windows.h"
// Standard headers after windows.h still compile with the time() call
// replaced, and members named time stay reachable.
#include <chrono>
#include <ctime>
#include <thread>

namespace {

struct WithTimeMember {
  long time;
};

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char *tz = getenv("TZ");
    hadTz_ = tz != nullptr;
    if (tz) oldTz_ = tz;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    tavo::ClearFakeClock();
    if (hadTz_)
      setenv("TZ", oldTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  bool hadTz_ = false;
  std::string oldTz_;
};

TEST_F(ClockTest, FakeClockDrivesEveryWallClockCall) {
  // 2026-07-01 10:20:30 UTC, a Wednesday, 12:20:30 summer time.
  tavo::SetFakeClock(1782901230);
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  EXPECT_EQ(utc.wYear, 2026);
  EXPECT_EQ(utc.wMonth, 7);
  EXPECT_EQ(utc.wDay, 1);
  EXPECT_EQ(utc.wDayOfWeek, 3);
  EXPECT_EQ(utc.wHour, 10);
  EXPECT_EQ(utc.wMinute, 20);
  EXPECT_EQ(utc.wSecond, 30);
  EXPECT_EQ(local.wHour, 12);
  EXPECT_EQ(local.wMinute, 20);
  time_t t = 0;
  EXPECT_EQ(time(&t), 1782901230);
  EXPECT_EQ(t, 1782901230);
  EXPECT_EQ(std::time(nullptr), 1782901230);
  __time64_t t64 = 0;
  EXPECT_EQ(_time64(&t64), 1782901230);
  FILETIME ft, fromSt;
  GetSystemTimeAsFileTime(&ft);
  ASSERT_TRUE(SystemTimeToFileTime(&utc, &fromSt));
  EXPECT_EQ(CompareFileTime(&ft, &fromSt), 0);

  tavo::ClearFakeClock();
  EXPECT_GT(time(NULL), 1782901230 - 86400 * 3650);  // the real clock again
  WithTimeMember m{5};
  EXPECT_EQ(m.time, 5);
}

TEST_F(ClockTest, TickCountsRunForward) {
  ULONGLONG a = GetTickCount64();
  DWORD a32 = GetTickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ULONGLONG b = GetTickCount64();
  EXPECT_GE(b - a, 19u);
  EXPECT_GE((DWORD)(GetTickCount() - a32), 19u);
}

}  // namespace
