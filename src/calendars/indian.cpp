#include "calendars/indian.h"

#include <array>

#include "framework/numeric.h"

namespace varizav {
namespace {

// One list for both languages.
constexpr std::array<const char*, 12> kMonths = {"Caitra", "Vaisakha", "Jyaistha",   "Asadha", "Sravana", "Bhadra",
                                                 "Asvina", "Kartika",  "Agrahayana", "Pausa",  "Magha",   "Phalguna"};

// The proleptic Gregorian leap rule, in 64 bits so that year + 78 cannot overflow.
bool gregorian_leap(int64_t g) noexcept { return g % 4 == 0 && (g % 100 != 0 || g % 400 == 0); }

}  // namespace

namespace indian {

const KeywordTable month_names = {12, nullptr, kMonths.data(), kMonths.data()};

int32_t is_leap_year(int32_t year) noexcept { return gregorian_leap(int64_t{year} + 78) ? 1 : 0; }

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  // Closed form of the month lengths, with Caitra counted in the Gregorian year
  // before (its length depends on the leap day that precedes it). All 64-bit:
  // the month is not validated here and 365 * year overflows 32 bits.
  const int64_t y = year;
  const int64_t m = month;
  const int64_t g = y + 78 - (m == 1 ? 1 : 0);
  const int64_t v = 365 * y + floor_quot(g, 4) + 31 * m - (m + 9) / 11 - (m - 7) * (m / 7) -
                    floor_quot(3 * floor_quot(g, 100) + 3, 4);
  return day + static_cast<double>(v) + 1749995.0 - 416.5;
}

JulianDay year_start(int32_t year) noexcept { return to_jd(year, 1, 1.0); }
bool anchor_year_fits(int64_t year) noexcept { return product_in_int32_range(365, year); }

CalendarDate from_jd(JulianDay jd) noexcept {
  const int64_t j = ifloor(jd + 0.5);  // Julian Day number of the civil day; saturates far out
  const double fraction = jd + 0.5 - static_cast<double>(j);
  // Gregorian centuries of 36524.25 days and Julian years of 365.25 days within
  // them, counted from 1 Vaisakha so that the leap day falls in the last month
  // of the count (Caitra, k = 11).
  const int64_t a = j + 68518;
  const int64_t q = floor_quot(4 * a, 146097);          // centuries
  const int64_t b = a - floor_quot(146097 * q + 3, 4);  // day of the century [0, 36524]
  const int64_t c = 4000 * (b + 1) / 1461001;           // year of the century [0, 99]
  const int64_t e = b - floor_quot(1461 * c, 4);        // day of the year from 1 Vaisakha [0, 365]
  // Months of 31 days (k = 0..4) up to day 155, then of 30 days; k = 11 is Caitra.
  const int64_t t = (e + 1) / 185;
  const int64_t k = (e / 31) * (1 - t) + t * ((e - 155) / 30 + 5) - (e + 1) / 366;  // [0, 11]
  const int64_t day = e + 1 - 31 * k + (k - 5) * ((k + 2) / 8);
  const int64_t month = k - 12 * (k / 11) + 2;
  const int64_t year = 100 * q + c + k / 11 - 4978;
  return {static_cast<int32_t>(year), static_cast<int32_t>(month), static_cast<double>(day) + fraction};
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate date = from_jd(jd);
  if (mode <= 0) return format_numeric_date(out, date, mode);
  return format_text(out, "%d %s %ld", ifloor(date.day), kMonths[static_cast<size_t>(date.month - 1)],
                     static_cast<long>(date.year));
}

}  // namespace indian
}  // namespace varizav
