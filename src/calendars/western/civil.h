// The civil calendar: Julian up to the reform date, Gregorian after it
// (registered as the "astronomical" calendar), and the reform date itself.
#pragma once

#include <array>
#include <cstdint>

#include "framework/date.h"

namespace varizav {

// The last Julian day as year*10000 + month*100 + day, and its Julian Day number (noon).
int32_t reform_ymd() noexcept;
int32_t reform_jd() noexcept;
// The reform date as the civil key 10000*y + 100*m + d of the last Julian day
// (equal to reform_ymd() for years >= 0); every comparison with a date uses it.
int64_t reform_key() noexcept;
// Sets the reform date from a yyyymmdd value; an impossible month or day is ignored.
void set_reform(int32_t yyyymmdd) noexcept;
// The English reform: last Julian day 3 September 1752.
void set_reform_english() noexcept;

CalendarDate civil_from_jd(JulianDay jd) noexcept;
int32_t civil_is_leap_year(int32_t year) noexcept;
JulianDay civil_to_jd(int32_t year, int32_t month, double day) noexcept;
JulianDay civil_new_year(int32_t year) noexcept;
// Month lengths of civil year y (index 0 = January).
std::array<int32_t, 12> civil_month_lengths(int32_t year) noexcept;
// Writes the JulianDay itself with "%f" in every mode.
int civil_format_date(char* out, JulianDay jd, int32_t mode) noexcept;
// The reform-aware default formatter: Gregorian from reform_jd + 0.5 on, else Julian.
int civil_default_format_date(char* out, JulianDay jd, int32_t mode) noexcept;

}  // namespace varizav
