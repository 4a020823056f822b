// Shared by the benchmark programs that load the library with dlopen and
// time it by hand (converter_calls.cpp, columns_bench.cpp).
#pragma once

#include <dlfcn.h>
#include <time.h>

#include <cstdio>
#include <cstring>

namespace varizav::bench {

// A function of the loaded library, as a pointer of type F.
template <typename F>
F symbol(void* library, const char* name) {
  void* address = dlsym(library, name);
  F function;
  std::memcpy(&function, &address, sizeof function);
  return function;
}

// The library named on the command line (default: the build's), in English
// (SetLanguage 0x0409); null, with dlopen's message, when it does not load.
inline void* open_english_library(int argc, char** argv) {
  void* library = dlopen(argc > 1 ? argv[1] : "build/src/libvarizav.so", RTLD_NOW);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return nullptr;
  }
  unsigned short language = 0x0409;
  symbol<void (*)(const unsigned short*)>(library, "SetLanguage")(&language);
  return library;
}

// CPU time of the process: on a machine shared with other builds it varies
// far less than the time on the wall.
inline double cpu_nanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

}  // namespace varizav::bench
