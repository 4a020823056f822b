#include "framework/date.h"

#include <locale.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "framework/numeric.h"

namespace varizav {
namespace {

// The numeric locale of the add-in's own formatting. It is never installed as
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
  const char* name = (locale_name && locale_name[0] != '\0') ? locale_name : "C";
  locale_t loc = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) loc = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  locale_t old = g_numeric_locale.exchange(loc);
  // The previous locale is kept alive: another thread may be formatting with it.
  (void)old;
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
