#include "calendars/western/western_shared.h"

#include <array>
#include <cmath>

#include "framework/numeric.h"

namespace varizav::western {

int32_t month_offset(int32_t month) noexcept {
  static constexpr std::array<int32_t, 13> kOffsets = {0, 365, 396, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  return (month >= 0 && month <= 12) ? kOffsets[static_cast<size_t>(month)] : 0;
}

DayNumber split_day(JulianDay jd) noexcept {
  // 0.5 is taken in single precision as the reference algorithm does; it is exact.
  const double a = jd + static_cast<double>(0.5f);
  // Far outside any calendar's range the day number is clamped so that the
  // integer steps cannot overflow; NaN and infinities keep a NaN fraction.
  constexpr double kLimit = 1099511627776.0;  // 2^40 days
  if (!(a > -kLimit && a < kLimit)) return {a < 0 ? -int64_t{1} << 40 : int64_t{1} << 40, a - a};
  const double z = std::floor(a);
  return {static_cast<int64_t>(z), a - z};
}

CalendarDate date_from_b(int64_t b, double fraction) noexcept {
  const int64_t q = floor_quot(20 * b - 2442, 7305);        // years since -4716, counted from March
  const int64_t d = b - floor_quot(1461 * q, 4);             // [1, 428]: day within that count
  const int64_t e = floor_quot(10000 * d, 306001);           // month index, [4, 15]
  const double day = fraction + static_cast<double>(d - static_cast<int64_t>(std::floor(30.6001 * static_cast<double>(e))));
  const int64_t month = e <= 13 ? e - 1 : e - 13;
  const int64_t year = month <= 2 ? q - 4715 : q - 4716;
  return {saturate_i32(static_cast<double>(year)), static_cast<int32_t>(month), day};
}

}  // namespace varizav::western
