// The name lists of varizav/names.h. Expected entries: the lookup rule's
// worked examples (first name in list order that the text begins, case and
// punctuation ignored) and the published lists' order.
#include "varizav/names.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t kEnglish = 0x0409;
constexpr int32_t kGerman = 1031;
constexpr int32_t kGregorian = 10;  // position in the calendar list
constexpr int32_t kAstronomical = 1;

TEST(NameLists, EntriesInTheLanguageGiven) {
  struct Case {
    int32_t list;
    const char* text;
    int32_t language;
    int32_t entry;
    const char* source;
  };
  const Case cases[] = {
      {VARIZAV_LIST_CALENDARS, "g", kEnglish, 10, "worked example: g finds gengou"},
      {VARIZAV_LIST_CALENDARS, "gr", kEnglish, 11, "worked example: gr finds gregorian"},
      {VARIZAV_LIST_CALENDARS, "j", kGerman, 12,
       "worked example: in German j finds j\xFC"
       "disch"},
      {VARIZAV_LIST_CALENDARS, "ju", kGerman, 18, "worked example: in German ju finds julianisch"},
      {VARIZAV_LIST_CALENDARS, "11", kGerman, 11, "worked example: a number selects in either language"},
      {VARIZAV_LIST_WEEKDAYS, "Sat", kEnglish, 6, "worked example"},
      {VARIZAV_LIST_WEEKDAYS, "Sat", kGerman, 0, "worked example: no German weekday begins with sat"},
      {VARIZAV_LIST_MONTHS + kGregorian, "Ma", kEnglish, 3, "worked example: March before May"},
      {VARIZAV_LIST_MONTHS + kGregorian, "Ma", kGerman, 5, "worked example: M\xE4rz has an umlaut"},
      {VARIZAV_LIST_HOLIDAYS + kAstronomical, "new moon", kEnglish, 4, "worked example: New Moon"},
      {VARIZAV_LIST_DAY_COUNTS, "", kEnglish, 1, "worked example: the empty text, the one empty name"},
      {VARIZAV_LIST_MONTHS + kAstronomical, "1", kEnglish, 0, "the civil calendar has no month list"},
      {VARIZAV_LIST_COUNT, "1", kEnglish, 0, "no such list"},
      {-1, "1", kEnglish, 0, "no such list"},
  };
  const int32_t language_in_force = varizav_name_language();
  for (const Case& c : cases) {
    EXPECT_EQ(varizav_name_entry(c.list, c.text, c.language), c.entry) << c.source;
  }
  EXPECT_EQ(varizav_name_language(), language_in_force) << "a lookup changed the language in force";
}

TEST(NameLists, NamesAndCounts) {
  EXPECT_EQ(varizav_name_count(VARIZAV_LIST_CALENDARS), 25);
  EXPECT_EQ(varizav_name_count(VARIZAV_LIST_WEEKDAYS), 7);
  EXPECT_EQ(varizav_name_count(VARIZAV_LIST_MONTHS + kGregorian), 12);
  EXPECT_EQ(varizav_name_count(VARIZAV_LIST_MONTHS + kAstronomical), 0);
  EXPECT_EQ(varizav_name_count(VARIZAV_LIST_COUNT), 0);
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_CALENDARS, 12, kEnglish), "hebrew");
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_CALENDARS, 12, kGerman),
               "j\xFC"
               "disch");
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_CALENDARS, 12, 0x040C), "hebrew");  // French: the English names
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_WEEKDAYS, 7, kGerman), "Sonntag");
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_WEEKDAYS, 8, kGerman), "");
  EXPECT_STREQ(varizav_name(VARIZAV_LIST_WEEKDAYS, 0, kGerman), "");
}

}  // namespace
