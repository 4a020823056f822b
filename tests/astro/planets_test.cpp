#include "astro/planets.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/astro_expect.h"
#include "astro/planet_terms.h"

namespace varizav {
namespace {

using varizav::testing::near;

constexpr double kDay = 1.0 / 36525.0;  // centuries

double jd_to_t(double jd) { return (jd - 2451545.0) / 36525.0; }

struct PlanetSlot {
  Planet planet;
  int32_t slot;
  const char* name;
};
constexpr PlanetSlot kAllPhenomena[] = {
    {Planet::mercury, kInferiorConjunction, "Mercury inferior"},
    {Planet::mercury, kSuperiorConjunction, "Mercury superior"},
    {Planet::mercury, kEasternElongation, "Mercury east"},
    {Planet::mercury, kWesternElongation, "Mercury west"},
    {Planet::venus, kInferiorConjunction, "Venus inferior"},
    {Planet::venus, kSuperiorConjunction, "Venus superior"},
    {Planet::venus, kEasternElongation, "Venus east"},
    {Planet::venus, kWesternElongation, "Venus west"},
    {Planet::mars, kOpposition, "Mars opposition"},
    {Planet::mars, kConjunction, "Mars conjunction"},
    {Planet::jupiter, kOpposition, "Jupiter opposition"},
    {Planet::jupiter, kConjunction, "Jupiter conjunction"},
    {Planet::saturn, kOpposition, "Saturn opposition"},
    {Planet::saturn, kConjunction, "Saturn conjunction"},
    {Planet::uranus, kOpposition, "Uranus opposition"},
    {Planet::uranus, kConjunction, "Uranus conjunction"},
    {Planet::neptune, kOpposition, "Neptune opposition"},
    {Planet::neptune, kConjunction, "Neptune conjunction"},
};

TEST(PlanetCycles, JupiterCycleZero) {
  // The first Jupiter conjunction after J2000.0 is cycle 0, mean instant
  // 126.186 days after J2000.0; the opposition's mean instant lies 199.442
  // days later (Meeus, Astronomical Algorithms, table 36.A: JDE 2451671.186
  // and 2451870.628). The corrections move each by a few days.
  EXPECT_EQ(planet_cycle_estimate(Planet::jupiter, 0.0), 0);
  const PlanetPhenomena p = planet_cycle_phenomena(Planet::jupiter, 0);
  EXPECT_TRUE(near(p[kConjunction] / kDay, 126.186, 7.0));
  EXPECT_TRUE(near(p[kOpposition] / kDay, 126.186 + 199.442, 7.0));
  EXPECT_EQ(next_planet_event(Planet::jupiter, 0.0, kConjunction), p[kConjunction]);
  // Slots Jupiter does not produce.
  for (int32_t slot : {2, 3, 4, 5, 6, 7}) EXPECT_TRUE(std::isnan(p[slot])) << slot;
}

TEST(PlanetEvents, ObservedPhenomena) {
  // Independent: transits of Mercury and Venus (mid-transit, within an hour of
  // the inferior conjunction) and the opposition of Mars of 2003.
  struct Case {
    Planet planet;
    int32_t slot;
    double jd;  // UT; TD differs by about a minute
    const char* source;
  };
  const Case cases[] = {
      {Planet::mercury, kInferiorConjunction, 2449297.66, "transit of Mercury 1993-11-06 03:57"},
      {Planet::mercury, kInferiorConjunction, 2452766.83, "transit of Mercury 2003-05-07 07:52"},
      {Planet::mercury, kInferiorConjunction, 2457518.12, "transit of Mercury 2016-05-09 14:57"},
      {Planet::mercury, kInferiorConjunction, 2458799.14, "transit of Mercury 2019-11-11 15:20"},
      {Planet::venus, kInferiorConjunction, 2453164.86, "transit of Venus 2004-06-08 08:20"},
      {Planet::venus, kInferiorConjunction, 2456084.56, "transit of Venus 2012-06-06 01:29"},
      {Planet::mars, kOpposition, 2452880.25, "opposition of Mars 2003-08-28 17:56"},
  };
  for (const Case& c : cases) {
    const double got = next_planet_event(c.planet, jd_to_t(c.jd - 40.0), c.slot);
    EXPECT_TRUE(near(got, jd_to_t(c.jd), 0.2 * kDay)) << c.source;
  }
}

// Independent second method: the earliest phenomenon at or after t among
// the cycles around the estimate.
double earliest_by_brute_force(Planet planet, double t, int32_t slot) {
  const int32_t k0 = planet_cycle_estimate(planet, t);
  double best = std::numeric_limits<double>::infinity();
  for (int32_t k = k0 - 40; k <= k0 + 40; ++k) {
    const double candidate = planet_cycle_phenomena(planet, k)[slot];
    if (candidate >= t && candidate < best) best = candidate;
  }
  return best;
}

TEST(PlanetEvents, SearchProperties) {
  // Over +-700 centuries the sequence of instants of every phenomenon is
  // ordered; farther out the quadratic terms of the corrections take over.
  for (const PlanetSlot& ps : kAllPhenomena) {
    double previous = -std::numeric_limits<double>::infinity();
    for (double t = -700.0; t <= 700.0; t += 9.1731) {
      const double got = next_planet_event(ps.planet, t, ps.slot);
      ASSERT_GE(got, t) << ps.name << " " << t;
      ASSERT_EQ(got, earliest_by_brute_force(ps.planet, t, ps.slot)) << ps.name << " " << t;
      // An event exactly at the start is returned; just after it the next one.
      ASSERT_EQ(next_planet_event(ps.planet, got, ps.slot), got) << ps.name;
      const double next = next_planet_event(ps.planet, std::nextafter(got, 1e9), ps.slot);
      const double period = planet_terms::kPlanets[static_cast<int32_t>(ps.planet)].period;
      ASSERT_GT(next, got) << ps.name;
      ASSERT_TRUE(next - got > 0.4 * period && next - got < 1.6 * period) << ps.name << " " << t;
      ASSERT_GT(got, previous) << ps.name;
      previous = got;
    }
  }
}

TEST(PlanetEvents, EstimatePastTheAnswerIsNotSkipped) {
  // Saturn's opposition of cycle -18865 (about -17527) falls before the start
  // of the cycle the estimate gives (found by scanning the cycles).
  const double t = planet_cycle_phenomena(Planet::saturn, -18865)[kOpposition];
  ASSERT_EQ(planet_cycle_estimate(Planet::saturn, t), -18864);
  EXPECT_EQ(next_planet_event(Planet::saturn, t, kOpposition), t);
  EXPECT_EQ(next_planet_event(Planet::saturn, t - kDay, kOpposition), t);
}

TEST(PlanetEvents, InnerPlanetElongationsAroundInferiorConjunction) {
  // Within a cycle the eastern elongation precedes the inferior conjunction and
  // the western follows it; asked just after an inferior conjunction, the
  // eastern elongation is the next cycle's.
  for (Planet planet : {Planet::mercury, Planet::venus}) {
    for (int32_t k : {-5000, -1, 0, 7, 3000}) {
      const PlanetPhenomena p = planet_cycle_phenomena(planet, k);
      EXPECT_LT(p[kEasternElongation], p[kInferiorConjunction]);
      EXPECT_GT(p[kWesternElongation], p[kInferiorConjunction]);
      const PlanetPhenomena next = planet_cycle_phenomena(planet, k + 1);
      EXPECT_EQ(next_planet_event(planet, p[kInferiorConjunction] + kDay, kEasternElongation),
                next[kEasternElongation]);
    }
  }
}

TEST(PlanetEvents, InvalidInputEndsTheSearch) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    Planet planet;
    double t;
    int32_t slot;
  } cases[] = {
      {Planet::mars, 0.0, kInferiorConjunction},    // not produced for Mars
      {Planet::venus, 0.0, kOpposition},            // not produced for Venus
      {Planet::saturn, 0.0, 5},                     // never produced
      {Planet::jupiter, 0.0, -1},                   // out of range
      {Planet::jupiter, 0.0, 8},                    // out of range
      {Planet::saturn, std::nan(""), kOpposition},  // NaN start
      {Planet::saturn, inf, kOpposition},           // infinite start
      {Planet::mercury, -inf, kInferiorConjunction},
      {Planet::saturn, 1e12, kOpposition},         // beyond any cycle number: the bound ends it
      {static_cast<Planet>(7), 0.0, kOpposition},  // no such planet
      {static_cast<Planet>(-1), 0.0, kConjunction},
  };
  for (const auto& c : cases) EXPECT_TRUE(std::isnan(next_planet_event(c.planet, c.t, c.slot))) << c.t << " " << c.slot;
}

