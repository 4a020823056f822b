// The VARIZAV_* variables, TZ and LANG as GetFunctionCount applies them.
#include "host/configuration.h"
#include "platform/numeric_conventions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "framework/date.h"
#include "host/host_state.h"
#include "varizav/addin.h"

// glibc's newlocale keeps the search path it builds from LOCPATH (two small
// blocks per locale loaded with LOCPATH set), which LeakSanitizer reports;
// only DecimalSeparatorOfTheLocaleLangNames sets LOCPATH.
extern "C" __attribute__((visibility("default"))) const char* __lsan_default_suppressions() {
  return "leak:__argz_add_sep\n";
}

namespace varizav {
namespace {

using ConfigurationTest = testing::HostTest;

void get_function_count() {
  unsigned short count = 0;
  GetFunctionCount(&count);
  ASSERT_EQ(count, 35);
}

double seconds(double s) { return s * kSecondsToCenturies; }

TEST_F(ConfigurationTest, CalendarReform) {
  struct Case {
    const char* value;
    int32_t ymd, jd;
  };
  // Independent: JDN 2361221 = 2 Sep 1752 (Julian), 2421638 = 31 Jan 1918 (Julian).
  const Case cases[] = {
      {"17520902", 17520902, 2361221}, {"19180131", 19180131, 2421638},
      {"15821300", 15821004, 2299160},  // month 13: ignored
      {"17520931", 15821004, 2299160},  // 31 September: ignored
      {"", 15821004, 2299160},          // present, 0: no month, ignored
  };
  for (const Case& c : cases) {
    reset_settings();
    env_.set("VARIZAV_CALREFORM", c.value);
    get_function_count();
    EXPECT_EQ(reform_ymd(), c.ymd) << c.value;
    EXPECT_EQ(reform_jd(), c.jd) << c.value;
  }
  // Independent: with the British reform 14 September 1752 (Gregorian) follows
  // 2 September (Julian); JDN 2361222 is that 14 September.
  env_.set("VARIZAV_CALREFORM", "17520902");
  get_function_count();
  const CalendarDate first = civil_from_jd(2361221.5);
  EXPECT_EQ(first.year * 10000 + first.month * 100 + static_cast<int32_t>(first.day), 17520914);
}

TEST_F(ConfigurationTest, NumericSettings) {
  struct Case {
    const char* variable;
    const char* value;
    double (*read)();
    double want;
  };
  const auto delta_t = [] { return delta_t_override(); };
  const auto loop = [] { return static_cast<double>(max_loop()); };
  const auto tz = [] { return tz_offset_centuries(); };
  // Source: leading decimal integer, saturated to the 32-bit range; negative loop counts are 0.
  const Case cases[] = {
      {"VARIZAV_DELTA_T", "65", delta_t, seconds(65)},
      {"VARIZAV_DELTA_T", "65.9", delta_t, seconds(65)},
      {"VARIZAV_DELTA_T", "  -12s", delta_t, seconds(-12)},
      {"VARIZAV_DELTA_T", "abc", delta_t, 0.0},
      {"VARIZAV_DELTA_T", "99999999999", delta_t, seconds(INT32_MAX)},
      {"VARIZAV_MAX_LOOP", "1000", loop, 1000},
#ifndef _WIN32  // Windows' C runtime holds no empty variable: setting one removes it
      {"VARIZAV_MAX_LOOP", "", loop, 0},
      {"VARIZAV_TIMEZONE", "", tz, 0.0},
#endif
      {"VARIZAV_MAX_LOOP", "abc", loop, 0},
      {"VARIZAV_MAX_LOOP", "-5", loop, 0},
      {"VARIZAV_MAX_LOOP", "-99999999999", loop, 0},
      {"VARIZAV_MAX_LOOP", "99999999999", loop, INT32_MAX},
      {"VARIZAV_TIMEZONE", "-3600", tz, seconds(-3600)},  // Central European standard time
      {"VARIZAV_TIMEZONE", "7200xyz", tz, seconds(7200)},
      {"VARIZAV_TIMEZONE", "-99999999999", tz, seconds(INT32_MIN)},
  };
  for (const Case& c : cases) {
    reset_settings();
    testing::ScopedEnvironment env;
    env.set(c.variable, c.value);
    get_function_count();
    EXPECT_EQ(c.read(), c.want) << c.variable << "=\"" << c.value << "\"";
  }
}

TEST_F(ConfigurationTest, AbsentVariablesLeaveSettingsAlone) {
  set_max_loop(123);
  set_delta_t_override(seconds(5));
  set_reform(19180131);
  set_current_language(kLanguageEnglish);
  get_function_count();
  EXPECT_EQ(max_loop(), 123);
  EXPECT_EQ(delta_t_override(), seconds(5));
  EXPECT_EQ(reform_ymd(), 19180131);
  EXPECT_EQ(current_language(), kLanguageEnglish);
}

TEST_F(ConfigurationTest, Language) {
  struct Case {
    const char* value;
    LanguageId from, want;
  };
  // Source: the first two bytes, case-insensitive; anything else changes nothing.
  const Case cases[] = {
      {"de", 9, 1031},    {"De", 9, 1031},  {"DEU", 9, 1031},   {"deutsch", 9, 1031}, {"english", 1031, 9},
      {"EN_us", 1031, 9}, {"fr", 9, 9},     {"fr", 1031, 1031}, {"d", 9, 9},          {"e", 1031, 1031},
      {"", 9, 9},         {"", 1031, 1031}, {"D", 1031, 1031},
  };
  for (const Case& c : cases) {
    reset_settings();
    set_current_language(c.from);
    testing::ScopedEnvironment env;
    env.set("VARIZAV_LANGUAGE", c.value);
    get_function_count();
    EXPECT_EQ(current_language(), c.want) << "\"" << c.value << "\" from " << c.from;
    // No language callback: the display arrays and the reform stay.
    EXPECT_STREQ(western_month_display_name(3), "M\xE4rz") << c.value;
    EXPECT_EQ(reform_ymd(), 15821004) << c.value;
  }
}

TEST_F(ConfigurationTest, TimeZoneOfTheRuntime) {
  struct Case {
    const char* tz;  // null: unset
    double want_seconds;
  };
  // Independent: POSIX zones without daylight time, offset = UT - local.
  // Windows takes the system's zone when TZ is unset (and an empty value unsets it).
  const Case cases[] = {
#ifndef _WIN32
      {nullptr, 0}, {"", 0},
#endif
      {"UTC0", 0},  {"EST5", 18000}, {"JST-9", -32400}, {"IST-5:30", -19800}};
  for (const Case& c : cases) {
    set_tz_offset_seconds(12345);  // a value no case gives
    testing::ScopedEnvironment env;
    if (c.tz) {
      env.set("TZ", c.tz);
    } else {
      env.unset("TZ");
    }
    get_function_count();
    EXPECT_EQ(tz_offset_centuries(), seconds(c.want_seconds)) << (c.tz ? c.tz : "(unset)");
    // The host's environment is left as it was.
    const char* tz_after = std::getenv("TZ");
    EXPECT_EQ(tz_after == nullptr, c.tz == nullptr);
    if (c.tz && tz_after) {
      EXPECT_STREQ(tz_after, c.tz);
    }
  }
  env_.set("TZ", "EST5");
  env_.set("VARIZAV_TIMEZONE", "-3600");  // replaces the runtime's zone
  get_function_count();
  EXPECT_EQ(tz_offset_centuries(), seconds(-3600));
}

TEST_F(ConfigurationTest, LangSetsOnlyTheAddinsNumberFormat) {
  const std::string process_locale = std::setlocale(LC_NUMERIC, nullptr);
  // Names of the runtime's default conventions (a full stop); the process's
  // own locale must not follow LANG.
  for (const char* lang : {"POSIX", "C", ""}) {
    testing::ScopedEnvironment env;
    env.set("LANG", lang);
    get_function_count();
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), process_locale) << lang;
    char out[kHostTextSize];
    format_text(out, "%.1f", 1.5);
    EXPECT_STREQ(out, "1.5") << lang;
  }
}

