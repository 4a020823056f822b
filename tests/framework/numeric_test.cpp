#include "framework/numeric.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/date.h"

namespace varizav {
namespace {

TEST(FloorDiv, RemainderTakesDivisorSign) {
  // Independent: floor division by hand (quotient toward minus infinity).
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
  EXPECT_DOUBLE_EQ(small.cos, 0.8775825618903728);  // independent: mpmath
  EXPECT_DOUBLE_EQ(small.sin, 0.479425538604203);
  const SinCos huge = sincos(1e300);
  EXPECT_TRUE(std::isfinite(huge.cos));
  EXPECT_NEAR(huge.cos * huge.cos + huge.sin * huge.sin, 1.0, 1e-12);
}

// Distance in units in the last place between two finite doubles of one sign.
int64_t ulps_apart(double a, double b) {
  const int64_t ia = std::bit_cast<int64_t>(a);
  const int64_t ib = std::bit_cast<int64_t>(b);
  return ia > ib ? ia - ib : ib - ia;
}

TEST(SinCos, WithinOneUlpOfTheExactValue) {
  struct Case {
    double x, sin, cos, tan;
  };
  // Independent: mpmath at 300 bits, rounded to the nearest double.
  const Case cases[] = {
      {1e-08, 1e-08, 1.0, 1e-08},
      {0.5, 0.479425538604203, 0.8775825618903728, 0.5463024898437905},
      {0.7853981633974483, 0.7071067811865475, 0.7071067811865476, 0.9999999999999999},
      {1.0, 0.8414709848078965, 0.5403023058681398, 1.5574077246549023},
      {2.0, 0.9092974268256817, -0.4161468365471424, -2.185039863261519},
      {3.141592653589793, 1.2246467991473532e-16, -1.0, -1.2246467991473532e-16},
      {4.0, -0.7568024953079282, -0.6536436208636119, 1.1578212823495775},
      {100.0, -0.5063656411097588, 0.8623188722876839, -0.5872139151569291},
      {12345.678, -0.7040813137533816, 0.7101193587160628, -0.9914971407432149},
      {17000000.0, 0.20317010136628907, 0.9791434572680409, 0.20749778784527095},
      {250000000.0, -0.9895997814927696, 0.143848088167562, -6.8794781640756355},
      {-0.75, -0.6816387600233341, 0.7316888688738209, -0.9315964599440725},
      {-5.5, 0.7055403255703919, 0.70866977429126, 0.995584052213885},
  };
  for (const Case& c : cases) {
    const SinCos f = sincos(c.x);
    EXPECT_LE(ulps_apart(f.sin, c.sin), 1) << c.x;
    EXPECT_LE(ulps_apart(f.cos, c.cos), 1) << c.x;
    EXPECT_LE(ulps_apart(tangent(c.x), c.tan), 1) << c.x;
  }
}

TEST(SinCos, AgreesWithTheCLibraryOverASweep) {
  // Independent: the C library's sin, cos and tan, also within an ulp of the
  // exact value, so the two differ by at most one ulp (two for the tangent,
  // whose quotient form near odd multiples of pi/2 rounds twice).
#ifdef _WIN32
  GTEST_SKIP() << "the Windows C runtime's sine and cosine are not within an ulp";
#endif
  uint64_t state = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 200000; ++i) {
    state = state * 6364136223846793005u + 1442695040888963407u;
    const double x = std::ldexp(static_cast<double>(state >> 11), -53) * (i % 2 ? 2e7 : 8.0) - (i % 2 ? 1e7 : 4.0);
    const SinCos f = sincos(x);
    ASSERT_LE(ulps_apart(f.sin, std::sin(x)), 1) << x;
    ASSERT_LE(ulps_apart(f.cos, std::cos(x)), 1) << x;
    if (std::fabs(std::cos(x)) > 1e-3) {
      ASSERT_LE(ulps_apart(tangent(x), std::tan(x)), 2) << x;
    }
  }
}

TEST(SinCos, NanForNanAndInfinities) {
  for (const double x : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                         -std::numeric_limits<double>::infinity()}) {
    EXPECT_TRUE(std::isnan(sincos(x).sin));
    EXPECT_TRUE(std::isnan(sincos(x).cos));
    EXPECT_TRUE(std::isnan(tangent(x)));
  }
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
