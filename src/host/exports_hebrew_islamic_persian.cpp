// Worksheet functions of the Hebrew, Islamic and Persian calendars: a
// calendar date to a serial date. Islamic and Hebrew results for whole days
// end in .75 (18:00 of the civil day before, when their day begins).
#include "calendars/hebrew.h"
#include "calendars/islamic.h"
#include "calendars/persian.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "host/converter.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// The day is never checked against the month's real length: a day past the
// month's end counts on into the next month.
constexpr double kIslamicDayBound = 31.0;
constexpr double kPersianDayBound = 32.0;
constexpr double kHebrewDayBound = 31.0;

}  // namespace

extern "C" {

VARIZAV_API void SC_islamic(double* result, const double* year, const char* month, const double* day) {
  *result = convert_simple_date(*year, keyword_lookup(HostText(month), islamic_month_names), *day, 12, kIslamicDayBound,
                                islamic::to_jd);
}

VARIZAV_API void SC_persian(double* result, const double* year, const char* month, const double* day) {
  *result = convert_simple_date(*year, keyword_lookup(HostText(month), persian_month_names), *day, 12, kPersianDayBound,
                                persian::to_jd);
}

VARIZAV_API void SC_hebrew(double* result, const double* year, const char* month, const double* day) {
  *result = convert_simple_date(*year, keyword_lookup(HostText(month), hebrew_month_names), *day, 13, kHebrewDayBound,
                                hebrew::to_jd);
}

}  // extern "C"
