// Worksheet functions of the calendar framework: the generic date-to-text
// conversion and the Julian Day converter.
#include "calendars/registry.h"
#include "framework/date.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_calendar(char* result, const char* calendar, const double* date, const double* mode) {
  HostResult out(result);
  format_calendar_date(out, HostText(calendar), *date, *mode);
}

VARIZAV_API void SC_astronomy(double* result, const double* julian_day) { *result = jd_to_serial(*julian_day); }

}  // extern "C"
