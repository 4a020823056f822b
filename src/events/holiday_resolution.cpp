#include "events/holiday_resolution.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "astro/time_scales.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/mayan.h"
#include "calendars/western/civil.h"
#include "calendars/western/western_shared.h"
#include "events/astro_events.h"
#include "framework/constants.h"
#include "framework/keyword.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();

// Low 16 bits of an astronomical code, sign-extended: the astro_kind.
constexpr int32_t astro_selector(EventCode code) noexcept {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(code) & 0xFFFFu));
}

}  // namespace

JulianDay astro_event_on_or_after(JulianDay j, EventCode code, int64_t* candidates) noexcept {
  const int32_t kind = astro_selector(code);
  const int32_t sub = astro_sub(code);
  if (kind == kAstroJulianYear || kind == kAstroBesselianYear) {
    // Fixed epochs, without delta T or time zone: the last one at or before
    // j, moved on by a year when it lies before j.
    const JulianDay epoch = astro_event(j, kind, sub, candidates);
    if (epoch < j) return epoch + (kind == kAstroJulianYear ? kJulianYearDays : kBesselianYearDays);
    return epoch;
  }
  // The dispatcher starts from Universal Time and answers in local time.
  return astro_event(j + tz_offset_days(), kind, sub, candidates);
}

JulianDay next_event_on_or_after(JulianDay j, EventCode code, CalendarId calendar, int64_t* candidates) noexcept {
  if (std::isnan(j)) return kNaN;
  const int32_t kind = event_kind(code);
  if (kind == kKindAstronomical) return astro_event_on_or_after(j, code, candidates);
  if (kind > kEventAnchorCount) return kNaN;
  // The occurrences E(k) grow with the year k. The year holding j - offset
  // puts the first one at or after j among E(y - 1) .. E(y + 2): one year
  // back for anchors on the next year's start and for year numbers that run
  // a few days off the holiday's calendar (ISO week years), two ahead for a
  // weekday rule that moves next year's date back before j.
  const int64_t y = year_index(j - static_cast<double>(event_day_offset(code)), calendar, kind);
  if (y == kInt32Min) return kNaN;  // no year of the calendar holds the start
  for (int64_t k = y - 1; k <= y + 2; ++k) {
    if (!in_int32_range(k) || (k == kInt32Min && is_mayan_kind(kind))) continue;
    const JulianDay e = event_in_year(code, static_cast<int32_t>(k));
    if (candidates != nullptr) ++*candidates;
    if (e >= j) return e;
  }
  return kNaN;
}

std::optional<SerialDate> holiday_in_year(NameText calendar, NameText event, const char* epoch,
                                          JulianDay now) noexcept {
  const HolidayCalendar hc = find_holiday_calendar(calendar);
  int32_t year = 0;
  if (hc.table == holiday_tables[kChinese]) {
    const ChineseYearText chinese_year = read_chinese_year(epoch);
    if (!chinese_year.found || !in_int32_range(chinese_year.year)) return std::nullopt;
    year = static_cast<int32_t>(chinese_year.year);
  } else {
    const LeadingInteger first = read_leading_integer(epoch, Blanks::white_space);
    if (!first.has_digits) return std::nullopt;
    year = first.saturated;
  }
  const EventCode code = keyword_lookup(event, *hc.table);
  if (code == 0) return std::nullopt;
  const int32_t kind = event_kind(code);
  double result = kNaN;
  if (kind == kKindAstronomical) {
    // The event that belongs to the civil year, from 1 January 0h taken as
    // Universal Time.
    if (!western::new_year_fits(year)) return std::nullopt;
    result = astro_event(civil_new_year(year), astro_selector(code) | kAstroYearCentred, astro_sub(code));
  } else {
    // The smallest cycle number stands for the Mayan cycle in progress now.
    if (year == kInt32Min && is_mayan_kind(kind)) {
      year = mayan::cycle_in_progress(static_cast<mayan::Cycle>(kind - kKindMayanCalendarRound), now);
    }
    if (!event_anchor_fits(kind, year)) return std::nullopt;
    result = event_in_year(code, year);
  }
  if (!std::isfinite(result)) return std::nullopt;
  return jd_to_serial(result);
}

std::optional<SerialDate> holiday_on_or_after(NameText calendar, NameText event, double start) noexcept {
  const JulianDay j = serial_to_jd(start);
  const HolidayCalendar hc = find_holiday_calendar(calendar);
  const EventCode code = keyword_lookup(event, *hc.table);
  if (code == 0 || !jd_in_accepted_range(j)) return std::nullopt;
  const JulianDay result = next_event_on_or_after(j, code, hc.calendar);
  if (!std::isfinite(result)) return std::nullopt;
  return jd_to_serial(result);
}

}  // namespace varizav
