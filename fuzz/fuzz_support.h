// Decoding of fuzz inputs shared by the fuzz targets: a forward byte reader,
// the hostile numbers and texts an argument is drawn from, and the add-in's
// settings (VARIZAV_* variables, LANG, TZ, SetLanguage) applied per input.
//
// Input layout (fuzz/make_seeds.py writes seeds in it): settings first, then
// the target's own records. Every read past the end yields zero bytes, so any
// byte string is a valid input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/worksheet_call.h"

namespace varizav::fuzz {

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return pos_ >= size_; }
  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  uint16_t u16();
  uint32_t u32();
  uint64_t u64();
  // Up to n bytes (fewer at the end of the input).
  std::string bytes(size_t n);

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// A number argument. Tag byte:
//   0x00-0x3F  a hostile value (NaN, infinities, +-1e308, subnormals, integer
//              width limits +-1, the accepted date bounds +-1, ...)
//   0x40-0x7F  the small integer tag - 0x60 (-32..31)
//   0x80-0xBF  a signed 16-bit integer (2 bytes)
//   0xC0-0xDF  a signed 32-bit integer plus a fraction (4 + 1 bytes)
//   0xE0-0xFF  any double (8 bytes)
double read_number(ByteReader& in);

// A text argument. Tag byte:
//   0x00-0x3F  a hostile text (empty, 255 and 4096 bytes, every byte 1-255,
//              digits only, huge numbers, ...)
//   0x40-0x9F  a name the keyword tables know (calendars, events, months, ...)
//   0xA0-0xFF  raw bytes: a length byte, then that many bytes (a zero byte
//              ends the text early, as it would for the host)
std::string read_text(ByteReader& in);

// A zero-terminated copy of the text in a heap block of exactly its size, so
// that a read past the terminator is an AddressSanitizer report.
std::unique_ptr<char[]> exact_copy(const std::string& text);

// The arguments of one call, decoded by the function's registered type codes:
// numbers in place, each text in a heap block of its own; args points at them
// in slot order, ready for host_calls::call.
struct DecodedArguments {
  std::array<double, kMaxArguments> numbers{};
  std::array<std::string, kMaxArguments> texts;
  std::array<std::unique_ptr<char[]>, kMaxArguments> blocks;
  std::array<const void*, kMaxArguments> args{};
};
void decode_arguments(const host_calls::RegisteredFunction& f, ByteReader& in, DecodedArguments& out);

// Writes "NAME(arg, ...)" with texts quoted and numbers to 17 digits to stderr.
void print_call(const host_calls::RegisteredFunction& f, const DecodedArguments& decoded);

// Every registered function by its number; those not built have no address.
const std::vector<host_calls::RegisteredFunction>& registered();

// The function of registration number `selector` (mod the count), or the next
// one that is built: a seed keeps calling the same function as others land.
const host_calls::RegisteredFunction* pick(uint8_t selector);

// Resets every setting to a fixed state (German, default reform, no delta T
// override, UT, a small search bound), then applies the settings record of the
// input and calls GetFunctionCount and SetLanguage in the order it names.
//   flags byte: bits 0-1 SetLanguage (none, English, German, any id from 2 bytes),
//   bit 2 SetLanguage before GetFunctionCount, bits 3-6 VARIZAV_LANGUAGE,
//   VARIZAV_CALREFORM, VARIZAV_DELTA_T, VARIZAV_TIMEZONE present, bit 7 a
//   second byte: bit 0 VARIZAV_MAX_LOOP (0..255 passes or a malformed text),
//   bit 1 LANG, bit 2 TZ.
void apply_settings(ByteReader& in);

// Writes a message to stderr and aborts: the fuzzer records the input.
[[noreturn]] void fault(const char* what, const char* function);

// One fuzz input: its settings record, then up to max_calls calls, each to
// the function that a selector byte picks, made by call(function, in) with
// the rest of the input.
template <class Call>
void run_calls(const uint8_t* data, size_t size, int max_calls, Call call) {
  if (registered().empty()) fault("no function registered", "GetFunctionCount");
  ByteReader in(data, size);
  apply_settings(in);
  for (int n = 0; n < max_calls && !in.empty(); ++n) {
    const host_calls::RegisteredFunction* f = pick(in.byte());
    if (f == nullptr) fault("no worksheet function resolved", "registration");
    call(*f, in);
  }
}

}  // namespace varizav::fuzz
