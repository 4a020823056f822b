// The notes that the host tool gives on name arguments that select nothing
// (`varizav call`, `varizav batch --warn`), for `varizav-wasm` and for the
// package's onNote option: the tool's own code, compiled into the module, so
// that a note is never worded a second time.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "closest_names.h"
#include "name_lists.h"

extern "C" {

// Notes on a call of `exported_name` (display name `display_name`) with
// `count` parameters of these names and these argument texts, all in the
// host's character set (the texts of number arguments may be empty). Writes
// the notes into out (size bytes), each followed by a line feed, as many whole
// notes as fit and a terminator; returns the bytes written, terminator excluded.
__attribute__((used)) int32_t varizav_name_notes(const char* exported_name, const char* display_name,
                                                 const char* const* parameter_names, const char* const* arguments,
                                                 int32_t count, char* out, int32_t size) {
  if (size <= 0) return 0;
  const size_t n = static_cast<size_t>(std::max(count, 0));
  const std::vector<std::string> parameters(parameter_names, parameter_names + n);
  const std::vector<std::string_view> texts(arguments, arguments + n);
  size_t length = 0;
  for (const std::string& note : varizav::tool::unmatched_name_notes(exported_name, display_name, parameters, texts)) {
    if (length + note.size() + 1 >= static_cast<size_t>(size)) break;
    std::memcpy(out + length, note.data(), note.size());
    length += note.size();
    out[length++] = '\n';
  }
  out[length] = '\0';
  return static_cast<int32_t>(length);
}

// The function that `name` selects among `count` functions of these exported
// and display names (the host's character set), as the host tool finds it:
// its position, or -1 with the reason ("unknown function ...; did you mean
// ...?") written into out (size bytes, cut to fit).
__attribute__((used)) int32_t varizav_find_function(const char* name, const char* const* exported_names,
                                                    const char* const* display_names, int32_t count, char* out,
                                                    int32_t size) {
  std::vector<varizav::tool::RegisteredNames> functions;
  for (int32_t i = 0; i < count; ++i) functions.push_back({exported_names[i], display_names[i]});
  std::string error;
  const size_t index = varizav::tool::FunctionFinder(functions).index_of(name, error);
  if (size > 0) {
    const size_t length = std::min(error.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, error.data(), length);
    out[length] = '\0';
  }
  return index == SIZE_MAX ? -1 : static_cast<int32_t>(index);
}

}  // extern "C"
