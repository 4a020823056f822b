#include "events/coincidence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "astro/time_scales.h"
#include "calendars/western/civil.h"
#include "calendars/western/gregorian.h"
#include "events/astro_events.h"
#include "events/holidays.h"
#include "events/search_expect.h"
#include "events/search_limits.h"
#include "expect_error.h"
#include "framework/language.h"
#include "varizav/addin.h"
#include "worksheet_values.h"

namespace varizav {
namespace {

// The shared checks and dates of the event tests (search_expect.h, expect_error.h).
using namespace testing;
constexpr double kMinute = 1.0 / 1440.0;  // days
// Astronomical instants found from different starts differ by a fraction of a
// second (delta T is taken at the start instant).
constexpr double kSecond = 1.0 / 86400.0;

// Search bound, language, time zone, delta T and reform are process-wide:
// every test restores them.
class SearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_loop_ = max_loop();
    saved_language_ = current_language();
    saved_tz_ = tz_offset_seconds();
    saved_delta_t_ = delta_t_override();
    saved_reform_ = reform_ymd();
    set_current_language(kLanguageEnglish);
    set_tz_offset_seconds(0);
  }
  void TearDown() override {
    set_max_loop(saved_loop_);
    set_current_language(saved_language_);
    set_tz_offset_seconds(saved_tz_);
    set_delta_t_override(saved_delta_t_);
    set_reform(saved_reform_);
  }

 private:
  int32_t saved_loop_ = kDefaultMaxLoop;
  LanguageId saved_language_ = kLanguageEnglish;
  int64_t saved_tz_ = 0;
  double saved_delta_t_ = 0.0;
  int32_t saved_reform_ = 0;
};

void expect_serial(double got, double want, double tolerance, const char* source) {
  if (is_error_value(want)) {
    EXPECT_TRUE(is_error_value(got)) << source << ": got " << got;
  } else {
    EXPECT_NEAR(got, want, tolerance) << source;
  }
}

struct WhenCase {
  const char* calendar;
  const char* event;
  const char* weekday;
  double day;
  const char* month;
  double start;  // serial date
  double want;   // serial date, or kError
  double tolerance;
  const char* source;
};

