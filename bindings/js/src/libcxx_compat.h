// Included ahead of every source of the WebAssembly build: the libc++ that
// Debian's Emscripten 3.1.6 ships predates std::bit_cast, which the library
// uses for the bit patterns of its error value. The compiler's builtin is the
// same operation; newer libc++ versions declare it themselves.
#pragma once

#ifdef __cplusplus
#include <bit>

#ifndef __cpp_lib_bit_cast
#include <type_traits>

namespace std {
template <class To, class From>
  requires(sizeof(To) == sizeof(From) && is_trivially_copyable_v<To> && is_trivially_copyable_v<From>)
constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}
}  // namespace std
#endif
#endif
