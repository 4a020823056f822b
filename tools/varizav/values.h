// Values as the host tool reads them from a command line and writes them back:
// number arguments (plain numbers, truth values, ISO dates), results in
// shortest round-trip form, and serial dates shown as ISO date and time.
//
// The tool keeps its own proleptic Gregorian arithmetic instead of asking the
// add-in, so that what it prints beside a result is an independent reading of
// the serial date.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varizav::tool {

// A proleptic Gregorian date with astronomical year numbering (year 0 = 1 BC).
struct CivilDate {
  int64_t year;
  int32_t month;  // [1, 12]
  int32_t day;    // [1, 31]
};

// Days from 1899-12-30 (serial day 0) to the given date; month and day must be
// valid for the year.
int64_t serial_day_from_civil(int64_t year, int32_t month, int32_t day) noexcept;

// The date of serial day n (the inverse of serial_day_from_civil).
CivilDate civil_from_serial_day(int64_t n) noexcept;

// Days in a month of the proleptic Gregorian calendar.
int32_t days_in_month(int64_t year, int32_t month) noexcept;

// Serial date of an ISO text "YYYY-MM-DD[THH:MM[:SS]]" (year with an optional
// sign and 1 to 9 digits), or nothing when the text is not such a date or
// names a day or time that does not exist.
std::optional<double> parse_iso_date(std::string_view text) noexcept;

// A number argument: a decimal number (as std::from_chars reads it, with an
// optional leading '+'), TRUE/WAHR (1) or FALSE/FALSCH (0) in any case, or an
// ISO date (its serial date). Nothing for anything else.
std::optional<double> parse_number_argument(std::string_view text) noexcept;

// Shortest text that reads back as the same double, without an exponent for
// magnitudes from 1 to 1e15; "NaN" for every NaN.
std::string format_number(double value);

// "YYYY-MM-DDTHH:MM:SS" for a serial date rounded to the nearest second
// (negative years as "-YYYY"); nothing for NaN, infinities and serial dates
// beyond +-1e13 days, whose seconds no longer fit the arithmetic.
std::optional<std::string> format_iso_datetime(double serial_date);

// The fields of a text between separators (a batch line's tab-separated
// call, a comma-separated list of names); one field for a text without one.
std::vector<std::string_view> split_fields(std::string_view text, char separator);

}  // namespace varizav::tool
