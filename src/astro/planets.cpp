// Planetary phenomena by mean cycles and periodic corrections (Meeus,
// Astronomical Algorithms, 2nd ed., ch. 36). Instants are Julian centuries of
// dynamical time from J2000.0; the published corrections are in days.
#include "astro/planets.h"

#include <array>
#include <cmath>
#include <limits>
#include <span>

#include "astro/planet_terms.h"
#include "astro/series.h"
#include "astro/time_scales.h"
#include "framework/constants.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

using namespace planet_terms;

// Sines and cosines of the arguments at one mean instant (radians).
struct Factors {
  std::array<double, 6> sin_m{};  // index: the multiple of M
  std::array<double, 6> cos_m{};
  SinCos a{}, b{}, c{}, d{}, e{}, f{}, g{};
};

// Bound on the cycles one search may examine. Within the accepted date range
// a search needs a handful; beyond it the quadratic terms of the corrections
// grow without limit and the sequence of instants loses its order.
constexpr int32_t kMaxSearchCycles = 1000;

constexpr bool is_planet(Planet planet) noexcept {
  return static_cast<int32_t>(planet) >= 0 && static_cast<int32_t>(planet) < kPlanetCount;
}

// Callers check is_planet first.
const PlanetTheory& theory_of(Planet planet) noexcept { return kPlanets[static_cast<int32_t>(planet)]; }

Factors factors_at(const PlanetTheory& theory, double t) noexcept {
  Factors f;
  // Sun's mean anomaly: 357.529101 deg + 35999.0502962 deg per century.
  const double m = 6.24005998414535 + 628.30195525973 * t;
  f.cos_m[0] = 1.0;
  if (theory.arguments == ArgumentSet::inner_or_mars) {
    MultipleAngleTables tables;
    fill_multiples(tables, m, 0, theory.m_multiples);
    for (int32_t k = 1; k <= theory.m_multiples; ++k) {
      f.cos_m[k] = tables.cos_multiples[0][k];
      f.sin_m[k] = tables.sin_multiples[0][k];
    }
    return f;
  }
  // Giant planets: one sine/cosine pair and the double- and triple-angle identities.
  const SinCos m1 = sincos(m);
  f.cos_m[1] = m1.cos;
  f.sin_m[1] = m1.sin;
  f.cos_m[2] = 2.0 * m1.cos * m1.cos - 1.0;
  f.sin_m[2] = 2.0 * m1.sin * m1.cos;
  f.cos_m[3] = m1.cos * (4.0 * m1.cos * m1.cos - 3.0);
  f.sin_m[3] = m1.sin * (3.0 - 4.0 * m1.sin * m1.sin);
  switch (theory.arguments) {
    case ArgumentSet::jupiter:
      f.a = sincos(1.444085423 + 0.7113962031 * t);  // 82.74 deg + 40.76 deg T
      break;
    case ArgumentSet::saturn:
      f.a = sincos(1.444085423 + 0.7113962031 * t);  // 82.74 deg + 40.76 deg T
      f.b = sincos(0.5211553146 + 20.61862165 * t);  // 29.86 deg + 1181.36 deg T
      f.c = sincos(0.2466150233 + 10.30931083 * t);  // 14.13 deg + 590.68 deg T
      f.d = sincos(3.84007342 + 22.04123952 * t);    // 220.02 deg + 1262.87 deg T
      break;
    case ArgumentSet::uranus:
      f.e = sincos(3.627317784 + 0.1485275193 * t);  // 207.83 deg + 8.51 deg T
      f.f = sincos(1.899616358 + 7.329684727 * t);   // 108.84 deg + 419.96 deg T
      break;
    case ArgumentSet::neptune:
      f.e = sincos(3.627317784 + 0.1485275193 * t);  // 207.83 deg + 8.51 deg T
      f.g = sincos(4.830024172 + 3.664842363 * t);   // 276.74 deg + 209.98 deg T
      break;
    case ArgumentSet::inner_or_mars: break;
  }
  return f;
}

