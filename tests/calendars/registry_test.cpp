#include "calendars/registry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "calendars/western/civil.h"
#include "calendars/western/western_test_support.h"
#include "framework/date.h"
#include "framework/numeric.h"
#include "framework/text_format.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

using testing::LanguageScope;
using testing::ReformScope;

constexpr double kJan1_2000 = 36526.0;  // serial date of Saturday, 1 January 2000 (Gregorian)

// Sources of the dates of 1 January 2000 in the calendars' own text formats
// (independent: Julian Day numbers of Fliegel & Van Flandern, weekday
// (JDN + 1) mod 7; the era offsets are the calendars' definitions).
constexpr const char* kGregorian2000 = "independent: JDN 2451545, Saturday 1 January 2000";
constexpr const char* kJulian1999 = "independent: JDN 2451545 is Julian 19 December 1999";
constexpr const char* kEraOffset = "defined: the era's year offset from the Gregorian or Julian year";
constexpr const char* kRoman = "independent: 19 December is a.d. XIV Kal. Ian. (Julian 19 December 1999)";

struct TextCase {
  const char* calendar;
  double serial;
  double mode;
  bool english;
  const char* text;
  const char* source;
};

// Calendar names are looked up in the language of the case (German names
// for the German rows).
void expect_texts(const TextCase* begin, const TextCase* end) {
  for (const TextCase* c = begin; c != end; ++c) {
    LanguageScope language(c->english);
    char out[kTextCapacity];
    std::memset(out, 'x', sizeof out);
    format_calendar_date(out, named(c->calendar), c->serial, c->mode);
    EXPECT_STREQ(out, c->text) << c->calendar << " mode " << c->mode << (c->english ? " en" : " de") << ": "
                               << c->source;
  }
}

TEST(CalendarText, WesternCalendarsInBothLanguages) {
  const TextCase cases[] = {
      {"gregorian", kJan1_2000, 0, true, "2000  1  1", kGregorian2000},
      {"gregorian", kJan1_2000, 1, true, "Saturday, 1 January 2000", kGregorian2000},
      {"gregorianisch", kJan1_2000, 1, false, "Samstag, 1 Januar 2000", kGregorian2000},
      {"gregorian", kJan1_2000, -1, true, "2000  1 1.000000", kGregorian2000},
      {"gregorianisch", kJan1_2000 + 60.5, 1, false, "Mittwoch, 1 M\xE4rz 2000", "independent: 60 days later, noon"},
      {"julian", kJan1_2000, 1, true, "Saturday, 19. December 1999", kJulian1999},
      {"julianisch", kJan1_2000, 1, false, "Samstag, 19. Dezember 1999", kJulian1999},
      {"julianisch", kJan1_2000, 0, false, "1999 12 19", kJulian1999},
      {"iso8601", kJan1_2000, 1, true, "1999-52-06", "independent: Saturday of week 52 of 1999"},
      {"iso8601", kJan1_2000, -1, false, "1999-52-06", "the same text in every mode"},
      {"astronomical", kJan1_2000, 1, true, "2451544.500000",
       "defined: the astronomical calendar writes the JulianDay"},
      {"astronomisch", kJan1_2000 + 0.25, 0, false, "2451544.750000",
       "defined: the JulianDay with its fraction in every mode"},
      {"buddhist", kJan1_2000, 1, true, "Saturday, 1 January 2543", kEraOffset},
      {"buddhistisch", kJan1_2000, 1, false, "Samstag, 1 Januar 2543", kEraOffset},
      {"buddhist", kJan1_2000, 0, true, "2543  1  1", kEraOffset},
      {"buddhist", kJan1_2000 + 0.5, -1, true, "2543  1 1.500000", "independent: noon"},
      {"byzantine", kJan1_2000, 1, true, "Saturday, 19 December 7508", kEraOffset},
      {"byzantinisch", kJan1_2000, 1, false, "Samstag, 19 Dezember 7508", kEraOffset},
      {"byzantine", kJan1_2000, 0, true, "7508 12 19", kEraOffset},
      {"seleukiden", kJan1_2000, 1, false, "Samstag, 19 Dezember 2311", "independent: Julian 1999 + 312"},
      {"seleucid", kJan1_2000, -1, true, "2311 12 19.000000", "independent"},
      {"syrian", kJan1_2000, 1, true, "19 Kanun I 2311", "independent: December is Kanun I, no weekday"},
      {"syrisch", kJan1_2000, 1, false, "19 Kanun I 2311", "one list for both languages"},
      {"syrian", kJan1_2000, 0, true, "2311  3 19", "independent: the Syrian month number"},
      {"syrian", kJan1_2000, -1, true, "2311  3 19.000000", "independent"},
      {"taiwanese", kJan1_2000, 1, true, "Saturday, 1 January 89", kEraOffset},
      {"taiwanisch", kJan1_2000, 0, false, "  89  1  1", kEraOffset},
      {"gengou", kJan1_2000, 1, true, "1 January 12 (Heisei)", "independent: Heisei 1 is 1989"},
      {"gengou", kJan1_2000, 1, false, "1 Januar 12 (Heisei)", "independent: Heisei 1 is 1989"},
      {"gengou", kJan1_2000, 0, true, "2660  1  1", "defined: the Jimmu count, Gregorian + 660"},
      {"gengou", kJan1_2000, -1, true, "15   12  1 1.000000", "independent: era 15, year 12"},
      {"gengou", 32516.0, 1, true, "8 January 1 (Heisei)", "independent: Heisei began on 8 January 1989"},
      {"gengou", 43586.0, 1, true, "1 May 1 (Reiwa)", "independent: 1 May 2019, Reiwa 1"},
      {"gengou", 43586.0, -1, true, "16    1  5 1.000000", "independent: era 16, year 1"},
      {"gengou", 43585.0, 1, true, "30 April 31 (Heisei)", "independent: the last day of Heisei"},
      {"gengou", 32516.0, 0, true, "2649  1  8", "defined: the Jimmu count, Gregorian + 660"},
      {"gengou", 32515.0, 1, false, "7 Januar 64 (Showa)", "independent: Showa ended on 7 January 1989"},
      {"latin", kJan1_2000, 1, true, "XIV Kalendas Januarius 1999", kRoman},
      {"lateinisch", kJan1_2000, 1, false, "XIV Kalendas Januarius 1999", "one list for both languages"},
      {"latin", kJan1_2000, 0, true, "XIV Kal. Jan. 1999", kRoman},
      {"latin", kJan1_2000, -1, true, "1999  1 2 14.000000", kRoman},
  };
  expect_texts(std::begin(cases), std::end(cases));
}

