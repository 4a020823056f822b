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
  char out[kTextCapacity];
  format_chronology(out, named(cycle), year);
  return out;
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

TEST(Chronology, ClassicalCyclesWithDefaultReform) {
  set_current_language(kLanguageEnglish);
  const CycleCase cases[] = {
      {2000, "24", "8", "Saturn", "VI", "21", "BA", "worked example"},
      {2024, "19", "2", "Sonne", "XI", "17", "GF", "worked example (epact, letters); rest independent: the cycle rules by hand"},
      {2023, "8", "1", "Mars", "X", "16", "A", "worked example (epact, letter); rest by hand"},
      {1900, "29", "13", "Merkur", "I", "5", "G", "worked example (epact, letter); rest by hand"},
      {1582, "3", "10", "Mars", "VI", "23", "G", "worked example: still Julian for the cycles"},
      {1000, "20", "13", "Jupiter", "XIII", "1", "GF", "worked example: Julian leap year"},
  };
  // The cycle names and the column of the table that holds each one's value.
  const std::pair<const char*, const char* CycleCase::*> cycles[] = {
      {"Epact", &CycleCase::epact},           {"Indiction", &CycleCase::indiction}, {"Regent", &CycleCase::regent},
      {"Golden Number", &CycleCase::golden},  {"Solar Cycle", &CycleCase::solar},
      {"Dominical Letter", &CycleCase::letters},
  };
  for (const CycleCase& c : cases) {
    for (const auto& [cycle, column] : cycles) {
      EXPECT_EQ(chronology(cycle, c.year), c.*column) << cycle << " " << c.year << " " << c.source;
    }
  }
  EXPECT_EQ(chronology("Epact", 1583), "7");  // worked example: first Gregorian year
  set_current_language(kLanguageGerman);
  EXPECT_EQ(chronology("Sonntagsbuchstabe", 2000), "BA");
  EXPECT_EQ(chronology("Epakte", 2000), "24");
}

TEST(Chronology, UnknownCycleAndExtremeYears) {
  set_current_language(kLanguageEnglish);
  EXPECT_EQ(chronology("Moon cycle", 2000), "Err:502");
  EXPECT_EQ(chronology("", 2000), "Err:502");
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
      {"hebrew", "5784", 1.0, "worked example: 13 months"},
      {"islamic", "1420", 1.0, "worked example"},
      {"coptic", "3", 1.0, "worked example"},
      {"armenian", "4", 0.0, "worked example: never leap"},
      {"egyptian", "4", 0.0, "worked example: never leap"},
      {"yazdegerd", "4", 0.0, "worked example: never leap"},
      {"mayan", "4", 0.0, "worked example: never leap"},
      {"chinese", "78-18", 1.0, "worked example: 4637 has a leap month"},
      {"chinese", "78-17", 0.0, "worked example: 4636 has none"},
      {"chinese", "78/18", 1.0, "any one separator"},
  };
  for (const LeapCase& c : cases) {
    EXPECT_EQ(leap_year_of_text(named(c.calendar), c.year), c.want == 1.0)
        << c.calendar << " " << c.year << " (" << c.source << ")";
  }
  // A text without the number (or the two numbers) the calendar needs gives no result.
  const std::pair<const char*, const char*> no_number[] = {
      {"gregorian", ""}, {"gregorian", "abc"}, {"chinese", "78"}, {"chinese", "78-"}};
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
  EXPECT_EQ(leap_year_of_date(named("gregorian"), 80156580.0 - 2415018.5), leap_year_of_date(named("gregorian"), 80156579.0 - 2415018.5));
  set_current_language(kLanguageGerman);
}

TEST(NewYearDayNumber, JulianBeforeReformGregorianAfter) {
  // Worked example values of the Western calendars: 1 January 2000 is JDN 2451545,
  // 1 January 1582 (Julian) is JDN 2298884.
  EXPECT_EQ(new_year_day_number(2000), 2451545);
  EXPECT_EQ(new_year_day_number(1582), 2298884);
  EXPECT_EQ(new_year_day_number(1583), 2299239);  // 1 January 1583 Gregorian
}

}  // namespace
}  // namespace varizav
