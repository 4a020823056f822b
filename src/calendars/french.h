// The French Republican calendar in its arithmetic form: twelve months of 30
// days, each of three decades of ten named days, then five or six
// complementary days (month 13, the Sansculottides). Year 1 begins on
// 22 September 1792 (Gregorian); the leap rule is the Gregorian one with the
// further exception of years divisible by 4000. Days begin at midnight.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// Days of the years 1..completed_years, i.e. from the epoch to 1 Vendemiaire
// of year completed_years + 1 (negative for completed_years < 0).
int64_t french_elapsed_days(int64_t completed_years) noexcept;

namespace french {

// Month keyword table: Vendemiaire .. Fructidor, Sansculottides (13).
extern const KeywordTable month_names;

// 1 for a year with six complementary days.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of the day (plus its fraction); months and days beyond their ends count on.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Date of the civil day that holds jd; the time of day is dropped (day is whole).
CalendarDate from_jd(JulianDay jd) noexcept;
// JulianDay of 0h, 1 Vendemiaire of the year.
JulianDay year_start(int32_t year) noexcept;
// True when the holiday codes form that year start: 365 (year - 2) within 32
// bits (a year inside the 365 (year - 1) of the formula itself).
bool anchor_year_fits(int64_t year) noexcept;
// "%s %s, %d %s %ld" (decade day, decade numeral, day, month, year),
// "%s, %d %s %ld" for the complementary days, or the number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

}  // namespace french
}  // namespace varizav
