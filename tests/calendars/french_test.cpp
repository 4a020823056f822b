#include "calendars/french.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/gregorian.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// Independent: days counted from 22 September 1792 with Romme's leap rule
// (Reingold & Dershowitz, Calendrical Calculations, arithmetic French).
constexpr const char* kRomme = "independent: counted by Romme's rule";

using testing::kError;
using testing::kNaN;

// The rule, stated independently: twelve months of 30 days, five complementary
// days, six in years divisible by 4 but not by 100 unless by 400, and not by 4000.
bool leap_rule(int64_t y) { return y % 4 == 0 && (y % 100 != 0 || (y % 400 == 0 && y % 4000 != 0)); }
int32_t month_length(int32_t year, int32_t month) { return month < 13 ? 30 : (leap_rule(year) ? 6 : 5); }

TEST(French, EveryDayFollowsTheMonthRule) {
  // Property: JulianDay -1e6 .. 4e6 (years -9246 .. 4448, through the 4000-year exception).
  const testing::SimpleCalendar cal = {french::from_jd, french::to_jd, french::year_start, french::is_leap_year, 13,
                                       month_length,    false};
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(cal, -1000000.5, 5000001));
}

TEST(French, LeapYears) {
  // Independent: Romme's rule (Reingold & Dershowitz, arithmetic French) by hand.
  const int32_t years[] = {3, 4, 100, 200, 300, 400, 4000, 8000, 4400, 0, -4, -100, -400};
  for (const int32_t y : years) EXPECT_EQ(french::is_leap_year(y), leap_rule(y) ? 1 : 0) << y;
  EXPECT_EQ(french::is_leap_year(4), 1);
  EXPECT_EQ(french::is_leap_year(400), 1);
  EXPECT_EQ(french::is_leap_year(4000), 0);
  EXPECT_EQ(is_leap_year_table[kFrench](4000), 0);
  EXPECT_EQ(from_jd_table[kFrench](2451544.5).year, 208);           // kRomme
  EXPECT_EQ(french::year_start(1), gregorian::to_jd(1792, 9, 22));  // independent: the epoch, 22 September 1792
  EXPECT_EQ(french_elapsed_days(4000), 1460969);                    // independent: 4000 * 365 + 1000 - 40 + 10 - 1
  EXPECT_EQ(french_elapsed_days(-1), -365);                         // independent: year 0, divisible by 4000, is common
}

struct DateCase {
  JulianDay jd;
  CalendarDate want;
  int step;  // correction of the completed-years estimate the case exercises: +1, -1 or 0
  const char* source;
};

TEST(French, EstimateCorrections) {
  const DateCase cases[] = {
      {2375839.5, {1, 1, 1.0}, 0, "independent: the epoch, 22 September 1792"},
      {2451544.5, {208, 4, 12.0}, 0, kRomme},
      {2375840.25, {1, 1, 1.0}, 0, "defined: the time of day is dropped"},
      {2847732.5, {1292, 13, 6.0}, -1, kRomme},
      {2337854.5, {-104, 13, 6.0}, -1, kRomme},
      {2376204.5, {2, 1, 1.0}, +1, "independent: 1 Vendemiaire 2, 365 days after the epoch"},
      {2377665.5, {6, 1, 1.0}, +1, "independent: 1 Vendemiaire 6, 1826 days after the epoch"},
  };
  for (const DateCase& c : cases) {
    const CalendarDate d = french::from_jd(c.jd);
    EXPECT_TRUE(d.year == c.want.year && d.month == c.want.month && d.day == c.want.day)
        << c.source << ": got " << d.year << "-" << d.month << "-" << d.day;
    // The case really needs the correction: the bare estimate is off by `step`.
    const double n = std::floor(c.jd - 2375839.5);
    EXPECT_EQ(c.want.year - 1 - static_cast<int32_t>(std::floor(n * 0.002737908881023485)), c.step) << c.source;
  }
}

TEST(French, Text) {
  // Dates by kRomme; the texts by hand from the name lists.
  const testing::TextCase cases[] = {
      {2375839.5, 1, "Primidi I, 1 Vendemiaire 1"},
      {2451544.5, 1, "Duodi II, 12 Nivose 208"},
      {french::to_jd(5, 2, 11), 1, "Primidi II, 11 Brumaire 5"},
      {french::to_jd(5, 12, 30), 1, "Decadi III, 30 Fructidor 5"},
      {french::to_jd(4, 13, 6), 1, "Jour de la Revolution, 6 Sansculottides 4"},
      {french::to_jd(3, 13, 1), 1, "Jour de la Vertu, 1 Sansculottides 3"},
      {french::to_jd(-1, 3, 21), 1, "Primidi III, 21 Frimaire -1"},
      {2375840.25, -1, "   1  1 1.000000"},
      {2451544.5, 0, " 208  4 12"},
  };
  testing::expect_texts(french::format_date, cases);
  // Through the registry, in both languages (the names are the same).
  const double serial = 36526, mode = 1;
  const struct {
    LanguageId language;
    const char* name;
  } names[] = {{kLanguageEnglish, "french"}, {kLanguageGerman, "franz\xF6sisch"}, {kLanguageGerman, "fr"}};
  for (const auto& n : names) {
    set_current_language(n.language);
    char out[VARIZAV_TEXT_SIZE];
    SC_calendar(out, n.name, &serial, &mode);
    EXPECT_STREQ(out, "Duodi II, 12 Nivose 208") << n.name;
  }
  set_current_language(kLanguageGerman);
}

TEST(French, WorksheetValidation) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double start5 = french::year_start(5) - 2415018.5;
  const testing::ConverterCase cases[] = {
      {208, "Nivose", 12, 36526, kRomme},
      {208, "niv", 12.5, 36526.5, "abbreviation, time of day kept"},
      {4, "Sansculottides", 7, start5, "independent: day 7 of the leap year's complementary days"},
      {4, "13", 30.99, start5 + 23.99, "day bound: 30.99 passes and runs on"},
      {4, "13", 31, kError, "day bound"},
      {4, "1", 0.5, kError, "day below 1"},
      {4, "14", 1, kError, "month count"},
      {4, "0", 1, kError, "month 0"},
      {4, "Nisan", 1, kError, "unlisted name"},
      {4, "1", nan, kNaN, "NaN day"},
      {nan, "1", 1, kError, "NaN year"},
      {-3e9, "1", 1, kError, "year outside 32 bits"},
  };
  testing::expect_converter_cases(SC_french, cases);
}

}  // namespace
}  // namespace varizav
