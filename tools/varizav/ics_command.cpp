// varizav ics: the holidays of chosen calendars and chosen astronomical
// events over a span of civil years as an iCalendar file (RFC 5545), for the
// calendar programs that subscribe to or import one. Every date and name comes
// from the loaded library and its tables.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>

#include "calendars/registry.h"
#include "commands.h"
#include "events/astro_events.h"
#include "events/holidays.h"
#include "framework/language.h"
#include "ics_format.h"
#include "month_data.h"
#include "name_lists.h"
#include "values.h"

namespace varizav::tool {
namespace {

struct Occurrence {
  double when;       // serial date as the library gives it (local time of day)
  int32_t calendar;  // CalendarId
  int32_t entry;     // 1-based entry of the calendar's holiday table
};

// Texts joined by appending (GCC 12 warns falsely, -Wrestrict, on chains of operator+).
std::string concat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (const std::string_view part : parts) out.append(part);
  return out;
}

// Lower-case ASCII letters and digits joined by '-': the stable part of a UID.
std::string slug(const char* cp1252) {
  std::string out;
  for (const char* p = cp1252; *p != '\0'; ++p) {
    const char c = *p;
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
      out += c;
    } else if (c >= 'A' && c <= 'Z') {
      out += static_cast<char>(c - 'A' + 'a');
    } else if (!out.empty() && out.back() != '-') {
      out += '-';
    }
  }
  while (!out.empty() && out.back() == '-') out.pop_back();
  return out;
}

// Entries of a comma-separated list in a list of names (`table` is the same
// list, for the closest names); nothing, with a message naming the closest
// names, when one selects nothing.
std::optional<std::vector<int32_t>> entries_of(const Caller& caller, const std::string& list, int32_t names,
                                               const KeywordTable& table, const char* noun, const char* names_key) {
  std::vector<int32_t> entries;
  for (const std::string_view name : split_fields(list, ',')) {
    const int32_t entry = caller.entry_of(names, name);
    if (entry == 0) {
      std::string hint = closest_names_in(name, table, caller.language());
      std::fprintf(stderr, "varizav: '%.*s' names no %s%s%s (varizav names %s lists them)\n",
                   static_cast<int>(name.size()), name.data(), noun, hint.empty() ? "" : "; ", hint.c_str(), names_key);
      return std::nullopt;
    }
    if (std::find(entries.begin(), entries.end(), entry) == entries.end()) entries.push_back(entry);
  }
  return entries;
}

// Every occurrence of a table's entry in [first, end).
void add_occurrences(const Caller& caller, int32_t calendar, int32_t entry, double first, double end,
                     std::vector<Occurrence>& out) {
  for (double from = first;;) {
    const double when = caller.next(std::to_string(calendar + 1), entry, from);
    if (!(when >= from && when < end)) break;
    out.push_back({when, calendar, entry});
    from = when + 1.0;
  }
}

// The civil day on which a holiday is kept: the day after its eve for the
// calendars whose day begins at 18:00 (serial fraction .75), else the day of
// its date (Hindu days begin at 06:00, fraction .25).
int64_t civil_day_of(double when) { return static_cast<int64_t>(std::floor(when + 0.25)); }

// "YYYYMMDD" of the proleptic Gregorian date of a serial day.
std::string basic_date(const AddIn& addin, int64_t serial_day) {
  const VarizavDateTime d = addin.date_of_serial(static_cast<double>(serial_day)).value_or(VarizavDateTime{});
  char text[32];
  std::snprintf(text, sizeof text, "%04lld%02d%02d", static_cast<long long>(d.year), d.month, d.day);
  return text;
}

// "YYYYMMDDTHHMMSSZ" of a serial date in Universal Time, to the second.
std::string basic_utc(const AddIn& addin, double serial) {
  const auto seconds = static_cast<int64_t>(std::llround(serial * 86400.0));
  const int64_t day = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const int64_t in_day = seconds - day * 86400;
  char text[32];
  std::snprintf(text, sizeof text, "%sT%02d%02d%02dZ", basic_date(addin, day).c_str(), static_cast<int>(in_day / 3600),
                static_cast<int>(in_day / 60 % 60), static_cast<int>(in_day % 60));
  return text;
}

// The time the file is written, or SOURCE_DATE_EPOCH for reproducible builds.
std::string stamp_now(const AddIn& addin) {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long value = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0') now = static_cast<std::time_t>(value);
  }
  return basic_utc(addin, static_cast<double>(now) / 86400.0 + 25569.0);  // 1970-01-01 is serial 25569
}

std::string without_weekday(const std::string& text) {
  const size_t comma = text.find(", ");
  return comma == std::string::npos ? text : text.substr(comma + 2);
}

}  // namespace

