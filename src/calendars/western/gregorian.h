// Proleptic Gregorian calendar (astronomical years: year 0 exists).
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {
namespace gregorian {

// Non-zero for a year with 29 February (0, -4 and -400 are leap, -100 is not).
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of the given day (fraction = time of day); days beyond the month's end count on.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Calendar date of a JulianDay; exact inverse of to_jd over the accepted range.
CalendarDate from_jd(JulianDay jd) noexcept;
// Text ("%s, %d %s %ld"), whole-number or fractional form of a JulianDay.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// Date of the civil day with Julian Day number day_number (the JulianDay at
// its noon), |day_number| <= 2^44; the year is not clamped.
WholeDayDate date_of_day_number(int64_t day_number) noexcept;

}  // namespace gregorian

// JulianDay of 0h, 1 January of Gregorian year y.
JulianDay gregorian_new_year(int32_t year) noexcept;
// JulianDay of 0h of Easter Sunday (Gregorian computus) of year y.
JulianDay easter_gregorian(int32_t year) noexcept;

}  // namespace varizav
