// Reading POSIX locale names, language[_territory][.codeset][@modifier], the
// form LANG and the LC_* variables take on every system.
#pragma once

#include <cstddef>

namespace varizav::platform {

// True for a codeset name that means UTF-8 ("UTF-8", "utf8", any case).
bool codeset_is_utf8(const char* codeset) noexcept;

// True when a locale name names the UTF-8 codeset; false when it names no codeset.
bool locale_name_is_utf8(const char* locale_name) noexcept;

// The language and territory of a locale name as a BCP 47 tag ("de_DE.UTF-8"
// gives "de-DE", "fr" gives "fr") into out (out_size bytes, terminator
// included). False, with out empty, for "C", "POSIX", an empty or null name
// and a name that does not fit.
bool locale_name_language_tag(const char* locale_name, char* out, size_t out_size) noexcept;

}  // namespace varizav::platform
