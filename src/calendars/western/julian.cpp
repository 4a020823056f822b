#include "calendars/western/julian.h"

#include "calendars/western/western_names.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace julian {

int32_t is_leap_year(int32_t year) noexcept { return western::julian_leap(year); }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return western::julian_to_jd(year, month, day); }

CalendarDate from_jd(JulianDay jd) noexcept {
  const western::DayNumber z = western::split_day(jd);
  return western::julian_date_of_day(z.number, z.fraction);
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  return format_western_date(out, jd, from_jd(jd), mode, DayStop::full_stop);
}

}  // namespace julian

JulianDay julian_new_year(int32_t year) noexcept {
  return static_cast<double>(western::julian_jan1_day_number(year)) - 0.5;
}

JulianDay easter_julian(int32_t year) noexcept {
  // Julian computus; non-negative remainders keep it valid for negative years.
  const int64_t y = year;
  const int64_t a = mod_floor(y, 19);
  const int64_t b = mod_floor(y, 4);
  const int64_t c = mod_floor(y, 7);
  const int64_t d = mod_floor(19 * a + 15, 30);
  const int64_t e = mod_floor(2 * b + 4 * c - d + 34, 7);
  return static_cast<double>(floor_quot(1461 * y, 4) + d + e) + 1721138.5;
}

}  // namespace varizav
