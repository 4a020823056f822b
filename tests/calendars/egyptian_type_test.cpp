#include "calendars/egyptian_type.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/julian.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// Independent: the epochs, as Julian dates (Fliegel & Van Flandern), of
// Reingold & Dershowitz, Calendrical Calculations: Egyptian (Nabonassar) 26
// February 747 BC, Armenian 11 July 552, Coptic 29 August 284, Ethiopic 29
// August 8; Yazdegerd 16 June 632. Dates counted from them separately.
constexpr const char* kEpochs = "independent: counted from the calendar's epoch";

using testing::kError;
using testing::kNaN;

struct Calendar {
  const char* name;
  testing::SimpleCalendar ops;
  double day_start;        // fraction of the JulianDay at which the calendar's day begins
  JulianDay epoch_julian;  // 1/1/1 as a proleptic Julian date (0h), from the calendar's history
};

// The rule: months of 30 days, then five epagomenal days, six when year mod 4 = 3.
template <bool kQuadrennial>
int32_t month_length(int32_t year, int32_t month) {
  if (month < 13) return 30;
  return kQuadrennial && ((year % 4) + 4) % 4 == 3 ? 6 : 5;
}

const Calendar kCalendars[] = {
    {"armenian",
     {armenian::from_jd, armenian::to_jd, armenian::year_start, armenian::is_leap_year, 13, month_length<false>, true},
     0.5,
     julian::to_jd(552, 7, 11)},
    {"egyptian",
     {egyptian::from_jd, egyptian::to_jd, egyptian::year_start, egyptian::is_leap_year, 13, month_length<false>, true},
     0.5,
     julian::to_jd(-746, 2, 26)},
    {"yazdegerd",
     {yazdegerd::from_jd, yazdegerd::to_jd, yazdegerd::year_start, yazdegerd::is_leap_year, 13, month_length<false>,
      true},
     0.5,
     julian::to_jd(632, 6, 16)},
    {"coptic",
     {coptic::from_jd, coptic::to_jd, coptic::year_start, coptic::is_leap_year, 13, month_length<true>, true},
     0.25,
     julian::to_jd(284, 8, 29) - 0.25},
    {"ethiopic",
     {ethiopic::from_jd, ethiopic::to_jd, ethiopic::year_start, ethiopic::is_leap_year, 13, month_length<true>, true},
     0.25,
     julian::to_jd(8, 8, 29) - 0.25},
};

TEST(EgyptianType, EveryDayFollowsTheMonthRule) {
  // Property: JulianDay -1e6 .. 4e6, each day round-trips and is followed by its successor.
  for (const Calendar& c : kCalendars) {
    SCOPED_TRACE(c.name);
    ASSERT_NO_FATAL_FAILURE(testing::sweep_days(c.ops, -1000000.0 + c.day_start, 5000001));
  }
}

TEST(EgyptianType, EpochIsTheFirstDay) {
  for (const Calendar& c : kCalendars) {
    const CalendarDate d = c.ops.from_jd(c.epoch_julian);
    EXPECT_TRUE(d.year == 1 && d.month == 1 && d.day == 1.0) << c.name;
    EXPECT_EQ(c.ops.year_start(1), c.epoch_julian) << c.name;
    // Before the epoch comes year 0 (floor division), ending with its fifth epagomenal day.
    const CalendarDate before = c.ops.from_jd(c.epoch_julian - 1.0);
    EXPECT_TRUE(before.year == 0 && before.month == 13 && before.day == 5.0)
        << c.name << " " << before.year << "-" << before.month << "-" << before.day;
  }
}

struct DateCase {
  CalendarDate (*from_jd)(JulianDay);
  JulianDay jd;
  CalendarDate want;
  const char* source;
};

