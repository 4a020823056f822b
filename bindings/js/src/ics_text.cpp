// The host tool's iCalendar content lines (tools/varizav/ics_format.cpp) for
// the web page's .ics download: one escaping and folding for both.
#include <cstring>

#include "ics_format.h"

extern "C" {

// "NAME:value" as folded CRLF lines of at most 75 octets, the value escaped
// as TEXT when text is non-zero, written into out (size bytes, terminator
// included). Returns the length, or -1 when out is too small.
int varizav_ics_line(const char* name, const char* value, int text, char* out, int size) {
  const std::string line =
      varizav::tool::ics_fold(name, text != 0 ? varizav::tool::ics_escape_text(value) : std::string(value));
  if (size < 1 || line.size() >= static_cast<size_t>(size)) return -1;
  std::memcpy(out, line.c_str(), line.size() + 1);
  return static_cast<int>(line.size());
}

}  // extern "C"
