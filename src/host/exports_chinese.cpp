// Worksheet function of the Chinese calendar.
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_chinese(double* result, const double* cycle, const double* year, const char* month,
                            const double* leap_month, const double* day) {
  *result = value_or_error(convert_chinese_date(*cycle, *year, HostText(month), *leap_month, *day));
}

}  // extern "C"
