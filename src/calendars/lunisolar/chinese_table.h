// The Chinese year table: for every Chinese year that begins in Gregorian
// 1590..2410, what the calendar needs of it (first lunation, leap month, the
// first day of month 1 and the lengths of the months after it), computed at
// build time by generate_chinese_table from the calendar's own astronomy.
// The table holds the default delta T; with a delta T override the calendar
// computes every year as outside the table.
#pragma once

#include <bit>
#include <cstdint>

#include "framework/date.h"

namespace varizav {

// Chinese year numbers Y held by the table (Y begins in Gregorian year Y - 2636).
constexpr int32_t kChineseTableFirstYear = 4226;  // begins in 1590
constexpr int32_t kChineseTableLastYear = 5046;   // begins in 2410

struct ChineseTableYear {
  int32_t first_lunation;  // lunation index of month 1 (numbering of moon_phase)
  int32_t first_day;       // local JulianDay - 0.5 of the first day of month 1 (UT+8)
  uint16_t long_months;    // bit i (0..12) set: the i-th month from month 1, leap months counted, has 30 days (else 29)
  int8_t leap_month;       // 1..12: the month the leap month follows; 13: no leap month
  int8_t month11_back;     // lunations from month 11 of the year before to month 1: 2 or 3
};

// Months whose first day a row gives: 0 (month 1) .. 13.
constexpr int32_t kChineseTableMonthCount = 14;

// The row of year Y, or null outside the table or while a delta T override is set.
const ChineseTableYear* chinese_table_year(int32_t year) noexcept;

// Local JulianDay of the first day of the i-th month (0..13) from month 1 of the row's year.
constexpr JulianDay chinese_table_month_start(const ChineseTableYear& row, int32_t i) noexcept {
  const unsigned below = row.long_months & ((1u << i) - 1u);  // the long months before month i
  return static_cast<double>(row.first_day) + 0.5 + 29.0 * i + std::popcount(below);
}

}  // namespace varizav
