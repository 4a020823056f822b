// The version table and its two accessors: versioninfo for C callers and
// VERSIONINFO with the external-function signature of REXX.
#include "host/version.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "framework/date.h"
#include "host/build_info.h"
#include "host/host_text.h"
#include "platform/dynamic_library.h"
#include "varizav/addin.h"

using namespace varizav;

namespace {

// A build fact joined from parts and cut to fit a host text buffer. Bytes
// outside ASCII (a compiler path, say) become '?', so that every entry reads
// the same in any character set and stays within the buffer in UTF-8 too.
struct BoundedText {
  std::array<char, kHostTextSize> bytes{};
};

constexpr BoundedText bounded(std::initializer_list<std::string_view> parts) {
  BoundedText t{};
  size_t n = 0;
  for (const std::string_view part : parts) {
    for (const char c : part) {
      if (n < t.bytes.size() - 1) t.bytes[n++] = static_cast<unsigned char>(c) < 0x80 ? c : '?';
    }
  }
  return t;
}

// "1.0.0 (Mar 05 2025)": version, blank, build date in parentheses.
constexpr BoundedText kVersion = bounded({build_info::kVersion, " (", build_info::kBuildDate, ")"});
constexpr BoundedText kArchitecture = bounded({build_info::kArchitecture});
constexpr BoundedText kCompiler = bounded({build_info::kCompiler});
constexpr BoundedText kCompilerOptions = bounded({build_info::kCompilerOptions});

constexpr std::array<const char*, kVersionEntryCount> kVersionTexts = {
    nullptr,                        // 0: the number kVersionTableNumber, see versioninfo
    "VARIZAV",                      // 1: module name in capitals
    build_info::kFileName,          // 2: file name
    kVersion.bytes.data(),          // 3: version and build date
    "",                             // 4: unused
    "",                             // 5: unused
    "The varizav developers",       // 6: maker
    "Spreadsheet calendar add-in",  // 7: description
    "varizav",                      // 8: product name
    kArchitecture.bytes.data(),     // 9: processor architecture
    kCompiler.bytes.data(),         // 10: compiler and version
    kCompilerOptions.bytes.data(),  // 11: compiler options
};

constexpr unsigned long kRexxOk = 0;
constexpr unsigned long kRexxInvalidCall = 1;  // the interpreter raises "Incorrect call to routine"

// A result block for a REXX caller whose buffer is too short: from the
// interpreter's allocator when it has one, so that it can free the block.
char* allocate_rexx_result(size_t size) {
  using RexxAllocateMemoryFn = void* (*)(unsigned long);
  void* allocator = platform::program_symbol("RexxAllocateMemory");
  void* block = allocator != nullptr ? reinterpret_cast<RexxAllocateMemoryFn>(allocator)(size) : std::malloc(size);
  return static_cast<char*>(block);
}

}  // namespace

namespace varizav {

const char* version_text(int32_t entry) noexcept {
  if (entry < 1 || entry >= kVersionEntryCount) return nullptr;
  return kVersionTexts[static_cast<size_t>(entry)];
}

}  // namespace varizav

extern "C" {

VARIZAV_API const char* versioninfo(int32_t entry) {
  if (entry == 0) return reinterpret_cast<const char*>(kVersionTableNumber);
  return version_text(entry);
}

VARIZAV_API unsigned long VERSIONINFO(const char* /*name*/, unsigned long argc, const VarizavRxString* argv,
                                      const char* /*queue*/, VarizavRxString* retstr) {
  if (retstr == nullptr) return kRexxInvalidCall;
  int32_t entry = 3;  // no argument: the version
  if (argc > 1) return kRexxInvalidCall;
  if (argc == 1) {
    // One character from "1" to ";": entries 1..11 as the character's distance from "0".
    if (argv == nullptr || argv[0].strptr == nullptr || argv[0].strlength != 1) return kRexxInvalidCall;
    entry = static_cast<unsigned char>(argv[0].strptr[0]) - '0';
    if (entry < 1 || entry >= kVersionEntryCount) return kRexxInvalidCall;
  }
  const char* text = version_text(entry);
  const size_t length = std::strlen(text);
  char* out = retstr->strptr;
  if (out == nullptr || retstr->strlength < length) {
    out = allocate_rexx_result(length > 0 ? length : 1);
    if (out == nullptr) return kRexxInvalidCall;
  }
  if (length > 0) std::memcpy(out, text, length);
  retstr->strptr = out;
  retstr->strlength = length;
  return kRexxOk;
}

}  // extern "C"
