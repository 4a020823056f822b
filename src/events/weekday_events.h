// Weekday events of the civil calendar: the n-th weekday of a month (the
// second Sunday of May, the last Monday of May) and the n-th day of a month
// (the day before the last of February).
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {

// The n-th weekday w of month m of civil year y, or with w = 0 the n-th day.
// Given:    ordinal  n, -366..366: 1 first, 2 second, ...; 0 last, -1 the one
//                    before the last, ...; counting runs on past the month
//           weekday  w, 1 Monday .. 7 Sunday, or 0 for the day form
//           month    m, 1..12
//           year     y, astronomical civil year (Julian up to the reform)
// Returned: JulianDay of 0h of the day found. The weekday form counts whole
//           civil days from the civil first of the month, so a reform month
//           (October 1582) keeps its real weekdays and length; the day form
//           with n >= 1 names the civil date (y, m, n) itself.
JulianDay weekday_event(int32_t ordinal, int32_t weekday, int32_t month, int32_t year) noexcept;

// Days of month m (1..12) of civil year y: from its civil first to the next
// month's (21 for October 1582 with the default reform).
int32_t civil_month_days(int32_t year, int32_t month) noexcept;

}  // namespace varizav
