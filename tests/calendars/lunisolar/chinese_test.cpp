#include "calendars/lunisolar/chinese.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <iomanip>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "astro/time_scales.h"
#include "calendars/registry.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/western_names.h"
#include "framework/language.h"
#include "framework/numeric.h"
#include "host/converter.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

// Local midnight (UT+8) of a Gregorian date, as the Chinese calendar counts days.
JulianDay gregorian_day(int32_t y, int32_t m, int32_t d) { return gregorian::to_jd(y, m, d); }

std::string format(JulianDay jd, int32_t mode) {
  char out[kTextCapacity];
  chinese::format_date(out, jd, mode);
  return out;
}

TEST(Chinese, NewYear2000IsCycle78Year17) {
  // Independent: the Year of the Dragon, Geng-Chen, began 5 February 2000, year
  // 17 of the 78th sexagenary cycle (Jia-Zi 1984).
  EXPECT_EQ(chinese::to_jd(4636, 1, 0, 1.0), gregorian_day(2000, 2, 5));
  const ChineseDate d = chinese::from_jd(gregorian_day(2000, 2, 5));
  EXPECT_EQ(d.year, 4636);
  EXPECT_EQ(d.month, 1);
  EXPECT_EQ(d.leap, 0);
  EXPECT_EQ(d.day, 1.0);
  EXPECT_EQ(chinese_new_year(4636), gregorian_day(2000, 2, 5));
}

TEST(Chinese, TextAndNumberFormsInBothLanguages) {
  const JulianDay jd = gregorian_day(2000, 2, 5);
  set_display_names_english(true);
  EXPECT_EQ(format(jd, 1), "1 1 Geng-Chen 78 (Dragon)");  // independent, as above
  set_display_names_english(false);
  EXPECT_EQ(format(jd, 1), "1 1 Geng-Chen 78 (Drache)");  // independent, as above
  EXPECT_EQ(format(jd, 0), "78 17  1 0  1");
  EXPECT_EQ(format(jd + 0.25, -1), "78 17  1 0 1.250000");
  // The leap month after month 4 of 2001 is marked with "!" (4! = leap fourth month).
  EXPECT_EQ(format(gregorian_day(2001, 5, 23), 1), "1 4! Xin-Si 78 (Schlange)");
}

TEST(Chinese, LeapMonthOf2001FollowsMonth4) {
  // Independent: year 78-18 (Y = 4637) began 24 January 2001; its leap month
  // begins 23 May 2001 and ends with the new moon of 21 June 2001, the day of the
  // June solstice, so it holds no principal term.
  const ChineseYearInfo info = chinese_year_info(4637);
  ASSERT_TRUE(info.valid);
  EXPECT_EQ(info.leap_month, 4);
  EXPECT_EQ(chinese_new_year(4637), gregorian_day(2001, 1, 24));
  EXPECT_EQ(chinese::to_jd(4637, 4, 1, 1.0), gregorian_day(2001, 5, 23));
  EXPECT_EQ(chinese::to_jd(4637, 5, 0, 1.0), gregorian_day(2001, 6, 21));
  EXPECT_EQ(chinese::is_leap_year(4637), 1);
  EXPECT_EQ(chinese::is_leap_year(4636), 0);
  // A leap flag on an ordinary month gives the day of the following month.
  EXPECT_EQ(chinese::to_jd(4637, 2, 1, 1.0), chinese::to_jd(4637, 3, 0, 1.0));
}

TEST(Chinese, YearsOf1800To2200AreWellFormed) {
  // Properties of the lunisolar construction: 12 or 13 months of 29 or 30 days,
  // a leap month only in 13-month years, month 11 holds the December solstice.
  for (int32_t y = 1800 + 2636; y <= 2200 + 2636; ++y) {
    const ChineseYearInfo info = chinese_year_info(y);
    ASSERT_TRUE(info.valid) << y;
    const JulianDay start = chinese_new_year(y);
    const JulianDay next = chinese_new_year(y + 1);
    const int32_t months = info.leap_month == 13 ? 12 : 13;
    const double length = next - start;
    ASSERT_GE(length, months * 29.0) << y;
    ASSERT_LE(length, months * 30.0) << y;
    ASSERT_TRUE(length >= 353 && length <= 385) << y;
    const JulianDay m11 = chinese_month11_start(y);
    const JulianDay dec21 = gregorian::to_jd(y - 2636, 12, 1.0);
    ASSERT_GE(m11, dec21 - 30) << y;
    ASSERT_LE(m11, dec21 + 30) << y;
  }
}

TEST(Chinese, RoundTripEveryDay1800To2200) {
  // Property: from_jd inverts to_jd for every day, and days are consecutive.
  const JulianDay first = gregorian::to_jd(1800, 3, 1.0);
  const JulianDay last = gregorian::to_jd(2200, 1, 1.0);
  ChineseDate prev = chinese::from_jd(first - 1.0);
  for (JulianDay jd = first; jd < last; jd += 1.0) {
    const ChineseDate d = chinese::from_jd(jd);
    ASSERT_EQ(chinese::to_jd(d.year, d.month, d.leap, d.day), jd) << d.year << " " << d.month << " " << d.day;
    ASSERT_TRUE(d.day == prev.day + 1.0 || d.day == 1.0) << jd;
    prev = d;
  }
}

