#pragma once
// A settable wall clock for tests: while set, GetLocalTime, GetSystemTime,
// GetSystemTimeAsFileTime, time() and _time64 answer this instant (seconds
// since 1970 UTC) instead of the system clock. It does not advance.

#include <cstdint>

namespace tavo {

void SetFakeClock(int64_t unixSeconds);
void ClearFakeClock();

// The wall clock as the programs see it: seconds and nanoseconds since 1970.
void WallClock(int64_t &seconds, long &nanoseconds);

}  // namespace tavo
