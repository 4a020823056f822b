#include "calendars/registry.h"

#include "calendars/western/civil.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/iso8601.h"
#include "calendars/western/julian.h"
#include "framework/numeric.h"

namespace varizav {
namespace {

// PLACEHOLDER operations for calendars that are not built yet: an empty text,
// a zero date and no leap years. Each calendar replaces its three entries
// below when it is built.
namespace placeholder {
int format_date(char* out, JulianDay, int32_t) noexcept {
  out[0] = '\0';
  return 0;
}
CalendarDate from_jd(JulianDay) noexcept { return {0, 0, 0.0}; }
int32_t is_leap_year(int32_t) noexcept { return 0; }
}  // namespace placeholder

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

CalendarDate iso_from_jd(JulianDay jd) noexcept {
  const WeekDate w = iso8601::from_jd(jd);
  return {w.year, w.week, w.day};
}

}  // namespace

const KeywordTable calendar_names = {kCalendarCount, nullptr, kEnglishNames.data(), kGermanNames.data()};

int32_t find_calendar(const char* name) noexcept { return keyword_entry(name, calendar_names) - 1; }

const std::array<FormatDateFn, kCalendarCount> format_date_table = {
    placeholder::format_date,  // armenian
    civil_format_date,         // astronomical
    placeholder::format_date,  // buddhist
    placeholder::format_date,  // byzantine
    placeholder::format_date,  // chinese
    placeholder::format_date,  // coptic
    placeholder::format_date,  // egyptian
    placeholder::format_date,  // ethiopic
    placeholder::format_date,  // french
    placeholder::format_date,  // gengou
    gregorian::format_date,    // gregorian
    placeholder::format_date,  // hebrew
    placeholder::format_date,  // hindu
    placeholder::format_date,  // hindu2
    placeholder::format_date,  // indian
    placeholder::format_date,  // islamic
    iso8601::format_date,      // iso8601
    julian::format_date,       // julian
    placeholder::format_date,  // latin
    placeholder::format_date,  // mayan
    placeholder::format_date,  // persian
    placeholder::format_date,  // seleucid
    placeholder::format_date,  // syrian
    placeholder::format_date,  // taiwanese
    placeholder::format_date,  // yazdegerd
};

const std::array<FromJdFn, kCalendarCount> from_jd_table = {
    placeholder::from_jd,  // armenian
    civil_from_jd,         // astronomical
    placeholder::from_jd,  // buddhist
    placeholder::from_jd,  // byzantine
    placeholder::from_jd,  // chinese
    placeholder::from_jd,  // coptic
    placeholder::from_jd,  // egyptian
    placeholder::from_jd,  // ethiopic
    placeholder::from_jd,  // french
    placeholder::from_jd,  // gengou
    gregorian::from_jd,    // gregorian
    placeholder::from_jd,  // hebrew
    placeholder::from_jd,  // hindu
    placeholder::from_jd,  // hindu2
    placeholder::from_jd,  // indian
    placeholder::from_jd,  // islamic
    iso_from_jd,           // iso8601
    julian::from_jd,       // julian
    placeholder::from_jd,  // latin
    placeholder::from_jd,  // mayan
    placeholder::from_jd,  // persian
    placeholder::from_jd,  // seleucid
    placeholder::from_jd,  // syrian
    placeholder::from_jd,  // taiwanese
    placeholder::from_jd,  // yazdegerd
};

const std::array<IsLeapYearFn, kCalendarCount> is_leap_year_table = {
    placeholder::is_leap_year,  // armenian
    civil_is_leap_year,         // astronomical
    placeholder::is_leap_year,  // buddhist
    placeholder::is_leap_year,  // byzantine
    placeholder::is_leap_year,  // chinese
    placeholder::is_leap_year,  // coptic
    placeholder::is_leap_year,  // egyptian
    placeholder::is_leap_year,  // ethiopic
    placeholder::is_leap_year,  // french
    placeholder::is_leap_year,  // gengou
    gregorian::is_leap_year,    // gregorian
    placeholder::is_leap_year,  // hebrew
    placeholder::is_leap_year,  // hindu
    placeholder::is_leap_year,  // hindu2
    placeholder::is_leap_year,  // indian
    placeholder::is_leap_year,  // islamic
    iso8601::is_leap_year,      // iso8601
    julian::is_leap_year,       // julian
    julian::is_leap_year,       // latin: the Roman calendar names days of the Julian calendar
    placeholder::is_leap_year,  // mayan
    placeholder::is_leap_year,  // persian
    placeholder::is_leap_year,  // seleucid
    placeholder::is_leap_year,  // syrian
    placeholder::is_leap_year,  // taiwanese
    placeholder::is_leap_year,  // yazdegerd
};

bool calendar_is_built(int32_t id) noexcept {
  return id >= 0 && id < kCalendarCount && format_date_table[static_cast<size_t>(id)] != placeholder::format_date;
}

void format_calendar_date(char* out, const char* calendar, double serial_date, double mode) noexcept {
  out[0] = '\0';
  const JulianDay jd = serial_to_jd(serial_date);
  if (!jd_in_accepted_range(jd) || mode != mode) return;
  const int32_t id = find_calendar(calendar);
  const FormatDateFn format = id >= 0 ? format_date_table[static_cast<size_t>(id)] : civil_default_format_date;
  format(out, jd, itrunc(mode));
}

}  // namespace varizav
