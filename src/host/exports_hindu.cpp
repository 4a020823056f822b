// Worksheet functions of the Hindu calendars: lunisolar and solar dates to
// serial dates. A whole day number gives a serial date at 06:00 (.25).
#include "calendars/lunisolar/hindu.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/numeric.h"
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_hindu(double* result, const double* year, const char* month, const double* leap_month,
                          const double* day) {
  const int32_t m = keyword_lookup(HostText(month), *converter_month_names(kHindu));
  // Lunar days run 1..30; a NaN day passes and gives NaN.
  if (!month_and_day_accepted(kHindu, m, *day) || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  // A truth value: only an exact 0 (FALSE) selects the regular month; NaN counts as TRUE.
  const int16_t leap = *leap_month == 0.0 ? 0 : 1;
  *result = jd_to_serial(hindu::to_jd({itrunc(*year), static_cast<int16_t>(m), leap, *day}));
}

VARIZAV_API void SC_hindu2(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kHindu2, *year, HostText(month), *day));
}

}  // extern "C"
