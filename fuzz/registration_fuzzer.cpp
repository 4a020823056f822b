// Fuzz target of the registration entry points and the version accessors:
// after the settings record, a sequence of operations (GetFunctionCount with
// new settings, GetFunctionData and GetParameterDescription with any 16-bit
// numbers, SetLanguage, versioninfo, VERSIONINFO with any arguments), each
// with guard bytes behind every buffer it hands over.
//
// Checked beyond what the sanitizers report: registration texts are
// terminated within 256 bytes and zero behind the terminator; unknown numbers
// give empty texts, no slots and an untouched type array; known functions
// report 2..7 slots of type codes 0 and 1 and nothing behind them; nothing is
// written behind a buffer; version texts fit a host buffer.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "host/function_registry.h"
#include "varizav/addin.h"

using namespace varizav;
using namespace varizav::fuzz;

namespace {

constexpr size_t kGuardSize = 64;
constexpr unsigned char kGuardByte = 0xA5;
constexpr int32_t kTypeGuard = 0x5A5A5A5A;
constexpr size_t kTypeRoom = 16;
constexpr int kOperationsPerInput = 32;

// A 256-byte host buffer with guard bytes behind it, prefilled with junk.
struct GuardedBuffer {
  std::unique_ptr<char[]> bytes = std::make_unique<char[]>(VARIZAV_TEXT_SIZE + kGuardSize);
  GuardedBuffer() {
    std::memset(bytes.get(), 'J', VARIZAV_TEXT_SIZE);
    std::memset(bytes.get() + VARIZAV_TEXT_SIZE, kGuardByte, kGuardSize);
  }
  char* data() { return bytes.get(); }
  // Terminated within 256 bytes, zero from the terminator to byte 255, guard intact.
  void check(const char* function) const {
    const size_t n = strnlen(bytes.get(), VARIZAV_TEXT_SIZE);
    if (n == VARIZAV_TEXT_SIZE) fault("registration text not terminated", function);
    for (size_t i = n; i < VARIZAV_TEXT_SIZE; ++i) {
      if (bytes[i] != '\0') fault("registration buffer not zero behind the text", function);
    }
    for (size_t g = 0; g < kGuardSize; ++g) {
      if (static_cast<unsigned char>(bytes[VARIZAV_TEXT_SIZE + g]) != kGuardByte) {
        fault("wrote behind a 256-byte buffer", function);
      }
    }
  }
  bool empty() const { return bytes[0] == '\0'; }
};

void function_data(ByteReader& in) {
  const unsigned short number = in.u16();
  GuardedBuffer name;
  GuardedBuffer display;
  std::array<int, kTypeRoom> codes;
  codes.fill(kTypeGuard);
  unsigned short slots = 0xBEEF;
  GetFunctionData(&number, name.data(), &slots, codes.data(), display.data());
  name.check("GetFunctionData");
  display.check("GetFunctionData");
  if (number >= kFunctionCount) {
    if (!name.empty() || !display.empty() || slots != 0) fault("unknown function not empty", "GetFunctionData");
    for (const int c : codes) {
      if (c != kTypeGuard) fault("type array touched for an unknown function", "GetFunctionData");
    }
    return;
  }
  if (slots < 2 || slots > kMaxArguments + 1) fault("slot count out of range", "GetFunctionData");
  if (std::strncmp(name.data(), "SC_", 3) != 0) fault("exported name without SC_", "GetFunctionData");
  for (size_t s = 0; s < kTypeRoom; ++s) {
    const bool written = s < slots;
    if (written && codes[s] != kTypeNumber && codes[s] != kTypeText) fault("unknown type code", "GetFunctionData");
    if (!written && codes[s] != kTypeGuard) fault("type code written behind the slots", "GetFunctionData");
  }
}

void parameter_description(ByteReader& in) {
  const unsigned short number = in.u16();
  // Mostly slots near the real ones, sometimes any 16-bit number.
  const uint8_t tag = in.byte();
  const unsigned short slot = tag < 0xF0 ? static_cast<unsigned short>(tag & 7) : in.u16();
  GuardedBuffer name;
  GuardedBuffer description;
  GetParameterDescription(&number, &slot, name.data(), description.data());
  name.check("GetParameterDescription");
  description.check("GetParameterDescription");
  const bool known = number < kFunctionCount && slot <= function_registry[number].argument_count;
  if (!known && (!name.empty() || !description.empty())) {
    fault("unknown function or slot not empty", "GetParameterDescription");
  }
  if (known && slot == 0 && !name.empty()) fault("result slot has a name", "GetParameterDescription");
}

void version_entry(ByteReader& in) {
  // Mostly 0..12, sometimes any 32-bit number.
  const uint8_t tag = in.byte();
  const int32_t entry = (tag & 0x80) ? static_cast<int32_t>(in.u32()) : static_cast<int32_t>(tag % 13);
  const char* text = versioninfo(entry);
  if (entry == 0) {
    if (reinterpret_cast<uintptr_t>(text) != 0x10001) fault("entry 0 is not 0x10001", "versioninfo");
    return;
  }
  if (entry < 1 || entry > 11) {
    if (text != nullptr) fault("entry outside 0..11 not null", "versioninfo");
    return;
  }
  if (text == nullptr || strnlen(text, VARIZAV_TEXT_SIZE) == VARIZAV_TEXT_SIZE) fault("entry text", "versioninfo");
}

void rexx_version(ByteReader& in) {
  const unsigned long argc = in.byte() % 4;
  // Each argument a REXX string: a length and that many characters, unterminated.
  std::vector<std::unique_ptr<char[]>> chars;
  std::vector<VarizavRxString> argv(argc);
  for (VarizavRxString& arg : argv) {
    const std::string s = in.bytes(in.byte() % 4);
    if (in.byte() & 1) {
      arg = {0, nullptr};
      continue;
    }
    chars.push_back(std::make_unique<char[]>(s.size() + 1));
    std::memcpy(chars.back().get(), s.data(), s.size());
    arg = {s.size(), chars.back().get()};
  }
  const size_t room = in.byte();
  auto buffer = std::make_unique<char[]>(room + 1);
  char* const own = room > 0 ? buffer.get() : nullptr;
  VarizavRxString result = {room, own};
  const unsigned long status =
      VERSIONINFO("VERSIONINFO", argc, argc > 0 ? argv.data() : nullptr, "SESSION", &result);
  if (status > 1) fault("status other than 0 and 1", "VERSIONINFO");
  if (status == 1) {
    if (result.strptr != own || result.strlength != room) fault("result changed by an invalid call", "VERSIONINFO");
    return;
  }
  if (result.strptr == nullptr || result.strlength >= VARIZAV_TEXT_SIZE) fault("result", "VERSIONINFO");
  if (result.strptr != own) std::free(result.strptr);  // a new block: no RexxAllocateMemory in this process
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  apply_settings(in);
  for (int n = 0; n < kOperationsPerInput && !in.empty(); ++n) {
    switch (in.byte() % 6) {
      case 0:
        apply_settings(in);
        break;
      case 1:
        function_data(in);
        break;
      case 2:
        parameter_description(in);
        break;
      case 3: {
        const unsigned short language = in.u16();
        SetLanguage(&language);
        break;
      }
      case 4:
        version_entry(in);
        break;
      default:
        rexx_version(in);
        break;
    }
  }
  return 0;
}
