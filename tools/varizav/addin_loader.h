// Loading libvarizav.so at run time and registering it the way a spreadsheet
// does: SetLanguage, GetFunctionCount, GetFunctionData for every function,
// GetParameterDescription for every slot, then the address of every exported name.
// Worksheet functions are called through the type codes they registered.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "varizav/addin.h"
#include "varizav/names.h"
#include "varizav/tools.h"

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
  double number = 0.0;   // number results
  std::string text;      // text results, as the library wrote them
  bool overran = false;  // the library wrote past its 256-byte text buffer
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

  // Values as the library reads and writes them for hosts that are not
  // spreadsheets (varizav/tools.h); usable once register_functions succeeded.
  // A number argument: a decimal number, TRUE/FALSE, WAHR/FALSCH or a date.
  std::optional<double> read_number(std::string_view text) const;
  // A date "YYYY-MM-DD[THH:MM[:SS]]" as its serial date.
  std::optional<double> read_date(std::string_view text) const;
  // Serial date of a proleptic Gregorian date; nothing when it does not exist.
  std::optional<double> serial_of_date(int32_t year, int32_t month, int32_t day) const;
  // Proleptic Gregorian date and time of a serial date, to the second.
  std::optional<VarizavDateTime> date_of_serial(double serial) const;
  // 0 = Monday .. 6 = Sunday.
  int32_t weekday(double serial) const;
  // The shortest text that reads back as the same number.
  std::string write_number(double value) const;
  // "YYYY-MM-DDTHH:MM:SS"; nothing where the serial date gives no date.
  std::optional<std::string> write_date(double serial) const;

  // The name lists of varizav/names.h.
  // The language whose names the worksheet functions look up now.
  uint16_t name_language() const;
  int32_t name_count(int32_t list) const;
  // Entry 1..count of a list in a language, Windows-1252.
  const char* name(int32_t list, int32_t entry, uint16_t language) const;
  // The entry a text in the host's character set selects in a list; 0 for none.
  int32_t name_entry(int32_t list, std::string_view text, uint16_t language) const;

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
  struct ValueFunctions {
    decltype(&varizav_read_number) read_number = nullptr;
    decltype(&varizav_read_date) read_date = nullptr;
    decltype(&varizav_serial_of_date) serial_of_date = nullptr;
    decltype(&varizav_date_of_serial) date_of_serial = nullptr;
    decltype(&varizav_weekday) weekday = nullptr;
    decltype(&varizav_write_number) write_number = nullptr;
    decltype(&varizav_write_date) write_date = nullptr;
    decltype(&varizav_name_language) name_language = nullptr;
    decltype(&varizav_name_count) name_count = nullptr;
    decltype(&varizav_name) name = nullptr;
    decltype(&varizav_name_entry) name_entry = nullptr;
  } values_;
};

// The path of the library (libvarizav.so, varizav.dll) beside the running executable.
std::string default_library_path();

}  // namespace varizav::tool
