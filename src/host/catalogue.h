// The bilingual text catalogue of the host's function list: display names,
// descriptions, argument names and argument descriptions, each an
// English/German pair of Windows-1252 texts.
#pragma once

#include <cstdint>

namespace varizav {

// Entries 0..69: display name (even) and description (odd) of each worksheet
// function; 70..125: argument names (even) and descriptions (odd).
constexpr int32_t kCatalogueSize = 126;

// The text of a catalogue entry in the current language (German exactly when
// the language is 1031); the empty text for any entry outside 0..125.
const char* catalogue_text(int32_t entry) noexcept;

// Both texts of an entry, independent of the current language ("" outside 0..125).
const char* catalogue_english(int32_t entry) noexcept;
const char* catalogue_german(int32_t entry) noexcept;

}  // namespace varizav
