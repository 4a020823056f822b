// The name lists of varizav/names.h: the keyword tables that the worksheet
// functions look their name arguments up in, numbered for hosts.
#include "varizav/names.h"
#include "calendars/chronology.h"
#include "calendars/registry.h"
#include "calendars/western/gengou.h"
#include "calendars/western/latin.h"
#include "calendars/western/western_names.h"
#include "events/holidays.h"
#include "framework/keyword.h"
#include "framework/language.h"
#include "host/host_text.h"

namespace varizav {
namespace {

static_assert(VARIZAV_LIST_MONTHS == VARIZAV_LIST_HOLIDAYS + kCalendarCount);
static_assert(VARIZAV_LIST_WEEKDAYS == VARIZAV_LIST_MONTHS + kCalendarCount);

// The table of a list, or null for an unknown list and a calendar without months.
const KeywordTable* name_list(int32_t list) noexcept {
  if (list == VARIZAV_LIST_CALENDARS) return &calendar_names;
  if (list >= VARIZAV_LIST_HOLIDAYS && list < VARIZAV_LIST_MONTHS) {
    return holiday_tables[static_cast<size_t>(list - VARIZAV_LIST_HOLIDAYS)];
  }
  if (list >= VARIZAV_LIST_MONTHS && list < VARIZAV_LIST_WEEKDAYS) {
    return calendar_record(static_cast<CalendarId>(list - VARIZAV_LIST_MONTHS)).month_names;
  }
  switch (list) {
    case VARIZAV_LIST_WEEKDAYS: return &weekday_names;
    case VARIZAV_LIST_CYCLES: return &chronological_cycles;
    case VARIZAV_LIST_ERAS: return &gengou_era_names;
    case VARIZAV_LIST_DIVISIONS: return &roman_division_names;
    case VARIZAV_LIST_DAY_COUNTS: return &roman_count_names;
    default: return nullptr;
  }
}

}  // namespace
}  // namespace varizav

extern "C" {

VARIZAV_API int32_t varizav_name_language(void) { return varizav::current_language(); }

VARIZAV_API int32_t varizav_name_count(int32_t list) {
  const varizav::KeywordTable* table = varizav::name_list(list);
  return table != nullptr ? table->count : 0;
}

VARIZAV_API const char* varizav_name(int32_t list, int32_t entry, int32_t language) {
  const varizav::KeywordTable* table = varizav::name_list(list);
  if (table == nullptr || entry < 1 || entry > table->count) return "";
  return varizav::names_in(*table, static_cast<varizav::LanguageId>(language))[entry - 1];
}

VARIZAV_API int32_t varizav_name_entry(int32_t list, const char* text, int32_t language) {
  const varizav::KeywordTable* table = varizav::name_list(list);
  if (table == nullptr) return 0;
  const varizav::HostText name(text);
  return varizav::keyword_entry({name, static_cast<varizav::LanguageId>(language)}, *table);
}

}  // extern "C"