TEST_F(SearchTest, WhenCases) {
  const double jan1_2000 = serial_of(gregorian_jd0(2000, 1, 1));
  const WhenCase kCases[] = {
      {"gregorian", "", "Friday", 13, "", jan1_2000, serial_of(gregorian_jd0(2000, 10, 13)), 0,
       "independent: the only Friday 13th of 2000 (weekdays by Meeus, ch. 7)"},
      {"", "", "Friday", 13, "", jan1_2000 + 0.7, serial_of(gregorian_jd0(2000, 10, 13)), 0,
       "defined: no calendar named is Gregorian; a day scan starts at 0h"},
      {"gregorian", "", "Friday", 13, "", serial_of(gregorian_jd0(2000, 10, 13)) + 0.5,
       serial_of(gregorian_jd0(2000, 10, 13)), 0, "independent: from noon the day itself"},
      {"gregorian", "", "", 0, "", serial_of(gregorian_jd0(2000, 3, 5)) + 0.3, serial_of(gregorian_jd0(2000, 3, 5)), 0,
       "defined: no pattern returns the first candidate"},
      {"gregorian", "", "", 29, "February", serial_of(gregorian_jd0(2001, 1, 1)), serial_of(gregorian_jd0(2004, 2, 29)),
       0, "independent: next leap day"},
      {"gregorian", "", "", 31, "February", jan1_2000, kError, 0,
       "independent: 31 February never exists, the bound runs out"},
      {"gregorian", "", "", 30, "February", jan1_2000, kError, 0, "independent: nor does 30 February"},
      {"gregorian", "", "", 10, "October", serial_of(julian_jd0(1582, 9, 1)), serial_of(gregorian_jd0(1583, 10, 10)), 0,
       "independent: 5-14 October 1582 are no civil dates"},
      {"gregorian", "Easter", "", 0, "March", jan1_2000, serial_of(gregorian_jd0(2002, 3, 31)), 0,
       "independent: Easter 2000 23 Apr, 2001 15 Apr, 2002 31 Mar"},
      {"gregorian", "Pentecost", "", 0, "", serial_of(gregorian_jd0(2000, 5, 1)), serial_of(gregorian_jd0(2000, 6, 11)),
       0, "independent: Easter 23 April 2000 + 49 days, asked in May"},
      {"gregorian", "Epiphany", "", 0, "", serial_of(gregorian_jd0(2000, 1, 3)), serial_of(gregorian_jd0(2000, 1, 6)),
       0, "independent: asked on 3 January"},
      {"gregorian", "Christmas", "Monday", 0, "", serial_of(gregorian_jd0(2000, 12, 25)),
       serial_of(gregorian_jd0(2000, 12, 25)), 0, "independent: started on Christmas, a Monday in 2000"},
      {"gregorian", "Christmas", "Sunday", 0, "", serial_of(gregorian_jd0(2000, 12, 25)),
       serial_of(gregorian_jd0(2005, 12, 25)), 0, "independent: next Christmas on a Sunday"},
      {"hebrew", "Passover", "Wednesday", 19, "April", jan1_2000, serial_of(gregorian_jd0(2000, 4, 19)) + 0.75, 0,
       "independent: eve of 15 Nisan 5760, Wednesday 19 April 18:00 (Gauss's Passover formula)"},
      {"hebrew", "Passover", "Thursday", 20, "April", jan1_2000, serial_of(gregorian_jd0(2000, 4, 19)) + 0.75, 0,
       "independent: the same eve counts for Thursday 20 April, the day it begins"},
      {"hebrew", "Passover", "", 0, "", serial_of(gregorian_jd0(2000, 4, 19)),
       serial_of(gregorian_jd0(2000, 4, 19)) + 0.75, 0, "defined: the eve found from 0h of its civil day"},
      {"gregorian", "Advent Sunday", "Sunday", 0, "", serial_of(gregorian_jd0(-5000, 1, 1)),
       serial_of(gregorian_jd0(-5000, 11, 30)), 0, "independent: Sunday 30 November -5000 (Gregorian)"},
      {"gregorian", "", "Friday", 13, "", serial_of(julian_jd0(-5000, 1, 1)), serial_of(julian_jd0(-5000, 5, 13)), 0,
       "independent: civil -5000 is Julian; its first Friday 13th"},
      {"astronomical", "", "Sunday", 0, "", serial_of(julian_jd0(-5000, 1, 1)), serial_of(julian_jd0(-5000, 1, 3)), 0,
       "independent: day scan of the astronomical calendar before JulianDay 0"},
      {"astronomical", "Full Moon", "Friday", 13, "", jan1_2000, serial_of(gregorian_jd0(2000, 10, 13)) + 8.883 / 24,
       10 * kMinute, "independent: full moon 13 October 2000 08:53 UT"},
      {"astronomical", "Eclipse", "", 16, "", serial_of(gregorian_jd0(2000, 6, 1)),
       serial_of(gregorian_jd0(2000, 7, 16)) + 13.933 / 24, 30 * kMinute,
       "independent: solar eclipse 1 July, lunar 16 July 2000 (greatest 13:56 UT), the season's second"},
      {"astronomical", "Julian Year", "", 0, "", jan1_2000 + 1, serial_of(2451910.25), 0,
       "independent: J2000.0 + 365.25 days, the epoch after the start"},
      {"astronomical", "Julian Year", "", 0, "", jan1_2000, serial_of(2451545.0), 0, "independent: J2000.0"},
      {"astronomical", "Besselian Year", "", 0, "", jan1_2000 + 1, serial_of(2451544.5333981 + 365.24219878), kSecond,
       "independent: B2000.0 = JD 2451544.5333981 plus one tropical year"},
      // Rejected arguments.
      {"gregorian", "", "", 32, "", jan1_2000, kError, 0, "day above 31"},
      {"gregorian", "", "", -1, "", jan1_2000, kError, 0, "negative day"},
      {"gregorian", "", "", NAN, "", jan1_2000, kError, 0, "NaN day"},
      {"hebrew", "", "", 0, "", jan1_2000, kError, 0, "no event with a calendar other than Gregorian"},
      {"gregorian", "Nonsense", "", 0, "", jan1_2000, serial_of(gregorian_jd0(2000, 1, 1)), 0,
       "defined: an unknown Gregorian event scans days"},
      {"hebrew", "Nonsense", "", 0, "", jan1_2000, kError, 0, "unknown Hebrew event"},
      {"gregorian", "Easter", "", 0, "", NAN, kError, 0, "NaN start"},
      {"gregorian", "Easter", "", 0, "", serial_of(-76715589.5), kError, 0, "start below the range"},
      {"gregorian", "", "", 0, "", serial_of(80156579.5), serial_of(80156579.5), 0, "last day in the range"},
      {"gregorian", "", "", 0, "", serial_of(80156580.5), kError, 0, "start beyond the range"},
  };
  for (const WhenCase& c : kCases) {
    expect_serial(when(c.calendar, c.event, c.weekday, c.day, c.month, c.start), c.want, c.tolerance, c.source);
  }
}

