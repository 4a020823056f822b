// Language selection of the host interface: the identifier the host passes to
// SetLanguage, and the switch of the display name arrays of the text output.
#pragma once

#include <cstdint>

#include "framework/language.h"

namespace varizav {

// Applies a Windows language identifier from the host: the primary language
// (low 10 bits) decides; identifiers with a user-defined primary language
// (0x200..0x3FF) change nothing. Then runs the language callback.
void select_host_language(uint16_t windows_language) noexcept;

// The language callback: points the display name arrays of every calendar at
// English (9, which also moves the reform date to the English reform of 1752)
// or German (1031); any other language leaves them alone.
void switch_display_names(LanguageId language) noexcept;

}  // namespace varizav
