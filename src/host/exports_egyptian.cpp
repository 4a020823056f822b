// Worksheet functions of the Egyptian-type calendars: a year, a month name (or
// number) and a day of the calendar to a serial date. Days 1 <= day < 31 in
// every month, the thirteenth included (longer days count on into the next year).
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

VARIZAV_API void SC_armenian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kArmenian, *year, HostText(month), *day));
}

VARIZAV_API void SC_coptic(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kCoptic, *year, HostText(month), *day));
}

VARIZAV_API void SC_egyptian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kEgyptian, *year, HostText(month), *day));
}

VARIZAV_API void SC_ethiopic(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kEthiopic, *year, HostText(month), *day));
}

VARIZAV_API void SC_yazdegerd(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kYazdegerd, *year, HostText(month), *day));
}

}  // extern "C"