int command_ics(const AddIn& addin, const std::optional<std::string>& calendars,
                const std::optional<std::string>& events, int64_t from_year, int64_t to_year) {
  const Caller caller(addin);
  if (!caller.usable()) {
    std::fprintf(stderr, "varizav: the library has no usable SC_calendar and SC_holiday2\n");
    return kExitFailure;
  }
  std::vector<int32_t> calendar_ids;
  if (calendars) {
    const auto entries =
        entries_of(caller, *calendars, VARIZAV_LIST_CALENDARS, calendar_names, "calendar", "calendars");
    if (!entries) return kExitUsage;
    for (const int32_t entry : *entries) {
      if (entry - 1 == kAstronomical) {
        std::fprintf(stderr, "varizav: astronomical events are chosen with --events, such as \"Full Moon\"\n");
        return kExitUsage;
      }
      calendar_ids.push_back(entry - 1);
    }
  }
  std::vector<int32_t> event_entries;
  if (events) {
    const auto entries = entries_of(caller, *events, VARIZAV_LIST_HOLIDAYS + int32_t{kAstronomical}, astro_events,
                                    "astronomical event", "astronomical");
    if (!entries) return kExitUsage;
    event_entries = *entries;
  }

  // Years of the command line: within the 32-bit years of the library's dates.
  const double first = addin.serial_of_date(static_cast<int32_t>(from_year), 1, 1).value_or(0.0);
  const double end = addin.serial_of_date(static_cast<int32_t>(to_year + 1), 1, 1).value_or(0.0);
  std::vector<Occurrence> found;
  for (const int32_t id : calendar_ids) {
    const KeywordTable& table = *holiday_tables[static_cast<size_t>(id)];
    for (int32_t k = 1; k <= table.count; ++k) {
      // Placeholders name no holiday; a second name of a holiday is the same feast.
      if (is_placeholder_name(caller.english(VARIZAV_LIST_HOLIDAYS + id, k)) || same_value_as(table, k) != 0) continue;
      add_occurrences(caller, id, k, first, end, found);
    }
  }
  for (const int32_t k : event_entries) add_occurrences(caller, kAstronomical, k, first, end, found);
  std::stable_sort(found.begin(), found.end(),
                   [](const Occurrence& a, const Occurrence& b) { return a.when < b.when; });

  IcsWriter ics(stdout);
  ics.line("BEGIN", "VCALENDAR");
  ics.line("VERSION", "2.0");
  ics.line("PRODID", "-//varizav//varizav " VARIZAV_TOOL_VERSION "//EN");
  ics.line("CALSCALE", "GREGORIAN");
  ics.line("METHOD", "PUBLISH");
  std::string title = "varizav";
  for (const int32_t id : calendar_ids) {
    title = concat({title, " ", host_name(caller.name(VARIZAV_LIST_CALENDARS, id + 1))});
  }
  ics.text("X-WR-CALNAME", utf8_text(concat({title, " ", std::to_string(from_year), "-", std::to_string(to_year)})));

  const std::string stamp = stamp_now(addin);
  const bool german = caller.language() == kLanguageGerman;
  std::map<std::string, int> ordinals;  // per feast and civil year
  for (const Occurrence& o : found) {
    const int32_t holidays = VARIZAV_LIST_HOLIDAYS + o.calendar;
    const bool astronomical = o.calendar == kAstronomical;
    const int64_t day = astronomical ? static_cast<int64_t>(std::floor(o.when)) : civil_day_of(o.when);
    const int64_t civil_year = addin.date_of_serial(static_cast<double>(day)).value_or(VarizavDateTime{}).year;
    const std::string feast = concat({slug(caller.english(VARIZAV_LIST_CALENDARS, o.calendar + 1)), "-",
                                      slug(caller.english(holidays, o.entry)), "-", std::to_string(civil_year)});
    const int ordinal = ++ordinals[feast];

    ics.line("BEGIN", "VEVENT");
    ics.line("UID", concat({feast, "-", std::to_string(ordinal), "@varizav"}));
    ics.line("DTSTAMP", stamp);
    std::string description;
    if (astronomical) {
      ics.line("DTSTART", basic_utc(addin, o.when));
    } else {
      ics.line("DTSTART;VALUE=DATE", basic_date(addin, day));
      ics.line("DTEND;VALUE=DATE", basic_date(addin, day + 1));
      const std::string calendar_label = host_name(caller.name(VARIZAV_LIST_CALENDARS, o.calendar + 1));
      description =
          concat({without_weekday(caller.format(std::to_string(o.calendar + 1), static_cast<double>(day), 1.0)), " (",
                  calendar_label, ")"});
      if (static_cast<double>(day) - o.when > 0.0) {
        const std::string eve = caller.format(std::to_string(kGregorian + 1), std::floor(o.when), 1.0);
        description = german ? concat({description, ". Beginnt am Vorabend, ", eve, ", um 18:00."})
                             : concat({description, ". Begins at 18:00 on the evening before, ", eve, "."});
      }
    }
    ics.text("SUMMARY", utf8_text(host_name(caller.name(holidays, o.entry))));
    if (!description.empty()) ics.text("DESCRIPTION", utf8_text(description));
    ics.text("CATEGORIES", utf8_text(host_name(caller.name(VARIZAV_LIST_CALENDARS, o.calendar + 1))));
    ics.line("TRANSP", "TRANSPARENT");
    ics.line("X-VARIZAV-CALENDAR", caller.english(VARIZAV_LIST_CALENDARS, o.calendar + 1));
    ics.line("X-VARIZAV-EVENT", std::to_string(o.entry));
    ics.line("END", "VEVENT");
  }
  ics.line("END", "VCALENDAR");
  return ics.ok() ? kExitOk : kExitFailure;
}

}  // namespace varizav::tool
