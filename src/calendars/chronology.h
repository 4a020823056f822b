// Leap years of any calendar of the registry and the classical chronological
// cycles of a Christian year (epact, indiction, regent, golden number, solar
// cycle, dominical letter).
#pragma once

#include <cstdint>
#include <optional>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

extern const KeywordTable chronological_cycles;  // 1 Epact .. 6 Dominical Letter

// Julian Day Number (noon) of 1 January of year y: Julian calendar for years
// before the reform year, Gregorian from it on.
int64_t new_year_day_number(int32_t year) noexcept;

// Whether the year is a leap year of the named calendar; no result when the
// year text holds no number. An unknown calendar name selects the civil
// calendar. Chinese years are written as cycle and year, e.g. "78-17".
std::optional<bool> leap_year_of_text(NameText calendar, const char* year_text) noexcept;

// Whether the serial date lies in a leap year of the named calendar; no result
// for a NaN date, one outside the accepted range, or one the calendar cannot
// compute.
std::optional<bool> leap_year_of_date(NameText calendar, double serial_date) noexcept;

// Writes the named cycle of year y as text. No result (false, nothing
// written) when the name selects no cycle.
[[nodiscard]] bool format_chronology(char* out, NameText cycle, double year) noexcept;

}  // namespace varizav
