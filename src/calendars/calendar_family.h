// A calendar that belongs to a family sharing one set of rules and differing
// only in its constants: the Egyptian-type years, the Western eras. `Member`
// is a value of the family's enumeration; the family's header declares, and
// its source file defines, the five operations for a member, which the
// calendar's operations below reach by argument-dependent lookup:
//   family_is_leap_year(member, year)          1 for a leap year, else 0
//   family_to_jd(member, year, month, day)     JulianDay of a date of the calendar
//   family_from_jd(member, jd)                 date of a JulianDay
//   family_year_start(member, year)            JulianDay at which the year begins
//   family_anchor_year_fits(member, year)      true when year_start is formed within
//                                              the 32-bit day counts of the holiday codes
//   family_format_date(member, out, jd, mode)  text (mode > 0) or the number forms
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {

template <auto Member>
struct FamilyCalendar {
  static int32_t is_leap_year(int32_t year) noexcept { return family_is_leap_year(Member, year); }
  static JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
    return family_to_jd(Member, year, month, day);
  }
  static CalendarDate from_jd(JulianDay jd) noexcept { return family_from_jd(Member, jd); }
  static JulianDay year_start(int32_t year) noexcept { return family_year_start(Member, year); }
  static bool anchor_year_fits(int64_t year) noexcept { return family_anchor_year_fits(Member, year); }
  static int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
    return family_format_date(Member, out, jd, mode);
  }
};

}  // namespace varizav
