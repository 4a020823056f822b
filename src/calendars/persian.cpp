#include "calendars/persian.h"

#include <algorithm>
#include <array>

#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr std::array<const char*, 12> kMonths = {
    "Farvardin", "Ordibehesht", "Xordad", "Tir", "Mordad", "Shahrivar",
    "Mehr",      "Aban",        "Azar",   "Dey", "Bahman", "Esfand",
};

// Days of the year before month m (index m = 1..12; index 0 unused).
constexpr std::array<int32_t, 13> persian_month_offset = {0, 0, 31, 62, 93, 124, 155, 186, 216, 246, 276, 306, 336};

int32_t month_offset(int32_t month) noexcept {
  return (month >= 1 && month <= 12) ? persian_month_offset[static_cast<size_t>(month)] : 0;
}

// The arithmetic rule: cycles of 2820 years, 683 of them leap years
// (2820 * 365 + 683 = 1029983 days), counted from year 474 so that the leap
// years fall where the rule "(682 (y + 38)) mod 2816 < 682" puts them.
constexpr int64_t kCycleYears = 2820;
constexpr int64_t kCycleDays = 1029983;
// 1 Farvardin 475, the first day of the cycle that starts with year 475.
constexpr double kCycleEpochJd = 2121445.5;

}  // namespace

int64_t persian_new_year_offset(int64_t year) noexcept {
  const int64_t q = floor_quot(year - 474, kCycleYears);
  const int64_t c = mod_floor(year - 474, kCycleYears);  // [0, 2819]
  // The leap days of the cycle's first c years, 682 in each 2816 by the same
  // fraction as is_leap_year; 172760 puts 1 Farvardin 475 on day 173125 from
  // the epoch (JulianDay 2121445.5, kCycleEpochJd).
  return kCycleDays * q + 365 * c + floor_quot(682 * c - 682, 2816) + 172760;
}

const KeywordTable persian_month_names = {12, nullptr, kMonths.data(), kMonths.data()};

namespace persian {

int32_t is_leap_year(int32_t year) noexcept {
  const int64_t y = mod_floor(int64_t{year} - 474, kCycleYears) + 474;
  return mod_floor(682 * y + 25916, 2816) <= 681 ? 1 : 0;  // 25916 = 682 * 38
}

JulianDay year_start(int32_t year) noexcept { return static_cast<double>(persian_new_year_offset(year)) + kEpochJd; }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  return day + static_cast<double>(persian_new_year_offset(year) + month_offset(month)) + (kEpochJd - 1.0);
}

CalendarDate from_jd(JulianDay jd) noexcept {
  const int64_t n = ifloor(jd - kCycleEpochJd);  // days since 1 Farvardin 475
  const int64_t cycles = floor_quot(n, kCycleDays);
  const int64_t d1 = mod_floor(n, kCycleDays);  // [0, 1029982]: day of the cycle
  const int64_t a = d1 / 366;
  const int64_t b = d1 % 366;
  // 1028522 = 2816 * 365 + 682, the days of 2816 years; 2134 = 2816 - 682.
  int64_t year = kCycleYears * cycles + a + 475 + floor_quot(2134 * a + 2816 * b + 2815, 1028522);
  // The estimate runs one year ahead on the cycle's very last day (the leap
  // day of its year 2820).
  if (d1 == kCycleDays - 1) --year;
  const double g = jd - static_cast<double>(persian_new_year_offset(year)) - kEpochJd;  // day of the year from 0
  const int32_t k = ifloor(g);
  const int32_t month = std::clamp(k <= 186 ? k / 31 + 1 : (k - 6) / 30 + 1, 1, 12);
  return {static_cast<int32_t>(year), month, g + 1.0 - static_cast<double>(month_offset(month))};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate d = from_jd(jd);
  if (mode > 0) {
    return format_text(out, "%d %s %ld", ifloor(d.day), kMonths[static_cast<size_t>(d.month - 1)],
                       static_cast<long>(d.year));
  }
  return format_numeric_date(out, d, mode);
}

bool anchor_year_fits(int64_t year) noexcept {
  return in_int32_range(year - 474) && in_int32_range(kCycleDays * floor_quot(year - 474, kCycleYears));
}

}  // namespace persian
}  // namespace varizav
