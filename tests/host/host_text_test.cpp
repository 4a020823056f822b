// Texts at the host boundary: the transcoding between the add-in's
// Windows-1252 and a UTF-8 host, the decision which one the host speaks, and
// the entry points and worksheet functions in both modes.
#include "host/host_text.h"

#include <gtest/gtest.h>
#include <iconv.h>
#include <locale.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "calendars/lunisolar/chinese.h"
#include "framework/keyword.h"
#include "framework/text_format.h"
#include "host/function_registry.h"
#include "host/host_state.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

using HostTextTest = testing::HostTest;

const std::string kThorn = "\xFE";  // kUnmappedCharacter

std::string to_cp1252(const std::string& utf8, size_t out_size = kHostTextSize) {
  std::string out(out_size, '#');
  const size_t n = utf8_to_cp1252(utf8.c_str(), out.data(), out.size());
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

std::string to_utf8(const std::string& cp1252, size_t out_size = kHostTextSize) {
  std::string out(out_size, '#');
  const size_t n = cp1252_to_utf8(cp1252.c_str(), out.data(), out.size());
  EXPECT_EQ(out[n], '\0');
  return out.substr(0, n);
}

TEST(HostTextConversion, Utf8ToWindows1252) {
  struct Case {
    const char* utf8;
    const char* cp1252;
  };
  // independent: the Windows-1252 code chart; thorn for what it lacks
  const Case cases[] = {
      {"Gregorian 2000", "Gregorian 2000"},
      {"M\xC3\xA4rz", "M\xE4rz"},            // U+00E4
      {"\xC3\x84GYPTISCH", "\xC4GYPTISCH"},  // U+00C4
      {"Bu\xC3\x9F"
       "tag",
       "Bu\xDF"
       "tag"},                                                                 // U+00DF
      {"\xE2\x82\xAC \xC5\x92 \xC5\xB8 \xE2\x84\xA2", "\x80 \x8C \x9F \x99"},  // euro, OE, Y diaeresis, trade mark
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},                                        // the first and last Latin-1 characters
      {"M\xE2\x9C\x93rz",
       "M\xFE"
       "rz"},                        // U+2713 check mark: not in the code page
      {"\xF0\x9F\x98\x80", "\xFE"},  // U+1F600, four bytes, one character
      {"\xC2\x81", "\xFE"},          // U+0081: the code page's 0x81 is no character
      {"M\xE4rz",
       "M\xFE"
       "rz"},                                    // Windows-1252 bytes are malformed UTF-8
      {"\xC0\xAF", "\xFE\xFE"},                  // overlong form of "/"
      {"\xED\xA0\x80", "\xFE\xFE\xFE"},          // a surrogate
      {"\xF4\x90\x80\x80", "\xFE\xFE\xFE\xFE"},  // beyond U+10FFFF
      {"M\xC3", "M\xFE"},                        // cut short by the terminator
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(to_cp1252(c.utf8), c.cp1252) << c.utf8;
}

TEST(HostTextConversion, Utf8ToWindows1252MarksATextCutByTheBuffer) {
  // 255 bytes fit; a longer text ends in thorn so that it cannot pass for its
  // first 255 characters (a leading number of 255 digits, say).
  EXPECT_EQ(to_cp1252(std::string(255, '7')), std::string(255, '7'));
  EXPECT_EQ(to_cp1252(std::string(256, '7')), std::string(254, '7').append(kThorn));
  std::string umlauts;
  for (int i = 0; i < 300; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(to_cp1252(umlauts), std::string(254, '\xE4').append(kThorn));
  EXPECT_EQ(to_cp1252("abc", 1), "");
}

TEST(HostTextConversion, Windows1252ToUtf8AgreesWithIconv) {
  // independent: the C library's own Windows-1252 converter, byte by byte
  iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  for (int b = 1; b < 256; ++b) {
    char in[2] = {static_cast<char>(b), '\0'};
    char out[8] = {};
    char* in_p = in;
    size_t in_left = 1;
    char* out_p = out;
    size_t out_left = sizeof out;
    const bool defined = iconv(cd, &in_p, &in_left, &out_p, &out_left) != static_cast<size_t>(-1);
    const std::string ours = to_utf8(in);
    if (defined) {
      EXPECT_EQ(ours, std::string(out, sizeof out - out_left)) << "byte " << b;
      EXPECT_EQ(to_cp1252(ours), in) << "byte " << b << " back";
    } else {
      EXPECT_EQ(ours, "\xEF\xBF\xBD") << "byte " << b;  // U+FFFD for the five undefined bytes
    }
  }
  iconv_close(cd);
}

TEST(HostTextConversion, Windows1252ToUtf8CutsAtACharacterBoundary) {
  struct Case {
    std::string cp1252;
    size_t want_bytes;
  };
  // independent: UTF-8 lengths 1 (ASCII), 2 (U+00E4), 3 (U+20AC); 255 bytes + terminator at most
  const Case cases[] = {
      {std::string(255, 'a'), 255},
      {std::string(200, '\xE4'), 254},                 // 127 characters; the 128th would need bytes 255 and 256
      {std::string(100, '\x80'), 255},                 // 85 euro signs
      {std::string(1, 'a').append(100, '\x80'), 253},  // 1 + 84 * 3; the 85th euro would end on byte 256
  };
  for (const Case& c : cases) {
    const std::string out = to_utf8(c.cp1252);
    EXPECT_EQ(out.size(), c.want_bytes);
    EXPECT_EQ(to_cp1252(out).find(kThorn), std::string::npos) << "the cut split a character";
  }
}

TEST_F(HostTextTest, PlainCHostFollowsTheEnvironment) {
  // The test program never sets its locale: it runs in the plain C locale.
  struct Case {
    const char* lc_all;
    const char* lc_ctype;
    const char* lang;
    bool utf8;
  };
  // independent: POSIX precedence, the first of LC_ALL, LC_CTYPE, LANG that is set and non-empty
  const Case cases[] = {
      {nullptr, nullptr, nullptr, false},
      {nullptr, nullptr, "C.UTF-8", true},
      {nullptr, nullptr, "de_DE.ISO-8859-1", false},
      {"C", nullptr, "C.UTF-8", false},
      {nullptr, "en_US.UTF-8", "C", true},
      {"", "", "de_DE.UTF-8", true},
      {"de_DE.UTF-8", "C", "C", true},
      {nullptr, "de_DE@euro", "C.UTF-8", false},
  };
  for (const Case& c : cases) {
    const std::pair<const char*, const char*> settings[] = {
        {"LC_ALL", c.lc_all}, {"LC_CTYPE", c.lc_ctype}, {"LANG", c.lang}};
    for (const auto& [name, value] : settings) {
      if (value != nullptr) {
        env_.set(name, value);
      } else {
        env_.unset(name);
      }
    }
    unsigned short count = 0;
    GetFunctionCount(&count);
    EXPECT_EQ(host_text_is_utf8(), c.utf8)
        << (c.lc_all ? c.lc_all : "-") << " / " << (c.lc_ctype ? c.lc_ctype : "-") << " / " << (c.lang ? c.lang : "-");
  }
}

TEST_F(HostTextTest, HostLocaleDecidesOverTheEnvironment) {
  // A thread locale of the host (uselocale) is read as it is, whatever LANG says.
  // C.UTF-8 is the UTF-8 locale that every glibc system has.
  env_.unset("LANG");
  const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  ASSERT_NE(utf8, static_cast<locale_t>(nullptr));
  const locale_t previous = uselocale(utf8);
  detect_host_charset();
  EXPECT_TRUE(host_text_is_utf8()) << "thread locale C.UTF-8, LANG unset";
  uselocale(previous);
  freelocale(utf8);

  // The global locale set by the host program, as LibreOffice and the host tool do.
  ASSERT_NE(setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
  detect_host_charset();
  EXPECT_TRUE(host_text_is_utf8()) << "global locale C.UTF-8";
  setlocale(LC_CTYPE, "C");
  detect_host_charset();
  EXPECT_FALSE(host_text_is_utf8()) << "global locale back to C";
}

TEST_F(HostTextTest, RegistrationTextsInBothModes) {
  const struct {
    bool utf8;
    const char* display;      // SC_egyptian in German
    const char* description;  // its description
  } cases[] = {
      // the catalogue entries 16 and 17, in Windows-1252 and in UTF-8
      {false, "\xC4GYPTISCH", "Wandelt ein \xE4gyptisches Kalenderdatum in ein Datum um."},
      {true, "\xC3\x84GYPTISCH", "Wandelt ein \xC3\xA4gyptisches Kalenderdatum in ein Datum um."},
  };
  for (const auto& c : cases) {
    set_host_text_utf8(c.utf8);
    const unsigned short number = 8;  // SC_egyptian
    char exported[VARIZAV_TEXT_SIZE];
    char display[VARIZAV_TEXT_SIZE];
    std::memset(display, 0x55, sizeof display);
    unsigned short slots = 0;
    int codes[8] = {};
    GetFunctionData(&number, exported, &slots, codes, display);
    EXPECT_STREQ(exported, "SC_egyptian");
    EXPECT_STREQ(display, c.display);
    for (size_t i = std::strlen(display); i < sizeof display; ++i) ASSERT_EQ(display[i], '\0') << i;
    char name[VARIZAV_TEXT_SIZE];
    char description[VARIZAV_TEXT_SIZE];
    const unsigned short slot = 0;
    GetParameterDescription(&number, &slot, name, description);
    EXPECT_STREQ(description, c.description);
  }
}

TEST_F(HostTextTest, WorksheetFunctionsReadUtf8Arguments) {
  struct Case {
    bool utf8;
    const char* calendar_or_month;
    double want;  // NaN: the error value
  };
  // independent: 1 March 2000 is serial 36526 + 31 + 29 = 36586
  const double nan = std::nan("");
  const Case cases[] = {
      {true, "M\xC3\xA4rz", 36586}, {true, "M\xC3\x84RZ", 36586}, {true, "m\xC3\xA4", 36586},
      {true, "M\xE4rz", nan},       {true, "M\xE2\x9C\x93", nan}, {true, "M\xE2\x9C\x93rz", nan},
      {false, "M\xE4rz", 36586},    {false, "M\xC3\xA4rz", nan},
  };
  for (const Case& c : cases) {
    set_host_text_utf8(c.utf8);
    double result = 0;
    const double year = 2000, day = 1;
    SC_gregorian(&result, &year, c.calendar_or_month, &day);
    if (std::isnan(c.want)) {
      EXPECT_TRUE(std::isnan(result)) << c.calendar_or_month << " (utf8 " << c.utf8 << "): " << result;
    } else {
      EXPECT_EQ(result, c.want) << c.calendar_or_month << " (utf8 " << c.utf8 << ")";
    }
  }
}

TEST_F(HostTextTest, EveryAreaTranscodesItsTextArguments) {
  set_host_text_utf8(true);
  double r = 0;
  const double y2024 = 2024, d45292 = 45292, d45382 = 45382, zero = 0, thirteen = 13;
  // independent: 5784 is year 8 of the 19-year cycle, a leap year
  SC_leapyear(&r,
              "j\xC3\xBC"
              "disch",
              "5784");
  EXPECT_EQ(r, 1);
  // independent: Easter 2024 is 31 March (serial 45382); Maundy Thursday three days before
  SC_holiday(&r, "gregorianisch", "Gr\xC3\xBCndonnerstag", "2024");
  EXPECT_EQ(r, 45379);
  SC_holiday2(&r, "gregorianisch", "Ostern", &d45292);
  EXPECT_EQ(r, 45382);
  // independent: 29 March 2024 is the last Friday of March (31 March is a Sunday)
  SC_event(&r, &zero, "Freitag", "M\xC3\xA4rz", &y2024);
  EXPECT_EQ(r, 45380);
  // independent: 13 March falls on a Wednesday in 2024, a Thursday in 2025, a Friday in 2026 (serial 46094)
  SC_when(&r, "gregorianisch", "", "Freitag", &thirteen, "M\xC3\xA4rz", &d45292);
  EXPECT_EQ(r, 46094);
  // independent: 31 March 2024 lies in the Hebrew year 5784 (from Tishri, September 2023)
  SC_leapyear2(&r,
               "J\xC3\x9C"
               "DISCH",
               &d45382);
  EXPECT_EQ(r, 1);
}

TEST_F(HostTextTest, TextResultsInBothModes) {
  const double date = 36586, text_mode = 1;  // 1 March 2000
  char out[VARIZAV_TEXT_SIZE];
  // the German month name of March, in each character set
  set_host_text_utf8(false);
  SC_calendar(out, "gregorianisch", &date, &text_mode);
  EXPECT_STREQ(out, "Mittwoch, 1 M\xE4rz 2000");
  set_host_text_utf8(true);
  SC_calendar(out, "gregorianisch", &date, &text_mode);
  EXPECT_STREQ(out, "Mittwoch, 1 M\xC3\xA4rz 2000");
  const double year = 2024;
  SC_chronology(out, "Sonntagsbuchstabe", &year);
  EXPECT_STREQ(out, "GF");  // independent: 2024 is a leap year beginning on a Monday
  SC_chronology(out, "\xE2\x9C\x93", &year);
  EXPECT_STREQ(out, "Err:502");  // a name of characters Windows-1252 lacks names no cycle
}

// The worksheet calls of the long-text table: one text argument each.
enum class TextArgument { gregorian_month, holiday_event, holiday_epoch, iso_day };

double call_with_text(TextArgument argument, const char* text) {
  double r = 0;
  const double y2000 = 2000, y2024 = 2024, one = 1;
  switch (argument) {
    case TextArgument::gregorian_month: SC_gregorian(&r, &y2000, text, &one); break;
    case TextArgument::holiday_event: SC_holiday(&r, "gregorian", text, "2024"); break;
    case TextArgument::holiday_epoch:
      SC_holiday(&r, "gregorian", "13", text);  // entry 13: Easter
      break;
    case TextArgument::iso_day: SC_iso8601(&r, &y2024, &one, text); break;
  }
  return r;
}

TEST_F(HostTextTest, LongTextsAreReadWholeWhateverTheirBytes) {
  struct Case {
    unsigned short language;
    TextArgument argument;
    std::string text;   // UTF-8
    const char* plain;  // the text that must read the same; null: the error value
  };
  using A = TextArgument;
  constexpr unsigned short de = 0x0407, en = 0x0409;
  const std::string b252(252, ' '), b300(300, ' '), nbsp = "\xC2\xA0", dots = " .";
  auto times = [](const std::string& unit, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += unit;
    return out;
  };
  // independent: the name lookup skips blanks and punctuation wherever they
  // stand, and a text with ignored characters behind an abbreviation selects
  // only a whole name ("Dec." selects nothing); the rest is the plain text.
  const Case cases[] = {
      {de, A::gregorian_month, "M\xC3\xA4rz" + b252, "M\xC3\xA4rz"},  // the text: 256 characters
      {de, A::gregorian_month, "Mai" + b300, "Mai"},                  // the ASCII text
      {de, A::gregorian_month, "M\xC3\xA4rz" + std::string(251, ' '), "M\xC3\xA4rz"},
      {de, A::gregorian_month, b300 + "M\xC3\xA4rz" + b300, "M\xC3\xA4rz"},
      {de, A::gregorian_month, "M\xC3\xA4rz" + std::string(100000, '\t'), "M\xC3\xA4rz"},
      {de, A::gregorian_month, "M\xC3\xA4rz" + times(nbsp, 300), "M\xC3\xA4rz"},
      {de, A::gregorian_month, "M" + b300 + "\xC3\xA4rz" + times(dots, 300), "M\xC3\xA4rz"},
      {de, A::gregorian_month, "M\xC3\xA4r" + b300, nullptr},
      {de, A::gregorian_month, "M\xC3\xA4rz" + times("x", 300), nullptr},
      {de, A::holiday_event, "Gr\xC3\xBCndonnerstag" + times(nbsp, 300), "Gr\xC3\xBCndonnerstag"},
      {en, A::gregorian_month, "March" + times(nbsp, 300), "March"},
      {en, A::holiday_event, "\xC3\x96sterreichischer Nationalfeiertag" + b300,
       "\xC3\x96sterreichischer Nationalfeiertag"},
      {en, A::holiday_event, "NewYearsD", "New Year's Day"},
      {en, A::holiday_event, "NewYearsD" + b300, nullptr},  // three ignored characters of the name before D
      {en, A::holiday_epoch, b300 + "2024" + b300 + "\xC3\xA4", "2024"},
      {en, A::iso_day, b300 + "3.5", "3.5"},
      {en, A::iso_day, "3.5" + times(nbsp, 300), "3.5"},
  };
  for (const bool utf8 : {true, false}) {
    for (const Case& c : cases) {
      SetLanguage(&c.language);
      set_host_text_utf8(utf8);
      // The same characters in the host's character set.
      std::string text = c.text;
      std::string plain = c.plain != nullptr ? c.plain : "";
      if (!utf8) {
        std::vector<char> out(text.size() + 1);
        utf8_to_cp1252(text.c_str(), out.data(), out.size());
        text = out.data();
        plain = to_cp1252(plain);
      }
      const double got = call_with_text(c.argument, text.c_str());
      const std::string what =
          c.text.substr(0, 40) + "... (" + std::to_string(c.text.size()) + " bytes, utf8 " + std::to_string(utf8) + ")";
      if (c.plain == nullptr) {
        EXPECT_TRUE(std::isnan(got)) << what << ": " << got;
        continue;
      }
      const double want = call_with_text(c.argument, plain.c_str());
      ASSERT_FALSE(std::isnan(want)) << c.plain;
      EXPECT_EQ(got, want) << what;
    }
  }
}

TEST_F(HostTextTest, ShortFormOfALongTextReadsAsTheWholeText) {
  // Random long texts of names, digits, signs, blanks and punctuation, read
  // by every reader of text arguments: whole (the Windows-1252 text itself)
  // and as HostText holds them, from a Windows-1252 and from a UTF-8 host.
  const char* const pieces[] = {"M",  "\xE4", "rz", "Mai", "Dez", "ember", "78", "18", "2024",
                                "0",  "9",    "e",  "-",   "+",   ".",     ",",  " ",  "\t",
                                "\n", "\xA0", "'",  "..",  " - ", "-..",   "+.", "x"};
  std::mt19937 random(22);
  int compared = 0;
  for (int i = 0; i < 10000; ++i) {
    std::string text;
    for (int k = 1 + static_cast<int>(random() % 10); k > 0; --k) {
      const char* piece = pieces[random() % std::size(pieces)];
      for (int r = random() % 3 == 0 ? 1 + static_cast<int>(random() % 300) : 1; r > 0; --r) text += piece;
    }
    if (text.size() < kHostTextSize) continue;
    std::string utf8;
    for (const unsigned char c : text) {  // the pieces are ASCII or Latin-1
      if (c < 0x80) {
        utf8 += static_cast<char>(c);
      } else {
        utf8 += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
      }
    }
    for (const bool host_utf8 : {false, true}) {
      set_host_text_utf8(host_utf8);
      const HostText held(host_utf8 ? utf8.c_str() : text.c_str());
      const std::string form = static_cast<const char*>(held);
      if (form.back() == static_cast<char>(kUnmappedCharacter)) continue;  // over 255 characters even so
      ++compared;
      const char* whole = text.c_str();
      for (const LanguageId language : {kLanguageGerman, kLanguageEnglish}) {
        set_current_language(language);
        ASSERT_EQ(keyword_lookup({form.c_str(), language}, gregorian_month_names),
                  keyword_lookup({whole, language}, gregorian_month_names))
            << text;
      }
      for (const Blanks blanks : {Blanks::spaces_and_tabs, Blanks::white_space}) {
        ASSERT_EQ(read_leading_integer(form.c_str(), blanks).wrapped, read_leading_integer(whole, blanks).wrapped)
            << text;
      }
      const ChineseYearText year = read_chinese_year(form.c_str()), whole_year = read_chinese_year(whole);
      ASSERT_EQ(year.found, whole_year.found) << text;
      ASSERT_EQ(year.year, whole_year.year) << text;
      // The whole text's number, when the reader's own 255-byte copy holds it.
      const size_t blanks = std::strspn(whole, " \t\n");
      if (blanks + std::strcspn(whole + blanks, " \t\n\xA0") < kTextCapacity - 1) {
        ASSERT_EQ(read_decimal_text(form.c_str()), read_decimal_text(whole)) << text;
      }
    }
  }
  EXPECT_GT(compared, 1000);
}

}  // namespace
}  // namespace varizav
