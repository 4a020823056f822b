// Worksheet functions of the Hebrew, Islamic and Persian calendars: a
// calendar date to a serial date. Islamic and Hebrew results for whole days
// end in .75 (18:00 of the civil day before, when their day begins). The day
// is never checked against the month's real length: a day past the month's
// end counts on into the next month.
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_islamic(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kIslamic, *year, HostText(month), *day));
}

VARIZAV_API void SC_persian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kPersian, *year, HostText(month), *day));
}

VARIZAV_API void SC_hebrew(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kHebrew, *year, HostText(month), *day));
}

}  // extern "C"
