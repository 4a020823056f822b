// Text inside XML attributes and elements: the five characters XML reserves
// (here the four that the generated files and test sheets can hold) as
// entities. Shared by the extension's generator and its Calc test.
#pragma once

#include <string>

namespace varizav {

inline std::string xml_escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

}  // namespace varizav
