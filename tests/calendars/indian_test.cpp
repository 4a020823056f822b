#include "calendars/indian.h"

#include <gtest/gtest.h>

#include <limits>

#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/gregorian.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// Independent: the Indian national calendar of 1957: Saka year = Gregorian
// year - 78 from 1 Caitra (22 March, 21 in leap years); 1 Pausa is 22 December.
constexpr const char* kSaka = "independent: 1 Pausa 1921 is 22 December 1999";

using testing::kError;
using testing::kNaN;

bool gregorian_leap(int64_t g) { return g % 4 == 0 && (g % 100 != 0 || g % 400 == 0); }

// The rule, stated independently: Caitra 30 days (31 when Gregorian year
// y + 78 is leap), Vaisakha .. Bhadra 31, Asvina .. Phalguna 30.
int32_t month_length(int32_t year, int32_t month) {
  if (month == 1) return gregorian_leap(int64_t{year} + 78) ? 31 : 30;
  return month <= 6 ? 31 : 30;
}

TEST(Indian, EveryDayFollowsTheMonthRule) {
  // Property: JulianDay -1e6 .. 4e6, every day, at midnight and with a time of day.
  const testing::SimpleCalendar cal = {indian::from_jd, indian::to_jd, indian::year_start, indian::is_leap_year, 12,
                                       month_length,    true};
  ASSERT_NO_FATAL_FAILURE(testing::sweep_days(cal, -1000000.5, 5000001));
}

TEST(Indian, YearsFollowTheGregorianCalendar) {
  // Independent: 1 Caitra is 22 March (21 in leap years) of Gregorian year y + 78,
  // for years far before the epoch too; the last day of a year is 30 Phalguna.
  for (int32_t y = -200000; y <= 200000; ++y) {
    const int32_t g = y + 78;
    const JulianDay start = indian::year_start(y);
    ASSERT_EQ(start, gregorian::to_jd(g, 3, gregorian_leap(g) ? 21.0 : 22.0)) << y;
    ASSERT_EQ(indian::is_leap_year(y), gregorian_leap(g) ? 1 : 0) << y;
    const CalendarDate first = indian::from_jd(start);
    const CalendarDate last = indian::from_jd(start - 1.0);
    ASSERT_TRUE(first.year == y && first.month == 1 && first.day == 1.0) << y;
    ASSERT_TRUE(last.year == y - 1 && last.month == 12 && last.day == 30.0) << y;
    ASSERT_EQ(indian::to_jd(y - 1, 12, 30.0), start - 1.0) << y;
  }
}

TEST(Indian, WorkedExamples) {
  const CalendarDate d = indian::from_jd(2451544.5);  // 1 January 2000
  EXPECT_TRUE(d.year == 1921 && d.month == 10 && d.day == 11.0) << d.year << "-" << d.month << "-" << d.day;
  EXPECT_EQ(indian::to_jd(1921, 10, 11.0), 2451544.5);
  EXPECT_EQ(indian::year_start(1922), 2451624.5);        // 21 March 2000
  EXPECT_EQ(indian::year_start(1923), 2451990.5);        // 22 March 2001
  EXPECT_EQ(indian::from_jd(2451624.5 + 30).day, 31.0);  // Caitra 1922 has 31 days
  EXPECT_EQ(indian::is_leap_year(1922), 1);
  EXPECT_EQ(indian::is_leap_year(1822), 0);
  EXPECT_EQ(is_leap_year_table[kIndian](1922), 1);
  EXPECT_EQ(from_jd_table[kIndian](2451544.5).year, 1921);
  // Independent: year + 78 computed in 64 bits at the 32-bit limit (2147483724 = 4 * 536870931).
  EXPECT_EQ(indian::is_leap_year(2147483646), 1);
  EXPECT_EQ(indian::to_jd(2147483647, 2, 1) - indian::to_jd(2147483647, 1, 1), 30.0);
}

TEST(Indian, Text) {
  // Dates independent (kSaka); the texts by hand from the name list.
  const testing::TextCase cases[] = {
      {2451544.5, 1, "11 Pausa 1921"},
      {2451544.75, -1, "1921 10 11.250000"},
      {2451544.5, 0, "1921 10 11"},
      {indian::to_jd(1922, 2, 31), 1, "31 Vaisakha 1922"},
      {indian::to_jd(-100, 12, 30), 1, "30 Phalguna -100"},
  };
  testing::expect_texts(indian::format_date, cases);
  const double serial = 36526, mode = 1;
  for (const LanguageId language : {kLanguageEnglish, kLanguageGerman}) {
    set_current_language(language);
    char out[VARIZAV_TEXT_SIZE];
    SC_calendar(out, language == kLanguageGerman ? "indisch" : "indian", &serial, &mode);
    EXPECT_STREQ(out, "11 Pausa 1921");
  }
  set_current_language(kLanguageGerman);
}

TEST(Indian, WorksheetValidation) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const testing::ConverterCase cases[] = {
      {1921, "Pausa", 11, 36526, kSaka},
      {1922, "Vaisakha", 31, 36667, "independent: 21 May 2000, 61 days after 21 March"},
      {1922, "Asvina", 31, 36822, "independent: runs on to 1 Kartika, 23 October 2000"},
      {1922, "7", 31.99, 36822.99, "day bound: 31.99 passes"},
      {1922, "7", 32, kError, "day bound"},
      {1922, "7", 0.999, kError, "day below 1"},
      {1922, "12", 1, 36942, "month count: 12 passes; independent: 20 February 2001"},
      {1922, "13", 1, kError, "month count"},
      {1922, "Tut", 1, kError, "unlisted name"},
      {1922, "1", nan, kNaN, "NaN day"},
      {nan, "1", 1, kError, "NaN year"},
      {2147483648.0, "1", 1, kError, "year outside 32 bits"},
  };
  testing::expect_converter_cases(SC_indian, cases);
}

}  // namespace
}  // namespace varizav
