// Month and weekday names of the Western calendars: the keyword tables that
// the worksheet functions look names up in, and the display arrays of the text
// output, which the language switch points at English or German.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

extern const KeywordTable gregorian_month_names;  // 12 entries, 1 = January
extern const KeywordTable weekday_names;          // 7 entries, 1 = Monday

// Display names of the text output (in the display-name language).
const char* western_month_display_name(int32_t month) noexcept;    // 1..12
const char* western_weekday_display_name(int32_t index) noexcept;  // 0 = Monday .. 6

// The Western forms of the date d that holds jd: for mode > 0 the text
// "%s, %d %s %ld" (weekday, day, month, year), or "%s, %d. %s %ld" with the
// full stop after the day of the Julian calendar's own form; else the number
// forms.
enum class DayStop : bool { none, full_stop };
int format_western_date(char* out, JulianDay jd, const CalendarDate& d, int32_t mode, DayStop stop) noexcept;

}  // namespace varizav
