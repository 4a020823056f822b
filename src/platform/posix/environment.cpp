#include "platform/environment.h"

#include <cstdlib>

namespace varizav::platform {

bool set_environment_variable(const char* name, const char* value) noexcept { return setenv(name, value, 1) == 0; }

}  // namespace varizav::platform
