#include "platform/numeric_conventions.h"

#include <windows.h>

#include <atomic>
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/locale_name.h"

// The C runtime's formatting follows the process's locale (which belongs to
// the host) and has no per-call locale that the MinGW printf honours. So each
// conversion is formatted on its own, and the decimal point of a floating
// conversion, whatever the runtime wrote for it, is replaced by the chosen one.
// Reading maps the chosen separator to the runtime's in a copy of the text.

namespace varizav::platform {
namespace {

std::atomic<char> g_separator{'.'};

// Size of one conversion's text: the longest %f of a double (309 digits before
// the point, 6 after, a sign) with room to spare; longer pieces are cut, which
// only matters past the 256-byte host buffers.
constexpr size_t kPieceSize = 1024;

bool is_floating_conversion(char c) { return std::strchr("fFeEgGaA", c) != nullptr; }

// The runtime's decimal point in a floating conversion's text becomes separator:
// such a text holds only a sign, blanks, digits, letters (exponent, inf, nan) and it.
void replace_decimal_point(char* piece, size_t length, char separator) {
  for (size_t i = 0; i < length; ++i) {
    const char c = piece[i];
    const bool alnum = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    if (!alnum && c != '+' && c != '-' && c != ' ') piece[i] = separator;
  }
}

// One conversion (spec: '%' up to and including its conversion letter) with
// its argument taken from args; returns what snprintf returns.
int format_one(char* piece, const char* spec, char conversion, const char* length, va_list& args) {
  const auto is = [length](const char* l) { return std::strcmp(length, l) == 0; };
  switch (conversion) {
    case 'd':
    case 'i':
    case 'c':
      if (is("l")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, long));
      if (is("ll") || is("j")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, long long));
      if (is("z") || is("t")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, ptrdiff_t));
      return std::snprintf(piece, kPieceSize, spec, va_arg(args, int));
    case 'u':
    case 'o':
    case 'x':
    case 'X':
      if (is("l")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, unsigned long));
      if (is("ll") || is("j")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, unsigned long long));
      if (is("z") || is("t")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, size_t));
      return std::snprintf(piece, kPieceSize, spec, va_arg(args, unsigned));
    case 's':
      return std::snprintf(piece, kPieceSize, spec, va_arg(args, const char*));
    case 'p':
      return std::snprintf(piece, kPieceSize, spec, va_arg(args, void*));
    default:
      if (is("L")) return std::snprintf(piece, kPieceSize, spec, va_arg(args, long double));
      return std::snprintf(piece, kPieceSize, spec, va_arg(args, double));
  }
}

}  // namespace

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

void set_numeric_conventions(const char* locale_name) noexcept {
  g_separator.store(decimal_separator_named_by(locale_name), std::memory_order_relaxed);
}

int format_with_conventions(char* out, int size, const char* format, va_list args) noexcept {
  const char separator = g_separator.load(std::memory_order_relaxed);
  int total = 0;  // length of the whole text, as vsnprintf counts it
  const auto put = [&](const char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i, ++total) {
      if (total + 1 < size) out[total] = bytes[i];
    }
  };
  const char* p = format;
  while (*p != '\0') {
    if (*p != '%') {
      put(p++, 1);
      continue;
    }
    if (p[1] == '%') {
      put("%", 1);
      p += 2;
      continue;
    }
    // The conversion's spec with every '*' replaced by its argument.
    char spec[64];
    size_t n = 0;
    const auto add = [&](char c) {
      if (n + 1 < sizeof spec) spec[n++] = c;
    };
    add(*p++);
    while (*p != '\0' && std::strchr("-+ #0123456789.*", *p) != nullptr) {
      if (*p == '*') {
        char digits[16];
        const int count = std::snprintf(digits, sizeof digits, "%d", va_arg(args, int));
        for (int i = 0; i < count; ++i) add(digits[i]);
      } else {
        add(*p);
      }
      ++p;
    }
    char length[3] = {};
    for (size_t k = 0; k < 2 && *p != '\0' && std::strchr("hlLzjt", *p) != nullptr; ++k) length[k] = *p++;
    for (const char* l = length; *l != '\0'; ++l) add(*l);
    const char conversion = *p;
    if (conversion == '\0') break;
    ++p;
    add(conversion);
    spec[n] = '\0';
    if (conversion == 'n') continue;  // writes through a pointer: never used by the add-in
    char piece[kPieceSize];
    const int written = format_one(piece, spec, conversion, length, args);
    if (written < 0) return written;
    const size_t kept = static_cast<size_t>(written) < kPieceSize ? static_cast<size_t>(written) : kPieceSize - 1;
    if (is_floating_conversion(conversion)) replace_decimal_point(piece, kept, separator);
    put(piece, kept);
    total += written - static_cast<int>(kept);
  }
  if (size > 0) out[total < size ? total : size - 1] = '\0';
  return total;
}

double read_with_conventions(const char* text) noexcept {
  const char separator = g_separator.load(std::memory_order_relaxed);
  const char runtime_point = std::localeconv()->decimal_point[0];
  // Enough for any number a host passes; a longer text is read from its start.
  char copy[512];
  size_t n = 0;
  for (const char* p = text; *p != '\0' && n + 1 < sizeof copy; ++p) {
    char c = *p;
    if (c == separator) {
      c = runtime_point;
    } else if (c == runtime_point) {
      break;  // not a separator in the chosen conventions: the number ends here
    }
    copy[n++] = c;
  }
  copy[n] = '\0';
  return std::strtod(copy, nullptr);
}

}  // namespace varizav::platform
