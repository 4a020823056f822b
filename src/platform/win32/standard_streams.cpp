#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace varizav::platform {

void set_binary_standard_streams() noexcept {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

bool standard_output_is_terminal() noexcept { return _isatty(_fileno(stdout)) != 0; }

}  // namespace varizav::platform
