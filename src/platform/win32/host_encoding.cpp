#include "platform/host_encoding.h"

#include <windows.h>

namespace varizav::platform {

// The ANSI code page is the character set of every byte text a Windows host
// passes; 1252 (and any other) means the add-in's own bytes.
bool host_charset_is_utf8() noexcept { return GetACP() == CP_UTF8; }

}  // namespace varizav::platform
