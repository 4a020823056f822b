#include "addin_loader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/dynamic_library.h"

namespace varizav::tool {
namespace {

// The registration entry points as the legacy add-in protocol declares them.
using GetFunctionCountFn = void (*)(unsigned short* count);
using GetFunctionDataFn = void (*)(unsigned short* number, char* exported_name, unsigned short* slot_count,
                                   int* type_codes, char* display_name);
using GetParameterDescriptionFn = void (*)(unsigned short* number, unsigned short* slot, char* name, char* description);
using SetLanguageFn = void (*)(unsigned short* language_id);
using VersionInfoFn = const char* (*)(int32_t entry);

// Worksheet functions take only pointers: the result slot, then one per
// argument. One pointer type per argument count covers every signature.
using Call1 = void (*)(void*, void*);
using Call2 = void (*)(void*, void*, void*);
using Call3 = void (*)(void*, void*, void*, void*);
using Call4 = void (*)(void*, void*, void*, void*, void*);
using Call5 = void (*)(void*, void*, void*, void*, void*, void*);
using Call6 = void (*)(void*, void*, void*, void*, void*, void*, void*);

// Room for type codes: far more slots than any registered function has, so a
// library that reports too many is caught instead of overrunning the array.
constexpr size_t kTypeCodeRoom = 64;

// Bytes behind a text result buffer that the library must leave alone.
constexpr size_t kGuardSize = 256;
constexpr unsigned char kGuardByte = 0xA5;

template <typename F>
F as_function(void* symbol) {
  static_assert(sizeof(F) == sizeof(void*));
  F function;
  std::memcpy(&function, &symbol, sizeof function);
  return function;
}

// Points function at the library's symbol name; false when it has none.
template <typename F>
bool bind(void* handle, const char* name, F& function) {
  function = as_function<F>(platform::library_symbol(handle, name));
  return function != nullptr;
}

// The text in a 256-byte registration buffer, whatever the library left there.
std::string buffer_text(const char* buffer) { return std::string(buffer, strnlen(buffer, VARIZAV_TEXT_SIZE)); }

bool equals_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

std::string describe_slots(const Function& f, unsigned short slot_count, const int* codes) {
  if (slot_count < 1 || slot_count > kMaxArguments + 1) {
    return "registers " + std::to_string(slot_count) + " slots (the tool calls 2 to " +
           std::to_string(kMaxArguments + 1) + ")";
  }
  for (unsigned short slot = 0; slot < slot_count; ++slot) {
    if (codes[slot] != VARIZAV_TYPE_NUMBER && codes[slot] != VARIZAV_TYPE_TEXT) {
      return "slot " + std::to_string(slot) + " has the unknown type code " + std::to_string(codes[slot]);
    }
  }
  if (slot_count == 1) return f.exported_name + " registers no arguments";
  return {};
}

}  // namespace

AddIn::~AddIn() { platform::close_library(handle_); }

bool AddIn::load(const std::string& path, std::string& error) {
  std::string reason;
  handle_ = platform::open_library(path, reason);
  if (handle_ == nullptr) {
    error = "cannot load " + path + ": " + reason;
    return false;
  }
  return true;
}

bool AddIn::register_functions(uint16_t language_id, std::string& error) {
  auto* get_count = as_function<GetFunctionCountFn>(platform::library_symbol(handle_, "GetFunctionCount"));
  auto* get_data = as_function<GetFunctionDataFn>(platform::library_symbol(handle_, "GetFunctionData"));
  auto* get_parameter =
      as_function<GetParameterDescriptionFn>(platform::library_symbol(handle_, "GetParameterDescription"));
  auto* set_language = as_function<SetLanguageFn>(platform::library_symbol(handle_, "SetLanguage"));
  if (get_count == nullptr || get_data == nullptr || get_parameter == nullptr) {
    error = "the library does not export GetFunctionCount, GetFunctionData and GetParameterDescription";
    return false;
  }
  if (!bind(handle_, "varizav_read_number", values_.read_number) ||
      !bind(handle_, "varizav_read_date", values_.read_date) ||
      !bind(handle_, "varizav_serial_of_date", values_.serial_of_date) ||
      !bind(handle_, "varizav_date_of_serial", values_.date_of_serial) ||
      !bind(handle_, "varizav_weekday", values_.weekday) ||
      !bind(handle_, "varizav_write_number", values_.write_number) ||
      !bind(handle_, "varizav_write_date", values_.write_date)) {
    error = "the library does not export the value functions of varizav/tools.h (varizav_read_number, ...)";
    return false;
  }
  if (!bind(handle_, "varizav_name_language", values_.name_language) ||
      !bind(handle_, "varizav_name_count", values_.name_count) || !bind(handle_, "varizav_name", values_.name) ||
      !bind(handle_, "varizav_name_entry", values_.name_entry)) {
    error = "the library does not export the name lists of varizav/names.h (varizav_name, ...)";
    return false;
  }

  // The language first, so that the configuration that GetFunctionCount reads
  // from the environment (VARIZAV_LANGUAGE, VARIZAV_CALREFORM) has the last word.
  if (set_language != nullptr) {
    unsigned short language = language_id;
    set_language(&language);
  }
  unsigned short count = 0;
  get_count(&count);

  functions_.clear();
  functions_.reserve(count);
  for (unsigned short number = 0; number < count; ++number) {
    Function f;
    f.number = number;
    char exported[VARIZAV_TEXT_SIZE] = {};
    char display[VARIZAV_TEXT_SIZE] = {};
    int codes[kTypeCodeRoom];
    std::fill(std::begin(codes), std::end(codes), -1);
    unsigned short slot_count = 0;
    unsigned short n = number;
    get_data(&n, exported, &slot_count, codes, display);
    exported[VARIZAV_TEXT_SIZE - 1] = '\0';
    display[VARIZAV_TEXT_SIZE - 1] = '\0';
    f.exported_name = buffer_text(exported);
    f.display_name = buffer_text(display);
    if (f.exported_name.empty()) continue;  // a gap in the registry

    const auto slots = static_cast<unsigned short>(std::min<size_t>(slot_count, kTypeCodeRoom));
    for (unsigned short slot = 0; slot < slots; ++slot) {
      char name[VARIZAV_TEXT_SIZE] = {};
      char description[VARIZAV_TEXT_SIZE] = {};
      unsigned short fn = number;
      unsigned short s = slot;
      get_parameter(&fn, &s, name, description);
      name[VARIZAV_TEXT_SIZE - 1] = '\0';
      description[VARIZAV_TEXT_SIZE - 1] = '\0';
      if (slot == 0) {
        f.description = buffer_text(description);
        f.result_type = codes[0];
      } else {
        f.parameters.push_back({buffer_text(name), buffer_text(description), codes[slot]});
      }
    }
    f.unusable_reason = describe_slots(f, slot_count, codes);
    f.address = platform::library_symbol(handle_, f.exported_name.c_str());
    functions_.push_back(std::move(f));
  }
  return true;
}

const char* AddIn::version_entry(int32_t entry) const {
  auto* versioninfo = as_function<VersionInfoFn>(platform::library_symbol(handle_, "versioninfo"));
  return versioninfo != nullptr ? versioninfo(entry) : nullptr;
}

void* AddIn::symbol(const char* name) const { return platform::library_symbol(handle_, name); }

namespace {

// What a reader of varizav/tools.h makes of a text: nothing when it does not
// read it, or for a text holding a NUL byte (its C text would end there).
std::optional<double> read_with(int32_t (*reader)(const char*, double*), std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  const std::string copy(text);
  double value = 0.0;
  if (reader(copy.c_str(), &value) == 0) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> AddIn::read_number(std::string_view text) const { return read_with(values_.read_number, text); }

std::optional<double> AddIn::read_date(std::string_view text) const { return read_with(values_.read_date, text); }

std::optional<double> AddIn::serial_of_date(int32_t year, int32_t month, int32_t day) const {
  double serial = 0.0;
  if (values_.serial_of_date(year, month, day, &serial) == 0) return std::nullopt;
  return serial;
}

std::optional<VarizavDateTime> AddIn::date_of_serial(double serial) const {
  VarizavDateTime t{};
  if (values_.date_of_serial(serial, &t) == 0) return std::nullopt;
  return t;
}

int32_t AddIn::weekday(double serial) const { return values_.weekday(serial); }

std::string AddIn::write_number(double value) const {
  char text[VARIZAV_TEXT_SIZE] = {};
  return std::string(text, static_cast<size_t>(values_.write_number(value, text)));
}

std::optional<std::string> AddIn::write_date(double serial) const {
  char text[VARIZAV_TEXT_SIZE] = {};
  const int32_t length = values_.write_date(serial, text);
  if (length == 0) return std::nullopt;
  return std::string(text, static_cast<size_t>(length));
}

uint16_t AddIn::name_language() const { return static_cast<uint16_t>(values_.name_language()); }

int32_t AddIn::name_count(int32_t list) const { return values_.name_count(list); }

const char* AddIn::name(int32_t list, int32_t entry, uint16_t language) const {
  return values_.name(list, entry, language);
}

int32_t AddIn::name_entry(int32_t list, std::string_view text, uint16_t language) const {
  const std::string copy(text.substr(0, text.find('\0')));
  return values_.name_entry(list, copy.c_str(), language);
}

const Function* AddIn::find(std::string_view name) const {
  for (const Function& f : functions_) {
    if (equals_ignoring_case(name, f.exported_name) || equals_ignoring_case(name, f.display_name)) return &f;
  }
  return nullptr;
}

CallResult AddIn::call(const Function& function, const Argument* arguments) const {
  const size_t count = function.parameters.size();
  std::array<double, kMaxArguments> numbers{};
  std::array<std::array<char, VARIZAV_TEXT_SIZE>, kMaxArguments> texts{};
  std::array<void*, kMaxArguments> pointers{};
  for (size_t i = 0; i < count && i < kMaxArguments; ++i) {
    if (function.parameters[i].type == VARIZAV_TYPE_TEXT) {
      const size_t length = std::min<size_t>(arguments[i].text.size(), VARIZAV_TEXT_SIZE - 1);
      std::memcpy(texts[i].data(), arguments[i].text.data(), length);
      texts[i][length] = '\0';
      pointers[i] = texts[i].data();
    } else {
      numbers[i] = arguments[i].number;
      pointers[i] = &numbers[i];
    }
  }

  double number_result = std::numeric_limits<double>::quiet_NaN();
  std::array<unsigned char, VARIZAV_TEXT_SIZE + kGuardSize> text_result{};
  std::fill(text_result.begin() + VARIZAV_TEXT_SIZE, text_result.end(), kGuardByte);
  void* result = function.result_type == VARIZAV_TYPE_TEXT ? static_cast<void*>(text_result.data())
                                                           : static_cast<void*>(&number_result);
  void* const a = function.address;
  const auto& p = pointers;
  switch (count) {
    case 1: as_function<Call1>(a)(result, p[0]); break;
    case 2: as_function<Call2>(a)(result, p[0], p[1]); break;
    case 3: as_function<Call3>(a)(result, p[0], p[1], p[2]); break;
    case 4: as_function<Call4>(a)(result, p[0], p[1], p[2], p[3]); break;
    case 5: as_function<Call5>(a)(result, p[0], p[1], p[2], p[3], p[4]); break;
    case 6: as_function<Call6>(a)(result, p[0], p[1], p[2], p[3], p[4], p[5]); break;
    default: return {};  // describe_slots marked the function unusable
  }

  CallResult out;
  if (function.result_type == VARIZAV_TYPE_TEXT) {
    const auto* chars = reinterpret_cast<const char*>(text_result.data());
    const size_t length = strnlen(chars, VARIZAV_TEXT_SIZE);
    out.text.assign(chars, std::min<size_t>(length, VARIZAV_TEXT_SIZE - 1));
    out.overran = length == VARIZAV_TEXT_SIZE || std::any_of(text_result.begin() + VARIZAV_TEXT_SIZE, text_result.end(),
                                                             [](unsigned char byte) { return byte != kGuardByte; });
  } else {
    out.number = number_result;
  }
  return out;
}

std::string default_library_path() {
  return platform::beside_executable(platform::shared_library_file_name("varizav"));
}

}  // namespace varizav::tool
