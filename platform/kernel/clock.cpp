// Wall clock, local time and tick counts.
#include <atomic>
#include <ctime>

#include "pathmap.h"
#include "tavo/clock.h"
#include "win/kernel.h"

// This file reads the real clock.
#undef time

namespace {

std::atomic<bool> g_fakeSet{false};
std::atomic<int64_t> g_fakeSeconds{0};

void ToSystemTime(const struct tm &tm, long nanoseconds, LPSYSTEMTIME st) {
  st->wYear = (WORD)(tm.tm_year + 1900);
  st->wMonth = (WORD)(tm.tm_mon + 1);
  st->wDayOfWeek = (WORD)tm.tm_wday;
  st->wDay = (WORD)tm.tm_mday;
  st->wHour = (WORD)tm.tm_hour;
  st->wMinute = (WORD)tm.tm_min;
  st->wSecond = (WORD)(tm.tm_sec > 59 ? 59 : tm.tm_sec);
  st->wMilliseconds = (WORD)(nanoseconds / 1000000);
}

uint64_t MonotonicMs() {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return (uint64_t)ts.tv_sec * 1000 + (uint64_t)ts.tv_nsec / 1000000;
}

}  // namespace

namespace tavo {

void SetFakeClock(int64_t unixSeconds) {
  g_fakeSeconds = unixSeconds;
  g_fakeSet = true;
}

void ClearFakeClock() { g_fakeSet = false; }

void WallClock(int64_t &seconds, long &nanoseconds) {
  if (g_fakeSet) {
    seconds = g_fakeSeconds;
    nanoseconds = 0;
    return;
  }
  struct timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  seconds = ts.tv_sec;
  nanoseconds = ts.tv_nsec;
}

}  // namespace tavo

void GetLocalTime(LPSYSTEMTIME st) {
  if (!st) return;
  int64_t s;
  long ns;
  tavo::WallClock(s, ns);
  time_t t = (time_t)s;
  struct tm tm;
  localtime_r(&t, &tm);
  ToSystemTime(tm, ns, st);
}

void GetSystemTime(LPSYSTEMTIME st) {
  if (!st) return;
  int64_t s;
  long ns;
  tavo::WallClock(s, ns);
  time_t t = (time_t)s;
  struct tm tm;
  gmtime_r(&t, &tm);
  ToSystemTime(tm, ns, st);
}

void GetSystemTimeAsFileTime(LPFILETIME ft) {
  if (!ft) return;
  int64_t s;
  long ns;
  tavo::WallClock(s, ns);
  struct timespec ts;
  ts.tv_sec = (time_t)s;
  ts.tv_nsec = ns;
  *ft = tavo::FileTimeFromTimespec(ts);
}

DWORD GetTickCount(void) { return (DWORD)MonotonicMs(); }

ULONGLONG GetTickCount64(void) { return MonotonicMs(); }

__time64_t _time64(__time64_t *t) {
  int64_t s;
  long ns;
  tavo::WallClock(s, ns);
  if (t) *t = s;
  return s;
}

time_t tavo_time(time_t *t) {
  int64_t s;
  long ns;
  tavo::WallClock(s, ns);
  if (t) *t = (time_t)s;
  return (time_t)s;
}
