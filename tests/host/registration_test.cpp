// The registration protocol walked as a host walks it, through the exported
// entry points.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/catalogue.h"
#include "host/function_registry.h"
#include "host/host_state.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

using RegistrationTest = testing::HostTest;

constexpr char kFill = '\x55';  // what the host's buffers held before the call

struct HostBuffer {
  char bytes[VARIZAV_TEXT_SIZE];
  HostBuffer() { std::memset(bytes, kFill, sizeof bytes); }
  // The text is whole and every byte behind it is zero.
  ::testing::AssertionResult holds(const char* text) const {
    if (std::strcmp(bytes, text) != 0) return ::testing::AssertionFailure() << "text \"" << bytes << "\"";
    for (size_t i = std::strlen(text); i < sizeof bytes; ++i) {
      if (bytes[i] != '\0') return ::testing::AssertionFailure() << "byte " << i << " not zero";
    }
    return ::testing::AssertionSuccess();
  }
};

void set_language(unsigned short id) { SetLanguage(&id); }

TEST_F(RegistrationTest, CountIs35) {
  unsigned short count = 0;
  GetFunctionCount(&count);
  EXPECT_EQ(count, 35);
}

TEST_F(RegistrationTest, NamesAndTypeCodesOfAllFunctions) {
  struct Case {
    const char* name;
    std::vector<int> codes;  // slot 0 (result) first
  };
  // Source: the registration order and the list of type codes as written.
  const std::vector<int> ymd = {0, 0, 1, 0};
  const Case cases[kFunctionCount] = {
      {"SC_armenian", ymd},
      {"SC_astronomy", {0, 0}},
      {"SC_buddhist", ymd},
      {"SC_byzantine", ymd},
      {"SC_calendar", {1, 1, 0, 0}},
      {"SC_chinese", {0, 0, 0, 1, 0, 0}},
      {"SC_chronology", {1, 1, 0}},
      {"SC_coptic", ymd},
      {"SC_egyptian", ymd},
      {"SC_event", {0, 0, 1, 1, 0}},
      {"SC_ethiopic", ymd},
      {"SC_french", ymd},
      {"SC_gengou", {0, 1, 0, 1, 0}},
      {"SC_gnomon", {0, 0}},
      {"SC_gregorian", ymd},
      {"SC_hebrew", ymd},
      {"SC_hindu", {0, 0, 1, 0, 0}},
      {"SC_hindu2", ymd},
      {"SC_holiday", {0, 1, 1, 1}},
      {"SC_holiday2", {0, 1, 1, 0}},
      {"SC_indian", ymd},
      {"SC_islamic", ymd},
      {"SC_iso8601", {0, 0, 0, 1}},
      {"SC_julian", ymd},
      {"SC_leapyear", {0, 1, 1}},
      {"SC_leapyear2", {0, 1, 0}},
      {"SC_mayan", {0, 0, 0, 0, 0, 0}},
      {"SC_persian", ymd},
      {"SC_latin", {0, 0, 1, 1, 1}},
      {"SC_seleucid", ymd},
      {"SC_syrian", ymd},
      {"SC_taiwanese", ymd},
      {"SC_when", {0, 1, 1, 1, 0, 1, 0}},
      {"SC_when2", {0, 1, 1, 1, 1, 0}},
      {"SC_yazdegerd", ymd},
  };
  for (unsigned short k = 0; k < kFunctionCount; ++k) {
    const Case& c = cases[k];
    HostBuffer exported, display;
    unsigned short slots = 0;
    int codes[8];
    std::fill(std::begin(codes), std::end(codes), -7);
    GetFunctionData(&k, exported.bytes, &slots, codes, display.bytes);
    EXPECT_TRUE(exported.holds(c.name)) << k;
    ASSERT_EQ(slots, c.codes.size()) << c.name;
    EXPECT_EQ(std::vector<int>(codes, codes + slots), c.codes) << c.name;
    EXPECT_EQ(codes[slots], -7) << c.name << ": slot behind the last written";
  }
}

TEST_F(RegistrationTest, DisplayNamesFollowTheLanguage) {
  struct Case {
    unsigned short function;
    const char* english;
    const char* german;
  };
  // Source: registry and catalogue; 2 and 4 check that the catalogue's own order is followed.
  const Case cases[] = {{2, "BUDDHIST", "BUDDHISTISCH"},
                        {4, "CALENDAR", "KALENDER"},
                        {8, "EGYPTIAN", "\xC4GYPTISCH"},
                        {15, "HEBREW",
                         "J\xDC"
                         "DISCH"},
                        {24, "LEAPYEAR", "SCHALTJAHR"},
                        {26, "MAYAN", "MAYA"},
                        {28, "LATIN", "LATEINISCH"},
                        {34, "YAZDEGERD", "JEZDEGERD"}};
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      set_language(english ? 0x0409 : 0x0407);
      HostBuffer exported, display;
      unsigned short slots = 0;
      int codes[8];
      GetFunctionData(&c.function, exported.bytes, &slots, codes, display.bytes);
      EXPECT_TRUE(display.holds(english ? c.english : c.german)) << c.function;
    }
  }
}

TEST_F(RegistrationTest, UnknownFunctionGivesEmptyNamesAndNoSlots) {
  for (const unsigned short k : {35, 36, 1000, 65535}) {
    HostBuffer exported, display;
    unsigned short slots = 99;
    int codes[2] = {-7, -7};
    GetFunctionData(&k, exported.bytes, &slots, codes, display.bytes);
    EXPECT_TRUE(exported.holds("")) << k;
    EXPECT_TRUE(display.holds("")) << k;
    EXPECT_EQ(slots, 0) << k;
    EXPECT_EQ(codes[0], -7) << k;
    EXPECT_EQ(codes[1], -7) << k;
  }
}

