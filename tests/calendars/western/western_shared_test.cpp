// Date -> fields of the Gregorian and Julian calendars against a
// straightforward reference: Meeus's algorithm (Astronomical Algorithms, 2nd
// ed., ch. 7) with floor divisions, as the library computed it before the
// Euclidean affine form. Every day of +-10 million days around the epoch,
// a stride across the whole accepted range and the clamped extremes must give
// the same year, month and day, bit for bit with the time of day added.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

CalendarDate meeus_from_b(int64_t b, double fraction) {
  const int64_t q = floor_quot(20 * b - 2442, 7305);
  const int64_t d = b - floor_quot(1461 * q, 4);
  const int64_t e = floor_quot(10000 * d, 306001);
  const double day =
      fraction + static_cast<double>(d - static_cast<int64_t>(std::floor(30.6001 * static_cast<double>(e))));
  const int64_t month = e <= 13 ? e - 1 : e - 13;
  const int64_t year = month <= 2 ? q - 4715 : q - 4716;
  return {clamp_year(year), static_cast<int32_t>(month), day};
}

CalendarDate meeus_gregorian(int64_t z, double fraction) {
  const int64_t alpha = floor_quot(4 * z - 7468865, 146097);
  return meeus_from_b(z + alpha - floor_quot(alpha, 4) + 1525, fraction);
}

CalendarDate meeus_julian(int64_t z, double fraction) { return meeus_from_b(z + 1524, fraction); }

bool same(const CalendarDate& a, const CalendarDate& b) {
  return a.year == b.year && a.month == b.month && std::memcmp(&a.day, &b.day, sizeof a.day) == 0;
}

void expect_same(int64_t z, double fraction) {
  const CalendarDate g = western::gregorian_date_of_day(z, fraction);
  const CalendarDate gw = meeus_gregorian(z, fraction);
  ASSERT_TRUE(same(g, gw)) << "Gregorian day " << z << ": got " << g.year << "-" << g.month << "-" << g.day << " want "
                           << gw.year << "-" << gw.month << "-" << gw.day;
  const CalendarDate j = western::julian_date_of_day(z, fraction);
  const CalendarDate jw = meeus_julian(z, fraction);
  ASSERT_TRUE(same(j, jw)) << "Julian day " << z << ": got " << j.year << "-" << j.month << "-" << j.day << " want "
                           << jw.year << "-" << jw.month << "-" << jw.day;
}

TEST(WesternDateOfDay, EveryDayOfTwentyMillionAroundTheEpoch) {
  constexpr int64_t kJ2000DayNumber = 2451545;
  for (int64_t z = kJ2000DayNumber - 10000000; z <= kJ2000DayNumber + 10000000; ++z) expect_same(z, 0.0);
}

TEST(WesternDateOfDay, StrideAcrossTheAcceptedRangeAndItsLimits) {
  constexpr int64_t kLimit = int64_t{1} << 40;  // split_day clamps day numbers here
  // A stride prime to both cycles reaches every position within them.
  for (int64_t z = -kLimit; z <= kLimit; z += 1000003) expect_same(z, 0.25);
  for (const int64_t z : {-kLimit, -kLimit + 1, kLimit - 1, kLimit, int64_t{0}, int64_t{-1}, int64_t{1721119},
                          int64_t{1721120}, int64_t{1721118}}) {
    expect_same(z, 0.0);
    expect_same(z, 0.999999999);
    expect_same(z, std::nan(""));
  }
}

TEST(WesternDateOfDay, KnownDates) {
  struct Case {
    double jd;
    CalendarDate gregorian;
    CalendarDate julian;
    const char* source;
  };
  const Case cases[] = {
      {2451544.5, {2000, 1, 1.0}, {1999, 12, 19.0}, "Meeus ex. 7.a/7.c: J2000 day, 13 days' difference"},
      {2299160.5, {1582, 10, 15.0}, {1582, 10, 5.0}, "the first Gregorian day"},
      {1721423.5, {0, 12, 30.0}, {1, 1, 1.0}, "Julian 1 January 1 (Meeus)"},
      {0.0, {-4713, 11, 24.5}, {-4712, 1, 1.5}, "the Julian Day epoch at noon"},
  };
  for (const Case& c : cases) {
    const CalendarDate g = gregorian::from_jd(c.jd);
    const CalendarDate j = julian::from_jd(c.jd);
    EXPECT_TRUE(same(g, c.gregorian)) << c.source << ": " << g.year << "-" << g.month << "-" << g.day;
    EXPECT_TRUE(same(j, c.julian)) << c.source << ": " << j.year << "-" << j.month << "-" << j.day;
  }
}

}  // namespace
}  // namespace varizav
