#include "calendars/islamic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/julian.h"
#include "framework/language.h"
#include "named_text.h"
#include "varizav/addin.h"

namespace varizav {

using testing::named;
namespace {

// Independent: the tabular calendar of Reingold & Dershowitz, Calendrical
// Calculations (leap when (14 + 11 y) mod 30 < 11, months of 30 and 29 days),
// counted separately.
constexpr const char* kTabular = "independent: the tabular Islamic rules (Reingold & Dershowitz)";

using testing::kError;
using testing::kNaN;

// The rule: months alternate 30 and 29 days from Muharram on; Dhu al-Hijjah
// has 30 in the leap years 2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29 of the cycle.
bool leap_by_list(int32_t year) {
  const int32_t r = static_cast<int32_t>(((year % 30) + 30) % 30);
  for (const int32_t l : {2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29}) {
    if (r == l) return true;
  }
  return false;
}

int32_t month_length(int32_t year, int32_t month) {
  if (month == 12) return leap_by_list(year) ? 30 : 29;
  return month % 2 == 1 ? 30 : 29;
}

const testing::SimpleCalendar kIslamic = {
    islamic::from_jd, islamic::to_jd, islamic::year_start, islamic::is_leap_year, 12, month_length, true};

TEST(Islamic, EveryDayFollowsTheMonthRule) {
  // Property: JulianDay -1e6 .. 4e6 (days start at 18:00, fraction .25).
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kIslamic, -1000000.0 + 0.25, 5000001));
}

TEST(Islamic, EveryDayAtTheEndsOfTheAcceptedRange) {
  // 30 * days and 10631 * year leave 32 bits out here (about 71.5 million days
  // from the epoch); the same rule must hold up to both bounds.
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kIslamic, kMinAcceptedJd - 0.75, 200000));
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(kIslamic, kMaxAcceptedJd - 200000.75, 200002));
}

TEST(Islamic, LeapYearsAndYearStarts) {
  // Independent: the list of leap years of the cycle; a year has 354 days plus the leap day.
  for (int32_t y = -100000; y <= 100000; ++y) {
    ASSERT_EQ(islamic::is_leap_year(y), leap_by_list(y) ? 1 : 0) << y;
    ASSERT_EQ(islamic::year_start(y + 1) - islamic::year_start(y), leap_by_list(y) ? 355.0 : 354.0) << y;
  }
  // At the 32-bit year limits the year length still follows the rule.
  for (const int32_t y : {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max() - 1}) {
    EXPECT_EQ(islamic::year_start(y + 1) - islamic::year_start(y), leap_by_list(y) ? 355.0 : 354.0) << y;
    EXPECT_EQ(islamic::to_jd(y, 12, 30) + 1.0 - (leap_by_list(y) ? 0.0 : 1.0), islamic::year_start(y + 1)) << y;
  }
}

TEST(Islamic, WorkedExamples) {
  struct Case {
    JulianDay jd;
    CalendarDate want;
    const char* source;
  };
  const Case cases[] = {
      {1948439.25, {1, 1, 1.0}, "epoch"},
      {1948439.5, {1, 1, 1.25}, "independent: the epoch, 16 July 622 (Julian), began at 18:00 the day before"},
      {2451640.25, {1421, 1, 1.0}, kTabular},
      {2451544.5, {1420, 9, 24.25}, kTabular},
      {2451639.5, {1420, 12, 30.25}, kTabular},
      {1948439.0, {0, 12, 29.75}, "before the epoch: year 0 (common) ends on 29 Dhu al-Hijjah"},
  };
  for (const Case& c : cases) {
    const CalendarDate d = islamic::from_jd(c.jd);
    EXPECT_TRUE(d.year == c.want.year && d.month == c.want.month && d.day == c.want.day)
        << c.source << ": got " << d.year << "-" << d.month << "-" << d.day;
    EXPECT_EQ(islamic::to_jd(c.want.year, c.want.month, c.want.day), c.jd) << c.source;
  }
  // Independent: the epoch is 18:00 of 15 July 622 in the Julian calendar.
  EXPECT_EQ(islamic::year_start(1), julian::to_jd(622, 7, 16) - 0.25);
  EXPECT_EQ(islamic::year_start(1421) - islamic::year_start(1420), 355.0);  // kTabular: 1420 is leap
}

struct TextCase {
  double serial;
  int32_t mode;
  const char* english;
  const char* german;
  const char* source;
};

TEST(Islamic, TextThroughTheRegistry) {
  const TextCase cases[] = {
      // Independent: 5 April 2000 is a Wednesday; from 18:00 the Islamic day is Thursday.
      {36621.75, 1, "yaum al-hamis, 1 Moharram 1421", "Yaum el-Hamis, 1 Moharrem 1421", "1 Muharram 1421"},
      {36621.0, 1, "yaum al-arba`a', 30 Dhu al-Hijjah 1420", "Yaum el-Arba`a', 30 Dsu'l-Hedsche 1420",
       "0h of 5 April 2000, a Wednesday"},
      {36526.0, 1, "yaum as-sabt, 24 Ramadan 1420", "Yaum es-Sabt, 24 Ramadan 1420", "1 January 2000, Saturday"},
      {36526.0, 0, "1420  9 24", "1420  9 24", "number form"},
      {36526.0, -1, "1420  9 24.250000", "1420  9 24.250000", "number form with the fraction"},
      {36621.75, 0, "1421  1  1", "1421  1  1", "number form"},
  };
  for (const bool english : {true, false}) {
    set_display_names_english(english);
    set_current_language(english ? kLanguageEnglish : kLanguageGerman);  // the calendar name's language
    for (const TextCase& c : cases) {
      char out[kTextCapacity];
      format_calendar_date(out, named(english ? "islamic" : "islamisch"), c.serial, c.mode);
      EXPECT_STREQ(out, english ? c.english : c.german) << c.source;
    }
  }
  set_display_names_english(false);
  set_current_language(kLanguageGerman);
}

TEST(Islamic, Worksheet) {
  const testing::ConverterCase cases[] = {
      {1421, "Moharram", 1, 36621.75, "1 Muharram 1421 = JulianDay 2451640.25", true},
      {1421, "Moharrem", 1, 36621.75, "German name"},
      {1421, "Moharrem", 1, kError, "a German name does not match in English", true},
      {1421, "1", 1, 36621.75, "month by number", true},
      {1420, "Ramadan", 24.5, 36526.25, "1 January 2000 6:00 (24 Ramadan 1420 began at 18:00)", true},
      {1420, "12", 30.5, 36621.25, "day 30.5 is below the bound; 30 Dhu al-Hijjah 1420 began at 18:00", true},
      {1420, "12", 31, kError, "day bound 31", true},
      {1420, "12", 0.99, kError, "day below 1", true},
      {1420, "0", 1, kError, "month 0", true},
      {1420, "13", 1, kError, "month 13", true},
      {1420, "Shawwal", kNaN, kNaN, "NaN day passes and gives NaN", true},
      {kNaN, "Shawwal", 1, kError, "NaN year", true},
      {3e9, "Shawwal", 1, kError, "year beyond 32 bits", true},
      {1421.9, "Moharram", 1, 36621.75, "year truncated", true},
  };
  testing::expect_converter_cases(SC_islamic, cases);
}

}  // namespace
}  // namespace varizav