TEST(EgyptianType, KnownDates) {
  const DateCase cases[] = {
      {armenian::from_jd, 2451544.5, {1449, 6, 8.0}, kEpochs},
      {egyptian::from_jd, 2451544.5, {2748, 9, 13.0}, kEpochs},
      {yazdegerd::from_jd, 2451544.5, {1369, 6, 13.0}, kEpochs},
      {coptic::from_jd,
       2451544.5,
       {1716, 4, 22.25},
       "independent: Coptic 22 Kiyahk 1716 (epochs above), the day began at 18:00"},
      {ethiopic::from_jd, 2451544.5, {1992, 4, 22.25}, kEpochs},
      {coptic::from_jd, 2451544.2, {1716, 4, 21.95}, "independent: 16:48 is still the day before"},
      {coptic::from_jd,
       coptic::to_jd(3, 13, 6) + 1.0,
       {4, 1, 1.0},
       "independent: Coptic years y mod 4 = 3 have a sixth epagomenal day"},
      {coptic::from_jd,
       coptic::to_jd(4, 13, 5) + 1.0,
       {5, 1, 1.0},
       "independent: Coptic years y mod 4 = 3 have a sixth epagomenal day"},
      {egyptian::from_jd, egyptian::year_start(1) + 365.0, {2, 1, 1.0}, "defined: the wandering year has 365 days"},
      {coptic::from_jd, coptic::to_jd(3, 13, 10), {4, 1, 4.0}, "independent: day 10 of month 13 continues"},
  };
  for (const DateCase& c : cases) {
    const CalendarDate d = c.from_jd(c.jd);
    EXPECT_TRUE(d.year == c.want.year && d.month == c.want.month && std::abs(d.day - c.want.day) < 1e-9)
        << c.source << ": got " << d.year << "-" << d.month << "-" << d.day;
  }
}

TEST(EgyptianType, LeapYears) {
  // Independent: Coptic years y mod 4 = 3 are leap; wandering years never; and
  // independent: the residue rule counted by hand for negative and extreme years.
  const int32_t years[] = {3, 4, -1, -2, 0, 7, 2147483647, -2147483647 - 1};
  const int32_t want[] = {1, 0, 1, 0, 0, 1, 1, 0};
  for (size_t i = 0; i < std::size(years); ++i) {
    EXPECT_EQ(coptic::is_leap_year(years[i]), want[i]) << years[i];
    EXPECT_EQ(ethiopic::is_leap_year(years[i]), want[i]) << years[i];
    EXPECT_EQ(armenian::is_leap_year(years[i]) + egyptian::is_leap_year(years[i]) + yazdegerd::is_leap_year(years[i]),
              0);
  }
  // 1461 * year and 365 * year at the 32-bit limits: independent, exact integer arithmetic in Python.
  EXPECT_EQ(coptic::year_start(2147483647), 784368402066.0 + 1824664.25);
  EXPECT_EQ(armenian::year_start(-2147483647 - 1), -783831531520.0 + 1922502.5);
}

struct TextCase {
  const char* calendar;  // English name; the German name is looked up in the same row
  const char* german;
  double serial;
  double mode;
  const char* want;
};

TEST(EgyptianType, TextThroughTheRegistry) {
  // Dates independent (kEpochs; 1 January 2000 = serial 36526); texts by hand from the name lists.
  const TextCase cases[] = {
      {"armenian", "armenisch", 36526, 1, "Shabath, 8 Arach 1449"},
      {"armenian", "armenisch", 36526, 0, "1449  6  8"},
      {"armenian", "armenisch", 36526, -1, "1449  6 8.000000"},
      {"egyptian", "\xE4gyptisch", 36526, 1, "13 Pachon 2748"},
      {"yazdegerd", "jezdegerd", 36526, 1, "13 Shahrivar 1369"},
      {"coptic", "koptisch", 36526, 1, "Psabbaton, 22 Kiyahk 1716"},
      {"coptic", "koptisch", 36526, -1, "1716  4 22.250000"},
      {"coptic", "koptisch", 36525.74, 1, "Psoou, 21 Kiyahk 1716"},  // 17:45 on Friday: the day before
      {"ethiopic", "\xE4thiopisch", 36526, 1, "Kidamme, 22 Takhsas 1992"},
      {"ethiopic", "\xE4thiopisch", 36525.75, 0, "1992  4 22"},
      {"coptic", "koptisch", -589989.25 + 1095, 1, "Pesnau, 6 al-Nasi 3"},  // leap day, JD 1826124.25
  };
  for (const LanguageId language : {kLanguageEnglish, kLanguageGerman}) {
    set_current_language(language);
    for (const TextCase& c : cases) {
      char out[VARIZAV_TEXT_SIZE];
      const char* name = language == kLanguageGerman ? c.german : c.calendar;
      SC_calendar(out, name, &c.serial, &c.mode);
      EXPECT_STREQ(out, c.want) << name << " " << c.serial << " mode " << c.mode;
    }
  }
  set_current_language(kLanguageGerman);
  // Independent: just before JulianDay -0.5 the weekday remainder is 7 - 5.6e-17,
  // which rounds to 7.0; the day is the last of the week, Sunday.
  char out[VARIZAV_TEXT_SIZE];
  armenian::format_date(out, std::nextafter(-0.5, -1.0), 1);
  EXPECT_EQ(std::string(out).rfind("Miashabathi, ", 0), 0u) << out;
}

