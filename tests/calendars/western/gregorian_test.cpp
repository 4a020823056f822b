#include "calendars/western/gregorian.h"

#include <gtest/gtest.h>

#include "calendars/western/western_test_support.h"
#include "framework/date.h"

namespace varizav {
namespace {

// Independent (Fliegel & Van Flandern): JDN 2451545 is Saturday 1 January 2000.
constexpr const char* kSaturday2000 = "independent: Saturday 1 January 2000";

TEST(Gregorian, DaysPastTheMonthsEndCountOn) {
  // Defined: a day past the month's end counts on; 30 February 2001 is 2 March 2001.
  EXPECT_EQ(gregorian::to_jd(2001, 2, 30.0), gregorian::to_jd(2001, 3, 2.0));
  EXPECT_NEAR(gregorian::to_jd(2001, 2, 31.99), gregorian::to_jd(2001, 3, 3.99), 1e-9);
}

// Easter Sunday by Knuth's algorithm (TAOCP vol. 1, 1.3.2 exercise 14, after
// Clavius), with floor division for negative years: independent of the
// computus in the code under test. Returns the day of March (32 = 1 April).
int64_t knuth_easter_march_day(int64_t y) {
  using testing::fdiv;
  using testing::fmod;
  const int64_t g = fmod(y, 19) + 1;
  const int64_t c = fdiv(y, 100) + 1;
  const int64_t x = fdiv(3 * c, 4) - 12;
  const int64_t z = fdiv(8 * c + 5, 25) - 5;
  const int64_t d = fdiv(5 * y, 4) - x - 10;
  int64_t e = fmod(11 * g + 20 + z - x, 30);
  if ((e == 25 && g > 11) || e == 24) ++e;
  int64_t n = 44 - e;
  if (n < 21) n += 30;
  return n + 7 - fmod(d + n, 7);
}

TEST(GregorianEaster, EverySundayInMarchOrAprilForYearsMinus3000To3000) {
  testing::expect_easter_sundays(easter_gregorian, gregorian::from_jd);
  for (int32_t y = -3000; y <= 3000; ++y) {
    ASSERT_EQ(easter_gregorian(y), gregorian::to_jd(y, 3, static_cast<double>(knuth_easter_march_day(y)))) << y;
  }
}

TEST(GregorianFormat, NumberModesAndTextInBothLanguages) {
  const testing::FormatCase cases[] = {
      {2451544.5, 0, true, "2000  1  1", kSaturday2000},
      {2451544.5, -1, true, "2000  1 1.000000", kSaturday2000},
      {2451544.5, 1, true, "Saturday, 1 January 2000", kSaturday2000},
      {2451544.5, 1, false, "Samstag, 1 Januar 2000", kSaturday2000},
      {2451604.75, 1, false, "Mittwoch, 1 M\xE4rz 2000", "independent: 1 March 2000 was a Wednesday, 6h"},
      {2451604.75, -1, false, "2000  3 1.250000", "independent: 06:00 is 0.25 day"},
      {1721119.5, 0, true, "   0  3  1", "independent: year 0 padded to four"},
      {1684594.5, 0, true, "-100  3  1", "independent: jdn_gregorian(-100, 3, 1)"},
      {-76715589.0, 0, true, "-214753 10  1", "independent: jdn_gregorian(-214753, 10, 1), noon"},
      {80156580.0, -1, true, "214749  2 28.500000", "independent: jdn_gregorian(214749, 2, 28), noon"},
  };
  testing::expect_format_cases(gregorian::format_date, cases);
}

}  // namespace
}  // namespace varizav
