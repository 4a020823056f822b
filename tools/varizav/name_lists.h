// The names that the worksheet functions' text arguments accept, read from the
// library's own keyword tables (the tool links the core that the add-in is
// built from), and what each function does with a text that names nothing.
// Every lookup takes the language whose names it compares: the caller asks the
// loaded library which language is in force (varizav_name_language).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/keyword.h"
#include "framework/language.h"

namespace varizav::tool {

// One keyword table as `varizav names` shows it.
struct NameList {
  std::string key;      // what `varizav names KEY` accepts, e.g. "hebrew-holidays"
  std::string title;    // e.g. "Holidays of hebrew"
  std::string used_by;  // the arguments that take it, e.g. "event of HOLIDAY, HOLIDAY2, WHEN, WHEN2"
  const KeywordTable* table;
};

// The lists that `varizav names KEY` prints: a group (calendars, weekdays,
// months, holidays, events, cycles, eras, divisions, counts, in English or
// German), a list key as `names_lists` gives it, or a calendar name in the
// language given (all the lists of that calendar; in German the English
// calendar names too). Empty when KEY names nothing.
std::vector<NameList> name_lists_for(std::string_view key, LanguageId language);

// Every list, for the overview and the README appendix.
std::vector<NameList> all_name_lists();

// The shortest text that selects entry (1-based) of table in a language
// (empty for the Roman day count whose name is empty); nullopt when only the
// entry's number selects it.
std::optional<std::string> shortest_abbreviation(const KeywordTable& table, int32_t entry, LanguageId language);

// True for a name that holds a holiday table's place without naming a
// holiday: the Gregorian table's English name of 8 December is "nil". The
// tool's own lists and calendars show it as a placeholder, never as a holiday.
bool is_placeholder_name(const char* name);

// The entry before `entry` whose value equals its value (two names of one
// holiday), or 0.
int32_t same_value_as(const KeywordTable& table, int32_t entry);

// What a function does with a name argument that names nothing, where it
// does not give the error value (English display and argument names).
struct NameFallback {
  std::string function;
  std::string argument;
  std::string noun;      // "weekday": the text names no weekday
  std::string fallback;  // "treats it as any day"
};
std::vector<NameFallback> name_fallbacks();

// A note on a text argument that selects nothing: what the function does with
// it, and the closest names of its list in the language of the lookup ("did
// you mean"). `arguments` are the call's argument texts as the user gave them
// (in the host's character set); number arguments are ignored. Empty when
// every name argument selects an entry, or where an empty text is the
// function's way of saying "none".
std::vector<std::string> unmatched_name_notes(std::string_view exported_name, std::string_view display_name,
                                              const std::vector<std::string>& parameter_names,
                                              const std::vector<std::string_view>& arguments, LanguageId language);
// The same in the language that the library linked beside this code uses
// now (the WebAssembly module, where the notes and the library are one).
std::vector<std::string> unmatched_name_notes(std::string_view exported_name, std::string_view display_name,
                                              const std::vector<std::string>& parameter_names,
                                              const std::vector<std::string_view>& arguments);

// The entry that a text given in the host's character set selects in table
// when compared in a language (0 for none), exactly as the add-in looks it up.
int32_t host_keyword_entry(std::string_view text, const KeywordTable& table, LanguageId language);

// The names of table (in a language, in the host's character set) closest to
// text, as a "did you mean ...?" (empty when none is close).
std::string closest_names_in(std::string_view text, const KeywordTable& table, LanguageId language);
// The same among the calendar names.
std::string closest_calendar_names(std::string_view text, LanguageId language);

// Windows-1252 name to the host's character set (UTF-8 in a UTF-8 locale).
std::string host_name(const char* cp1252);

// The language whose names a library looks up after a host's SetLanguage with
// windows_language and GetFunctionCount (which reads VARIZAV_LANGUAGE), found
// by configuring the tool's own copy of the core that way; for the names
// command, which loads no library. Also decides the host's character set for
// the tool's texts.
LanguageId configure_name_lookup(uint16_t windows_language);

}  // namespace varizav::tool
