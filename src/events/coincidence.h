// Coincidence searches: the first occurrence of an event (a holiday, an
// astronomical event or any day) that falls on a given weekday, day and/or
// month of the civil calendar, and the first day on which two events of
// possibly different calendars fall together. Both examine at most
// max_loop() candidates.
#pragma once

#include <cstdint>
#include <optional>

#include "calendars/registry.h"
#include "events/holidays.h"
#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

// Candidates and starts must stay below this JulianDay (exclusive).
constexpr double kSearchEndJd = 80156580.0;

// An event of one calendar: its holiday table (astro_events for the
// astronomical calendar), the calendar that indexes the anchors' years, and
// the code (0: no event, every day is a candidate).
struct SearchEvent {
  const KeywordTable* table;
  CalendarId calendar;
  EventCode code;
};

// What a date must show in the civil calendar; 0 in a field means any.
struct CivilPattern {
  int32_t weekday;  // 1 Monday .. 7 Sunday
  int32_t day;      // 1..31
  int32_t month;    // 1..12
};

// Whether the candidate instant c shows the pattern. Astronomical instants
// are judged by the civil day that contains them. Holiday dates (and plain
// days) are judged by the civil date that carries the wanted day and month
// within a day of c, so that an eve at 18:00 counts for its own civil day and
// for the day it begins; that date must exist (no 31 February) and the
// weekday tested is its own.
bool shows_civil_pattern(JulianDay c, const CivilPattern& pattern, bool astronomical) noexcept;

// The first occurrence at or after the instant x of the event that shows the
// pattern; with code 0 the days from x on (x at 0h). Occurrences are taken in
// order, none skipped. No result when max_loop() candidates fail, a candidate
// or the start reaches kSearchEndJd, or the event cannot be formed. The
// occurrences computed (next_event_on_or_after's count; one per day with
// code 0) are added to *candidates when given.
std::optional<JulianDay> first_event_on_civil_pattern(const SearchEvent& event, const CivilPattern& pattern,
                                                      JulianDay x, int64_t* candidates = nullptr) noexcept;

// The first day at or after the instant x on which both events occur, less
// than a day apart (an astronomical event of the other calendar must not lie
// before the holiday's start): the first event's instant. No result when
// max_loop() pairs fail or the first event reaches kSearchEndJd. The
// occurrences computed for both events are added to *candidates when given.
std::optional<JulianDay> first_common_occurrence(const SearchEvent& first, const SearchEvent& second, JulianDay x,
                                                 int64_t* candidates = nullptr) noexcept;

}  // namespace varizav