TEST(Chinese, CacheAnswersLikeAColdComputation) {
  // Fill the 128-entry ring past its size, then ask the first years again.
  ChineseYearInfo first[10];
  for (int32_t i = 0; i < 10; ++i) first[i] = chinese_year_info(4600 + i);
  for (int32_t y = 4700; y < 4900; ++y) chinese_year_info(y);
  for (int32_t i = 0; i < 10; ++i) {
    const ChineseYearInfo again = chinese_year_info(4600 + i);
    EXPECT_EQ(again.leap_month, first[i].leap_month);
    EXPECT_EQ(again.first_lunation, first[i].first_lunation);
  }
  // A year beyond the 16-bit range must not hit the entry of its low 16 bits
  // (38536 = -27000 + 65536).
  const ChineseYearInfo low = chinese_year_info(-27000);
  const ChineseYearInfo far = chinese_year_info(38536);
  EXPECT_NE(far.first_lunation, low.first_lunation);
  EXPECT_EQ(chinese_year_info(38536).first_lunation, far.first_lunation);
}

// The year info of `year` on a thread of its own, after `before` was asked
// there (an empty cache when before is nullptr).
ChineseYearInfo info_on_fresh_thread(int32_t year, std::optional<int32_t> before = std::nullopt) {
  ChineseYearInfo info{};
  std::thread([&] {
    if (before) chinese_year_info(*before);
    info = chinese_year_info(year);
  }).join();
  return info;
}

bool same(const ChineseYearInfo& a, const ChineseYearInfo& b) {
  return a.leap_month == b.leap_month && a.first_lunation == b.first_lunation && a.valid == b.valid;
}

TEST(Chinese, CachedYearsAreKeyedOnTheWholeYear) {
  // Independent: 38000 and -27536 (= 38000 - 65536), both within the
  // calendar's years, share their low 16 bits; each must answer as when asked first.
  struct Case {
    int32_t first, then;
  };
  const Case cases[] = {{38000, -27536}, {-27536, 38000}, {38000, 38000 - 131072}};
  for (const Case& c : cases) {
    EXPECT_TRUE(same(info_on_fresh_thread(c.then, c.first), info_on_fresh_thread(c.then)))
        << c.then << " after " << c.first;
  }
}

TEST(Chinese, CachedYearsFollowTheDeltaTSetting) {
  // A year cached under one delta T is computed again under another. Year
  // 4602 (1966/67) moves a new moon across local midnight when delta T is
  // fixed at 12 hours (found by computing both), so a stale entry would show.
  const ChineseYearInfo plain = chinese_year_info(4602);
  set_delta_t_override(43200.0 * kSecondsToCenturies);
  const ChineseYearInfo shifted = chinese_year_info(4602);
  const ChineseYearInfo fresh = info_on_fresh_thread(4602);
  set_delta_t_override(0.0);
  EXPECT_FALSE(same(shifted, plain));
  EXPECT_TRUE(same(shifted, fresh));
  EXPECT_TRUE(same(chinese_year_info(4602), plain));
}

TEST(Chinese, FarYearsAreInvalidNotWrong) {
  // Beyond the calendar's years (about 36,000 CE) a year is invalid, and its
  // conversions give NaN or the empty text. The upper bound of the accepted
  // range (about 215,000 years ahead) lies far beyond.
  char out[kTextCapacity];
  const JulianDay far = 80156580.0;
  chinese::format_date(out, far, 1);
  EXPECT_STREQ(out, "");
  EXPECT_TRUE(std::isnan(chinese::from_jd(far).day));
}

TEST(Chinese, StepsBackWhenTheEstimateIsAYearHigh) {
  // From year 24132 on the mean-year estimate can fall a year past the day;
  // serial 10994216 must be a valid day of its year, not month 0 of the next.
  const JulianDay jd = serial_to_jd(10994216.0);
  const ChineseDate d = chinese::from_jd(jd);
  ASSERT_FALSE(std::isnan(d.day));
  EXPECT_GE(d.month, 1);
  EXPECT_GE(d.day, 1.0);
  EXPECT_EQ(chinese::to_jd(d.year, d.month, d.leap, d.day), jd);
}

