#include "astro/moon.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <vector>

#include "astro/astro_expect.h"
#include "astro/moon_arguments.h"
#include "astro/moon_terms.h"

namespace varizav {
namespace {

using varizav::testing::near;

constexpr double jd_of(double t_centuries) { return t_centuries * 36525.0 + 2451545.0; }

// Four-decimal JulianDays: rounding plus a margin of a second.
constexpr double kFourDecimals = 0.00005 + 1.0 / 86400.0;

TEST(MoonEvents, KnownInstants) {
  enum Event { kPhase0, kPhase1, kPhase2, kPerigee, kApogee, kNorth, kAscending, kSolar, kLunar };
  struct Case {
    Event event;
    int32_t k;
    double jd_td, tol_days;
    const char* source;
  };
  // The variant differs from Meeus's own series (constant coefficients, every
  // term in M scaled by E), so his instants agree to within a minute or two.
  // Published times are UT; delta T in 2000 is 64 s.
  const Case cases[] = {
      {kPhase0, 0, 2451550.2602, kFourDecimals, "independent to the minute: USNO, new moon 6 January 2000 18:14 UT"},
      {kPhase2, 0, 2451564.6955, kFourDecimals, "independent to the minute: USNO, full moon 21 January 2000 04:40 UT"},
      {kPhase0, -283, 2443192.6512, kFourDecimals, "Meeus example 49.a: JDE 2443192.65118"},
      {kPerigee, 0, 2451563.4495, kFourDecimals, "worked example: perigee of January 2000"},
      {kApogee, 0, 2451575.5554, kFourDecimals, "worked example: apogee of January 2000"},
      {kLunar, 0, 2451564.6979, kFourDecimals, "independent to the minute: Espenak, lunar eclipse greatest 04:44 UT"},
      {kSolar, 1, 2451580.0352, kFourDecimals, "independent to the minute: Espenak, solar eclipse greatest 12:50 UT"},
      {kPhase0, -283, 2443192.65118, 0.0002, "independent: Meeus example 49.a"},
      {kApogee, -150, 2447442.3543, 0.001, "independent: Meeus example 50.a, apogee of October 1988"},
      {kAscending, -170, 2446938.76803, 0.001, "independent: Meeus example 51.a, node of May 1987"},
      {kNorth, -148, 2447518.3346, 0.001, "independent: Meeus example 52.a, December 1988"},
      {kSolar, -82, 2449129.0979, 0.001, "independent: Meeus example 54.a, eclipse of 21 May 1993"},
  };
  for (const Case& c : cases) {
    double t = NAN;
    switch (c.event) {
      case kPhase0: t = moon_phase(c.k, 0); break;
      case kPhase1: t = moon_phase(c.k, 1); break;
      case kPhase2: t = moon_phase(c.k, 2); break;
      case kPerigee: t = lunar_apsis(c.k, Apsis::perigee); break;
      case kApogee: t = lunar_apsis(c.k, Apsis::apogee); break;
      case kNorth: t = lunar_extreme(c.k, Declination::north); break;
      case kAscending: t = lunar_node(c.k, Node::ascending); break;
      case kSolar:
      case kLunar: {
        const Eclipse e = eclipse_at(c.k, c.event == kSolar ? EclipseType::solar : EclipseType::lunar);
        EXPECT_TRUE(e.found) << c.source;
        t = e.t_td;
        break;
      }
    }
    EXPECT_TRUE(near(jd_of(t), c.jd_td, c.tol_days)) << c.source;
  }
}

TEST(MoonEvents, LunationsWithoutEclipse) {
  // No eclipse at the new moon of 6 January 2000 nor at the full moon of 22
  // December 1999 (independent: Espenak's NASA eclipse catalogue). The new
  // moon passes the node too far (|gamma| about 1.80); the full moon is
  // stopped by the |sin F| test and has no instant.
  EXPECT_FALSE(eclipse_at(0, EclipseType::solar).found);
  const Eclipse far = eclipse_at(-1, EclipseType::lunar);
  EXPECT_FALSE(far.found);
  EXPECT_TRUE(std::isnan(far.t_td));
}

TEST(MoonPhase, PhaseNumbersBeyondOneLunation) {
  // Phase p is phase p mod 4 of lunation k + floor(p / 4).
  const struct {
    int32_t k, phase, same_k, same_phase;
  } cases[] = {{0, 4, 1, 0}, {0, 6, 1, 2}, {5, -1, 4, 3}, {-3, -8, -5, 0}, {0, 7, 1, 3}};
  for (const auto& c : cases) {
    EXPECT_EQ(moon_phase(c.k, c.phase), moon_phase(c.same_k, c.same_phase)) << c.k << " " << c.phase;
  }
}

// Independent second method for the phases: one sine per term, the Sun's
// mean anomaly scaled by E^|m| explicitly.
double moon_phase_term_by_term(int32_t k, int32_t phase) {
  using namespace moon_detail;
  const double t0 = horner(kLunation, k + 0.25 * phase);
  const double e = eccentricity_factor(t0);
  const double mp = moon_mean_anomaly(t0), m = sun_mean_anomaly(t0), f = argument_of_latitude(t0);
  auto term = [&](int32_t a, int32_t b, int32_t c) {
    return std::pow(e, std::abs(b)) * std::sin(a * mp + b * m + c * f);
  };
  auto cterm = [&](int32_t a, int32_t b, int32_t c) {
    return std::pow(e, std::abs(b)) * std::cos(a * mp + b * m + c * f);
  };
  double s = 0.0;
  for (const PhaseTerm& row : kPhaseTerms) s += row.c[static_cast<size_t>(phase)] * term(row.m[0], row.m[1], row.m[2]);
  for (const PhaseExtraTerm& row : kPhaseExtraTerms) s += row.c * std::sin(double{row.phi} + double{row.nu} * t0);
  s -= 4654.0 * std::sin(ascending_node(t0));
  const double w = 8.3778e-08 - 1.0404e-08 * cterm(0, 1, 0) + 7.118e-09 * cterm(1, 0, 0) +
                   5.48e-10 * (cterm(0, 0, 2) - cterm(1, -1, 0) + cterm(1, 1, 0));
  return t0 + 1e-12 * s + (phase == 1 ? w : phase == 3 ? -w : 0.0);
}

TEST(MoonPhase, AgreesWithTermByTermSum) {
  // Remote lunations too, where E is far from 1 (E = 1.2 at k = -100000).
  for (int32_t k : {-100000, -283, 0, 1, 30000, 100000}) {
    for (int32_t phase = 0; phase < 4; ++phase) {
      EXPECT_TRUE(near(moon_phase(k, phase), moon_phase_term_by_term(k, phase), 1e-12)) << k << " " << phase;
    }
  }
}

TEST(MoonEvents, CyclesFollowEachOtherInOrder) {
  // Independent: the synodic, anomalistic, draconic and tropical months and
  // the spread of single intervals about them (days).
  constexpr double kDay = 1.0 / 36525.0;
  double previous_phase = moon_phase(-30001, 3);
  for (int32_t k = -30000; k <= 30000; k += 37) {
    for (int32_t phase = 0; phase < 4; ++phase) {
      const double t = moon_phase(k, phase);
      if (phase == 0) previous_phase = moon_phase(k - 1, 3);
      const double gap = (t - previous_phase) / kDay;  // quarter intervals 6.5-8.3 days
      ASSERT_GT(gap, 6.0) << k << " " << phase;
      ASSERT_LT(gap, 9.0) << k << " " << phase;
      previous_phase = t;
    }
    const double perigee = lunar_apsis(k, Apsis::perigee);
    const double apogee = lunar_apsis(k, Apsis::apogee);
    const double next_perigee = lunar_apsis(k + 1, Apsis::perigee);
    ASSERT_LT(perigee, apogee) << k;
    ASSERT_LT(apogee, next_perigee) << k;
    ASSERT_GT((next_perigee - perigee) / kDay, 23.0) << k;  // 24.6-28.6 days
    ASSERT_LT((next_perigee - perigee) / kDay, 30.0) << k;
    ASSERT_LT(lunar_node(k, Node::ascending), lunar_node(k, Node::descending)) << k;
    ASSERT_LT(lunar_node(k, Node::descending), lunar_node(k + 1, Node::ascending)) << k;
    ASSERT_LT(lunar_extreme(k, Declination::north), lunar_extreme(k, Declination::south)) << k;
    ASSERT_LT(lunar_extreme(k, Declination::south), lunar_extreme(k + 1, Declination::north)) << k;
  }
}

TEST(MoonEvents, EclipsesOfTheYear2000) {
  // Independent: the eclipse canons list four partial solar eclipses in 2000
  // (5 February, 1 July, 31 July, 25 December) and two total lunar eclipses
  // (21 January, 16 July). Lunations 0-12 cover the year and more.
  constexpr double kYear2001 = 2451910.5;
  std::vector<double> solar, lunar;
  for (int32_t k = 0; k <= 12; ++k) {
    const Eclipse s = eclipse_at(k, EclipseType::solar);
    if (s.found && jd_of(s.t_td) < kYear2001) solar.push_back(jd_of(s.t_td));
    const Eclipse l = eclipse_at(k, EclipseType::lunar);
    if (l.found && jd_of(l.t_td) < kYear2001) lunar.push_back(jd_of(l.t_td));
  }
  const std::vector<double> solar_days = {2451579.5, 2451726.5, 2451756.5, 2451903.5};  // 0h UT of each date
  const std::vector<double> lunar_days = {2451564.5, 2451741.5};
  ASSERT_EQ(solar.size(), solar_days.size());
  ASSERT_EQ(lunar.size(), lunar_days.size());
  for (size_t i = 0; i < solar.size(); ++i) EXPECT_EQ(std::floor(solar[i] - 0.5) + 0.5, solar_days[i]) << i;
  for (size_t i = 0; i < lunar.size(); ++i) EXPECT_EQ(std::floor(lunar[i] - 0.5) + 0.5, lunar_days[i]) << i;
}

// Every coefficient is a published value in days, with 5 decimals (phases),
// 6 (additional phase terms) or 4 (the others), divided by 36525 and rounded
// to the table's unit: a mistyped digit breaks that.
template <class Rows, class Coefficients>
void expect_whole_days(const Rows& rows, Coefficients coefficients, double unit, double quantum_days, double tol_days,
                       const char* table) {
  int row_number = 0;
  for (const auto& row : rows) {
    ++row_number;
    for (double c : coefficients(row)) {
      const double days = c * unit * 36525.0;
      EXPECT_TRUE(near(days, std::round(days / quantum_days) * quantum_days, tol_days))
          << table << " row " << row_number;
    }
  }
}

TEST(MoonTerms, TableIntegrity) {
  using namespace moon_detail;
  // Term counts of each series.
  EXPECT_EQ(kPhaseTerms.size(), 25u);
  EXPECT_EQ(kPhaseExtraTerms.size(), 14u);
  EXPECT_EQ(kPerigeeTerms.size(), 60u);
  EXPECT_EQ(kApogeeTerms.size(), 32u);
  EXPECT_EQ(kNodeTerms.size(), 19u);
  EXPECT_EQ(kExtremeTerms.size(), 31u);
  EXPECT_EQ(kEclipseTerms.size(), 14u);

  auto phase_columns = [](const PhaseTerm& r) { return std::vector<double>(r.c.begin(), r.c.end()); };
  auto extra_column = [](const PhaseExtraTerm& r) { return std::vector<double>{double(r.c)}; };
  auto sine_column = [](const SineTerm<3>& r) { return std::vector<double>{double(r.c)}; };
  auto extreme_columns = [](const ExtremeTerm& r) {
    return std::vector<double>{double(r.north_a), double(r.north_b), double(r.south_a), double(r.south_b)};
  };
  expect_whole_days(kPhaseTerms, phase_columns, 1e-12, 1e-5, 5e-8, "phases");
  expect_whole_days(kPhaseExtraTerms, extra_column, 1e-12, 1e-6, 5e-8, "additional");
  expect_whole_days(kPerigeeTerms, sine_column, 1e-10, 1e-4, 4e-6, "perigee");
  expect_whole_days(kApogeeTerms, sine_column, 1e-10, 1e-4, 4e-6, "apogee");
  expect_whole_days(kNodeTerms, sine_column, 1e-10, 1e-4, 4e-6, "nodes");
  expect_whole_days(kEclipseTerms, sine_column, 1e-10, 1e-4, 4e-6, "eclipses");
  expect_whole_days(kExtremeTerms, extreme_columns, 1e-10, 1e-4, 4e-6, "extremes");

  // Independent (Meeus, table 49.A): both quarters share one series, and the
  // new and full moon differ only in their first seven terms.
  for (size_t i = 0; i < kPhaseTerms.size(); ++i) {
    EXPECT_EQ(kPhaseTerms[i].c[1], kPhaseTerms[i].c[3]) << i;
    if (i >= 7) {
      EXPECT_EQ(kPhaseTerms[i].c[0], kPhaseTerms[i].c[2]) << i;
    }
  }

  // No argument appears twice in one series (a row copied over another).
  auto distinct = [](const auto& rows) {
    std::set<std::vector<int32_t>> seen;
    for (const auto& row : rows) seen.insert(std::vector<int32_t>(row.m.begin(), row.m.end()));
    return seen.size() == rows.size();
  };
  EXPECT_TRUE(distinct(kPhaseTerms));
  EXPECT_TRUE(distinct(kPerigeeTerms));
  EXPECT_TRUE(distinct(kApogeeTerms));
  EXPECT_TRUE(distinct(kNodeTerms));
  EXPECT_TRUE(distinct(kExtremeTerms));
  EXPECT_TRUE(distinct(kEclipseTerms));
}

}  // namespace
}  // namespace varizav
