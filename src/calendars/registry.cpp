#include "calendars/registry.h"

#include "calendars/egyptian_type.h"
#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/hindu.h"
#include "calendars/mayan.h"
#include "calendars/persian.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/western/civil.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/iso8601.h"
#include "calendars/western/julian.h"
#include "calendars/western/latin.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

constexpr std::array<const char*, kCalendarCount> kEnglishNames = {
    "armenian", "astronomical", "buddhist", "byzantine", "chinese",  "coptic",   "egyptian",
    "ethiopic", "french",       "gengou",   "gregorian", "hebrew",   "hindu",    "hindu2",
    "indian",   "islamic",      "iso8601",  "julian",    "latin",    "mayan",    "persian",
    "seleucid", "syrian",       "taiwanese", "yazdegerd",
};
// German names keep the English order, so "jüdisch" stands at 11 and "jezdegerd" at 24.
constexpr std::array<const char*, kCalendarCount> kGermanNames = {
    "armenisch",   "astronomisch", "buddhistisch", "byzantinisch", "chinesisch",
    "koptisch",    "\xE4gyptisch", "\xE4thiopisch", "franz\xF6sisch", "gengou",
    "gregorianisch", "j\xFC" "disch", "hindu",     "hindu2",       "indisch",
    "islamisch",   "iso8601",      "julianisch",   "lateinisch",   "maya",
    "persisch",    "seleukiden",   "syrisch",      "taiwanisch",   "jezdegerd",
};

CalendarDate hindu_from_jd(JulianDay jd) noexcept {
  const hindu::LunisolarDate d = hindu::from_jd(jd);
  return {d.year, d.month, d.day};
}

CalendarDate iso_from_jd(JulianDay jd) noexcept {
  const WeekDate w = iso8601::from_jd(jd);
  return {w.year, w.week, w.day};
}

// The Jimmu-count year, Gregorian year + 660.
CalendarDate gengou_from_jd(JulianDay jd) noexcept {
  const GengouDate g = gengou::from_jd(jd);
  return {g.year, g.month, g.day};
}

CalendarDate latin_from_jd(JulianDay jd) noexcept {
  const RomanDate r = latin::from_jd(jd);
  return {r.year, r.month, r.day};
}

}  // namespace

const KeywordTable calendar_names = {kCalendarCount, nullptr, kEnglishNames.data(), kGermanNames.data()};

int32_t find_calendar(const char* name) noexcept { return keyword_entry(name, calendar_names) - 1; }

const std::array<FormatDateFn, kCalendarCount> format_date_table = {
    armenian::format_date,     // armenian
    civil_format_date,         // astronomical
    buddhist::format_date,     // buddhist
    byzantine::format_date,    // byzantine
    chinese::format_date,      // chinese
    coptic::format_date,       // coptic
    egyptian::format_date,     // egyptian
    ethiopic::format_date,     // ethiopic
    french::format_date,       // french
    gengou::format_date,       // gengou
    gregorian::format_date,    // gregorian
    hebrew::format_date,       // hebrew
    hindu::format_date,        // hindu
    hindu2::format_date,       // hindu2
    indian::format_date,       // indian
    islamic::format_date,      // islamic
    iso8601::format_date,      // iso8601
    julian::format_date,       // julian
    latin::format_date,        // latin
    mayan::format_date,        // mayan
    persian::format_date,      // persian
    seleucid::format_date,     // seleucid
    syrian::format_date,       // syrian
    taiwanese::format_date,    // taiwanese
    yazdegerd::format_date,    // yazdegerd
};

const std::array<FromJdFn, kCalendarCount> from_jd_table = {
    armenian::from_jd,     // armenian
    civil_from_jd,         // astronomical
    buddhist::from_jd,     // buddhist
    byzantine::from_jd,    // byzantine
    chinese::registry_from_jd,  // chinese
    coptic::from_jd,       // coptic
    egyptian::from_jd,     // egyptian
    ethiopic::from_jd,     // ethiopic
    french::from_jd,       // french
    gengou_from_jd,        // gengou
    gregorian::from_jd,    // gregorian
    hebrew::from_jd,       // hebrew
    hindu_from_jd,         // hindu
    hindu2::from_jd,       // hindu2
    indian::from_jd,       // indian
    islamic::from_jd,      // islamic
    iso_from_jd,           // iso8601
    julian::from_jd,       // julian
    latin_from_jd,         // latin
    mayan::calendar_date,  // mayan: tun count, uinal + 1, kin + 1
    persian::from_jd,      // persian
    seleucid::from_jd,     // seleucid
    syrian::from_jd,       // syrian
    taiwanese::from_jd,    // taiwanese
    yazdegerd::from_jd,    // yazdegerd
};

const std::array<IsLeapYearFn, kCalendarCount> is_leap_year_table = {
    armenian::is_leap_year,     // armenian
    civil_is_leap_year,         // astronomical
    buddhist::is_leap_year,     // buddhist
    byzantine::is_leap_year,    // byzantine
    chinese::is_leap_year,      // chinese
    coptic::is_leap_year,       // coptic
    egyptian::is_leap_year,     // egyptian
    ethiopic::is_leap_year,     // ethiopic
    french::is_leap_year,       // french
    gengou::is_leap_year,       // gengou
    gregorian::is_leap_year,    // gregorian
    hebrew::is_leap_year,       // hebrew
    hindu::is_leap_year,        // hindu
    hindu2::is_leap_year,       // hindu2
    indian::is_leap_year,       // indian
    islamic::is_leap_year,      // islamic
    iso8601::is_leap_year,      // iso8601
    julian::is_leap_year,       // julian
    julian::is_leap_year,       // latin: the Roman calendar names days of the Julian calendar
    mayan::is_leap_year,        // mayan
    persian::is_leap_year,      // persian
    seleucid::is_leap_year,     // seleucid
    syrian::is_leap_year,       // syrian
    taiwanese::is_leap_year,    // taiwanese
    yazdegerd::is_leap_year,    // yazdegerd
};

void format_calendar_date(char* out, const char* calendar, double serial_date, double mode) noexcept {
  out[0] = '\0';
  const JulianDay jd = serial_to_jd(serial_date);
  if (!jd_in_accepted_range(jd) || mode != mode) return;
  const int32_t id = find_calendar(calendar);
  const FormatDateFn format = id >= 0 ? format_date_table[static_cast<size_t>(id)] : civil_default_format_date;
  format(out, jd, itrunc(mode));
}

}  // namespace varizav
