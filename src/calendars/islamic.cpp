#include "calendars/islamic.h"

#include <array>

#include "calendars/evening_date_text.h"
#include "framework/language.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr BilingualNames<12> kMonths = {
    {"Moharram", "Safar", "Rabi I", "Rabi II", "Jumada I", "Jumada II", "Rajab", "Sha'ban", "Ramadan", "Shawwal",
     "Dhu al-Q'adah", "Dhu al-Hijjah"},
    {"Moharrem", "Safar", "Rebi I", "Rebi II", "Dschemadi I", "Dschemadi II", "Redscheb", "Schaban", "Ramadan",
     "Shewwal", "Dsu'l-Kade", "Dsu'l-Hedsche"},
};
// Index 0 = Monday. The grave accents (0x60) are part of the transliteration.
constexpr BilingualNames<7> kWeekdays = {
    {"yaum al-ithnayna", "yaum ath-thalatha'", "yaum al-arba`a'", "yaum al-hamis", "yaum al-jum`a", "yaum as-sabt",
     "yaum al-ahad"},
    {"Yaum el-Ithnayna", "Yaum es-Thalatha'", "Yaum el-Arba`a'", "Yaum el-Hamis", "Yaum el-Jum`a", "Yaum es-Sabt",
     "Yaum el-Ahad"},
};

// Days from the epoch to 1 Muharram of year y: 10631 days per 30 years, the
// constant placing the leap days in years 2, 5, 7, ... of each cycle.
int64_t days_before_year(int64_t year) noexcept { return floor_quot(10631 * year - 10617, 30); }

}  // namespace

const KeywordTable islamic_month_names = {12, nullptr, kMonths.english.data(), kMonths.german.data()};

namespace islamic {

int32_t is_leap_year(int32_t year) noexcept { return mod_floor(11 * int64_t{year} + 14, 30) <= 10 ? 1 : 0; }

JulianDay year_start(int32_t year) noexcept { return static_cast<double>(days_before_year(year)) + kEpochJd; }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  // floor((-59 m - 1) / 2) = -(days of months 1..m-1) - 30 for months of
  // alternately 30 and 29 days, and the year term is days_before_year - 31:
  // together day - 1 + days before the year + days before the month.
  const int64_t days = floor_quot(10631 * int64_t{year} - 11547, 30) - floor_quot(-59 * int64_t{month} - 1, 2);
  return day + static_cast<double>(days) + kEpochJd;
}

CalendarDate from_jd(JulianDay jd) noexcept {
  const double f = jd - kEpochJd;
  const int64_t n = ifloor(f);  // whole days since the epoch (saturates far outside the date range)
  const int64_t year = floor_quot(30 * n + 10646, 10631);
  const int64_t d0 = n - days_before_year(year);  // [0, 354]: day of the year
  const int64_t month = (11 * d0 + 330) / 325;    // [1, 12]
  const double day = (f - static_cast<double>(n)) + static_cast<double>(d0 - (325 * month - 1) / 11 + 30);
  return {static_cast<int32_t>(year), static_cast<int32_t>(month), day};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  return format_evening_date(out, jd, from_jd(jd), mode, kWeekdays, kMonths);
}

bool anchor_year_fits(int64_t year) noexcept {
  return in_int32_range(10631 * year - 10617);  // the numerator of days_before_year
}

}  // namespace islamic
}  // namespace varizav
