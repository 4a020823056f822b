#include "framework/date.h"

#include <locale.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/numeric.h"

namespace varizav {
namespace {

// Setting: the numeric locale of the add-in's own formatting, written only by
// the configuration read at GetFunctionCount. It is never installed as
// the process's global locale; format_text selects it for the calling thread
// only while it formats.
std::atomic<locale_t> g_numeric_locale{static_cast<locale_t>(nullptr)};

locale_t c_numeric_locale() {
  static const locale_t c = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

}  // namespace

double error_value() noexcept { return static_cast<double>(std::bit_cast<float>(0xFFC00000u)); }

int32_t weekday_index(JulianDay jd, double day_start_shift) noexcept {
  return ifloor(fmod_floor(jd + day_start_shift, 7.0));
}

void set_numeric_locale_from(const char* locale_name) noexcept {
  // A cache of locales by name, each a pure function of its name.
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

int format_text(char* out, const char* format, ...) noexcept {
  locale_t loc = g_numeric_locale.load();
  if (loc == static_cast<locale_t>(nullptr)) loc = c_numeric_locale();
  const locale_t previous = uselocale(loc);
  va_list args;
  va_start(args, format);
  int n = std::vsnprintf(out, kHostTextSize, format, args);
  va_end(args);
  uselocale(previous);
  if (n < 0) {
    out[0] = '\0';
    return 0;
  }
  return n < kHostTextSize ? n : kHostTextSize - 1;
}

double read_decimal_text(const char* text) noexcept {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  if (*p == '+' || *p == '-') ++p;
  // Only a digit or a separator may follow; this keeps the hexadecimal,
  // infinity and NaN forms of strtod out.
  const bool digit = *p >= '0' && *p <= '9';
  if (!digit && *p != '.' && *p != ',') return 0.0;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) return 0.0;
  locale_t loc = g_numeric_locale.load();
  if (loc == static_cast<locale_t>(nullptr)) loc = c_numeric_locale();
  const locale_t previous = uselocale(loc);
  const double value = std::strtod(text, nullptr);
  uselocale(previous);
  return value;
}

int copy_text(char* out, const char* text) noexcept {
  int n = 0;
  while (n < kHostTextSize - 1 && text[n] != '\0') {
    out[n] = text[n];
    ++n;
  }
  out[n] = '\0';
  return n;
}

int format_numeric_date(char* out, const CalendarDate& date, int32_t mode) noexcept {
  if (mode == 0) {
    return format_text(out, "%4ld %2d %2d", static_cast<long>(date.year), date.month,
                       ifloor(date.day));
  }
  return format_text(out, "%4ld %2d %f", static_cast<long>(date.year), date.month, date.day);
}

double convert_simple_date(double year, int32_t month, double day, int32_t month_count, double day_bound,
                           SimpleToJd to_jd) noexcept {
  if (!day_accepted(day, day_bound) || month < 1 || month > month_count || !fits_i32(year)) {
    return error_value();
  }
  return jd_to_serial(to_jd(itrunc(year), month, day));
}

}  // namespace varizav
