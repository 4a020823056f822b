// The Chinese calendar, computed astronomically: months begin on the civil day
// (zone UT+8) of the true new moon, month 11 holds the December solstice, and
// in a year of 13 months the first month without a principal solar term is the
// leap month. Years are counted in cycles of 60.
//
// Year numbers Y count the years elapsed since the first year of cycle 1:
// Y = 60 (cycle - 1) + (year in cycle) - 1; Y = 4636 (cycle 78, year 17) began
// in February 2000. Every JulianDay taken or given is a local Julian Day of the
// zone UT+8.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

struct ChineseDate {
  int32_t year;   // Y
  int16_t month;  // 1..12
  int16_t leap;   // 1 for the leap month that follows the month of the same number
  double day;     // 1-based, fraction = time of day; NaN outside the calendar's range
};

extern const KeywordTable chinese_month_names;  // "1st".."13th" / "1.".."13."

// Local midnight (UT+8) of the civil day holding the instant t (centuries TD).
JulianDay china_local_day(double t_centuries_td) noexcept;

// The Chinese years whose dates the calendar gives (Y, inclusive): Gregorian
// years -31592 .. 36215. The solar terms of a year just beyond either end no
// longer all settle (sun_longitude_crossing gives NaN), and further out the
// years that still compute leave gaps between them or lose the December
// solstice from month 11. Every year inside, under any delta T, has 12 or 13
// months of 29 or 30 days and ends on the day the next year begins (checked
// year by year over the whole range by computation).
constexpr int32_t kChineseFirstYear = -28956;
constexpr int32_t kChineseLastYear = 38851;

// Leap month and first lunation of a Chinese year. leap_month: 1..12, the
// month the leap month follows, or 13 when the year has none. valid is false
// for a year outside kChineseFirstYear .. kChineseLastYear.
struct ChineseYearInfo {
  int32_t leap_month;
  int32_t first_lunation;
  bool valid;
};
ChineseYearInfo chinese_year_info(int32_t year) noexcept;

// The computation behind the year table, without table or cache: the year's
// information and the first day of its month 11 (local JulianDay). For the
// table's generator and the test that holds the table to it.
ChineseYearInfo compute_chinese_year_info(int32_t year) noexcept;
JulianDay compute_chinese_month11_start(int32_t year) noexcept;

namespace chinese {
int32_t is_leap_year(int32_t year) noexcept;
// NaN for a year outside the calendar's range.
JulianDay to_jd(int32_t year, int32_t month, int32_t leap, double day) noexcept;
// The date holding jd; day NaN when jd lies in no year of the calendar's range.
ChineseDate from_jd(JulianDay jd) noexcept;
// "%d %d%s %s-%s %ld (%s)" (day, month, "!" for a leap month, stem-branch,
// cycle, animal), or the number forms; an empty text outside the calendar's range.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// The simple form for the calendar registry (year Y, month, day).
CalendarDate registry_from_jd(JulianDay jd) noexcept;
}  // namespace chinese

// Year-start anchors of the holiday codes.
JulianDay chinese_new_year(int32_t year) noexcept;       // first day of month 1
JulianDay chinese_month11_start(int32_t year) noexcept;  // first day of month 11 (holds the December solstice)
// Always true: the anchors are formed in floating point, and a year outside
// the calendar's range gives NaN, which the holiday functions report as no result.
bool chinese_anchor_year_fits(int64_t year) noexcept;

// The Chinese year Y of year y (1..60) of cycle c: the years elapsed since the
// first year of cycle 1 (cycle 78, year 17 is 4636, the year from February 2000).
constexpr int64_t chinese_year_of_cycle(int64_t cycle, int64_t year_of_cycle) noexcept {
  return 60 * (cycle - 1) + year_of_cycle - 1;
}

// A Chinese year written as text: cycle, any one separator character, year of
// the cycle ("78-17"), each a leading decimal integer (white space skipped,
// 32-bit saturated). found is false when either number or the separator is missing.
struct ChineseYearText {
  bool found;
  int64_t year;  // chinese_year_of_cycle of the two numbers, in 64 bits
};
ChineseYearText read_chinese_year(const char* text) noexcept;

}  // namespace varizav
