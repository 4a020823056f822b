#include "calendars/french.h"

#include <array>

#include "framework/numeric.h"

namespace varizav {
namespace {

// 0h, 22 September 1792 (Gregorian), the autumn equinox that began year 1.
constexpr double kEpochJd = 2375839.5;

// Month names, written without accents; one list for both languages.
constexpr std::array<const char*, 13> kMonths = {
    "Vendemiaire", "Brumaire", "Frimaire", "Nivose",    "Pluviose",  "Ventose",        "Germinal",
    "Floreal",     "Prairial", "Messidor", "Thermidor", "Fructidor", "Sansculottides",
};
// Days of the decade, indexed by (day - 1) mod 10.
constexpr std::array<const char*, 10> kDecadeDays = {"Primidi", "Duodi",   "Tridi",  "Quartidi", "Quintidi",
                                                     "Sextidi", "Septidi", "Octidi", "Nonidi",   "Decadi"};
// The complementary days 1..6; entry 0 is the name of the period itself.
constexpr std::array<const char*, 7> kComplementaryDays = {
    "Sansculottides",    "Jour de la Vertu",      "Jour du Genie",         "Jour du Labour",
    "Jour de la Raison", "Jour de la Recompense", "Jour de la Revolution",
};
// Decade numerals I, II, III: the last one, two or three characters of this text.
constexpr const char kDecadeNumerals[] = "III";

}  // namespace

int64_t french_elapsed_days(int64_t completed_years) noexcept {
  const int64_t c = completed_years;
  return 365 * c + floor_quot(c, 4) - floor_quot(c, 100) + floor_quot(c, 400) - floor_quot(c, 4000);
}

namespace french {

const KeywordTable month_names = {13, nullptr, kMonths.data(), kMonths.data()};

int32_t is_leap_year(int32_t year) noexcept {
  if (year % 4 != 0) return 0;
  if (year % 100 != 0) return 1;
  if (year % 400 != 0) return 0;
  return year % 4000 != 0 ? 1 : 0;
}

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  // 2375808.5 = epoch - 31: month 1 contributes 30 days and day 1 one day.
  return day + static_cast<double>(french_elapsed_days(int64_t{year} - 1) + 30 * int64_t{month}) + 2375808.5;
}

JulianDay year_start(int32_t year) noexcept {
  return static_cast<double>(french_elapsed_days(int64_t{year} - 1)) + kEpochJd;
}

bool anchor_year_fits(int64_t year) noexcept { return product_in_int32_range(365, year - 2); }

CalendarDate from_jd(JulianDay jd) noexcept {
  const int64_t n = ifloor(jd - kEpochJd);  // whole days since the epoch; saturates far out
  // Completed years: the largest c with french_elapsed_days(c) <= n. The
  // estimate divides by 365.24225 days, the mean year of the 4000-year rule;
  // for every 32-bit day count it is at most one year off, in either direction
  // (too high on the last day of some leap years, too low on some first days).
  int64_t c = ifloor(static_cast<double>(n) * 0.002737908881023485);
  if (french_elapsed_days(c + 1) <= n) ++c;
  if (french_elapsed_days(c) > n) --c;
  const int64_t doy = n - french_elapsed_days(c);  // [0, 365]
  const int64_t month = doy / 30 + 1;              // [1, 13]
  return {static_cast<int32_t>(c + 1), static_cast<int32_t>(month), static_cast<double>(doy - 30 * (month - 1) + 1)};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate date = from_jd(jd);
  if (mode <= 0) return format_numeric_date(out, date, mode);
  const int32_t d = ifloor(date.day);  // [1, 30], [1, 6] in month 13
  const long year = date.year;
  if (date.month == 13) {
    return format_text(out, "%s, %d %s %ld", kComplementaryDays[static_cast<size_t>(d)], d, kComplementaryDays[0],
                       year);
  }
  const int64_t decade = floor_quot(d - 1, 10);  // [0, 2]
  return format_text(out, "%s %s, %d %s %ld", kDecadeDays[static_cast<size_t>(mod_floor(d - 1, 10))],
                     kDecadeNumerals + (2 - decade), d, kMonths[static_cast<size_t>(date.month - 1)], year);
}

}  // namespace french
}  // namespace varizav
