#include "platform/environment.h"

#include <cstdlib>

namespace varizav::platform {

// The C runtime's copy of the environment, which getenv reads.
bool set_environment_variable(const char* name, const char* value) noexcept { return _putenv_s(name, value) == 0; }

}  // namespace varizav::platform
