#include "host/converter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "calendars/western/gregorian.h"
#include "framework/language.h"
#include "host/host_state.h"
#include "named_text.h"

namespace varizav {
namespace {

using testing::named;

using ConverterTest = testing::HostTest;

// What each calendar's converter accepts: month numbers 1..months, days
// 1 <= day < bound. Source: the month counts and day bounds of the converter
// functions' worked examples (Gregorian day 31.99 taken, 32 refused).
TEST_F(ConverterTest, MonthsAndDaysEachConverterTakes) {
  struct Case {
    CalendarId calendar;
    int32_t months;
    double day_bound;
  };
  const Case cases[] = {
      {kArmenian, 13, 31.0},  {kBuddhist, 12, 32.0},  {kByzantine, 12, 32.0}, {kCoptic, 13, 31.0},
      {kEgyptian, 13, 31.0},  {kEthiopic, 13, 31.0},  {kFrench, 13, 31.0},    {kGregorian, 12, 32.0},
      {kHebrew, 13, 31.0},    {kHindu2, 12, 32.0},    {kIndian, 12, 32.0},    {kIslamic, 12, 31.0},
      {kJulian, 12, 32.0},    {kPersian, 12, 32.0},   {kSeleucid, 12, 32.0},  {kSyrian, 12, 32.0},
      {kTaiwanese, 12, 32.0}, {kYazdegerd, 13, 31.0},
  };
  for (const Case& c : cases) {
    const auto convert = [&](int32_t month, double day) {
      const std::string text = std::to_string(month);
      return convert_simple_date(c.calendar, 2000, named(text.c_str()), day).has_value();
    };
    EXPECT_TRUE(convert(1, 1.0)) << c.calendar;
    EXPECT_TRUE(convert(c.months, c.day_bound - 0.01)) << c.calendar;
    EXPECT_FALSE(convert(c.months + 1, 1.0)) << c.calendar;
    EXPECT_FALSE(convert(1, c.day_bound)) << c.calendar;
    EXPECT_FALSE(convert(1, std::nextafter(1.0, 0.0))) << c.calendar;
    EXPECT_FALSE(convert(0, 1.0)) << c.calendar;
  }
}

TEST_F(ConverterTest, EveryConverterRowHasItsMonthNames) {
  // A row with a to_jd converts months by name: the calendar must list them.
  for (int32_t id = 0; id < kCalendarCount; ++id) {
    const ConverterRow& row = converter_row(static_cast<CalendarId>(id));
    if (row.to_jd == nullptr) continue;
    EXPECT_NE(converter_month_names(row.calendar), nullptr) << id;
    EXPECT_GT(row.day_bound, 1.0) << id;
  }
}

TEST_F(ConverterTest, SimpleDates) {
  set_current_language(kLanguageEnglish);
  // Worked example: Gregorian 30 February 2001 is 2 March 2001.
  EXPECT_EQ(convert_simple_date(kGregorian, 2001, named("Feb"), 30), jd_to_serial(gregorian::to_jd(2001, 3, 2)));
  // A NaN day passes the checks and gives NaN; a NaN year is refused.
  const std::optional<SerialDate> nan_day = convert_simple_date(kGregorian, 2001, named("Feb"), std::nan(""));
  ASSERT_TRUE(nan_day.has_value());
  EXPECT_TRUE(std::isnan(*nan_day));
  EXPECT_EQ(convert_simple_date(kGregorian, std::nan(""), named("Feb"), 1), std::nullopt);
  EXPECT_EQ(convert_simple_date(kGregorian, 2001, named("Fevrier"), 1), std::nullopt);
}

TEST_F(ConverterTest, ChineseWorksheetValidation) {
  set_current_language(kLanguageEnglish);
  const double serial_2000_02_05 = jd_to_serial(gregorian::to_jd(2000, 2, 5));
  struct Case {
    double cycle, year;
    const char* month;
    double leap, day;
    bool ok;
  } cases[] = {
      // Worked examples: day 30.5 taken, 31 and 0.5 refused, years 0 and 61 refused.
      {78, 17, "1st", 0, 1, true},    {78, 17, "1", 0, 30.5, true}, {78, 17, "1st", 0, 31, false},
      {78, 17, "1st", 0, 0.5, false}, {78, 0, "1st", 0, 1, false},  {78, 61, "1st", 0, 1, false},
      {78, 17, "13th", 0, 1, false},  {78, 17, "x", 0, 1, false},   {1e9, 17, "1st", 0, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(convert_chinese_date(c.cycle, c.year, named(c.month), c.leap, c.day).has_value(), c.ok)
        << c.cycle << " " << c.year << " " << c.month << " " << c.day;
  }
  // Worked example: cycle 78, year 17, month 1, day 1 is 5 February 2000.
  EXPECT_EQ(convert_chinese_date(78, 17, named("1st"), 0, 1), serial_2000_02_05);
  set_current_language(kLanguageGerman);
  EXPECT_EQ(convert_chinese_date(78, 17, named("1."), 0, 1), serial_2000_02_05);
}

}  // namespace
}  // namespace varizav
