#include "host/language_switch.h"

#include "calendars/western/civil.h"
#include "framework/language.h"

namespace varizav {
namespace {

using LanguageCallback = void (*)(LanguageId) noexcept;

// Constant-initialised, so it is in place as soon as the library is loaded:
// a host may call SetLanguage before GetFunctionCount.
constinit const LanguageCallback g_language_callback = &switch_display_names;

constexpr uint16_t kPrimaryLanguageMask = 0x3FF;  // low 10 bits of a Windows language identifier
constexpr uint16_t kLastStandardPrimary = 0x1FF;  // 0x200..0x3FF are user-defined
constexpr uint16_t kSublanguageDefault = 0x400;   // sub-language 1 (SUBLANG_DEFAULT) in bits 10..15

// The LanguageId held for a primary language: English (9), Chinese (4) and
// Norwegian (20) by their primary number alone, Portuguese (22) as pt-PT
// (0x816), every other one with the default sub-language (German: 0x407 = 1031).
LanguageId language_for_primary(uint16_t primary) {
  switch (primary) {
    case 9:
    case 4:
    case 20: return primary;
    case 22: return 0x816;
    default: return static_cast<LanguageId>(primary | kSublanguageDefault);
  }
}

}  // namespace

void select_host_language(uint16_t windows_language) noexcept {
  const uint16_t primary = windows_language & kPrimaryLanguageMask;
  if (primary > kLastStandardPrimary) return;
  const LanguageId language = language_for_primary(primary);
  set_current_language(language);
  g_language_callback(language);
}

void switch_display_names(LanguageId language) noexcept {
  if (language != kLanguageEnglish && language != kLanguageGerman) return;
  const bool english = language == kLanguageEnglish;

  // The month, weekday and animal names of every calendar's text output.
  set_display_names_english(english);

  // English users count dates by the British reform of 1752: the civil calendar
  // stays Julian up to 3 September 1752 (Julian), the day that is 14 September
  // in the Gregorian count. German keeps the reform in force.
  if (english) set_reform_english();
}

}  // namespace varizav