TEST(CalendarText, CivilDefaultForUnknownNames) {
  ReformScope reform;
  // Serial dates of 4 and 15 October 1582, the default reform: JulianDay - 2415018.5.
  const double oct4 = 2299159.5 - kSerialEpochJd;
  const double oct15 = 2299160.5 - kSerialEpochJd;
  const TextCase cases[] = {
      {"", kJan1_2000, 1, true, "Saturday, 1 January 2000", "defined: an empty name is the civil calendar"},
      {"no such calendar", kJan1_2000, 0, false, "2000  1  1", "defined: an unknown name is the civil calendar"},
      {"", oct4, 1, false, "Donnerstag, 4. Oktober 1582",
       "independent: Julian 4 October 1582, the last day before the Gregorian reform"},
      {"", oct4 + 0.75, 1, true, "Thursday, 4. October 1582", "independent: 18:00 of the reform day"},
      {"", oct15, 1, false, "Freitag, 15 Oktober 1582",
       "independent: Gregorian 15 October 1582, the first day of the reform"},
  };
  expect_texts(std::begin(cases), std::end(cases));

  // Defined: the English reform setting keeps 3 September 1752 (Julian), Gregorian 14 September, Julian.
  set_reform_english();
  const double sep14_1752 = 2361221.5 - kSerialEpochJd;
  const TextCase english[] = {
      {"", sep14_1752, 1, true, "Thursday, 3. September 1752",
       "defined: the last Julian day of the English setting; a Thursday"},
      {"", sep14_1752 + 1.0, 1, true, "Friday, 15 September 1752",
       "defined: the first Gregorian day of the English setting"},
      {"", sep14_1752, 0, true, "1752  9  3", "defined: the last Julian day of the English setting"},
  };
  expect_texts(std::begin(english), std::end(english));
}

