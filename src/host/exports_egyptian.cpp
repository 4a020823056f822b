// Worksheet functions of the Egyptian-type calendars: a year, a month name (or
// number) and a day of the calendar to a serial date. Days 1 <= day < 31 in
// every month, the thirteenth included (longer days count on into the next year).
#include "calendars/egyptian_type.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "host/converter.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

constexpr int32_t kMonthCount = 13;
constexpr double kDayBound = 31.0;

double convert(const double* year, const char* month, const double* day, const KeywordTable& months,
               SimpleToJd to_jd) noexcept {
  return convert_simple_date(*year, keyword_lookup(HostText(month), months), *day, kMonthCount, kDayBound, to_jd);
}

}  // namespace

extern "C" {

VARIZAV_API void SC_armenian(double* result, const double* year, const char* month, const double* day) {
  *result = convert(year, month, day, armenian::month_names, armenian::to_jd);
}

VARIZAV_API void SC_coptic(double* result, const double* year, const char* month, const double* day) {
  *result = convert(year, month, day, coptic::month_names, coptic::to_jd);
}

VARIZAV_API void SC_egyptian(double* result, const double* year, const char* month, const double* day) {
  *result = convert(year, month, day, egyptian::month_names, egyptian::to_jd);
}

VARIZAV_API void SC_ethiopic(double* result, const double* year, const char* month, const double* day) {
  *result = convert(year, month, day, ethiopic::month_names, ethiopic::to_jd);
}

VARIZAV_API void SC_yazdegerd(double* result, const double* year, const char* month, const double* day) {
  *result = convert(year, month, day, yazdegerd::month_names, yazdegerd::to_jd);
}

}  // extern "C"
