#include "framework/keyword.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <string>

#include "framework/language.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

// Local copies of two tables' names (the lookup is tested here on its own,
// without the calendars that own the real tables).
constexpr std::array<const char*, 7> kWeekdaysEn = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                    "Friday", "Saturday", "Sunday"};
constexpr std::array<const char*, 7> kWeekdaysDe = {"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                                    "Freitag", "Samstag",  "Sonntag"};
constexpr std::array<const char*, 12> kMonthsEn = {"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};
constexpr std::array<const char*, 12> kMonthsDe = {"Januar", "Februar", "M\xE4rz",   "April",   "Mai",      "Juni",
                                                   "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
constexpr std::array<const char*, 4> kAstro = {"New Year's Day", "Julian Year", "New Moon", "Full Moon"};
constexpr std::array<const char*, 3> kHebrew = {"Adar", "Adar I", "Adar II"};
constexpr std::array<const char*, 3> kRomanDays = {"", "pridie", "III"};
constexpr std::array<int32_t, 4> kAstroValues = {101, 102, 103, 104};

const KeywordTable kWeekdays = {7, nullptr, kWeekdaysEn.data(), kWeekdaysDe.data()};
const KeywordTable kMonths = {12, nullptr, kMonthsEn.data(), kMonthsDe.data()};
const KeywordTable kAstroTable = {4, kAstroValues.data(), kAstro.data(), kAstro.data()};
const KeywordTable kHebrewTable = {3, nullptr, kHebrew.data(), kHebrew.data()};
const KeywordTable kRomanTable = {3, nullptr, kRomanDays.data(), kRomanDays.data()};

struct LookupCase {
  const char* text;
  const KeywordTable* table;
  LanguageId language;
  int32_t want;
  const char* source;
};

class KeywordLookup : public ::testing::TestWithParam<LookupCase> {
 protected:
  void TearDown() override { set_current_language(kLanguageGerman); }
};

TEST_P(KeywordLookup, SelectsEntry) {
  const LookupCase& c = GetParam();
  set_current_language(c.language);
  EXPECT_EQ(keyword_lookup(named(c.text), *c.table), c.want) << "text '" << c.text << "' (" << c.source << ")";
}

constexpr LanguageId kEn = kLanguageEnglish;
constexpr LanguageId kDe = kLanguageGerman;

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, KeywordLookup,
    ::testing::Values(
        LookupCase{"2", &kWeekdays, kEn, 2, "number text"}, LookupCase{" 2", &kWeekdays, kDe, 2, "leading blank"},
        LookupCase{"+2", &kWeekdays, kEn, 2, "sign"}, LookupCase{"2nd", &kWeekdays, kEn, 2, "number then letters"},
        LookupCase{"Sat", &kWeekdays, kEn, 6, "abbreviation"}, LookupCase{"Sat", &kWeekdays, kDe, 0, "not German"},
        LookupCase{"M", &kWeekdays, kEn, 1, "first prefix wins"}, LookupCase{"mo", &kWeekdays, kDe, 1, "case folded"},
        LookupCase{"Ma", &kMonths, kEn, 3, "March before May"},
        LookupCase{"Ma", &kMonths, kDe, 5, "M\xE4rz has a-umlaut"},
        LookupCase{"Mar", &kMonths, kDe, 0, "a is not a-umlaut"},
        LookupCase{"m\xC4rz", &kMonths, kDe, 3, "umlaut case folded"}, LookupCase{"j", &kMonths, kEn, 1, "first j"},
        LookupCase{"jun", &kMonths, kEn, 6, "prefix"}, LookupCase{"13", &kMonths, kEn, 0, "number beyond count"},
        LookupCase{"-1", &kMonths, kEn, 0, "negative number"},
        LookupCase{"Dec.", &kMonths, kEn, 0, "trailing full stop on abbreviation"},
        LookupCase{"de-cember", &kMonths, kEn, 12, "hyphen paid by count"},
        LookupCase{"december ", &kMonths, kEn, 12, "complete name then blank"},
        LookupCase{"", &kMonths, kEn, 0, "empty text, no empty name"},
        LookupCase{"New", &kAstroTable, kEn, 101, "value of first prefix"},
        LookupCase{"New M", &kAstroTable, kEn, 103, "blank in both"},
        LookupCase{"new moon", &kAstroTable, kEn, 103, "blank in both, lower case"},
        LookupCase{"newmx", &kAstroTable, kEn, 0, "text longer than name must not match"},
        LookupCase{"AdarII", &kHebrewTable, kEn, 3, "text longer than 'Adar I'"},
        LookupCase{"Adar I", &kHebrewTable, kEn, 2, "exact"}, LookupCase{"Adar", &kHebrewTable, kEn, 1, "exact short"},
        LookupCase{"", &kRomanTable, kEn, 1, "empty text selects the empty name"},
        LookupCase{"4294967298", &kWeekdays, kEn, 2, "leading integer wraps at 32 bits"}),
    // Each case named by its source in camel case ("first j" is FirstJ), not
    // by the bytes of its record, which hold pointers.
    [](const ::testing::TestParamInfo<LookupCase>& info) {
      std::string name;
      bool word_start = true;
      for (const char* p = info.param.source; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (!std::isalnum(c)) {
          word_start = c == ' ' || c == '-';
          continue;
        }
        name += word_start ? static_cast<char>(std::toupper(c)) : static_cast<char>(c);
        word_start = false;
      }
      return name;
    });

struct IntegerCase {
  const char* text;
  int32_t wrapping;
  int32_t saturating;
};

TEST(LeadingInteger, WrapsOrSaturates) {
  // Independent: values worked out by hand from two's-complement arithmetic.
  const IntegerCase cases[] = {
      {"", 0, 0},
      {"abc", 0, 0},
      {" \t-12x", -12, -12},
      {"65.9", 65, 65},
      {"+7", 7, 7},
      {"2147483648", -2147483647 - 1, 2147483647},
      {"-2147483648", -2147483647 - 1, -2147483647 - 1},
      {"-99999999999", -1215752191, -2147483647 - 1},
  };
  for (const IntegerCase& c : cases) {
    EXPECT_EQ(leading_integer_wrapping(c.text), c.wrapping) << c.text;
    EXPECT_EQ(leading_integer_saturating(c.text), c.saturating) << c.text;
  }
}

TEST(KeywordClass, FoldsLettersIgnoresPunctuation) {
  EXPECT_EQ(keyword_class(0), 0);
  EXPECT_EQ(keyword_class('A'), 'a');
  EXPECT_EQ(keyword_class('7'), '7');
  EXPECT_EQ(keyword_class(' '), 1);
  EXPECT_EQ(keyword_class('.'), 1);
  EXPECT_EQ(keyword_class(0xC4), 0xE4);  // A umlaut -> a umlaut
  EXPECT_EQ(keyword_class(0xD7), 1);     // multiplication sign
  EXPECT_EQ(keyword_class(0xDF), 0xDF);  // sharp s
  EXPECT_EQ(keyword_class(0xF7), 1);     // division sign
  EXPECT_EQ(keyword_class(0xA6), 0xA8);
  EXPECT_EQ(keyword_class(0xBC), 0xBD);
  EXPECT_EQ(keyword_class(0xBE), 0xFF);
  EXPECT_EQ(keyword_class(0xB4), 0xB4);
  EXPECT_EQ(keyword_class(0x80), 1);
}

}  // namespace
}  // namespace varizav
