#include "calendars/western/era_offset.h"

#include <array>

#include "calendars/western/gregorian.h"
#include "calendars/western/julian.h"
#include "calendars/western/western_names.h"
#include "calendars/western/western_shared.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// An era-offset calendar: calendar year = underlying year + offset.
struct EraOffset {
  int32_t offset;
  bool julian;  // underlying calendar: Julian when true, else Gregorian
  bool syrian;  // Syrian months 1 = October of the underlying year and their own names
};

// Year 1 of each era in astronomical years of the underlying calendar.
constexpr EraOffset kBuddhist = {543, false, false};     // Buddhist era: year 1 = -542 (543 BC)
constexpr EraOffset kTaiwanese = {-1911, false, false};  // Minguo era: year 1 = 1912
constexpr EraOffset kByzantine = {5509, true, false};    // world era of Constantinople: year 1 = -5508 (5509 BC)
constexpr EraOffset kSeleucid = {312, true, false};      // Seleucid era: year 1 = -311 (312 BC)
// The Syrian year is the Seleucid year; only the months are renumbered. 312 is
// a multiple of 4, so the Julian rule applies to the Syrian year itself too.
constexpr EraOffset kSyrian = {312, true, true};

// Syrian months, 1 = Tishrin I (October of the Julian calendar).
constexpr std::array<const char*, 12> kSyrianMonths = {
    "Tishrin I", "Tishrin II", "Kanun I", "Kanun II", "Shubat", "Adhar",
    "Nisan",     "Ayyar",      "Haziran", "Tammuz",   "Ab",     "Aylul",
};

constexpr const EraOffset& constants(EraYear era) noexcept {
  switch (era) {
    case EraYear::buddhist: return kBuddhist;
    case EraYear::taiwanese: return kTaiwanese;
    case EraYear::byzantine: return kByzantine;
    case EraYear::seleucid: return kSeleucid;
    case EraYear::syrian: break;
  }
  return kSyrian;
}

// JulianDay of a day given with the underlying calendar's month.
JulianDay underlying_to_jd(const EraOffset& c, int32_t year, int32_t month, double day) noexcept {
  const int64_t underlying = int64_t{year} - c.offset;
  return c.julian ? western::julian_to_jd(underlying, month, day) : western::gregorian_to_jd(underlying, month, day);
}

}  // namespace

const KeywordTable syrian_month_names = {12, nullptr, kSyrianMonths.data(), kSyrianMonths.data()};

// Syrian month s is Julian month ((s + 8) mod 12) + 1, Julian month j is
// Syrian month ((j + 2) mod 12) + 1.
CalendarDate family_from_jd(EraYear era, JulianDay jd) noexcept {
  const EraOffset& c = constants(era);
  CalendarDate d = c.julian ? julian::from_jd(jd) : gregorian::from_jd(jd);
  d.year = clamp_year(int64_t{d.year} + c.offset);
  if (c.syrian) d.month = static_cast<int32_t>(mod_floor(int64_t{d.month} + 2, 12)) + 1;
  return d;
}

JulianDay family_to_jd(EraYear era, int32_t year, int32_t month, double day) noexcept {
  const EraOffset& c = constants(era);
  if (c.syrian) month = static_cast<int32_t>(mod_floor(int64_t{month} + 8, 12)) + 1;
  return underlying_to_jd(c, year, month, day);
}

int32_t family_is_leap_year(EraYear era, int32_t year) noexcept {
  const EraOffset& c = constants(era);
  const int64_t underlying = int64_t{year} - c.offset;
  return c.julian ? western::julian_leap(underlying) : western::gregorian_leap(underlying);
}

// 0h of 1 January of the underlying calendar's year (year - offset).
JulianDay family_year_start(EraYear era, int32_t year) noexcept {
  return underlying_to_jd(constants(era), year, 1, 1.0);
}

bool family_anchor_year_fits(EraYear era, int64_t year) noexcept {
  return western::new_year_fits(year - constants(era).offset);
}

// The Julian-based calendars write the Gregorian text form too, without the
// full stop after the day of the Julian calendar's own text form; the Syrian
// calendar writes no weekday and its own month names.
int family_format_date(EraYear era, char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate d = family_from_jd(era, jd);
  if (mode > 0 && constants(era).syrian) {
    return format_text(out, "%d %s %ld", ifloor(d.day), kSyrianMonths[static_cast<size_t>(d.month - 1)],
                       static_cast<long>(d.year));
  }
  return format_western_date(out, jd, d, mode, DayStop::none);
}

}  // namespace varizav
