// The converter pattern of the worksheet functions that take a year, a month
// name or number and a day of a simple calendar and return a serial date.
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {

// True for a day the converters accept: 1 <= day < day_bound, or a NaN day.
constexpr bool day_accepted(double day, double day_bound) noexcept {
  return !(day < 1.0) && !(day >= day_bound);
}

// Checks 1 <= month <= month_count and 1 <= day < day_bound (a NaN day passes
// and yields NaN), rejects a year that is NaN or outside the 32-bit range,
// then returns the serial date of to_jd(trunc(year), month, day), else the
// error value.
using SimpleToJd = JulianDay (*)(int32_t year, int32_t month, double day);
double convert_simple_date(double year, int32_t month, double day, int32_t month_count, double day_bound,
                           SimpleToJd to_jd) noexcept;

}  // namespace varizav
