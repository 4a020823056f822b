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

// Each namespace holds the calendar's operations: is_leap_year(year of the
// calendar), to_jd(year, month, day) and from_jd(jd) with the underlying
// calendar's months and days, format_date(out, jd, mode) ("%s, %d %s %ld" with
// weekday and Western month name, or the number forms) and year_start(year),
// the JulianDay of 0h of 1 January of the calendar's year.
namespace buddhist {
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
JulianDay year_start(int32_t year) noexcept;
}  // namespace buddhist

namespace byzantine {
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
JulianDay year_start(int32_t year) noexcept;
}  // namespace byzantine

namespace seleucid {
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
JulianDay year_start(int32_t year) noexcept;
}  // namespace seleucid

namespace taiwanese {
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
JulianDay year_start(int32_t year) noexcept;
}  // namespace taiwanese

// Syrian months: 1 = Tishrin I (October) .. 12 = Aylul (September), one list
// for both languages; the year number is the Seleucid one, changing on 1 January.
extern const KeywordTable syrian_month_names;

namespace syrian {
int32_t is_leap_year(int32_t year) noexcept;
// month is the Syrian month 1..12.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
// "%d %s %ld" (day, Syrian month name, year) without weekday, or the number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
JulianDay year_start(int32_t year) noexcept;
}  // namespace syrian

}  // namespace varizav
