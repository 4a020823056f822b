// Calendars that are the Gregorian or the Julian calendar with the years
// counted from another epoch: Buddhist (+543) and Taiwanese (-1911) on the
// Gregorian calendar, Byzantine (+5509), Seleucid and Syrian (+312) on the
// Julian calendar. The year changes on 1 January of the underlying calendar in
// all of them; the Syrian calendar also renumbers and renames the months.
#pragma once

#include <cstdint>

#include "calendars/calendar_family.h"
#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// Syrian months: 1 = Tishrin I (October) .. 12 = Aylul (September), one list
// for both languages; the year number is the Seleucid one, changing on 1 January.
extern const KeywordTable syrian_month_names;

enum class EraYear { buddhist, taiwanese, byzantine, seleucid, syrian };

// The operations of each calendar (calendars/calendar_family.h):
// is_leap_year(year of the calendar), to_jd(year, month, day) and from_jd(jd) with the underlying calendar's months and
// days (the Syrian month 1..12 for the Syrian calendar), format_date(out, jd, mode)
// ("%s, %d %s %ld" with weekday and Western month name; the Syrian calendar
// "%d %s %ld" with day, Syrian month name and year, no weekday; or the number
// forms) and year_start(year), the JulianDay of 0h of 1 January of the
// calendar's year.
int32_t family_is_leap_year(EraYear era, int32_t year) noexcept;
JulianDay family_to_jd(EraYear era, int32_t year, int32_t month, double day) noexcept;
CalendarDate family_from_jd(EraYear era, JulianDay jd) noexcept;
JulianDay family_year_start(EraYear era, int32_t year) noexcept;
bool family_anchor_year_fits(EraYear era, int64_t year) noexcept;
int family_format_date(EraYear era, char* out, JulianDay jd, int32_t mode) noexcept;

using buddhist = FamilyCalendar<EraYear::buddhist>;
using taiwanese = FamilyCalendar<EraYear::taiwanese>;
using byzantine = FamilyCalendar<EraYear::byzantine>;
using seleucid = FamilyCalendar<EraYear::seleucid>;
using syrian = FamilyCalendar<EraYear::syrian>;

}  // namespace varizav