TEST_F(RegistrationTest, ParameterDescriptions) {
  struct Case {
    unsigned short function, slot;
    const char* english_name;
    const char* english_description;
    const char* german_name;
    const char* german_description;
  };
  // Source: the registry's argument entries and the catalogue texts they name.
  const Case cases[] = {
      {0, 0, "", "Converts an Armenian calendar date to a date.", "",
       "Wandelt ein armenisches Kalenderdatum in ein Datum um."},
      {0, 2, "month", "Name of month or number", "Monat", "Monatsname oder Zahl"},
      {0, 4, "", "", "", ""},  // beyond the last argument
      {4, 3, "format mode", "Selects the output format: 0=number format, 1=string format", "Formatmodus",
       "W\xE4hlt das Ausgabeformat: 0=Zahlenformat, 1=Zeichenformat"},
      {19, 3, "date", "Start date", "Datum", "Startdatum"},
      {32, 5, "month", "Number of month", "Monat", "Monatszahl"},
      {33, 1, "1st calendar",
       "Name of calendar: Astronomical, Gregorian, Hebrew, Indian, Islamic, ISO8601, Julian, Latin, Mayan...",
       "1. Kalender",
       "Name des Kalenders: astronomisch, gregorianisch, indisch, islamisch, ISO8601, j\xFC"
       "disch, lateinisch, maya..."},
      {33, 4, "2st event", "Name of the event (holiday), e.g. New Year, Easter, ....", "2. Ereignis",
       "Name des Ereignisses (Festtag), z.B. Neujahr, Ostern, ...."},
      {33, 6, "", "", "", ""},
      {26, 5, "kin", "1 kin = 1 day.", "Kin", "1 Kin = 1 Tag."},
      {35, 0, "", "", "", ""},
      {65535, 1, "", "", "", ""},
      {1, 65535, "", "", "", ""},
  };
  for (const Case& c : cases) {
    for (const bool english : {true, false}) {
      set_language(english ? 0x0409 : 0x0407);
      HostBuffer name, description;
      GetParameterDescription(&c.function, &c.slot, name.bytes, description.bytes);
      EXPECT_TRUE(name.holds(english ? c.english_name : c.german_name)) << c.function << "/" << c.slot;
      EXPECT_TRUE(description.holds(english ? c.english_description : c.german_description))
          << c.function << "/" << c.slot;
    }
  }
}

TEST_F(RegistrationTest, EveryArgumentHasANameAndADescription) {
  // Property: a host walking slots 1..n of every function gets texts, and slot n + 1 is empty.
  for (unsigned short k = 0; k < kFunctionCount; ++k) {
    const unsigned short argc = static_cast<unsigned short>(function_registry[k].argument_count);
    for (unsigned short p = 1; p <= argc + 1; ++p) {
      HostBuffer name, description;
      GetParameterDescription(&k, &p, name.bytes, description.bytes);
      EXPECT_EQ(name.bytes[0] != '\0', p <= argc) << k << "/" << p;
      EXPECT_EQ(description.bytes[0] != '\0', p <= argc) << k << "/" << p;
    }
  }
}

TEST_F(RegistrationTest, SetLanguage) {
  struct Case {
    unsigned short id;
    LanguageId language;
  };
  // Source: the language-selection rules (primary language in the low 10 bits).
  const Case cases[] = {{0x0409, 9},    {0x0809, 9},    {0x0407, 1031}, {0x0807, 1031}, {0x0416, 2070},
                        {0x0016, 2070}, {0x040C, 1036}, {0x0004, 4},    {0x0814, 20},   {0x0000, 0x0400}};
  for (const Case& c : cases) {
    set_current_language(1234);
    set_language(c.id);
    EXPECT_EQ(current_language(), c.language) << std::hex << c.id;
  }
}

TEST_F(RegistrationTest, LanguageSwitchesDisplayArraysAndReform) {
  set_language(0x0409);  // English: English names, British reform
  EXPECT_STREQ(western_month_display_name(3), "March");
  EXPECT_EQ(reform_ymd(), 17520903);
  EXPECT_EQ(reform_jd(), 2361222);

  set_language(0x040C);  // French: English texts, the display arrays stay
  EXPECT_STREQ(catalogue_text(4), "CALENDAR");
  EXPECT_STREQ(western_month_display_name(3), "March");

  set_language(0x0407);  // German: German names, the 1752 reform stays
  EXPECT_STREQ(western_month_display_name(3), "M\xE4rz");
  EXPECT_EQ(reform_ymd(), 17520903);
  EXPECT_EQ(reform_jd(), 2361222);
}

TEST_F(RegistrationTest, UserDefinedLanguagesChangeNothing) {
  for (const unsigned short id : {0x0200, 0x0209, 0x03FF, 0x0609, 0xFFFF}) {
    set_current_language(kLanguageGerman);
    set_language(id);
    EXPECT_EQ(current_language(), kLanguageGerman) << std::hex << id;
    EXPECT_STREQ(western_month_display_name(3), "M\xE4rz") << std::hex << id;  // no callback
    EXPECT_EQ(reform_ymd(), 15821004) << std::hex << id;
  }
}

}  // namespace
}  // namespace varizav
