#include "calendars/western/gregorian.h"

#include <cmath>

#include "calendars/western/western_names.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace gregorian {

int32_t is_leap_year(int32_t year) noexcept { return western::gregorian_leap(year); }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return western::gregorian_to_jd(year, month, day); }

WholeDayDate date_of_day_number(int64_t day_number) noexcept { return western::gregorian_whole_day(day_number); }

CalendarDate from_jd(JulianDay jd) noexcept {
  const western::DayNumber z = western::split_day(jd);
  return western::gregorian_date_of_day(z.number, z.fraction);
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  return format_western_date(out, jd, from_jd(jd), mode, DayStop::none);
}

}  // namespace gregorian

JulianDay gregorian_new_year(int32_t year) noexcept {
  return static_cast<double>(western::gregorian_jan1_day_number(year)) - 0.5;
}

JulianDay easter_gregorian(int32_t year) noexcept {
  // Gregorian computus (Gauss/Meeus form). Floor quotients and non-negative
  // remainders make it valid for negative years too.
  const int64_t y = year;
  const int64_t b = floor_quot(y, 100);
  const int64_t c = y - 100 * b;
  const int64_t a = mod_floor(y, 19);
  const int64_t d = floor_quot(b, 4);
  const int64_t f = floor_quot(b + 8, 25);
  const int64_t g = floor_quot(b - f + 1, 3);
  const int64_t h = mod_floor(19 * a + b - d - g + 15, 30);
  const int64_t e = b - 4 * d;
  const int64_t i = floor_quot(c, 4);
  const int64_t k = mod_floor(c, 4);
  const int64_t l = mod_floor(2 * e + 2 * i - k - h + 32, 7);
  const int64_t m = floor_quot(a + 11 * h + 22 * l, 451);
  return static_cast<double>(floor_quot(1461 * y, 4) + (l + h - b + floor_quot(b, 4) - 7 * m) + 2) + 1721138.5;
}

}  // namespace varizav
