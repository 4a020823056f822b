// Setting a variable of the process environment: for a host program (the
// host tool) that configures the library it loads before registering it. The
// library itself never calls this: the environment belongs to its host.
#pragma once

namespace varizav::platform {

// Sets name to value for the rest of the process; false when that fails.
bool set_environment_variable(const char* name, const char* value) noexcept;

}  // namespace varizav::platform
