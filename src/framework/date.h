// Shared date model: the Julian Day pivot, the spreadsheet serial date, the
// simple calendar date record, the weekday and the number forms of a date.
#pragma once

#include <cstdint>

#include "framework/text_format.h"

namespace varizav {

// Astronomical Julian Day: midnight falls on .5, the fraction is the time of day.
using JulianDay = double;
// Spreadsheet date number: day 0 is 30 December 1899, 0h.
using SerialDate = double;

// JulianDay of serial day 0 (1899-12-30 0h). The one place the offset lives.
constexpr double kSerialEpochJd = 2415018.5;

constexpr JulianDay serial_to_jd(SerialDate s) noexcept { return s + kSerialEpochJd; }
constexpr SerialDate jd_to_serial(JulianDay jd) noexcept { return jd - kSerialEpochJd; }

// Accepted range of dates handed to the formatters and searches (inclusive).
constexpr double kMinAcceptedJd = -76715589.0;
constexpr double kMaxAcceptedJd = 80156580.0;

constexpr bool jd_in_accepted_range(JulianDay jd) noexcept {
  return jd >= kMinAcceptedJd && jd <= kMaxAcceptedJd;  // false for NaN
}

// Simple calendar date: astronomical year (year 0 exists), 1-based month and a
// 1-based day whose fraction is the time since the calendar's day began.
struct CalendarDate {
  int32_t year;
  int32_t month;
  double day;
};

// The date of a whole day in a calendar of years, months and days, with the
// year in 64 bits: what a day number far outside the calendars' range gives
// before the year is clamped to a CalendarDate's 32-bit field.
struct WholeDayDate {
  int64_t year;
  int32_t month;  // [1, 12]
  int32_t day;    // [1, 31]
};

// Weekday index 0 = Monday .. 6 = Sunday of the civil day holding jd;
// day_start_shift is 0.5 for days beginning at midnight, 0.75 for days
// beginning at 18:00 of the previous civil day.
int32_t weekday_index(JulianDay jd, double day_start_shift = 0.5) noexcept;

// Writes the two number forms common to the simple-date calendars:
// mode = 0: "%4ld %2d %2d" (year, month, whole day), mode < 0: "%4ld %2d %f".
int format_numeric_date(char* out, const CalendarDate& date, int32_t mode) noexcept;

}  // namespace varizav
