#include "host/argument_names.h"

#include "calendars/chronology.h"
#include "calendars/western/gengou.h"
#include "calendars/western/latin.h"
#include "calendars/western/western_names.h"
#include "host/converter.h"

namespace varizav {

const KeywordTable* name_table(const NameSource& names) noexcept {
  switch (names.list) {
    case NameList::calendars: return &calendar_names;
    case NameList::weekdays: return &weekday_names;
    case NameList::months: return converter_month_names(names.calendar);
    case NameList::cycles: return &chronological_cycles;
    case NameList::gengou_eras: return &gengou_era_names;
    case NameList::roman_divisions: return &roman_division_names;
    case NameList::roman_counts: return &roman_count_names;
    case NameList::holidays:
    case NameList::none: return nullptr;
  }
  return nullptr;
}

}  // namespace varizav
