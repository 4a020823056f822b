// The calendar registry: the 25 calendars by name, with the operations that
// generic code reaches by calendar name (format a date, the year of a date,
// the leap-year test), and the generic date-to-text conversion.
#pragma once

#include <array>
#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// 0-based position of a calendar in calendar_names (alphabetical English order).
enum CalendarId : int32_t {
  kArmenian = 0,
  kAstronomical = 1,
  kBuddhist = 2,
  kByzantine = 3,
  kChinese = 4,
  kCoptic = 5,
  kEgyptian = 6,
  kEthiopic = 7,
  kFrench = 8,
  kGengou = 9,
  kGregorian = 10,
  kHebrew = 11,
  kHindu = 12,
  kHindu2 = 13,
  kIndian = 14,
  kIslamic = 15,
  kIso8601 = 16,
  kJulian = 17,
  kLatin = 18,
  kMayan = 19,
  kPersian = 20,
  kSeleucid = 21,
  kSyrian = 22,
  kTaiwanese = 23,
  kYazdegerd = 24,
};
constexpr int32_t kCalendarCount = 25;

using FormatDateFn = int (*)(char* out, JulianDay jd, int32_t mode);
// Generic callers read only the year of the date; calendars with an extended
// date record return its year, month and day in the simple form.
using FromJdFn = CalendarDate (*)(JulianDay jd);
using IsLeapYearFn = int32_t (*)(int32_t year);

// A calendar: its names in both languages (the German list keeps the English
// order, so "jüdisch" stands at 11 and "jezdegerd" at 24) and its operations.
struct CalendarRecord {
  CalendarId id;
  const char* english_name;
  const char* german_name;
  FormatDateFn format_date;
  FromJdFn from_jd;
  IsLeapYearFn is_leap_year;
  // The month names of the calendar's worksheet converter; null where the
  // converter takes no month name (Julian Day, ISO week, Mayan long count).
  const KeywordTable* month_names;
};
const CalendarRecord& calendar_record(CalendarId id) noexcept;

// The names of the 25 calendars; keyword entry k is CalendarId k - 1.
extern const KeywordTable calendar_names;

// CalendarId selected by a calendar name text, or -1 when nothing matches.
int32_t find_calendar(NameText name) noexcept;

// The columns of the calendar records, by CalendarId.
extern const std::array<FormatDateFn, kCalendarCount> format_date_table;
extern const std::array<FromJdFn, kCalendarCount> from_jd_table;
extern const std::array<IsLeapYearFn, kCalendarCount> is_leap_year_table;

// Writes a serial date as a date of the named calendar; an empty text for a
// date outside the accepted range or a NaN mode; an unknown calendar name
// selects the reform-aware civil formatter.
void format_calendar_date(char* out, NameText calendar, double serial_date, double mode) noexcept;

}  // namespace varizav
