// Configuration from the environment, applied each time the host asks for
// the function count. Variables that are absent leave their setting alone;
// a variable that is defined but empty counts as present with the value 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace varizav {

// Reads, in this order: the time-zone offset of the runtime (TZ),
// VARIZAV_CALREFORM, VARIZAV_DELTA_T, VARIZAV_LANGUAGE, VARIZAV_MAX_LOOP,
// VARIZAV_TIMEZONE and the numeric conventions named by LANG. Changes neither
// the environment nor the process's locale.
void apply_environment_configuration() noexcept;

// The same configuration from settings given as texts: values[i] is the text
// of the variable names[i]; a variable not named counts as absent (TZ absent:
// Universal Time). Reads no environment.
void apply_given_configuration(const char* const* names, const char* const* values, size_t count) noexcept;

// Universal Time minus local time at this moment, in seconds, in the time
// zone that TZ names (platform::utc_minus_local_seconds: Universal Time when
// TZ is empty, and when it is unset except on Windows).
int64_t runtime_utc_minus_local_seconds() noexcept;

}  // namespace varizav
