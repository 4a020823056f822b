// What both proleptic Western calendars share: the conversions, checked for
// each against the independent leap rule and day count of
// western_test_support.h, and the Easter computus.
#include <gtest/gtest.h>

#include <span>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_test_support.h"

namespace varizav {
namespace {

using testing::KnownDate;
using testing::LeapCase;
using testing::MarchToMarch;

constexpr KnownDate kGregorianDates[] = {
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
// Worked examples 2000, 1900, 0, -100; the rest by the rule.
constexpr LeapCase kGregorianLeapYears[] = {{2000, true}, {1900, false}, {0, true},   {-100, false},
                                            {-4, true},   {-400, true},  {2024, true}, {2023, false},
                                            {-1, false},  {2100, false}, {2400, true}, {-2147483648, true}};
// Independent: 1461 * 1469873 exceeds 2^31; March to March across a common
// year is 365 days, across a leap day 366. Extreme years stay defined.
constexpr MarchToMarch kGregorianMarches[] = {
    {1469872, 365.0},     // 1469873 is not a leap year
    {1469871, 366.0},     // 1469872 is one
    {2147483646, 365.0},  // 2147483647 is odd
    {-2147483648, 365.0}, // -2147483647 is odd
};

constexpr KnownDate kJulianDates[] = {
      {2451544.5, 1999, 12, 19.0, "worked example: Gregorian 1 January 2000"},
      {2299159.5, 1582, 10, 4.0, "worked example: last Julian day of the reform"},
      {-0.5, -4712, 1, 1.0, "independent: the Julian Day epoch"},
      {-76715589.0, -214748, 3, 1.5, "independent: jdn_julian(-214748, 3, 1), noon"},
      {80156580.0, 214744, 10, 3.5, "independent: jdn_julian(214744, 10, 3), noon"},
};
// Worked examples 1900 and -1; the rest by the rule (every fourth year).
constexpr LeapCase kJulianLeapYears[] = {{1900, true},  {-1, false},   {0, true},           {-4, true},
                                         {-100, true},  {1999, false}, {-2147483648, true}, {2147483647, false}};
// Independent: 1461 * y exceeds 2^31 from y = 1469873 on.
constexpr MarchToMarch kJulianMarches[] = {{1469872, 365.0}, {1469871, 366.0}, {-2147483648, 365.0}};

struct Calendar {
  const char* name;
  testing::WesternCalendar conversions;
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
     {julian::from_jd, julian::to_jd, julian_new_year, julian::is_leap_year, testing::leap_julian,
      testing::jdn_julian},
     kJulianDates,
     kJulianLeapYears,
     kJulianMarches},
};

class WesternConversions : public ::testing::TestWithParam<Calendar> {};

TEST_P(WesternConversions, RoundTripAndStepOneDayAtATime) { testing::sweep_western_days(GetParam().conversions); }

TEST_P(WesternConversions, AgreeWithAnIndependentDayCount) {
  testing::expect_independent_day_count(GetParam().conversions);
}

TEST_P(WesternConversions, KnownDates) {
  const testing::WesternCalendar& cal = GetParam().conversions;
  for (const KnownDate& c : GetParam().dates) testing::expect_known_date(cal.from_jd, cal.to_jd, c);
}

TEST_P(WesternConversions, LeapYears) { testing::expect_leap_years(GetParam().conversions, GetParam().leap_years); }

TEST_P(WesternConversions, YearProportionalProductsDoNotOverflow) {
  testing::expect_march_to_march(GetParam().conversions, GetParam().marches);
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
      {easter_gregorian, 2000, 4, 23, "worked example: JulianDay 2451657.5"},
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
      {easter_julian, 2000, 4, 30, "worked example: JulianDay 2451664.5"},
      {easter_julian, 2021, 5, 2, "independent: published Orthodox Easter table"},
      {easter_julian, 2023, 4, 16, "independent: published Orthodox Easter table"},
      {easter_julian, 2024, 5, 5, "independent: published Orthodox Easter table"},
      {easter_julian, 2025, 4, 20, "independent: published Orthodox Easter table"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.easter(c.year), gregorian::to_jd(c.year, c.month, c.day)) << c.source;
  EXPECT_EQ(easter_gregorian(2000), 2451657.5);  // worked example
  EXPECT_EQ(easter_julian(2000), 2451664.5);     // worked example
}

}  // namespace
}  // namespace varizav
