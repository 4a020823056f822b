#include "calendars/western/gregorian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "calendars/western/western_test_support.h"
#include "framework/date.h"

namespace varizav {
namespace {

using testing::jdn_gregorian;
using testing::leap_gregorian;
using testing::month_length;

// One day's date must follow the other's: the next day of the month, or the
// 1st of the next month when the month is complete.
void expect_successor(const CalendarDate& a, const CalendarDate& b, bool leap_a, double jd) {
  const int32_t whole = static_cast<int32_t>(std::floor(a.day));
  ASSERT_GE(whole, 1) << "jd " << jd;
  ASSERT_LE(whole, month_length(a.month, leap_a)) << a.year << "-" << a.month << " jd " << jd;
  if (whole < month_length(a.month, leap_a)) {
    ASSERT_TRUE(b.year == a.year && b.month == a.month && b.day == a.day + 1.0) << "jd " << jd;
  } else if (a.month < 12) {
    ASSERT_TRUE(b.year == a.year && b.month == a.month + 1 && std::floor(b.day) == 1.0) << "jd " << jd;
  } else {
    ASSERT_TRUE(b.year == a.year + 1 && b.month == 1 && std::floor(b.day) == 1.0) << "jd " << jd;
  }
}

TEST(Gregorian, RoundTripsEveryDayAtMidnightAndWithATimeOfDay) {
  // Property: to_jd inverts from_jd exactly; 19:30 (0.8125) is exact in binary.
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    const CalendarDate d = gregorian::from_jd(jd);
    ASSERT_EQ(gregorian::to_jd(d.year, d.month, d.day), jd) << d.year << "-" << d.month << "-" << d.day;
    const CalendarDate t = gregorian::from_jd(jd + 0.8125);
    ASSERT_EQ(t.day - d.day, 0.8125) << "jd " << jd;
    ASSERT_EQ(gregorian::to_jd(t.year, t.month, t.day), jd + 0.8125) << "jd " << jd;
  }
}

TEST(Gregorian, ConsecutiveDaysAreConsecutiveDates) {
  // Property: each day's successor is the next date, and no day exceeds its
  // month's length (1 March of the years 300, -100, -500, ... included).
  CalendarDate a = gregorian::from_jd(-1e6 + 0.5);
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    const CalendarDate b = gregorian::from_jd(jd + 1.0);
    expect_successor(a, b, leap_gregorian(a.year), jd);
    a = b;
  }
}

TEST(Gregorian, AgreesWithAnIndependentDayCountAtTheRangeLimits) {
  // Independent: Fliegel & Van Flandern day numbers; dense sweeps at the
  // accepted limits -76715589 and 80156580 and a coarse one across the range.
  auto check = [](double jd) {
    const CalendarDate d = gregorian::from_jd(jd);
    ASSERT_EQ(static_cast<double>(jdn_gregorian(d.year, d.month, static_cast<int64_t>(std::floor(d.day)))) - 0.5,
              std::floor(jd + 0.5) - 0.5)
        << "jd " << jd;
    ASSERT_EQ(gregorian::to_jd(d.year, d.month, d.day), jd) << "jd " << jd;
  };
  for (double jd = kMinAcceptedJd - 0.5; jd <= kMinAcceptedJd + 200000.0; jd += 1.0) check(jd);
  for (double jd = kMaxAcceptedJd - 200000.5; jd <= kMaxAcceptedJd + 0.5; jd += 1.0) check(jd);
  for (double jd = kMinAcceptedJd; jd <= kMaxAcceptedJd; jd += 7919.25) check(jd);
  check(kMinAcceptedJd);
  check(kMaxAcceptedJd);
}

