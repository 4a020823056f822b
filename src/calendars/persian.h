// Arithmetic Persian (solar Hijri) calendar with the 2820-year cycle of 683
// leap years. Months 1..6 have 31 days, 7..11 have 30, month 12 has 29 (30 in
// a leap year). The day begins at midnight.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {
namespace persian {

// Epoch: 1 Farvardin 1 is 0h of 19 March 622 (Julian).
constexpr JulianDay kEpochJd = 1948320.5;

// 1 for a year of 366 days, else 0.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of (year, month 1..12, day); days beyond the month's end count on.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Date of a JulianDay; day fraction = time of day. Inverse of to_jd.
CalendarDate from_jd(JulianDay jd) noexcept;
// Text "%d %s %ld" (day, month, year) for mode > 0, else the number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// 0h of 1 Farvardin of the year.
JulianDay year_start(int32_t year) noexcept;
// True when the year's cycle offset and the days of its whole cycles are
// formed within 32 bits.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace persian

// Days from the epoch to 1 Farvardin of the year (0 for year 1, 173125 for 475).
int64_t persian_new_year_offset(int64_t year) noexcept;

// Month names (one list for both languages), 1 = Farvardin.
extern const KeywordTable persian_month_names;

}  // namespace varizav
