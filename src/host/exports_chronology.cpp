// Worksheet functions of leap years and chronological cycles.
#include "calendars/chronology.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_leapyear(double* result, const char* calendar, const char* year) {
  *result = leap_year_of_text(HostText(calendar), HostText(year));
}

VARIZAV_API void SC_leapyear2(double* result, const char* calendar, const double* date) {
  *result = leap_year_of_date(HostText(calendar), *date);
}

VARIZAV_API void SC_chronology(char* result, const char* cycle, const double* year) {
  HostResult out(result);
  format_chronology(out, HostText(cycle), *year);
}

}  // extern "C"
