// Time scales of the astronomy: the time argument T in Julian centuries from
// J2000.0, the delta T override (held in Julian centuries) and the local
// time-zone offset (held in seconds).
#pragma once

#include "framework/constants.h"
#include "framework/date.h"

namespace varizav {

// Julian centuries of 36525 days from J2000.0 (framework/constants.h).
constexpr double jd_to_centuries(JulianDay jd) noexcept { return (jd - kJ2000Jd) * kDaysToCenturies; }
constexpr JulianDay centuries_to_jd(double t) noexcept { return t * kDaysPerJulianCentury + kJ2000Jd; }

// Fixed delta T in centuries (0: none, the formula is used).
double delta_t_override() noexcept;
void set_delta_t_override(double centuries) noexcept;

// Delta T = TD - UT in Julian centuries for the instant T (UT, centuries from
// J2000.0): the override when one is set, else a quadratic before 1800.0, a
// degree-12 polynomial in centuries from 1900.0 from 1800.0 to 1988.0, and a
// linear law from 1988.0 on. Not continuous at 1800.0 and 1988.0.
double delta_t(double t_centuries_ut) noexcept;

// Universal Time minus local time in seconds (negative east of Greenwich),
// and the same offset in centuries and in days.
int64_t tz_offset_seconds() noexcept;
void set_tz_offset_seconds(int64_t seconds) noexcept;
inline double tz_offset_centuries() noexcept { return static_cast<double>(tz_offset_seconds()) * kSecondsToCenturies; }
inline double tz_offset_days() noexcept { return tz_offset_centuries() * kDaysPerJulianCentury; }

}  // namespace varizav
