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
};

// Year 1 of each era in astronomical years of the underlying calendar.
constexpr EraOffset kBuddhist = {543, false};     // Buddhist era: year 1 = -542 (543 BC)
constexpr EraOffset kTaiwanese = {-1911, false};  // Minguo era: year 1 = 1912
constexpr EraOffset kByzantine = {5509, true};    // world era of Constantinople: year 1 = -5508 (5509 BC)
constexpr EraOffset kSeleucid = {312, true};      // Seleucid era: year 1 = -311 (312 BC)

CalendarDate era_from_jd(const EraOffset& c, JulianDay jd) noexcept {
  CalendarDate d = c.julian ? julian::from_jd(jd) : gregorian::from_jd(jd);
  d.year = clamp_year(int64_t{d.year} + c.offset);
  return d;
}

JulianDay era_to_jd(const EraOffset& c, int32_t year, int32_t month, double day) noexcept {
  const int64_t underlying = int64_t{year} - c.offset;
  return c.julian ? western::julian_to_jd(underlying, month, day) : western::gregorian_to_jd(underlying, month, day);
}

int32_t era_is_leap_year(const EraOffset& c, int32_t year) noexcept {
  const int64_t underlying = int64_t{year} - c.offset;
  return c.julian ? western::julian_leap(underlying) : western::gregorian_leap(underlying);
}

// 0h of 1 January of the underlying calendar's year (year - offset).
JulianDay era_year_start(const EraOffset& c, int32_t year) noexcept { return era_to_jd(c, year, 1, 1.0); }

// The Julian-based calendars write the Gregorian text form too, without the
// full stop after the day of the Julian calendar's own text form.
int era_format_date(const EraOffset& c, char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate d = era_from_jd(c, jd);
  if (mode > 0) {
    return format_text(out, "%s, %d %s %ld", western_weekday_display_name(weekday_index(jd)), ifloor(d.day),
                       western_month_display_name(d.month), static_cast<long>(d.year));
  }
  return format_numeric_date(out, d, mode);
}

// Syrian months, 1 = Tishrin I (October of the Julian calendar).
constexpr std::array<const char*, 12> kSyrianMonths = {
    "Tishrin I", "Tishrin II", "Kanun I", "Kanun II", "Shubat", "Adhar",
    "Nisan",     "Ayyar",      "Haziran", "Tammuz",   "Ab",     "Aylul",
};

}  // namespace

const KeywordTable syrian_month_names = {12, nullptr, kSyrianMonths.data(), kSyrianMonths.data()};

namespace buddhist {
int32_t is_leap_year(int32_t year) noexcept { return era_is_leap_year(kBuddhist, year); }
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return era_to_jd(kBuddhist, year, month, day); }
CalendarDate from_jd(JulianDay jd) noexcept { return era_from_jd(kBuddhist, jd); }
int format_date(char* out, JulianDay jd, int32_t mode) noexcept { return era_format_date(kBuddhist, out, jd, mode); }
JulianDay year_start(int32_t year) noexcept { return era_year_start(kBuddhist, year); }
}  // namespace buddhist

namespace taiwanese {
int32_t is_leap_year(int32_t year) noexcept { return era_is_leap_year(kTaiwanese, year); }
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return era_to_jd(kTaiwanese, year, month, day); }
CalendarDate from_jd(JulianDay jd) noexcept { return era_from_jd(kTaiwanese, jd); }
int format_date(char* out, JulianDay jd, int32_t mode) noexcept { return era_format_date(kTaiwanese, out, jd, mode); }
JulianDay year_start(int32_t year) noexcept { return era_year_start(kTaiwanese, year); }
}  // namespace taiwanese

namespace byzantine {
int32_t is_leap_year(int32_t year) noexcept { return era_is_leap_year(kByzantine, year); }
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return era_to_jd(kByzantine, year, month, day); }
CalendarDate from_jd(JulianDay jd) noexcept { return era_from_jd(kByzantine, jd); }
int format_date(char* out, JulianDay jd, int32_t mode) noexcept { return era_format_date(kByzantine, out, jd, mode); }
JulianDay year_start(int32_t year) noexcept { return era_year_start(kByzantine, year); }
}  // namespace byzantine

namespace seleucid {
int32_t is_leap_year(int32_t year) noexcept { return era_is_leap_year(kSeleucid, year); }
JulianDay to_jd(int32_t year, int32_t month, double day) noexcept { return era_to_jd(kSeleucid, year, month, day); }
CalendarDate from_jd(JulianDay jd) noexcept { return era_from_jd(kSeleucid, jd); }
int format_date(char* out, JulianDay jd, int32_t mode) noexcept { return era_format_date(kSeleucid, out, jd, mode); }
JulianDay year_start(int32_t year) noexcept { return era_year_start(kSeleucid, year); }
}  // namespace seleucid

namespace syrian {

// The Syrian year is the Seleucid year; only the months are renumbered.
// Syrian month s is Julian month ((s + 8) mod 12) + 1, Julian month j is
// Syrian month ((j + 2) mod 12) + 1.
int32_t is_leap_year(int32_t year) noexcept {
  // 312 is a multiple of 4: the Julian rule on the year itself.
  return western::julian_leap(year);
}

JulianDay to_jd(int32_t year, int32_t month, double day) noexcept {
  const int32_t julian_month = static_cast<int32_t>(mod_floor(int64_t{month} + 8, 12)) + 1;
  return era_to_jd(kSeleucid, year, julian_month, day);
}

CalendarDate from_jd(JulianDay jd) noexcept {
  CalendarDate d = era_from_jd(kSeleucid, jd);
  d.month = static_cast<int32_t>(mod_floor(int64_t{d.month} + 2, 12)) + 1;
  return d;
}

int format_date(char* out, JulianDay jd, int32_t mode) noexcept {
  const CalendarDate d = from_jd(jd);
  if (mode > 0) {
    return format_text(out, "%d %s %ld", ifloor(d.day), kSyrianMonths[static_cast<size_t>(d.month - 1)],
                       static_cast<long>(d.year));
  }
  return format_numeric_date(out, d, mode);
}

JulianDay year_start(int32_t year) noexcept { return era_year_start(kSeleucid, year); }

}  // namespace syrian
}  // namespace varizav
