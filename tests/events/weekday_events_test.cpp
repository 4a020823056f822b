#include "events/weekday_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "calendars/western/civil.h"
#include "events/search_expect.h"
#include "expect_error.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// The shared checks and dates of the event tests (search_expect.h, expect_error.h).
using namespace testing;

// Language and reform date are process-wide: every test restores them.
class WeekdayEventTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_language_ = current_language();
    saved_reform_ = reform_ymd();
    set_current_language(kLanguageEnglish);
  }
  void TearDown() override {
    set_current_language(saved_language_);
    set_reform(saved_reform_);
  }

  static double event(double ordinal, const char* day, const char* month, double year) {
    double result = 0.0;
    SC_event(&result, &ordinal, day, month, &year);
    return result;
  }

 private:
  LanguageId saved_language_ = kLanguageEnglish;
  int32_t saved_reform_ = 0;
};

struct Case {
  double ordinal;
  const char* day;
  const char* month;
  double year;
  double want_jd;  // 0h of the day, or kError
  const char* source;
};

void expect_cases(const Case* cases, size_t count, double (*event)(double, const char*, const char*, double)) {
  for (size_t i = 0; i < count; ++i) {
    const Case& c = cases[i];
    const double got = event(c.ordinal, c.day, c.month, c.year);
    if (is_error_value(c.want_jd)) {
      EXPECT_TRUE(is_error_value(got)) << c.source << ": got " << got;
    } else {
      EXPECT_EQ(got, serial_of(c.want_jd)) << c.source << ": want " << serial_of(c.want_jd) << " got " << got;
    }
  }
}

// Weekdays counted independently: Meeus's Julian Day (Astronomical
// Algorithms, ch. 7) of each date, weekday (JD + 1.5) mod 7.
constexpr const char* kMeeusWeekdays = "independent: Meeus, Astronomical Algorithms, ch. 7";

TEST_F(WeekdayEventTest, DefaultReform) {
  static const Case kCases[] = {
      {2, "Sunday", "May", 2000, gregorian_jd0(2000, 5, 14), kMeeusWeekdays},
      {0, "Monday", "May", 2000, gregorian_jd0(2000, 5, 29), kMeeusWeekdays},
      {0, "", "February", 2000, gregorian_jd0(2000, 2, 29), "independent: 2000 is a Gregorian leap year"},
      {0, "", "February", 2001, gregorian_jd0(2001, 2, 28), "independent: 2001 is common"},
      {-1, "", "February", 2000, gregorian_jd0(2000, 2, 28), "independent: the day before 29 February"},
      {-1, "", "February", 2001, gregorian_jd0(2001, 2, 27), "independent: the day before 28 February"},
      {20, "Monday", "", 2000, gregorian_jd0(2000, 5, 15), kMeeusWeekdays},
      {-1, "Sunday", "", 2000, gregorian_jd0(2000, 12, 24), "independent: 31 Dec 2000 is the last Sunday"},
      {2, "3", "5", 2000, gregorian_jd0(2000, 5, 10),
       "defined: numbers select Wednesday, May; weekdays by Meeus, ch. 7"},
      {366, "", "", 2000, gregorian_jd0(2000, 12, 31), "independent: day 366 of leap year 2000"},
      {366, "Sunday", "", 2000, gregorian_jd0(2006, 12, 31), "independent: day 2562 is Friday 5 Jan 2007"},
      {2.9, "Sunday", "May", 2000.7, gregorian_jd0(2000, 5, 14),
       "defined: arguments truncated; weekdays by Meeus, ch. 7"},
      {5, "Wednesday", "February", 2001, gregorian_jd0(2001, 3, 7), "independent: counting runs past February"},
      {31, "", "April", 2001, gregorian_jd0(2001, 5, 1), "independent: day beyond the month counts on"},
      {-40, "", "March", 2001, gregorian_jd0(2001, 2, 19), "independent: 31 + (-40) = day -9 of March"},
      // Reform month with the default setting: Julian 1-4 October, Gregorian 15-31 October 1582.
      {1, "Friday", "October", 1582, gregorian_jd0(1582, 10, 15), "independent: Julian 1 Oct 1582 is a Monday"},
      {1, "Monday", "October", 1582, julian_jd0(1582, 10, 1), "independent"},
      {1, "Thursday", "October", 1582, julian_jd0(1582, 10, 4), "independent"},
      {2, "Monday", "October", 1582, gregorian_jd0(1582, 10, 18), "independent"},
      {0, "Sunday", "October", 1582, gregorian_jd0(1582, 10, 31), "independent: 15 Oct Friday, 31 Oct Sunday"},
      {-2, "Monday", "October", 1582, julian_jd0(1582, 10, 1), "independent: 21-day month"},
      {0, "", "October", 1582, gregorian_jd0(1582, 10, 31), "independent: last civil day"},
      {-20, "", "October", 1582, julian_jd0(1582, 10, 1), "independent: 21 days back from 1 November"},
      {4, "", "October", 1582, julian_jd0(1582, 10, 4),
       "independent: Julian 4 October 1582, the last day before the reform"},
      {15, "", "October", 1582, gregorian_jd0(1582, 10, 15),
       "independent: Gregorian 15 October 1582, the first day of the reform"},
      {1, "Friday", "November", 1582, gregorian_jd0(1582, 11, 5), "independent"},
      // Before JulianDay 0 (Julian proleptic civil years).
      {1, "Sunday", "December", -5000, julian_jd0(-5000, 12, 4), "independent: Julian 1 Dec -5000 is a Thursday"},
      {0, "Sunday", "November", -5000, julian_jd0(-5000, 11, 27), "independent"},
      {0, "", "February", -4, julian_jd0(-4, 2, 29), "independent: Julian leap year -4"},
      // Rejected arguments.
      {367, "Monday", "May", 2000, kError, "ordinal beyond 366"},
      {-367, "Monday", "May", 2000, kError, "ordinal below -366"},
      {-366, "", "", 2000, gregorian_jd0(1999, 12, 31),
       "independent: ordinal -366 accepted, 367 days before 1 Jan 2001"},
      {NAN, "Monday", "May", 2000, kError, "NaN ordinal"},
      {1, "Monday", "May", NAN, kError, "NaN year"},
      {1, "Monday", "May", 3e9, kError, "year beyond 32 bits"},
      {1, "Funday", "Maytember", 2000, gregorian_jd0(2000, 1, 1),
       "defined: no weekday, no month: the day form in January"},
  };
  expect_cases(kCases, std::size(kCases), event);
}

