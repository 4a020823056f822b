// The add-in's own number texts: the decimal separator of the conventions
// that a locale name (LANG) chooses, and reading a number written with a full
// stop. The process's locale is never changed, and the host's locale never
// shows through.
#pragma once

namespace varizav::platform {

// Decimal separator of the numeric conventions that locale_name names:
// ',' for "de_DE.UTF-8", '.' for "en_US", "C", "POSIX", "", a null pointer,
// every name the system does not know and a separator longer than one byte.
char decimal_separator_named_by(const char* locale_name) noexcept;

// strtod of a number written in C notation (a full stop before the
// fraction), whatever locale the process or the thread is in.
double read_c_number(const char* text) noexcept;

}  // namespace varizav::platform