TEST_F(SearchTest, WhenInLocalTime) {
  // One hour east of Greenwich: the full moon of 13 October 2000 at 09:53
  // local time (independent: 08:53 UT).
  set_tz_offset_seconds(-3600);
  const double got = when("astronomical", "Full Moon", "Friday", 13, "", serial_of(gregorian_jd0(2000, 1, 1)));
  EXPECT_NEAR(got, serial_of(gregorian_jd0(2000, 10, 13)) + 9.883 / 24, 10 * kMinute);
  // Started at 0h local of that day, the full moon of the same morning is found.
  const double same_day = when("astronomical", "Full Moon", "", 0, "", serial_of(gregorian_jd0(2000, 10, 13)));
  EXPECT_NEAR(same_day, got, kSecond);
}

struct When2Case {
  const char* calendar1;
  const char* event1;
  const char* calendar2;
  const char* event2;
  double start;  // serial date
  double want;   // serial date, or kError
  const char* source;
};

TEST_F(SearchTest, When2Cases) {
  const double jan1_2000 = serial_of(gregorian_jd0(2000, 1, 1));
  const When2Case kCases[] = {
      {"gregorian", "Easter", "hebrew", "Passover", serial_of(gregorian_jd0(1950, 1, 1)),
       serial_of(gregorian_jd0(1954, 4, 18)),
       "independent (computus and Hebrew molad arithmetic): 15 Nisan on Easter Sunday 1954"},
      {"gregorian", "Easter", "hebrew", "Passover", jan1_2000, serial_of(gregorian_jd0(2123, 4, 11)),
       "independent: next after 1981 is 2123"},
      {"hebrew", "Passover", "gregorian", "Easter", serial_of(gregorian_jd0(1950, 1, 1)),
       serial_of(gregorian_jd0(1954, 4, 17)) + 0.75,
       "defined: the first event's date, the eve of 15 Nisan = Easter 1954"},
      {"gregorian", "Easter", "julian", "Easter", jan1_2000, serial_of(gregorian_jd0(2001, 4, 15)),
       "independent: both Easters on 15 April 2001"},
      {"gregorian", "Easter", "gregorian", "Easter Sunday", jan1_2000, serial_of(gregorian_jd0(2000, 4, 23)),
       "defined: one code under two names; Easter 2000 by Meeus, ch. 8"},
      {"coptic", "Christmas", "julian", "Christmas", jan1_2000, serial_of(gregorian_jd0(2000, 1, 7)) + 0.75,
       "independent: 1 Thout 1716 is 12 September 1999, + 118 days: eve 7 January 18:00, Julian 25 December 0h"},
      {"gregorian", "Christmas", "julian", "Christmas", jan1_2000, kError, "independent: 13 days apart for ever"},
      {"gregorian", "Nonsense", "hebrew", "Passover", jan1_2000, kError, "unknown first event"},
      {"gregorian", "Easter", "hebrew", "", jan1_2000, kError, "no second event"},
      {"gregorian", "Easter", "hebrew", "Passover", NAN, kError, "NaN start"},
      {"gregorian", "Easter", "hebrew", "Passover", serial_of(-76715590.0), kError, "start below the range"},
      {"gregorian", "Easter", "gregorian", "Easter", serial_of(80156580.5), kError, "start beyond the range"},
  };
  for (const When2Case& c : kCases) {
    expect_serial(when2(c.calendar1, c.event1, c.calendar2, c.event2, c.start), c.want, 0.0, c.source);
  }
}

// Independent: walk the Easter Sundays and the full moons near them; a full
// moon coincides when it falls within Easter Sunday, not the evening before.
TEST_F(SearchTest, When2EasterFullMoon) {
  constexpr EventCode kFullMoon = 0x00020003;
  const double start_jd = gregorian_jd0(2000, 1, 1);
  double want = NAN, want_moon = NAN;
  bool saturday_evening_seen = false;
  for (int32_t year = 2000; year < 2100 && std::isnan(want); ++year) {
    const double easter = easter_gregorian(year);
    const double moon = astro_event(easter - 2.0, astro_kind(kFullMoon), astro_sub(kFullMoon));
    if (moon >= easter - 1.0 && moon < easter) saturday_evening_seen = true;
    const double next = moon < easter ? astro_event(moon + 1.0, astro_kind(kFullMoon), astro_sub(kFullMoon)) : moon;
    if (next >= easter && next < easter + 1.0) {
      want = easter;
      want_moon = next;
    }
  }
  ASSERT_FALSE(std::isnan(want));
  EXPECT_TRUE(saturday_evening_seen) << "the walk passes a full moon on Holy Saturday";
  EXPECT_EQ(when2("gregorian", "Easter", "astronomical", "Full Moon", serial_of(start_jd)), serial_of(want));
  EXPECT_NEAR(when2("astronomical", "Full Moon", "gregorian", "Easter", serial_of(start_jd)), serial_of(want_moon),
              kSecond);
}

