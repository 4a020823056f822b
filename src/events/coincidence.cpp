#include "events/coincidence.h"

#include <cmath>
#include <cstdint>

#include "calendars/western/civil.h"
#include "events/astro_events.h"
#include "events/search_limits.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// Weekday 1 Monday .. 7 Sunday of the civil day holding jd + shift - 0.5
// (shift 0.5: the day of jd itself, 1.5: the day after). The day number is
// formed in 64 bits with floor, so days before JulianDay 0 are right too.
int32_t civil_weekday(JulianDay jd, double shift) noexcept {
  return static_cast<int32_t>(mod_floor(ifloor64(jd + shift), 7)) + 1;
}

bool is_astronomical(const SearchEvent& event) noexcept { return event.table == &astro_events; }

}  // namespace

bool shows_civil_pattern(JulianDay c, const CivilPattern& pattern, bool astronomical) noexcept {
  const CalendarDate date = civil_from_jd(c);
  if (astronomical) {
    if (pattern.weekday != 0 && civil_weekday(c, 0.5) != pattern.weekday) return false;
    if (pattern.day != 0 && itrunc(date.day) != pattern.day) return false;
    return pattern.month == 0 || date.month == pattern.month;
  }
  // The wanted date in the candidate's year: its own day and month where the
  // pattern leaves them open. An 18:00 eve lies 0.25 day before the date it
  // begins and 0.75 day after its own civil day's start: both are within a day.
  const int32_t month = pattern.month != 0 ? pattern.month : date.month;
  const double day = pattern.day != 0 ? static_cast<double>(pattern.day) : date.day;
  const JulianDay wanted = civil_to_jd(date.year, month, day);
  const double delta = wanted - c;
  if (!(std::fabs(delta) < 1.0)) return false;
  // A day beyond its month's end (31 February) would count on into the next
  // month: such a date does not exist and matches nothing.
  const CalendarDate check = civil_from_jd(wanted);
  if (check.month != month || std::floor(check.day) != std::floor(day)) return false;
  // The weekday of the wanted date: the day after the candidate's civil day
  // when the candidate is its eve (the wanted day starts after it), else the
  // candidate's own day. Without a wanted day the date is the candidate's own
  // and delta only rounding.
  const bool eve = pattern.day != 0 && delta > 0.0;
  return pattern.weekday == 0 || civil_weekday(c, eve ? 1.5 : 0.5) == pattern.weekday;
}

std::optional<JulianDay> first_event_on_civil_pattern(const SearchEvent& event, const CivilPattern& pattern,
                                                      JulianDay x, int64_t* candidates) noexcept {
  const bool astronomical = is_astronomical(event);
  const int32_t passes = max_loop();
  for (int32_t pass = 0; pass < passes; ++pass) {
    if (!(x < kSearchEndJd)) return std::nullopt;
    // The candidate and the start of the next pass: one day after the
    // candidate, so that no occurrence is passed over (two eclipses of one
    // season lie about 15 days apart; no event recurs within a day).
    JulianDay c = x;
    if (event.code == 0 && candidates != nullptr) ++*candidates;
    if (event.code != 0) {
      c = next_event_on_or_after(x, event.code, event.calendar, candidates);
      if (!(c >= x)) return std::nullopt;  // cannot be formed (NaN)
      if (!(c < kSearchEndJd)) return std::nullopt;
    }
    if (shows_civil_pattern(c, pattern, astronomical)) return c;
    x = c + 1.0;
  }
  return std::nullopt;
}

std::optional<JulianDay> first_common_occurrence(const SearchEvent& first, const SearchEvent& second, JulianDay x,
                                                 int64_t* candidates) noexcept {
  const bool same_table = first.table == second.table;
  const bool first_astronomical = is_astronomical(first);
  const bool second_astronomical = is_astronomical(second);
  JulianDay e1 = next_event_on_or_after(x, first.code, first.calendar, candidates);
  JulianDay e2 = next_event_on_or_after(x, second.code, second.calendar, candidates);
  const int32_t passes = max_loop();
  for (int32_t pass = 0; pass < passes; ++pass) {
    if (!(e1 < kSearchEndJd) || std::isnan(e2)) return std::nullopt;
    if (std::fabs(e1 - e2) < 1.0) {
      // Within a day of each other; an astronomical instant before the other
      // calendar's holiday begins belongs to the day before it.
      const bool coincide =
          same_table || e1 == e2 || (e1 < e2 && !first_astronomical) || (e1 > e2 && !second_astronomical);
      if (coincide) return e1;
    }
    // Advance the earlier event (the second on a tie).
    if (e1 >= e2) {
      e2 = next_event_on_or_after(e2 + 1.0, second.code, second.calendar, candidates);
    } else {
      e1 = next_event_on_or_after(e1 + 1.0, first.code, first.calendar, candidates);
    }
  }
  return std::nullopt;
}

}  // namespace varizav
