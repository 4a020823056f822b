// Bilingual keyword tables and the name lookup used for every name-valued
// argument of the worksheet functions (calendar, month, weekday, era, event,
// cycle, division point).
//
// A lookup accepts the entry's number written as text, a name of the current
// language or an abbreviation of one; case and punctuation do not matter.
#pragma once

#include <cstdint>

namespace varizav {

struct KeywordTable {
  int32_t count;                      // entries, >= 1
  const int32_t* values;              // count values, or null: the entry number is the value
  const char* const* english_names;   // count zero-terminated Windows-1252 names
  const char* const* german_names;    // may be the same array as english_names
};

// The 1-based entry that text selects in table, or 0 when nothing matches.
int32_t keyword_entry(const char* text, const KeywordTable& table) noexcept;

// The value of the selected entry (its entry number when the table has no
// values), or 0 when nothing matches.
int32_t keyword_lookup(const char* text, const KeywordTable& table) noexcept;

// Leading decimal integer of a text: blanks and tabs skipped, one optional sign,
// digits up to the first other character, 0 without digits.
// The wrapping form keeps 32-bit two's-complement wrap-around (lookups by number);
// the saturating form clamps to the 32-bit range (configuration values).
int32_t leading_integer_wrapping(const char* text) noexcept;
int32_t leading_integer_saturating(const char* text) noexcept;

// Class of a Windows-1252 byte for name comparison: 0 end of text, 1 ignored,
// otherwise the case-folded byte.
uint8_t keyword_class(uint8_t byte) noexcept;

}  // namespace varizav
