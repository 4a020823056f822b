#include "ics_format.h"

#include <vector>

namespace varizav::tool {
namespace {

// Octets of a folded line, CRLF not counted (RFC 5545, 3.1).
constexpr size_t kLineOctets = 75;

bool is_continuation_byte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string ics_escape_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;  // CRLF: one line end, written at the LF
    } else if (c == '\n' || c == '\r') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::string ics_fold(std::string_view name, std::string_view value) {
  std::string line(name);
  line += ':';
  line += value;
  // A cut may not split a UTF-8 sequence nor an escape pair such as "\\,".
  std::vector<bool> cut_splits(line.size() + 1, false);
  for (size_t i = 0; i < line.size(); ++i) {
    if (is_continuation_byte(line[i])) cut_splits[i] = true;
    if (line[i] == '\\' && i + 1 < line.size()) cut_splits[++i] = true;
  }
  std::string out;
  size_t start = 0;
  size_t room = kLineOctets;
  while (line.size() - start > room) {
    size_t cut = start + room;
    while (cut > start + 1 && cut_splits[cut]) --cut;
    out.append(line, start, cut - start).append("\r\n ");
    start = cut;
    room = kLineOctets - 1;  // the leading space counts
  }
  out.append(line, start, std::string::npos).append("\r\n");
  return out;
}

void IcsWriter::line(std::string_view name, std::string_view value) {
  const std::string folded = ics_fold(name, value);
  if (std::fwrite(folded.data(), 1, folded.size(), out_) != folded.size()) ok_ = false;
}

}  // namespace varizav::tool
