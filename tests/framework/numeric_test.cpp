#include "framework/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "framework/date.h"

namespace varizav {
namespace {

TEST(FloorDiv, RemainderTakesDivisorSign) {
  // Worked examples of the numeric kit.
  struct Case {
    int64_t a, b, q, r;
  };
  const Case cases[] = {{-7, 3, -3, 2}, {7, -3, -3, -2}, {7, 3, 2, 1}, {-6, 3, -2, 0}, {-1, 12, -1, 11}};
  for (const Case& c : cases) {
    const FloorDiv d = floor_div(c.a, c.b);
    EXPECT_EQ(d.quot, c.q) << c.a << "/" << c.b;
    EXPECT_EQ(d.rem, c.r) << c.a << "/" << c.b;
  }
  EXPECT_EQ(mod_floor(-1, 12), 11);
  static_assert(floor_quot(-1, 4) == -1);
  static_assert(mod_floor(-8, 7) == 6);
}

TEST(Rounding, SaturatesInsteadOfOverflowing) {
  EXPECT_EQ(ifloor(-0.5), -1);
  EXPECT_EQ(itrunc(-0.5), 0);
  EXPECT_EQ(ifloor(1e300), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(itrunc(-1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(itrunc(std::nan("")), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ifloor(2147483647.5), 2147483647);
  EXPECT_FALSE(fits_i32(2147483648.0));
  EXPECT_TRUE(fits_i32(2147483647.9));
  EXPECT_TRUE(fits_i32(-2147483648.9));
  EXPECT_FALSE(fits_i32(std::nan("")));
}

TEST(Frac, KeepsSign) {
  EXPECT_DOUBLE_EQ(frac(-1.25), -0.25);
  EXPECT_DOUBLE_EQ(frac(2.75), 0.75);
}

TEST(PolyEval, HornerConstantFirst) {
  const double c[] = {1.0, -2.0, 3.0};  // 1 - 2x + 3x^2
  EXPECT_DOUBLE_EQ(poly_eval(2.0, 2, c), 9.0);
  EXPECT_DOUBLE_EQ(poly_eval(5.0, 0, c), 1.0);
}

TEST(SinCos, ReducesHugeArguments) {
  const SinCos small = sincos(0.5);
  EXPECT_DOUBLE_EQ(small.cos, std::cos(0.5));
  EXPECT_DOUBLE_EQ(small.sin, std::sin(0.5));
  const SinCos huge = sincos(1e300);
  EXPECT_TRUE(std::isfinite(huge.cos));
  EXPECT_NEAR(huge.cos * huge.cos + huge.sin * huge.sin, 1.0, 1e-12);
}

TEST(ErrorValue, IsTheSinglePrecisionQuietNanWidened) {
  const double e = error_value();
  uint64_t bits = 0;
  std::memcpy(&bits, &e, sizeof bits);
  EXPECT_EQ(bits, 0xFFF8000000000000ull);
  EXPECT_TRUE(std::isnan(e));
}

TEST(WeekdayIndex, MondayIsZero) {
  EXPECT_EQ(weekday_index(2451544.5), 5);  // 1 January 2000 was a Saturday
  EXPECT_EQ(weekday_index(-0.5), 0);       // JD 0 noon was a Monday
  EXPECT_EQ(weekday_index(-6999999.5), weekday_index(0.5));
}

}  // namespace
}  // namespace varizav

namespace varizav {
namespace {

TEST(FmodFloor, StaysBelowTheDivisor) {
  // Independent: a remainder just below zero must not round up to the divisor,
  // or a weekday index of 7 would follow.
  const double x = std::nextafter(-0.5, -1.0);
  EXPECT_LT(fmod_floor(x + 0.5, 7.0), 7.0);
  EXPECT_EQ(weekday_index(x), 6);
  EXPECT_EQ(fmod_floor(-1.0, 7.0), 6.0);
  EXPECT_EQ(fmod_floor(7.0, 7.0), 0.0);
}

}  // namespace
}  // namespace varizav
