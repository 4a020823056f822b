#include "host/configuration.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "astro/time_scales.h"
#include "calendars/western/civil.h"
#include "events/search_limits.h"
#include "framework/date.h"
#include "framework/keyword.h"
#include "framework/language.h"
#include "framework/text_format.h"
#include "platform/numeric_conventions.h"
#include "platform/time_zone.h"

namespace varizav {
namespace {

// VARIZAV_LANGUAGE: the first two bytes with bit 5 cleared (ASCII lower case
// to upper case) select German ("DE") or English ("EN"); anything else, a
// one-byte or an empty value included, changes nothing.
void apply_language_setting(const char* value) {
  if (value[0] == '\0' || value[1] == '\0') return;
  constexpr unsigned char kCaseBit = 0x20;
  const auto upper = [](char c) { return static_cast<char>(static_cast<unsigned char>(c) & ~kCaseBit); };
  const char first = upper(value[0]);
  const char second = upper(value[1]);
  if (first == 'D' && second == 'E') set_current_language(kLanguageGerman);
  if (first == 'E' && second == 'N') set_current_language(kLanguageEnglish);
}

// Setting, written only by the configuration under its lock: LANG as last
// applied. Asking the system for a locale's conventions allocates, so it is
// asked only when LANG names other conventions than at the last configuration.
struct AppliedLang {
  bool valid = false;
  std::array<char, 256> value{};
};
AppliedLang g_applied_lang;

void apply_numeric_conventions(const char* lang) {
  // Unset, empty, "C" and "POSIX" all name the runtime's default conventions.
  if (lang == nullptr || std::strcmp(lang, "POSIX") == 0) lang = "";
  if (std::strcmp(lang, "C") == 0) lang = "";
  const size_t n = std::strlen(lang);
  if (g_applied_lang.valid && n < g_applied_lang.value.size() && std::strcmp(g_applied_lang.value.data(), lang) == 0) {
    return;
  }
  set_decimal_separator(platform::decimal_separator_named_by(lang));
  // A name too long to remember is applied again next time.
  g_applied_lang.valid = n < g_applied_lang.value.size();
  if (g_applied_lang.valid) std::memcpy(g_applied_lang.value.data(), lang, n + 1);
}

}  // namespace

int64_t runtime_utc_minus_local_seconds() noexcept { return platform::utc_minus_local_seconds(std::getenv("TZ")); }

namespace {

// The settings of one configuration, each read through lookup(name): the
// variable's text, or null when it is absent.
template <class Lookup>
void apply_configuration(const Lookup& lookup) noexcept {
  // One configuration at a time (hosts may register from several threads),
  // and each setting stored once with its final value, so that a worksheet
  // call running meanwhile never sees an intermediate one (the runtime's zone
  // before VARIZAV_TIMEZONE replaces it).
  static std::mutex configuring;  // holds no value: it orders the writers of the settings
  const std::lock_guard<std::mutex> lock(configuring);

  int64_t tz_offset_seconds = platform::utc_minus_local_seconds(lookup("TZ"));

  // Julian date of the last Julian day, year*10000 + month*100 + day.
  if (const char* v = lookup("VARIZAV_CALREFORM")) set_reform(leading_integer_saturating(v));
  // Fixed delta T in seconds; 0 means none.
  if (const char* v = lookup("VARIZAV_DELTA_T")) {
    set_delta_t_override(static_cast<double>(leading_integer_saturating(v)) * kSecondsToCenturies);
  }
  if (const char* v = lookup("VARIZAV_LANGUAGE")) apply_language_setting(v);
  // Passes of the coincidence searches; a negative count is taken as 0.
  if (const char* v = lookup("VARIZAV_MAX_LOOP")) set_max_loop(leading_integer_saturating(v));
  // Universal Time minus local time in seconds, replacing the runtime's zone.
  if (const char* v = lookup("VARIZAV_TIMEZONE")) tz_offset_seconds = leading_integer_saturating(v);
  set_tz_offset_seconds(tz_offset_seconds);
  // Decimal separator of the add-in's own number texts; the process's locale stays as it is.
  apply_numeric_conventions(lookup("LANG"));
}

}  // namespace

void apply_environment_configuration() noexcept {
  apply_configuration([](const char* name) -> const char* { return std::getenv(name); });
}

void apply_given_configuration(const char* const* names, const char* const* values, size_t count) noexcept {
  apply_configuration([=](const char* name) -> const char* {
    for (size_t i = 0; i < count; ++i) {
      if (names[i] != nullptr && std::strcmp(names[i], name) == 0) return values[i];
    }
    return nullptr;
  });
}

}  // namespace varizav
