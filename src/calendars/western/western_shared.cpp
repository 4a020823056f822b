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

// Date -> fields by Euclidean affine functions (C. Neri and L. Schneider,
// "Euclidean affine functions and their application to calendar
// algorithms", Software: Practice and Experience 53 (2023) 937-970): divisions
// by constants that the compiler turns into multiplications, no floating
// point. Days are counted from 1 March of year 0 of the calendar (the leap day
// ends the computational year) and shifted by whole cycles so that they are
// never negative.
namespace {

// Julian Day numbers of 1 March of year 0: proleptic Gregorian and Julian.
constexpr int64_t kGregorianMarch0 = 1721120;
constexpr int64_t kJulianMarch0 = 1721118;
// Whole 400-year Gregorian cycles (146097 days) and 4-year Julian cycles
// (1461 days) added so that every day number within 2^44 of the epoch is
// positive: 2^44 / 146097 < 1.21e8 and 2^44 / 1461 < 1.21e10.
constexpr uint64_t kGregorianShiftCycles = 121000000;
constexpr uint64_t kJulianShiftCycles = 12100000000;

// Month and day of day n_y [0, 365] of a computational year beginning in
// March, and whether it falls in January or February of the next civil year.
struct MonthDay {
  int32_t month;  // [1, 12]
  int32_t day;    // [1, 31]
  bool next_year;
};

constexpr MonthDay month_day_of(uint32_t n_y) noexcept {
  // 2141 / 2^16 is the month's slope 153 / 5 / 30.6 days scaled; 197913 places March at month 3.
  const uint32_t n3 = 2141 * n_y + 197913;
  const uint32_t m = n3 >> 16;              // [3, 14]
  const uint32_t d = (n3 & 0xFFFF) / 2141;  // [0, 30]
  const bool next_year = n_y >= 306;        // day 306 is 1 January
  return {static_cast<int32_t>(next_year ? m - 12 : m), static_cast<int32_t>(d + 1), next_year};
}

}  // namespace

WholeDayDate gregorian_whole_day(int64_t z) noexcept {
  constexpr uint64_t kCycleDays = 146097;
  const uint64_t n = static_cast<uint64_t>(z - kGregorianMarch0) + kGregorianShiftCycles * kCycleDays;
  const uint64_t n1 = 4 * n + 3;
  const uint64_t century = n1 / kCycleDays;                                 // centuries since the shifted epoch
  const auto n_c = static_cast<uint32_t>((n1 % kCycleDays) / 4);            // [0, 36524]: day of the century
  const uint64_t p2 = uint64_t{2939745} * (4 * n_c + 3);                    // 2939745 / 2^32 = 4 / 1461 scaled
  const auto year_of_century = static_cast<uint32_t>(p2 >> 32);             // [0, 99]
  const auto n_y = static_cast<uint32_t>((p2 & 0xFFFFFFFF) / 2939745 / 4);  // [0, 365]
  const MonthDay md = month_day_of(n_y);
  const int64_t year = static_cast<int64_t>(100 * century + year_of_century) -
                       static_cast<int64_t>(400 * kGregorianShiftCycles) + (md.next_year ? 1 : 0);
  return {year, md.month, md.day};
}

WholeDayDate julian_whole_day(int64_t z) noexcept {
  constexpr uint64_t kCycleDays = 1461;
  const uint64_t n = static_cast<uint64_t>(z - kJulianMarch0) + kJulianShiftCycles * kCycleDays;
  const uint64_t n1 = 4 * n + 3;
  const uint64_t y = n1 / kCycleDays;                             // years since the shifted epoch
  const auto n_y = static_cast<uint32_t>((n1 % kCycleDays) / 4);  // [0, 365]
  const MonthDay md = month_day_of(n_y);
  const int64_t year = static_cast<int64_t>(y) - static_cast<int64_t>(4 * kJulianShiftCycles) + (md.next_year ? 1 : 0);
  return {year, md.month, md.day};
}

CalendarDate gregorian_date_of_day(int64_t z, double fraction) noexcept {
  const WholeDayDate date = gregorian_whole_day(z);
  return {clamp_year(date.year), date.month, fraction + static_cast<double>(date.day)};
}

CalendarDate julian_date_of_day(int64_t z, double fraction) noexcept {
  const WholeDayDate date = julian_whole_day(z);
  return {clamp_year(date.year), date.month, fraction + static_cast<double>(date.day)};
}

JulianDay gregorian_to_jd(int64_t year, int32_t month, double day) noexcept {
  // Years are counted from March so that the leap day ends the year; January
  // and February belong to the year before (month_offset carries them).
  const int64_t y = month <= 2 ? year - 1 : year;
  const int64_t days = floor_quot(1461 * y, 4) - floor_quot(y, 100) + floor_quot(y, 400) + month_offset(month);
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
