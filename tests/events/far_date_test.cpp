// Searches at the ends of the accepted date range (JulianDay -76715589 and
// 80156580), where the series of the Moon, the Sun and the planets no longer
// converge: every search ends, after a few candidates, with an event at or
// after its start or with the error value, and the index jumps that keep the
// lunar searches short there find exactly what stepping one cycle at a time
// finds. Work is measured by the candidates the searches count.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "astro/moon.h"
#include "calendars/registry.h"
#include "events/astro_events.h"
#include "events/coincidence.h"
#include "events/holidays.h"
#include "events/search_limits.h"
#include "framework/date.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

const double kFarStarts[] = {
    kMinAcceptedJd,
    kMinAcceptedJd + 0.5,
    kMinAcceptedJd + 1.0,
    kMinAcceptedJd + 36524.75,
    -4.0e7,
    -1.0e7,
    2451544.5,
    1.0e7,
    4.0e7,
    kMaxAcceptedJd - 36525.0,
    kMaxAcceptedJd - 1.0,
    kMaxAcceptedJd,
};

// Candidates a search may compute. The lunar, solar and planetary searches
// need a handful (the jumps cross the drift of the estimated index); Saturn's
// slow synodic cycle needs 16 at the range ends. Eclipse searches step through
// the drift one lunation at a time, lunations without an eclipse giving no
// instant to jump by: about 650 lunations at the range ends, twice as many
// half-lunations for either kind. A search that falls back to scanning runs
// into the thousands.
constexpr int64_t kFewCandidates = 24;
constexpr int64_t kEclipseCandidates = 1400;

TEST(FarDateSearches, EveryAstronomicalEventEndsAtOrAfterItsStartWithinItsCandidates) {
  for (int32_t e = 1; e <= astro_events.count; ++e) {
    const int32_t code = astro_events.values[e - 1];
    const int32_t kind = astro_kind(code);
    if (kind < kAstroMoonPhase) continue;  // year starts: the epoch at or before the start
    for (const double start : kFarStarts) {
      int64_t candidates = 0;
      const double r = astro_event(start, kind, astro_sub(code), &candidates);
      const bool near_j2000 = std::fabs(start - 2451545.0) < 36525.0;
      EXPECT_GE(candidates, 1) << astro_events.english_names[e - 1] << " from " << start;
      EXPECT_LE(candidates, kind == kAstroEclipse && !near_j2000 ? kEclipseCandidates : kFewCandidates)
          << astro_events.english_names[e - 1] << " from " << start;
      if (std::isnan(r)) continue;  // no result: the theory fails there
      EXPECT_GE(r, start) << astro_events.english_names[e - 1] << " from " << start;
    }
  }
}

// Searches for 31 February never match: each of up to max_loop() passes runs
// a search near the range end. Before the jumps, a pass there computed
// thousands of candidates and the search took minutes.
TEST(FarDateSearches, CoincidenceSearchesAtTheRangeEndsComputeAFewCandidatesPerPass) {
  struct Case {
    const char* event;
    EventCode code;
    double start;
  };
  const Case cases[] = {{"Perigee", 0x00000004, kMinAcceptedJd},
                        {"Apogee", 0x00010004, kMinAcceptedJd + 1.0},
                        {"North Point", 0x00000005, kMinAcceptedJd},
                        {"Full Moon", 0x00020003, kMinAcceptedJd},
                        {"Perigee", 0x00000004, kMaxAcceptedJd - 400.0}};
  // The work per pass is the point, not the number of passes: a smaller bound
  // than the default 65,536 keeps the test short.
  const int32_t saved_loop = max_loop();
  set_max_loop(4096);
  for (const Case& c : cases) {
    int64_t candidates = 0;
    const SearchEvent event{&astro_events, kAstronomical, c.code};
    EXPECT_EQ(first_event_on_civil_pattern(event, {0, 31, 2}, c.start, &candidates), std::nullopt) << c.event;
    EXPECT_LE(candidates, int64_t{max_loop()} * kFewCandidates) << c.event << " from " << c.start;
  }
  set_max_loop(saved_loop);
}

