// The holiday worksheet functions as the host calls them: texts in the host's
// character set and language, the time zone from the configuration.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "expect_error.h"
#include "framework/date.h"
#include "host/host_state.h"
#include "varizav/addin.h"
#include "worksheet_values.h"

namespace varizav {
namespace {

using testing::is_error_value;

using testing::holiday;
using testing::holiday2;

class HolidayExportsTest : public testing::HostTest {};

TEST_F(HolidayExportsTest, Calls) {
  // Serial 36526 is 1 January 2000 (independent: 36524 days from 30 December
  // 1899 plus the leap days); 23 April 2000 is day 113 of that year.
  struct Case {
    unsigned short language;
    bool utf8;
    const char* calendar;
    const char* event;
    const char* epoch;
    double want;
    const char* source;
  } const cases[] = {
      {0x0409, false, "gregorian", "Easter", "2000", 36526.0 + 113.0,
       "Meeus, Astronomical Algorithms, ch. 8: 23 April 2000"},
      {0x0407, false, "gregorianisch", "Ostern", "2000", 36526.0 + 113.0, "German names"},
      {0x0407, false, "gregorianisch", "Mari\xE4 Himmelfahrt", "2000", 36526.0 + 227.0, "independent: 15 August"},
      {0x0407, true, "gregorianisch", "Mari\xC3\xA4 Himmelfahrt", "2000", 36526.0 + 227.0, "the same in UTF-8"},
      {0x0409, false, "hebrew", "Passover", "5760", 36526.0 + 109.75,
       "independent: Gauss's Passover formula, 15 Nisan = 20 April 2000; 18:00 of the eve"},
      {0x0409, false, "hindu2", "New Year's Day", "5101", 2451650.75 - 2415018.5,
       "independent: 1 Mesha 5101 is 06:00 of 16 April 2000 (Reingold & Dershowitz's old Hindu rules)"},
  };
  for (const Case& c : cases) {
    reset_settings();
    SetLanguage(&c.language);
    set_host_text_utf8(c.utf8);
    EXPECT_EQ(holiday(c.calendar, c.event, c.epoch), c.want) << c.event << ": " << c.source;
  }
  reset_settings();
  EXPECT_TRUE(is_error_value(holiday("gregorian", "Easter", "")));
  EXPECT_TRUE(is_error_value(holiday("chinese", "New Year's Day", "78")));
  EXPECT_EQ(holiday2("gregorian", "Ostern", 36526.0 + 113.0), 36526.0 + 113.0);
  EXPECT_EQ(holiday2("gregorian", "Weihnachten", 36526.0 + 359.0), 36526.0 + 359.0);  // 25 December 2000 itself
  EXPECT_TRUE(is_error_value(holiday2("gregorian", "Ostern", NAN)));
  EXPECT_TRUE(is_error_value(holiday2("gregorian", "Ostern", 80156580.0 - 2415018.5 + 1.0)));
}

TEST_F(HolidayExportsTest, FullMoonInTheConfiguredZone) {
  // The first full moon of 2000 in Universal Time, then from half an hour
  // before it in the zone UT+1 that VARIZAV_TIMEZONE=-3600 sets: the same
  // instant one hour later on the clock (independent: local = UT + 1 h).
  // The host starts in German.
  unsigned short count = 0;
  GetFunctionCount(&count);
  const double ut = holiday2("astronomisch", "Vollmond", 36526.0);
  ASSERT_TRUE(std::isfinite(ut));
  env_.set("VARIZAV_TIMEZONE", "-3600");
  GetFunctionCount(&count);
  const double local = ut + 1.0 / 24.0;
  EXPECT_NEAR(holiday2("astronomisch", "Vollmond", local - 1.0 / 48.0), local, 1e-6);
  EXPECT_NEAR(holiday2("astronomisch", "Vollmond", std::floor(local)), local, 1e-6);
}

}  // namespace
}  // namespace varizav
