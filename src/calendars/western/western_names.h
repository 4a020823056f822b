// Month and weekday names of the Western calendars: the keyword tables that
// the worksheet functions look names up in, and the display arrays of the text
// output, which the language switch points at English or German.
#pragma once

#include <cstdint>

#include "framework/keyword.h"

namespace varizav {

extern const KeywordTable gregorian_month_names;  // 12 entries, 1 = January
extern const KeywordTable weekday_names;          // 7 entries, 1 = Monday

// Display names of the text output (in the display-name language).
const char* western_month_display_name(int32_t month) noexcept;       // 1..12
const char* western_weekday_display_name(int32_t index) noexcept;  // 0 = Monday .. 6

}  // namespace varizav