double factor_value(const Factors& f, Factor factor, int32_t multiple) noexcept {
  switch (factor) {
    case Factor::one: return 1.0;
    case Factor::sin_m: return f.sin_m[multiple];
    case Factor::cos_m: return f.cos_m[multiple];
    case Factor::sin_a: return f.a.sin;
    case Factor::cos_a: return f.a.cos;
    case Factor::sin_b: return f.b.sin;
    case Factor::cos_b: return f.b.cos;
    case Factor::sin_c: return f.c.sin;
    case Factor::cos_c: return f.c.cos;
    case Factor::sin_d: return f.d.sin;
    case Factor::cos_d: return f.d.cos;
    case Factor::cos_e: return f.e.cos;
    case Factor::cos_f: return f.f.cos;
    case Factor::cos_g: return f.g.cos;
  }
  return 0.0;
}

// Sum of the correction terms at mean instant t, days.
double correction_days(std::span<const PhenomenonTerm> terms, const Factors& f, double t) noexcept {
  double sum = 0.0;
  for (const PhenomenonTerm& term : terms)
    sum += ((term.c2 * t + term.c1) * t + term.c0) * factor_value(f, term.factor, term.multiple);
  return sum;
}

double phenomenon_instant(const PhenomenonSeries& series, const Factors& f, double t_mean) noexcept {
  const double days = correction_days(series.terms, f, t_mean) + correction_days(series.shared_terms, f, t_mean);
  return t_mean + days * kDaysToCenturies;
}

const PhenomenonSeries* series_of(const PlanetTheory& theory, int32_t slot) noexcept {
  for (const PhenomenonSeries& series : theory.phenomena)
    if (series.slot == slot) return &series;
  return nullptr;
}

// The instant of one phenomenon of cycle k.
double cycle_phenomenon(const PlanetTheory& theory, const PhenomenonSeries& series, int32_t k) noexcept {
  const double t1 = theory.first_mean + k * theory.period;
  const double t_mean = series.at_second ? t1 + theory.half_period : t1;
  return phenomenon_instant(series, factors_at(theory, t_mean), t_mean);
}

}  // namespace

int32_t planet_cycle_estimate(Planet planet, double t_centuries_td) noexcept {
  if (!is_planet(planet)) return 0;
  return ifloor(t_centuries_td * theory_of(planet).cycles_per_century);
}

PlanetPhenomena planet_cycle_phenomena(Planet planet, int32_t k) noexcept {
  PlanetPhenomena out;
  out.fill(kNaN);
  if (!is_planet(planet)) return out;
  const PlanetTheory& theory = theory_of(planet);
  const double t1 = theory.first_mean + k * theory.period;
  const double t2 = t1 + theory.half_period;
  const Factors f1 = factors_at(theory, t1);
  const Factors f2 = factors_at(theory, t2);
  for (const PhenomenonSeries& series : theory.phenomena)
    out[series.slot] = series.at_second ? phenomenon_instant(series, f2, t2) : phenomenon_instant(series, f1, t1);
  return out;
}

double next_planet_event(Planet planet, double t_centuries_td, int32_t slot, int64_t* candidates) noexcept {
  const double t = t_centuries_td;
  if (!is_planet(planet)) return kNaN;
  const PlanetTheory& theory = theory_of(planet);
  const PhenomenonSeries* series = series_of(theory, slot);
  if (series == nullptr || !std::isfinite(t)) return kNaN;

  int32_t k = planet_cycle_estimate(planet, t);
  double candidate = cycle_phenomenon(theory, *series, k);
  int32_t examined = 1;
  const auto done = [&examined, candidates](double result) {
    if (candidates != nullptr) *candidates += examined;
    return result;
  };
  // The estimate can lie past the answer where the corrections exceed the
  // distance of the mean instant from the cycle start (far dates): step back
  // to a cycle before t first. A NaN candidate stops here and below.
  while (candidate >= t) {
    if (k == std::numeric_limits<int32_t>::min() || examined == kMaxSearchCycles) return done(kNaN);
    ++examined;
    candidate = cycle_phenomenon(theory, *series, --k);
  }
  while (candidate < t) {
    if (k == std::numeric_limits<int32_t>::max() || examined == kMaxSearchCycles) return done(kNaN);
    ++examined;
    candidate = cycle_phenomenon(theory, *series, ++k);
  }
  return done(candidate);
}

}  // namespace varizav
