// The add-in's current language: a 16-bit Windows language identifier.
// German texts are used exactly when it is 1031; every other value selects
// English. The host layer writes it (SetLanguage, VARIZAV_LANGUAGE) and reads
// it at its edge, where a text argument or a registration text meets the
// language in force; beneath the edge the language is an argument.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace varizav {

using LanguageId = uint16_t;

constexpr LanguageId kLanguageGerman = 1031;  // 0x0407, de-DE
constexpr LanguageId kLanguageEnglish = 9;    // primary language English

LanguageId current_language() noexcept;
void set_current_language(LanguageId id) noexcept;

// The language of the month, weekday and animal names that the calendars'
// text forms write: English or German. It follows the host language only when
// that is English or German (the display-name switcher sets it); any other
// language keeps the names last chosen. German until the host says otherwise.
bool display_names_english() noexcept;
void set_display_names_english(bool english) noexcept;

inline bool language_is_german() noexcept { return current_language() == kLanguageGerman; }

// Picks the English or the German member of a pair of display-name lists by
// the display-name language.
template <class T>
const T& by_display_language(const T& english, const T& german) noexcept {
  return display_names_english() ? english : german;
}

// Display name number `number` of a pair of name lists whose first entry is
// number `first` (1 for months, 0 for weekday indices), in the display-name
// language; "" for a number outside the lists.
template <std::size_t N>
const char* display_name(const std::array<const char*, N>& english, const std::array<const char*, N>& german,
                         int32_t number, int32_t first) noexcept {
  const int64_t index = int64_t{number} - first;
  if (index < 0 || index >= static_cast<int64_t>(N)) return "";
  return by_display_language(english, german)[static_cast<std::size_t>(index)];
}

}  // namespace varizav
