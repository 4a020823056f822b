#include "astro/sun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "astro/astro_expect.h"
#include "astro/sun_terms.h"

namespace varizav {
namespace {

using varizav::testing::near;

constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;
constexpr double kArcsecond = kDegree / 3600.0;

double reduced(double angle) { return std::fmod(std::fmod(angle, 2.0 * kPi) + 2.0 * kPi, 2.0 * kPi); }

TEST(SunPosition, KnownPositions) {
  struct Case {
    double t;  // Julian centuries TD from J2000.0
    double r_au, longitude_deg, latitude_arcsec;
    double tol_r_au, tol_longitude_deg, tol_latitude_arcsec;
    const char* source;
  };
  const Case cases[] = {
      {0.0, 0.98332738, 280.37779, 0.68, 5e-9, 5e-6, 0.005,
       "J2000.0; independent to 0.005 deg and 2e-5 AU: Meeus, ch. 25, low-accuracy Sun (280.382 deg, 0.98331 AU)"},
      // Meeus, Astronomical Algorithms, example 25.b (full VSOP87), 1992 October 13.0 TD:
      // R = 0.99760775 AU, geometric longitude 199.907372 deg, latitude +0.000179 deg.
      {(2448908.5 - 2451545.0) / 36525.0, 0.99760775, 199.907372, 0.000179 * 3600.0, 1e-6, 2e-4, 0.05,
       "independent: Meeus example 25.b"},
  };
  for (const Case& c : cases) {
    const SunPosition p = sun_position(c.t);
    EXPECT_TRUE(near(p.distance_au, c.r_au, c.tol_r_au)) << c.source;
    EXPECT_TRUE(near(reduced(p.longitude_rad) / kDegree, c.longitude_deg, c.tol_longitude_deg)) << c.source;
    EXPECT_TRUE(near(p.latitude_rad / kArcsecond, c.latitude_arcsec, c.tol_latitude_arcsec)) << c.source;
  }
  // The longitude is not reduced: it grows by 2 pi a year.
  EXPECT_GT(sun_position(0.0).longitude_rad, 4.0);
  EXPECT_GT(sun_position(1.0).longitude_rad, 600.0);
}

// Independent second method: one sine and cosine per term, the arguments
// formed from the rates directly.
SunPosition sun_position_term_by_term(double t) {
  using namespace sun_terms;
  const double tau = t * 0.1;
  auto theta = [&](int32_t i) {
    if (i <= kPlanetaryArguments) {
      double angle = 0.0;
      for (int j = 0; j < 5; ++j) angle += kPlanetaryCombinations[i - 1][j] * kPlanetSlots[j].rate * tau;
      return angle;
    }
    const double d = kRateD * tau, l = kRateL * tau, earth = kPlanetSlots[kEarthSlot].rate * tau;
    const double lunar[] = {d, l - d, d - earth, d + l, d + earth, kRateF * tau};
    return lunar[i - kPlanetaryArguments - 1];
  };
  auto coordinate = [&](const double* secular, int degree, const PowerSeries& series) {
    double value = 0.0;
    for (int p = 0; p <= degree; ++p) value += secular[p] * std::pow(tau, p);
    for (int p = 0; p < 6; ++p)
      for (const CombinedTerm& term : series[p])
        value += std::pow(tau, p) * (term.a * std::cos(theta(term.i)) + term.b * std::sin(theta(term.i)));
    return value;
  };
  return {coordinate(kRadiusSecular, 3, kRadiusSeries), coordinate(kLongitudeSecular, 5, kLongitudeSeries) + kPi,
          -coordinate(kLatitudeSecular, 1, kLatitudeSeries)};
}

TEST(SunPosition, MultipleAngleEvaluationMatchesTermByTerm) {
  for (double t = -20.0; t <= 20.0; t += 0.737) {
    const SunPosition got = sun_position(t);
    const SunPosition want = sun_position_term_by_term(t);
    EXPECT_TRUE(near(got.distance_au, want.distance_au, 1e-11)) << t;
    EXPECT_TRUE(near(got.longitude_rad, want.longitude_rad, 1e-9)) << t;
    EXPECT_TRUE(near(got.latitude_rad, want.latitude_rad, 1e-11)) << t;
  }
}

TEST(SunTerms, TableIntegrity) {
  using namespace sun_terms;
  // Stated term counts per power of tau: R 40/9/5/2/2/1, L 64/33/17/6/3/1, B 5/2.
  const std::size_t radius[] = {40, 9, 5, 2, 2, 1}, longitude[] = {64, 33, 17, 6, 3, 1},
                    latitude[] = {5, 2, 0, 0, 0, 0};
  std::size_t total = 0;
  for (int p = 0; p < 6; ++p) {
    EXPECT_EQ(kRadiusSeries[p].size(), radius[p]) << p;
    EXPECT_EQ(kLongitudeSeries[p].size(), longitude[p]) << p;
    EXPECT_EQ(kLatitudeSeries[p].size(), latitude[p]) << p;
    for (const PowerSeries* series : {&kRadiusSeries, &kLongitudeSeries, &kLatitudeSeries}) {
      std::set<int32_t> seen;
      for (const CombinedTerm& term : (*series)[p]) {
        EXPECT_GE(term.i, 1);
        EXPECT_LT(term.i, kArguments);
        EXPECT_TRUE(seen.insert(term.i).second) << "argument " << term.i << " twice in one power";
        ++total;
      }
    }
  }
  EXPECT_EQ(total, 190u);
  // Every multiple lies within what sun_position loads into the tables, and
  // each largest multiple is used.
  EXPECT_EQ(kPlanetaryCombinations.size(), 62u);
  for (int j = 0; j < 5; ++j) {
    int largest = 0;
    for (const auto& row : kPlanetaryCombinations) largest = std::max(largest, std::abs(int{row[j]}));
    EXPECT_EQ(largest, kPlanetSlots[j].max_multiple) << j;
  }
}

TEST(MeanObliquity, KnownValues) {
  struct Case {
    double t;
    double want_arcsec;  // obliquity minus 23 deg 26'
    double tol_arcsec;
    const char* source;
  };
  const Case cases[] = {
      {0.0, 21.448, 1e-4, "Meeus, Astronomical Algorithms, eq. 22.3 (Laskar): 23 deg 26' 21.448\""},
      {-0.127296372348, 27.407, 5e-4, "independent: Meeus example 22.a, 1987 April 10"},
  };
  for (const Case& c : cases) {
    const double arcsec = mean_obliquity_laskar(c.t) / kArcsecond - (23.0 * 3600.0 + 26.0 * 60.0);
    EXPECT_TRUE(near(arcsec, c.want_arcsec, c.tol_arcsec)) << c.source;
  }
  EXPECT_TRUE(near(mean_obliquity_laskar(0.0) / kDegree, 23.4392911, 5e-8));
}

TEST(EquationOfTime, Meeus28b) {
  // Independent: Meeus example 28.b, 1992 October 13.0 TD, Smart's formula:
  // E = 13 min 42.7 s (0.059825 rad).
  const double minutes = equation_of_time((2448908.5 - 2451545.0) / 36525.0) * 1440.0 / (2.0 * kPi);
  EXPECT_TRUE(near(minutes, 13.0 + 42.7 / 60.0, 0.2 / 60.0));
}

}  // namespace
}  // namespace varizav
