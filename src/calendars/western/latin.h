// The Roman calendar: days of the Julian calendar named by counting
// inclusively back to the next division point of a month, the Kalendae (1st),
// Nonae (5th or 7th) or Idus (13th or 15th); in a leap year the sixth day
// before the Kalends of March is doubled (bis sextum, 24 February).
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// Roman month names 1 = Januarius .. 12 = Dezember, one list for both languages.
extern const KeywordTable roman_month_names;
// Division points 1 = Nonas, 2 = Idus, 3 = Kalendas.
extern const KeywordTable roman_division_names;
// Day counts: 1 = the empty name (on the division point), 2 = "pridie",
// 3..19 = "III".."XIX", 20 = "bis VI" (the doubled leap day).
extern const KeywordTable roman_count_names;

enum RomanDivision : int16_t { kNonae = 0, kIdus = 1, kKalendae = 2 };

struct RomanDate {
  int32_t year;      // Julian year of the day itself (late December keeps its year)
  int16_t month;     // 1..12: the month whose division point is counted to
  int16_t division;  // RomanDivision
  double day;        // count + time of day: 1 on the division point, 2 pridie,
                     // 3..19 ante diem III..XIX, 0 the doubled leap day
};

namespace latin {

// The Roman name of the Julian day holding jd.
RomanDate from_jd(JulianDay jd) noexcept;
// JulianDay of a Roman date; counts that do not exist in the month (ante diem
// XIX Nonas) are converted by the same rule and land in the month before.
JulianDay to_jd(const RomanDate& date) noexcept;
// mode > 0: "%s %s %s %ld" (count name, "bis sextum" for the leap day, division
// point, month name, year); mode = 0: "%s %s. %s. %ld" with the count name
// ("bis VI" for the leap day) and three-letter division point and month;
// mode < 0: "%4ld %2d %d %f" (year, month, division point 0..2, count with fraction).
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

}  // namespace latin
}  // namespace varizav
