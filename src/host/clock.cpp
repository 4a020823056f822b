#include "host/clock.h"

#include <ctime>

namespace varizav {

JulianDay wall_clock_jd() noexcept {
  // The Unix epoch, 1970-01-01 0h UT, is JulianDay 2440587.5.
  constexpr double kUnixEpochJd = 2440587.5;
  constexpr double kSecondsPerDay = 86400.0;
  return static_cast<double>(std::time(nullptr)) / kSecondsPerDay + kUnixEpochJd;
}

}  // namespace varizav