TEST_F(SearchTest, LoopBound) {
  const double oct13 = serial_of(gregorian_jd0(2000, 10, 13));
  const double jan1_2000 = serial_of(gregorian_jd0(2000, 1, 1));
  set_max_loop(1);
  // Only the first candidate (or pair) is examined.
  EXPECT_EQ(when("gregorian", "", "Friday", 13, "", oct13), oct13);
  EXPECT_TRUE(is_error_value(when("gregorian", "", "Friday", 13, "", oct13 - 1)));
  EXPECT_NEAR(when("astronomical", "Full Moon", "", 0, "", jan1_2000), serial_of(gregorian_jd0(2000, 1, 21)) + 4.7 / 24,
              10 * kMinute);  // independent: full moon 21 January 2000 04:40 UT
  EXPECT_TRUE(is_error_value(when("astronomical", "Full Moon", "Friday", 13, "", jan1_2000)));
  EXPECT_EQ(when2("gregorian", "Easter", "hebrew", "Passover", serial_of(gregorian_jd0(1954, 1, 1))),
            serial_of(gregorian_jd0(1954, 4, 18)));
  EXPECT_TRUE(is_error_value(when2("gregorian", "Easter", "hebrew", "Passover", serial_of(gregorian_jd0(1953, 1, 1)))));
  set_max_loop(0);
  // Every search fails at once.
  EXPECT_TRUE(is_error_value(when("gregorian", "", "Friday", 13, "", oct13)));
  EXPECT_TRUE(is_error_value(when("gregorian", "", "", 0, "", oct13)));
  EXPECT_TRUE(is_error_value(when2("gregorian", "Easter", "gregorian", "Easter", jan1_2000)));
}

