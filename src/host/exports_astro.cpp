// Worksheet functions of the astronomy: the sundial reading.
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "framework/date.h"
#include "framework/numeric.h"
#include "host/error_value.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

// The time a sundial shows: the time of day of the serial date (negative for
// negative dates with a fraction) plus the equation of time, as a day
// fraction. The date is taken as Universal Time, without delta T or time zone.
//
// Serial dates -3600000 .. 3600000 (7958 BC .. AD 11756, T from -99.6 to
// +97.6 centuries) are read, inside the +-100 centuries for which Laskar's
// obliquity polynomial holds; there the equation of time stays within
// +-19.6 minutes. Farther out the polynomials run away: it passes 20 minutes
// near serial -7.16e6 and +8.39e6, the eccentricity turns negative near
// T = +233, and at serial 3e7 the "equation of time" is 12.9 hours.
VARIZAV_API void SC_gnomon(double* result, const double* date) {
  constexpr double kFirstSerial = -3600000.0;
  constexpr double kLastSerial = 3600000.0;
  if (!(*date >= kFirstSerial && *date <= kLastSerial)) {  // NaN fails too
    *result = error_value();
    return;
  }
  const double time_of_day = frac(*date);
  // Serial date of J2000.0, 36526.5 (exact), subtracted first to keep the
  // date's fraction exact.
  constexpr double kJ2000Serial = kJ2000Jd - kSerialEpochJd;
  const double t_centuries = (*date - kJ2000Serial) * kDaysToCenturies;
  constexpr double kRadiansToDays = 0.15915494309189535;  // 1 / (2 pi)
  *result = time_of_day + equation_of_time(t_centuries) * kRadiansToDays;
}

}  // extern "C"
