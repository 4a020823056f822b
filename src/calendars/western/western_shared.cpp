#include "calendars/western/western_shared.h"

#include <array>
#include <cmath>
#include <limits>

#include "framework/numeric.h"

namespace varizav::western {

int32_t month_offset(int32_t month) noexcept {
  static constexpr std::array<int32_t, 13> kOffsets = {0, 365, 396, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return (month >= 0 && month <= 12) ? kOffsets[static_cast<size_t>(month)] : 0;
}

DayNumber split_day(JulianDay jd) noexcept {
  // The half day is written as a single-precision 0.5 and widened; the value is exact.
  const double a = jd + static_cast<double>(0.5f);
  // Far outside any calendar's range the day number is clamped so that the
  // integer steps cannot overflow; NaN and infinities keep a NaN fraction.
  constexpr double kLimit = 1099511627776.0;  // 2^40 days
  if (!(a > -kLimit && a < kLimit)) return {a < 0 ? -int64_t{1} << 40 : int64_t{1} << 40, a - a};
  const double z = std::floor(a);
  return {static_cast<int64_t>(z), a - z};
}

WholeDayDate whole_day_from_b(int64_t b) noexcept {
  const int64_t q = floor_quot(20 * b - 2442, 7305);        // years since -4716, counted from March
  const int64_t d = b - floor_quot(1461 * q, 4);             // [1, 428]: day within that count
  const int64_t e = floor_quot(10000 * d, 306001);           // month index, [4, 15]
  const int64_t day = d - static_cast<int64_t>(std::floor(30.6001 * static_cast<double>(e)));  // [1, 31]
  const int64_t month = e <= 13 ? e - 1 : e - 13;
  const int64_t year = month <= 2 ? q - 4715 : q - 4716;
  return {year, static_cast<int32_t>(month), static_cast<int32_t>(day)};
}

CalendarDate date_from_b(int64_t b, double fraction) noexcept {
  const WholeDayDate date = whole_day_from_b(b);
  return {clamp_year(date.year), date.month, fraction + static_cast<double>(date.day)};
}

JulianDay gregorian_to_jd(int64_t year, int32_t month, double day) noexcept {
  // Years are counted from March so that the leap day ends the year; January
  // and February belong to the year before (month_offset carries them).
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t days =
      floor_quot(1461 * y, 4) - floor_quot(y, 100) + floor_quot(y, 400) + month_offset(month);
  return day + static_cast<double>(days) + 1721059.5;
}

JulianDay julian_to_jd(int64_t year, int32_t month, double day) noexcept {
  const int64_t y = month <= 2 ? year - 1 : year;
  return day + static_cast<double>(floor_quot(1461 * y, 4) + month_offset(month)) + 1721057.5;
}

int32_t gregorian_leap(int64_t year) noexcept {
  return (year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) ? 1 : 0;
}

int32_t julian_leap(int64_t year) noexcept { return (year & 3) == 0 ? 1 : 0; }

}  // namespace varizav::western
