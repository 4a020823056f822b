#include "astro/sun_crossing.h"

#include <array>
#include <cmath>

#include "astro/sun.h"
#include "framework/constants.h"
#include "framework/numeric.h"

namespace varizav {

double sun_longitude_crossing(double k, int32_t sign) noexcept {
  const double s = static_cast<double>(static_cast<uint32_t>(sign));
  // First estimate (centuries): the mean tropical year from the March
  // equinox of 2000 (2000-03-20 07:26 TD), as a cubic in years.
  static constexpr std::array<double, 4> kEstimate = {0.00215769582477122, 0.00999979121259412, 1.41519507186858e-12,
                                                      -1.12525667351129e-16};
  constexpr double kTwelfth = 0.08333333333333333;     // one sign, in years
  constexpr double kSignRad = kPi / 6.0;               // 30 degrees
  constexpr double kCenturiesPerRad = 0.001587953;     // 58 days per radian of solar longitude
  constexpr double kSettled = 1.5844043907014477e-09;  // 5 seconds, in centuries
  constexpr int kMaxSteps = 11;

  const double target = s * kSignRad;
  double x = horner(kEstimate, k + s * kTwelfth);
  for (int step = 0; step < kMaxSteps; ++step) {
    const SunPosition sun = sun_position(x);
    const double t = x;
    // Annual aberration 20.4898" / R and the five leading terms of the
    // nutation in longitude, in the Moon's node Omega, twice the mean
    // longitudes of Sun (2L) and Moon (2L'), 2 Omega and the Sun's mean
    // anomaly M; radians.
    const double node = 2.1824 - 33.7570459367 * t;
    const double l2 = 3.5069 + 1256.66393242 * t;
    const double l2_moon = 1.3375 + 16799.4182248 * t;
    const double node2 = 4.3649 - 67.5140918733 * t;
    const double m = 6.24 + 628.301956024 * t;
    const double correction =
        9.933744556e-05 / sun.distance_au + (8.3386e-05 + 8.4455e-08 * t) * sincos(node).sin +
        (6.3932e-06 + 7.757e-10 * t) * sincos(l2).sin + (1.1025e-06 + 9.6963e-11 * t) * sincos(l2_moon).sin -
        (9.9969e-07 + 9.6963e-11 * t) * sincos(node2).sin - (6.9134e-07 - 1.7453e-09 * t) * sincos(m).sin;
    const double apparent = sun.longitude_rad - correction;
    const double delta = kCenturiesPerRad * sincos(target - apparent).sin;
    x += delta;
    if (std::fabs(delta) <= kSettled) return x;
  }
  return kNaN;
}

}  // namespace varizav
