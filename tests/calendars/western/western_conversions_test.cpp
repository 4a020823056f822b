// What both proleptic Western calendars share: the conversions, checked for
// each against the independent leap rule and day count of
// western_test_support.h, and the Easter computus.
#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_test_support.h"

namespace varizav {
namespace {

using testing::KnownDate;
using testing::month_length;

// A Western calendar under test, with its leap rule and day count stated
// independently in western_test_support.h (leap_gregorian and jdn_gregorian,
// or the Julian pair).
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
void sweep_western_days(const WesternCalendar& cal) {
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
void expect_independent_day_count(const WesternCalendar& cal) {
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

// Checks is_leap_year on the given years, then (independent) that a leap year
// is one whose February has 29 days, for every year of -3000..3000.
struct LeapCase {
  int32_t year;
  bool leap;
};

void expect_leap_years(const WesternCalendar& cal, std::span<const LeapCase> cases) {
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

void expect_march_to_march(const WesternCalendar& cal, std::span<const MarchToMarch> cases) {
  for (const MarchToMarch& c : cases) {
    EXPECT_EQ(cal.to_jd(c.year + 1, 3, 1.0) - cal.to_jd(c.year, 3, 1.0), c.days) << c.year;
  }
  EXPECT_EQ(cal.to_jd(2147483647, 1, 1.0), cal.new_year(2147483647));
}

constexpr KnownDate kGregorianDates[] = {
    {2451544.5, 2000, 1, 1.0, "independent: JDN 2451545 (Fliegel & Van Flandern)"},
    {2299160.5, 1582, 10, 15.0, "independent: the first day of the Gregorian reform, JDN 2299161"},
    {1830691.5, 300, 3, 1.0, "independent: jdn_gregorian(300, 3, 1) = 1830692"},
    {1830690.5, 300, 2, 28.0, "independent: 300 is a common year"},
    {1684594.5, -100, 3, 1.0, "independent: jdn_gregorian(-100, 3, 1) = 1684595"},
    {1684593.5, -100, 2, 28.0, "independent: -100 is a common year"},
    {1721119.5, 0, 3, 1.0, "independent: jdn_gregorian(0, 3, 1) = 1721120"},
    {1721118.5, 0, 2, 29.0, "independent: year 0 is a leap year"},
    {0.0, -4713, 11, 24.5, "independent: JD 0 is noon of 24 November -4713 (Gregorian)"},
    {2451545.25, 2000, 1, 1.75, "defined: the time of day in the fraction"},
};
// Independent: the Gregorian rule for 2000, 1900, 0, -100 and the rest.
constexpr LeapCase kGregorianLeapYears[] = {{2000, true}, {1900, false}, {0, true},    {-100, false},
                                            {-4, true},   {-400, true},  {2024, true}, {2023, false},
                                            {-1, false},  {2100, false}, {2400, true}, {-2147483648, true}};
// Independent: 1461 * 1469873 exceeds 2^31; March to March across a common
// year is 365 days, across a leap day 366. Extreme years stay defined.
constexpr MarchToMarch kGregorianMarches[] = {
    {1469872, 365.0},      // 1469873 is not a leap year
    {1469871, 366.0},      // 1469872 is one
    {2147483646, 365.0},   // 2147483647 is odd
    {-2147483648, 365.0},  // -2147483647 is odd
};

constexpr KnownDate kJulianDates[] = {
    {2451544.5, 1999, 12, 19.0, "independent: JDN 2451545 is Julian 19 December 1999 (Fliegel & Van Flandern)"},
    {2299159.5, 1582, 10, 4.0, "independent: the last Julian day of the reform, JDN 2299160"},
    {-0.5, -4712, 1, 1.0, "independent: the Julian Day epoch"},
    {-76715589.0, -214748, 3, 1.5, "independent: jdn_julian(-214748, 3, 1), noon"},
    {80156580.0, 214744, 10, 3.5, "independent: jdn_julian(214744, 10, 3), noon"},
};
// Independent: the Julian rule (every fourth year) for 1900, -1 and the rest.
constexpr LeapCase kJulianLeapYears[] = {{1900, true}, {-1, false},   {0, true},           {-4, true},
                                         {-100, true}, {1999, false}, {-2147483648, true}, {2147483647, false}};
// Independent: 1461 * y exceeds 2^31 from y = 1469873 on.
constexpr MarchToMarch kJulianMarches[] = {{1469872, 365.0}, {1469871, 366.0}, {-2147483648, 365.0}};

struct Calendar {
  const char* name;
  WesternCalendar conversions;
  std::span<const KnownDate> dates;
  std::span<const LeapCase> leap_years;
  std::span<const MarchToMarch> marches;
};

const Calendar kCalendars[] = {
    {"Gregorian",
     {gregorian::from_jd, gregorian::to_jd, gregorian_new_year, gregorian::is_leap_year, testing::leap_gregorian,
      testing::jdn_gregorian},
     kGregorianDates,
     kGregorianLeapYears,
     kGregorianMarches},
    {"Julian",
     {julian::from_jd, julian::to_jd, julian_new_year, julian::is_leap_year, testing::leap_julian, testing::jdn_julian},
     kJulianDates,
     kJulianLeapYears,
     kJulianMarches},
};

class WesternConversions : public ::testing::TestWithParam<Calendar> {};

TEST_P(WesternConversions, RoundTripAndStepOneDayAtATime) { sweep_western_days(GetParam().conversions); }

TEST_P(WesternConversions, AgreeWithAnIndependentDayCount) { expect_independent_day_count(GetParam().conversions); }

TEST_P(WesternConversions, KnownDates) {
  const WesternCalendar& cal = GetParam().conversions;
  for (const KnownDate& c : GetParam().dates) testing::expect_known_date(cal.from_jd, cal.to_jd, c);
}

TEST_P(WesternConversions, LeapYears) { expect_leap_years(GetParam().conversions, GetParam().leap_years); }

TEST_P(WesternConversions, YearProportionalProductsDoNotOverflow) {
  expect_march_to_march(GetParam().conversions, GetParam().marches);
}

INSTANTIATE_TEST_SUITE_P(Western, WesternConversions, ::testing::ValuesIn(kCalendars),
                         [](const ::testing::TestParamInfo<Calendar>& info) { return info.param.name; });

TEST(Easter, KnownDates) {
  struct Case {
    JulianDay (*easter)(int32_t year);
    int32_t year, month, day;  // Gregorian date of Easter Sunday
    const char* source;
  };
  const Case cases[] = {
      {easter_gregorian, 2000, 4, 23, "Meeus, Astronomical Algorithms, ch. 8"},
      {easter_gregorian, 1583, 4, 10, "independent: published Easter table"},
      {easter_gregorian, 1818, 3, 22, "independent: earliest possible date"},
      {easter_gregorian, 2285, 3, 22, "independent: earliest possible date"},
      {easter_gregorian, 1886, 4, 25, "independent: latest possible date"},
      {easter_gregorian, 1943, 4, 25, "independent: latest possible date"},
      {easter_gregorian, 2038, 4, 25, "independent: latest possible date"},
      {easter_gregorian, 2008, 3, 23, "independent: published Easter table"},
      {easter_gregorian, 2019, 4, 21, "independent: published Easter table"},
      {easter_gregorian, 2024, 3, 31, "independent: published Easter table"},
      {easter_gregorian, 2025, 4, 20, "independent: published Easter table"},
      // Gregorian dates of the Julian Easter.
      {easter_julian, 2000, 4, 30,
       "independent: Meeus, ch. 8, Julian Easter 17 April 2000 (Julian) is Gregorian 30 April"},
      {easter_julian, 2021, 5, 2, "independent: published Orthodox Easter table"},
      {easter_julian, 2023, 4, 16, "independent: published Orthodox Easter table"},
      {easter_julian, 2024, 5, 5, "independent: published Orthodox Easter table"},
      {easter_julian, 2025, 4, 20, "independent: published Orthodox Easter table"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.easter(c.year), gregorian::to_jd(c.year, c.month, c.day)) << c.source;
  EXPECT_EQ(easter_gregorian(2000), 2451657.5);  // Meeus, Astronomical Algorithms, ch. 8
  EXPECT_EQ(easter_julian(2000), 2451664.5);     // Meeus, ch. 8 (Julian computus); Gregorian 30 April 2000
}

}  // namespace
}  // namespace varizav