TEST(CalendarText, ModeTruncatesTowardZero) {
  const TextCase cases[] = {
      {"gregorian", kJan1_2000, 0.9, true, "2000  1  1", "defined: mode 0.9 truncates to 0"},
      {"gregorian", kJan1_2000, -0.9, true, "2000  1  1", "defined: mode -0.9 truncates to 0"},
      {"gregorian", kJan1_2000, -1.5, true, "2000  1 1.000000", "defined: mode -1.5 truncates to -1"},
      {"gregorian", kJan1_2000, 1.9, true, "Saturday, 1 January 2000", "independent: 1.9 is 1"},
      {"gregorian", kJan1_2000, 1e12, true, "Saturday, 1 January 2000", "independent: a huge mode is text"},
      {"gregorian", kJan1_2000, -1e12, true, "2000  1 1.000000", "independent: a huge negative mode"},
      {"gregorian", kJan1_2000, std::nan(""), true, "", "a mode that is not a number gives no text"},
  };
  expect_texts(std::begin(cases), std::end(cases));
}

TEST(CalendarText, AcceptedRangeIsInclusive) {
  const double lowest = kMinAcceptedJd - kSerialEpochJd;
  const double highest = kMaxAcceptedJd - kSerialEpochJd;
  const TextCase cases[] = {
      {"gregorian", highest, 0, true, "214749  2 28", "independent: jdn_gregorian(214749, 2, 28)"},
      {"gregorian", highest + 0.5, 0, true, "", "defined: half a day past the bound gives no text"},
      {"julian", lowest, 0, true, "-214748  3  1", "independent: jdn_julian(-214748, 3, 1)"},
      {"julian", lowest - 0.5, 0, true, "", "independent: half a day before the bound"},
      {"", lowest, 0, true, "-214748  3  1", "independent: the civil default is Julian there"},
      {"latin", highest, 1, true, "V Nonas Oktober 214744", "independent: Julian 214744-10-03"},
      {"gregorian", std::nan(""), 0, true, "", "a date that is not a number"},
      {"gregorian", INFINITY, 0, true, "", "an infinite date"},
  };
  expect_texts(std::begin(cases), std::end(cases));
}

TEST(CalendarText, EveryCalendarsFieldsAsPrintfWritesThem) {
  // Independent: glibc's snprintf, with the formats of all 25 formatters,
  // over the fields of 40,000 days of each calendar with a time of day
  // (1,000,000 days, a quarter of them at noon): 1500-2300 for every calendar, and for the arithmetic
  // ones also days anywhere in the accepted range. Every other day is checked
  // again with a decimal comma, which must replace printf's full stop.
  constexpr const char* kFormat =
      "%4ld %2d %2d|%4ld %2d %f|%s, %d %s %ld|%2ld %2ld %2d %d %f|%d %4ld %2d %f|%4ld %2d %d %2d|%4ld-%02d-%02d|"
      "%f|%.0f|%d %s %ld";
  std::mt19937_64 random(2026);
  std::uniform_real_distribution<double> time_of_day(0.0, 1.0);
  std::uniform_real_distribution<double> anywhere(kMinAcceptedJd, kMaxAcceptedJd);
  for (int32_t c = 0; c < kCalendarCount; ++c) {
    const bool astronomical_calendar = c == 4 || c == 12 || c == 13;  // Chinese, Hindu: far years are slow
    for (int32_t i = 0; i < 40000; ++i) {
      // Every fourth day at noon: day fractions of one half, the ties of %.0f.
      const double time = i % 4 == 0 ? 0.5 : time_of_day(random);
      const double jd = (i % 2 == 0 || astronomical_calendar) ? 2268923.5 + 7.3 * i + time : anywhere(random);
      const CalendarDate d = from_jd_table[static_cast<size_t>(c)](jd);
      const long y = d.year;
      const int32_t whole = ifloor(d.day);
      const FloorDiv cycle = floor_div(d.year, 60);
      char want[kTextCapacity];
      char got[kTextCapacity];
      std::snprintf(want, sizeof want, kFormat, y, d.month, whole, y, d.month, d.day, "Name", whole, "Month", y,
                    static_cast<long>(cycle.quot + 1), static_cast<long>(cycle.rem + 1), d.month, i % 2, d.day, whole,
                    y, d.month, d.day, y, d.month, i % 2, whole, y, d.month, whole, jd, d.day, whole, "M", y);
      format_text(got, kFormat, y, d.month, whole, y, d.month, d.day, "Name", whole, "Month", y,
                  static_cast<long>(cycle.quot + 1), static_cast<long>(cycle.rem + 1), d.month, i % 2, d.day, whole, y,
                  d.month, d.day, y, d.month, i % 2, whole, y, d.month, whole, jd, d.day, whole, "M", y);
      ASSERT_STREQ(got, want) << "calendar " << c << " jd " << jd;
      if (i % 2 == 0) {
        set_decimal_separator(',');
        format_text(got, "%4ld %2d %f|%f", y, d.month, d.day, jd);
        set_decimal_separator('.');
        std::snprintf(want, sizeof want, "%4ld %2d %f|%f", y, d.month, d.day, jd);
        std::string comma = want;
        for (char& ch : comma) ch = ch == '.' ? ',' : ch;
        ASSERT_EQ(got, comma) << "calendar " << c << " jd " << jd;
      }
    }
  }
}

