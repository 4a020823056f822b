// Worksheet functions of the Islamic, Persian, Hebrew and Mayan calendars:
// a calendar date to a serial date. Islamic and Hebrew results for whole days
// end in .75 (18:00 of the civil day before, when their day begins).
#include "calendars/hebrew.h"
#include "calendars/islamic.h"
#include "calendars/mayan.h"
#include "calendars/persian.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/numeric.h"
#include "host/host_text.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// The day is never checked against the month's real length: a day past the
// month's end counts on into the next month.
constexpr double kIslamicDayBound = 31.0;
constexpr double kPersianDayBound = 32.0;
constexpr double kHebrewDayBound = 31.0;

// Keeps the low 8 bits of a truncated unit, as the 8-bit long-count fields hold them.
int8_t unit_byte(double value) noexcept { return static_cast<int8_t>(itrunc(value)); }

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

// No validation: every unit, out of its usual range too, adds its day value;
// the kin's fraction is dropped.
VARIZAV_API void SC_mayan(double* result, const double* baktun, const double* katun, const double* tun,
                          const double* uinal, const double* kin) {
  MayanDate d{};
  d.baktun = unit_byte(*baktun);
  d.katun = unit_byte(*katun);
  d.tun = unit_byte(*tun);
  d.uinal = unit_byte(*uinal);
  d.kin = static_cast<float>(itrunc(*kin));
  *result = jd_to_serial(mayan::to_jd(d));
}

}  // extern "C"
