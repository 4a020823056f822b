// Worksheet functions of the Western calendars: a date of the Gregorian,
// Julian, ISO 8601 week, era-offset, Japanese era or Roman calendar to a
// serial date. Rejected input gives the error value.
#include "calendars/western/gengou.h"
#include "calendars/western/iso8601.h"
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

extern "C" {

VARIZAV_API void SC_gregorian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kGregorian, *year, HostText(month), *day));
}

VARIZAV_API void SC_julian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kJulian, *year, HostText(month), *day));
}

VARIZAV_API void SC_buddhist(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kBuddhist, *year, HostText(month), *day));
}

VARIZAV_API void SC_byzantine(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kByzantine, *year, HostText(month), *day));
}

VARIZAV_API void SC_seleucid(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kSeleucid, *year, HostText(month), *day));
}

VARIZAV_API void SC_syrian(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kSyrian, *year, HostText(month), *day));
}

VARIZAV_API void SC_taiwanese(double* result, const double* year, const char* month, const double* day) {
  *result = value_or_error(convert_simple_date(kTaiwanese, *year, HostText(month), *day));
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
  const int32_t m = keyword_lookup(HostText(month), *converter_month_names(kGengou));
  // An era text that matches nothing counts the years of the Jimmu era.
  const int32_t k = keyword_lookup(HostText(era), gengou_era_names);
  if (!month_and_day_accepted(kGengou, m, *day) || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  const GengouDate date = {itrunc(*year), static_cast<int16_t>(m), static_cast<int16_t>(k != 0 ? k - 1 : 0), *day};
  *result = jd_to_serial(gengou::to_jd(date));
}

VARIZAV_API void SC_latin(double* result, const double* year, const char* month, const char* division,
                          const char* day) {
  // The count is a number (a fraction is the time of day) or a count name; the
  // leap-day name "bis VI", the last of the count names, and a text that names
  // nothing give count 0. A number is taken below the count of names + 1, so
  // up to 20, which names no day and is converted by the same counting rule.
  const int32_t leap_day_entry = roman_count_names.count;
  const double count_bound = roman_count_names.count + 1.0;
  const HostText day_text(day);
  double count = read_decimal_text(day_text);
  if (count == 0.0) {
    const int32_t k = keyword_lookup(day_text, roman_count_names);
    count = k < leap_day_entry ? k : 0;
  }
  const int32_t p = keyword_lookup(HostText(division), roman_division_names);
  const int32_t m = keyword_lookup(HostText(month), *converter_month_names(kLatin));
  if (p < 1 || p > roman_division_names.count || m < 1 || m > converter_month_count(kLatin) ||
      !(count >= 0.0 && count < count_bound) || !fits_i32(*year)) {
    *result = error_value();
    return;
  }
  const RomanDate date = {itrunc(*year), static_cast<int16_t>(m), static_cast<int16_t>(p - 1), count};
  *result = jd_to_serial(latin::to_jd(date));
}

}  // extern "C"
