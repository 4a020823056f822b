#include "framework/date.h"

#include <cmath>

#include "framework/numeric.h"
#include "framework/text_format.h"

namespace varizav {

int32_t weekday_index(JulianDay jd, double day_start_shift) noexcept {
  return ifloor(fmod_floor(jd + day_start_shift, 7.0));
}

int format_numeric_date(char* out, const CalendarDate& date, int32_t mode) noexcept {
  if (mode == 0) {
    return format_text(out, "%4ld %2d %2d", static_cast<long>(date.year), date.month, ifloor(date.day));
  }
  return format_text(out, "%4ld %2d %f", static_cast<long>(date.year), date.month, date.day);
}

}  // namespace varizav
