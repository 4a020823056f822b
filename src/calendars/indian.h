// The Indian national (Saka) calendar: a solar calendar tied to the Gregorian
// one. Saka year y begins on 22 March of Gregorian year y + 78, or on 21 March
// when that year is a Gregorian leap year, and runs to the end of Phalguna in
// year y + 79. Caitra has 30 days (31 in a leap year), Vaisakha .. Bhadra 31,
// Asvina .. Phalguna 30. Days begin at midnight.
#pragma once

#include <cstdint>

#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {
namespace indian {

// Month keyword table: Caitra (1) .. Phalguna (12).
extern const KeywordTable month_names;

// 1 when Gregorian year year + 78 is a leap year (Caitra has 31 days).
int32_t is_leap_year(int32_t year) noexcept;
// JulianDay of the day (plus its fraction); months and days beyond their ends count on.
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept;
// Date of jd; the day keeps the time since midnight.
CalendarDate from_jd(JulianDay jd) noexcept;
// JulianDay of 0h, 1 Caitra of the year.
JulianDay year_start(int32_t year) noexcept;
// True when the year's day count 365 year lies within 32 bits, as the
// holiday codes form it.
bool anchor_year_fits(int64_t year) noexcept;
// "%d %s %ld" (day, month, year) or the number forms.
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

}  // namespace indian
}  // namespace varizav
