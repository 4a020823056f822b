// Proleptic Julian calendar (astronomical years: year 0 exists).
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {
namespace julian {

// Non-zero for every fourth year, including 0 and negative multiples of 4.
int32_t is_leap_year(int32_t year) noexcept;
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
CalendarDate from_jd(JulianDay jd) noexcept;
// Text form "%s, %d. %s %ld" (full stop after the day), or the number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

}  // namespace julian

// JulianDay of 0h, 1 January of Julian year y.
JulianDay julian_new_year(int32_t year) noexcept;
// JulianDay of 0h of Easter Sunday (Julian computus) of year y.
JulianDay easter_julian(int32_t year) noexcept;

}  // namespace varizav