// The occurrences of a code from a year before start on, in order, found
// year by year without the start-date search.
std::vector<double> occurrences(EventCode code, CalendarId calendar, double start, int32_t years) {
  std::vector<double> found;
  const int32_t first = year_index(start, calendar, event_kind(code)) - 2;
  for (int32_t y = first; y < first + years; ++y) {
    const double e = event_in_year(code, y);
    if (e >= start) found.push_back(e);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// Independent of the start-date search: for every holiday of every calendar
// and starts on, just after and just before an occurrence, the search for a
// month (or weekday) returns the first occurrence in that month (on that
// weekday) of the year-by-year list, never a later one.
TEST_F(SearchTest, WhenTakesEveryOccurrence) {
  int checked = 0;
  for (int32_t id = 0; id < kCalendarCount; ++id) {
    const KeywordTable* table = holiday_tables[static_cast<size_t>(id)];
    if (table == &astro_events) continue;  // below
    const CalendarId calendar = static_cast<CalendarId>(id);
    const bool slow = id == kChinese || id == kHindu;
    const int32_t base_years[] = {1905, 1999, 2043};
    for (int32_t entry = 0; entry < table->count; ++entry) {
      const EventCode code = table->values[entry];
      for (const int32_t civil_year : base_years) {
        const double anchor_start = gregorian_jd0(civil_year, 1 + entry % 12, 1 + entry % 28);
        const std::vector<double> list = occurrences(code, calendar, anchor_start, slow ? 12 : 20);
        ASSERT_GE(list.size(), 8u) << id << " " << entry;
        const double starts[] = {list[0], list[0] + kSecond, list[0] - kSecond, anchor_start};
        for (const double start : starts) {
          const SearchEvent event{table, calendar, code};
          const std::vector<double> from = occurrences(code, calendar, start, slow ? 12 : 20);
          // No pattern: the first occurrence itself.
          EXPECT_EQ(first_event_on_civil_pattern(event, {0, 0, 0}, start), from[0]) << id << " " << entry;
          // The month of the third occurrence; the weekday of the second.
          const int32_t month = civil_from_jd(from[2]).month;
          const double by_month =
              *std::find_if(from.begin(), from.end(), [&](double e) { return civil_from_jd(e).month == month; });
          EXPECT_EQ(first_event_on_civil_pattern(event, {0, 0, month}, start), by_month)
              << id << " " << entry << " month " << month;
          const int32_t weekday = weekday_of(from[1]);
          const double by_weekday =
              *std::find_if(from.begin(), from.end(), [&](double e) { return weekday_of(e) == weekday; });
          EXPECT_EQ(first_event_on_civil_pattern(event, {weekday, 0, 0}, start), by_weekday)
              << id << " " << entry << " weekday " << weekday;
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 1500);
}

// Independent: the solar and the lunar eclipses listed separately and merged;
// the search for "Eclipse" on the civil day of each one finds exactly it, the
// second eclipse of a season included.
TEST_F(SearchTest, WhenTakesEveryEclipse) {
  constexpr EventCode kSolar = 0x00000007, kLunar = 0x00010007, kEither = 0x00020007;
  const double start = gregorian_jd0(1999, 1, 1);
  const double end = gregorian_jd0(2011, 1, 1);
  std::vector<double> eclipses;
  for (const EventCode code : {kSolar, kLunar}) {
    for (double e = astro_event(start, astro_kind(code), astro_sub(code)); e < end;
         e = astro_event(e + 1.0, astro_kind(code), astro_sub(code))) {
      eclipses.push_back(e);
    }
  }
  std::sort(eclipses.begin(), eclipses.end());
  ASSERT_GE(eclipses.size(), 40u);
  const SearchEvent event{&astro_events, kAstronomical, kEither};
  int seasons_with_two = 0;
  for (size_t i = 0; i + 1 < eclipses.size(); ++i) {
    const double e = eclipses[i];
    if (i > 0 && e - eclipses[i - 1] < 20.0) ++seasons_with_two;
    const CalendarDate date = civil_from_jd(e);
    const int32_t day = static_cast<int32_t>(std::floor(date.day));
    // From half a day before the eclipse before, which is the first candidate.
    const double from = (i > 0 ? eclipses[i - 1] : start) - 0.5;
    const double want = *std::find_if(
        eclipses.begin() + static_cast<ptrdiff_t>(i > 0 ? i - 1 : 0), eclipses.end(),
        [&](double x) { return static_cast<int32_t>(std::floor(civil_from_jd(x).day)) == day && x >= from; });
    EXPECT_NEAR(or_error(first_event_on_civil_pattern(event, {0, day, 0}, from)), want, kSecond) << i;
    EXPECT_NEAR(or_error(first_event_on_civil_pattern(event, {0, day, date.month}, from + 1.0)), e, kSecond) << i;
  }
  EXPECT_GT(seasons_with_two, 10);
}

// Independent: two calendars' occurrences listed year by year; the first
// occurrence of the first event with one of the second within a day is what
// the search returns.
TEST_F(SearchTest, When2AgainstLists) {
  struct Pair {
    CalendarId calendar1;
    int32_t entry1;  // 1-based entry of the calendar's table
    CalendarId calendar2;
    int32_t entry2;
  };
  static const Pair kPairs[] = {
      {kGregorian, 13, kJulian, 12},  // Easter and Easter
      {kHebrew, 11, kGregorian, 30},  // Hanukkah and Christmas
      {kHebrew, 10, kGregorian, 38},  // Purim and St. Patrick's Day
      {kIslamic, 1, kHebrew, 1},      // the two new years
      {kCoptic, 7, kEthiopic, 7},     // the two Easters (eves)
      {kGregorian, 28, kIslamic, 8},  // Advent Sunday and Id al-Fitr
  };
  for (const Pair& p : kPairs) {
    const KeywordTable* t1 = holiday_tables[p.calendar1];
    const KeywordTable* t2 = holiday_tables[p.calendar2];
    const EventCode c1 = t1->values[p.entry1 - 1];
    const EventCode c2 = t2->values[p.entry2 - 1];
    for (const int32_t civil_year : {1600, 1900, 2000}) {
      const double start = gregorian_jd0(civil_year, 3, 1);
      const std::vector<double> l1 = occurrences(c1, p.calendar1, start, 400);
      const std::vector<double> l2 = occurrences(c2, p.calendar2, start, 400);
      double want = NAN;
      for (const double e1 : l1) {
        for (const double e2 : l2) {
          if (std::fabs(e1 - e2) < 1.0) {
            want = e1;
            break;
          }
        }
        if (!std::isnan(want)) break;
      }
      ASSERT_FALSE(std::isnan(want)) << p.calendar1 << " " << p.entry1 << " " << civil_year;
      EXPECT_EQ(first_common_occurrence({t1, p.calendar1, c1}, {t2, p.calendar2, c2}, start), want)
          << p.calendar1 << " " << p.entry1 << " / " << p.calendar2 << " " << p.entry2 << " from " << civil_year;
    }
  }
}

}  // namespace
}  // namespace varizav
