#include "platform/numeric_conventions.h"

#include <langinfo.h>
#include <locale.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace varizav::platform {
namespace {

// The numeric locale of the add-in's own formatting. It is never installed as
// the process's global locale; the formatting selects it for the calling
// thread only while it formats.
std::atomic<locale_t> g_numeric_locale{static_cast<locale_t>(nullptr)};

locale_t c_numeric_locale() {
  static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

locale_t chosen_locale() {
  const locale_t loc = g_numeric_locale.load();
  return loc != static_cast<locale_t>(nullptr) ? loc : c_numeric_locale();
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

void set_numeric_conventions(const char* locale_name) noexcept {
  // Every locale made here stays alive and reachable for the life of the
  // library: another thread may still be formatting with the previous one.
  // A name seen before reuses its locale, so repeated configuration creates
  // nothing new; a process naming more than kSlots locales keeps the last.
  struct Known {
    char name[64];
    locale_t locale;
  };
  constexpr int kSlots = 16;
  static Known known[kSlots];
  static int used = 0;
  static std::atomic_flag busy = ATOMIC_FLAG_INIT;
  while (busy.test_and_set(std::memory_order_acquire)) {
  }
  const char* name = (locale_name && locale_name[0] != '\0') ? locale_name : "C";
  locale_t chosen = static_cast<locale_t>(nullptr);
  for (int i = 0; i < used; ++i) {
    if (std::strncmp(known[i].name, name, sizeof known[i].name) == 0) chosen = known[i].locale;
  }
  if (chosen == static_cast<locale_t>(nullptr) && used < kSlots && std::strlen(name) < sizeof known[0].name) {
    locale_t loc = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr)) loc = c_numeric_locale();
    std::strcpy(known[used].name, name);
    known[used].locale = loc;
    ++used;
    chosen = loc;
  }
  if (chosen == static_cast<locale_t>(nullptr)) chosen = c_numeric_locale();
  g_numeric_locale.store(chosen);
  busy.clear(std::memory_order_release);
}

int format_with_conventions(char* out, int size, const char* format, va_list args) noexcept {
  const locale_t previous = uselocale(chosen_locale());
  const int n = std::vsnprintf(out, static_cast<size_t>(size), format, args);
  uselocale(previous);
  return n;
}

double read_with_conventions(const char* text) noexcept {
  const locale_t previous = uselocale(chosen_locale());
  const double value = std::strtod(text, nullptr);
  uselocale(previous);
  return value;
}

}  // namespace varizav::platform
