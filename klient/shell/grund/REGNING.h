#pragma once
// Pure arithmetic that several subsystems share: the rounding of figures
// and the minutes of a clock time. No state, nothing read from outside.

#include <cstdint>

// Thousandths to whole, halves away from zero.
int32_t RoundMilli(int32_t x);
// x to n decimals, halves away from zero, then nudged 1e-14 away from zero.
double RoundDecimals(int8_t n, double x);

// Minutes since midnight of a clock time written HHMM (930 is 9:30).
constexpr uint32_t KlokMinutter(uint32_t hhmm) { return hhmm / 100 * 60 + hhmm % 100; }
