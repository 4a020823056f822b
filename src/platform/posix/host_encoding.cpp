#include "platform/host_encoding.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "platform/locale_name.h"

namespace varizav::platform {
namespace {

// The name of the locale the environment names for LC_CTYPE, by the POSIX
// order: LC_ALL, then LC_CTYPE, then LANG, the first one set and non-empty.
const char* environment_ctype_name() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return value;
  }
  return "";
}

bool is_plain_c_name(const char* name) {
  return name != nullptr && (std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0);
}

}  // namespace

bool host_charset_is_utf8() noexcept {
  // Querying with a null locale reads the thread's locale without changing it.
  const locale_t current = uselocale(static_cast<locale_t>(nullptr));
  bool plain_c = false;
  const char* codeset = nullptr;
  if (current == LC_GLOBAL_LOCALE) {
    plain_c = is_plain_c_name(setlocale(LC_CTYPE, nullptr));  // a query: the null name sets nothing
    codeset = nl_langinfo(CODESET);
  } else {
    codeset = nl_langinfo_l(CODESET, current);
    // A thread locale has no name to ask for; glibc's C locale calls its codeset this.
    plain_c = codeset != nullptr && std::strcmp(codeset, "ANSI_X3.4-1968") == 0;
  }
  return plain_c ? locale_name_is_utf8(environment_ctype_name()) : codeset_is_utf8(codeset);
}

}  // namespace varizav::platform
