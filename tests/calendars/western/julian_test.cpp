#include "calendars/western/julian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "calendars/western/gregorian.h"
#include "calendars/western/western_test_support.h"
#include "framework/date.h"

namespace varizav {
namespace {

using testing::jdn_julian;
using testing::leap_julian;
using testing::month_length;

TEST(Julian, RoundTripsAndStepsOneDayAtATime) {
  // Property: to_jd inverts from_jd (at 0h and at 19:30, exact in binary), and
  // each day's successor is the next date of a month of the right length.
  CalendarDate a = julian::from_jd(-1e6 + 0.5);
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    ASSERT_EQ(julian::to_jd(a.year, a.month, a.day), jd) << a.year << "-" << a.month << "-" << a.day;
    const CalendarDate t = julian::from_jd(jd + 0.8125);
    ASSERT_EQ(julian::to_jd(t.year, t.month, t.day), jd + 0.8125) << "jd " << jd;
    const CalendarDate b = julian::from_jd(jd + 1.0);
    const int32_t length = month_length(a.month, leap_julian(a.year));
    ASSERT_LE(a.day, length) << "jd " << jd;
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

TEST(Julian, AgreesWithAnIndependentDayCount) {
  // Independent: Fliegel & Van Flandern, every month of -10000..10000, and
  // dense sweeps at the accepted range limits.
  for (int32_t y = -10000; y <= 10000; ++y) {
    for (int32_t m = 1; m <= 12; ++m) {
      ASSERT_EQ(julian::to_jd(y, m, 1.0), static_cast<double>(jdn_julian(y, m, 1)) - 0.5) << y << "-" << m;
    }
    ASSERT_EQ(julian_new_year(y), julian::to_jd(y, 1, 1.0)) << y;
  }
  auto check = [](double jd) {
    const CalendarDate d = julian::from_jd(jd);
    ASSERT_EQ(static_cast<double>(jdn_julian(d.year, d.month, static_cast<int64_t>(std::floor(d.day)))),
              std::floor(jd + 0.5))
        << "jd " << jd;
    ASSERT_EQ(julian::to_jd(d.year, d.month, d.day), jd) << "jd " << jd;
  };
  for (double jd = kMinAcceptedJd - 0.5; jd <= kMinAcceptedJd + 200000.0; jd += 1.0) check(jd);
  for (double jd = kMaxAcceptedJd - 200000.5; jd <= kMaxAcceptedJd + 0.5; jd += 1.0) check(jd);
  for (double jd = kMinAcceptedJd; jd <= kMaxAcceptedJd; jd += 7919.25) check(jd);
}

TEST(Julian, KnownDates) {
  struct Case {
    double jd;
    int32_t year, month;
    double day;
    const char* source;
  };
  const Case cases[] = {
      {2451544.5, 1999, 12, 19.0, "worked example: Gregorian 1 January 2000"},
      {2299159.5, 1582, 10, 4.0, "worked example: last Julian day of the reform"},
      {-0.5, -4712, 1, 1.0, "independent: the Julian Day epoch"},
      {-76715589.0, -214748, 3, 1.5, "independent: jdn_julian(-214748, 3, 1), noon"},
      {80156580.0, 214744, 10, 3.5, "independent: jdn_julian(214744, 10, 3), noon"},
  };
  for (const Case& c : cases) {
    const CalendarDate d = julian::from_jd(c.jd);
    EXPECT_EQ(d.year, c.year) << c.source;
    EXPECT_EQ(d.month, c.month) << c.source;
    EXPECT_EQ(d.day, c.day) << c.source;
  }
  // Worked example: the last Julian and the first Gregorian day are consecutive.
  EXPECT_EQ(julian::to_jd(1582, 10, 4.0) + 1.0, gregorian::to_jd(1582, 10, 15.0));
  EXPECT_EQ(julian::to_jd(1582, 10, 4.0), 2299159.5);
}

TEST(Julian, LeapYears) {
  struct Case {
    int32_t year;
    int32_t leap;
  };
  // Worked examples 1900 and -1; the rest by the rule (every fourth year).
  const Case cases[] = {{1900, 1}, {-1, 0}, {0, 1}, {-4, 1}, {-100, 1}, {1999, 0}, {-2147483648, 1}, {2147483647, 0}};
  for (const Case& c : cases) EXPECT_EQ(julian::is_leap_year(c.year) != 0, c.leap != 0) << c.year;
}

TEST(Julian, YearProportionalProductsDoNotOverflow) {
  // Independent: 1461 * y exceeds 2^31 from y = 1469873 on.
  EXPECT_EQ(julian::to_jd(1469873, 3, 1.0) - julian::to_jd(1469872, 3, 1.0), 365.0);
  EXPECT_EQ(julian::to_jd(1469872, 3, 1.0) - julian::to_jd(1469871, 3, 1.0), 366.0);
  EXPECT_EQ(julian::to_jd(-2147483647, 3, 1.0) - julian::to_jd(-2147483648, 3, 1.0), 365.0);
  EXPECT_EQ(julian::to_jd(2147483647, 1, 1.0), julian_new_year(2147483647));
}

TEST(JulianEaster, KnownDates) {
  // Gregorian dates of the Julian Easter.
  const testing::DateCase cases[] = {
      {2000, 4, 30, "worked example: JulianDay 2451664.5"},
      {2021, 5, 2, "independent: published Orthodox Easter table"},
      {2023, 4, 16, "independent: published Orthodox Easter table"},
      {2024, 5, 5, "independent: published Orthodox Easter table"},
      {2025, 4, 20, "independent: published Orthodox Easter table"},
  };
  testing::expect_easter_dates(easter_julian, cases);
  EXPECT_EQ(easter_julian(2000), 2451664.5);  // worked example
}

TEST(JulianEaster, EverySundayInMarchOrAprilAndPeriodic) {
  // Independent: a Sunday between 22 March and 25 April (Julian), and the
  // Julian computus repeats after 532 = 19 * 28 years of 365.25 days.
  testing::expect_easter_sundays(easter_julian, julian::from_jd);
  for (int32_t y = -3000; y <= 3000; ++y) {
    ASSERT_EQ(easter_julian(y + 532) - easter_julian(y), 532 * 365.25) << y;
  }
}

TEST(JulianFormat, FullStopAfterTheDayInTheTextForm) {
  // Worked example: Gregorian 1 January 2000 is Saturday, 19 December 1999 (Julian).
  const testing::FormatCase cases[] = {
      {2451544.5, 1, true, "Saturday, 19. December 1999"},
      {2451544.5, 1, false, "Samstag, 19. Dezember 1999"},
      {2451544.5, 0, false, "1999 12 19"},
      {2451544.75, -7, false, "1999 12 19.250000"},
  };
  testing::expect_format_cases(julian::format_date, cases);
}

}  // namespace
}  // namespace varizav
