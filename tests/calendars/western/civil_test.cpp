#include "calendars/western/civil.h"

#include <gtest/gtest.h>

#include <cstring>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_test_support.h"

namespace varizav {
namespace {

using testing::jdn_gregorian;
using testing::jdn_julian;
using testing::ReformScope;

void expect_date(const CalendarDate& d, int32_t y, int32_t m, double day, const char* source) {
  EXPECT_EQ(d.year, y) << source;
  EXPECT_EQ(d.month, m) << source;
  EXPECT_EQ(d.day, day) << source;
}

TEST(Civil, DefaultReformOf1582) {
  ReformScope reform;
  EXPECT_EQ(reform_ymd(), 15821004);
  EXPECT_EQ(reform_jd(), 2299160);
  expect_date(civil_from_jd(2299160.5), 1582, 10, 15.0,
              "independent: Gregorian 15 October 1582 follows Julian 4 October (papal bull Inter gravissimas)");
  expect_date(civil_from_jd(2299159.5), 1582, 10, 4.0,
              "independent: Julian 4 October 1582, the last day before the reform");
  expect_date(civil_from_jd(2299160.25), 1582, 10, 4.75, "independent: 18:00 of the last Julian day");
  EXPECT_EQ(civil_to_jd(1582, 10, 15.0), 2299160.5);
  EXPECT_EQ(civil_to_jd(1582, 10, 4.0), 2299159.5);
  // The whole day decides: 4 October 1582 at 18:00 is still Julian, not ten days off.
  EXPECT_EQ(civil_to_jd(1582, 10, 4.75), 2299160.25);
  // Independent: the days of the gap are read as Gregorian dates.
  EXPECT_EQ(civil_to_jd(1582, 10, 5.0), static_cast<double>(jdn_gregorian(1582, 10, 5)) - 0.5);
  EXPECT_EQ(civil_new_year(1582), julian_new_year(1582));
  EXPECT_EQ(civil_new_year(1583), gregorian_new_year(1583));
}

TEST(Civil, LeapYearsAndMonthLengthsFollowTheReform) {
  ReformScope reform;
  struct Case {
    int32_t year;
    int32_t february;
  };
  // Independent: centuries not divisible by 400 keep 29 February while Julian.
  const Case cases[] = {{1500, 29}, {1600, 29}, {1700, 28}, {1900, 28}, {2000, 29}, {2001, 28}, {-100, 29}};
  for (const Case& c : cases) {
    EXPECT_EQ(civil_month_lengths(c.year)[1], c.february) << c.year;
    EXPECT_EQ(civil_is_leap_year(c.year), c.february == 29 ? 1 : 0) << c.year;
  }
  EXPECT_EQ(civil_month_lengths(2001)[0], 31);
  EXPECT_EQ(civil_month_lengths(2001)[3], 30);
  // Defined: 1700 is leap only while the reform is not before the year's start.
  set_reform(17000101);
  EXPECT_EQ(civil_is_leap_year(1700), 1);
  set_reform(16991231);
  EXPECT_EQ(civil_is_leap_year(1700), 0);
}

TEST(Civil, SetReform) {
  ReformScope reform;
  struct Case {
    int32_t value;
    int32_t ymd;  // reform_ymd afterwards; 15821004 = unchanged
    int64_t jd;
    const char* source;
  };
  const Case cases[] = {
      {19180131, 19180131, 2421638,
       "independent: Russia's reform, Julian 31 January 1918 then Gregorian 14 February; JDN 2421638 (Fliegel & Van "
       "Flandern)"},
      {15821300, 15821004, 2299160, "defined: month 13 of the setting changes nothing"},
      {15821032, 15821004, 2299160, "day 32 changes nothing"},
      {17520931, 15821004, 2299160, "31 September changes nothing"},
      {17530230, 15821004, 2299160, "30 February changes nothing"},
      {17530229, 15821004, 2299160, "29 February of a Julian common year changes nothing"},
      {0, 15821004, 2299160, "month 0 changes nothing"},
      {-2147483647 - 1, 15821004, 2299160, "the 32-bit limit changes nothing"},
      {17520229, 17520229, jdn_julian(1752, 2, 29), "independent: 29 February of a Julian leap year"},
      {17520903, 17520903, 2361222, "defined: the English setting, 3 September 1752 (Julian), JDN 2361222"},
      {-1000301, -1000301, jdn_julian(-100, 3, 1), "independent: 1 March -100 (Julian)"},
      {-1000229, -1000229, jdn_julian(-100, 2, 29), "independent: -100 is a Julian leap year"},
  };
  for (const Case& c : cases) {
    set_reform(15821004);
    set_reform(c.value);
    EXPECT_EQ(reform_ymd(), c.ymd) << c.source;
    EXPECT_EQ(reform_jd(), c.jd) << c.source;
  }
}

TEST(Civil, EnglishReformOf1752) {
  ReformScope reform;
  set_reform_english();
  EXPECT_EQ(reform_ymd(), 17520903);
  EXPECT_EQ(reform_jd(), 2361222);
  // Defined: under the English setting 14 September 1752 (Gregorian) is
  // still shown as the Julian 3 September 1752; 15 September 1752 is the
  // first Gregorian day.
  const JulianDay sep14 = static_cast<double>(jdn_gregorian(1752, 9, 14)) - 0.5;
  expect_date(civil_from_jd(sep14), 1752, 9, 3.0, "defined: the English setting's last Julian day");
  expect_date(civil_from_jd(sep14 + 1.0), 1752, 9, 15.0, "defined: the English setting's first Gregorian day");
  EXPECT_EQ(civil_to_jd(1752, 9, 3.0), sep14);
  EXPECT_EQ(civil_to_jd(1752, 9, 15.0), sep14 + 1.0);
  EXPECT_EQ(civil_is_leap_year(1700), 1);  // independent: still Julian in 1700
  char out[kTextCapacity];
  testing::LanguageScope english(true);
  civil_default_format_date(out, sep14, 1);
  EXPECT_STREQ(out, "Thursday, 3. September 1752");  // independent: 14 September 1752 was a Thursday
  civil_default_format_date(out, sep14 + 1.0, 1);
  EXPECT_STREQ(out, "Friday, 15 September 1752");
}

TEST(Civil, NegativeReformYearsCompareAsDates) {
  // Independent: with the reform on 1 March -100 (Julian), January and
  // February -100 are Julian, so the year starts Julian and keeps 29 February.
  ReformScope reform;
  set_reform(-1000301);
  EXPECT_EQ(reform_key(), -1000000 + 301);
  EXPECT_EQ(civil_to_jd(-100, 3, 1.0), static_cast<double>(jdn_julian(-100, 3, 1)) - 0.5);
  EXPECT_EQ(civil_to_jd(-100, 3, 2.0), static_cast<double>(jdn_gregorian(-100, 3, 2)) - 0.5);
  EXPECT_EQ(civil_to_jd(-100, 2, 10.0), static_cast<double>(jdn_julian(-100, 2, 10)) - 0.5);
  EXPECT_EQ(civil_is_leap_year(-100), 1);
  EXPECT_EQ(civil_is_leap_year(-200), 1);
  EXPECT_EQ(civil_is_leap_year(100), 0);
  EXPECT_EQ(civil_new_year(-100), julian_new_year(-100));
  EXPECT_EQ(civil_new_year(-99), gregorian_new_year(-99));
  // Property: the civil calendar round-trips on both sides of the reform. In
  // -100 the Gregorian calendar runs two days behind the Julian one, so the
  // first Gregorian days repeat Julian dates and read as Julian; they are left out.
  for (double jd = reform_jd() - 20000.5; jd <= reform_jd() + 20000.5; jd += 1.0) {
    if (jd > reform_jd() && jd < reform_jd() + 3.0) continue;
    const CalendarDate d = civil_from_jd(jd);
    ASSERT_EQ(civil_to_jd(d.year, d.month, d.day), jd) << d.year << "-" << d.month << "-" << d.day;
  }
}

TEST(Civil, RoundTripsEveryDay) {
  // Property: to_jd inverts from_jd on both sides of the default reform, with
  // a time of day (19:30 = 0.8125, exact in binary).
  ReformScope reform;
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    const CalendarDate d = civil_from_jd(jd + 0.8125);
    ASSERT_EQ(civil_to_jd(d.year, d.month, d.day), jd + 0.8125) << d.year << "-" << d.month << "-" << d.day;
  }
}

TEST(Civil, FormatWritesTheJulianDay) {
  // Defined: the astronomical calendar writes the JulianDay with "%f" in every mode.
  char out[kTextCapacity];
  for (int32_t mode : {1, 0, -1}) {
    EXPECT_EQ(civil_format_date(out, 2451544.5, mode), 14);
    EXPECT_STREQ(out, "2451544.500000");
  }
  civil_format_date(out, -76715589.0, 0);
  EXPECT_STREQ(out, "-76715589.000000");
}

}  // namespace
}  // namespace varizav
