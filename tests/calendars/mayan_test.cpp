#include "calendars/mayan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "astro/time_scales.h"
#include "calendars/calendar_properties.h"
#include "calendars/registry.h"
#include "calendars/western/julian.h"
#include "framework/language.h"
#include "varizav/addin.h"

namespace varizav {
namespace {

// Independent: the Goodman-Martinez-Thompson correlation, JDN 584283 for
// 13.0.0.0.0 4 Ahau 8 Cumku.
constexpr const char* kGmt2000 = "independent: 1 January 2000 is 12.19.6.15.2 11 Ik 10 Kankin (GMT correlation)";

struct LongCount {
  int kinchiltun, calabtun, pictun, baktun, katun, tun, uinal;
  float kin;
  int haab_day, haab_month, tzolkin_number, tzolkin_name;
};

::testing::AssertionResult same(const MayanDate& d, const LongCount& w) {
  if (d.alautun == 0 && d.kinchiltun == w.kinchiltun && d.calabtun == w.calabtun && d.pictun == w.pictun &&
      d.baktun == w.baktun && d.katun == w.katun && d.tun == w.tun && d.uinal == w.uinal && d.kin == w.kin &&
      d.haab_day == w.haab_day && d.haab_month == w.haab_month && d.tzolkin_number == w.tzolkin_number &&
      d.tzolkin_name == w.tzolkin_name) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << int{d.alautun} << "." << int{d.kinchiltun} << "." << int{d.calabtun} << "."
                                       << int{d.pictun} << "." << int{d.baktun} << "." << int{d.katun} << "."
                                       << int{d.tun} << "." << int{d.uinal} << "." << d.kin << " haab "
                                       << int{d.haab_day} << "/" << int{d.haab_month} << " tzolkin "
                                       << int{d.tzolkin_number} << "/" << int{d.tzolkin_name};
}

TEST(Mayan, WorkedExamples) {
  struct Case {
    JulianDay jd;
    LongCount want;
    const char* source;
  };
  const Case cases[] = {
      {584282.5,
       {0, 0, 0, 0, 0, 0, 0, 0.0f, 8, 17, 4, 19},
       "independent: 13.0.0.0.0 4 Ahau 8 Cumku is JDN 584283 (GMT correlation)"},
      {2451544.5,
       {0, 0, 0, 12, 19, 6, 15, 2.0f, 10, 13, 11, 1},
       "independent: 1 January 2000 is 12.19.6.15.2 11 Ik 10 Kankin (GMT correlation)"},
      {584281.5, {-1, 19, 19, 19, 19, 19, 17, 19.0f, 7, 17, 3, 18}, "independent: one day back in each count"},
      {2456282.5, {0, 0, 0, 13, 0, 0, 0, 0.0f, 3, 13, 4, 19}, "13.0.0.0.0, 21 December 2012: 4 Ahau 3 Kankin"},
      {2451544.75, {0, 0, 0, 12, 19, 6, 15, 2.25f, 10, 13, 11, 1}, "6:00 is kin 2.25"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(same(mayan::from_jd(c.jd), c.want)) << c.source;
  }
  // Independent: day zero is 6 September 3114 BC (Julian year -3113).
  EXPECT_EQ(mayan::kEpochJd, julian::to_jd(-3113, 9, 6));
}

TEST(Mayan, EveryDayFollowsTheCycles) {
  // Property: JulianDay -1e6 .. 4e6: the long count round-trips (also with a
  // time of day), its units stay in range, and the Haab and Tzolkin advance by one day.
  MayanDate d = mayan::from_jd(-1000000.5);
  for (int64_t i = 0; i <= 5000000; ++i) {
    const double jd = -1000000.5 + static_cast<double>(i);
    ASSERT_EQ(mayan::to_jd(d), jd) << i;
    ASSERT_TRUE(d.baktun >= 0 && d.baktun < 20 && d.katun >= 0 && d.katun < 20 && d.tun >= 0 && d.tun < 20 &&
                d.uinal >= 0 && d.uinal < 18 && d.kin >= 0.0f && d.kin < 20.0f)
        << jd;
    const MayanDate half = mayan::from_jd(jd + 0.5);
    ASSERT_EQ(half.kin, d.kin + 0.5f) << jd;
    ASSERT_EQ(mayan::to_jd(half), jd + 0.5) << jd;
    const MayanDate next = mayan::from_jd(jd + 1.0);
    const int h = d.haab_month * 20 + d.haab_day;
    ASSERT_EQ(next.haab_month * 20 + next.haab_day, (h + 1) % 365) << jd;
    ASSERT_EQ(next.tzolkin_number, d.tzolkin_number % 13 + 1) << jd;
    ASSERT_EQ(next.tzolkin_name, (d.tzolkin_name + 1) % 20) << jd;
    d = next;
  }
}

TEST(Mayan, TimeOfDayKeepsFloatPrecision) {
  // kin is a 32-bit float: a time of day survives to about a microday.
  for (const double jd : {584282.8, 2451544.8, -76715588.7, 80156579.8}) {
    EXPECT_NEAR(mayan::to_jd(mayan::from_jd(jd)), jd, 2e-6) << jd;
  }
}

TEST(Mayan, Text) {
  const testing::TextCase cases[] = {
      {2451544.5, 1, "12.19.6.15.2: 10 Kankin: 11 Ik", kGmt2000},
      {2451544.5, 0, "12.19.6.15.2: 10 14: 11 2", kGmt2000},
      {2451544.5, -1, "0.0.0.0.12.19.6.15.2.000000: 10 14: 11 2", "every unit, kin with six decimals"},
      {584281.5, 1, "-1.19.19.19.19.19.17.19: 7 Cumku: 3 Cauac", "kinchiltun -1 before day zero"},
      {584281.5, 0, "-1.19.19.19.19.19.17.19: 7 18: 3 19", "number form"},
      {584282.5 + 57600000.0, 1, "1.0.0.0.0.0.0: 3 Zotz: 7 Ahau", "calabtun 1 keeps the zero pictun"},
      {584282.5 + 57600000.0, 0, "1.0.0.0.0.0.0: 3 4: 7 20", "number form"},
      // 17 days after 1 January 2000 (independent: counted on by hand), in the second half of the day.
      {2451561.5 + 0.75, 1, "12.19.6.15.20: 7 Muan: 2 Cauac", "kin 19.75 prints as 20"},
      {2451561.5 + 0.75, -1, "0.0.0.0.12.19.6.15.19.750000: 7 15: 2 19", "the exact kin"},
  };
  testing::expect_registry_texts("mayan", "maya", kSerialEpochJd, cases);
}

TEST(Mayan, CycleStarts) {
  // Independent: the rounds start at day zero (JDN 584283, GMT correlation);
  // a calendar round is 18,980 days; the Haab year holding day zero began
  // 348 days before it (8 Cumku is day 348 of the Haab).
  EXPECT_EQ(mayan::calendar_round_start(0), 584282.5);
  EXPECT_EQ(mayan::calendar_round_start(1), 603262.5);
  EXPECT_EQ(mayan::haab_year_start(0), 583934.5);
  EXPECT_EQ(mayan::tzolkin_cycle_start(0), 584123.5);
  // Property: each cycle begins on its first day (4 Ahau 8 Cumku, 0 Pop, 1 Imix) and has its length.
  for (int32_t c = -2000; c <= 2000; ++c) {
    const MayanDate round = mayan::from_jd(mayan::calendar_round_start(c));
    const MayanDate haab = mayan::from_jd(mayan::haab_year_start(c));
    const MayanDate tzolkin = mayan::from_jd(mayan::tzolkin_cycle_start(c));
    ASSERT_TRUE(round.tzolkin_number == 4 && round.tzolkin_name == 19 && round.haab_month == 17 && round.haab_day == 8)
        << c;
    ASSERT_TRUE(haab.haab_month == 0 && haab.haab_day == 0) << c;
    ASSERT_TRUE(tzolkin.tzolkin_number == 1 && tzolkin.tzolkin_name == 0) << c;
    ASSERT_EQ(mayan::calendar_round_start(c + 1) - mayan::calendar_round_start(c), 18980.0);
    ASSERT_EQ(mayan::haab_year_start(c + 1) - mayan::haab_year_start(c), 365.0);
    ASSERT_EQ(mayan::tzolkin_cycle_start(c + 1) - mayan::tzolkin_cycle_start(c), 260.0);
  }
  // 64-bit products: the largest cycle numbers stay exact.
  EXPECT_EQ(mayan::calendar_round_start(std::numeric_limits<int32_t>::max()), 18980.0 * 2147483647.0 + 584282.5);
}

TEST(Mayan, CycleInProgress) {
  // The cycle holding the instant passed in; expected numbers counted by hand
  // from the epoch 584282.5 (4 Ahau 8 Cumku = day 348 of the Haab, position
  // 159 of the Tzolkin).
  struct Case {
    mayan::Cycle cycle;
    JulianDay now;
    int32_t want;
    const char* source;
  };
  const Case cases[] = {
      {mayan::Cycle::calendar_round, 2451544.5, 98, "1 Jan 2000: 1867262 days = 98 rounds + 7222"},
      {mayan::Cycle::haab_year, 2451544.5, 5116, "(1867262 + 348) / 365 = 5116"},
      {mayan::Cycle::tzolkin, 2451544.5, 7182, "(1867262 + 159) / 260 = 7182"},
      {mayan::Cycle::haab_year, 584282.5 + 16.0, 0, "day 16 of the epoch year: 364 + 16 < 365 days"},
      {mayan::Cycle::haab_year, 584282.5 + 17.0, 1, "first day of Haab year 1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mayan::cycle_in_progress(c.cycle, c.now), c.want) << c.source;
  }
}

TEST(Mayan, RegistryDateIsTunUinalKin) {
  const FromJdFn from_jd = from_jd_table[kMayan];
  const CalendarDate d = from_jd(2451544.75);  // 12.19.6.15.2 at 6:00
  EXPECT_EQ(d.year, 12 * 400 + 19 * 20 + 6);
  EXPECT_EQ(d.month, 16);
  EXPECT_EQ(d.day, 3.25);
  EXPECT_EQ(from_jd(584281.5).year, -1);  // the last tun before day zero
  EXPECT_EQ(is_leap_year_table[kMayan](2000), 0);
}

TEST(Mayan, Worksheet) {
  struct Case {
    double baktun, katun, tun, uinal, kin;
    double want;
    const char* source;
  };
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const Case cases[] = {
      {12, 19, 6, 15, 2, 36526.0, kGmt2000},
      {12, 19, 6, 15, 2.9, 36526.0, "defined: the kin's fraction is dropped"},
      {13, 0, 0, 0, 0, 41264.0, "independent: 13.0.0.0.0 is 21 December 2012 (GMT correlation)"},
      {12, 19, 6, 18, 25, 36609.0, "uinal 18 and kin 25 count on (independent: unit sums by hand)"},
      {200, 0, 0, 0, 0, -9894736.0, "baktun 200 keeps its low 8 bits, -56"},
      {256, 0, 0, 0, 0, -1830736.0, "baktun 256 is 0"},
      {-20, 0, 0, 0, 0, -4710736.0, "negative units count back"},
      {1e10, 0, 0, 0, 0, -1974736.0, "a huge baktun truncates to 0x7FFFFFFF, low byte -1"},
      {0, 0, 0, 0, kNaN, -2149314384.0, "a NaN kin truncates to -2^31 days"},
  };
  for (const Case& c : cases) {
    double result = 0;
    SC_mayan(&result, &c.baktun, &c.katun, &c.tun, &c.uinal, &c.kin);
    EXPECT_EQ(result, c.want) << c.source;
  }
}

}  // namespace
}  // namespace varizav
