// Time scales of the astronomy: the time argument T in Julian centuries from
// J2000.0, the delta T override and the local time-zone offset (both held in
// Julian centuries).
#pragma once

#include "framework/date.h"

namespace varizav {

// Julian centuries of 36525 days from J2000.0 (JulianDay 2451545.0).
constexpr double kJ2000Jd = 2451545.0;
constexpr double kDaysToCenturies = 2.7378507871321012e-05;    // 1 / 36525
constexpr double kSecondsToCenturies = 3.168808781402895e-10;  // 1 / (86400 * 36525)

constexpr double jd_to_centuries(JulianDay jd) noexcept { return (jd - kJ2000Jd) * kDaysToCenturies; }
constexpr JulianDay centuries_to_jd(double t) noexcept { return t * 36525.0 + kJ2000Jd; }

// Fixed delta T in centuries (0: none, the formula is used).
double delta_t_override() noexcept;
void set_delta_t_override(double centuries) noexcept;

// Delta T = TD - UT in Julian centuries for the instant T (UT, centuries from
// J2000.0): the override when one is set, else a quadratic before 1800.0, a
// degree-12 polynomial in centuries from 1900.0 from 1800.0 to 1988.0, and a
// linear law from 1988.0 on. Not continuous at 1800.0 and 1988.0.
double delta_t(double t_centuries_ut) noexcept;

// Universal Time minus local time, in centuries (negative east of Greenwich).
double tz_offset() noexcept;
void set_tz_offset(double centuries) noexcept;

}  // namespace varizav
