// The registry of the 35 worksheet functions as the host registers them: per
// function its exported name, display name and description, result type, and
// per argument its type, its name and description and, for a text argument
// that names something, the list its names come from.
//
// Constant data only, so that every program that has to describe the add-in
// (the registration entry points, the host tool, an extension generator)
// reads this one table. The catalogue numbers the host addresses the texts by
// are derived from the texts' places in the catalogue (catalogue.h).
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "calendars/registry.h"
#include "host/catalogue.h"

namespace varizav {

// Type codes of the registration protocol (written as 32-bit integers).
enum TypeCode : int32_t {
  kTypeNumber = 0,  // pointer to a double
  kTypeText = 1,    // pointer to a zero-terminated Windows-1252 text (256-byte buffer for a result)
};

// The list whose names a text argument takes (name_table in
// argument_names.h gives its KeywordTable).
enum class NameList : int8_t {
  none,
  calendars,        // calendar_names
  weekdays,         // weekday_names, 1 = Monday
  months,           // the month names of NameSource::calendar
  holidays,         // the holidays of the calendar named by the argument just before
  cycles,           // chronological_cycles
  gengou_eras,      // gengou_era_names
  roman_divisions,  // roman_division_names
  roman_counts,     // roman_count_names
};

struct NameSource {
  NameList list = NameList::none;
  CalendarId calendar = kGregorian;  // for NameList::months only
  bool number_first = false;         // a leading number is read before the names
};

constexpr NameSource months_of(CalendarId calendar) noexcept { return {NameList::months, calendar, false}; }
inline constexpr NameSource kCalendarNames = {NameList::calendars};
inline constexpr NameSource kWeekdayNames = {NameList::weekdays};
inline constexpr NameSource kWeekdayNumberOrName = {NameList::weekdays, kGregorian, true};
inline constexpr NameSource kHolidayNames = {NameList::holidays};
inline constexpr NameSource kCycleNames = {NameList::cycles};
inline constexpr NameSource kGengouEraNames = {NameList::gengou_eras};
inline constexpr NameSource kRomanDivisionNames = {NameList::roman_divisions};
inline constexpr NameSource kRomanCountNumberOrName = {NameList::roman_counts, kGregorian, true};

struct ArgumentEntry {
  TypeCode type = kTypeNumber;
  ArgumentText text = {kNoText, kNoText};  // name and description
  NameSource names = {};
  int32_t name_entry = -1;         // catalogue entry of the name
  int32_t description_entry = -1;  // catalogue entry of the description

  constexpr ArgumentEntry() = default;
  constexpr ArgumentEntry(TypeCode type_code, const ArgumentText& kind, NameSource source = {})
      : type(type_code),
        text(kind),
        names(source),
        name_entry(catalogue_argument_name_entry(kind)),
        description_entry(catalogue_argument_description_entry(kind)) {}
};

constexpr int32_t kMaxArguments = 6;  // SC_when

struct FunctionEntry {
  uint16_t number;            // registration order, 0..34
  const char* exported_name;  // the C symbol of libvarizav.so
  Text name;                  // display name
  Text description;
  TypeCode result_type;
  int32_t argument_count;                              // 0..kMaxArguments; the host sees 1 + argument_count slots
  std::array<ArgumentEntry, kMaxArguments> arguments;  // in call order; unused rows empty
  int32_t name_entry;                                  // catalogue entry of the display name
  int32_t description_entry;                           // catalogue entry of the description

