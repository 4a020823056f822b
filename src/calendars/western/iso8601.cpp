#include "calendars/western/iso8601.h"

#include <cmath>

#include "calendars/western/gregorian.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// Julian Day number of the Monday of week 1 of ISO year y (the week holding 4 January).
int64_t week1_monday(int64_t y) noexcept {
  const int64_t j = western::gregorian_jan1_day_number(y);
  return j - mod_floor(j - 4, 7) + 3;
}

int64_t weekday_shift(int64_t y) noexcept {
  return mod_floor(y + floor_quot(y, 4) - floor_quot(y, 100) + floor_quot(y, 400), 7);
}

}  // namespace

JulianDay iso_week_year_start(int32_t year) noexcept { return static_cast<double>(week1_monday(year)) - 0.5; }

namespace iso8601 {

int32_t is_leap_year(int32_t year) noexcept {
  return (weekday_shift(year) == 4 || weekday_shift(int64_t{year} - 1) == 3) ? 1 : 0;
}

JulianDay to_jd(int32_t year, int32_t week, double day) noexcept {
  return iso_week_year_start(year) + static_cast<double>(7 * int64_t{week}) + day - 8.0;
}

WeekDate from_jd(JulianDay jd) noexcept {
  const double a = jd + 0.5;
  const double day = fmod_floor(a, 7.0) + 1.0;  // Monday 0h is 1.0
  const int64_t z = western::split_day(jd).number;
  int64_t y = int64_t{gregorian::from_jd(jd).year} + 1;
  int64_t j = western::gregorian_jan1_day_number(y);
  // At most two steps back: the ISO year is the Gregorian year or one off.
  for (int i = 0; i < 3 && z < week1_monday(y); ++i) {
    --y;
    j = western::gregorian_jan1_day_number(y);
  }
  const int64_t r = mod_floor(j, 7);  // weekday of 1 January, 0 = Monday
  int64_t week = (z - j + r) / 7;
  if (r <= 3) ++week;
  return {saturate_i32(static_cast<double>(y)), static_cast<int32_t>(week), day};
}

int format_date(char* out, JulianDay jd, int32_t) noexcept {
  const WeekDate w = from_jd(jd);
  return format_text(out, "%4ld-%02d-%02d", static_cast<long>(w.year), w.week, ifloor(w.day));
}

}  // namespace iso8601
}  // namespace varizav
