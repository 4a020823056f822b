// The name tables a JavaScript page needs to offer choices that the worksheet
// functions accept: the 25 calendars and each calendar's holiday table (the
// astronomical events for "astronomical"). Read straight from the library's
// own tables, so that the page never keeps a second copy of a name.
//
// Texts are the library's Windows-1252 bytes; the JavaScript side decodes them.
#include <cstdint>

#include "calendars/registry.h"
#include "events/holidays.h"
#include "framework/keyword.h"
#include "framework/language.h"
#include "host/catalogue.h"
#include "host/function_registry.h"
#include "host/host_text.h"

namespace {

// Table 0: the calendar names; table 1 + k: the holiday table of CalendarId k.
const varizav::KeywordTable* name_table(int32_t table) {
  if (table == 0) return &varizav::calendar_names;
  if (table >= 1 && table <= varizav::kCalendarCount) return varizav::holiday_tables[static_cast<size_t>(table - 1)];
  return nullptr;
}

}  // namespace

extern "C" {

// Entries of a table; 0 for an unknown table.
__attribute__((used)) int32_t varizav_name_count(int32_t table) {
  const varizav::KeywordTable* t = name_table(table);
  return t != nullptr ? t->count : 0;
}

// Entry 1..count of a table in English (german = 0) or German; an empty text
// for an unknown table or entry.
__attribute__((used)) const char* varizav_name(int32_t table, int32_t entry, int32_t german) {
  const varizav::KeywordTable* t = name_table(table);
  if (t == nullptr || entry < 1 || entry > t->count) return "";
  const char* const* names = german != 0 ? t->german_names : t->english_names;
  return names[entry - 1];
}

// The entry (1..25) of calendar_names that a text in the host's character set
// selects, as a calendar argument would select it in the language in force;
// in German an English name selects its calendar too. 0 for none.
__attribute__((used)) int32_t varizav_calendar_entry(const char* text) {
  int32_t entry = varizav::keyword_entry(varizav::HostText(text), varizav::calendar_names);
  if (entry == 0 && varizav::language_is_german()) {
    varizav::set_current_language(varizav::kLanguageEnglish);
    entry = varizav::keyword_entry(varizav::HostText(text), varizav::calendar_names);
    varizav::set_current_language(varizav::kLanguageGerman);
  }
  return entry;
}

// The display name of registry function `number` (0..34) in English (german
// = 0) or German, written into out (256 bytes) as the registration writes it
// (the host's character set); an empty text outside the registry.
__attribute__((used)) void varizav_display_name(int32_t number, int32_t german, char* out) {
  if (number < 0 || number >= varizav::kFunctionCount) {
    out[0] = '\0';
    return;
  }
  const int32_t entry = varizav::function_registry[static_cast<size_t>(number)].name_entry;
  varizav::write_host_registration_text(out, german != 0 ? varizav::catalogue_german(entry)
                                                         : varizav::catalogue_english(entry));
}

}  // extern "C"
