// The add-in's own number texts: the decimal separator of the conventions
// that a locale name (LANG) chooses, used when numbers with a fraction are
// written and when texts are read as numbers. The process's locale is never
// changed, and the host's locale never shows through.
#pragma once

#include <cstdarg>

namespace varizav::platform {

// Decimal separator of the numeric conventions that locale_name names:
// ',' for "de_DE.UTF-8", '.' for "en_US", "C", "POSIX", "", a null pointer
// and every name the system does not know.
char decimal_separator_named_by(const char* locale_name) noexcept;

// Chooses the conventions of later number texts from a locale name; safe
// while other threads format.
void set_numeric_conventions(const char* locale_name) noexcept;

// vsnprintf into out (size bytes, terminator included) with the chosen
// conventions. Returns what vsnprintf returns.
int format_with_conventions(char* out, int size, const char* format, va_list args) noexcept;

// strtod of text with the chosen conventions.
double read_with_conventions(const char* text) noexcept;

}  // namespace varizav::platform
