// Bilingual keyword tables and the name lookup used for every name-valued
// argument of the worksheet functions (calendar, month, weekday, era, event,
// cycle, division point).
//
// A lookup accepts the entry's number written as text, a name of the
// language it is given or an abbreviation of one; case and punctuation do not
// matter. The language is always an argument: only the host's edge knows
// which language is in force.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "framework/language.h"

namespace varizav {

struct KeywordTable {
  int32_t count;                     // entries, >= 1
  const int32_t* values;             // count values, or null: the entry number is the value
  const char* const* english_names;  // count zero-terminated Windows-1252 names
  const char* const* german_names;   // may be the same array as english_names
};

// The columns of a keyword table with values, split at compile time from rows
// of {english, german, code}, so that the source keeps a name and its value on
// one line and a missing column entry cannot compile.
template <std::size_t N>
struct KeywordColumns {
  std::array<const char*, N> english;
  std::array<const char*, N> german;
  std::array<int32_t, N> values;
};

template <class Entry, std::size_t N>
constexpr KeywordColumns<N> split_columns(const std::array<Entry, N>& entries) noexcept {
  KeywordColumns<N> columns{};
  for (std::size_t i = 0; i < N; ++i) {
    columns.english[i] = entries[i].english;
    columns.german[i] = entries[i].german;
    columns.values[i] = entries[i].code;
  }
  return columns;
}

// The keyword table that reads its names and values from the columns.
template <std::size_t N>
constexpr KeywordTable table_of(const KeywordColumns<N>& columns) noexcept {
  return {static_cast<int32_t>(N), columns.values.data(), columns.english.data(), columns.german.data()};
}

// A name argument: its Windows-1252 text and the language whose names it is
// compared with (German names for kLanguageGerman, English for any other).
struct NameText {
  const char* text;
  LanguageId language;
};

// The names of table in a language: German for kLanguageGerman, English otherwise.
constexpr const char* const* names_in(const KeywordTable& table, LanguageId language) noexcept {
  return language == kLanguageGerman ? table.german_names : table.english_names;
}

// The 1-based entry that name selects in table, or 0 when nothing matches.
int32_t keyword_entry(NameText name, const KeywordTable& table) noexcept;

// The value of the selected entry (its entry number when the table has no
// values), or 0 when nothing matches.
int32_t keyword_lookup(NameText name, const KeywordTable& table) noexcept;

// The leading decimal integer of a text: leading blanks skipped, one optional
// sign, then digits up to the first other character.
enum class Blanks {
  spaces_and_tabs,  // name lookups and configuration values
  white_space,      // the C library's: space, \t, \n, \v, \f, \r (year texts)
};
struct LeadingInteger {
  int32_t saturated;  // clamped to the 32-bit range; 0 without digits
  int32_t wrapped;    // the value modulo 2^32 as two's complement; 0 without digits
  bool has_digits;
  const char* end;  // behind the last digit; the text itself without digits
};
LeadingInteger read_leading_integer(const char* text, Blanks blanks) noexcept;

// The wrapping form serves lookups by number; the saturating form,
// configuration values. Blanks and tabs are skipped.
inline int32_t leading_integer_wrapping(const char* text) noexcept {
  return read_leading_integer(text, Blanks::spaces_and_tabs).wrapped;
}
inline int32_t leading_integer_saturating(const char* text) noexcept {
  return read_leading_integer(text, Blanks::spaces_and_tabs).saturated;
}

// Class of a Windows-1252 byte for name comparison: 0 end of text, 1 ignored,
// otherwise the case-folded byte.
uint8_t keyword_class(uint8_t byte) noexcept;

}  // namespace varizav
