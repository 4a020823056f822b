// Helpers of the weekday-event and search tests: dates computed
// independently of the calendars under test (Fliegel and Van Flandern's
// integer formulas, floor division throughout), and the error-value check.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "expect_error.h"
#include "framework/date.h"

namespace varizav::testing {

constexpr int64_t floor_div_i(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

// Julian Day at 0h of a proleptic Gregorian / Julian date.
constexpr double gregorian_jd0(int64_t y, int64_t m, int64_t d) {
  const int64_t a = floor_div_i(14 - m, 12), yy = y + 4800 - a, mm = m + 12 * a - 3;
  return static_cast<double>(d + floor_div_i(153 * mm + 2, 5) + 365 * yy + floor_div_i(yy, 4) - floor_div_i(yy, 100) +
                             floor_div_i(yy, 400) - 32045) -
         0.5;
}
constexpr double julian_jd0(int64_t y, int64_t m, int64_t d) {
  const int64_t a = floor_div_i(14 - m, 12), yy = y + 4800 - a, mm = m + 12 * a - 3;
  return static_cast<double>(d + floor_div_i(153 * mm + 2, 5) + 365 * yy + floor_div_i(yy, 4) - 32083) - 0.5;
}
static_assert(gregorian_jd0(2000, 1, 1) == 2451544.5);
static_assert(julian_jd0(1582, 10, 4) + 1.0 == gregorian_jd0(1582, 10, 15));

constexpr double serial_of(double jd) { return jd - 2415018.5; }

// Weekday 1 Monday .. 7 Sunday of the civil day holding jd (JulianDay 0 is a Monday noon).
inline int weekday_of(double jd) {
  const double r = std::fmod(std::floor(jd + 0.5), 7.0);
  return static_cast<int>(r < 0 ? r + 7.0 : r) + 1;
}

}  // namespace varizav::testing
