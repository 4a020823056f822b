#include "platform/numeric_conventions.h"

#include <windows.h>

#include <clocale>
#include <cstddef>
#include <cstdlib>

#include "platform/locale_name.h"

namespace varizav::platform {

char decimal_separator_named_by(const char* locale_name) noexcept {
  char tag[LOCALE_NAME_MAX_LENGTH];
  if (!locale_name_language_tag(locale_name, tag, sizeof tag)) return '.';
  wchar_t wide_tag[LOCALE_NAME_MAX_LENGTH];
  size_t n = 0;
  for (; tag[n] != '\0'; ++n) {
    if (static_cast<unsigned char>(tag[n]) >= 0x80) return '.';  // no locale name has such a letter
    wide_tag[n] = static_cast<wchar_t>(tag[n]);
  }
  wide_tag[n] = L'\0';
  // The locale's own separator, not the user's customisation of it.
  wchar_t separator[8];
  if (GetLocaleInfoEx(wide_tag, LOCALE_SDECIMAL | LOCALE_NOUSEROVERRIDE, separator, 8) != 2) return '.';
  return separator[0] > 0 && separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
}

double read_c_number(const char* text) noexcept {
  // The C runtime's strtod follows the process's locale, which belongs to
  // the host: its decimal point stands in for the full stop in a copy.
  const char runtime_point = std::localeconv()->decimal_point[0];
  // Enough for any number a host passes; a longer text is read from its start.
  char copy[512];
  size_t n = 0;
  for (const char* p = text; *p != '\0' && n + 1 < sizeof copy; ++p) {
    if (*p != '.' && *p == runtime_point) break;  // no separator in C notation: the number ends
    copy[n++] = *p == '.' ? runtime_point : *p;
  }
  copy[n] = '\0';
  return std::strtod(copy, nullptr);
}

}  // namespace varizav::platform