// Whether jd has a Chinese date, checked: either none (NaN day, empty text
// from SC_calendar's path) or fields a lunisolar month can have, which the
// worksheet conversion SC_chinese turns back into jd. jd is a whole day.
bool sound_or_absent(JulianDay jd) {
  set_current_language(kLanguageEnglish);  // the calendar's name is "chinese"
  char text[kTextCapacity];
  format_calendar_date(text, named("chinese"), jd_to_serial(jd), 0);
  const ChineseDate d = chinese::from_jd(jd);
  const std::string where = [&] {
    std::ostringstream s;
    s << std::setprecision(17) << "jd " << jd << " delta T " << delta_t_override() << ": " << d.year << " " << d.month
      << (d.leap ? "!" : "") << " " << d.day << " '" << text << "'";
    return s.str();
  }();
  if (std::isnan(d.day)) {
    EXPECT_STREQ(text, "") << where;
    return false;
  }
  EXPECT_TRUE(d.month >= 1 && d.month <= 12 && (d.leap == 0 || d.leap == 1) && d.day >= 1.0 && d.day < 31.0) << where;
  const FloorDiv cycle = floor_div(d.year, 60);
  const std::string month = std::to_string(d.month);
  EXPECT_EQ(convert_chinese_date(static_cast<double>(cycle.quot + 1), static_cast<double>(cycle.rem + 1),
                                 named(month.c_str()), d.leap, d.day),
            std::optional<SerialDate>(jd_to_serial(jd)))
      << where;
  EXPECT_NE(text[0], '\0') << where;
  return true;
}

// Fixes a delta T (seconds; 0: the built-in model) for one scope.
struct FixedDeltaT {
  explicit FixedDeltaT(double seconds) { set_delta_t_override(seconds * kSecondsToCenturies); }
  ~FixedDeltaT() { set_delta_t_override(0.0); }
};

TEST(Chinese, ReportedImpossibleDatesAreSoundOrAbsent) {
  // Reported: serial 24149778 gave day 611 of month 14 and -24145332.26
  // month -27 (both beyond the calendar's years: no date), and every day of
  // 2024 with delta T fixed at 1e8 s had month 14 (a date, three years on).
  struct Case {
    double serial, delta_t_seconds;
    bool has_date;
  } cases[] = {{24149778, 0, false}, {-24145332.26, 0, false}, {24149778, 1e8, false}};
  for (const Case& c : cases) {
    const FixedDeltaT fixed(c.delta_t_seconds);
    EXPECT_EQ(sound_or_absent(serial_to_jd(c.serial)), c.has_date) << c.serial;
  }
  const FixedDeltaT fixed(1e8);
  for (JulianDay jd = gregorian_day(2024, 1, 1); jd < gregorian_day(2025, 1, 1); jd += 1.0) {
    ASSERT_TRUE(sound_or_absent(jd));
  }
}

TEST(Chinese, RandomDatesOverTheAcceptedRangeAreSoundOrAbsent) {
  // Seeded sweep: half the days drawn over the whole accepted range, half
  // over the calendar's years, under the built-in delta T and fixed ones (the
  // largest the setting holds, 2^31 - 1 s, and -1e8 s). Every day from the
  // first day of the first year to the 353rd of the last (no year is shorter)
  // has a date.
  std::mt19937_64 random(22);
  for (const double seconds : {0.0, 2147483647.0, -1e8}) {
    const FixedDeltaT fixed(seconds);
    const JulianDay first = chinese_new_year(kChineseFirstYear);
    const JulianDay last = chinese_new_year(kChineseLastYear) + 352.0;
    ASSERT_FALSE(std::isnan(first) || std::isnan(last));
    for (int32_t n = 0; n < 1500; ++n) {
      const double low = n % 2 == 0 ? kMinAcceptedJd : first;
      const double span = (n % 2 == 0 ? kMaxAcceptedJd : last) - low;
      const JulianDay jd = std::floor(low + static_cast<double>(random() % static_cast<uint64_t>(span))) + 0.5;
      const bool has_date = sound_or_absent(jd);
      if (jd >= first && jd <= last) {
        EXPECT_TRUE(has_date) << std::setprecision(17) << jd << " " << seconds;
      }
    }
  }
}

TEST(Chinese, DatesBeginAndEndWithTheCalendarsYears) {
  // The range stated in README, computed: the first day of year -28956
  // (cycle -482, year 25) and the last of 38851 (cycle 648, year 32), under
  // the built-in delta T and under the largest fixed one.
  struct Case {
    double delta_t_seconds;
    JulianDay first, last;
  } cases[] = {{0, -9817643.5, 14948775.5}, {2147483647.0, -9842456.5, 14923920.5}};
  for (const Case& c : cases) {
    const FixedDeltaT fixed(c.delta_t_seconds);
    EXPECT_FALSE(sound_or_absent(c.first - 1.0)) << c.delta_t_seconds;
    EXPECT_TRUE(sound_or_absent(c.first)) << c.delta_t_seconds;
    EXPECT_TRUE(sound_or_absent(c.last)) << c.delta_t_seconds;
    EXPECT_FALSE(sound_or_absent(c.last + 1.0)) << c.delta_t_seconds;
    EXPECT_EQ(convert_chinese_date(-482, 25, named("1"), 0, 1), std::optional<SerialDate>(jd_to_serial(c.first)));
    EXPECT_EQ(convert_chinese_date(-482, 24, named("1"), 0, 1), std::nullopt);
    EXPECT_EQ(convert_chinese_date(648, 33, named("1"), 0, 1), std::nullopt);
    // A leap flag on month 12 of the last year would carry past its end.
    EXPECT_EQ(convert_chinese_date(648, 32, named("12"), 1, 1), std::nullopt);
  }
}

}  // namespace
}  // namespace varizav
