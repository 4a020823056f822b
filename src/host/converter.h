// The converters of the worksheet functions: a year, a month name or number
// and a day of one calendar to a serial date. One row per calendar says what
// its converter accepts; the month names, and so the month count, are the
// calendar's own (calendar_record(id).month_names).
#pragma once

#include <cstdint>
#include <optional>

#include "calendars/registry.h"
#include "framework/date.h"

namespace varizav {

// to_jd of a calendar whose date is year, month and day.
using SimpleToJd = JulianDay (*)(int32_t year, int32_t month, double day);

// The converter of one calendar.
//   day_bound  exclusive upper bound of the day argument: 1 <= day < day_bound
//              (the day is never checked against the month's own length: a
//              day past its end counts on into the next month); 0 for a
//              calendar without a month and day converter
//   to_jd      the calendar's to_jd when its date is year, month and day;
//              null where the worksheet function takes more (leap flag, era,
//              division point) and converts in its own export
struct ConverterRow {
  CalendarId calendar;
  double day_bound;
  SimpleToJd to_jd;
};
const ConverterRow& converter_row(CalendarId calendar) noexcept;

// The month names a calendar's converter takes and how many of them there are
// (0 for a calendar without month names).
const KeywordTable* converter_month_names(CalendarId calendar) noexcept;
int32_t converter_month_count(CalendarId calendar) noexcept;

// True for a day the converters accept: 1 <= day < day_bound, or a NaN day
// (which passes and yields NaN).
constexpr bool day_accepted(double day, double day_bound) noexcept { return !(day < 1.0) && !(day >= day_bound); }

// True for a month number 1..the calendar's month count and a day its
// converter accepts.
bool month_and_day_accepted(CalendarId calendar, int32_t month, double day) noexcept;

// The worksheet converter of a calendar with a simple date: looks the month
// text up in the calendar's month names, checks month and day, rejects a year
// that is NaN or outside the 32-bit range, and returns the serial date of
// to_jd(trunc(year), month, day); no result for rejected input.
std::optional<SerialDate> convert_simple_date(CalendarId calendar, double year, NameText month, double day) noexcept;

// SC_chinese: cycle, year of cycle 1..60, month name or number 1..12, leap
// flag (non-zero or NaN: leap), day 1 <= d < 31; serial date, or no result
// for input outside those ranges or a date outside the calendar's years.
std::optional<SerialDate> convert_chinese_date(double cycle, double year, NameText month, double leap,
                                               double day) noexcept;

}  // namespace varizav
