// The Hebrew and Islamic date texts follow the host's language through
// SetLanguage, as the spreadsheet sets it.
#include <gtest/gtest.h>

#include "calendars/hebrew.h"
#include "calendars/islamic.h"
#include "framework/language.h"
#include "host/host_state.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

class SemiticLanguageTest : public testing::HostTest {
 protected:
  void TearDown() override {
    set_display_names_english(false);
    HostTest::TearDown();
  }
};

TEST_F(SemiticLanguageTest, SetLanguageSwitchesTheNameArrays) {
  struct Case {
    unsigned short language;
    const char* hebrew;
    const char* islamic;
    const char* source;
  };
  // 1 January 2000: 23 Tevet 5760 and 24 Ramadan 1420, a Saturday.
  const Case cases[] = {
      {0x0407, "Jom Schabath, 23 Tewet 5760", "Yaum es-Sabt, 24 Ramadan 1420", "German at start"},
      {0x0409, "yom shabbat, 23 Tevet 5760", "yaum as-sabt, 24 Ramadan 1420", "English"},
      {0x040C, "yom shabbat, 23 Tevet 5760", "yaum as-sabt, 24 Ramadan 1420", "French leaves the arrays"},
      {0x0407, "Jom Schabath, 23 Tewet 5760", "Yaum es-Sabt, 24 Ramadan 1420", "German again"},
  };
  const double date = 36526.0;
  const double text_mode = 1.0;
  for (const Case& c : cases) {
    SetLanguage(&c.language);
    char out[VARIZAV_TEXT_SIZE];
    // Calendar names are looked up in the current language.
    const bool german = c.language == 0x0407;
    SC_calendar(out,
                german ? "j\xFC"
                         "disch"
                       : "hebrew",
                &date, &text_mode);
    EXPECT_STREQ(out, c.hebrew) << c.source;
    SC_calendar(out, german ? "islamisch" : "islamic", &date, &text_mode);
    EXPECT_STREQ(out, c.islamic) << c.source;
  }
}

}  // namespace
}  // namespace varizav
