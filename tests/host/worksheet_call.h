// Registering the add-in and calling its worksheet functions the way a host
// does: GetFunctionCount, GetFunctionData for every function, the exported
// name resolved in the running process, and each call made through a function
// pointer of exactly the registered signature (result double* or char*, then
// const double* or const char* per argument, by the written type codes).
//
// Shared by the concurrency stress test and the fuzz targets. The program
// must link the host layer whole and export its dynamic symbols, so that
// platform::program_symbol(name) finds every worksheet function built.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "host/function_registry.h"
#include "platform/dynamic_library.h"
#include "varizav/addin.h"

namespace varizav::host_calls {

struct RegisteredFunction {
  uint16_t number = 0;
  std::string exported_name;
  int32_t slot_count = 0;                               // 1 + number of arguments
  std::array<int32_t, kMaxArguments + 1> type_codes{};  // slot 0 = result
  void* address = nullptr;                              // null while the name is not built

  int32_t argument_count() const { return slot_count - 1; }
  bool text_result() const { return type_codes[0] == kTypeText; }
};

template <class F>
F symbol_as(void* symbol) {
  static_assert(sizeof(F) == sizeof(void*));
  F f;
  std::memcpy(&f, &symbol, sizeof f);
  return f;
}

// Every function the registration protocol reports, in registration order.
// Unknown type codes or slot counts leave the function without an address.
inline std::vector<RegisteredFunction> register_all() {
  unsigned short count = 0;
  GetFunctionCount(&count);
  std::vector<RegisteredFunction> out;
  for (unsigned short k = 0; k < count; ++k) {
    std::array<char, VARIZAV_TEXT_SIZE> name{};
    std::array<char, VARIZAV_TEXT_SIZE> display{};
    std::array<int, 64> codes{};
    unsigned short slots = 0;
    GetFunctionData(&k, name.data(), &slots, codes.data(), display.data());
    RegisteredFunction f;
    f.number = k;
    f.exported_name.assign(name.data(), strnlen(name.data(), name.size()));
    f.slot_count = slots;
    bool usable = slots >= 2 && slots <= kMaxArguments + 1;
    for (int32_t s = 0; usable && s < slots; ++s) {
      usable = codes[static_cast<size_t>(s)] == kTypeNumber || codes[static_cast<size_t>(s)] == kTypeText;
      if (usable) f.type_codes[static_cast<size_t>(s)] = codes[static_cast<size_t>(s)];
    }
    if (usable) f.address = platform::program_symbol(f.exported_name.c_str());
    out.push_back(std::move(f));
  }
  return out;
}

namespace detail {

template <class R, class... A, size_t... I>
void invoke(void* fn, void* result, const void* const* args, std::index_sequence<I...>) {
  symbol_as<void (*)(R*, A...)>(fn)(static_cast<R*>(result), static_cast<A>(args[I])...);
}

// Builds the argument types one slot at a time from the type codes, then calls.
template <class R, class... A>
void call_typed(const RegisteredFunction& f, void* result, const void* const* args) {
  constexpr int32_t depth = static_cast<int32_t>(sizeof...(A));
  if (depth == f.argument_count()) {
    invoke<R, A...>(f.address, result, args, std::index_sequence_for<A...>{});
    return;
  }
  if constexpr (depth < kMaxArguments) {
    if (f.type_codes[static_cast<size_t>(depth) + 1] == kTypeText) {
      call_typed<R, A..., const char*>(f, result, args);
    } else {
      call_typed<R, A..., const double*>(f, result, args);
    }
  }
}

}  // namespace detail

// Calls f (which must have an address) with result = a double* or a 256-byte
// char buffer by its result type, and args[i] = a const double* or a
// zero-terminated const char* by the type code of argument i.
inline void call(const RegisteredFunction& f, void* result, const void* const* args) {
  if (f.text_result()) {
    detail::call_typed<char>(f, result, args);
  } else {
    detail::call_typed<double>(f, result, args);
  }
}

}  // namespace varizav::host_calls
