// libFuzzer target: every result depends on the call and the settings alone.
//
// Each input is a settings record and then a sequence of worksheet calls (the
// layout of fuzz_support.h, the same as the worksheet target's). Every call is
// made twice: on the fuzzer's own thread, whose per-thread caches hold what
// every earlier call of the run left there, and on a thread started for that
// call alone, whose caches are empty. The two results must be equal: numbers
// bit for bit, texts byte for byte up to their terminator. A difference means
// a cached or otherwise remembered value leaked into a later call (as a year
// cache keyed on 16 bits did for far Chinese years).
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "fuzz_support.h"

using namespace varizav;
using namespace varizav::fuzz;

namespace {

// Longer sequences than the worksheet target's: a leak needs a call that
// fills a cache and a later one that reads it.
constexpr int kCallsPerInput = 16;

struct Outcome {
  uint64_t number_bits = 0;
  std::array<char, VARIZAV_TEXT_SIZE> text{};
};

Outcome call_here(const host_calls::RegisteredFunction& f, const DecodedArguments& decoded) {
  Outcome out;
  if (f.text_result()) {
    host_calls::call(f, out.text.data(), decoded.args.data());
    out.text.back() = '\0';  // the worksheet target checks termination itself
  } else {
    double result = 0.0;
    host_calls::call(f, &result, decoded.args.data());
    out.number_bits = std::bit_cast<uint64_t>(result);
  }
  return out;
}

Outcome call_on_fresh_thread(const host_calls::RegisteredFunction& f, const DecodedArguments& decoded) {
  Outcome out;
  std::thread([&] { out = call_here(f, decoded); }).join();
  return out;
}

void report(const host_calls::RegisteredFunction& f, const DecodedArguments& decoded, const Outcome& warm,
            const Outcome& fresh) {
  print_call(f, decoded);
  if (f.text_result()) {
    std::fprintf(stderr, "  after earlier calls: \"%s\"\n  on a fresh thread:   \"%s\"\n", warm.text.data(),
                 fresh.text.data());
  } else {
    std::fprintf(stderr, "  after earlier calls: %.17g (%016llx)\n  on a fresh thread:   %.17g (%016llx)\n",
                 std::bit_cast<double>(warm.number_bits), static_cast<unsigned long long>(warm.number_bits),
                 std::bit_cast<double>(fresh.number_bits), static_cast<unsigned long long>(fresh.number_bits));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  run_calls(data, size, kCallsPerInput, [](const host_calls::RegisteredFunction& f, ByteReader& in) {
    DecodedArguments decoded;
    decode_arguments(f, in, decoded);
    const Outcome warm = call_here(f, decoded);
    const Outcome fresh = call_on_fresh_thread(f, decoded);
    const bool same = f.text_result() ? std::strcmp(warm.text.data(), fresh.text.data()) == 0
                                      : warm.number_bits == fresh.number_bits;
    if (!same) {
      report(f, decoded, warm, fresh);
      fault("the result differs from the same call on a fresh thread", f.exported_name.c_str());
    }
  });
  return 0;
}
