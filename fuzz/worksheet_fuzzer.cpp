// Fuzz target of the worksheet functions. The add-in is registered once, the
// way a host does it (GetFunctionCount, GetFunctionData, the exported names
// resolved in this process); every input then sets the configuration and
// makes up to eight calls, each to the function its selector byte picks, with
// arguments decoded by that function's registered type codes. Functions that
// are registered later are covered without a change here.
//
// Checked after each call, beyond what AddressSanitizer and
// UndefinedBehaviorSanitizer report: the call returns; a number result was
// written and is finite or NaN (SC_astronomy, which subtracts 2415018.5 from
// its argument without any check, passes an infinite argument on); a text result
// is terminated within the host's 256 bytes and nothing is written behind
// them; no argument was changed.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_support.h"

using namespace varizav;
using namespace varizav::fuzz;

namespace {

// Bit pattern left in a number result before the call: a NaN payload the
// add-in never produces, so an unwritten result is told from a written NaN.
constexpr uint64_t kUnwrittenResult = 0x7FF4DEADBEEFCAFE;
constexpr size_t kGuardSize = 64;
constexpr unsigned char kGuardByte = 0xA5;
constexpr unsigned char kUnwrittenText = 0xCC;
constexpr int kCallsPerInput = 8;

// VARIZAV_FUZZ_TRACE set: every call is written to stderr (for reading a
// crash input or checking what a seed reaches).
bool tracing() {
  static const bool on = std::getenv("VARIZAV_FUZZ_TRACE") != nullptr;
  return on;
}

void call_once(const host_calls::RegisteredFunction& f, ByteReader& in) {
  const char* name = f.exported_name.c_str();
  DecodedArguments decoded;
  decode_arguments(f, in, decoded);
  const std::array<double, kMaxArguments>& numbers = decoded.numbers;
  const std::array<std::string, kMaxArguments>& texts = decoded.texts;
  bool infinite_argument = false;
  for (const double x : numbers) infinite_argument = infinite_argument || std::isinf(x);
  const std::array<double, kMaxArguments> numbers_before = numbers;
  if (tracing()) print_call(f, decoded);

  if (f.text_result()) {
    auto buffer = std::make_unique<unsigned char[]>(VARIZAV_TEXT_SIZE + kGuardSize);
    std::memset(buffer.get(), kUnwrittenText, VARIZAV_TEXT_SIZE);
    std::memset(buffer.get() + VARIZAV_TEXT_SIZE, kGuardByte, kGuardSize);
    host_calls::call(f, buffer.get(), decoded.args.data());
    if (strnlen(reinterpret_cast<const char*>(buffer.get()), VARIZAV_TEXT_SIZE) == VARIZAV_TEXT_SIZE) {
      fault("text result not terminated within 256 bytes", name);
    }
    if (tracing()) std::fprintf(stderr, "  -> \"%s\"\n", reinterpret_cast<const char*>(buffer.get()));
    for (size_t g = 0; g < kGuardSize; ++g) {
      if (buffer[VARIZAV_TEXT_SIZE + g] != kGuardByte) fault("wrote behind the 256-byte text buffer", name);
    }
  } else {
    double result = std::bit_cast<double>(kUnwrittenResult);
    host_calls::call(f, &result, decoded.args.data());
    if (std::bit_cast<uint64_t>(result) == kUnwrittenResult) fault("number result not written", name);
    if (tracing()) std::fprintf(stderr, "  -> %.17g\n", result);
    const bool passes_infinity = f.exported_name == "SC_astronomy" && infinite_argument;
    if (std::isinf(result) && !passes_infinity) fault("infinite number result", name);
  }

  for (int32_t a = 0; a < f.argument_count(); ++a) {
    const size_t i = static_cast<size_t>(a);
    if (f.type_codes[i + 1] == kTypeText) {
      if (std::strcmp(decoded.blocks[i].get(), texts[i].c_str()) != 0) fault("changed a text argument", name);
    } else if (std::bit_cast<uint64_t>(numbers[i]) != std::bit_cast<uint64_t>(numbers_before[i])) {
      fault("changed a number argument", name);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  run_calls(data, size, kCallsPerInput, call_once);
  return 0;
}
