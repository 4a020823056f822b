// Worksheet functions of the Western calendars: a date of the Gregorian,
// Julian, ISO 8601 week, era-offset, Japanese era or Roman calendar to a
// serial date. Rejected input gives the error value.
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/iso8601.h"
#include "calendars/western/julian.h"
#include "calendars/western/latin.h"
#include "calendars/western/western_names.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/numeric.h"
#include "host/converter.h"
#include "host/error_value.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// Day bound (exclusive) and month count of the converters with Western months.
constexpr double kWesternDayBound = 32.0;
constexpr int32_t kWesternMonths = 12;

double convert_western(const double* year, const char* month, const double* day, const KeywordTable& months,
                       SimpleToJd to_jd) noexcept {
  return convert_simple_date(*year, keyword_lookup(HostText(month), months), *day, kWesternMonths, kWesternDayBound,
                             to_jd);
}

}  // namespace

extern "C" {

VARIZAV_API void SC_gregorian(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, gregorian::to_jd);
}

VARIZAV_API void SC_julian(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, julian::to_jd);
}

VARIZAV_API void SC_buddhist(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, buddhist::to_jd);
}

VARIZAV_API void SC_byzantine(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, byzantine::to_jd);
}

VARIZAV_API void SC_seleucid(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, seleucid::to_jd);
}

VARIZAV_API void SC_syrian(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, syrian_month_names, syrian::to_jd);
}

VARIZAV_API void SC_taiwanese(double* result, const double* year, const char* month, const double* day) {
  *result = convert_western(year, month, day, gregorian_month_names, taiwanese::to_jd);
}

VARIZAV_API void SC_iso8601(double* result, const double* year, const double* week, const char* day) {
  // The day is a number (a fraction is the time of day) or a weekday name.
  const HostText day_text(day);
  double weekday = read_decimal_text(day_text);
  if (weekday == 0.0) weekday = keyword_lookup(day_text, weekday_names);
  const int32_t w = itrunc(*week);
  if (!(weekday >= 1.0 && weekday < 8.0) || w < 1 || w > 53 || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  *result = jd_to_serial(iso8601::to_jd(itrunc(*year), w, weekday));
}

VARIZAV_API void SC_gengou(double* result, const char* era, const double* year, const char* month, const double* day) {
  const int32_t m = keyword_lookup(HostText(month), gregorian_month_names);
  // An era text that matches nothing counts the years of the Jimmu era.
  const int32_t k = keyword_lookup(HostText(era), gengou_era_names);
  if (!day_accepted(*day, kWesternDayBound) || m < 1 || m > kWesternMonths || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  const GengouDate date = {itrunc(*year), static_cast<int16_t>(m), static_cast<int16_t>(k != 0 ? k - 1 : 0), *day};
  *result = jd_to_serial(gengou::to_jd(date));
}

VARIZAV_API void SC_latin(double* result, const double* year, const char* month, const char* division,
                          const char* day) {
  // The count is a number (a fraction is the time of day) or a count name; the
  // leap-day name "bis VI" and a text that names nothing give count 0.
  constexpr int32_t kLeapDayEntry = 20;
  const HostText day_text(day);
  double count = read_decimal_text(day_text);
  if (count == 0.0) {
    const int32_t k = keyword_lookup(day_text, roman_count_names);
    count = k < kLeapDayEntry ? k : 0;
  }
  const int32_t p = keyword_lookup(HostText(division), roman_division_names);
  const int32_t m = keyword_lookup(HostText(month), roman_month_names);
  if (p < 1 || p > 3 || m < 1 || m > 12 || !(count >= 0.0 && count < 21.0) || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  const RomanDate date = {itrunc(*year), static_cast<int16_t>(m), static_cast<int16_t>(p - 1), count};
  *result = jd_to_serial(latin::to_jd(date));
}

}  // extern "C"
