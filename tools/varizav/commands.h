// The subcommands of the host tool, each working on a registered add-in.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin_loader.h"
#include "framework/language.h"

namespace varizav::tool {

// Exit statuses: success, a failed or malformed call (or a library that cannot
// be used), bad usage of the tool itself.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Every function with display name, arguments, exported name and description.
int command_list(const AddIn& addin);

// One function with each argument's name, type and description.
int command_help(const AddIn& addin, std::string_view name);

// Calls one function: words[0] is the name, the rest its arguments. A text
// argument that names nothing gets a note on standard error, with the closest
// names of its list.
int command_call(const AddIn& addin, const std::vector<std::string>& words);

// Calls read from `in`, one NAME<TAB>arg... line each, one result line each
// (a line that holds a NUL byte is a malformed call); with warn, a note on
// standard error for each text argument that names nothing.
int command_batch(const AddIn& addin, bool echo, bool warn, std::FILE* in, std::FILE* out);

// A month of the civil calendar (default: this month) as a grid of weeks, each
// day also in the calendars of a comma-separated list (default: Gregorian,
// Hebrew, Islamic), then the month's holidays of those calendars and its Moon
// phases; with events, every astronomical event.
int command_cal(const AddIn& addin, const std::optional<std::string>& month,
                const std::optional<std::string>& calendars, bool events);

// The same month (when is YYYY-MM or nothing) as a stand-alone SVG page, A4
// landscape, or a year (when is YYYY) as twelve month grids on one page.
int command_cal_svg(const AddIn& addin, const std::optional<std::string>& when,
                    const std::optional<std::string>& calendars, bool events);

// The names that text arguments accept: with no key the list of lists, else
// the lists that the key (a list, a group or a calendar) selects; markdown:
// every list in both languages as Markdown tables (README's appendix); names
// are looked up in language.
int command_names(const std::optional<std::string>& key, bool markdown, LanguageId language);

// A date (default: today's local date) written in every calendar the library has.
int command_today(const AddIn& addin, const std::optional<std::string>& date);

// The holidays of a comma-separated list of calendars and every occurrence of
// a comma-separated list of astronomical events in the civil years
// [from_year, to_year] as an iCalendar file on standard output.
int command_ics(const AddIn& addin, const std::optional<std::string>& calendars,
                const std::optional<std::string>& events, int64_t from_year, int64_t to_year);

// GEDCOM date values from `in`, one per line: per line the first and the last
// serial day named, tab-separated, or "#INVALID reason" (exit status 1 when any).
int command_gedcom_date(const AddIn& addin, std::FILE* in, std::FILE* out);

// Every DATE line of a GEDCOM file ("-": standard input) with its record, tag,
// value, kind and Gregorian range; with other_calendar also the first and the
// last day in that calendar. Exit status 1 when a date is invalid.
int command_gedcom(const AddIn& addin, const std::string& path, const std::optional<std::string>& other_calendar);

}  // namespace varizav::tool
