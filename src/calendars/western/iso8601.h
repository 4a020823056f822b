// ISO 8601 week calendar: weeks begin on Monday, week 1 holds 4 January.
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {

struct WeekDate {
  int32_t year;
  int32_t week;  // 1-based
  double day;    // 1 = Monday .. 7 = Sunday, fraction = time of day
};

namespace iso8601 {
// Non-zero for a year of 53 weeks.
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t week, double day) noexcept;
WeekDate from_jd(JulianDay jd) noexcept;
// "%4ld-%02d-%02d" (year, week, whole day) in every mode.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
}  // namespace iso8601

// JulianDay of 0h of the Monday of week 1 of ISO year y.
JulianDay iso_week_year_start(int32_t year) noexcept;

}  // namespace varizav
