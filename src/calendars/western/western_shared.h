// Steps shared by the Gregorian and Julian conversions (internal to the
// Western calendars).
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/numeric.h"

namespace varizav::western {

// Days before month m of a year counted from March; January and February carry
// 365 and 396 because their year is counted one lower. Index 0 holds 0.
int32_t month_offset(int32_t month) noexcept;

struct DayNumber {
  int64_t number;   // floor(jd + 0.5): the Julian Day number of the civil day
  double fraction;  // time of day, [0, 1)
};
DayNumber split_day(JulianDay jd) noexcept;

// The proleptic Gregorian and the Julian date of the whole day with Julian
// Day number z (|z| <= 2^44), the year in 64 bits.
WholeDayDate gregorian_whole_day(int64_t z) noexcept;
WholeDayDate julian_whole_day(int64_t z) noexcept;

// The same for the civil day split_day gives (|z| <= 2^40), the time of day
// added to the day. Years outside the 32-bit range are clamped to it.
CalendarDate gregorian_date_of_day(int64_t z, double fraction) noexcept;
CalendarDate julian_date_of_day(int64_t z, double fraction) noexcept;

// The Gregorian and Julian conversions and leap rules for a year held in 64
// bits, so that calendars counting years from another epoch (year - offset)
// never overflow a 32-bit year. For years inside the 32-bit range they are
// the gregorian:: and julian:: operations.
JulianDay gregorian_to_jd(int64_t year, int32_t month, double day) noexcept;
JulianDay julian_to_jd(int64_t year, int32_t month, double day) noexcept;
int32_t gregorian_leap(int64_t year) noexcept;
int32_t julian_leap(int64_t year) noexcept;

// Julian Day number (the noon of the day) of 1 January of a year (year 0
// exists): 365.25 days a year from 1 January of year 1, which is day 1721424
// in the Julian and day 1721426 in the proleptic Gregorian calendar, and for
// the Gregorian calendar the century years not divisible by 400 dropped.
constexpr int64_t julian_jan1_day_number(int64_t year) noexcept { return 1721424 + floor_quot(1461 * (year - 1), 4); }
constexpr int64_t gregorian_jan1_day_number(int64_t year) noexcept {
  const int64_t y = year - 1;
  return 1721426 + floor_quot(1461 * y, 4) - floor_quot(y, 100) + floor_quot(y, 400);
}

// True when the holiday anchors of the year are formed within the 32-bit day
// counts of the holiday codes, in either calendar: 1461 (year - 1) for
// 1 January of the year, 1461 year for Easter (whose year counts from March).
constexpr bool new_year_fits(int64_t year) noexcept { return product_in_int32_range(1461, year - 1); }
constexpr bool easter_fits(int64_t year) noexcept { return product_in_int32_range(1461, year); }

}  // namespace varizav::western
