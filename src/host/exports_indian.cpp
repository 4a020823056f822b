// Worksheet function of the Indian national calendar: Saka year, month name
// (or number) and day to a serial date.
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

// Days 1 <= day < 32 in every month; day 31 of a 30-day month is the next month's first.
VARIZAV_API void SC_indian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kIndian, *year, HostText(month), *day));
}

}  // extern "C"
