// Test support: puts the add-in's settings and the configuration variables of
// the environment back to their defaults around each host-interface test.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "astro/time_scales.h"
#include "calendars/western/civil.h"
#include "calendars/western/western_names.h"
#include "events/search_limits.h"
#include "framework/language.h"
#include "host/host_text.h"
#include "host/language_switch.h"

namespace varizav::testing {

// setenv and unsetenv of POSIX; the C runtime of Windows has _putenv_s, where
// an empty value removes the variable.
inline void set_variable(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}
inline void unset_variable(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

// Sets or unsets environment variables for one test and restores them after it.
class ScopedEnvironment {
 public:
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        set_variable(it->first.c_str(), it->second->c_str());
      } else {
        unset_variable(it->first.c_str());
      }
    }
  }
  void set(const char* name, const char* value) {
    save(name);
    set_variable(name, value);
  }
  void unset(const char* name) {
    save(name);
    unset_variable(name);
  }

 private:
  void save(const char* name) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"TZ", "VARIZAV_CALREFORM", "VARIZAV_DELTA_T", "VARIZAV_LANGUAGE", "VARIZAV_MAX_LOOP",
                             "VARIZAV_TIMEZONE", "LANG", "LC_ALL", "LC_CTYPE"}) {
      env_.unset(name);
    }
    reset_settings();
  }
  void TearDown() override { reset_settings(); }

  static void reset_settings() {
    set_current_language(kLanguageGerman);
    switch_display_names(kLanguageGerman);  // every calendar's display names back to German
    set_reform(15821004);
    set_delta_t_override(0.0);
    set_max_loop(kDefaultMaxLoop);
    set_tz_offset_seconds(0);
    set_host_text_utf8(false);
  }

  ScopedEnvironment env_;
};

}  // namespace varizav::testing
