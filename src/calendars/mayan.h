// Mayan long count with the 365-day Haab and the 260-day Tzolkin. Day zero of
// the long count (written 13.0.0.0.0, 4 Ahau 8 Cumku) begins at JulianDay
// 584282.5 (0h, 6 September 3114 BC, Julian). The day begins at midnight.
#pragma once

#include <cstdint>

#include "framework/date.h"

namespace varizav {

// A long-count date with its Haab and Tzolkin positions. Units in days:
// uinal 20, tun 360, katun 7200, baktun 144000, pictun 2880000,
// calabtun 57600000, kinchiltun 1152000000, alautun 20 kinchiltun.
struct MayanDate {
  int8_t alautun;  // 0 from from_jd
  int8_t kinchiltun;
  int8_t calabtun;
  int8_t pictun;
  int8_t baktun;          // 0..19
  int8_t katun;           // 0..19
  int8_t tun;             // 0..19
  int8_t uinal;           // 0..17
  float kin;              // [0, 20); the fraction is the time of day
  int8_t tzolkin_name;    // 0..19, index into the Tzolkin day names
  int8_t tzolkin_number;  // 1..13
  int8_t haab_month;      // 0..18, index into the Haab month names
  int8_t haab_day;        // 0..19
};

namespace mayan {

constexpr JulianDay kEpochJd = 584282.5;

// The long count has no leap years.
int32_t is_leap_year(int32_t cycle) noexcept;
// JulianDay of the nine long-count fields (Haab and Tzolkin fields ignored);
// any unit may exceed its usual range and adds its day value.
JulianDay to_jd(const MayanDate& date) noexcept;
// Long count (units peeled off with floor division, so days before day zero
// have kinchiltun -1), Haab and Tzolkin of a JulianDay.
MayanDate from_jd(JulianDay jd) noexcept;
// The registry's simple form: year = tun count since day zero (360-day
// years), month = uinal + 1, day = kin + 1 with the time of day.
CalendarDate calendar_date(JulianDay jd) noexcept;
// "b.k.t.u.k: haab: tzolkin" as text (mode > 0) or numbers (mode 0), or every
// unit with the kin's fraction (mode < 0).
int format_date(char* out, JulianDay jd, int32_t mode) noexcept;

// Holiday anchors: the first day of calendar round (18980 days), Haab year
// (from 0 Pop) or Tzolkin cycle (from 1 Imix) number c.
JulianDay calendar_round_start(int32_t cycle) noexcept;
JulianDay haab_year_start(int32_t cycle) noexcept;
JulianDay tzolkin_cycle_start(int32_t cycle) noexcept;
// True when the cycle's day count (18980, 365 or 260 days a cycle) lies
// within 32 bits, as the holiday codes form it.
bool calendar_round_fits(int64_t cycle) noexcept;
bool haab_year_fits(int64_t cycle) noexcept;
bool tzolkin_cycle_fits(int64_t cycle) noexcept;

// Number of the calendar round, Haab year or Tzolkin cycle in progress at the
// instant now (a JulianDay the caller reads from its clock); within 32 bits
// for any now of the accepted date range.
enum class Cycle { calendar_round, haab_year, tzolkin };
int32_t cycle_in_progress(Cycle cycle, JulianDay now) noexcept;

}  // namespace mayan
}  // namespace varizav
