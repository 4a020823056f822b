// The names lists and notes of the host tool, over the library's real tables.
// Expected abbreviations follow from the lookup rule (first name in table
// order that begins with the text) applied by hand to the published lists.
#include "varizav/name_lists.h"

#include <gtest/gtest.h>

#include "framework/language.h"

namespace varizav::tool {
namespace {

// The language a test looks names up in; the library's setting is never touched.
class NameListsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = current_language(); }
  void TearDown() override { EXPECT_EQ(current_language(), saved_) << "a lookup changed the library's language"; }
  LanguageId saved_ = 0;
};

const KeywordTable& only_list(std::string_view key) {
  static std::vector<NameList> lists;
  lists = name_lists_for(key, kLanguageEnglish);
  EXPECT_EQ(lists.size(), 1u) << key;
  return *lists.at(0).table;
}

TEST_F(NameListsTest, ShortestTextThatSelectsEachEntry) {
  struct Case {
    const char* list;
    LanguageId language;
    int32_t entry;
    std::optional<std::string> want;
    const char* source;
  };
  const Case cases[] = {
      {"weekdays", kLanguageEnglish, 6, "S", "by hand: Saturday is the first weekday with S"},
      {"weekdays", kLanguageEnglish, 7, "Su", "by hand: 'S' selects Saturday"},
      {"weekdays", kLanguageEnglish, 4, "Th", "by hand: 'T' selects Tuesday"},
      {"gregorian-months", kLanguageEnglish, 3, "M", "by hand: March is the first month with M"},
      {"gregorian-months", kLanguageEnglish, 5, "May", "by hand: 'Ma' selects March"},
      {"gregorian-months", kLanguageGerman, 5, "Ma", "by hand: 'Ma' gives 5 in German (M\xE4rz has an umlaut)"},
      {"gregorian-holidays", kLanguageEnglish, 14, "Easter S", "by hand: 'Easter' selects row 13"},
      {"hebrew-months", kLanguageEnglish, 13, "Adar II", "by hand: 'Adar I' selects entry 12"},
      {"events", kLanguageEnglish, 4, "New M", "by hand: 'New M' selects New Moon"},
      {"counts", kLanguageEnglish, 1, "", "by hand: the empty text selects the empty name"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shortest_abbreviation(only_list(c.list), c.entry, c.language), c.want) << c.source;
  }
}

TEST_F(NameListsTest, SecondNamesOfOneHolidayAndListsOfACalendar) {
  EXPECT_EQ(same_value_as(only_list("gregorian-holidays"), 14), 13);  // Easter Sunday = Easter
  EXPECT_EQ(same_value_as(only_list("hebrew-holidays"), 2), 1);       // Rosh ha-Shanah = New Year's Day
  EXPECT_EQ(same_value_as(only_list("gregorian-holidays"), 13), 0);
  // "lat" is lateinisch in German: its months, division points, day counts, holidays.
  ASSERT_EQ(name_lists_for("lat", kLanguageGerman).size(), 4u);
  EXPECT_EQ(name_lists_for("latin", kLanguageGerman).size(), 4u);  // the English name works in German too
  EXPECT_EQ(name_lists_for("monate", kLanguageGerman).size(), name_lists_for("months", kLanguageGerman).size());
  EXPECT_TRUE(name_lists_for("nothing", kLanguageGerman).empty());
}

TEST_F(NameListsTest, NotesOnNamesThatSelectNothing) {
  struct Case {
    const char* function;
    const char* display;
    std::vector<std::string> parameters;
    std::vector<std::string_view> arguments;
    std::vector<std::string> want;
  };
  const std::vector<std::string> when = {"calendar", "event", "name of day", "day", "month", "date"};
  const std::vector<std::string> holiday = {"calendar", "event", "epoch"};
  const Case cases[] = {
      {"SC_when",
       "WHEN",
       when,
       {"gregorian", "", "Fridy", "13", "", "45292"},
       {"'Fridy' (name of day) names no weekday; WHEN treats it as any day; did you mean Friday?"}},
      {"SC_when",
       "WHEN",
       when,
       {"astronomical", "Full Mon", "Friday", "13", "", "45292"},
       {"'Full Mon' (event) names no astronomical event; WHEN treats it as no event and tests every day; did you mean "
        "Full Moon?"}},
      {"SC_when",
       "WHEN",
       when,
       {"hebrew", "", "", "0", "Marhc", "45292"},
       {"'' (event) names no holiday of hebrew; WHEN gives the error value",
        "'Marhc' (month) names no month; WHEN treats it as any month; did you mean March?"}},
      {"SC_holiday",
       "HOLIDAY",
       holiday,
       {"islamc", "Ramadan", "1445"},
       {"'islamc' (calendar) names no calendar; HOLIDAY uses the Gregorian holidays; did you mean islamic?",
        "'Ramadan' (event) names no holiday of gregorian; HOLIDAY gives the error value"}},
      {"SC_holiday",
       "HOLIDAY",
       holiday,
       {"astronomical", "Vernal Equinox", "2024"},
       {"'Vernal Equinox' (event) names no astronomical event; HOLIDAY gives the error value"}},
      // The closest names of the list: a misspelling, and a text that
      // begins a name but ends in punctuation (worked example: "Dec." matches nothing).
      {"SC_holiday",
       "HOLIDAY",
       holiday,
       {"julian", "Ascension Day", "2024"},
       {"'Ascension Day' (event) names no holiday of julian; HOLIDAY gives the error value; "
        "did you mean Ascencion Day?"}},
      {"SC_gregorian",
       "GREGORIAN",
       {"year", "month", "day"},
       {"2024", "Dec.", "1"},
       {"'Dec.' (month) names no month; GREGORIAN gives the error value; did you mean December?"}},
      // Nothing to note: names that select, an empty text where it means
      // "none", numbers, and a day given as a number.
      {"SC_when", "WHEN", when, {"", "", "5", "13", "3", "45292"}, {}},
      {"SC_holiday", "HOLIDAY", holiday, {"hebrew", "Passover", "5784"}, {}},
      {"SC_latin", "LATIN", {"year", "month", "division point", "day"}, {"2024", "Mar", "Kal", "3"}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(unmatched_name_notes(c.function, c.display, c.parameters, c.arguments, kLanguageEnglish), c.want)
        << c.arguments[1];
  }
}

}  // namespace
}  // namespace varizav::tool
