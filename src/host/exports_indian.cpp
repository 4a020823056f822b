// Worksheet function of the Indian national calendar: Saka year, month name
// (or number) and day to a serial date.
#include "calendars/indian.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "host/converter.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

// Days 1 <= day < 32 in every month; day 31 of a 30-day month is the next month's first.
VARIZAV_API void SC_indian(double* result, const double* year, const char* month, const double* day) {
  *result =
      convert_simple_date(*year, keyword_lookup(HostText(month), indian::month_names), *day, 12, 32.0, indian::to_jd);
}

}  // extern "C"
