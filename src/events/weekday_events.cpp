#include "events/weekday_events.h"

#include <cstdint>
#include <limits>

#include "calendars/western/civil.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// 0h of the civil first of the month after month m (1..12) of year y.
JulianDay civil_first_of_next_month(int32_t year, int32_t month) noexcept {
  if (month < 12) return civil_to_jd(year, month + 1, 1.0);
  if (year < std::numeric_limits<int32_t>::max()) return civil_to_jd(year + 1, 1, 1.0);
  // No reform can fall in the last 32-bit year (the reform's yyyymmdd value is
  // itself a 32-bit number), so its December is an ordinary Gregorian one.
  return civil_to_jd(year, 12, 1.0) + 31.0;
}

// Weekday index 0 = Monday .. 6 = Sunday of the civil day starting at jd (0h).
// The day number is formed in 64 bits and reduced with a floor remainder, so
// the index is right also before JulianDay 0.
int64_t weekday_of_midnight(JulianDay jd) noexcept { return mod_floor(ifloor64(jd + 0.5), 7); }

}  // namespace

int32_t civil_month_days(int32_t year, int32_t month) noexcept {
  // At most a few dozen days either way even for extreme reform settings.
  return static_cast<int32_t>(civil_first_of_next_month(year, month) - civil_to_jd(year, month, 1.0));
}

JulianDay weekday_event(int32_t ordinal, int32_t weekday, int32_t month, int32_t year) noexcept {
  const JulianDay first = civil_to_jd(year, month, 1.0);
  if (weekday == 0) {
    // The n-th day: a positive day names the civil date itself; 0, -1, ...
    // count back from the month's last day.
    if (ordinal >= 1) return civil_to_jd(year, month, static_cast<double>(ordinal));
    return civil_first_of_next_month(year, month) + (ordinal - 1);
  }
  // Day 7n of the month closes its n-th week: the latest day w on or before
  // it is the n-th weekday w. For n <= 0 the count runs back from the end.
  int64_t day = 7 * int64_t{ordinal};  // [-2562, 2562]
  if (day <= 0) day += civil_month_days(year, month);
  const JulianDay j = first + static_cast<double>(day - 1);
  const int64_t back = mod_floor(weekday_of_midnight(j) - (weekday - 1), 7);  // [0, 6]
  return j - static_cast<double>(back);
}

}  // namespace varizav
