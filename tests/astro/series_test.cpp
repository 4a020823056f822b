#include "astro/series.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cfenv>
#include <cmath>
#include <limits>

#include "astro/astro_expect.h"

namespace varizav {
namespace {

using varizav::testing::near;

// Every expected value below is independent: std::cos / std::sin of the
// combined angle, one call per term.

TEST(MultipleAngles, AdditionTheoremsMatchDirectEvaluation) {
  struct Case {
    double x;
    double a;
    int32_t n;
  };
  const Case cases[] = {{0.7, 1.0, 63}, {-2.3, 1.0, 19}, {1234.5678, 1.0, 24}, {6.24, 0.9975, 3}, {0.3, 0.5, 8}};
  for (const Case& c : cases) {
    MultipleAngleTables tables;
    if (c.a == 1.0)
      fill_multiples(tables, c.x, 4, c.n);
    else
      fill_scaled_multiples(tables, c.x, c.a, 4, c.n);
    for (int32_t m = -c.n; m <= c.n; ++m) {
      const double scale = std::pow(c.a, std::abs(m));
      const SinCos f = slot_multiple(tables, 4, m);
      // The recurrence loses about one rounding per step; m x itself is only
      // exact to half an ulp of its magnitude.
      const double tol = 5e-16 * (1.0 + 2.0 * std::abs(m) + std::fabs(m * c.x));
      EXPECT_TRUE(near(f.cos, scale * std::cos(m * c.x), tol)) << "x " << c.x << " m " << m;
      EXPECT_TRUE(near(f.sin, scale * std::sin(m * c.x), tol)) << "x " << c.x << " m " << m;
    }
  }
}

TEST(MultipleAngles, SlotsAreIndependent) {
  MultipleAngleTables tables;
  fill_multiples(tables, 0.4, 0, 5);
  fill_multiples(tables, 1.1, 11, 5);
  EXPECT_TRUE(near(tables.sin_multiples[0][5], std::sin(2.0), 1e-14));
  EXPECT_TRUE(near(tables.sin_multiples[11][5], std::sin(5.5), 1e-14));
}

TEST(SeriesSums, CombinationsAndTermSums) {
  const double x0 = 0.81, x1 = -1.7, x2 = 2.9, e = 0.99;
  MultipleAngleTables tables;
  fill_multiples(tables, x0, 0, 4);
  fill_scaled_multiples(tables, x1, e, 1, 3);
  fill_multiples(tables, x2, 2, 2);
  static constexpr std::array<std::array<int8_t, 3>, 4> kRows = {{{1, 0, 0}, {2, -1, 0}, {0, 3, -2}, {-4, 1, 2}}};
  std::array<SinCos, 4> combos;
  combine_arguments(tables, kRows, combos.data());
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const auto& m = kRows[i];
    const double theta = m[0] * x0 + m[1] * x1 + m[2] * x2;
    const double scale = std::pow(e, std::abs(m[1]));
    EXPECT_TRUE(near(combos[i].cos, scale * std::cos(theta), 1e-13)) << i;
    EXPECT_TRUE(near(combos[i].sin, scale * std::sin(theta), 1e-13)) << i;
  }

  static constexpr std::array<SineTerm<3>, 3> kSine = {{{{1, 0, 0}, 700}, {{0, -2, 1}, -35}, {{3, 1, -2}, 12}}};
  double want = 0.0;
  for (const auto& t : kSine)
    want += t.c * std::pow(e, std::abs(t.m[1])) * std::sin(t.m[0] * x0 + t.m[1] * x1 + t.m[2] * x2);
  EXPECT_TRUE(near(sum_sine_series(tables, kSine, 1e-10), 1e-10 * want, 1e-22));

  static constexpr std::array<SineCosineTerm<3>, 2> kSineCosine = {{{{0, 1, 1}, 5, -7}, {{2, 0, -1}, -3, 11}}};
  double want_sin = 0.0, want_cos = 0.0;
  for (const auto& t : kSineCosine) {
    const double theta = t.m[0] * x0 + t.m[1] * x1 + t.m[2] * x2;
    const double scale = std::pow(e, std::abs(t.m[1]));
    want_sin += t.cs * scale * std::sin(theta);
    want_cos += t.cc * scale * std::cos(theta);
  }
  const SinCos got = sum_sine_cosine_series(tables, kSineCosine, 2.0);
  EXPECT_TRUE(near(got.sin, 2.0 * want_sin, 1e-12));
  EXPECT_TRUE(near(got.cos, 2.0 * want_cos, 1e-12));

  const std::array<CombinedTerm, 3> kCombined = {{{0.5, -0.25, 2}, {1.5, 2.0, 0}, {-1.0, 0.0, 3}}};
  double want_combined = 0.0;
  for (const CombinedTerm& t : kCombined) want_combined += t.a * combos[t.i].cos + t.b * combos[t.i].sin;
  EXPECT_TRUE(near(sum_combined_series(kCombined, combos.data()), want_combined, 1e-14));
}

TEST(SphericalToRectangular, Axes) {
  // Independent: the unit vectors by hand.
  struct Case {
    Spherical in;
    Rectangular want;
  };
  const double half_pi = 1.5707963267948966;
  const Case cases[] = {
      {{2.0, 0.0, 0.0}, {2.0, 0.0, 0.0}},
      {{1.0, half_pi, 0.0}, {0.0, 1.0, 0.0}},
      {{3.0, 0.3, half_pi}, {0.0, 0.0, 3.0}},
      {{1.0, 0.5 * half_pi, 0.5 * half_pi}, {0.5, 0.5, 0.70710678118654752}},
  };
  for (const Case& c : cases) {
    const Rectangular got = spherical_to_rectangular(c.in);
    EXPECT_TRUE(near(got.x, c.want.x, 1e-15));
    EXPECT_TRUE(near(got.y, c.want.y, 1e-15));
    EXPECT_TRUE(near(got.z, c.want.z, 1e-15));
  }
}

constexpr double kHuge[] = {1e300, 1e300};  // 1e300 + 1e300 x overflows for x = 1e300

TEST(FaultPath, RecordsErrnoAndClearsFlags) {
  struct Case {
    const char* what;
    double (*run)();
    int want_errno;  // 0: no fault, errno untouched
  };
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"sincos(inf): invalid", [] { return sincos(kInf).cos; }, EDOM},
      {"poly_eval: overflow", [] { return poly_eval(1e300, 1, kHuge); }, ERANGE},
      {"frac(inf): inf - inf", [] { return frac(kInf); }, EDOM},
      {"spherical_to_rectangular: inf * sin 0",
       [] {
         return spherical_to_rectangular({kInf, 0.0, 0.0}).z;
       },
       EDOM},
      {"sincos(NaN): passes through", [] { return sincos(std::nan("")).sin; }, 0},
      {"poly_eval(inf): no new fault", [] { return poly_eval(kInf, 1, kHuge); }, 0},
  };
  for (const Case& c : cases) {
    std::feclearexcept(FE_ALL_EXCEPT);
    errno = 0;
    const double r = c.run();
    EXPECT_FALSE(std::isfinite(r)) << c.what;
    EXPECT_EQ(errno, c.want_errno) << c.what;
    EXPECT_EQ(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW), 0) << c.what;
  }
}

}  // namespace
}  // namespace varizav
