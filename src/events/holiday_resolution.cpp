#include "events/holiday_resolution.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "astro/time_scales.h"
#include "calendars/hebrew.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/mayan.h"
#include "calendars/persian.h"
#include "calendars/western/civil.h"
#include "events/astro_events.h"
#include "framework/keyword.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int64_t kInt32Min = std::numeric_limits<int32_t>::min();
constexpr int64_t kInt32Max = std::numeric_limits<int32_t>::max();

constexpr bool fits_32(int64_t v) noexcept { return v >= kInt32Min && v <= kInt32Max; }

// Year lengths of the Julian and Besselian year starts, in days.
constexpr double kJulianYearDays = 365.25;
constexpr double kBesselianYearDays = 365.24219878;

// Low 16 bits of an astronomical code, sign-extended: the astro_kind.
constexpr int32_t astro_selector(EventCode code) noexcept {
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint32_t>(code) & 0xFFFFu));
}

// True when factor * (year + shift) stays within 32 bits.
constexpr bool product_fits(int64_t factor, int64_t year, int64_t shift) noexcept {
  return fits_32(year + shift) && fits_32(factor * (year + shift));
}

}  // namespace

bool anchor_year_in_range(int32_t kind, int32_t year) noexcept {
  const int64_t y = year;
  switch (kind) {
    case kKindGregorianNewYear:
    case kKindJulianNewYear:
    case kKindIsoWeekYear:
      return product_fits(1461, y, -1);
    case kKindGregorianEaster:
    case kKindGregorianNextNewYear:
    case kKindJulianEaster:
    case kKindJulianNextNewYear:
    case kKindCopticNewYear:
    case kKindEthiopicNewYear:
      return product_fits(1461, y, 0);
    case kKindBuddhist:
      return product_fits(1461, y, -544);
    case kKindByzantine:
      return product_fits(1461, y, -5510);
    case kKindGengou:
      return product_fits(1461, y, -661);
    case kKindSeleucid:
    case kKindSyrian:
      return product_fits(1461, y, -313);
    case kKindTaiwanese:
      return product_fits(1461, y, 1910);
    case kKindCopticEaster:
      return product_fits(1461, y, 284);
    case kKindEthiopicEaster:
      return product_fits(1461, y, 8);
    case kKindArmenian:
    case kKindEgyptian:
    case kKindIndian:
    case kKindYazdegerd:
      return product_fits(365, y, 0);
    case kKindFrench:
      return product_fits(365, y, -2);
    case kKindHebrewNewYear:
    case kKindHebrewKislev:
    case kKindHebrewTevet:
    case kKindHebrewNextNewYear:
      return hebrew::anchor_year_fits(y);
    case kKindHinduLunisolar:
      return product_fits(12, y, 0);
    case kKindIslamic:
      return islamic::anchor_year_fits(y);
    case kKindMayanCalendarRound:
      return product_fits(18980, y, 0);
    case kKindMayanHaab:
      return product_fits(365, y, 0);
    case kKindMayanTzolkin:
      return product_fits(260, y, 0);
    case kKindPersian:
      return persian::anchor_year_fits(y);
    default:
      // Chinese years and the Hindu solar year are computed in floating point.
      return kind >= 1 && kind <= kEventAnchorCount;
  }
}

JulianDay astro_event_on_or_after(JulianDay j, EventCode code) noexcept {
  const int32_t kind = astro_selector(code);
  const int32_t sub = astro_sub(code);
  if (kind == kAstroJulianYear || kind == kAstroBesselianYear) {
    // Fixed epochs, without delta T or time zone: the last one at or before
    // j, moved on by a year when it lies before j.
    const JulianDay epoch = astro_event(j, kind, sub);
    if (epoch < j) return epoch + (kind == kAstroJulianYear ? kJulianYearDays : kBesselianYearDays);
    return epoch;
  }
  // The dispatcher starts from Universal Time and answers in local time.
  return astro_event(j + tz_offset_days(), kind, sub);
}

JulianDay next_event_on_or_after(JulianDay j, EventCode code, CalendarId calendar) noexcept {
  if (std::isnan(j)) return kNaN;
  const int32_t kind = event_kind(code);
  if (kind == kKindAstronomical) return astro_event_on_or_after(j, code);
  if (kind > kEventAnchorCount) return kNaN;
  // The occurrences E(k) grow with the year k. The year holding j - offset
  // puts the first one at or after j among E(y - 1) .. E(y + 2): one year
  // back for anchors on the next year's start and for year numbers that run
  // a few days off the holiday's calendar (ISO week years), two ahead for a
  // weekday rule that moves next year's date back before j.
  const int64_t y = year_index(j - static_cast<double>(event_day_offset(code)), calendar, kind);
  if (y == kInt32Min) return kNaN;  // no year of the calendar holds the start
  for (int64_t k = y - 1; k <= y + 2; ++k) {
    if (!fits_32(k) || (k == kInt32Min && is_mayan_kind(kind))) continue;
    const JulianDay e = event_in_year(code, static_cast<int32_t>(k));
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
    if (!chinese_year.found || !fits_32(chinese_year.year)) return std::nullopt;
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
    if (!product_fits(1461, year, -1)) return std::nullopt;
    result = astro_event(civil_new_year(year), astro_selector(code) | kAstroYearCentred, astro_sub(code));
  } else {
    // The smallest cycle number stands for the Mayan cycle in progress now.
    if (year == kInt32Min && is_mayan_kind(kind)) {
      year = mayan::cycle_in_progress(static_cast<mayan::Cycle>(kind - kKindMayanCalendarRound), now);
    }
    if (!anchor_year_in_range(kind, year)) return std::nullopt;
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