// Independent second method: from the index Meeus's mean frequency gives,
// one cycle at a time back while the event is at or after te, then forward
// while before it. The estimate only sets where the stepping begins.
template <class Instant>
double stepping_search(double te, double cycles_per_year, const Instant& instant) {
  int64_t k = int64_t{ifloor(te * 100.0 * cycles_per_year)};
  while (instant(k) >= te) --k;
  while (instant(k) < te) ++k;
  return instant(k);
}

TEST(FarDateSearches, JumpsFindWhatSteppingFinds) {
  // Cycles per year from Meeus, Astronomical Algorithms (2nd ed.): lunations
  // 12.3685 (ch. 49), anomalistic months 13.2555 (ch. 50), tropical months
  // 13.3686 (ch. 52), draconic months 13.4223 (ch. 51).
  struct Family {
    int32_t kind, sub;
    double cycles_per_year;
    double (*instant)(int64_t k, int32_t sub);
    const char* name;
  };
  const Family families[] = {
      {kAstroMoonPhase, 0, 12.3685, [](int64_t k, int32_t s) { return moon_phase(static_cast<int32_t>(k), s); },
       "new moon"},
      {kAstroMoonPhase, 2, 12.3685, [](int64_t k, int32_t s) { return moon_phase(static_cast<int32_t>(k), s); },
       "full moon"},
      {kAstroApsis, 0, 13.2555, [](int64_t k, int32_t) { return lunar_apsis(static_cast<int32_t>(k), Apsis::perigee); },
       "perigee"},
      {kAstroApsis, 1, 13.2555, [](int64_t k, int32_t) { return lunar_apsis(static_cast<int32_t>(k), Apsis::apogee); },
       "apogee"},
      {kAstroDeclination, 0, 13.3686,
       [](int64_t k, int32_t) { return lunar_extreme(static_cast<int32_t>(k), Declination::north); }, "north point"},
      {kAstroNode, 1, 13.4223, [](int64_t k, int32_t) { return lunar_node(static_cast<int32_t>(k), Node::descending); },
       "descending node"},
  };
  constexpr int kStarts = 60;
  for (const Family& f : families) {
    for (int i = 0; i <= kStarts; ++i) {
      // Both ends densely, and a sweep across the whole range.
      const double jd = i < 20   ? kMinAcceptedJd + 811.3 * i
                        : i < 40 ? kMaxAcceptedJd - 811.3 * (i - 20)
                                 : kMinAcceptedJd + (kMaxAcceptedJd - kMinAcceptedJd) * (i - 40) / 20.0;
      const double te = (jd - 2451545.0) / 36525.0;  // the dynamical-time instant the search starts from
      const double want = stepping_search(te, f.cycles_per_year, [&](int64_t k) { return f.instant(k, f.sub); });
      EXPECT_EQ(astro_event_td(f.kind, te, f.sub), want) << f.name << " from JulianDay " << jd;
    }
  }
}

TEST(FarDateSearches, EveryHolidayEndsWithinAYearOfItsCalendar) {
  for (int32_t c = 0; c < kCalendarCount; ++c) {
    const KeywordTable& table = *holiday_tables[static_cast<size_t>(c)];
    if (&table == &astro_events) continue;
    for (int32_t e = 1; e <= table.count; ++e) {
      const EventCode code = table.values != nullptr ? table.values[e - 1] : e;
      // Independent: no calendar year is longer than 385 days (an embolismic
      // Hebrew year) and a weekday rule moves a holiday by under a week; the
      // Mayan holidays recur once per calendar round of 18,980 days.
      const double longest_gap = is_mayan_kind(event_kind(code)) ? 18980.0 : 392.0;
      for (const double start : kFarStarts) {
        int64_t candidates = 0;
        const double r = next_event_on_or_after(start, code, static_cast<CalendarId>(c), &candidates);
        // The year holding the start, one before it and two after: four.
        EXPECT_LE(candidates, 4) << calendar_names.english_names[c] << " " << table.english_names[e - 1];
        if (std::isnan(r)) continue;
        EXPECT_GE(r, start) << calendar_names.english_names[c] << " " << table.english_names[e - 1];
        EXPECT_LE(r - start, longest_gap)
            << calendar_names.english_names[c] << " " << table.english_names[e - 1] << " from " << start;
      }
    }
  }
}

}  // namespace
}  // namespace varizav
