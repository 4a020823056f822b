// Content lines of an iCalendar file (RFC 5545, section 3.1): CRLF line ends,
// lines folded at 75 octets (never inside a UTF-8 sequence), and the escapes
// of TEXT values (section 3.3.11).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace varizav::tool {

// TEXT value with backslash, semicolon, comma and line ends escaped.
std::string ics_escape_text(std::string_view text);

// A content line "NAME:value" folded into lines of at most 75 octets, each
// ending in CRLF; continuation lines begin with one space.
std::string ics_fold(std::string_view name, std::string_view value);

class IcsWriter {
 public:
  explicit IcsWriter(std::FILE* out) : out_(out) {}
  // A property whose value is written as it is (dates, codes, UIDs).
  void line(std::string_view name, std::string_view value);
  // A property of type TEXT.
  void text(std::string_view name, std::string_view value) { line(name, ics_escape_text(value)); }
  // False when a write failed.
  bool ok() const { return ok_; }

 private:
  std::FILE* out_;
  bool ok_ = true;
};

}  // namespace varizav::tool
