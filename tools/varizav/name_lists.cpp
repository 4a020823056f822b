#include "name_lists.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "calendars/chronology.h"
#include "calendars/egyptian_type.h"
#include "calendars/french.h"
#include "calendars/hebrew.h"
#include "calendars/indian.h"
#include "calendars/islamic.h"
#include "calendars/lunisolar/chinese.h"
#include "calendars/lunisolar/hindu.h"
#include "calendars/persian.h"
#include "calendars/registry.h"
#include "calendars/western/era_offset.h"
#include "calendars/western/gengou.h"
#include "calendars/western/latin.h"
#include "calendars/western/western_names.h"
#include "closest_names.h"
#include "events/astro_events.h"
#include "events/holidays.h"
#include "framework/language.h"
#include "host/catalogue.h"
#include "host/configuration.h"
#include "host/function_registry.h"
#include "host/host_text.h"
#include "host/language_switch.h"
#include "varizav/names.h"

namespace varizav::tool {
namespace {

// The month table of a calendar's converter, or null.
const KeywordTable* month_table(int32_t id) { return calendar_record(static_cast<CalendarId>(id)).month_names; }

// A name argument of a worksheet function and the table it is looked up in.
struct NameArgument {
  std::string_view function;  // exported name
  size_t argument;            // 0-based
  // The table; null for an event, whose table the calendar argument just
  // before it selects.
  const KeywordTable* table;
  const char* noun;  // "names no <noun>"
  // What the function does with a text that selects nothing; null: it gives
  // the error value.
  const char* fallback;
  bool number_first = false;  // a leading number is read before the name
};

constexpr const char* kMonth = "month";
constexpr const char* kWeekday = "weekday";
constexpr const char* kNoEvent = "treats it as no event and tests every day";
constexpr const char* kCalendar = "calendar";
constexpr const char* kGregorianHolidays = "uses the Gregorian holidays";
constexpr const char* kCivilLeapRule = "uses the civil leap rule (Julian up to the reform year, Gregorian after it)";

constexpr auto kNameArguments = std::to_array<NameArgument>({
    {"SC_armenian", 1, &armenian::month_names, kMonth, nullptr},
    {"SC_buddhist", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_byzantine", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_calendar", 0, &calendar_names, kCalendar,
     "writes the civil date (Julian calendar up to the reform, Gregorian after it)"},
    {"SC_chinese", 2, &chinese_month_names, kMonth, nullptr},
    {"SC_chronology", 0, &chronological_cycles, "chronological cycle", "writes Err:502"},
    {"SC_coptic", 1, &coptic::month_names, kMonth, nullptr},
    {"SC_egyptian", 1, &egyptian::month_names, kMonth, nullptr},
    {"SC_event", 1, &weekday_names, kWeekday, "counts plain days of the month"},
    {"SC_event", 2, &gregorian_month_names, kMonth,
     "counts from January (ordinal above 0) or back from the end of December"},
    {"SC_ethiopic", 1, &ethiopic::month_names, kMonth, nullptr},
    {"SC_french", 1, &french::month_names, kMonth, nullptr},
    {"SC_gengou", 0, &gengou_era_names, "Japanese era", "counts the years of the Jimmu era (Gregorian year + 660)"},
    {"SC_gengou", 2, &gregorian_month_names, kMonth, nullptr},
    {"SC_gregorian", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_hebrew", 1, &hebrew_month_names, kMonth, nullptr},
    {"SC_hindu", 1, &hindu::month_names, kMonth, nullptr},
    {"SC_hindu2", 1, &hindu2::month_names, kMonth, nullptr},
    {"SC_holiday", 0, &calendar_names, kCalendar, kGregorianHolidays},
    {"SC_holiday", 1, nullptr, nullptr, nullptr},
    {"SC_holiday2", 0, &calendar_names, kCalendar, kGregorianHolidays},
    {"SC_holiday2", 1, nullptr, nullptr, nullptr},
    {"SC_indian", 1, &indian::month_names, kMonth, nullptr},
    {"SC_islamic", 1, &islamic_month_names, kMonth, nullptr},
    {"SC_iso8601", 2, &weekday_names, kWeekday, nullptr, true},
    {"SC_julian", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_leapyear", 0, &calendar_names, kCalendar, kCivilLeapRule},
    {"SC_leapyear2", 0, &calendar_names, kCalendar, kCivilLeapRule},
    {"SC_persian", 1, &persian_month_names, kMonth, nullptr},
    {"SC_latin", 1, &roman_month_names, kMonth, nullptr},
    {"SC_latin", 2, &roman_division_names, "Roman division point", nullptr},
    {"SC_latin", 3, &roman_count_names, "Roman day count", "counts it as 0, the leap day bis VI", true},
    {"SC_seleucid", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_syrian", 1, &syrian_month_names, kMonth, nullptr},
    {"SC_taiwanese", 1, &gregorian_month_names, kMonth, nullptr},
    {"SC_when", 0, &calendar_names, kCalendar, kGregorianHolidays},
    {"SC_when", 1, nullptr, nullptr, nullptr},
    {"SC_when", 2, &weekday_names, kWeekday, "treats it as any day"},
    {"SC_when", 4, &gregorian_month_names, kMonth, "treats it as any month"},
    {"SC_when2", 0, &calendar_names, kCalendar, kGregorianHolidays},
    {"SC_when2", 1, nullptr, nullptr, nullptr},
    {"SC_when2", 2, &calendar_names, kCalendar, kGregorianHolidays},
    {"SC_when2", 3, nullptr, nullptr, nullptr},
    {"SC_yazdegerd", 1, &yazdegerd::month_names, kMonth, nullptr},
});

const FunctionEntry* registry_entry(std::string_view exported_name) {
  for (const FunctionEntry& f : function_registry) {
    if (f.exported_name == exported_name) return &f;
  }
  return nullptr;
}

// The English display name and argument name of a name argument.
std::string display_name_of(const NameArgument& a) { return catalogue_english(registry_entry(a.function)->name_entry); }
// The tool's headers write WHEN2's fourth argument as "2nd event"; the
// registry keeps the name "2st event" that hosts have stored.
std::string argument_name_of(const NameArgument& a) {
  const std::string name = catalogue_english(registry_entry(a.function)->arguments[a.argument].name_entry);
  return name == "2st event" ? "2nd event" : name;
}

// The arguments that take table (null: the event arguments), as
// "month of BUDDHIST, BYZANTINE; name of day of EVENT".
std::string users_of(const KeywordTable* table) {
  std::vector<std::pair<std::string, std::string>> groups;  // argument name, functions
  for (const NameArgument& a : kNameArguments) {
    if (a.table != table) continue;
    std::string argument = argument_name_of(a);
    if (a.number_first) argument += " (or a number)";
    auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == argument; });
    if (group == groups.end()) {
      groups.emplace_back(argument, display_name_of(a));
    } else if (group->second.find(display_name_of(a)) == std::string::npos) {
      group->second.append(", ").append(display_name_of(a));
    }
  }
  std::string users;
  for (const auto& [argument, functions] : groups) {
    if (!users.empty()) users += "; ";
    users.append(argument).append(" of ").append(functions);
  }
  return users;
}

const char* english_calendar_name(int32_t id) { return calendar_names.english_names[id]; }

NameList calendars_list() { return {"calendars", "Calendars", users_of(&calendar_names), &calendar_names}; }
NameList weekdays_list() { return {"weekdays", "Weekdays", users_of(&weekday_names), &weekday_names}; }
NameList events_list() {
  return {"events", "Astronomical events", users_of(nullptr) + " with the calendar astronomical", &astro_events};
}
NameList cycles_list() {
  return {"cycles", "Chronological cycles", users_of(&chronological_cycles), &chronological_cycles};
}
NameList eras_list() { return {"eras", "Japanese eras", users_of(&gengou_era_names), &gengou_era_names}; }
NameList divisions_list() {
  return {"divisions", "Roman division points", users_of(&roman_division_names), &roman_division_names};
}
NameList counts_list() { return {"counts", "Roman day counts", users_of(&roman_count_names), &roman_count_names}; }

NameList months_list(int32_t id) {
  std::string title = "Months of ";
  bool first = true;
  for (int32_t k = 0; k < kCalendarCount; ++k) {
    if (month_table(k) != month_table(id)) continue;
    if (!first) title += ", ";
    title += english_calendar_name(k);
    first = false;
  }
  return {std::string(english_calendar_name(id)) + "-months", title, users_of(month_table(id)), month_table(id)};
}

// Two holiday tables are listed once when they have the same names (the
// one-entry tables all name "New Year's Day").
bool same_names(const KeywordTable& a, const KeywordTable& b) {
  if (a.count != b.count) return false;
  for (int32_t i = 0; i < a.count; ++i) {
    if (std::strcmp(a.english_names[i], b.english_names[i]) != 0 ||
        std::strcmp(a.german_names[i], b.german_names[i]) != 0) {
      return false;
    }
  }
  return true;
}

NameList holidays_list(int32_t id) {
  const KeywordTable* table = holiday_tables[id];
  if (table == &astro_events) return events_list();
  std::string title = "Holidays of ";
  bool first = true;
  for (int32_t k = 0; k < kCalendarCount; ++k) {
    if (!same_names(*holiday_tables[k], *table)) continue;
    title += (first ? "" : ", ") + std::string(english_calendar_name(k));
    first = false;
  }
  if (table == &gregorian_holidays) title += " (and of a calendar name that names no calendar)";
  return {std::string(english_calendar_name(id)) + "-holidays", title, users_of(nullptr), table};
}

// Each distinct list that `list_of` gives, under the name of its first
// calendar (the Gregorian one for the lists it shares).
template <class ListOf>
std::vector<NameList> distinct_lists(ListOf list_of, bool (*skip)(int32_t)) {
  std::vector<NameList> lists;
  for (int32_t k = -1; k < kCalendarCount; ++k) {
    const int32_t id = k < 0 ? kGregorian : k;
    if (skip(id)) continue;
    NameList list = list_of(id);
    bool seen = false;
    for (const NameList& earlier : lists) seen = seen || same_names(*earlier.table, *list.table);
    if (!seen) lists.push_back(std::move(list));
  }
  return lists;
}

bool has_no_months(int32_t id) { return month_table(id) == nullptr; }
bool is_astronomical(int32_t id) { return id == kAstronomical; }

std::vector<NameList> all_months() { return distinct_lists(months_list, has_no_months); }
std::vector<NameList> all_holidays() { return distinct_lists(holidays_list, is_astronomical); }

// Every list that belongs to one calendar.
std::vector<NameList> calendar_lists(int32_t id) {
  std::vector<NameList> lists;
  if (id == kGengou) lists.push_back(eras_list());
  if (month_table(id) != nullptr) lists.push_back(months_list(id));
  if (id == kLatin) {
    lists.push_back(divisions_list());
    lists.push_back(counts_list());
  }
  if (id == kIso8601) lists.push_back(weekdays_list());
  lists.push_back(holidays_list(id));
  return lists;
}

// The groups of `varizav names GROUP`, English names then German ones.
enum Group : int32_t { kCalendars = 1, kWeekdays, kMonths, kHolidays, kEvents, kCycles, kEras, kDivisions, kCounts };
constexpr std::array<const char*, 18> kGroupNames = {
    "calendars", "weekdays",   "months", "holidays", "events",     "cycles", "eras",    "divisions",  "counts",
    "kalender",  "wochentage", "monate", "festtage", "ereignisse", "zyklen", "\xC4ren", "festpunkte", "tageszahlen",
};
constexpr std::array<int32_t, 18> kGroupValues = {
    kCalendars, kWeekdays, kMonths, kHolidays, kEvents, kCycles, kEras, kDivisions, kCounts,
    kCalendars, kWeekdays, kMonths, kHolidays, kEvents, kCycles, kEras, kDivisions, kCounts,
};
constexpr KeywordTable kGroups = {static_cast<int32_t>(kGroupNames.size()), kGroupValues.data(), kGroupNames.data(),
                                  kGroupNames.data()};

std::vector<NameList> group_lists(int32_t group) {
  switch (group) {
    case kCalendars: return {calendars_list()};
    case kWeekdays: return {weekdays_list()};
    case kMonths: return all_months();
    case kHolidays: return all_holidays();
    case kEvents: return {events_list()};
    case kCycles: return {cycles_list()};
    case kEras: return {eras_list()};
    case kDivisions: return {divisions_list()};
    case kCounts: return {counts_list()};
    default: return {};
  }
}

// 'Fridy' (name of day) names no weekday; WHEN treats it as any day; did you mean Friday?
std::string note(std::string_view text, const std::string& parameter, const std::string& noun,
                 std::string_view display_name, const char* fallback, const KeywordTable& table, LanguageId language) {
  std::string line = "'";
  line.append(text).append("' (").append(parameter).append(") names no ").append(noun).append("; ");
  line.append(display_name).append(" ").append(fallback != nullptr ? fallback : "gives the error value");
  const std::string hint = closest_names_in(text, table, language);
  if (!hint.empty()) line.append("; ").append(hint);
  return line;
}

// A name as the lookup compares it: each byte's comparison class, ignored
// characters left out.
std::string folded_name(const char* cp1252) {
  std::string folded;
  for (const char* p = cp1252; *p != '\0'; ++p) {
    const uint8_t c = keyword_class(static_cast<uint8_t>(*p));
    if (c > 1) folded += static_cast<char>(c);
  }
  return folded;
}

}  // namespace

std::vector<NameFallback> name_fallbacks() {
  std::vector<NameFallback> fallbacks;
  for (const NameArgument& a : kNameArguments) {
    if (a.table == nullptr && a.function == "SC_when") {
      fallbacks.push_back({display_name_of(a), argument_name_of(a), "holiday or astronomical event",
                           std::string(kNoEvent) + " (with the Gregorian or the astronomical calendar; with any "
                                                   "other calendar it gives the error value)"});
    } else if (a.fallback != nullptr) {
      fallbacks.push_back({display_name_of(a), argument_name_of(a), a.noun, a.fallback});
    }
  }
  return fallbacks;
}

std::vector<NameList> all_name_lists() {
  std::vector<NameList> lists = {calendars_list(), weekdays_list()};
  for (NameList& list : all_months()) lists.push_back(std::move(list));
  for (NameList& list : all_holidays()) lists.push_back(std::move(list));
  for (NameList list : {events_list(), cycles_list(), eras_list(), divisions_list(), counts_list()}) {
    lists.push_back(std::move(list));
  }
  return lists;
}

std::vector<NameList> name_lists_for(std::string_view key, LanguageId language) {
  const std::string text(key);
  if (const int32_t group = host_keyword_entry(text, kGroups, language); group != 0) {
    return group_lists(kGroupValues[group - 1]);
  }
  for (const NameList& list : all_name_lists()) {
    if (list.key == key) return {list};
  }
  // Every calendar key, also of the lists that another calendar's list stands for.
  for (int32_t id = 0; id < kCalendarCount; ++id) {
    for (const NameList& list : calendar_lists(id)) {
      if (list.key == key) return {list};
    }
  }
  int32_t calendar = host_keyword_entry(text, calendar_names, language);
  if (calendar == 0 && language == kLanguageGerman) {
    // The English calendar names, which the list keys use, work in German too.
    calendar = host_keyword_entry(text, calendar_names, kLanguageEnglish);
  }
  return calendar != 0 ? calendar_lists(calendar - 1) : std::vector<NameList>{};
}

std::optional<std::string> shortest_abbreviation(const KeywordTable& table, int32_t entry, LanguageId language) {
  const std::string_view name = names_in(table, language)[entry - 1];
  for (size_t length = 0; length <= name.size(); ++length) {
    const std::string prefix(name.substr(0, length));
    if (keyword_entry({prefix.c_str(), language}, table) == entry) return prefix;
  }
  return std::nullopt;
}

bool is_placeholder_name(const char* name) { return std::strcmp(name, "nil") == 0; }

std::string closest_calendar_names(std::string_view text, LanguageId language) {
  return closest_names_in(text, calendar_names, language);
}

std::string closest_names_in(std::string_view text, const KeywordTable& table, LanguageId language) {
  const char* const* names = names_in(table, language);
  std::vector<std::string> folded;
  std::vector<std::string> shown;
  for (int32_t k = 0; k < table.count; ++k) {
    if (names[k][0] == '\0' || is_placeholder_name(names[k])) continue;
    folded.push_back(folded_name(names[k]));
    shown.push_back(host_name(names[k]));
  }
  const std::string copy(text);
  return did_you_mean(closest_names(folded_name(HostText(copy.c_str())), folded, shown));
}

int32_t same_value_as(const KeywordTable& table, int32_t entry) {
  if (table.values == nullptr) return 0;
  for (int32_t k = 1; k < entry; ++k) {
    if (table.values[k - 1] == table.values[entry - 1]) return k;
  }
  return 0;
}

int32_t host_keyword_entry(std::string_view text, const KeywordTable& table, LanguageId language) {
  const std::string copy(text);
  const HostText name(copy.c_str());
  return keyword_entry({name, language}, table);
}

std::string host_name(const char* cp1252) {
  if (!host_text_is_utf8()) return cp1252;
  std::string out(4 * std::strlen(cp1252) + 1, '\0');
  out.resize(cp1252_to_utf8(cp1252, out.data(), out.size()));
  return out;
}

LanguageId configure_name_lookup(uint16_t windows_language) {
  select_host_language(windows_language);
  apply_environment_configuration();
  detect_host_charset();
  return current_language();
}

std::vector<std::string> unmatched_name_notes(std::string_view exported_name, std::string_view display_name,
                                              const std::vector<std::string>& parameter_names,
                                              const std::vector<std::string_view>& arguments) {
  return unmatched_name_notes(exported_name, display_name, parameter_names, arguments,
                              static_cast<LanguageId>(varizav_name_language()));
}

std::vector<std::string> unmatched_name_notes(std::string_view exported_name, std::string_view display_name,
                                              const std::vector<std::string>& parameter_names,
                                              const std::vector<std::string_view>& arguments, LanguageId language) {
  std::vector<std::string> notes;
  for (const NameArgument& a : kNameArguments) {
    if (a.function != exported_name || a.argument >= arguments.size() || a.argument >= parameter_names.size()) {
      continue;
    }
    const std::string text(arguments[a.argument]);
    const std::string& parameter = parameter_names[a.argument];
    if (a.table != nullptr) {
      // An empty text is how a user says "none" where the function falls back.
      if (a.fallback != nullptr && text.empty()) continue;
      if (a.number_first && read_decimal_text(HostText(text.c_str())) != 0.0) continue;
      if (host_keyword_entry(text, *a.table, language) != 0) continue;
      notes.push_back(note(text, parameter, a.noun, display_name, a.fallback, *a.table, language));
      continue;
    }
    const std::string calendar_text(arguments[a.argument - 1]);
    const HostText calendar_name(calendar_text.c_str());
    const HolidayCalendar calendar = find_holiday_calendar({calendar_name, language});
    if (host_keyword_entry(text, *calendar.table, language) != 0) continue;
    const bool astronomical = calendar.table == &astro_events;
    const std::string noun = astronomical ? std::string("astronomical event")
                                          : "holiday of " + std::string(english_calendar_name(calendar.calendar));
    // WHEN without an event tests every day, in the Gregorian and the
    // astronomical calendars only; elsewhere it fails.
    const bool no_event = exported_name == "SC_when" && (astronomical || calendar.table == &gregorian_holidays);
    if (no_event && text.empty()) continue;
    notes.push_back(
        note(text, parameter, noun, display_name, no_event ? kNoEvent : nullptr, *calendar.table, language));
  }
  return notes;
}

}  // namespace varizav::tool
