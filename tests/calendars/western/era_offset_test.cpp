#include "calendars/western/era_offset.h"

#include <gtest/gtest.h>

#include <cstring>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_test_support.h"
#include "framework/keyword.h"
#include "named_text.h"

namespace varizav {

using testing::named;
namespace {

using testing::leap_gregorian;
using testing::leap_julian;

struct EraCalendar {
  const char* name;
  int64_t offset;  // calendar year = underlying year + offset
  bool julian;     // underlying calendar
  int32_t (*is_leap_year)(int32_t);
  JulianDay (*to_jd)(int32_t, int32_t, double);
  CalendarDate (*from_jd)(JulianDay);
  JulianDay (*year_start)(int32_t);
};

// Offsets and underlying calendars of the eras (year 1: Buddhist 543 BC,
// Minguo 1912, Byzantine 5509 BC, Seleucid 312 BC).
const EraCalendar kCalendars[] = {
    {"buddhist", 543, false, buddhist::is_leap_year, buddhist::to_jd, buddhist::from_jd, buddhist::year_start},
    {"taiwanese", -1911, false, taiwanese::is_leap_year, taiwanese::to_jd, taiwanese::from_jd, taiwanese::year_start},
    {"byzantine", 5509, true, byzantine::is_leap_year, byzantine::to_jd, byzantine::from_jd, byzantine::year_start},
    {"seleucid", 312, true, seleucid::is_leap_year, seleucid::to_jd, seleucid::from_jd, seleucid::year_start},
};

CalendarDate underlying_from_jd(const EraCalendar& c, JulianDay jd) {
  return c.julian ? julian::from_jd(jd) : gregorian::from_jd(jd);
}

TEST(EraOffset, KnownDates) {
  struct Case {
    CalendarDate (*from_jd)(JulianDay);
    JulianDay (*to_jd)(int32_t, int32_t, double);
    testing::KnownDate date;
  };
  const JulianDay jan1_2000 = gregorian::to_jd(2000, 1, 1.0);
  const Case cases[] = {
      // Defined offsets: Buddhist = Gregorian + 543, Minguo = Gregorian - 1911.
      {buddhist::from_jd, buddhist::to_jd, {jan1_2000, 2543, 1, 1.0, "buddhist 1 January 2543"}},
      {taiwanese::from_jd, taiwanese::to_jd, {jan1_2000, 89, 1, 1.0, "taiwanese 1 January 89"}},
      {taiwanese::from_jd, taiwanese::to_jd, {gregorian::to_jd(1911, 6, 1.0), 0, 6, 1.0, "taiwanese year 0 is 1911"}},
      {byzantine::from_jd, byzantine::to_jd, {jan1_2000, 7508, 12, 19.0, "byzantine 19 December 7508"}},
      {seleucid::from_jd, seleucid::to_jd, {julian::to_jd(2000, 10, 1.0), 2312, 10, 1.0, "seleucid 1 October 2312"}},
      {syrian::from_jd, syrian::to_jd, {julian::to_jd(2000, 10, 1.0), 2312, 1, 1.0, "syrian 1 Tishrin I 2312"}},
      {syrian::from_jd, syrian::to_jd, {julian::to_jd(2001, 1, 1.0), 2313, 4, 1.0, "syrian 1 Kanun II 2313"}},
      {syrian::from_jd, syrian::to_jd, {julian::to_jd(2000, 12, 31.0), 2312, 3, 31.0, "syrian 31 Kanun I 2312"}},
      // Independent: noon carries into the day's fraction.
      {buddhist::from_jd, buddhist::to_jd, {jan1_2000 + 0.5, 2543, 1, 1.5, "buddhist noon"}},
  };
  for (const Case& c : cases) testing::expect_known_date(c.from_jd, c.to_jd, c.date);
}

TEST(EraOffset, SyrianMonthsAreTheJulianMonthsFromOctober) {
  // Independent: Tishrin I = October .. Aylul = September, in one year number.
  const int32_t julian_month_of[13] = {0, 10, 11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  for (int32_t s = 1; s <= 12; ++s) {
    const int32_t j = julian_month_of[s];
    EXPECT_EQ(syrian::to_jd(2400, s, 1.0), julian::to_jd(2400 - 312, j, 1.0)) << s;
    const CalendarDate d = syrian::from_jd(julian::to_jd(2088, j, 15.0));
    EXPECT_EQ(d.month, s) << s;
    EXPECT_EQ(d.year, 2400) << s;
  }
  struct Lookup {
    const char* text;
    int32_t month;
  };
  // Independent: names and numbers as in the month list; "Tishrin" finds the first.
  const Lookup lookups[] = {{"1", 1},        {"Tishrin I", 1}, {"tishrin ii", 2}, {"Tishrin", 1},
                            {"Kanun II", 4}, {"aylul", 12},    {"Ab", 11},        {"a", 6},
                            {"ay", 8},       {"13", 0},        {"October", 0},    {"", 0}};
  for (const Lookup& l : lookups) EXPECT_EQ(keyword_lookup(named(l.text), syrian_month_names), l.month) << l.text;
}

TEST(EraOffset, EveryDayMapsToTheUnderlyingDateAndBack) {
  // Property: the same month and day as the underlying calendar, the year
  // shifted by the offset, and to_jd inverting from_jd.
  for (double jd = -1e6 + 0.5; jd <= 4e6; jd += 1.0) {
    for (const EraCalendar& c : kCalendars) {
      const CalendarDate u = underlying_from_jd(c, jd);
      const CalendarDate d = c.from_jd(jd);
      ASSERT_TRUE(d.year == u.year + c.offset && d.month == u.month && d.day == u.day) << c.name << " jd " << jd;
      ASSERT_EQ(c.to_jd(d.year, d.month, d.day), jd) << c.name << " jd " << jd;
    }
    const CalendarDate s = syrian::from_jd(jd);
    ASSERT_EQ(syrian::to_jd(s.year, s.month, s.day), jd) << "syrian jd " << jd;
  }
}

TEST(EraOffset, LeapYearsAndYearStarts) {
  // Independent: a leap year has 366 days from 1 January to 1 January, and its
  // rule is the underlying calendar's on the underlying year.
  for (const EraCalendar& c : kCalendars) {
    for (int32_t y = -3000; y <= 9000; ++y) {
      const bool leap = c.julian ? leap_julian(y - c.offset) : leap_gregorian(y - c.offset);
      ASSERT_EQ(c.is_leap_year(y) != 0, leap) << c.name << " " << y;
      ASSERT_EQ(c.year_start(y + 1) - c.year_start(y), leap ? 366.0 : 365.0) << c.name << " " << y;
      const int32_t underlying = static_cast<int32_t>(y - c.offset);
      const JulianDay underlying_new_year = c.julian ? julian_new_year(underlying) : gregorian_new_year(underlying);
      ASSERT_EQ(c.year_start(y), underlying_new_year) << c.name << " " << y;
    }
  }
  for (int32_t y = -3000; y <= 3000; ++y) {
    ASSERT_EQ(syrian::is_leap_year(y), seleucid::is_leap_year(y)) << y;  // 312 is a multiple of 4
    ASSERT_EQ(syrian::year_start(y), seleucid::year_start(y)) << y;      // the year begins in January
  }
  // Independent: Buddhist 2543 (Gregorian 2000) is leap, 2443 (1900) is not.
  EXPECT_EQ(buddhist::is_leap_year(2543), 1);
  EXPECT_EQ(buddhist::is_leap_year(2443), 0);
  EXPECT_EQ(taiwanese::is_leap_year(89), 1);
  EXPECT_EQ(byzantine::is_leap_year(7409), 1);  // Julian 1900
  EXPECT_EQ(byzantine::is_leap_year(7408), 0);  // Julian 1899
}

TEST(EraOffset, ExtremeYearsStayDefined) {
  // Independent: March to March is 365 or 366 days by the underlying rule on
  // year - offset, which leaves the 32-bit range here (computed in 64 bits).
  for (const EraCalendar& c : kCalendars) {
    for (int64_t y : {int64_t{-2147483648}, int64_t{2147483646}}) {
      const int64_t next = y + 1 - c.offset;
      const bool leap = c.julian ? leap_julian(next) : leap_gregorian(next);
      const double days = c.to_jd(static_cast<int32_t>(y + 1), 3, 1.0) - c.to_jd(static_cast<int32_t>(y), 3, 1.0);
      EXPECT_EQ(days, leap ? 366.0 : 365.0) << c.name << " " << y;
      const bool leap_y = c.julian ? leap_julian(y - c.offset) : leap_gregorian(y - c.offset);
      EXPECT_EQ(c.is_leap_year(static_cast<int32_t>(y)) != 0, leap_y) << c.name << " " << y;
    }
  }
  // A year beyond the 32-bit range from an absurd JulianDay is clamped, not wrapped.
  EXPECT_EQ(buddhist::from_jd(1e300).year, 2147483647);
  EXPECT_EQ(taiwanese::from_jd(-1e300).year, -2147483647 - 1);
}

}  // namespace
}  // namespace varizav
