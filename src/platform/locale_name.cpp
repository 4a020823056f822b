#include "platform/locale_name.h"

#include <array>
#include <cstring>
#include <initializer_list>

namespace varizav::platform {

bool codeset_is_utf8(const char* codeset) noexcept {
  // "UTF-8", "utf8", "UTF_8": the letters u, t, f and the digit 8, any case,
  // with at most a hyphen or an underscore between f and 8.
  if (codeset == nullptr) return false;
  const char* p = codeset;
  for (const char letter : {'u', 't', 'f'}) {
    if ((*p | 0x20) != letter) return false;
    ++p;
  }
  if (*p == '-' || *p == '_') ++p;
  return p[0] == '8' && p[1] == '\0';
}

bool locale_name_is_utf8(const char* locale_name) noexcept {
  if (locale_name == nullptr) return false;
  const char* dot = std::strchr(locale_name, '.');
  if (dot == nullptr) return false;
  std::array<char, 16> codeset{};
  size_t n = 0;
  for (const char* p = dot + 1; *p != '\0' && *p != '@'; ++p) {
    if (n + 1 >= codeset.size()) return false;  // longer than any spelling of UTF-8
    codeset[n++] = *p;
  }
  return codeset_is_utf8(codeset.data());
}

bool locale_name_language_tag(const char* locale_name, char* out, size_t out_size) noexcept {
  if (out_size == 0) return false;
  out[0] = '\0';
  if (locale_name == nullptr || std::strcmp(locale_name, "C") == 0 || std::strcmp(locale_name, "POSIX") == 0) {
    return false;
  }
  size_t n = 0;
  for (const char* p = locale_name; *p != '\0' && *p != '.' && *p != '@'; ++p) {
    if (n + 1 >= out_size) {
      out[0] = '\0';
      return false;
    }
    out[n++] = *p == '_' ? '-' : *p;
  }
  out[n] = '\0';
  return n > 0;
}

}  // namespace varizav::platform
