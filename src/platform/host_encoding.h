// The character set in which the host passes and expects texts, as the
// operating system tells it. Reads the process's settings; changes nothing.
#pragma once

namespace varizav::platform {

// True when the host's texts are UTF-8, false for Windows-1252 bytes.
// POSIX: the codeset of the calling thread's LC_CTYPE locale; when that is
// the plain C locale, the codeset that LC_ALL, LC_CTYPE or LANG (the first one
// set and non-empty) names. Windows: the process's ANSI code page is 65001.
bool host_charset_is_utf8() noexcept;

}  // namespace varizav::platform
