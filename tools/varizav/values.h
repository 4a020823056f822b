// Fields of the host tool's command lines. Numbers and dates are read and
// written by the loaded library (AddIn::read_number, AddIn::write_number, ...).
#pragma once

#include <string_view>
#include <vector>

namespace varizav::tool {

// The fields of a text between separators (a batch line's tab-separated
// call, a comma-separated list of names); one field for a text without one.
std::vector<std::string_view> split_fields(std::string_view text, char separator);

}  // namespace varizav::tool