TEST_F(ConfigurationTest, DecimalSeparatorOfTheLocaleLangNames) {
  EXPECT_EQ(platform::decimal_separator_named_by(""), '.');
  EXPECT_EQ(platform::decimal_separator_named_by("C"), '.');
  EXPECT_EQ(platform::decimal_separator_named_by("xx_NOWHERE.UTF-8"), '.');  // unknown to the runtime
  // German conventions, compiled from the locale sources into a private
  // folder (LOCPATH) as the Calc tests compile theirs.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "varizav_configuration_locales";
  std::filesystem::create_directories(dir);
  const std::string command = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() + " >/dev/null 2>&1";
  if (std::system(command.c_str()) == -1 || !std::filesystem::exists(dir / "de_DE.UTF-8" / "LC_NUMERIC")) {
    GTEST_SKIP() << "localedef or the de_DE locale source (Debian: locales) is missing";
  }
  testing::ScopedEnvironment env;
  env.set("LOCPATH", dir.string().c_str());
  EXPECT_EQ(platform::decimal_separator_named_by("de_DE.UTF-8"), ',');
  env.set("LANG", "de_DE.UTF-8");
  get_function_count();
  char out[kHostTextSize];
  format_text(out, "%4ld %2d %f", 2000L, 1, 1.25);  // defined: the fractional-day format with the German decimal comma
  EXPECT_STREQ(out, "2000  1 1,250000");
  env.set("LANG", "C");
  get_function_count();
  format_text(out, "%f", 1.25);
  EXPECT_STREQ(out, "1.250000");
}

}  // namespace
}  // namespace varizav
