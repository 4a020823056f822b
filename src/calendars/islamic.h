// Tabular Islamic (Hijri) calendar: 30-year leap cycle with leap years
// 2, 5, 7, 10, 13, 16, 18, 21, 24, 26 and 29; months alternate 30 and 29 days,
// the twelfth has 30 in a leap year. The day begins at 18:00 of the previous
// civil day, so whole days carry the JulianDay fraction .25.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {
namespace islamic {

// Epoch: 1 Muharram 1 began at 18:00 of 15 July 622 (Julian).
constexpr JulianDay kEpochJd = 1948439.25;

// 1 for the eleven leap years of each 30-year cycle (355 days), else 0.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of (year, month 1..12, day): day 1.0 is 18:00 of the civil day
// before; days beyond the month's end count on into the following months.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Date of a JulianDay; day fraction = time since 18:00. Inverse of to_jd.
CalendarDate from_jd(JulianDay jd) noexcept;
// Text "%s, %d %s %ld" (weekday, day, month, year) for mode > 0, else the
// number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// Eve (18:00) of 1 Muharram of the year.
JulianDay year_start(int32_t year) noexcept;
// True when the year's day count from the epoch is formed within 32 bits.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace islamic

// Month names of the worksheet argument (1 = Muharram), English and German.
extern const KeywordTable islamic_month_names;

}  // namespace varizav
