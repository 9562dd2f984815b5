#pragma once
// Clocks under the Windows names. Local time is the machine's time zone.
// While a test has set the fake clock (tavo/clock.h), the wall-clock calls
// below answer from it; the tick counts keep running.

#include <ctime>

#include "win/types.h"

void GetLocalTime(LPSYSTEMTIME st);
void GetSystemTime(LPSYSTEMTIME st);
void GetSystemTimeAsFileTime(LPFILETIME ft);

// Milliseconds since an arbitrary start; the 32-bit one wraps after 49 days
// as on Windows.
DWORD GetTickCount(void);
ULONGLONG GetTickCount64(void);

typedef int64_t __time64_t;
__time64_t _time64(__time64_t *t);

// time() of the C library, with the fake clock. Only calls are replaced
// ("time(NULL)"), so members and variables named time are left alone.
time_t tavo_time(time_t *t = nullptr);
namespace std {
using ::tavo_time;
}
#define time(t) tavo_time(t)
