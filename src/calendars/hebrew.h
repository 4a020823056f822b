// Arithmetic Hebrew calendar: 19-year cycle of 12- and 13-month years, the
// year starting on 1 Tishri as fixed by the mean conjunction (molad) and the
// postponement rules; six year lengths (353-355, 383-385 days). Months are
// numbered from Nisan (1) while the year begins with Tishri (7); Adar II is 13.
// The day begins at 18:00 of the previous civil day (JulianDay fraction .25).
//
// Day counts are held in 64 bits: they stay exact and every year length stays
// one of the six values for any 32-bit year.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {
namespace hebrew {

// Epoch: 1 Tishri 1 began at 18:00 of 6 October 3761 BC (Julian).
constexpr JulianDay kEpochJd = 347997.25;

// 1 for a year of 13 months (years 3, 6, 8, 11, 14, 17, 19 of the cycle).
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of (year, month 1..13, day); day 1.0 is 18:00 of the civil day
// before. Adar II (13) in a common year falls on Nisan; days beyond the
// month's end count on.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Date of a JulianDay; day fraction = time since 18:00. Inverse of to_jd.
CalendarDate from_jd(JulianDay jd) noexcept;
// Text "%s, %d %s %ld" (weekday, day, month, year) for mode > 0, else the
// number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

// Holiday anchors, each the eve (18:00) of the day: 1 Tishri of the year,
// 1 Kislev and 1 Tevet of the year, and 1 Tishri of the following year.
JulianDay year_start(int32_t year) noexcept;
JulianDay kislev_start(int32_t year) noexcept;
JulianDay tevet_start(int32_t year) noexcept;
JulianDay next_year_start(int32_t year) noexcept;

// Days in the year: 353, 354, 355, 383, 384 or 385.
int32_t year_length(int32_t year) noexcept;

// True when the year-start anchors of the year (from the new years of year - 1
// to year + 2) are formed within the 32-bit day counts of the holiday codes.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace hebrew

// Days from the epoch day to the molad-based new year of the year, with the
// first postponement (not on Sunday, Wednesday or Friday) applied.
int64_t hebrew_elapsed_days(int64_t year) noexcept;
// Days from the epoch to 1 Tishri of the year, all postponements applied.
int64_t hebrew_new_year(int64_t year) noexcept;

// Month names of the worksheet argument (1 = Nisan .. 13 = Adar II).
extern const KeywordTable hebrew_month_names;

}  // namespace varizav
