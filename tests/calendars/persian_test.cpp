#include "calendars/persian.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/julian.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// Independent: Birashk's 2820-year cycle in the form of Reingold &
// Dershowitz, Calendrical Calculations (arithmetic Persian), evaluated separately.
constexpr const char* kBirashk = "independent: Birashk's 2820-year cycle (Reingold & Dershowitz)";

using testing::kError;
using testing::kNaN;

// The rule: six months of 31 days, five of 30, Esfand 29 or 30 in a leap year.
int32_t month_length(int32_t year, int32_t month) {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return persian::is_leap_year(year) ? 30 : 29;
}

const testing::SimpleCalendar kPersian = {
    persian::from_jd, persian::to_jd, persian::year_start, persian::is_leap_year, 12, month_length, true};

TEST(Persian, EveryDayFollowsTheMonthRule) {
  // Property: JulianDay -1e6 .. 4e6 (midnight days); crosses the cycle ends
  // 2121444.5 / 2121445.5 and 3151427.5 / 3151428.5.
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kPersian, -1000000.5, 5000001));
}

TEST(Persian, EveryDayAtTheEndsOfTheAcceptedRange) {
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kPersian, kMinAcceptedJd - 0.5, 200000));
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kPersian, kMaxAcceptedJd - 200000.5, 200002));
}

TEST(Persian, LeapYears) {
  // Independent (kBirashk): the leap years 1370..1420 (five-year steps 1370 -> 1375, 1399 -> 1404).
  const int32_t leap[] = {1370, 1375, 1379, 1383, 1387, 1391, 1395, 1399, 1404, 1408, 1412, 1416};
  size_t next = 0;
  for (int32_t y = 1370; y < 1420; ++y) {
    const bool want = next < std::size(leap) && leap[next] == y;
    if (want) ++next;
    EXPECT_EQ(persian::is_leap_year(y), want ? 1 : 0) << y;
  }
  // Independent: 683 leap years in every 2820-year cycle (1029983 = 2820 * 365 + 683 days),
  // whatever cycle and wherever it is cut.
  for (const int32_t first :
       {-2345, 475, 1000, 1300000, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max() - 2820}) {
    int32_t count = 0;
    for (int32_t y = first; y < first + 2820; ++y) count += persian::is_leap_year(y);
    EXPECT_EQ(count, 683) << first;
    EXPECT_EQ(persian::year_start(first + 2820) - persian::year_start(first), 1029983.0) << first;
  }
  // A year has 365 days plus its leap day, up to the 32-bit limits.
  for (const int32_t y : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max() - 1}) {
    EXPECT_EQ(persian::year_start(y + 1) - persian::year_start(y), 365.0 + persian::is_leap_year(y)) << y;
  }
}

TEST(Persian, WorkedExamples) {
  struct Case {
    JulianDay jd;
    CalendarDate want;
    const char* source;
  };
  const Case cases[] = {
      {1948320.5, {1, 1, 1.0}, "independent: the epoch, 19 March 622 (Julian)"},
      {2451544.5, {1378, 10, 11.0}, kBirashk},
      {2459293.5, {1399, 12, 30.0}, kBirashk},
      {2459294.5, {1400, 1, 1.0}, "the day after it"},
      {2459658.5, {1400, 12, 29.0}, "last day of the common year 1400"},
      {2459659.5, {1401, 1, 1.0}, "the day after it"},
      {3151427.5, {3294, 12, 30.0}, "last day of the cycle 475..3294 (day 1029982 of the cycle)"},
      {3151428.5, {3295, 1, 1.0}, "first day of the next cycle"},
      {2121444.5, {474, 12, 30.0}, "last day of the cycle before 475"},
      {2121445.5 - 1029983.0 - 1.0, {-2346, 12, 30.0}, "last day of the cycle before that"},
      {2451544.75, {1378, 10, 11.25}, "6:00 keeps its fraction"},
  };
  for (const Case& c : cases) {
    const CalendarDate d = persian::from_jd(c.jd);
    EXPECT_TRUE(d.year == c.want.year && d.month == c.want.month && d.day == c.want.day)
        << c.source << ": got " << d.year << "-" << d.month << "-" << d.day;
    EXPECT_EQ(persian::to_jd(c.want.year, c.want.month, c.want.day), c.jd) << c.source;
  }
  EXPECT_EQ(persian_new_year_offset(1), 0);         // kBirashk
  EXPECT_EQ(persian_new_year_offset(475), 173125);  // kBirashk
  // Independent: the epoch is 0h of 19 March 622 (Julian); Nowruz 1399 was 20 March 2020 (Gregorian).
  EXPECT_EQ(persian::year_start(1), julian::to_jd(622, 3, 19));
  EXPECT_EQ(persian::year_start(1399), 2458928.5);
}

TEST(Persian, TextThroughTheRegistry) {
  // The month names are the same in both languages, and no weekday is written.
  const testing::TextCase cases[] = {
      {36526.0, 1, "11 Dey 1378", "1 January 2000"},
      {36526.0, 0, "1378 10 11", "number form"},
      {36526.25, -1, "1378 10 11.250000", "number form with the fraction"},
      {2459293.5 - 2415018.5, 1, "30 Esfand 1399", "leap day"},
      {1948320.5 - 2415018.5, 1, "1 Farvardin 1", "epoch"},
  };
  testing::expect_registry_texts("persian", "persisch", 0.0, cases);
}

TEST(Persian, Worksheet) {
  const testing::ConverterCase cases[] = {
      {1378, "Dey", 11, 36526.0, "1 January 2000"},
      {1378, "10", 11.5, 36526.5, "month by number, noon"},
      {1378, "Mehr", 31.5, 36456.5, "day 31.5 accepted in a 30-day month (1 Mehr is 100 days before 11 Dey)"},
      {1399, "Esfand", 31.75, 2459294.5 - 2415018.5 + 0.75, "day 31.75 counts on into 1 Farvardin 1400"},
      {1378, "Dey", 32, kError, "day bound 32"},
      {1378, "Dey", 0.5, kError, "day below 1"},
      {1378, "13", 1, kError, "month 13"},
      {1378, "Dey", kNaN, kNaN, "NaN day"},
      {-3e9, "Dey", 1, kError, "year beyond 32 bits"},
  };
  testing::expect_converter_cases(SC_persian, cases);
}

}  // namespace
}  // namespace varizav
