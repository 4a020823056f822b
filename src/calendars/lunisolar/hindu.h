// The two arithmetic Hindu calendars of the Arya Siddhanta, built on mean
// motions only (no true positions):
//   hindu   the lunisolar calendar: months from mean new moon to mean new
//           moon, named after the solar month, with a leap month when a lunar
//           month begins and ends within one solar month;
//   hindu2  the solar calendar: twelve equal months of the sidereal year.
// Both count years of the Kali Yuga (year 0 began 18 February 3102 BC,
// Julian) and begin the day at 06:00, mean sunrise: a whole day number
// converts to a JulianDay with fraction .75.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {
namespace hindu {

// Lunisolar date: Kali Yuga year, month 1..12 (1 = Chaitra), leap flag
// (1 for a leap month, which precedes the regular month of the same name) and
// the lunar day (tithi) 1..30 plus the time elapsed since 06:00, in days.
struct LunisolarDate {
  int32_t year;
  int16_t month;
  int16_t leap;
  double day;
};

// The twelve lunar month names, one list for both languages (1 = Chaitra).
extern const KeywordTable month_names;

// 1 when the Kali Yuga year contains a leap month, else 0.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of a lunisolar date (fraction .75 = 06:00 for a whole day). A leap
// flag on a month without a leap month counts one lunation earlier; day 30 of
// a short month and skipped lunar days run on into the next day.
JulianDay to_jd(const LunisolarDate& date) noexcept;
// Lunisolar date of the day holding jd; to_jd of the result returns jd.
LunisolarDate from_jd(JulianDay jd) noexcept;
// Text ("%s, %d %s%s %ld" with "!" after a leap month), whole-number
// ("%4ld %2d %d %2d") or fractional ("%4ld %2d %d %f") form of a JulianDay.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// JulianDay of 06:00 of 1 Chaitra (the regular one) of a Kali Yuga year.
JulianDay year_start(int32_t year) noexcept;
// True when the year's month count 12 year lies within 32 bits, as the
// holiday codes form it.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace hindu

namespace hindu2 {

// The twelve solar month names, one list for both languages (1 = Mesha).
extern const KeywordTable month_names;

// The solar calendar has no leap years: always 0.
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of a solar date; day 31 of a 30-day month runs on into the next.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Solar date of the day holding jd (day 1..31 plus time since 06:00).
CalendarDate from_jd(JulianDay jd) noexcept;
// Text ("%s, %d %s %ld"), whole-number or fractional form of a JulianDay.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// JulianDay of 06:00 of 1 Mesha of a Kali Yuga year.
JulianDay year_start(int32_t year) noexcept;
// Always true: the solar year start is formed in floating point for any year.
bool anchor_year_fits(int64_t year) noexcept;

}  // namespace hindu2
}  // namespace varizav