TEST(PlanetTerms, TableIntegrity) {
  using namespace planet_terms;
  // Stated series: one constant and the listed terms per phenomenon.
  struct Count {
    Planet planet;
    int32_t slot;
    std::size_t terms;
    std::size_t shared;
  };
  const Count counts[] = {
      {Planet::mercury, kSuperiorConjunction, 11, 0},
      {Planet::mercury, kInferiorConjunction, 11, 0},
      {Planet::mercury, kEasternElongation, 11, 0},
      {Planet::mercury, kWesternElongation, 11, 0},
      {Planet::venus, kSuperiorConjunction, 7, 0},
      {Planet::venus, kInferiorConjunction, 7, 0},
      {Planet::venus, kEasternElongation, 7, 0},
      {Planet::venus, kWesternElongation, 7, 0},
      {Planet::mars, kConjunction, 11, 0},
      {Planet::mars, kOpposition, 11, 0},
      {Planet::jupiter, kConjunction, 9, 0},
      {Planet::jupiter, kOpposition, 9, 0},
      {Planet::saturn, kConjunction, 7, 8},
      {Planet::saturn, kOpposition, 7, 8},
      {Planet::uranus, kConjunction, 8, 0},
      {Planet::uranus, kOpposition, 8, 0},
      {Planet::neptune, kConjunction, 7, 0},
      {Planet::neptune, kOpposition, 7, 0},
  };
  for (const Count& c : counts) {
    const PlanetTheory& theory = kPlanets[static_cast<int32_t>(c.planet)];
    const PhenomenonSeries* found = nullptr;
    for (const PhenomenonSeries& s : theory.phenomena)
      if (s.slot == c.slot) found = &s;
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->terms.size(), c.terms);
    EXPECT_EQ(found->shared_terms.size(), c.shared);
    // Only the second phenomenon (inferior conjunction, elongations, opposition)
    // starts from the second mean instant.
    EXPECT_EQ(found->at_second, c.slot != kSuperiorConjunction && c.slot != kConjunction);
    // Every factor is one the planet computes, with a multiple of M it loads.
    for (const auto* terms : {&found->terms, &found->shared_terms}) {
      for (const PhenomenonTerm& term : *terms) {
        switch (term.factor) {
          case Factor::one: EXPECT_EQ(term.multiple, 0); break;
          case Factor::sin_m:
          case Factor::cos_m:
            EXPECT_GE(term.multiple, 1);
            EXPECT_LE(term.multiple, theory.m_multiples);
            break;
          case Factor::sin_a:
          case Factor::cos_a:
            EXPECT_TRUE(theory.arguments == ArgumentSet::jupiter || theory.arguments == ArgumentSet::saturn);
            break;
          case Factor::sin_b:
          case Factor::cos_b:
          case Factor::sin_c:
          case Factor::cos_c:
          case Factor::sin_d:
          case Factor::cos_d: EXPECT_EQ(theory.arguments, ArgumentSet::saturn); break;
          case Factor::cos_e:
            EXPECT_TRUE(theory.arguments == ArgumentSet::uranus || theory.arguments == ArgumentSet::neptune);
            break;
          case Factor::cos_f: EXPECT_EQ(theory.arguments, ArgumentSet::uranus); break;
          case Factor::cos_g: EXPECT_EQ(theory.arguments, ArgumentSet::neptune); break;
        }
      }
    }
  }
  // Cycle constants: N = 1 / P and H = P / 2 (independent: the relations between the columns).
  for (const PlanetTheory& theory : kPlanets) {
    EXPECT_TRUE(near(theory.cycles_per_century * theory.period, 1.0, 1e-12));
    EXPECT_TRUE(near(2.0 * theory.half_period, theory.period, 4e-15));
    EXPECT_LT(theory.first_mean, theory.period);
  }
}

}  // namespace
}  // namespace varizav
