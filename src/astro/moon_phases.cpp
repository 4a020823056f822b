// The Moon's principal phases and the eclipses at new and full moon (Meeus,
// Astronomical Algorithms, chapters 49 and 54), in Julian centuries of
// dynamical time from J2000.0.
#include <array>
#include <cmath>
#include <cstdint>

#include "astro/moon.h"
#include "astro/moon_arguments.h"
#include "astro/moon_terms.h"
#include "astro/series.h"
#include "framework/constants.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

using namespace moon_detail;

// Slots of the multiple-angle tables: the term tables list their multiples in
// this order (M', M, F).
constexpr int32_t kSlotMoonAnomaly = 0;  // M'
constexpr int32_t kSlotSunAnomaly = 1;   // M, scaled by E
constexpr int32_t kSlotLatitude = 2;     // F (F1 for the eclipses)

// Multiples loaded per slot for the phases.
constexpr int32_t kPhaseMoonAnomalyMultiples = 4;
constexpr int32_t kPhaseSunAnomalyMultiples = 3;
constexpr int32_t kPhaseLatitudeMultiples = 2;
static_assert(max_multiples(kPhaseTerms) ==
              std::array<int32_t, 3>{kPhaseMoonAnomalyMultiples, kPhaseSunAnomalyMultiples, kPhaseLatitudeMultiples});

constexpr int32_t kEclipseMoonAnomalyMultiples = 3;
constexpr int32_t kEclipseSunAnomalyMultiples = 2;
constexpr int32_t kEclipseLatitudeMultiples = 2;
static_assert(multiples_fit(kEclipseTerms,
                            {kEclipseMoonAnomalyMultiples, kEclipseSunAnomalyMultiples, kEclipseLatitudeMultiples}));

// (cos, sin) of mp M' + m M + f F from the loaded tables; terms in M carry
// E^|m|.
SinCos angle(const MultipleAngleTables& tables, int32_t mp, int32_t m, int32_t f) noexcept {
  return series_detail::combined_angle(tables, std::array<int32_t, 3>{mp, m, f});
}

}  // namespace

double moon_phase(int32_t k, int32_t phase) noexcept {
  // The coefficient column is the phase within its lunation; the mean instant
  // takes the phase number as given, so phase 4 is the next new moon.
  const auto column = static_cast<std::size_t>(mod_floor(phase, 4));  // [0, 3]
  const double x = static_cast<double>(k) + 0.25 * static_cast<double>(phase);
  const double t0 = horner(kLunation, x);

  const double e = eccentricity_factor(t0);
  MultipleAngleTables tables;  // filled here, read below
  fill_multiples(tables, moon_mean_anomaly(t0), kSlotMoonAnomaly, kPhaseMoonAnomalyMultiples);
  fill_scaled_multiples(tables, sun_mean_anomaly(t0), e, kSlotSunAnomaly, kPhaseSunAnomalyMultiples);
  fill_multiples(tables, argument_of_latitude(t0), kSlotLatitude, kPhaseLatitudeMultiples);

  double s = 0.0;  // 1e-12 centuries
  for (const PhaseTerm& row : kPhaseTerms) {
    s += row.c[column] * series_detail::combined_angle(tables, row.m).sin;
  }
  for (const PhaseExtraTerm& row : kPhaseExtraTerms) {
    s += row.c * sincos(static_cast<double>(row.phi) + static_cast<double>(row.nu) * t0).sin;
  }
  s -= 4654.0 * sincos(ascending_node(t0)).sin;
  double t = t0 + 1e-12 * s;

  if (column == 1 || column == 3) {
    // Quarter correction W (centuries): 0.00306 - 0.00038 E cos M + 0.00026
    // cos M' + 0.00002 (cos 2F - E cos(M' - M) + E cos(M' + M)) days.
    const double w = 8.3778e-08 - 1.0404e-08 * angle(tables, 0, 1, 0).cos + 7.118e-09 * angle(tables, 1, 0, 0).cos +
                     5.48e-10 * (angle(tables, 0, 0, 2).cos - angle(tables, 1, -1, 0).cos + angle(tables, 1, 1, 0).cos);
    t += column == 1 ? w : -w;
  }
  return t;
}

