// Holiday codes and tables: every named holiday is one 32-bit EventCode, a
// rule that turns a year of its calendar into a JulianDay. The code's kind
// selects a year-start anchor (or, kind 0, an astronomical event), then an
// optional weekday rule and a day offset move the anchor to the holiday.
//
// Code layout: bits 31-24 kind (0 astronomical, 1-37 an anchor), bits 23-16
// weekday rule (a signed byte), bits 15-0 day offset (signed days).
#pragma once

#include <array>
#include <cstdint>
#include <limits>

#include "calendars/registry.h"
#include "framework/date.h"
#include "framework/keyword.h"

namespace varizav {

using EventCode = int32_t;

constexpr int32_t event_kind(EventCode code) noexcept {
  return static_cast<int32_t>(static_cast<uint32_t>(code) >> 24);
}
constexpr int32_t event_weekday_rule(EventCode code) noexcept {
  return static_cast<int8_t>(static_cast<uint8_t>((static_cast<uint32_t>(code) >> 16) & 0xFFu));
}
constexpr int32_t event_day_offset(EventCode code) noexcept {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(code) & 0xFFFFu));
}

// Anchor kinds (the kind byte of an EventCode).
enum EventKind : int32_t {
  kKindAstronomical = 0,
  kKindGregorianNewYear = 0x01,
  kKindGregorianEaster = 0x02,
  kKindGregorianNextNewYear = 0x03,
  kKindJulianNewYear = 0x04,
  kKindJulianEaster = 0x05,
  kKindJulianNextNewYear = 0x06,
  kKindArmenian = 0x07,
  kKindBuddhist = 0x08,
  kKindByzantine = 0x09,
  kKindChineseNewYear = 0x0A,
  kKindChineseMonth11 = 0x0B,
  kKindChineseMonth5 = 0x0C,
  kKindChineseMonth7 = 0x0D,
  kKindCopticNewYear = 0x0E,
  kKindCopticEaster = 0x0F,
  kKindEgyptian = 0x10,
  kKindEthiopicNewYear = 0x11,
  kKindEthiopicEaster = 0x12,
  kKindFrench = 0x13,
  kKindGengou = 0x14,
  kKindHebrewNewYear = 0x15,
  kKindHebrewKislev = 0x16,
  kKindHebrewTevet = 0x17,
  kKindHebrewNextNewYear = 0x18,
  kKindHinduLunisolar = 0x19,
  kKindHinduSolar = 0x1A,
  kKindIndian = 0x1B,
  kKindIslamic = 0x1C,
  kKindIsoWeekYear = 0x1D,
  kKindMayanCalendarRound = 0x1E,
  kKindMayanHaab = 0x1F,
  kKindMayanTzolkin = 0x20,
  kKindPersian = 0x21,
  kKindSeleucid = 0x22,
  kKindSyrian = 0x23,
  kKindTaiwanese = 0x24,
  kKindYazdegerd = 0x25,
};
constexpr int32_t kEventAnchorCount = 37;

// Weekday numbers of the weekday rules: 0 = Monday .. 6 = Sunday.
enum Weekday : int32_t { kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday, kSunday };

// The weekday rule byte of an EventCode (see apply_weekday_rule), built only
// by the two rules below; a rule that cannot be encoded does not compile.
struct WeekdayRule {
  int8_t byte;
};
// Back to the latest `day` on or before the anchor: high nibble 0, low
// nibble 7 - day (1 Sunday .. 7 Monday).
consteval WeekdayRule on_or_before(Weekday day) {
  if (day < kMonday || day > kSunday) throw "weekday out of range";
  return {static_cast<int8_t>(7 - day)};
}
// `days` later (-8..7, not 0) when the anchor plus the day offset falls on
// `tested`: high nibble days, low nibble the weekday.
consteval WeekdayRule shift_if(Weekday tested, int32_t days) {
  if (tested < kMonday || tested > kSunday) throw "weekday out of range";
  if (days == 0 || days < -8 || days > 7) throw "shift outside the signed nibble";
  return {static_cast<int8_t>(
      static_cast<uint8_t>((static_cast<uint32_t>(days) & 0xFu) << 4 | static_cast<uint32_t>(tested)))};
}

