// Text helpers of the Calc tests: character sets by the C library's iconv
// (an independent conversion, not the add-in's own), line splitting, a call
// written as a formula, and a Calc cell compared with the host tool's result.
#pragma once

#include <gtest/gtest.h>
#include <iconv.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/function_registry.h"

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

// A call as a formula: the name, then the arguments separated by ';', the
// text arguments quoted (a '"' in them doubled).
inline std::string formula_of(const std::string& name, const FunctionEntry& entry,
                              const std::vector<std::string>& arguments) {
  std::string formula = name + "(";
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) formula += ";";
    if (entry.arguments[i].type == kTypeText) {
      formula += '"';
      for (const char ch : arguments[i]) formula += ch == '"' ? std::string("\"\"") : std::string(1, ch);
      formula += '"';
    } else {
      formula += arguments[i];
    }
  }
  return formula + ")";
}

// A Calc cell against the tool's result: texts exactly, the error value as
// the UI's error text, numbers to the 15 significant digits Calc shows.
inline ::testing::AssertionResult same_cell(const std::string& cell, const std::string& reference, bool text_result,
                                            const char* error_text) {
  if (text_result) {
    const std::string want = to_utf8(reference);
    if (cell == want) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Calc \"" << cell << "\", tool \"" << want << "\"";
  }
  if (reference == "NaN") {
    if (cell == error_text) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "Calc " << cell << ", tool the error value " << error_text;
  }
  const double want = std::strtod(reference.c_str(), nullptr);
  char* cell_end = nullptr;
  const double got = std::strtod(cell.c_str(), &cell_end);
  if (cell.empty() || *cell_end != '\0') {
    return ::testing::AssertionFailure() << "Calc \"" << cell << "\", tool " << reference;
  }
  // Half a unit of the 15th significant digit, and a hair for Calc's own rounding.
  const double unit = want == 0.0 ? 0.0 : std::pow(10.0, std::floor(std::log10(std::fabs(want))) - 14);
  if (std::fabs(got - want) <= 0.5000001 * unit) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "Calc " << cell << ", tool " << reference;
}

}  // namespace varizav::calc_test
