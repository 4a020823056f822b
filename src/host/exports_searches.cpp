// Worksheet functions of the weekday events and the coincidence searches:
// the n-th weekday or day of a civil month, the first event on a given
// weekday, day and month, and the first day two events share. Rejected input
// gives the error value.
#include <cmath>
#include <cstdint>
#include <optional>

#include "calendars/western/western_names.h"
#include "events/astro_events.h"
#include "events/coincidence.h"
#include "events/holidays.h"
#include "events/weekday_events.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/numeric.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

constexpr int32_t kMaxOrdinal = 366;  // reaches every day of a year from either end

// A search result as a serial date; no result gives the error value.
double search_result(std::optional<JulianDay> jd) noexcept { return jd ? jd_to_serial(*jd) : error_value(); }

SearchEvent search_event(const char* calendar, const char* event) noexcept {
  const HolidayCalendar found = find_holiday_calendar(HostText(calendar));
  return {found.table, found.calendar, keyword_lookup(HostText(event), *found.table)};
}

}  // namespace

extern "C" {

VARIZAV_API void SC_event(double* result, const double* ordinal, const char* name_of_day, const char* month,
                          const double* year) {
  const int32_t n = itrunc(*ordinal);
  const int32_t w = keyword_lookup(HostText(name_of_day), weekday_names);
  int32_t m = keyword_lookup(HostText(month), gregorian_month_names);
  if (m == 0) m = n > 0 ? 1 : 12;  // no month: count from the year's start or back from its end
  if (n < -kMaxOrdinal || n > kMaxOrdinal || w < 0 || w > 7 || m < 1 || m > 12 || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  *result = jd_to_serial(weekday_event(n, w, m, itrunc(*year)));
}

VARIZAV_API void SC_when(double* result, const char* calendar, const char* event, const char* name_of_day,
                         const double* day, const char* month, const double* date) {
  *result = error_value();
  const int32_t dd = itrunc(*day);  // 0: any day of the month
  const int32_t m = keyword_lookup(HostText(month), gregorian_month_names);
  if (dd < 0 || dd > 31) return;
  const SearchEvent searched = search_event(calendar, event);
  const int32_t w = keyword_lookup(HostText(name_of_day), weekday_names);
  // Without an event the Gregorian and astronomical calendars scan day by day;
  // an event that another calendar does not know is an error.
  if (searched.code == 0 && searched.table != &gregorian_holidays && searched.table != &astro_events) return;
  const JulianDay x = searched.code != 0 ? serial_to_jd(*date) : serial_to_jd(std::floor(*date));
  if (!(x >= kMinAcceptedJd)) return;
  *result = search_result(first_event_on_civil_pattern(searched, {w, dd, m}, x));
}

VARIZAV_API void SC_when2(double* result, const char* first_calendar, const char* first_event,
                          const char* second_calendar, const char* second_event, const double* date) {
  *result = error_value();
  const SearchEvent first = search_event(first_calendar, first_event);
  const SearchEvent second = search_event(second_calendar, second_event);
  if (first.code == 0 || second.code == 0) return;
  const JulianDay x = serial_to_jd(*date);
  if (!(x >= kMinAcceptedJd)) return;
  *result = search_result(first_common_occurrence(first, second, x));
}

}  // extern "C"
