// Worksheet functions of the holidays: the holiday of a year (or cycle) of a
// calendar and the first occurrence of a holiday at or after a start date.
// Rejected input gives the error value. The Mayan cycle in progress is taken
// at the wall clock's instant of the call.
#include "events/holiday_resolution.h"
#include "host/clock.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_holiday(double* result, const char* calendar, const char* event, const char* epoch) {
  *result = value_or_error(holiday_in_year(HostText(calendar), HostText(event), HostText(epoch), wall_clock_jd()));
}

VARIZAV_API void SC_holiday2(double* result, const char* calendar, const char* event, const double* date) {
  *result = value_or_error(holiday_on_or_after(HostText(calendar), HostText(event), *date));
}

}  // extern "C"
