#include "host/version.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "varizav/addin.h"

namespace varizav {
namespace {

// The library's file name on this system.
#ifdef _WIN32
constexpr const char* kFileName = "varizav.dll";
#else
constexpr const char* kFileName = "libvarizav.so";
#endif

TEST(VersionInfo, Entries) {
  EXPECT_EQ(reinterpret_cast<uintptr_t>(versioninfo(0)), 0x10001u);
  // Source: the build facts this project chose for entries 1, 2 and 4..8.
  const struct {
    int32_t entry;
    const char* text;
  } fixed[] = {{1, "VARIZAV"},
               {2, kFileName},
               {4, ""},
               {5, ""},
               {6, "The varizav developers"},
               {7, "Spreadsheet calendar add-in"},
               {8, "varizav"}};
  for (const auto& c : fixed) {
    ASSERT_NE(versioninfo(c.entry), nullptr) << c.entry;
    EXPECT_STREQ(versioninfo(c.entry), c.text) << c.entry;
  }
  // "1.0.0 (Mar 05 2025)": three numbers, blank, build date in parentheses.
  unsigned major = 0, minor = 0, patch = 0, day = 0, year = 0;
  char month[4] = {};
  int end = 0;
  const char* version = versioninfo(3);
  ASSERT_EQ(std::sscanf(version, "%u.%u.%u (%3[A-Za-z] %2u %4u)%n", &major, &minor, &patch, month, &day, &year, &end),
            6)
      << version;
  EXPECT_EQ(version[end], '\0') << version;
  EXPECT_NE(std::string("JanFebMarAprMayJunJulAugSepOctNovDec").find(month), std::string::npos) << version;
  EXPECT_TRUE(day >= 1 && day <= 31 && year >= 2024) << version;
  for (int32_t k = 1; k <= 11; ++k) {
    ASSERT_NE(versioninfo(k), nullptr) << k;
    EXPECT_LT(std::strlen(versioninfo(k)), 256u) << k;
    if (k != 4 && k != 5) {
      EXPECT_GT(std::strlen(versioninfo(k)), 0u) << k;
    }
  }
}

TEST(VersionInfo, OutsideTheTableIsNull) {
  for (const int32_t entry : {-1, 12, 13, 1000, INT32_MIN, INT32_MAX}) EXPECT_EQ(versioninfo(entry), nullptr) << entry;
}

// A REXX result string over a caller buffer of the given capacity.
struct RexxResult {
  char buffer[300];
  VarizavRxString rx;
  explicit RexxResult(unsigned long capacity) : rx{capacity, buffer} { std::memset(buffer, '#', sizeof buffer); }
  std::string text() const { return std::string(rx.strptr, rx.strlength); }
};

VarizavRxString rx_arg(const char* s) { return {static_cast<unsigned long>(std::strlen(s)), const_cast<char*>(s)}; }

TEST(VersionInfo, RexxCalls) {
  struct Case {
    const char* argument;  // null: no argument
    unsigned long status;
    int32_t entry;  // for status 0
  };
  // Source: no argument or one character "1".."9", ":", ";" (entry = character - "0").
  const Case cases[] = {{nullptr, 0, 3}, {"3", 0, 3}, {"1", 0, 1}, {"9", 0, 9},  {":", 0, 10},
                        {";", 0, 11},    {"4", 0, 4}, {"0", 1, 0}, {"12", 1, 0}, {"<", 1, 0},
                        {"/", 1, 0},     {"", 1, 0},  {"03", 1, 0}};
  for (const Case& c : cases) {
    RexxResult result(256);
    const VarizavRxString arg = c.argument ? rx_arg(c.argument) : VarizavRxString{0, nullptr};
    const unsigned long status = VERSIONINFO("VERSIONINFO", c.argument ? 1 : 0, &arg, nullptr, &result.rx);
    EXPECT_EQ(status, c.status) << (c.argument ? c.argument : "(none)");
    if (status == 0) {
      EXPECT_EQ(result.rx.strptr, result.buffer);
      EXPECT_EQ(result.text(), versioninfo(c.entry)) << c.entry;
      EXPECT_EQ(result.buffer[result.rx.strlength], '#') << "no terminator is written";
    } else {
      EXPECT_EQ(result.rx.strptr, result.buffer);  // left untouched
      EXPECT_EQ(result.rx.strlength, 256u);
      EXPECT_EQ(result.buffer[0], '#');
    }
  }
}

TEST(VersionInfo, RexxMisuse) {
  RexxResult result(256);
  const VarizavRxString args[2] = {rx_arg("1"), rx_arg("2")};
  EXPECT_EQ(VERSIONINFO("VERSIONINFO", 2, args, nullptr, &result.rx), 1u);
  EXPECT_EQ(VERSIONINFO("VERSIONINFO", 1, nullptr, nullptr, &result.rx), 1u);
  const VarizavRxString null_string = {1, nullptr};
  EXPECT_EQ(VERSIONINFO("VERSIONINFO", 1, &null_string, nullptr, &result.rx), 1u);
  EXPECT_EQ(VERSIONINFO("VERSIONINFO", 0, nullptr, nullptr, nullptr), 1u);
  EXPECT_EQ(result.rx.strlength, 256u);
  EXPECT_EQ(result.buffer[0], '#');
}

TEST(VersionInfo, RexxShortBufferGetsANewBlock) {
  const VarizavRxString arg = rx_arg("1");  // "VARIZAV", 7 characters
  RexxResult exact(7);
  ASSERT_EQ(VERSIONINFO("VERSIONINFO", 1, &arg, nullptr, &exact.rx), 0u);
  EXPECT_EQ(exact.rx.strptr, exact.buffer);
  EXPECT_EQ(exact.text(), "VARIZAV");

  RexxResult short_buffer(6);
  ASSERT_EQ(VERSIONINFO("VERSIONINFO", 1, &arg, nullptr, &short_buffer.rx), 0u);
  EXPECT_NE(short_buffer.rx.strptr, short_buffer.buffer);
  EXPECT_EQ(short_buffer.text(), "VARIZAV");
  for (const char c : short_buffer.buffer) ASSERT_EQ(c, '#');  // the caller's buffer is not written
  std::free(short_buffer.rx.strptr);  // no REXX allocator in this process: the block is malloc's

  RexxResult no_buffer(0);
  no_buffer.rx.strptr = nullptr;
  const VarizavRxString empty_entry = rx_arg("5");
  ASSERT_EQ(VERSIONINFO("VERSIONINFO", 1, &empty_entry, nullptr, &no_buffer.rx), 0u);
  EXPECT_NE(no_buffer.rx.strptr, nullptr);
  EXPECT_EQ(no_buffer.rx.strlength, 0u);
  std::free(no_buffer.rx.strptr);
}

}  // namespace
}  // namespace varizav
