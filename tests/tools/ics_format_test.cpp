#include "varizav/ics_format.h"

#include <gtest/gtest.h>

#include <string>

namespace varizav::tool {
namespace {

TEST(IcsFormat, EscapesTextValues) {
  // RFC 5545, 3.3.11: backslash, semicolon, comma and line ends.
  EXPECT_EQ(ics_escape_text("a\\b;c,d\ne\r\nf"), "a\\\\b\\;c\\,d\\ne\\nf");
}

TEST(IcsFormat, FoldsAt75OctetsWithoutSplittingASequence) {
  struct Case {
    std::string value;
    const char* source;
  };
  const Case cases[] = {
      {std::string(200, 'x'), "ASCII"},
      {std::string(73, 'x') + "\xC3\xA4" + std::string(100, 'y'), "a two-octet character at the cut"},
      {std::string(72, 'x') + "\xE2\x82\xAC\xE2\x82\xAC" + std::string(90, 'y'), "three-octet characters at the cut"},
      {std::string(72, 'x') + "\\," + std::string(90, 'y'), "an escape pair at the cut"},
  };
  for (const Case& c : cases) {
    const std::string folded = ics_fold("DESCRIPTION", c.value);
    std::string unfolded;
    size_t start = 0;
    while (start < folded.size()) {
      const size_t end = folded.find("\r\n", start);
      ASSERT_NE(end, std::string::npos) << c.source;
      const std::string line = folded.substr(start, end - start);
      EXPECT_LE(line.size(), 75u) << c.source;
      if (start > 0) {
        ASSERT_EQ(line[0], ' ') << c.source;
        EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << c.source;  // no split sequence
      }
      EXPECT_NE(line.back(), '\\') << c.source;
      unfolded += start > 0 ? line.substr(1) : line;
      start = end + 2;
    }
    EXPECT_EQ(unfolded, "DESCRIPTION:" + c.value) << c.source;
  }
}

}  // namespace
}  // namespace varizav::tool
