// Pure arithmetic that several subsystems share.
#include "REGNING.h"

#include <cmath>

int32_t RoundMilli(int32_t x) {
  const int64_t v = x;
  if (v >= 1) return static_cast<int32_t>((v + 500) / 1000);
  if (v == 0) return 0;
  return static_cast<int32_t>((v - 500) / 1000);
}

double RoundDecimals(int8_t n, double x) {
  const double f = std::pow(10.0, n);
  double y = x * f;
  if (x > 0)
    y = y + 1e-12 + 0.5;
  else if (x < 0)
    y = y - 1e-12 - 0.5;
  // Beyond the 64-bit range there are no decimals left to round.
  if (!(std::fabs(y) < 9.2e18)) return x;
  double r = static_cast<double>(static_cast<int64_t>(y)) / f;
  if (x > 0)
    r += 1e-14;
  else if (x < 0)
    r -= 1e-14;
  return r;
}
