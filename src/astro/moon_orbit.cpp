// Perigee and apogee, the passages through the nodes and the greatest
// declinations of the Moon (Meeus, Astronomical Algorithms, chapters 50-52),
// in Julian centuries of dynamical time from J2000.0.
#include <array>
#include <cstdint>

#include "astro/moon.h"
#include "astro/moon_arguments.h"
#include "astro/moon_terms.h"
#include "astro/series.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

using namespace moon_detail;

// ---- Apsides: slots (D, M, F) ----
constexpr int32_t kApsisSlotElongation = 0;  // D
constexpr int32_t kApsisSlotSunAnomaly = 1;  // M, scaled by E
constexpr int32_t kApsisSlotLatitude = 2;    // F

constexpr int32_t kApsisElongationMultiples = 24;
constexpr int32_t kApsisSunAnomalyMultiples = 2;
constexpr int32_t kApsisLatitudeMultiples = 4;
constexpr std::array<int32_t, 3> kApsisMultiples = {kApsisElongationMultiples, kApsisSunAnomalyMultiples,
                                                    kApsisLatitudeMultiples};
static_assert(max_multiples(kPerigeeTerms) == kApsisMultiples);
static_assert(multiples_fit(kApogeeTerms, kApsisMultiples));

// ---- Nodes: slots (D, M', M) ----
constexpr int32_t kNodeSlotElongation = 0;   // D
constexpr int32_t kNodeSlotMoonAnomaly = 1;  // M'
constexpr int32_t kNodeSlotSunAnomaly = 2;   // M, scaled by E

constexpr int32_t kNodeElongationMultiples = 4;
constexpr int32_t kNodeMoonAnomalyMultiples = 2;
constexpr int32_t kNodeSunAnomalyMultiples = 2;
static_assert(max_multiples(kNodeTerms) ==
              std::array<int32_t, 3>{kNodeElongationMultiples, kNodeMoonAnomalyMultiples, kNodeSunAnomalyMultiples});

// ---- Declination extremes: slots (D, M, M', F) ----
constexpr int32_t kExtremeSlotElongation = 0;   // D
constexpr int32_t kExtremeSlotSunAnomaly = 1;   // M, scaled by E
constexpr int32_t kExtremeSlotMoonAnomaly = 2;  // M'
constexpr int32_t kExtremeSlotLatitude = 3;     // F

constexpr int32_t kExtremeElongationMultiples = 2;
constexpr int32_t kExtremeSunAnomalyMultiples = 2;
constexpr int32_t kExtremeMoonAnomalyMultiples = 3;
constexpr int32_t kExtremeLatitudeMultiples = 3;
static_assert(max_multiple<0>(kExtremeTerms) <= kExtremeElongationMultiples);
static_assert(max_multiple<1>(kExtremeTerms) <= kExtremeSunAnomalyMultiples);
static_assert(max_multiple<2>(kExtremeTerms) == kExtremeMoonAnomalyMultiples);
static_assert(max_multiple<3>(kExtremeTerms) == kExtremeLatitudeMultiples);

// The cycle polynomial at x = k (the event of cycle k) or at x = k + 0.5 (the
// opposite event, half a cycle later): the mean instant the periodic terms correct.
double mean_instant(const std::array<double, 5>& cycle, int32_t k, bool second_half) noexcept {
  return horner(cycle, static_cast<double>(k) + (second_half ? 0.5 : 0.0));
}

}  // namespace

double lunar_apsis(int32_t k, Apsis which) noexcept {
  const bool apogee = which == Apsis::apogee;
  const double t0 = mean_instant(kAnomalisticMonth, k, apogee);
  MultipleAngleTables tables;  // filled here, read below
  fill_multiples(tables, mean_elongation(t0), kApsisSlotElongation, kApsisElongationMultiples);
  fill_scaled_multiples(tables, sun_mean_anomaly(t0), eccentricity_factor(t0), kApsisSlotSunAnomaly,
                        kApsisSunAnomalyMultiples);
  fill_multiples(tables, argument_of_latitude(t0), kApsisSlotLatitude, kApsisLatitudeMultiples);
  const double s = apogee ? sum_sine_series(tables, kApogeeTerms, 1.0) : sum_sine_series(tables, kPerigeeTerms, 1.0);
  return t0 + 1e-10 * s;
}

double lunar_node(int32_t k, Node which) noexcept {
  const double t0 = mean_instant(kDraconicMonth, k, which == Node::descending);
  MultipleAngleTables tables;  // filled here, read below
  fill_multiples(tables, mean_elongation(t0), kNodeSlotElongation, kNodeElongationMultiples);
  fill_multiples(tables, moon_mean_anomaly(t0), kNodeSlotMoonAnomaly, kNodeMoonAnomalyMultiples);
  fill_scaled_multiples(tables, sun_mean_anomaly(t0), eccentricity_factor(t0), kNodeSlotSunAnomaly,
                        kNodeSunAnomalyMultiples);
  const double node = ascending_node(t0);
  // V and P: Meeus's slowly varying planetary terms of the node passages.
  const double v = 5.231624 + (2.31867 - 0.0001601 * t0) * t0;
  const double p = node + 4.760386 - 0.04014 * t0;
  const double s = sum_sine_series(tables, kNodeTerms, 1.0);
  // 0.0017 sin(Omega) + 0.0003 (sin V + sin P) days.
  return t0 + 4.6543e-08 * sincos(node).sin + 8.214e-09 * (sincos(v).sin + sincos(p).sin) + 1e-10 * s;
}

double lunar_extreme(int32_t k, Declination which) noexcept {
  const bool south = which == Declination::south;
  const double t0 = mean_instant(kTropicalMonth, k, south);
  MultipleAngleTables tables;  // filled here, read below
  fill_multiples(tables, mean_elongation(t0), kExtremeSlotElongation, kExtremeElongationMultiples);
  fill_scaled_multiples(tables, sun_mean_anomaly(t0), eccentricity_factor(t0), kExtremeSlotSunAnomaly,
                        kExtremeSunAnomalyMultiples);
  fill_multiples(tables, moon_mean_anomaly(t0), kExtremeSlotMoonAnomaly, kExtremeMoonAnomalyMultiples);
  fill_multiples(tables, argument_of_latitude(t0), kExtremeSlotLatitude, kExtremeLatitudeMultiples);
  double s = 0.0;  // 1e-10 centuries
  for (const ExtremeTerm& row : kExtremeTerms) {
    const SinCos f = series_detail::combined_angle(tables, row.m);
    s += south ? row.south_a * f.cos + row.south_b * f.sin : row.north_a * f.cos + row.north_b * f.sin;
  }
  // Constant term 1.7714e-07 centuries (0.00647 days).
  return t0 + 1.7714e-07 + 1e-10 * s;
}

}  // namespace varizav
