#include "calendars/chronology.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "calendars/western/civil.h"
#include "framework/language.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

std::string chronology(const char* cycle, double year) {
  char out[kTextCapacity] = "unwritten";
  return format_chronology(out, named(cycle), year) ? out : "no result";
}

struct CycleCase {
  double year;
  const char* epact;
  const char* indiction;
  const char* regent;
  const char* golden;
  const char* solar;
  const char* letters;
  const char* source;
};

// Independent: the cycle rules by hand. Golden number y mod 19 + 1, solar
// cycle (y + 8) mod 28 + 1, indiction (y + 2) mod 15 + 1; the regent runs
// Saturn, Jupiter, Mars, Sun, Venus, Mercury, Moon from Saturn in 2000 (the
// Hundertjaehriger Kalender); dominical letters from the weekday of 1 January
// (Fliegel & Van Flandern); the Gregorian epact (11 G + 8 - C + C / 4 +
// (8 C + 13) / 25) mod 30, G = y mod 19, C = y / 100 (Clavius's solar and
// lunar equations).
constexpr const char* kCycleRules = "independent: the cycle rules by hand";

TEST(Chronology, ClassicalCyclesWithDefaultReform) {
  set_current_language(kLanguageEnglish);
  const CycleCase cases[] = {
      {2000, "24", "8", "Saturn", "VI", "21", "BA", kCycleRules},
      {2024, "19", "2", "Sonne", "XI", "17", "GF", kCycleRules},
      {2023, "8", "1", "Mars", "X", "16", "A", kCycleRules},
      {1900, "29", "13", "Merkur", "I", "5", "G", kCycleRules},
      {1582, "3", "10", "Mars", "VI", "23", "G", "independent: the Julian rules, epact (11 (y mod 19) + 8) mod 30"},
      {1000, "20", "13", "Jupiter", "XIII", "1", "GF",
       "independent: the Julian rules; 1 January 1000 (Julian) a Monday"},
  };
  // The cycle names and the column of the table that holds each one's value.
  const std::pair<const char*, const char * CycleCase::*> cycles[] = {
      {"Epact", &CycleCase::epact},       {"Indiction", &CycleCase::indiction},
      {"Regent", &CycleCase::regent},     {"Golden Number", &CycleCase::golden},
      {"Solar Cycle", &CycleCase::solar}, {"Dominical Letter", &CycleCase::letters},
  };
  for (const CycleCase& c : cases) {
    for (const auto& [cycle, column] : cycles) {
      EXPECT_EQ(chronology(cycle, c.year), c.*column) << cycle << " " << c.year << " " << c.source;
    }
  }
  EXPECT_EQ(chronology("Epact", 1583), "7");  // independent: the Gregorian epact formula, first Gregorian year
  set_current_language(kLanguageGerman);
  EXPECT_EQ(chronology("Sonntagsbuchstabe", 2000), "BA");
  EXPECT_EQ(chronology("Epakte", 2000), "24");
}

TEST(Chronology, UnknownCycleAndExtremeYears) {
  set_current_language(kLanguageEnglish);
  EXPECT_EQ(chronology("Moon cycle", 2000), "no result");
  EXPECT_EQ(chronology("", 2000), "no result");
  // NaN and huge years saturate to the 32-bit limits and still give a value.
  EXPECT_FALSE(chronology("Dominical Letter", std::nan("")).empty());
  EXPECT_FALSE(chronology("Solar Cycle", 1e300).empty());
  EXPECT_FALSE(chronology("Epact", -1e300).empty());
  set_current_language(kLanguageGerman);
}

TEST(Chronology, DominicalLetterMatchesTheWeekdayOfEverySunday) {
  // Independent: the first dominical letter names the first Sunday of January
  // (A = 1 January ... G = 7 January); checked against the civil calendar.
  set_current_language(kLanguageEnglish);
  for (int32_t y = -3000; y <= 3000; ++y) {
    const std::string letters = chronology("Dominical Letter", y);
    const JulianDay jan1 = civil_new_year(y);
    const int32_t weekday = weekday_index(jan1);  // 0 = Monday
    const int32_t first_sunday = 1 + (6 - weekday);
    ASSERT_EQ(letters[0], static_cast<char>('A' + first_sunday - 1)) << y;
    ASSERT_EQ(letters.size(), civil_is_leap_year(y) ? 2u : 1u) << y;
  }
  set_current_language(kLanguageGerman);
}

