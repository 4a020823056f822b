#include "events/holidays.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "calendars/egyptian_type.h"
#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/lunisolar/hindu.h"
#include "calendars/mayan.h"
#include "calendars/persian.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/iso8601.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A year computed in 64 bits handed on as a 32-bit year, or NaN from the
// anchor when it leaves that range.
constexpr bool fits_year(int64_t year) noexcept {
  return year >= std::numeric_limits<int32_t>::min() && year <= std::numeric_limits<int32_t>::max();
}

JulianDay gregorian_next_new_year(int32_t year) noexcept {
  return western::gregorian_to_jd(int64_t{year} + 1, 1, 1.0);
}
JulianDay julian_next_new_year(int32_t year) noexcept { return western::julian_to_jd(int64_t{year} + 1, 1, 1.0); }

// Coptic and Ethiopic Easter: the Julian Easter of the Julian year holding
// it (Coptic year + 284, Ethiopic year + 8), from the eve (18:00 before).
JulianDay coptic_easter(int32_t year) noexcept {
  const int64_t julian_year = int64_t{year} + 284;
  return fits_year(julian_year) ? easter_julian(static_cast<int32_t>(julian_year)) - 0.25 : kNaN;
}
JulianDay ethiopic_easter(int32_t year) noexcept {
  const int64_t julian_year = int64_t{year} + 8;
  return fits_year(julian_year) ? easter_julian(static_cast<int32_t>(julian_year)) - 0.25 : kNaN;
}

// The first days of Chinese months 5 and 7 (never leap) of year Y.
JulianDay chinese_month5_start(int32_t year) noexcept { return chinese::to_jd(year, 5, 0, 1.0); }
JulianDay chinese_month7_start(int32_t year) noexcept { return chinese::to_jd(year, 7, 0, 1.0); }

}  // namespace

const std::array<EventAnchorFn, kEventAnchorCount + 1> event_anchor_table = {
    nullptr,                       // 0x00: astronomical events never reach the table
    gregorian_new_year,            // 0x01 Gregorian 1 January of Y
    easter_gregorian,              // 0x02 Gregorian Easter Sunday
    gregorian_next_new_year,       // 0x03 Gregorian 1 January of Y + 1
    julian_new_year,               // 0x04 Julian 1 January of Y
    easter_julian,                 // 0x05 Julian Easter Sunday
    julian_next_new_year,          // 0x06 Julian 1 January of Y + 1
    armenian::year_start,          // 0x07 1 Navasard
    buddhist::year_start,          // 0x08 1 January of Gregorian Y - 543
    byzantine::year_start,         // 0x09 1 January of Julian Y - 5509
    chinese_new_year,              // 0x0A first day of month 1
    chinese_month11_start,         // 0x0B first day of month 11
    chinese_month5_start,          // 0x0C first day of month 5
    chinese_month7_start,          // 0x0D first day of month 7
    coptic::year_start,            // 0x0E eve of 1 Thout
    coptic_easter,                 // 0x0F eve of Easter
    egyptian::year_start,          // 0x10 1 Thoth
    ethiopic::year_start,          // 0x11 eve of 1 Maskaram
    ethiopic_easter,               // 0x12 eve of Easter
    french::year_start,            // 0x13 1 Vendemiaire
    gengou::year_start,            // 0x14 1 January of Gregorian Y - 660
    hebrew::year_start,            // 0x15 eve of 1 Tishri
    hebrew::kislev_start,          // 0x16 eve of 1 Kislev
    hebrew::tevet_start,           // 0x17 eve of 1 Tevet
    hebrew::next_year_start,       // 0x18 eve of 1 Tishri of Y + 1
    hindu::year_start,             // 0x19 lunisolar new year, 06:00
    hindu2::year_start,            // 0x1A solar new year, 06:00
    indian::year_start,            // 0x1B 1 Chaitra
    islamic::year_start,           // 0x1C eve of 1 Muharram
    iso_week_year_start,           // 0x1D Monday of ISO week 1
    mayan::calendar_round_start,   // 0x1E calendar round of 18980 days
    mayan::haab_year_start,        // 0x1F Haab year of 365 days
    mayan::tzolkin_cycle_start,    // 0x20 Tzolkin cycle of 260 days
    persian::year_start,           // 0x21 1 Farvardin
    seleucid::year_start,          // 0x22 1 January of Julian Y - 312
    syrian::year_start,            // 0x23 1 January of Julian Y - 312
    taiwanese::year_start,         // 0x24 1 January of Gregorian Y + 1911
    yazdegerd::year_start,         // 0x25 1 Farvardin, Yazdegerd era
};
static_assert(kEventAnchorCount == 37);

JulianDay event_anchor(int32_t kind, int32_t year) noexcept {
  if (kind < 1 || kind > kEventAnchorCount) return kNaN;
  return event_anchor_table[static_cast<size_t>(kind)](year);
}

JulianDay apply_weekday_rule(JulianDay t, int32_t weekday_rule, int32_t day_offset) noexcept {
  if (weekday_rule == 0) return t;
  const int32_t n = weekday_rule >> 4;  // signed high nibble, arithmetic shift
  const int32_t w = weekday_rule & 15;
  if (n == 0) {
    // Back 0-6 days to the latest day on or before t of weekday (7 - w) mod 7;
    // the floored remainder keeps this right for negative Julian Days too.
    return t - fmod_floor(t + static_cast<double>(w) + 0.5, 7.0);
  }
  // Shift by n days when the day t + offset has weekday w (0 = Monday).
  const int64_t day = ifloor64(t + 0.5 + static_cast<double>(day_offset));
  return mod_floor(day, 7) == w ? t + static_cast<double>(n) : t;
}

JulianDay event_in_year(EventCode code, int32_t year) noexcept {
  const JulianDay t = event_anchor(event_kind(code), year);
  const int32_t offset = event_day_offset(code);
  return apply_weekday_rule(t, event_weekday_rule(code), offset) + static_cast<double>(offset);
}

HolidayCalendar find_holiday_calendar(const char* name) noexcept {
  const int32_t id = find_calendar(name);
  if (id < 0 || id >= kCalendarCount) return {&gregorian_holidays, kGregorian, false};
  return {holiday_tables[static_cast<size_t>(id)], static_cast<CalendarId>(id), true};
}

int32_t year_index(JulianDay x, CalendarId calendar, int32_t kind) noexcept {
  if (std::isnan(x)) return std::numeric_limits<int32_t>::min();
  if (is_mayan_kind(kind)) {
    // Cycles of the anchor itself (18980, 365 or 260 days).
    const JulianDay a0 = event_anchor(kind, 0);
    const JulianDay a1 = event_anchor(kind, 1);
    return ifloor((x - a0) / (a1 - a0));
  }
  if (calendar < 0 || calendar >= kCalendarCount) calendar = kGregorian;
  const CalendarDate date = from_jd_table[static_cast<size_t>(calendar)](x);
  return std::isnan(date.day) ? std::numeric_limits<int32_t>::min() : date.year;
}

JulianDay first_anchor_on_or_after(JulianDay x, CalendarId calendar, int32_t kind) noexcept {
  if (std::isnan(x)) return kNaN;
  const int32_t y = year_index(x, calendar, kind);
  if (y == std::numeric_limits<int32_t>::min()) return kNaN;  // no year holds x
  const JulianDay a = event_anchor(kind, y);
  if (a >= x) return a;
  return y < std::numeric_limits<int32_t>::max() ? event_anchor(kind, y + 1) : kNaN;
}

}  // namespace varizav
