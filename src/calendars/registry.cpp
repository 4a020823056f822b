#include "calendars/registry.h"

#include "calendars/egyptian_type.h"
#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/lunisolar/hindu.h"
#include "calendars/mayan.h"
#include "calendars/persian.h"
#include "calendars/western/civil.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/gregorian.h"
#include "calendars/western/iso8601.h"
#include "calendars/western/julian.h"
#include "calendars/western/latin.h"
#include "calendars/western/western_names.h"
#include "framework/numeric.h"
#include "framework/row_table.h"

namespace varizav {
namespace {

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

// One row per calendar, in CalendarId order: the names, the operations that
// generic code reaches by calendar, and the month names its converter takes.
constexpr std::array<CalendarRecord, kCalendarCount> kCalendars = {{
    {kArmenian, "armenian", "armenisch", armenian::format_date, armenian::from_jd, armenian::is_leap_year,
     &armenian::month_names},
    {kAstronomical, "astronomical", "astronomisch", civil_format_date, civil_from_jd, civil_is_leap_year, nullptr},
    {kBuddhist, "buddhist", "buddhistisch", buddhist::format_date, buddhist::from_jd, buddhist::is_leap_year,
     &gregorian_month_names},
    {kByzantine, "byzantine", "byzantinisch", byzantine::format_date, byzantine::from_jd, byzantine::is_leap_year,
     &gregorian_month_names},
    {kChinese, "chinese", "chinesisch", chinese::format_date, chinese::registry_from_jd, chinese::is_leap_year,
     &chinese_month_names},
    {kCoptic, "coptic", "koptisch", coptic::format_date, coptic::from_jd, coptic::is_leap_year, &coptic::month_names},
    {kEgyptian, "egyptian", "\xE4gyptisch", egyptian::format_date, egyptian::from_jd, egyptian::is_leap_year,
     &egyptian::month_names},
    {kEthiopic, "ethiopic", "\xE4thiopisch", ethiopic::format_date, ethiopic::from_jd, ethiopic::is_leap_year,
     &ethiopic::month_names},
    {kFrench, "french", "franz\xF6sisch", french::format_date, french::from_jd, french::is_leap_year,
     &french::month_names},
    {kGengou, "gengou", "gengou", gengou::format_date, gengou_from_jd, gengou::is_leap_year, &gregorian_month_names},
    {kGregorian, "gregorian", "gregorianisch", gregorian::format_date, gregorian::from_jd, gregorian::is_leap_year,
     &gregorian_month_names},
    {kHebrew, "hebrew",
     "j\xFC"
     "disch",
     hebrew::format_date, hebrew::from_jd, hebrew::is_leap_year, &hebrew_month_names},
    {kHindu, "hindu", "hindu", hindu::format_date, hindu_from_jd, hindu::is_leap_year, &hindu::month_names},
    {kHindu2, "hindu2", "hindu2", hindu2::format_date, hindu2::from_jd, hindu2::is_leap_year, &hindu2::month_names},
    {kIndian, "indian", "indisch", indian::format_date, indian::from_jd, indian::is_leap_year, &indian::month_names},
    {kIslamic, "islamic", "islamisch", islamic::format_date, islamic::from_jd, islamic::is_leap_year,
     &islamic_month_names},
    {kIso8601, "iso8601", "iso8601", iso8601::format_date, iso_from_jd, iso8601::is_leap_year, nullptr},
    {kJulian, "julian", "julianisch", julian::format_date, julian::from_jd, julian::is_leap_year,
     &gregorian_month_names},
    // The Roman calendar names days of the Julian calendar, and keeps its leap years.
    {kLatin, "latin", "lateinisch", latin::format_date, latin_from_jd, julian::is_leap_year, &roman_month_names},
    // The simple form of a long-count date: tun count, uinal + 1, kin + 1.
    {kMayan, "mayan", "maya", mayan::format_date, mayan::calendar_date, mayan::is_leap_year, nullptr},
    {kPersian, "persian", "persisch", persian::format_date, persian::from_jd, persian::is_leap_year,
     &persian_month_names},
    {kSeleucid, "seleucid", "seleukiden", seleucid::format_date, seleucid::from_jd, seleucid::is_leap_year,
     &gregorian_month_names},
    {kSyrian, "syrian", "syrisch", syrian::format_date, syrian::from_jd, syrian::is_leap_year, &syrian_month_names},
    {kTaiwanese, "taiwanese", "taiwanisch", taiwanese::format_date, taiwanese::from_jd, taiwanese::is_leap_year,
     &gregorian_month_names},
    {kYazdegerd, "yazdegerd", "jezdegerd", yazdegerd::format_date, yazdegerd::from_jd, yazdegerd::is_leap_year,
     &yazdegerd::month_names},
}};

// Every row in its place, named in both languages. (Function addresses are
// not checked here: with the sanitizers they are not constant expressions.)
static_assert(rows_in_index_order(kCalendars, &CalendarRecord::id));
static_assert([] {
  for (const CalendarRecord& r : kCalendars) {
    if (r.english_name == nullptr || r.german_name == nullptr) return false;
  }
  return true;
}());

constexpr std::array<const char*, kCalendarCount> kEnglishNames = column_of(kCalendars, &CalendarRecord::english_name);
constexpr std::array<const char*, kCalendarCount> kGermanNames = column_of(kCalendars, &CalendarRecord::german_name);

}  // namespace

const CalendarRecord& calendar_record(CalendarId id) noexcept { return kCalendars[static_cast<size_t>(id)]; }

const KeywordTable calendar_names = {kCalendarCount, nullptr, kEnglishNames.data(), kGermanNames.data()};

const std::array<FormatDateFn, kCalendarCount> format_date_table = column_of(kCalendars, &CalendarRecord::format_date);
const std::array<FromJdFn, kCalendarCount> from_jd_table = column_of(kCalendars, &CalendarRecord::from_jd);
const std::array<IsLeapYearFn, kCalendarCount> is_leap_year_table =
    column_of(kCalendars, &CalendarRecord::is_leap_year);

int32_t find_calendar(NameText name) noexcept { return keyword_entry(name, calendar_names) - 1; }

void format_calendar_date(char* out, NameText calendar, double serial_date, double mode) noexcept {
  out[0] = '\0';
  const JulianDay jd = serial_to_jd(serial_date);
  if (!jd_in_accepted_range(jd) || mode != mode) return;
  const int32_t id = find_calendar(calendar);
  const FormatDateFn format = id >= 0 ? format_date_table[static_cast<size_t>(id)] : civil_default_format_date;
  format(out, jd, itrunc(mode));
}

}  // namespace varizav
