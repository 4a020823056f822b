// Holiday resolution behind the worksheet functions SC_holiday (the holiday
// of a year or cycle of a calendar) and SC_holiday2 (the first occurrence at
// or after a start date). The start-date search itself, shared with the
// coincidence searches, is next_event_on_or_after (events/holidays.h).
#pragma once

#include <cstdint>
#include <optional>

#include "events/holidays.h"
#include "framework/date.h"

namespace varizav {

// Given:    calendar  calendar name (unknown or empty: the Gregorian table)
//           event     holiday name or 1-based number in that calendar's table
//           epoch     year of the calendar as a leading decimal integer; for
//                     the Chinese table "cycle<any one character>year"; for
//                     the Mayan kinds a cycle number (the smallest 32-bit
//                     one: the cycle in progress at now); for "astronomical"
//                     a civil year whose 1 January 0h (Universal Time)
//                     starts the search for the year's event
//           now       the current instant as a JulianDay (the caller's clock)
// Returned: the holiday as a serial date with its time of day, or no result
//           (unknown event, epoch without digits, malformed Chinese epoch,
//           an epoch whose anchor cannot be formed).
std::optional<SerialDate> holiday_in_year(NameText calendar, NameText event, const char* epoch, JulianDay now) noexcept;

// Given:    calendar, event  as holiday_in_year
//           start            serial date (local time), JulianDay within
//                            [-76715589, 80156580]
// Returned: the first occurrence at or after start as a serial date with its
//           time of day, or no result.
std::optional<SerialDate> holiday_on_or_after(NameText calendar, NameText event, double start) noexcept;

}  // namespace varizav
