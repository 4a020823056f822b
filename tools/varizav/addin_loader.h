// Loading libvarizav.so at run time and registering it the way a spreadsheet
// does: SetLanguage, GetFunctionCount, GetFunctionData for every function,
// GetParameterDescription for every slot, then the address of every exported name.
// Worksheet functions are called through the type codes they registered.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "varizav/addin.h"

namespace varizav::tool {

// Most arguments a registered function may take: every pointer is passed in
// a register or on the stack the same way, so the call goes through one
// function-pointer type per count.
constexpr size_t kMaxArguments = 6;

// Windows language identifiers the tool passes to SetLanguage.
constexpr uint16_t kLanguageGerman = 0x0407;
constexpr uint16_t kLanguageEnglish = 0x0409;

struct Parameter {
  std::string name;
  std::string description;
  int32_t type = VARIZAV_TYPE_NUMBER;
};

struct Function {
  uint16_t number = 0;
  std::string exported_name;
  std::string display_name;
  std::string description;
  int32_t result_type = VARIZAV_TYPE_NUMBER;
  std::vector<Parameter> parameters;  // slots 1..n, in call order
  void* address = nullptr;            // null while the name is not exported
  // Empty when the tool can call the function; otherwise why it cannot.
  std::string unusable_reason;

  bool exported() const { return address != nullptr; }
};

// One argument as the tool hands it over: a double or a text.
struct Argument {
  double number = 0.0;
  std::string_view text;
};

struct CallResult {
  double number = 0.0;  // number results
  std::string text;     // text results, as the library wrote them
  bool overran = false; // the library wrote past its 256-byte text buffer
};

class AddIn {
 public:
  AddIn() = default;
  AddIn(const AddIn&) = delete;
  AddIn& operator=(const AddIn&) = delete;
  ~AddIn();

  // Loads the library; false with a message in error when that fails.
  bool load(const std::string& path, std::string& error);

  // The registration handshake in the given language; false with a message
  // when the library lacks the registration entry points.
  bool register_functions(uint16_t language_id, std::string& error);

  // The address of an exported name beyond the worksheet functions (the GEDCOM
  // reader of varizav/gedcom.h), or null.
  void* symbol(const char* name) const;

  // versioninfo(entry) when the library exports it, else null.
  const char* version_entry(int32_t entry) const;

  const std::vector<Function>& functions() const { return functions_; }

  // The function whose exported or display name equals name, ignoring ASCII
  // case; null when there is none.
  const Function* find(std::string_view name) const;

  // Calls a built, usable function with one Argument per parameter (numbers
  // read from .number, texts from .text, by the registered type codes).
  CallResult call(const Function& function, const Argument* arguments) const;

 private:
  void* handle_ = nullptr;
  std::vector<Function> functions_;
};

// The path of the library (libvarizav.so, varizav.dll) beside the running executable.
std::string default_library_path();

}  // namespace varizav::tool
