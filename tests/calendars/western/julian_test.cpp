#include "calendars/western/julian.h"

#include <gtest/gtest.h>

#include "calendars/western/gregorian.h"
#include "calendars/western/western_test_support.h"
#include "framework/date.h"

namespace varizav {
namespace {

TEST(Julian, TheReformDaysAreConsecutive) {
  // Independent: the last Julian day, 4 October 1582, and the first
  // Gregorian day, 15 October, are consecutive.
  EXPECT_EQ(julian::to_jd(1582, 10, 4.0) + 1.0, gregorian::to_jd(1582, 10, 15.0));
  EXPECT_EQ(julian::to_jd(1582, 10, 4.0), 2299159.5);
}

TEST(JulianEaster, EverySundayInMarchOrAprilAndPeriodic) {
  // Independent: a Sunday between 22 March and 25 April (Julian), and the
  // Julian computus repeats after 532 = 19 * 28 years of 365.25 days.
  testing::expect_easter_sundays(easter_julian, julian::from_jd);
  for (int32_t y = -3000; y <= 3000; ++y) {
    ASSERT_EQ(easter_julian(y + 532) - easter_julian(y), 532 * 365.25) << y;
  }
}

TEST(JulianFormat, FullStopAfterTheDayInTheTextForm) {
  // Independent (Fliegel & Van Flandern): Gregorian 1 January 2000 is
  // Saturday, 19 December 1999 (Julian).
  const testing::FormatCase cases[] = {
      {2451544.5, 1, true, "Saturday, 19. December 1999"},
      {2451544.5, 1, false, "Samstag, 19. Dezember 1999"},
      {2451544.5, 0, false, "1999 12 19"},
      {2451544.75, -7, false, "1999 12 19.250000"},
  };
  testing::expect_format_cases(julian::format_date, cases);
}

}  // namespace
}  // namespace varizav