  constexpr FunctionEntry(uint16_t registration_number, const char* exported, Text display_name,
                          Text function_description, TypeCode result, std::initializer_list<ArgumentEntry> args)
      : number(registration_number),
        exported_name(exported),
        name(display_name),
        description(function_description),
        result_type(result),
        argument_count(static_cast<int32_t>(args.size())),
        arguments(),
        name_entry(catalogue_function_entry(exported)),
        description_entry(catalogue_function_entry(exported) + 1) {
    size_t a = 0;
    for (const ArgumentEntry& arg : args) {
      if (a < arguments.size()) arguments[a] = arg;
      ++a;
    }
  }
};

constexpr int32_t kFunctionCount = 35;

// Registration order: alphabetical by exported name, except that SC_event
// precedes SC_ethiopic and SC_latin follows SC_persian. Texts are Windows-1252.
// clang-format off
inline constexpr std::array<FunctionEntry, kFunctionCount> function_registry = {{
    {0, "SC_armenian", {"ARMENIAN", "ARMENISCH"},
     {"Converts an Armenian calendar date to a date.", "Wandelt ein armenisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kArmenian)}, {kTypeNumber, kArgDay}}},
    {1, "SC_astronomy", {"ASTRONOMICAL", "ASTRONOMISCH"},
     {"Converts the astronomical day count (JD) to a date.", "Wandelt die astronomische Tagesz\xE4hlung (JD) in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgDate}}},
    {2, "SC_buddhist", {"BUDDHIST", "BUDDHISTISCH"},
     {"Converts a Buddhist calendar date to a date.", "Wandelt ein buddhistisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kBuddhist)}, {kTypeNumber, kArgDay}}},
    {3, "SC_byzantine", {"BYZANTINE", "BYZANTINISCH"},
     {"Converts a Byzantine calendar date to a date.", "Wandelt ein byzantinisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kByzantine)}, {kTypeNumber, kArgDay}}},
    {4, "SC_calendar", {"CALENDAR", "KALENDER"},
     {"Converts a date to a corresponding calendar date of that calendar.", "Wandelt ein Datum in ein Kalenderdatum des ausgew\xE4hlten Kalenders um."},
     kTypeText, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeNumber, kArgDate}, {kTypeNumber, kArgFormatMode}}},
    {5, "SC_chinese", {"CHINESE", "CHINESISCH"},
     {"Converts a Chinese calendar date to a date.", "Wandelt ein chinesisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgCycle}, {kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kChinese)}, {kTypeNumber, kArgLeapMonth}, {kTypeNumber, kArgDay}}},
    {6, "SC_chronology", {"CHRONOLOGY", "CHRONOLOGIE"},
     {"Calculates for a given year one of the classical calendrical cycles.", "Berechnet f\xFCr das Jahr einen der klassischen Kalenderzyklen."},
     kTypeText, {{kTypeText, kArgCycleName, kCycleNames}, {kTypeNumber, kArgYear}}},
    {7, "SC_coptic", {"COPTIC", "KOPTISCH"},
     {"Converts a Coptic calendar date to a date.", "Wandelt ein koptisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kCoptic)}, {kTypeNumber, kArgDay}}},
    {8, "SC_egyptian", {"EGYPTIAN", "\xC4GYPTISCH"},
     {"Converts an Egyptian calendar date to a date.", "Wandelt ein \xE4gyptisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kEgyptian)}, {kTypeNumber, kArgDay}}},
    {9, "SC_event", {"EVENT", "EREIGNIS"},
     {"Converts an event of type 'nth day of month in the year' to  the corresponding calendar date.", "Wandelt ein Ereignis der Art 'nter Tag im Monat des Jahres' in das entsprechende Kalenderdatum um."},
     kTypeNumber, {{kTypeNumber, kArgOrdinal}, {kTypeText, kArgNameOfDay, kWeekdayNames}, {kTypeText, kArgMonthName, months_of(kGregorian)}, {kTypeNumber, kArgYear}}},
    {10, "SC_ethiopic", {"ETHIOPIC", "\xC4THIOPISCH"},
     {"Converts an Ethiopic calendar date to a date.", "Wandelt ein \xE4thiopisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kEthiopic)}, {kTypeNumber, kArgDay}}},
    {11, "SC_french", {"FRENCH", "FRANZ\xD6SISCH"},
     {"Converts a French calendar date to a date.", "Wandelt ein franz\xF6sisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kFrench)}, {kTypeNumber, kArgDay}}},
    {12, "SC_gengou", {"GENGOU", "GENGOU"},
     {"Converts a Gengou calendar date to a date.", "Wandelt ein Gengou-Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeText, kArgGengouEra, kGengouEraNames}, {kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kGengou)}, {kTypeNumber, kArgDay}}},
    {13, "SC_gnomon", {"GNOMON", "GNOMON"},
     {"Calculates the time which is displayed by the shadow stick of a sundial (gnomon). At 0 a.m. of the day this agrees with the equation of time.", "Berechnet die Uhrzeit, die der Schattenstab einer Sonnenuhr (Gnomon) anzeigt. Um 0 Uhr des Tages entspricht dies der Zeitgleichung."},
     kTypeNumber, {{kTypeNumber, kArgDate}}},
    {14, "SC_gregorian", {"GREGORIAN", "GREGORIANISCH"},
     {"Converts a Gregorian calendar date to a date.", "Wandelt ein gregorianisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kGregorian)}, {kTypeNumber, kArgDay}}},
    {15, "SC_hebrew", {"HEBREW", "J\xDC" "DISCH"},
     {"Converts a Hebrew calendar date to a date.", "Wandelt ein j\xFC" "disches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kHebrew)}, {kTypeNumber, kArgDay}}},
    {16, "SC_hindu", {"HINDU", "HINDU"},
     {"Converts a Hindu calendar date (lunisolar) to a date.", "Wandelt ein Hindu-Kalenderdatum (lunisolar) in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kHindu)}, {kTypeNumber, kArgLeapMonth}, {kTypeNumber, kArgDay}}},
    {17, "SC_hindu2", {"HINDU2", "HINDU2"},
     {"Converts a Hindu calendar date (solar) to a date.", "Wandelt ein Hindu-Kalenderdatum (solar) in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kHindu2)}, {kTypeNumber, kArgDay}}},
    {18, "SC_holiday", {"HOLIDAY", "FESTTAG"},
     {"Computes an event (holiday) in a calendar. The date is the first event within the year (cycle) of that calendar.", "Berechnet ein Ereignis (Festtag) aus einem Kalender. Es wird das n\xE4" "chstfolgende Ereignis innerhalb eines vorgegebenen Jahres (Zyklus) aus dem entsprechenden Kalender berechnet."},
     kTypeNumber, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeText, kArgEvent, kHolidayNames}, {kTypeText, kArgEpoch}}},
    {19, "SC_holiday2", {"HOLIDAY2", "FESTTAG2"},
     {"Computes an event (holiday) in a calendar. The date is the first event that falls on or next after a given start date.", "Berechnet ein Ereignis (Festtag) aus einem Kalender. Es wird das n\xE4" "chste Ereignis berechnet, das auf ein vorgegebenes Startdatum folgt."},
     kTypeNumber, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeText, kArgEvent, kHolidayNames}, {kTypeNumber, kArgStartDate}}},
    {20, "SC_indian", {"INDIAN", "INDISCH"},
     {"Converts an Indian calendar date to a date.", "Wandelt ein indisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kIndian)}, {kTypeNumber, kArgDay}}},
    {21, "SC_islamic", {"ISLAMIC", "ISLAMISCH"},
     {"Converts an Islamic calendar date to a date.", "Wandelt ein islamisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kIslamic)}, {kTypeNumber, kArgDay}}},
    {22, "SC_iso8601", {"ISO8601", "ISO8601"},
     {"Converts an ISO-8601 calendar date to a date.", "Wandelt ein ISO-8601 Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeNumber, kArgWeek}, {kTypeText, kArgDay, kWeekdayNumberOrName}}},
    {23, "SC_julian", {"JULIAN", "JULIANISCH"},
     {"Converts a Julian calendar date to a date.", "Wandelt ein julianisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kJulian)}, {kTypeNumber, kArgDay}}},
    {24, "SC_leapyear", {"LEAPYEAR", "SCHALTJAHR"},
     {"Determines weather a year is a leap year within a calendar.", "Ermittelt, ob ein Jahr innerhalb eines Kalenders ein Schaltjahr ist."},
     kTypeNumber, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeText, kArgEpoch}}},
    {25, "SC_leapyear2", {"LEAPYEAR2", "SCHALTJAHR2"},
     {"Determines weather a date is within a leap year of that calendar.", "Ermittelt, ob ein Datum in einem Schaltjahr des Kalenders liegt."},
     kTypeNumber, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeNumber, kArgDate}}},
    {26, "SC_mayan", {"MAYAN", "MAYA"},
     {"Converts a Mayan calendar date to a date.", "Wandelt ein Maya-Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgBaktun}, {kTypeNumber, kArgKatun}, {kTypeNumber, kArgTun}, {kTypeNumber, kArgUinal}, {kTypeNumber, kArgKin}}},
    {27, "SC_persian", {"PERSIAN", "PERSISCH"},
     {"Converts an Persian calendar date to a date.", "Wandelt ein persisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kPersian)}, {kTypeNumber, kArgDay}}},
    {28, "SC_latin", {"LATIN", "LATEINISCH"},
     {"Converts a Latin (Roman) calendar date to a date.", "Wandelt ein lateinisches (r\xF6misches) Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kLatin)}, {kTypeText, kArgDivisionPoint, kRomanDivisionNames}, {kTypeText, kArgDay, kRomanCountNumberOrName}}},
    {29, "SC_seleucid", {"SELEUCID", "SELEUKIDEN"},
     {"Converts a Seleucid calendar date to a date.", "Wandelt ein Seleukiden-Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kSeleucid)}, {kTypeNumber, kArgDay}}},
    {30, "SC_syrian", {"SYRIAN", "SYRISCH"},
     {"Converts a Syrian calendar date to a date.", "Wandelt ein syrisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kSyrian)}, {kTypeNumber, kArgDay}}},
    {31, "SC_taiwanese", {"TAIWANESE", "TAIWANISCH"},
     {"Converts a Taiwanese calendar date to a date.", "Wandelt ein taiwanesisches Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kTaiwanese)}, {kTypeNumber, kArgDay}}},
    {32, "SC_when", {"WHEN", "WANN"},
     {"Scans for the date of an event that is a combination of definite characteristics: \nfix day of week, fix day of month and/or fix month \n(e.g. Full Moon on Friday the 13th ;-)", "Sucht nach dem Datum eines Ereignisses, das eine Kombination bestimmter Merkmale erf\xFCllt: \nfester Wochentag, feste Tageszahl und/oder feste Monatszahl \n(z.B. Vollmond am Freitag, dem 13. ;-)"},
     kTypeNumber, {{kTypeText, kArgCalendar, kCalendarNames}, {kTypeText, kArgEvent, kHolidayNames}, {kTypeText, kArgNameOfDay, kWeekdayNames}, {kTypeNumber, kArgDay}, {kTypeText, kArgMonthNumber, months_of(kGregorian)}, {kTypeNumber, kArgStartDate}}},
    {33, "SC_when2", {"WHEN2", "WANN2"},
     {"Scans for the occurence of two events on the same day.\n (e.g. Easter and Passover)", "Sucht nach dem Auftreten zweier Ereignisse am selben Tag. (z.B. Ostern und Passah)"},
     kTypeNumber, {{kTypeText, kArgFirstCalendar, kCalendarNames}, {kTypeText, kArgFirstEvent, kHolidayNames}, {kTypeText, kArgSecondCalendar, kCalendarNames}, {kTypeText, kArgSecondEvent, kHolidayNames}, {kTypeNumber, kArgStartDate}}},
    {34, "SC_yazdegerd", {"YAZDEGERD", "JEZDEGERD"},
     {"Converts a Yazdegerd calendar date to a date.", "Wandelt ein Jezdegerd-Kalenderdatum in ein Datum um."},
     kTypeNumber, {{kTypeNumber, kArgYear}, {kTypeText, kArgMonthName, months_of(kYazdegerd)}, {kTypeNumber, kArgDay}}},
}};
// clang-format on

namespace detail {
constexpr bool registry_is_consistent() {
  for (int32_t k = 0; k < kFunctionCount; ++k) {
    const FunctionEntry& f = function_registry[static_cast<size_t>(k)];
    if (f.number != k || f.argument_count < 1 || f.argument_count > kMaxArguments) return false;
    if (std::string_view(f.exported_name).substr(0, 3) != "SC_") return false;
    // Every function named in both languages and listed in the catalogue.
    if (*f.name.english == '\0' || *f.name.german == '\0' || *f.description.english == '\0' ||
        *f.description.german == '\0' || f.name_entry < 0) {
      return false;
    }
    for (int32_t a = 0; a < kMaxArguments; ++a) {
      const ArgumentEntry& arg = f.arguments[static_cast<size_t>(a)];
      const bool used = a < f.argument_count;
      // Every argument's kind listed in the catalogue, with a description.
      if (used && (arg.name_entry < 0 || arg.description_entry < 0)) return false;
      if (!used && arg.name_entry != -1) return false;
      // Only text arguments take names.
      if (arg.names.list != NameList::none && arg.type != kTypeText) return false;
    }
  }
  return true;
}
// Every catalogue function is registered once.
constexpr bool catalogue_lists_each_function_once() {
  for (std::string_view name : kCatalogueFunctionOrder) {
    int32_t found = 0;
    for (const FunctionEntry& f : function_registry) found += name == f.exported_name ? 1 : 0;
    if (found != 1) return false;
  }
  return true;
}
}  // namespace detail
static_assert(kCatalogueFunctionOrder.size() == kFunctionCount);
static_assert(detail::registry_is_consistent());
static_assert(detail::catalogue_lists_each_function_once());

}  // namespace varizav
