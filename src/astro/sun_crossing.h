// The instants at which the Sun's apparent longitude reaches a multiple of
// 30 degrees: the equinoxes and solstices, the entries into the zodiac signs
// and the principal solar terms of the Chinese calendar.
#pragma once

#include <cstdint>

namespace varizav {

// Given:    k     years from 2000 (k = 0: the crossings from the March
//                 equinox of 2000 on), integral
//           sign  the crossing of apparent longitude sign x 30 degrees;
//                 taken as unsigned, so 12 and more continue into the
//                 following years (sign 12 of year k is sign 0 of year k+1)
// Returned: the instant in Julian centuries of dynamical time from J2000.0,
//           to about 5 seconds; NaN when Newton's steps do not settle within
//           11 (beyond about 33,600 years from 2000 some crossings fail).
double sun_longitude_crossing(double k, int32_t sign) noexcept;

}  // namespace varizav
