// Test support for the Western calendars: an independent day count to check
// conversions against, and guards that put the language, the display names
// and the reform date back to their defaults.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <span>

#include "calendars/western/civil.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/western_names.h"
#include "framework/date.h"
#include "framework/language.h"

namespace varizav::testing {

// Quotient rounded toward minus infinity, written here so that the checks do
// not lean on the numeric kit they test.
constexpr int64_t fdiv(int64_t a, int64_t b) { return a / b - ((a % b != 0 && ((a % b < 0) != (b < 0))) ? 1 : 0); }
constexpr int64_t fmod(int64_t a, int64_t b) { return a - b * fdiv(a, b); }

// Julian Day numbers (noon) by the Fliegel & Van Flandern formulas (CACM 11,
// 1968, p. 657), extended to negative years with floor division: a method
// independent of the month_offsets form of the calendars' to_jd.
constexpr int64_t jdn_gregorian(int64_t y, int64_t m, int64_t d) {
  const int64_t a = fdiv(14 - m, 12);
  const int64_t yy = y + 4800 - a;
  const int64_t mm = m + 12 * a - 3;
  return d + fdiv(153 * mm + 2, 5) + 365 * yy + fdiv(yy, 4) - fdiv(yy, 100) + fdiv(yy, 400) - 32045;
}
constexpr int64_t jdn_julian(int64_t y, int64_t m, int64_t d) {
  const int64_t a = fdiv(14 - m, 12);
  const int64_t yy = y + 4800 - a;
  const int64_t mm = m + 12 * a - 3;
  return d + fdiv(153 * mm + 2, 5) + 365 * yy + fdiv(yy, 4) - 32083;
}
static_assert(jdn_gregorian(2000, 1, 1) == 2451545);  // J2000.0 is noon of 1 January 2000
static_assert(jdn_julian(1582, 10, 4) + 1 == jdn_gregorian(1582, 10, 15));

constexpr bool leap_gregorian(int64_t y) { return fmod(y, 4) == 0 && (fmod(y, 100) != 0 || fmod(y, 400) == 0); }
constexpr bool leap_julian(int64_t y) { return fmod(y, 4) == 0; }

constexpr int32_t month_length(int32_t month, bool leap) {
  constexpr int32_t kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kLengths[month - 1] + (month == 2 && leap ? 1 : 0);
}

// A JulianDay and its date, both ways.
struct KnownDate {
  double jd;
  int32_t year, month;
  double day;
  const char* source;
};

inline void expect_known_date(CalendarDate (*from_jd)(JulianDay), JulianDay (*to_jd)(int32_t, int32_t, double),
                              const KnownDate& c) {
  const CalendarDate d = from_jd(c.jd);
  EXPECT_EQ(d.year, c.year) << c.source;
  EXPECT_EQ(d.month, c.month) << c.source;
  EXPECT_EQ(d.day, c.day) << c.source;
  EXPECT_EQ(to_jd(c.year, c.month, c.day), c.jd) << c.source;
}

// Sets the lookup language and the display names of the text output for one
// scope; restores the defaults (German) after it.
class LanguageScope {
 public:
  explicit LanguageScope(bool english) {
    set_current_language(english ? kLanguageEnglish : kLanguageGerman);
    set_display_names_english(english);
  }
  ~LanguageScope() {
    set_current_language(kLanguageGerman);
    set_display_names_english(false);
  }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;
};

// Restores the default reform date (4 October 1582, Julian) at the end of a scope.
class ReformScope {
 public:
  ReformScope() = default;
  ~ReformScope() { set_reform(15821004); }
  ReformScope(const ReformScope&) = delete;
  ReformScope& operator=(const ReformScope&) = delete;
};

// Checks that easter(y) is a Sunday between 22 March and 25 April of year y of
// the calendar whose from_jd is given, for every year y of -3000..3000.
inline void expect_easter_sundays(JulianDay (*easter)(int32_t year), CalendarDate (*from_jd)(JulianDay jd)) {
  for (int32_t y = -3000; y <= 3000; ++y) {
    const JulianDay sunday = easter(y);
    ASSERT_EQ(weekday_index(sunday), 6) << y;
    const CalendarDate d = from_jd(sunday);
    ASSERT_EQ(d.year, y);
    ASSERT_TRUE((d.month == 3 && d.day >= 22.0) || (d.month == 4 && d.day <= 25.0))
        << y << ": " << d.month << "-" << d.day;
  }
}

// A text form of a JulianDay in a mode, with the names in English or German.
struct FormatCase {
  JulianDay jd;
  int32_t mode;
  bool english;
  const char* text;
  const char* source = "";
};

// Checks a calendar's format_date: the text and the length it returns.
inline void expect_format_cases(int (*format_date)(char* out, JulianDay jd, int32_t mode),
                                std::span<const FormatCase> cases) {
  for (const FormatCase& c : cases) {
    LanguageScope language(c.english);
    char out[kTextCapacity];
    const int n = format_date(out, c.jd, c.mode);
    EXPECT_STREQ(out, c.text) << c.source;
    EXPECT_EQ(n, static_cast<int>(std::strlen(c.text))) << c.source;
  }
}

}  // namespace varizav::testing