TEST(CalendarRegistry, NameLookups) {
  struct Case {
    const char* text;
    bool english;
    int32_t id;
  };
  // Defined: abbreviations match the first name in list order (g, gr, 11, j, ju).
  const Case cases[] = {
      {"g", true, kGengou},
      {"gr", true, kGregorian},
      {"11", true, kGregorian},
      {"gregorian", true, kGregorian},
      {"j", false, kHebrew},
      {"ju", false, kJulian},
      {"j", true, kJulian},
      {"b", true, kBuddhist},
      {"by", true, kByzantine},
      {"s", true, kSeleucid},
      {"sy", true, kSyrian},
      {"t", true, kTaiwanese},
      {"l", true, kLatin},
      {"lateinisch", false, kLatin},
      {"seleukiden", false, kSeleucid},
      {"syrisch", false, kSyrian},
      {"taiwanisch", false, kTaiwanese},
      {"buddhistisch", false, kBuddhist},
      {"iso", true, kIso8601},
      {"ASTRONOMICAL", true, kAstronomical},
      {"", true, -1},
      {"latin", false, -1},
      {"26", true, -1},
  };
  for (const Case& c : cases) {
    LanguageScope language(c.english);
    EXPECT_EQ(find_calendar(named(c.text)), c.id) << c.text;
  }
}

TEST(CalendarRegistry, YearsAndLeapYearsOfTheWesternCalendars) {
  struct Case {
    int32_t id;
    int32_t year_of_2000_01_01;
    int32_t leap_year;  // a leap year of the calendar
    int32_t common_year;
    const char* source;
  };
  const Case cases[] = {
      {kAstronomical, 2000, 1600, 1700, "independent: Gregorian after the 1582 reform"},
      {kGregorian, 2000, 2000, 1900, "independent: 2000 is leap, 1900 is not (Gregorian rule)"},
      {kJulian, 1999, 1900, 1999, "independent: 1900 is leap, 1999 is not (Julian rule)"},
      {kIso8601, 1999, 2004, 2005, "independent: ISO years 2004 and 2009 have 53 weeks, 2005 has 52"},
      {kBuddhist, 2543, 2543, 2443, "independent: Gregorian 2000 and 1900"},
      {kByzantine, 7508, 7509, 7508, "independent: Julian 2000 and 1999"},
      {kGengou, 2660, 2660, 2560, "independent: Jimmu count, Gregorian 2000 and 1900"},
      {kLatin, 1999, 1900, 1999, "independent: the Julian rule"},
      {kSeleucid, 2311, 2312, 2311, "independent: Julian 2000 and 1999"},
      {kSyrian, 2311, 2312, 2311, "independent: the Seleucid years"},
      {kTaiwanese, 89, 89, -11, "independent: Gregorian 2000 and 1900"},
  };
  for (const Case& c : cases) {
    const size_t i = static_cast<size_t>(c.id);
    EXPECT_EQ(from_jd_table[i](serial_to_jd(kJan1_2000)).year, c.year_of_2000_01_01) << c.source;
    EXPECT_NE(is_leap_year_table[i](c.leap_year), 0) << c.source;
    EXPECT_EQ(is_leap_year_table[i](c.common_year), 0) << c.source;
  }
}

}  // namespace
}  // namespace varizav
