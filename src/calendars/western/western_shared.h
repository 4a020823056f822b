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

// Steps 3-7 of the Julian Day to calendar conversion, from the day count B
// (Gregorian: Z + alpha - alpha/4 + 1525, Julian: Z + 1524).
CalendarDate date_from_b(int64_t b, double fraction) noexcept;
// The same steps for a whole day, with the year in 64 bits (not clamped to
// the 32-bit year field of CalendarDate).
WholeDayDate whole_day_from_b(int64_t b) noexcept;

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
constexpr int64_t julian_jan1_day_number(int64_t year) noexcept {
  return 1721424 + floor_quot(1461 * (year - 1), 4);
}
constexpr int64_t gregorian_jan1_day_number(int64_t year) noexcept {
  const int64_t y = year - 1;
  return 1721426 + floor_quot(1461 * y, 4) - floor_quot(y, 100) + floor_quot(y, 400);
}

}  // namespace varizav::western
