// Worksheet functions of leap years and chronological cycles.
#include <optional>

#include "calendars/chronology.h"
#include "framework/text_format.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// A leap year answer as a worksheet truth value: 1 leap, 0 common.
double truth_value(std::optional<bool> leap) noexcept {
  if (!leap.has_value()) return error_value();
  return *leap ? 1.0 : 0.0;
}

}  // namespace

extern "C" {

VARIZAV_API void SC_leapyear(double* result, const char* calendar, const char* year) {
  *result = truth_value(leap_year_of_text(HostText(calendar), HostText(year)));
}

VARIZAV_API void SC_leapyear2(double* result, const char* calendar, const double* date) {
  *result = truth_value(leap_year_of_date(HostText(calendar), *date));
}

VARIZAV_API void SC_chronology(char* result, const char* cycle, const double* year) {
  HostResult out(result);
  if (!format_chronology(out, HostText(cycle), *year)) copy_text(out, kInvalidArgumentText);
}

}  // extern "C"
