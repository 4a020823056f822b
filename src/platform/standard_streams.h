// The standard streams of a command-line program.
#pragma once

namespace varizav::platform {

// Standard input and output pass bytes unchanged: no line-end translation
// (Windows writes "\r\n" for "\n" in text mode), so that the program's output
// is the same bytes on every system.
void set_binary_standard_streams() noexcept;

// True when standard output is a terminal (not a file or a pipe).
bool standard_output_is_terminal() noexcept;

}  // namespace varizav::platform
