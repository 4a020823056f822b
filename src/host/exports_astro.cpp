// Worksheet functions of the astronomy: the sundial reading.
#include "astro/sun.h"
#include "astro/time_scales.h"
#include "framework/date.h"
#include "framework/numeric.h"
#include "varizav/addin.h"

using namespace varizav;

extern "C" {

// The time a sundial shows: the time of day of the serial date (negative for
// negative dates with a fraction) plus the equation of time, as a day
// fraction. The date is taken as Universal Time, without delta T or time zone.
VARIZAV_API void SC_gnomon(double* result, const double* date) {
  const double time_of_day = frac(*date);
  // Serial date of J2000.0, 36526.5 (exact), subtracted first to keep the
  // date's fraction exact.
  constexpr double kJ2000Serial = kJ2000Jd - kSerialEpochJd;
  const double t_centuries = (*date - kJ2000Serial) * kDaysToCenturies;
  constexpr double kRadiansToDays = 0.15915494309189535;  // 1 / (2 pi)
  *result = time_of_day + equation_of_time(t_centuries) * kRadiansToDays;
}

}  // extern "C"
