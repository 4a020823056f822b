// The Japanese era calendar (gengou): Gregorian months and days with the year
// counted within an era, from the Jimmu era (660 BC) through Reiwa.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

constexpr int32_t kGengouEraCount = 17;

// Era names, 1 = Jimmu .. 17 = Reiwa; one list for both languages.
extern const KeywordTable gengou_era_names;

// A Gengou date. from_jd writes the Jimmu-count year (Gregorian year + 660)
// into year; to_jd reads year as the year within era.
struct GengouDate {
  int32_t year;
  int16_t month;  // Gregorian month 1..12
  int16_t era;    // 0 = Jimmu .. 16 = Reiwa
  double day;     // Gregorian day of the month, fraction = time of day
};

namespace gengou {

// Leap years are the Gregorian ones; year is the Jimmu-count year.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of date.day in date.month of era year date.year of date.era; the
// era year is not checked against the era's span (Meiji 100 is 1967).
JulianDay to_jd(const GengouDate& date) noexcept;
// The era in force at jd (Jimmu before 1 January 1801) and the Jimmu-count year.
GengouDate from_jd(JulianDay jd) noexcept;
// mode > 0: "%d %s %ld (%s)" (day, Western month name, era year, era name);
// mode < 0: "%d %4ld %2d %f" (era number 0..16, era year, month, day);
// mode = 0: "%4ld %2d %2d" (Jimmu-count year, month, whole day).
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// JulianDay of 0h, 1 January of Jimmu-count year y (Gregorian year y - 660).
JulianDay year_start(int32_t year) noexcept;
// True when that 1 January is formed within the 32-bit day counts of the
// holiday codes.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace gengou
}  // namespace varizav