struct LeapCase {
  const char* calendar;
  const char* year;
  double want;  // 1 leap, 0 common
  const char* source;
};

TEST(LeapYear, ByTextAndCivilDefault) {
  set_current_language(kLanguageEnglish);
  const LeapCase cases[] = {
      {"gregorian", "2000", 1.0, "Gregorian rule"},
      {"gregorian", "1900", 0.0, "Gregorian rule"},
      {"julian", "1900", 1.0, "Julian rule"},
      {"unknown", "1700", 0.0, "civil calendar: Gregorian after 1582"},
      {"", "1500", 1.0, "civil calendar: Julian before the reform"},
      {"gregorian", " +2004 and more", 1.0, "leading integer"},
      {"hebrew", "5784", 1.0, "independent: (7 y + 1) mod 19 < 7"},
      {"islamic", "1420", 1.0, "independent: (14 + 11 y) mod 30 < 11"},
      {"coptic", "3", 1.0, "independent: y mod 4 = 3"},
      {"armenian", "4", 0.0, "defined: a wandering year of 365 days"},
      {"egyptian", "4", 0.0, "defined: a wandering year of 365 days"},
      {"yazdegerd", "4", 0.0, "defined: a wandering year of 365 days"},
      {"mayan", "4", 0.0, "defined: a wandering year of 365 days"},
      {"chinese", "78-18", 1.0, "independent: the Chinese year from 24 January 2001 had a leap fourth month"},
      {"chinese", "78-17", 0.0, "independent: the Chinese year from 5 February 2000 had none"},
      {"chinese", "78/18", 1.0, "any one separator"},
      {"chinese", "-482/25", 0.0, "first year of the range: 355 days from its new year to the next, 12 months"},
      {"chinese", "648/32", 0.0, "last year of the range: 354 days to its last day (30 of month 12), 12 months"},
  };
  for (const LeapCase& c : cases) {
    EXPECT_EQ(leap_year_of_text(named(c.calendar), c.year), c.want == 1.0)
        << c.calendar << " " << c.year << " (" << c.source << ")";
  }
  // A text without the number (or the two numbers) the calendar needs gives no result.
  const std::pair<const char*, const char*> no_number[] = {
      {"gregorian", ""},
      {"gregorian", "abc"},
      {"chinese", "78"},
      {"chinese", "78-"},
      // The years just outside the Chinese calendar's range (-28956 .. 38851).
      {"chinese", "-482/24"},
      {"chinese", "648/33"}};
  for (const auto& [calendar, year] : no_number) {
    EXPECT_FALSE(leap_year_of_text(named(calendar), year).has_value()) << calendar << " " << year;
  }
  set_current_language(kLanguageGerman);
}

TEST(LeapYear, ByDateRejectsNanAndFarDates) {
  set_current_language(kLanguageEnglish);
  EXPECT_EQ(leap_year_of_date(named("gregorian"), 36526.0), true);  // 1 January 2000
  EXPECT_EQ(leap_year_of_date(named("gregorian"), 36526.0 + 366.0), false);
  EXPECT_FALSE(leap_year_of_date(named("gregorian"), std::nan("")).has_value());
  EXPECT_FALSE(leap_year_of_date(named("gregorian"), 80156580.5 - 2415018.5).has_value());
  EXPECT_EQ(leap_year_of_date(named("gregorian"), 80156580.0 - 2415018.5),
            leap_year_of_date(named("gregorian"), 80156579.0 - 2415018.5));
  set_current_language(kLanguageGerman);
}

TEST(NewYearDayNumber, JulianBeforeReformGregorianAfter) {
  // Independent (Fliegel & Van Flandern): 1 January 2000 is JDN 2451545,
  // 1 January 1582 (Julian) is JDN 2298884.
  EXPECT_EQ(new_year_day_number(2000), 2451545);
  EXPECT_EQ(new_year_day_number(1582), 2298884);
  EXPECT_EQ(new_year_day_number(1583), 2299239);  // 1 January 1583 Gregorian
}

}  // namespace
}  // namespace varizav
