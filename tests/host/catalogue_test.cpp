#include "host/catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "host/host_state.h"

namespace varizav {
namespace {

using CatalogueTest = testing::HostTest;

// The entries whose exact bytes are easiest to get wrong: blanks, line breaks,
// quotes, Windows-1252 letters and the empty descriptions.
TEST_F(CatalogueTest, EntriesAreExactInBothLanguages) {
  struct Case {
    int32_t entry;
    const char* english;
    const char* german;
  };
  // Source: the catalogue listing, typed again here with hex escapes for the umlauts.
  const Case cases[] = {
      {1, "Converts an Armenian calendar date to a date.", "Wandelt ein armenisches Kalenderdatum in ein Datum um."},
      {16, "EGYPTIAN", "\xC4GYPTISCH"},
      {19, "Converts an event of type 'nth day of month in the year' to  the corresponding calendar date.",
       "Wandelt ein Ereignis der Art 'nter Tag im Monat des Jahres' in das entsprechende Kalenderdatum um."},
      {30, "HEBREW",
       "J\xDC"
       "DISCH"},
      {65,
       "Scans for the date of an event that is a combination of definite characteristics: \nfix day of week, fix day "
       "of month and/or fix month \n(e.g. Full Moon on Friday the 13th ;-)",
       "Sucht nach dem Datum eines Ereignisses, das eine Kombination bestimmter Merkmale erf\xFCllt: \nfester "
       "Wochentag, feste Tageszahl und/oder feste Monatszahl \n(z.B. Vollmond am Freitag, dem 13. ;-)"},
      {67, "Scans for the occurence of two events on the same day.\n (e.g. Easter and Passover)",
       "Sucht nach dem Auftreten zweier Ereignisse am selben Tag. (z.B. Ostern und Passah)"},
      {73, "", ""},
      {75, "", ""},
      {93, "Name of the division point: \"Nonas\", \"Ides\", \"Kalendas\".",
       "Names des Festpunkts: \"Nonas\", \"Ides\", \"Kalendas\"."},
      {94, "gengou era", "Gengou-\xC4ra"},
      {99, "", ""},
      {100, "2st event", "2. Ereignis"},
      {101, "", ""},
      {125, "1 kin = 1 day.", "1 Kin = 1 Tag."},
  };
  for (const Case& c : cases) {
    set_current_language(kLanguageEnglish);
    EXPECT_STREQ(catalogue_text(c.entry), c.english) << "entry " << c.entry;
    set_current_language(kLanguageGerman);
    EXPECT_STREQ(catalogue_text(c.entry), c.german) << "entry " << c.entry;
  }
}

TEST_F(CatalogueTest, GermanOnlyForLanguage1031) {
  // Independent: German exactly for 1031; French (1036) and Portuguese (2070) read English.
  const struct {
    LanguageId language;
    const char* text;
  } cases[] = {{1031, "KALENDER"}, {9, "CALENDAR"}, {1036, "CALENDAR"}, {2070, "CALENDAR"}, {7, "CALENDAR"}};
  for (const auto& c : cases) {
    set_current_language(c.language);
    EXPECT_STREQ(catalogue_text(4), c.text) << c.language;
  }
}

TEST_F(CatalogueTest, OutsideTheCatalogueIsEmpty) {
  for (const int32_t entry : {126, 65535, -1, INT32_MIN, INT32_MAX}) {
    for (const LanguageId language : {kLanguageEnglish, kLanguageGerman}) {
      set_current_language(language);
      ASSERT_NE(catalogue_text(entry), nullptr);
      EXPECT_STREQ(catalogue_text(entry), "") << entry << " language " << language;
    }
  }
}

// Properties of the whole catalogue that catch a shifted or mistyped row.
TEST_F(CatalogueTest, ShapeOfEveryEntry) {
  size_t longest = 0;
  for (int32_t k = 0; k < kCatalogueSize; ++k) {
    const bool empty_description = k == 73 || k == 75 || k == 99 || k == 101;
    for (const char* text : {catalogue_english(k), catalogue_german(k)}) {
      const size_t n = std::strlen(text);
      longest = n > longest ? n : longest;
      EXPECT_EQ(n == 0, empty_description) << "entry " << k;
      if (k < 70 && k % 2 == 0) {
        // Display names are upper case in both languages.
        for (const char* p = text; *p; ++p) EXPECT_FALSE(*p >= 'a' && *p <= 'z') << "entry " << k;
      }
    }
    if (k >= 70 && k % 2 == 0) {
      // Argument names: lower case in English, capitalised in German.
      for (const char* p = catalogue_english(k); *p; ++p) EXPECT_FALSE(*p >= 'A' && *p <= 'Z') << "entry " << k;
      const char* g = catalogue_german(k);
      while (*g && !(*g >= 'A' && *g <= 'Z') && !(*g >= 'a' && *g <= 'z')) ++g;
      EXPECT_TRUE(*g >= 'A' && *g <= 'Z') << "entry " << k;
    }
  }
  // Independent: the longest text is the German description of entry 65, 190 bytes.
  EXPECT_EQ(longest, 190u);
  EXPECT_EQ(std::strlen(catalogue_german(65)), 190u);
}

}  // namespace
}  // namespace varizav
