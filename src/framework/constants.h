// Constants shared by the calendars, the astronomy and the events, each in
// one place (after ERFA's erfam.h): the quiet NaN that stands for "no value",
// the circle, and the units of astronomical time.
#pragma once

#include <limits>

namespace varizav {

// Quiet NaN: no value (an anchor that cannot be formed, a search that fails).
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The double nearest pi, and 2 pi.
constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

// Time argument of the astronomy: Julian centuries of 36525 days from
// J2000.0 (JulianDay 2451545.0, 2000 January 1.5 TD).
constexpr double kJ2000Jd = 2451545.0;
constexpr double kDaysPerJulianCentury = 36525.0;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kDaysToCenturies = 1.0 / kDaysPerJulianCentury;
constexpr double kSecondsToCenturies = 1.0 / (kSecondsPerDay * kDaysPerJulianCentury);
static_assert(kDaysToCenturies == 2.7378507871321012e-05);
static_assert(kSecondsToCenturies == 3.168808781402895e-10);

// Year lengths in days: the Julian year, and the tropical year of the
// Besselian epochs (B1900.0 = JulianDay 2415020.3135).
constexpr double kJulianYearDays = 365.25;
constexpr double kBesselianYearDays = 365.24219878;
constexpr double kDaysToJulianYears = 1.0 / kJulianYearDays;
constexpr double kDaysToBesselianYears = 1.0 / kBesselianYearDays;
static_assert(kDaysToJulianYears == 0.0027378507871321013);
static_assert(kDaysToBesselianYears == 0.0027379092649760877);

}  // namespace varizav
