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
#include "framework/constants.h"
#include "framework/numeric.h"
#include "framework/row_table.h"

namespace varizav {
namespace {

JulianDay gregorian_next_new_year(int32_t year) noexcept { return western::gregorian_to_jd(int64_t{year} + 1, 1, 1.0); }
JulianDay julian_next_new_year(int32_t year) noexcept { return western::julian_to_jd(int64_t{year} + 1, 1, 1.0); }
bool next_new_year_fits(int64_t year) noexcept { return western::new_year_fits(year + 1); }

// Coptic and Ethiopic Easter: the Julian Easter of the Julian year holding
// it (Coptic year + 284, Ethiopic year + 8), from the eve (18:00 before).
constexpr int64_t kCopticToJulianYears = 284;
constexpr int64_t kEthiopicToJulianYears = 8;
JulianDay eve_of_julian_easter(int64_t julian_year) noexcept {
  return in_int32_range(julian_year) ? easter_julian(static_cast<int32_t>(julian_year)) - 0.25 : kNaN;
}
JulianDay coptic_easter(int32_t year) noexcept { return eve_of_julian_easter(year + kCopticToJulianYears); }
JulianDay ethiopic_easter(int32_t year) noexcept { return eve_of_julian_easter(year + kEthiopicToJulianYears); }
bool coptic_easter_fits(int64_t year) noexcept { return western::easter_fits(year + kCopticToJulianYears); }
bool ethiopic_easter_fits(int64_t year) noexcept { return western::easter_fits(year + kEthiopicToJulianYears); }

// The first days of Chinese months 5 and 7 (never leap) of year Y.
JulianDay chinese_month5_start(int32_t year) noexcept { return chinese::to_jd(year, 5, 0, 1.0); }
JulianDay chinese_month7_start(int32_t year) noexcept { return chinese::to_jd(year, 7, 0, 1.0); }

// True when the anchor of a year is formed within the 32-bit day counts of
// the holiday codes (years beyond give no result).
using AnchorFitsFn = bool (*)(int64_t year) noexcept;

// One row per anchor kind, in kind order: the anchor of a year, and the
// years for which the calendar forms it.
struct EventAnchorRow {
  int32_t kind;
  EventAnchorFn anchor;
  AnchorFitsFn fits;
};
constexpr std::array<EventAnchorRow, kEventAnchorCount + 1> kEventAnchors = {{
    // astronomical events never reach the table
    {kKindAstronomical, nullptr, nullptr},
    // Gregorian 1 January of Y, Easter Sunday, 1 January of Y + 1
    {kKindGregorianNewYear, gregorian_new_year, western::new_year_fits},
    {kKindGregorianEaster, easter_gregorian, western::easter_fits},
    {kKindGregorianNextNewYear, gregorian_next_new_year, next_new_year_fits},
    // Julian 1 January of Y, Easter Sunday, 1 January of Y + 1
    {kKindJulianNewYear, julian_new_year, western::new_year_fits},
    {kKindJulianEaster, easter_julian, western::easter_fits},
    {kKindJulianNextNewYear, julian_next_new_year, next_new_year_fits},
    {kKindArmenian, armenian::year_start, armenian::anchor_year_fits},     // 1 Navasard
    {kKindBuddhist, buddhist::year_start, buddhist::anchor_year_fits},     // 1 January of Gregorian Y - 543
    {kKindByzantine, byzantine::year_start, byzantine::anchor_year_fits},  // 1 January of Julian Y - 5509
    // first day of Chinese month 1, 11, 5 and 7
    {kKindChineseNewYear, chinese_new_year, chinese_anchor_year_fits},
    {kKindChineseMonth11, chinese_month11_start, chinese_anchor_year_fits},
    {kKindChineseMonth5, chinese_month5_start, chinese_anchor_year_fits},
    {kKindChineseMonth7, chinese_month7_start, chinese_anchor_year_fits},
    {kKindCopticNewYear, coptic::year_start, coptic::anchor_year_fits},        // eve of 1 Thout
    {kKindCopticEaster, coptic_easter, coptic_easter_fits},                    // eve of Easter
    {kKindEgyptian, egyptian::year_start, egyptian::anchor_year_fits},         // 1 Thoth
    {kKindEthiopicNewYear, ethiopic::year_start, ethiopic::anchor_year_fits},  // eve of 1 Maskaram
    {kKindEthiopicEaster, ethiopic_easter, ethiopic_easter_fits},              // eve of Easter
    {kKindFrench, french::year_start, french::anchor_year_fits},               // 1 Vendemiaire
    {kKindGengou, gengou::year_start, gengou::anchor_year_fits},               // 1 January of Gregorian Y - 660
    // eve of 1 Tishri, 1 Kislev, 1 Tevet, 1 Tishri of Y + 1
    {kKindHebrewNewYear, hebrew::year_start, hebrew::anchor_year_fits},
    {kKindHebrewKislev, hebrew::kislev_start, hebrew::anchor_year_fits},
    {kKindHebrewTevet, hebrew::tevet_start, hebrew::anchor_year_fits},
    {kKindHebrewNextNewYear, hebrew::next_year_start, hebrew::anchor_year_fits},
    {kKindHinduLunisolar, hindu::year_start, hindu::anchor_year_fits},  // lunisolar new year, 06:00
    {kKindHinduSolar, hindu2::year_start, hindu2::anchor_year_fits},    // solar new year, 06:00
    {kKindIndian, indian::year_start, indian::anchor_year_fits},        // 1 Chaitra
    {kKindIslamic, islamic::year_start, islamic::anchor_year_fits},     // eve of 1 Muharram
    {kKindIsoWeekYear, iso_week_year_start, western::new_year_fits},    // Monday of ISO week 1, from 1 January
    // Mayan calendar round of 18980 days, Haab year of 365, Tzolkin cycle of 260
    {kKindMayanCalendarRound, mayan::calendar_round_start, mayan::calendar_round_fits},
    {kKindMayanHaab, mayan::haab_year_start, mayan::haab_year_fits},
    {kKindMayanTzolkin, mayan::tzolkin_cycle_start, mayan::tzolkin_cycle_fits},
    {kKindPersian, persian::year_start, persian::anchor_year_fits},        // 1 Farvardin
    {kKindSeleucid, seleucid::year_start, seleucid::anchor_year_fits},     // 1 January of Julian Y - 312
    {kKindSyrian, syrian::year_start, syrian::anchor_year_fits},           // 1 January of Julian Y - 312
    {kKindTaiwanese, taiwanese::year_start, taiwanese::anchor_year_fits},  // 1 January of Gregorian Y + 1911
    {kKindYazdegerd, yazdegerd::year_start, yazdegerd::anchor_year_fits},  // 1 Farvardin, Yazdegerd era
}};
// A missing row fails the order check; a row without its range fails the
// build as a missing field initializer.
static_assert(rows_in_index_order(kEventAnchors, &EventAnchorRow::kind));

}  // namespace

JulianDay event_anchor(int32_t kind, int32_t year) noexcept {
  if (kind < 1 || kind > kEventAnchorCount) return kNaN;
  return kEventAnchors[static_cast<size_t>(kind)].anchor(year);
}

bool event_anchor_fits(int32_t kind, int64_t year) noexcept {
  if (kind < 1 || kind > kEventAnchorCount) return false;
  return kEventAnchors[static_cast<size_t>(kind)].fits(year);
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

HolidayCalendar find_holiday_calendar(NameText name) noexcept {
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
