// The Sun's geocentric position from a Poisson series of the Earth's
// heliocentric coordinates (a VSOP87-type theory truncated to 190 terms, mean
// equinox of date), the mean obliquity and the equation of time.
#include "astro/sun.h"

#include <array>
#include <cstdint>
#include <span>

#include "astro/series.h"
#include "astro/sun_terms.h"
#include "framework/constants.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

using namespace sun_terms;

// Secular polynomial plus (((((S5 tau + S4) tau + S3) tau + S2) tau + S1) tau + S0),
// S_p the periodic sum of power p.
double coordinate(double tau, std::span<const double> secular, const PowerSeries& series,
                  const SinCos* theta) noexcept {
  double periodic = 0.0;
  for (int32_t p = 5; p >= 0; --p) periodic = periodic * tau + sum_combined_series(series[p], theta);
  return horner(secular, tau) + periodic;
}

}  // namespace

SunPosition sun_position(double t_centuries_td) noexcept {
  const double tau = t_centuries_td * 0.1;  // Julian millennia

  // theta_1 .. theta_62 from the multiple-angle tables, the lunar ones directly.
  std::array<SinCos, kArguments> theta;
  theta[0] = {1.0, 0.0};
  MultipleAngleTables tables;  // filled here, read below
  for (int32_t slot = 0; slot < static_cast<int32_t>(kPlanetSlots.size()); ++slot) {
    const PlanetSlot& planet = kPlanetSlots[static_cast<std::size_t>(slot)];
    fill_multiples(tables, planet.rate * tau, slot, planet.max_multiple);
  }
  combine_arguments(tables, kPlanetaryCombinations, &theta[1]);
  const double earth = kPlanetSlots[kEarthSlot].rate * tau;
  const double d = kRateD * tau;
  const double l = kRateL * tau;
  theta[kPlanetaryArguments + 1] = sincos(d);
  theta[kPlanetaryArguments + 2] = sincos(l - d);
  theta[kPlanetaryArguments + 3] = sincos(d - earth);
  theta[kPlanetaryArguments + 4] = sincos(d + l);
  theta[kPlanetaryArguments + 5] = sincos(d + earth);
  theta[kPlanetaryArguments + 6] = sincos(kRateF * tau);

  const double r = coordinate(tau, kRadiusSecular, kRadiusSeries, theta.data());
  const double l_earth = coordinate(tau, kLongitudeSecular, kLongitudeSeries, theta.data());
  const double b_earth = coordinate(tau, kLatitudeSecular, kLatitudeSeries, theta.data());
  // Geocentric Sun: opposite the Earth's heliocentric direction.
  return {r, l_earth + kPi, -b_earth};
}

double mean_obliquity_laskar(double t_centuries) noexcept {
  // Laskar's polynomial of the mean obliquity (23 deg 26' 21.448" at J2000.0),
  // converted from arcseconds and units of 10000 years to radians and
  // centuries; constant term first.
  static constexpr std::array<double, 11> kCoefficients = {
      0.40909280422232897,     -0.00022693789043160602, -7.514612057197808e-10, 9.692637519582399e-09,
      -2.4909726935407956e-12, -1.2104343176261786e-13, -1.893197424732738e-16, 3.451873409499896e-19,
      1.3511757292522768e-20,  2.8070712136242133e-23,  1.1877935187183633e-25,
  };
  return horner(kCoefficients, t_centuries);
}

double equation_of_time(double t_centuries) noexcept {
  // Smart's formula (Meeus, Astronomical Algorithms, eq. 28.3).
  const double t = t_centuries;
  const double half_obliquity_tan = tangent(mean_obliquity_laskar(t) * 0.5);
  const double y = half_obliquity_tan * half_obliquity_tan;
  const double e = 0.016708617 - (4.2037e-05 + 1.236e-07 * t) * t;  // Earth's orbital eccentricity
  const double l0 = 4.895063 + (628.33196679 + 5.292e-06 * t) * t;  // Sun's mean longitude, radians
  const double m = 6.24006 + t * (628.30195532 - 2.721e-06 * t);    // Sun's mean anomaly, radians
  const double sin_m = sincos(m).sin;
  const SinCos two_l0 = sincos(2.0 * l0);
  return y * two_l0.sin - 2.0 * e * sin_m + 4.0 * e * y * sin_m * two_l0.cos - 0.5 * y * y * sincos(4.0 * l0).sin -
         1.25 * e * e * sincos(2.0 * m).sin;
}

}  // namespace varizav