// The EventCode of an anchored holiday from its parts: anchor kind 1..37, an
// optional weekday rule, a signed 16-bit day offset. A row with an impossible
// part does not compile.
consteval EventCode event_code(EventKind kind, WeekdayRule rule, int32_t day_offset) {
  if (kind < kKindGregorianNewYear || kind > kEventAnchorCount) throw "not an anchor kind";
  const int32_t n = rule.byte >> 4;  // signed high nibble
  const int32_t w = rule.byte & 15;
  if (rule.byte != 0 && (n == 0 ? w < 1 || w > 7 : w > kSunday)) throw "not a weekday rule";
  if (day_offset < std::numeric_limits<int16_t>::min() || day_offset > std::numeric_limits<int16_t>::max()) {
    throw "day offset outside 16 bits";
  }
  return static_cast<EventCode>(static_cast<uint32_t>(kind) << 24 | (static_cast<uint32_t>(rule.byte) & 0xFFu) << 16 |
                                (static_cast<uint32_t>(day_offset) & 0xFFFFu));
}
consteval EventCode event_code(EventKind kind, int32_t day_offset = 0) {
  return event_code(kind, WeekdayRule{0}, day_offset);
}

constexpr bool is_mayan_kind(int32_t kind) noexcept {
  return kind >= kKindMayanCalendarRound && kind <= kKindMayanTzolkin;
}

// The year-start anchor of a kind.
// Given:    year  a year of the kind's calendar (Mayan kinds: a cycle number)
// Returned: JulianDay of the start of the anchor day (fraction .5 midnight,
//           .25 the 18:00 eve, .75 06:00 Hindu sunrise); NaN when the year
//           lies so far out that the anchor cannot be formed.
using EventAnchorFn = JulianDay (*)(int32_t year);

// The anchor of kind 1..37 for a year; NaN for any other kind.
JulianDay event_anchor(int32_t kind, int32_t year) noexcept;

// True when the anchor of kind 1..37 is formed for the year within the 32-bit
// day counts of the holiday codes (Gregorian and Julian 1461 (y - 1),
// Islamic 10631 y, Mayan 18980 c, ...), each calendar's own range; false for
// any other kind. Years beyond give no result in SC_holiday.
bool event_anchor_fits(int32_t kind, int64_t year) noexcept;

// The weekday rule r (signed byte) applied to the anchor t, the offset o not
// yet added: the result plus o is the holiday. r = 0 leaves t; high nibble 0:
// the latest day on or before t of weekday (7 - w) mod 7 (w = r & 15; 0 =
// Monday); high nibble n != 0: t + n when the day t + o has weekday w.
JulianDay apply_weekday_rule(JulianDay t, int32_t weekday_rule, int32_t day_offset) noexcept;

// The holiday of an anchored code (kind 1..37) in a year of its calendar:
// anchor, weekday rule, offset. NaN for kind 0 or an unformable anchor.
JulianDay event_in_year(EventCode code, int32_t year) noexcept;

// The holiday tables, by CalendarId: "iso8601" shares the Gregorian table,
// "latin" the Julian one, "astronomical" is astro_events; the one-entry
// tables share the name pair "New Year's Day" / "Neujahr".
extern const KeywordTable gregorian_holidays;
extern const std::array<const KeywordTable*, kCalendarCount> holiday_tables;

// A calendar argument resolved for the holiday functions: its table and the
// calendar whose years index the anchors. A name that matches no calendar
// gives the Gregorian table and the Gregorian years (known = false).
struct HolidayCalendar {
  const KeywordTable* table;
  CalendarId calendar;
  bool known;
};
HolidayCalendar find_holiday_calendar(NameText name) noexcept;

// The year index of the date x for an anchored kind of a calendar: the year
// field of the calendar's from_jd, or for the Mayan kinds the cycle
// floor((x - anchor(0)) / (anchor(1) - anchor(0))). INT32_MIN for NaN x and
// for a date the calendar cannot compute (from_jd gives a NaN day: the
// Chinese calendar where the Sun's crossings no longer converge).
int32_t year_index(JulianDay x, CalendarId calendar, int32_t kind) noexcept;

// The first anchor of the kind at or after x (the years indexed as above).
JulianDay first_anchor_on_or_after(JulianDay x, CalendarId calendar, int32_t kind) noexcept;

// The first astronomical event of the code at or after the local instant j:
// astro_event started at j converted to Universal Time (tz_offset), the
// result in local time. The Julian and Besselian year starts are fixed
// epochs without time zone: the last one at or before j, moved on by one
// year length (365.25 or 365.24219878 days) when it lies before j. The error
// value for an unknown kind. The candidates astro_event computed are added to
// *candidates when given.
JulianDay astro_event_on_or_after(JulianDay j, EventCode code, int64_t* candidates = nullptr) noexcept;

// The first occurrence at or after j of the event of any code (anchored or
// astronomical), the anchored years indexed through the calendar. Started
// exactly on an occurrence it returns that occurrence. NaN when j is NaN or
// the anchors cannot be formed. The number of occurrences computed (at most
// four years' for an anchored event; astro_event's count for an astronomical
// one) is added to *candidates when given.
JulianDay next_event_on_or_after(JulianDay j, EventCode code, CalendarId calendar,
                                 int64_t* candidates = nullptr) noexcept;

}  // namespace varizav
