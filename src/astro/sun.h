// The Sun: geocentric position from a VSOP-type series of the Earth's
// heliocentric coordinates, the mean obliquity of the ecliptic and the
// equation of time.
#pragma once

namespace varizav {

// The Sun's geocentric position at one instant.
struct SunPosition {
  double distance_au;    // R, astronomical units
  double longitude_rad;  // geometric ecliptic longitude, mean equinox of date, not reduced to [0, 2 pi)
  double latitude_rad;   // ecliptic latitude
};

// Given:    t_centuries_td  Julian centuries of dynamical time from J2000.0 (any finite value)
// Returned: the Sun's geocentric distance, geometric longitude and latitude.
// 190 periodic terms in five planetary and six lunar arguments.
SunPosition sun_position(double t_centuries_td) noexcept;

// Mean obliquity of the ecliptic (Laskar's polynomial, valid for |T| < 100),
// radians; T in Julian centuries from J2000.0.
double mean_obliquity_laskar(double t_centuries) noexcept;

// Equation of time, apparent minus mean solar time (Smart's formula), as an
// angle in radians (2 pi = one day); T in Julian centuries from J2000.0.
double equation_of_time(double t_centuries) noexcept;

}  // namespace varizav