Eclipse eclipse_at(int32_t k, EclipseType type) noexcept {
  const bool lunar = type == EclipseType::lunar;
  const double x = static_cast<double>(k) + (lunar ? 0.5 : 0.0);
  const double t0 = horner(kLunation, x);  // mean new or full moon

  // Far from a node there is no eclipse (Meeus: |sin F| > 0.36).
  const double f = argument_of_latitude(t0);
  if (std::fabs(sincos(f).sin) > 0.36) return {false, kNaN};

  const double sin_node = sincos(ascending_node(t0)).sin;
  const double f1 = f - 0.00046513 * sin_node;  // 0.02665 degrees
  const double e = eccentricity_factor(t0);
  MultipleAngleTables tables;  // filled here, read below
  fill_multiples(tables, moon_mean_anomaly(t0), kSlotMoonAnomaly, kEclipseMoonAnomalyMultiples);
  fill_scaled_multiples(tables, sun_mean_anomaly(t0), e, kSlotSunAnomaly, kEclipseSunAnomalyMultiples);
  fill_multiples(tables, f1, kSlotLatitude, kEclipseLatitudeMultiples);

  const SinCos m1 = angle(tables, 0, 1, 0);           // E (cos M, sin M)
  const SinCos m2 = angle(tables, 0, 2, 0);           // E^2 (cos 2M, sin 2M)
  const SinCos mp1 = angle(tables, 1, 0, 0);          // M'
  const SinCos mp2 = angle(tables, 2, 0, 0);          // 2M'
  const SinCos mp_plus_m = angle(tables, 1, 1, 0);    // E, M' + M
  const SinCos mp_minus_m = angle(tables, 1, -1, 0);  // E, M' - M
  const SinCos f1_1 = angle(tables, 0, 0, 1);
  const SinCos f1_2 = angle(tables, 0, 0, 2);

  // Instant of greatest eclipse, in 1e-10 centuries from the mean phase; the
  // full moon's leading terms differ by 0.0010 sin M' and 0.0006 E sin M days.
  double s = 82.0 * sincos(5.23165 + 2.318633 * t0).sin - 55.0 * sin_node;
  if (lunar) s += 274.0 * mp1.sin + 164.0 * m1.sin;
  s += sum_sine_series(tables, kEclipseTerms, 1.0);
  const double t = t0 + 1e-10 * s;

  // gamma: least distance of the Moon's centre from the axis of the Earth's
  // shadow, in equatorial Earth radii; u: radius of the umbral cone.
  const double p = 0.207 * m1.sin + 0.0024 * m2.sin - 0.0392 * mp1.sin + 0.0116 * mp2.sin - 0.0073 * mp_plus_m.sin +
                   0.0067 * mp_minus_m.sin + 0.0118 * f1_2.sin;
  const double q =
      5.2207 - 0.0048 * m1.cos + 0.002 * m2.cos - 0.3299 * mp1.cos - 0.006 * mp_plus_m.cos + 0.0041 * mp_minus_m.cos;
  const double gamma = (p * f1_1.cos + q * f1_1.sin) * (1.0 - 0.0048 * std::fabs(f1_1.cos));
  const double u = 0.0059 + 0.0046 * m1.cos - 0.0182 * mp1.cos + 0.0004 * mp2.cos - 0.0005 * mp_plus_m.cos;

  // Solar: some eclipse is seen when the shadow cone meets the Earth;
  // lunar: the penumbral magnitude is positive.
  const bool found = lunar ? (1.5573 + u - std::fabs(gamma)) * 1.834861 > 0.0
                           : (1.5433 + u - std::fabs(gamma)) / (0.5461 + 2.0 * u) > 0.0;
  return {found, t};
}

}  // namespace varizav
