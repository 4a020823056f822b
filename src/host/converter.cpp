#include "host/converter.h"

#include "framework/numeric.h"
#include "host/error_value.h"

namespace varizav {

double convert_simple_date(double year, int32_t month, double day, int32_t month_count, double day_bound,
                           SimpleToJd to_jd) noexcept {
  if (!day_accepted(day, day_bound) || month < 1 || month > month_count || !fits_i32(year)) {
    return error_value();
  }
  return jd_to_serial(to_jd(itrunc(year), month, day));
}

}  // namespace varizav
