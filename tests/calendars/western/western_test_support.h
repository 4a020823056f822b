// Test support for the Western calendars: an independent day count to check
// conversions against, and guards that put the language, the display names
// and the reform date back to their defaults.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
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

// A Western calendar under test, with its leap rule and day count stated
// independently above (leap_gregorian and jdn_gregorian, or the Julian pair).
struct WesternCalendar {
  CalendarDate (*from_jd)(JulianDay jd);
  JulianDay (*to_jd)(int32_t year, int32_t month, double day);
  JulianDay (*new_year)(int32_t year);
  int32_t (*is_leap_year)(int32_t year);
  bool (*leap)(int64_t year);
  int64_t (*jdn)(int64_t year, int64_t month, int64_t day);
};

// Property, JulianDay -1e6 to 4e6: to_jd inverts from_jd exactly at 0h and at
// 19:30 (0.8125, exact in binary), and each day's successor is the next date
// of a month of the right length (1 March of years 300, -100, ... included).
inline void sweep_western_days(const WesternCalendar& cal) {
  CalendarDate a = cal.from_jd(-1e6 + 0.5);
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    ASSERT_EQ(cal.to_jd(a.year, a.month, a.day), jd) << a.year << "-" << a.month << "-" << a.day;
    const CalendarDate t = cal.from_jd(jd + 0.8125);
    ASSERT_EQ(t.day - a.day, 0.8125) << "jd " << jd;
    ASSERT_EQ(cal.to_jd(t.year, t.month, t.day), jd + 0.8125) << "jd " << jd;
    const CalendarDate b = cal.from_jd(jd + 1.0);
    const int32_t length = month_length(a.month, cal.leap(a.year));
    ASSERT_TRUE(a.day >= 1.0 && a.day <= length) << a.year << "-" << a.month << " jd " << jd;
    if (a.day < length) {
      ASSERT_TRUE(b.year == a.year && b.month == a.month && b.day == a.day + 1.0) << "jd " << jd;
    } else {
      ASSERT_EQ(b.day, 1.0) << "jd " << jd;
      ASSERT_EQ(b.month, a.month % 12 + 1) << "jd " << jd;
      ASSERT_EQ(b.year, a.month == 12 ? a.year + 1 : a.year) << "jd " << jd;
    }
    a = b;
  }
}

// Independent: the Fliegel & Van Flandern day count agrees with to_jd on the
// 1st of every month of -10000..10000 (and new_year with 1 January), and with
// from_jd in dense sweeps at the accepted limits and a coarse one across them.
inline void expect_independent_day_count(const WesternCalendar& cal) {
  for (int32_t y = -10000; y <= 10000; ++y) {
    for (int32_t m = 1; m <= 12; ++m) {
      ASSERT_EQ(cal.to_jd(y, m, 1.0), static_cast<double>(cal.jdn(y, m, 1)) - 0.5) << y << "-" << m;
    }
    ASSERT_EQ(cal.new_year(y), cal.to_jd(y, 1, 1.0)) << y;
  }
  const auto check = [&cal](double jd) {
    const CalendarDate d = cal.from_jd(jd);
    ASSERT_EQ(static_cast<double>(cal.jdn(d.year, d.month, static_cast<int64_t>(std::floor(d.day)))),
              std::floor(jd + 0.5))
        << "jd " << jd;
    ASSERT_EQ(cal.to_jd(d.year, d.month, d.day), jd) << "jd " << jd;
  };
  for (double jd = kMinAcceptedJd - 0.5; jd <= kMinAcceptedJd + 200000.0; jd += 1.0) check(jd);
  for (double jd = kMaxAcceptedJd - 200000.5; jd <= kMaxAcceptedJd + 0.5; jd += 1.0) check(jd);
  for (double jd = kMinAcceptedJd; jd <= kMaxAcceptedJd; jd += 7919.25) check(jd);
  check(kMinAcceptedJd);
  check(kMaxAcceptedJd);
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

// Checks is_leap_year on the given years, then (independent) that a leap year
// is one whose February has 29 days, for every year of -3000..3000.
struct LeapCase {
  int32_t year;
  bool leap;
};

inline void expect_leap_years(const WesternCalendar& cal, std::span<const LeapCase> cases) {
  for (const LeapCase& c : cases) EXPECT_EQ(cal.is_leap_year(c.year) != 0, c.leap) << c.year;
  for (int32_t y = -3000; y <= 3000; ++y) {
    const bool has_29_february = cal.from_jd(cal.to_jd(y, 3, 1.0) - 1.0).day == 29.0;
    ASSERT_EQ(cal.is_leap_year(y) != 0, has_29_february) << y;
  }
}

// Days from 1 March of `year` to 1 March of the next year, where the
// year-proportional products (1461 * y exceeds 2^31 from y = 1469873 on) must
// not overflow; the last year's 1 January must be its new_year.
struct MarchToMarch {
  int32_t year;
  double days;
};

inline void expect_march_to_march(const WesternCalendar& cal, std::span<const MarchToMarch> cases) {
  for (const MarchToMarch& c : cases) {
    EXPECT_EQ(cal.to_jd(c.year + 1, 3, 1.0) - cal.to_jd(c.year, 3, 1.0), c.days) << c.year;
  }
  EXPECT_EQ(cal.to_jd(2147483647, 1, 1.0), cal.new_year(2147483647));
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
