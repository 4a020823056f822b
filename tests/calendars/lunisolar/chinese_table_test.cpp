#include "calendars/lunisolar/chinese_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/moon.h"
#include "astro/time_scales.h"
#include "calendars/lunisolar/chinese.h"

namespace varizav {
namespace {

// The first day of the i-th month from month 1, computed from its new moon.
JulianDay computed_month_start(const ChineseYearInfo& info, int32_t i) {
  return china_local_day(moon_phase(info.first_lunation + i, 0));
}

TEST(ChineseTable, EveryYearEqualsTheComputation) {
  // Independent: the astronomy of every year of the table, computed afresh.
  for (int32_t y = kChineseTableFirstYear; y <= kChineseTableLastYear; ++y) {
    const ChineseYearInfo want = compute_chinese_year_info(y);
    const ChineseYearInfo got = chinese_year_info(y);
    ASSERT_TRUE(want.valid && got.valid) << y;
    ASSERT_EQ(got.leap_month, want.leap_month) << y;
    ASSERT_EQ(got.first_lunation, want.first_lunation) << y;
    // Months 1..12, plain and with the leap flag, reach the 14 month starts.
    for (int32_t m = 1; m <= 12; ++m) {
      for (int32_t l = 0; l <= 1; ++l) {
        const int32_t i = m - 1 + l + (m > want.leap_month ? 1 : 0);
        ASSERT_EQ(chinese::to_jd(y, m, l, 1.0), computed_month_start(want, i)) << y << " " << m << " " << l;
      }
    }
    ASSERT_EQ(chinese_month11_start(y), compute_chinese_month11_start(y)) << y;
  }
}

TEST(ChineseTable, EveryDayOfTheTableYears) {
  // Each day from the first of the table's first year to the last of its last
  // year against the month starts and leap months of the table's own rows
  // (checked against the computation above): year, month, leap flag and day.
  for (int32_t y = kChineseTableFirstYear; y <= kChineseTableLastYear; ++y) {
    const ChineseTableYear& row = *chinese_table_year(y);
    const int32_t months = row.leap_month == 13 ? 12 : 13;
    for (int32_t i = 0; i < months; ++i) {
      const int32_t month = i < row.leap_month ? i + 1 : i;
      const int32_t leap = i == row.leap_month ? 1 : 0;
      const JulianDay start = chinese_table_month_start(row, i);
      for (JulianDay jd = start; jd < chinese_table_month_start(row, i + 1); jd += 1.0) {
        const ChineseDate d = chinese::from_jd(jd + 0.25);
        ASSERT_TRUE(d.year == y && d.month == month && d.leap == leap && d.day == jd - start + 1.25)
            << "jd " << jd << ": " << d.year << " " << d.month << " " << d.leap << " " << d.day;
      }
    }
  }
}

TEST(ChineseTable, NotUsedWithADeltaTOverride) {
  // The table holds the default delta T. An override of six hours moves many
  // new moons across local midnight, and the calendar must follow them.
  constexpr int32_t kFirst = 4630;
  JulianDay tabled[50];
  for (int32_t i = 0; i < 50; ++i) tabled[i] = chinese_new_year(kFirst + i);
  set_delta_t_override(6 * 3600 * kSecondsToCenturies);
  EXPECT_EQ(chinese_table_year(4636), nullptr);
  int32_t moved = 0;
  for (int32_t i = 0; i < 50; ++i) {
    const ChineseYearInfo want = compute_chinese_year_info(kFirst + i);
    EXPECT_EQ(chinese_year_info(kFirst + i).first_lunation, want.first_lunation);
    EXPECT_EQ(chinese_new_year(kFirst + i), computed_month_start(want, 0)) << kFirst + i;
    moved += chinese_new_year(kFirst + i) != tabled[i] ? 1 : 0;
  }
  set_delta_t_override(0.0);
  EXPECT_GT(moved, 0);
  EXPECT_NE(chinese_table_year(4636), nullptr);
  // Outside the table's years there is no row.
  EXPECT_EQ(chinese_table_year(kChineseTableFirstYear - 1), nullptr);
  EXPECT_EQ(chinese_table_year(kChineseTableLastYear + 1), nullptr);
}

}  // namespace
}  // namespace varizav
