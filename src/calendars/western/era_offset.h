// Calendars that are the Gregorian or the Julian calendar with the years
// counted from another epoch: Buddhist (+543) and Taiwanese (-1911) on the
// Gregorian calendar, Byzantine (+5509), Seleucid and Syrian (+312) on the
// Julian calendar. The year changes on 1 January of the underlying calendar in
// all of them; the Syrian calendar also renumbers and renames the months.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// Syrian months: 1 = Tishrin I (October) .. 12 = Aylul (September), one list
// for both languages; the year number is the Seleucid one, changing on 1 January.
extern const KeywordTable syrian_month_names;

enum class EraYear { buddhist, taiwanese, byzantine, seleucid, syrian };

// The calendar's operations: is_leap_year(year of the calendar), to_jd(year,
// month, day) and from_jd(jd) with the underlying calendar's months and days
// (the Syrian month 1..12 for the Syrian calendar), format_date(out, jd, mode)
// ("%s, %d %s %ld" with weekday and Western month name; the Syrian calendar
// "%d %s %ld" with day, Syrian month name and year, no weekday; or the number
// forms) and year_start(year), the JulianDay of 0h of 1 January of the
// calendar's year.
template <EraYear Era>
struct EraCalendar {
  static int32_t is_leap_year(int32_t year) noexcept;
  static JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
  static CalendarDate from_jd(JulianDay jd) noexcept;
  static int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
  static JulianDay year_start(int32_t year) noexcept;
};

// Instantiated once, in era_offset.cpp.
extern template struct EraCalendar<EraYear::buddhist>;
extern template struct EraCalendar<EraYear::taiwanese>;
extern template struct EraCalendar<EraYear::byzantine>;
extern template struct EraCalendar<EraYear::seleucid>;
extern template struct EraCalendar<EraYear::syrian>;

using buddhist = EraCalendar<EraYear::buddhist>;
using taiwanese = EraCalendar<EraYear::taiwanese>;
using byzantine = EraCalendar<EraYear::byzantine>;
using seleucid = EraCalendar<EraYear::seleucid>;
using syrian = EraCalendar<EraYear::syrian>;

}  // namespace varizav