TEST(Gregorian, KnownDates) {
  struct Case {
    double jd;
    int32_t year, month;
    double day;
    const char* source;
  };
  const Case cases[] = {
      {2451544.5, 2000, 1, 1.0, "worked example: 1 January 2000"},
      {2299160.5, 1582, 10, 15.0, "worked example: first day of the reform"},
      {1830691.5, 300, 3, 1.0, "independent: jdn_gregorian(300, 3, 1) = 1830692"},
      {1830690.5, 300, 2, 28.0, "independent: 300 is a common year"},
      {1684594.5, -100, 3, 1.0, "independent: jdn_gregorian(-100, 3, 1) = 1684595"},
      {1684593.5, -100, 2, 28.0, "independent: -100 is a common year"},
      {1721119.5, 0, 3, 1.0, "independent: jdn_gregorian(0, 3, 1) = 1721120"},
      {1721118.5, 0, 2, 29.0, "independent: year 0 is a leap year"},
      {0.0, -4713, 11, 24.5, "independent: JD 0 is noon of 24 November -4713 (Gregorian)"},
      {2451545.25, 2000, 1, 1.75, "worked example: time of day in the fraction"},
  };
  for (const Case& c : cases) {
    const CalendarDate d = gregorian::from_jd(c.jd);
    EXPECT_EQ(d.year, c.year) << c.source;
    EXPECT_EQ(d.month, c.month) << c.source;
    EXPECT_EQ(d.day, c.day) << c.source;
    EXPECT_EQ(gregorian::to_jd(c.year, c.month, c.day), c.jd) << c.source;
  }
}

TEST(Gregorian, ToJdAgreesWithAnIndependentDayCount) {
  // Independent: Fliegel & Van Flandern, every month of -10000..10000.
  for (int32_t y = -10000; y <= 10000; ++y) {
    for (int32_t m = 1; m <= 12; ++m) {
      ASSERT_EQ(gregorian::to_jd(y, m, 1.0), static_cast<double>(jdn_gregorian(y, m, 1)) - 0.5) << y << "-" << m;
    }
    ASSERT_EQ(gregorian_new_year(y), gregorian::to_jd(y, 1, 1.0)) << y;
  }
}

TEST(Gregorian, DaysPastTheMonthsEndCountOn) {
  // Worked example: 30 February 2001 is 2 March 2001.
  EXPECT_EQ(gregorian::to_jd(2001, 2, 30.0), gregorian::to_jd(2001, 3, 2.0));
  EXPECT_NEAR(gregorian::to_jd(2001, 2, 31.99), gregorian::to_jd(2001, 3, 3.99), 1e-9);
}

TEST(Gregorian, YearProportionalProductsDoNotOverflow) {
  // Independent: 1461 * 1469873 exceeds 2^31; March to March across a common
  // year is 365 days, across a leap day 366. Extreme years stay defined.
  struct Case {
    int32_t year;
    double days_to_next_march;
  };
  const Case cases[] = {
      {1469872, 365.0},     // 1469873 is not a leap year
      {1469871, 366.0},     // 1469872 is one
      {2147483646, 365.0},  // 2147483647 is odd
      {-2147483648, 365.0}, // -2147483647 is odd
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gregorian::to_jd(c.year + 1, 3, 1.0) - gregorian::to_jd(c.year, 3, 1.0), c.days_to_next_march)
        << c.year;
  }
  EXPECT_EQ(gregorian::to_jd(2147483647, 1, 1.0) - gregorian_new_year(2147483647), 0.0);
}

TEST(Gregorian, LeapYears) {
  struct Case {
    int32_t year;
    int32_t leap;
  };
  // Worked examples 2000, 1900, 0, -100; the rest by the rule.
  const Case cases[] = {{2000, 1}, {1900, 0}, {0, 1}, {-100, 0}, {-4, 1}, {-400, 1},
                        {2024, 1}, {2023, 0}, {-1, 0}, {2100, 0}, {2400, 1}, {-2147483648, 1}};
  for (const Case& c : cases) EXPECT_EQ(gregorian::is_leap_year(c.year) != 0, c.leap != 0) << c.year;
  // Independent: a leap year is one whose February has 29 days.
  for (int32_t y = -3000; y <= 3000; ++y) {
    const bool has_29_february = gregorian::from_jd(gregorian::to_jd(y, 3, 1.0) - 1.0).day == 29.0;
    ASSERT_EQ(gregorian::is_leap_year(y) != 0, has_29_february) << y;
  }
}