TEST_F(WeekdayEventTest, EnglishReform) {
  // Last Julian day 2 September 1752, then Gregorian 14 September: 19 days.
  set_reform_english();
  static const Case kCases[] = {
      {1, "Friday", "September", 1752, gregorian_jd0(1752, 9, 15), "independent: Julian 1 Sep 1752 is a Tuesday"},
      {1, "Wednesday", "September", 1752, julian_jd0(1752, 9, 2), "independent"},
      {1, "Thursday", "September", 1752, gregorian_jd0(1752, 9, 14), "independent"},
      {0, "", "September", 1752, gregorian_jd0(1752, 9, 30), "independent"},
      {-18, "", "September", 1752, julian_jd0(1752, 9, 1), "independent: 19-day month"},
      {1, "Friday", "October", 1582, julian_jd0(1582, 10, 5), "independent: 1582 is Julian, 1 Oct a Monday"},
  };
  expect_cases(kCases, std::size(kCases), event);
  EXPECT_EQ(civil_month_days(1752, 9), 19);
  EXPECT_EQ(civil_month_days(1582, 10), 31);
}

// At the limits of the 32-bit year (Julian before the reform, Gregorian
// after it). Independent: the first weekday from the first's own weekday.
TEST_F(WeekdayEventTest, YearLimits) {
  struct Limit {
    int32_t year;
    double december1;
  };
  const Limit kLimits[] = {{2147483647, gregorian_jd0(2147483647, 12, 1)},
                           {-2147483647 - 1, julian_jd0(-2147483648LL, 12, 1)}};
  for (const Limit& limit : kLimits) {
    for (int32_t w = 1; w <= 7; ++w) {
      const double first_w = limit.december1 + (w - weekday_of(limit.december1) + 7) % 7;
      EXPECT_EQ(weekday_event(1, w, 12, limit.year), first_w) << limit.year << " w " << w;
      EXPECT_EQ(weekday_event(0, w, 12, limit.year), first_w + (first_w - limit.december1 <= 2 ? 28 : 21))
          << limit.year << " w " << w;
    }
    EXPECT_EQ(weekday_event(0, 0, 12, limit.year), limit.december1 + 30) << limit.year;
    EXPECT_EQ(civil_month_days(limit.year, 12), 31) << limit.year;
  }
}

// Independent: walk the civil days from the month's first (or back from its
// last) and count the days of the weekday; compare every ordinal, weekday and
// month of years around JulianDay 0, both reforms and the present.
TEST_F(WeekdayEventTest, SweepAgainstDayCount) {
  struct Range {
    int32_t first, last;
  };
  static const Range kYears[] = {{-5003, -4997}, {-1, 1}, {1580, 1584}, {1750, 1754}, {1998, 2002}, {2099, 2101}};
  static const int32_t kOrdinals[] = {1, 2, 3, 4, 5, 6, 0, -1, -4, -5};
  int checked = 0;
  for (const Range& range : kYears) {
    for (int32_t year = range.first; year <= range.last; ++year) {
      for (int32_t month = 1; month <= 12; ++month) {
        const double first = civil_to_jd(year, month, 1.0);
        double last = first;
        while (civil_from_jd(last + 1.0).month == month) last += 1.0;
        EXPECT_EQ(civil_month_days(year, month), static_cast<int32_t>(last - first) + 1) << year << "-" << month;
        for (int32_t w = 1; w <= 7; ++w) {
          for (int32_t n : kOrdinals) {
            double jd = n >= 1 ? first : last;
            const int32_t step = n >= 1 ? 1 : -1;
            int32_t wanted = n >= 1 ? n : 1 - n;
            for (;; jd += step) {
              if (weekday_of(jd) == w && --wanted == 0) break;
            }
            ASSERT_EQ(weekday_event(n, w, month, year), jd) << year << "-" << month << " n " << n << " w " << w;
            ++checked;
          }
        }
      }
    }
  }
  EXPECT_GT(checked, 20000);
}

}  // namespace
}  // namespace varizav
