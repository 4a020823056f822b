// Steps shared by the Gregorian and Julian conversions (internal to the
// Western calendars).
#pragma once

#include <cstdint>

#include "framework/date.h"

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

// The Gregorian and Julian conversions and leap rules for a year held in 64
// bits, so that calendars counting years from another epoch (year - offset)
// never overflow a 32-bit year. For years inside the 32-bit range they are
// the gregorian:: and julian:: operations.
JulianDay gregorian_to_jd(int64_t year, int32_t month, double day) noexcept;
JulianDay julian_to_jd(int64_t year, int32_t month, double day) noexcept;
int32_t gregorian_leap(int64_t year) noexcept;
int32_t julian_leap(int64_t year) noexcept;

}  // namespace varizav::western