TEST(EgyptianType, RegistryEntries) {
  // Years of 1 January 2000 (kEpochs); Coptic and Ethiopic 3 are leap (y mod 4 = 3).
  const struct {
    CalendarId id;
    int32_t year;
    int32_t leap3;
  } cases[] = {
      {kArmenian, 1449, 0}, {kCoptic, 1716, 1}, {kEgyptian, 2748, 0}, {kEthiopic, 1992, 1}, {kYazdegerd, 1369, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(from_jd_table[c.id](2451544.5).year, c.year) << c.id;
    EXPECT_EQ(is_leap_year_table[c.id](3), c.leap3) << c.id;
  }
}

struct ConvertCase {
  void (*fn)(double*, const double*, const char*, const double*);
  double year;
  const char* month;
  double day;
  double want;  // serial date, kError or kNaN
  const char* source;
};

TEST(EgyptianType, WorksheetValidation) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const ConvertCase cases[] = {
      {SC_armenian, 1, "Nawasardi", 1, -492151, "independent: the Armenian epoch, 11 July 552 (Julian)"},
      {SC_coptic, 1, "Tut", 1, -589989.25, "independent: the Coptic epoch, 29 August 284 (Julian), its eve at 18:00"},
      {SC_coptic, 1716, "Kiyahk", 22, 36525.75, kEpochs},
      {SC_ethiopic, 1992, "4", 22, 36525.75, kEpochs},
      {SC_egyptian, 2748, "pach", 13, 36526, "defined: an abbreviated month; date by kEpochs"},
      {SC_yazdegerd, 1369, "Shahrivar", 13, 36526, kEpochs},
      {SC_armenian, 1449, "Arach", 30.99, 36548.99, "day bound: 30.99 passes"},
      {SC_armenian, 1449, "Arach", 31, kError, "day bound"},
      {SC_egyptian, 2748, "Pachon", 0.99, kError, "day below 1"},
      {SC_ethiopic, 1992, "Paguemen", 30, 36525.75 + 9 * 30 + 8, "independent: month 13 takes day 30"},
      {SC_coptic, 1716, "al-Nasi", 1, 36525.75 + 9 * 30 - 21, "independent: month 13 by name"},
      {SC_coptic, 3, "13", 7, -589989.25 + 365 * 3 + 1, "independent: 7th epagomenal day of leap 3 is 4-01-01"},
      {SC_yazdegerd, 1369, "0", 1, kError, "month 0"},
      {SC_yazdegerd, 1369, "14", 1, kError, "month count"},
      {SC_egyptian, 2748, "Tut", 1, kError, "a Coptic name is not Egyptian"},
      {SC_egyptian, -2.7, "1", 1, 1447542.5 - 2415018.5, "year truncates to -2: independent, 3 years before 1"},
      {SC_armenian, 1449, "Arach", nan, kNaN, "NaN day passes and stays NaN"},
      {SC_coptic, nan, "Tut", 1, kError, "NaN year"},
      {SC_ethiopic, 3e9, "Tut", 1, kError, "year outside 32 bits"},
  };
  set_current_language(kLanguageEnglish);
  for (const ConvertCase& c : cases) {
    double result = 0;
    c.fn(&result, &c.year, c.month, &c.day);
    testing::expect_result(result, c.want, c.source);
  }
  set_current_language(kLanguageGerman);
}

}  // namespace
}  // namespace varizav
