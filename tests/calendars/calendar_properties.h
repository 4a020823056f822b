// Shared checks for calendars with the simple date record: a day-by-day sweep
// against an independent statement of the month lengths, and the comparison of
// worksheet results with the error value.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "calendars/registry.h"
#include "expect_error.h"
#include "framework/date.h"
#include "framework/language.h"
#include "named_text.h"

namespace varizav::testing {

struct SimpleCalendar {
  CalendarDate (*from_jd)(JulianDay);
  JulianDay (*to_jd)(int32_t, int32_t, double);
  JulianDay (*year_start)(int32_t);
  int32_t (*is_leap_year)(int32_t);
  int32_t months;                                        // months per year
  int32_t (*month_length)(int32_t year, int32_t month);  // the rule, stated by the test
  bool keeps_time_of_day;                                // false: from_jd returns whole days
};

// Walks `days` consecutive days from the day that begins at first_day_jd:
// every day round-trips (also with a time of day), the next day is the date's
// successor by month_length, and each year starts at year_start.
inline void sweep_days(const SimpleCalendar& cal, double first_day_jd, int64_t days) {
  constexpr double kTime = 0.3;  // a time of day that is not a binary fraction
  CalendarDate d = cal.from_jd(first_day_jd);
  for (int64_t i = 0; i < days; ++i) {
    const double jd = first_day_jd + static_cast<double>(i);
    ASSERT_EQ(cal.to_jd(d.year, d.month, d.day), jd) << d.year << "-" << d.month << "-" << d.day;
    const CalendarDate t = cal.from_jd(jd + kTime);
    ASSERT_TRUE(t.year == d.year && t.month == d.month) << "jd " << jd;
    ASSERT_NEAR(t.day, d.day + (cal.keeps_time_of_day ? kTime : 0.0), 1e-8) << "jd " << jd;
    if (cal.keeps_time_of_day) {
      ASSERT_NEAR(cal.to_jd(t.year, t.month, t.day), jd + kTime, 1e-8);
    }
    if (d.month == 1 && d.day == 1.0) {
      ASSERT_EQ(cal.year_start(d.year), jd) << "year " << d.year;
    }
    ASSERT_LE(d.day, cal.month_length(d.year, d.month)) << d.year << "-" << d.month;
    CalendarDate next = {d.year, d.month, d.day + 1.0};
    if (d.day == cal.month_length(d.year, d.month)) next = {d.year, d.month + 1, 1.0};
    if (next.month > cal.months) next = {d.year + 1, 1, 1.0};
    const CalendarDate got = cal.from_jd(jd + 1.0);
    ASSERT_TRUE(got.year == next.year && got.month == next.month && got.day == next.day)
        << "after " << d.year << "-" << d.month << "-" << d.day << " got " << got.year << "-" << got.month << "-"
        << got.day;
    d = got;
  }
}

// Worksheet results: kError is the error value (bit pattern), kNaN a NaN
// other than the error value.
constexpr double kNaN = 1e300;

inline void expect_result(double got, double want, const char* source) {
  if (is_error_value(want)) {
    expect_error(got, source);
  } else if (want == kNaN) {
    EXPECT_TRUE(std::isnan(got) && std::bit_cast<uint64_t>(got) != kErrorBits) << source;
  } else {
    EXPECT_NEAR(got, want, 1e-9) << source << ": want " << want << " got " << got;
  }
}

// One call of a worksheet converter that takes a year, a month keyword and a
// day. kNaN as the year or the day stands for a NaN argument; the month
// keyword is read in German unless `english` is set.
struct ConverterCase {
  double year;
  const char* month;
  double day;
  double want;
  const char* source;
  bool english = false;
};

using MonthConverter = void (*)(double* result, const double* year, const char* month, const double* day);

// Calls the converter with each case in the case's language and checks the result.
inline void expect_converter_cases(MonthConverter convert, std::span<const ConverterCase> cases) {
  const auto argument = [](double x) { return x == kNaN ? std::numeric_limits<double>::quiet_NaN() : x; };
  for (const ConverterCase& c : cases) {
    set_current_language(c.english ? kLanguageEnglish : kLanguageGerman);
    double result = 0;
    const double year = argument(c.year);
    const double day = argument(c.day);
    convert(&result, &year, c.month, &day);
    expect_result(result, c.want, c.source);
  }
  set_current_language(kLanguageGerman);
}

// A text form of an instant in a mode. `when` is a JulianDay for
// expect_texts, a JulianDay or a serial date for expect_registry_texts.
struct TextCase {
  double when;
  int32_t mode;
  const char* want;
  const char* source = "";
};

// Checks a calendar's format_date against the texts.
inline void expect_texts(int (*format_date)(char* out, JulianDay jd, int32_t mode), std::span<const TextCase> cases) {
  for (const TextCase& c : cases) {
    char out[kTextCapacity];
    format_date(out, c.when, c.mode);
    EXPECT_STREQ(out, c.want) << c.source;
  }
}

// Checks the texts of a calendar whose names are the same in both languages
// through the registry, under its English name in English and its German name
// in German. `serial_of_when` is subtracted from `when` to give the serial date.
inline void expect_registry_texts(const char* english_name, const char* german_name, double serial_of_when,
                                  std::span<const TextCase> cases) {
  for (const bool english : {true, false}) {
    set_current_language(english ? kLanguageEnglish : kLanguageGerman);
    for (const TextCase& c : cases) {
      char out[kTextCapacity];
      format_calendar_date(out, named(english ? english_name : german_name), c.when - serial_of_when, c.mode);
      EXPECT_STREQ(out, c.want) << c.source;
    }
  }
  set_current_language(kLanguageGerman);
}

}  // namespace varizav::testing
