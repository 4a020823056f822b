// Native cost of single converter calls through the loaded libvarizav.so, for
// the comparison with the WebAssembly package (converter_calls.mjs, make
// bench-wasm): the same calls, the same argument values, best of five runs of process CPU time.
#include <dlfcn.h>

#include <time.h>

#include <cstdio>
#include <cstring>

#include "varizav/addin.h"

#include "standalone_bench.h"

namespace {

using varizav::bench::cpu_nanoseconds;
using varizav::bench::symbol;

using Convert3 = void (*)(double*, const double*, const char*, const double*);
using Calendar = void (*)(char*, const char*, const double*, const double*);

template <typename Body>
void report(const char* name, Body body) {
  constexpr int kCalls = 200000;
  double best = 1e300;
  for (int run = 0; run < 5; ++run) {
    const double start = cpu_nanoseconds();
    for (int i = 0; i < kCalls; ++i) body(i);
    const double elapsed = cpu_nanoseconds() - start;
    if (elapsed / kCalls < best) best = elapsed / kCalls;
  }
  std::printf("%s\t%.1f\n", name, best);
}

}  // namespace

int main(int argc, char** argv) {
  void* library = varizav::bench::open_english_library(argc, argv);
  if (library == nullptr) return 1;
  unsigned short count = 0;
  symbol<void (*)(unsigned short*)>(library, "GetFunctionCount")(&count);

  volatile double sink = 0;
  const auto convert = [&](const char* name, double year, const char* month, double day) {
    const auto f = symbol<Convert3>(library, name);
    report(name, [&](int i) {
      double result = 0;
      const double y = year + (i & 7);  // a different year each call, as in the JavaScript loop
      f(&result, &y, month, &day);
      sink = sink + result;
    });
  };
  convert("SC_gregorian", 2024, "March", 31);
  convert("SC_julian", 2024, "3", 18);
  convert("SC_hebrew", 5784, "Nisan", 15);
  convert("SC_islamic", 1445, "Ramadan", 1);
  convert("SC_persian", 1403, "Farvardin", 1);
  const auto calendar = symbol<Calendar>(library, "SC_calendar");
  report("SC_calendar hebrew text", [&](int i) {
    char text[VARIZAV_TEXT_SIZE];
    const double date = 45405 + (i & 7);
    const double mode = 1;
    calendar(text, "hebrew", &date, &mode);
    sink = sink + text[0];
  });
  return 0;
}
