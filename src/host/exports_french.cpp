// Worksheet function of the French Republican calendar: year, month name (or
// number, 13 = the complementary days) and day to a serial date.
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

// Days 1 <= day < 31 in every month; longer days count on into the next month or year.
VARIZAV_API void SC_french(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kFrench, *year, HostText(month), *day));
}

}  // extern "C"
