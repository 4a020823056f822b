// Fundamental arguments of the lunar event series and the mean instants of
// the four lunar cycles, shared by the phase, eclipse, apsis, node and
// declination theories.
//
// Every argument is a polynomial in T, Julian centuries of dynamical time
// from J2000.0, in radians (not reduced); every mean instant is a polynomial
// in the cycle number, in Julian centuries from J2000.0. Coefficients are
// constant term first. They are Meeus's (Astronomical Algorithms, chapters
// 47, 49-52 and 54) converted from degrees to radians and from days to centuries.
#pragma once

#include <array>
#include <cstdint>

#include "framework/numeric.h"

namespace varizav::moon_detail {

// D, mean elongation of the Moon (radians).
constexpr std::array<double, 8> kMeanElongation = {
    5.198466741027444,       7771.377146812049,      -2.8461095575758893e-05, 3.1479134215410553e-08,
    -1.7948093937732117e-10, 1.2411609367742244e-14, 1.2388169190520696e-16,  -1.555119215821703e-18};

// M, mean anomaly of the Sun (radians).
constexpr std::array<double, 11> kSunMeanAnomaly = {
    6.240059974158189,       628.301955124147,        -2.680495096723672e-06, 7.142308622127041e-10,
    -5.476958108629853e-11,  -2.3138144489286497e-13, 4.293268086360545e-16,  2.0543218579537245e-18,
    -1.8592992521495593e-20, -5.0372141467280786e-23, 7.853981633974483e-26};

// M', mean anomaly of the Moon (radians).
constexpr std::array<double, 8> kMoonMeanAnomaly = {
    2.355555898265799,      8328.691426955362,       0.00015705046678948906, 2.5139072300498156e-07,
    -1.229628690131283e-09, -1.2151204953313662e-13, 1.6736467498684579e-16, -8.509996407488007e-18};

// F, argument of latitude of the Moon (radians).
constexpr std::array<double, 8> kArgumentOfLatitude = {
    1.627905233371468,       8433.466158130832,       -5.940647723000731e-05, -5.31683573732995e-09,
    -1.0499856070199022e-11, -1.3528203875804338e-14, 2.0309001171996932e-16, 2.1695338859408526e-18};

// Omega, longitude of the Moon's mean ascending node (radians).
constexpr std::array<double, 4> kAscendingNode = {2.1824386239731433, -33.75704593317173, 3.627370144297375e-05,
                                                  3.8746309394274115e-08};

inline double mean_elongation(double t) noexcept { return horner(kMeanElongation, t); }
inline double sun_mean_anomaly(double t) noexcept { return horner(kSunMeanAnomaly, t); }
inline double moon_mean_anomaly(double t) noexcept { return horner(kMoonMeanAnomaly, t); }
inline double argument_of_latitude(double t) noexcept { return horner(kArgumentOfLatitude, t); }
inline double ascending_node(double t) noexcept { return horner(kAscendingNode, t); }

// E, the factor by which the decreasing eccentricity of the Earth's orbit
// scales every term in the Sun's mean anomaly (once per multiple of M).
constexpr double eccentricity_factor(double t) noexcept { return 1.0 - (0.0025159169 + 7.3974e-06 * t) * t; }

// Mean instants (centuries from J2000.0) of the cycles, as polynomials in the
// cycle number x (an integer, or an integer plus the fraction of the event
// within its cycle). Cycle 0 is the first whose event falls in January 2000.
//
// Lunation (phases, eclipses): x = 0 is the new moon of 6 January 2000,
// JulianDay 2451550.09765; the linear term is 29.530588853 days.
constexpr std::array<double, 5> kLunation = {0.00013956605065024, 0.00080850345935873, 2.3929341687876e-15,
                                             -2.1743897561545e-21, -8.4874792299912e-27};
// Anomalistic month (perigee at x = k, apogee at x = k + 0.5).
constexpr std::array<double, 5> kAnomalisticMonth = {0.00047157821165215, 0.00075440246073289, -1.0730118265026e-14,
                                                     -1.2908724656802e-20, 4.6136140888633e-26};
// Draconic month (ascending node at x = k, descending node at x = k + 0.5).
constexpr std::array<double, 5> kDraconicMonth = {0.00055200080095885, 0.00074503000182457, 3.909020711689e-15,
                                                  2.4272261287213e-22, -7.3858339047961e-28};
// Tropical month (northern extreme at x = k, southern at x = k + 0.5).
constexpr std::array<double, 5> kTropicalMonth = {0.00048140245772019, 0.00074802415443948, 1.5425875707234e-15,
                                                  -1.6139844766367e-21, 9.978562470014e-27};

// Largest |multiple| of argument column j over a term table's rows; lets each
// theory check at compile time that it loads enough multiples.
template <std::size_t Column, class Table>
constexpr int32_t max_multiple(const Table& table) noexcept {
  int32_t most = 0;
  for (const auto& row : table) {
    const int32_t m = row.m[Column] < 0 ? -row.m[Column] : row.m[Column];
    if (m > most) most = m;
  }
  return most;
}

// The largest |multiple| of the first three argument columns of a term table.
template <class Table>
constexpr std::array<int32_t, 3> max_multiples(const Table& table) noexcept {
  return {max_multiple<0>(table), max_multiple<1>(table), max_multiple<2>(table)};
}

// True when each of the first three columns needs at most the multiples loaded.
template <class Table>
constexpr bool multiples_fit(const Table& table, const std::array<int32_t, 3>& loaded) noexcept {
  const std::array<int32_t, 3> most = max_multiples(table);
  return most[0] <= loaded[0] && most[1] <= loaded[1] && most[2] <= loaded[2];
}

}  // namespace varizav::moon_detail
