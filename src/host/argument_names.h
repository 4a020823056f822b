// The name lists of the worksheet functions' text arguments, as the function
// registry names them.
#pragma once

#include "framework/keyword.h"
#include "host/function_registry.h"

namespace varizav {

// The KeywordTable an argument's names are looked up in; null for an argument
// without names and for a holiday argument, whose table the calendar argument
// just before it selects (find_holiday_calendar).
const KeywordTable* name_table(const NameSource& names) noexcept;

}  // namespace varizav