// Easter Sunday by Knuth's algorithm (TAOCP vol. 1, 1.3.2 exercise 14, after
// Clavius), with floor division for negative years: independent of the
// computus in the code under test. Returns the day of March (32 = 1 April).
int64_t knuth_easter_march_day(int64_t y) {
  using testing::fdiv;
  using testing::fmod;
  const int64_t g = fmod(y, 19) + 1;
  const int64_t c = fdiv(y, 100) + 1;
  const int64_t x = fdiv(3 * c, 4) - 12;
  const int64_t z = fdiv(8 * c + 5, 25) - 5;
  const int64_t d = fdiv(5 * y, 4) - x - 10;
  int64_t e = fmod(11 * g + 20 + z - x, 30);
  if ((e == 25 && g > 11) || e == 24) ++e;
  int64_t n = 44 - e;
  if (n < 21) n += 30;
  return n + 7 - fmod(d + n, 7);
}

TEST(GregorianEaster, KnownDates) {
  const testing::DateCase cases[] = {
      {2000, 4, 23, "worked example: JulianDay 2451657.5"},
      {1583, 4, 10, "independent: published Easter table"},
      {1818, 3, 22, "independent: earliest possible date"},
      {2285, 3, 22, "independent: earliest possible date"},
      {1886, 4, 25, "independent: latest possible date"},
      {1943, 4, 25, "independent: latest possible date"},
      {2038, 4, 25, "independent: latest possible date"},
      {2008, 3, 23, "independent: published Easter table"},
      {2019, 4, 21, "independent: published Easter table"},
      {2024, 3, 31, "independent: published Easter table"},
      {2025, 4, 20, "independent: published Easter table"},
  };
  testing::expect_easter_dates(easter_gregorian, cases);
  EXPECT_EQ(easter_gregorian(2000), 2451657.5);  // worked example
}

TEST(GregorianEaster, EverySundayInMarchOrAprilForYearsMinus3000To3000) {
  testing::expect_easter_sundays(easter_gregorian, gregorian::from_jd);
  for (int32_t y = -3000; y <= 3000; ++y) {
    ASSERT_EQ(easter_gregorian(y), gregorian::to_jd(y, 3, static_cast<double>(knuth_easter_march_day(y)))) << y;
  }
}

TEST(GregorianFormat, NumberModesAndTextInBothLanguages) {
  const testing::FormatCase cases[] = {
      {2451544.5, 0, true, "2000  1  1", "worked example"},
      {2451544.5, -1, true, "2000  1 1.000000", "worked example"},
      {2451544.5, 1, true, "Saturday, 1 January 2000", "worked example"},
      {2451544.5, 1, false, "Samstag, 1 Januar 2000", "worked example"},
      {2451604.75, 1, false, "Mittwoch, 1 M\xE4rz 2000", "independent: 1 March 2000 was a Wednesday, 6h"},
      {2451604.75, -1, false, "2000  3 1.250000", "independent: 06:00 is 0.25 day"},
      {1721119.5, 0, true, "   0  3  1", "independent: year 0 padded to four"},
      {1684594.5, 0, true, "-100  3  1", "independent: jdn_gregorian(-100, 3, 1)"},
      {-76715589.0, 0, true, "-214753 10  1", "independent: jdn_gregorian(-214753, 10, 1), noon"},
      {80156580.0, -1, true, "214749  2 28.500000", "independent: jdn_gregorian(214749, 2, 28), noon"},
  };
  testing::expect_format_cases(gregorian::format_date, cases);
}

}  // namespace
}  // namespace varizav
