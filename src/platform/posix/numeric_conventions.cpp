#include "platform/numeric_conventions.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>

namespace varizav::platform {
namespace {

// A cache with no key: the C locale, made once and kept for the life of the
// library.
locale_t c_numeric_locale() {
  static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

char decimal_separator_named_by(const char* locale_name) noexcept {
  if (locale_name == nullptr || locale_name[0] == '\0') return '.';
  const locale_t loc = newlocale(LC_NUMERIC_MASK, locale_name, static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return '.';
  const char* radix = nl_langinfo_l(RADIXCHAR, loc);
  const char separator = radix != nullptr && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : '.';
  freelocale(loc);
  return separator;
}

double read_c_number(const char* text) noexcept {
  // The C locale for this thread only, while strtod reads.
  const locale_t previous = uselocale(c_numeric_locale());
  const double value = std::strtod(text, nullptr);
  uselocale(previous);
  return value;
}

}  // namespace varizav::platform
