// The Egyptian-type calendars: twelve months of 30 days and a thirteenth
// "month" of epagomenal days. The Armenian, Egyptian and Yazdegerd years are
// wandering years of exactly 365 days; the Coptic and Ethiopic years add a
// sixth epagomenal day in every year y with y mod 4 = 3, and their days begin
// at 18:00 of the previous civil day.
//
// Every calendar offers the same operations:
//   is_leap_year(year)         1 for a year with six epagomenal days, else 0
//   to_jd(year, month, day)    JulianDay at which the day begins plus its fraction;
//                              months and days beyond their ends count on
//   from_jd(jd)                year (year 0 exists), month 1..13, day 1.. with
//                              the time since the calendar day began
//   year_start(year)           JulianDay at which 1/1 of the year begins
//   format_date(out, jd, mode) text (mode > 0) or the number forms (mode <= 0)
//   month_names                the month keyword table (same names in both languages)
#pragma once

#include <cstdint>

#include "calendars/calendar_family.h"
#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// The five calendars of this family; each is one instantiation of the
// operations below with its own epoch, leap rule and names.
enum class EgyptianTypeYear { armenian, egyptian, yazdegerd, coptic, ethiopic };

int32_t family_is_leap_year(EgyptianTypeYear member, int32_t year) noexcept;
JulianDay family_to_jd(EgyptianTypeYear member, int32_t year, int32_t month, double day) noexcept;
CalendarDate family_from_jd(EgyptianTypeYear member, JulianDay jd) noexcept;
JulianDay family_year_start(EgyptianTypeYear member, int32_t year) noexcept;
// True when the year's day count (365 year, or 1461 year for Coptic and
// Ethiopic) lies within 32 bits, as the holiday codes form it.
bool family_anchor_year_fits(EgyptianTypeYear member, int64_t year) noexcept;
// Armenian, Coptic, Ethiopic "%s, %d %s %ld" (weekday, day, month, year);
// Egyptian, Yazdegerd "%d %s %ld".
int family_format_date(EgyptianTypeYear member, char* out, JulianDay jd, int32_t mode) noexcept;

template <EgyptianTypeYear Year>
struct EgyptianTypeCalendar : FamilyCalendar<Year> {
  static const KeywordTable month_names;
};

// Instantiated once, in egyptian_type.cpp.
extern template struct EgyptianTypeCalendar<EgyptianTypeYear::armenian>;
extern template struct EgyptianTypeCalendar<EgyptianTypeYear::egyptian>;
extern template struct EgyptianTypeCalendar<EgyptianTypeYear::yazdegerd>;
extern template struct EgyptianTypeCalendar<EgyptianTypeYear::coptic>;
extern template struct EgyptianTypeCalendar<EgyptianTypeYear::ethiopic>;

using armenian = EgyptianTypeCalendar<EgyptianTypeYear::armenian>;
using egyptian = EgyptianTypeCalendar<EgyptianTypeYear::egyptian>;
using yazdegerd = EgyptianTypeCalendar<EgyptianTypeYear::yazdegerd>;
using coptic = EgyptianTypeCalendar<EgyptianTypeYear::coptic>;
using ethiopic = EgyptianTypeCalendar<EgyptianTypeYear::ethiopic>;

}  // namespace varizav
