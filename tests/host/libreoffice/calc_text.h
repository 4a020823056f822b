// Text helpers of the Calc tests: character sets by the C library's iconv
// (an independent conversion, not the add-in's own) and line splitting.
#pragma once

#include <iconv.h>

#include <string>
#include <vector>

namespace varizav::calc_test {

inline std::string recode(const std::string& text, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv " + std::string(from) + " -> " + to + ">";
  std::string out(text.size() * 4 + 4, '\0');
  char* in_p = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char* out_p = out.data();
  size_t out_left = out.size();
  const size_t r = iconv(cd, &in_p, &in_left, &out_p, &out_left);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<not convertible: " + text + ">";
  out.resize(out.size() - out_left);
  return out;
}
inline std::string to_utf8(const std::string& cp1252) { return recode(cp1252, "WINDOWS-1252", "UTF-8"); }
inline std::string to_cp1252(const std::string& utf8) { return recode(utf8, "UTF-8", "WINDOWS-1252"); }

inline std::vector<std::string> split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t at = line.find(separator, start);
    fields.push_back(line.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return fields;
    start = at + 1;
  }
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines = split(text, '\n');
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (std::string& l : lines) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
  }
  return lines;
}

}  // namespace varizav::calc_test
