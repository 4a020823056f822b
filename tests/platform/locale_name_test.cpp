// Locale names as LANG and the LC_* variables give them, read the same way on
// every system.
#include "platform/locale_name.h"

#include <gtest/gtest.h>

#include <string>

namespace varizav::platform {
namespace {

TEST(LocaleName, Utf8Codeset) {
  struct Case {
    const char* name;
    bool utf8;
  };
  // independent: the locale name grammar language[_territory][.codeset][@modifier]
  const Case cases[] = {
      {"C.UTF-8", true},
      {"de_DE.utf8", true},
      {"en_US.UTF-8@euro", true},
      {"x.Utf_8", true},
      {"de_DE", false},
      {"de_DE@euro", false},
      {"en_US.CP1252", false},
      {"C", false},
      {"POSIX", false},
      {"", false},
      {"de_DE.ISO-8859-1", false},
      {"en.UTF-16", false},
      {"en.UTF-8x", false},
      {"en.utf", false},
      {"UTF-8", false},
      {"en.UTF-8.UTF-8", false},
  };
  for (const Case& c : cases) EXPECT_EQ(locale_name_is_utf8(c.name), c.utf8) << c.name;
  EXPECT_TRUE(codeset_is_utf8("UTF-8"));
  EXPECT_TRUE(codeset_is_utf8("utf8"));
  EXPECT_FALSE(codeset_is_utf8("ANSI_X3.4-1968"));
  EXPECT_FALSE(codeset_is_utf8(nullptr));
}

TEST(LocaleName, LanguageTag) {
  struct Case {
    const char* name;
    const char* tag;  // "" when the name has none
  };
  // independent: language[_territory][.codeset][@modifier] to BCP 47 language-territory
  const Case cases[] = {
      {"de_DE.UTF-8", "de-DE"},
      {"de_CH@euro", "de-CH"},
      {"fr", "fr"},
      {"en_US.ISO-8859-1", "en-US"},
      {"C", ""},
      {"POSIX", ""},
      {"", ""},
      {".UTF-8", ""},
  };
  for (const Case& c : cases) {
    char out[16];
    EXPECT_EQ(locale_name_language_tag(c.name, out, sizeof out), c.tag[0] != '\0') << c.name;
    EXPECT_STREQ(out, c.tag) << c.name;
  }
  char small[4];
  EXPECT_FALSE(locale_name_language_tag("de_DE", small, sizeof small)) << "does not fit";
  EXPECT_STREQ(small, "");
  EXPECT_FALSE(locale_name_language_tag(nullptr, small, sizeof small));
}

}  // namespace
}  // namespace varizav::platform
