#include "calendars/western/iso8601.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "calendars/western/gregorian.h"
#include "framework/date.h"

namespace varizav {
namespace {

TEST(Iso8601, KnownWeekDates) {
  struct Case {
    int32_t gy, gm, gd;  // Gregorian date
    int32_t year, week, day;
    const char* source;
  };
  const Case cases[] = {
      {2003, 12, 29, 2004, 1, 1, "independent: ISO 8601, week 1 holds the year's first Thursday"},
      {2005, 1, 1, 2004, 53, 6, "independent: ISO 8601, 2004 has 53 weeks (it begins on a Thursday)"},
      {1977, 1, 1, 1976, 53, 6, "independent: ISO 8601 week-date examples"},
      {1977, 1, 2, 1976, 53, 7, "independent: ISO 8601 week-date examples"},
      {1977, 12, 31, 1977, 52, 6, "independent: ISO 8601 week-date examples"},
      {1978, 1, 2, 1978, 1, 1, "independent: ISO 8601 week-date examples"},
      {1979, 12, 31, 1980, 1, 1, "independent: ISO 8601 week-date examples"},
      {2008, 12, 29, 2009, 1, 1, "independent: ISO 8601 week-date examples"},
      {2010, 1, 3, 2009, 53, 7, "independent: ISO 8601 week-date examples"},
      {2000, 1, 1, 1999, 52, 6, "independent: 1 January 2000 was a Saturday of week 52"},
  };
  for (const Case& c : cases) {
    const JulianDay jd = gregorian::to_jd(c.gy, c.gm, c.gd);
    const WeekDate w = iso8601::from_jd(jd);
    EXPECT_EQ(w.year, c.year) << c.source;
    EXPECT_EQ(w.week, c.week) << c.source;
    EXPECT_EQ(w.day, c.day) << c.source;
    EXPECT_EQ(iso8601::to_jd(c.year, c.week, c.day), jd) << c.source;
  }
}

TEST(Iso8601, YearsOf53Weeks) {
  struct Case {
    int32_t year;
    bool long_year;
  };
  // Independent: ISO years that begin on a Thursday, or leap years that end
  // on one, have 53 weeks: 2004, 2009, 2015, 2020, 2026.
  const Case cases[] = {{2004, true}, {2009, true}, {2005, false}, {2015, true},
                        {2020, true}, {2026, true}, {2021, false}};
  for (const Case& c : cases) EXPECT_EQ(iso8601::is_leap_year(c.year) != 0, c.long_year) << c.year;
  // Independent: a long year is 371 days from week 1 to week 1, and week 1
  // starts on a Monday between 29 December and 4 January.
  for (int32_t y = -3000; y <= 3000; ++y) {
    const JulianDay start = iso_week_year_start(y);
    ASSERT_EQ(weekday_index(start), 0) << y;
    ASSERT_GE(start, gregorian::to_jd(y - 1, 12, 29.0)) << y;
    ASSERT_LE(start, gregorian::to_jd(y, 1, 4.0)) << y;
    ASSERT_EQ(iso8601::is_leap_year(y) != 0, iso_week_year_start(y + 1) - start == 371.0) << y;
  }
}

TEST(Iso8601, RoundTripsAndStepsOneDayAtATime) {
  // Property: days run 1..7 and weeks 1..52 or 53, with a time of day carried
  // in the day's fraction (19:30 = 0.8125, exact in binary).
  WeekDate a = iso8601::from_jd(-1e6 + 0.5);
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    ASSERT_EQ(iso8601::to_jd(a.year, a.week, a.day), jd) << a.year << "-W" << a.week << "-" << a.day;
    const WeekDate t = iso8601::from_jd(jd + 0.8125);
    ASSERT_EQ(t.day - a.day, 0.8125) << "jd " << jd;
    ASSERT_EQ(iso8601::to_jd(t.year, t.week, t.day), jd + 0.8125) << "jd " << jd;
    const WeekDate b = iso8601::from_jd(jd + 1.0);
    if (a.day < 7.0) {
      ASSERT_TRUE(b.year == a.year && b.week == a.week && b.day == a.day + 1.0) << "jd " << jd;
    } else if (a.week < 52 + iso8601::is_leap_year(a.year)) {
      ASSERT_TRUE(b.year == a.year && b.week == a.week + 1 && b.day == 1.0) << "jd " << jd;
    } else {
      ASSERT_TRUE(b.year == a.year + 1 && b.week == 1 && b.day == 1.0) << "jd " << jd;
    }
    a = b;
  }
}

TEST(Iso8601, RangeLimits) {
  // Property at the accepted limits: the round trip holds and the week is valid.
  for (double jd : {kMinAcceptedJd - 0.5, kMinAcceptedJd, kMaxAcceptedJd, kMaxAcceptedJd + 0.5}) {
    const WeekDate w = iso8601::from_jd(jd);
    EXPECT_GE(w.week, 1);
    EXPECT_LE(w.week, 53);
    EXPECT_EQ(iso8601::to_jd(w.year, w.week, w.day), jd);
  }
}

TEST(Iso8601, FormatIsTheSameInEveryMode) {
  // Independent (ISO 8601): 1 January 2005 gives 2004, week 53, day 06.
  const JulianDay jd = gregorian::to_jd(2005, 1, 1.75);
  for (int32_t mode : {1, 0, -1}) {
    char out[kTextCapacity];
    EXPECT_EQ(iso8601::format_date(out, jd, mode), 10);
    EXPECT_STREQ(out, "2004-53-06");
  }
  char out[kTextCapacity];
  iso8601::format_date(out, gregorian::to_jd(-50, 6, 15.0), 1);  // independent: jdn_gregorian, a Thursday of week 24
  EXPECT_STREQ(out, " -50-24-04");
}

}  // namespace
}  // namespace varizav
