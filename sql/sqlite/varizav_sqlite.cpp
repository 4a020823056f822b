// varizav as an SQLite loadable extension:
//   .load ./varizav_sqlite
//   SELECT varizav_gregorian(2024, 'March', 31);   -- 45382.0
// Every worksheet function of the registration becomes varizav_<name>, <name>
// being the exported name without "SC_" in lower case. The error value is
// NULL, a NULL argument gives NULL, a number argument may also be an ISO date
// text 'YYYY-MM-DD[THH:MM[:SS]]' (as the host tool reads it). The settings
// are those of a spreadsheet host: the language (English unless
// VARIZAV_LANGUAGE names German), then the VARIZAV_* environment, read when
// the extension is first loaded in the process.
#include <sqlite3ext.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "varizav/columns.h"
#include "varizav/tools.h"

SQLITE_EXTENSION_INIT1

namespace {

constexpr unsigned short kLanguageEnglish = 0x0409;
constexpr unsigned short kLanguageGerman = 0x0407;
constexpr size_t kMaxArguments = 6;  // SC_when
// SQLITE_INNOCUOUS came with SQLite 3.31; older engines take the function without it.
#ifdef SQLITE_INNOCUOUS
constexpr int kInnocuous = SQLITE_INNOCUOUS;
#else
constexpr int kInnocuous = 0;
#endif

struct Function {
  unsigned short number = 0;
  std::string sql_name;
  int result_type = VARIZAV_TYPE_NUMBER;
  std::vector<int> argument_types;
  std::vector<std::string> argument_names;
};

std::string registration_text(const char* buffer) { return std::string(buffer, strnlen(buffer, VARIZAV_TEXT_SIZE)); }

std::vector<Function> read_registration() {
  std::vector<Function> functions;
  // The language as a spreadsheet's user interface would set it: German when
  // VARIZAV_LANGUAGE says so (its first two letters, as the library reads
  // it), else English; the library then reads the rest of the environment.
  const char* wanted = std::getenv("VARIZAV_LANGUAGE");
  const bool german = wanted != nullptr && (wanted[0] | 0x20) == 'd' && wanted[0] != '\0' && (wanted[1] | 0x20) == 'e';
  const unsigned short language = german ? kLanguageGerman : kLanguageEnglish;
  SetLanguage(&language);
  unsigned short count = 0;
  GetFunctionCount(&count);
  for (unsigned short k = 0; k < count; ++k) {
    std::array<char, VARIZAV_TEXT_SIZE> exported{};
    std::array<char, VARIZAV_TEXT_SIZE> display{};
    std::array<int, kMaxArguments + 1> codes{};
    unsigned short slots = 0;
    GetFunctionData(&k, exported.data(), &slots, codes.data(), display.data());
    const std::string name = registration_text(exported.data());
    if (name.size() < 4 || name.compare(0, 3, "SC_") != 0 || slots < 2 || slots > kMaxArguments + 1) continue;
    Function f;
    f.number = k;
    f.sql_name = "varizav_";
    for (const char c : name.substr(3)) f.sql_name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    f.result_type = codes[0];
    for (unsigned short s = 1; s < slots; ++s) {
      std::array<char, VARIZAV_TEXT_SIZE> argument{};
      std::array<char, VARIZAV_TEXT_SIZE> description{};
      GetParameterDescription(&k, &s, argument.data(), description.data());
      f.argument_types.push_back(codes[s]);
      f.argument_names.push_back(registration_text(argument.data()));
    }
    functions.push_back(std::move(f));
  }
  return functions;
}

// Read once, at the first load in the process; constant from then on.
const std::vector<Function>& registered_functions() {
  static const std::vector<Function> functions = read_registration();
  return functions;
}

// A function none of whose arguments or result is a text depends on its
// arguments alone: every setting acts through a name lookup or a text
// (language, decimal separator), a calendar reform, delta T, the time zone or
// the search bound, and none of those reaches the three such functions
// (ASTRONOMY, GNOMON, MAYAN); tests/bindings/python checks them under every setting.
bool depends_on_arguments_alone(const Function& f) {
  if (f.result_type != VARIZAV_TYPE_NUMBER) return false;
  for (const int type : f.argument_types) {
    if (type != VARIZAV_TYPE_NUMBER) return false;
  }
  return true;
}

void call_function(sqlite3_context* context, int argc, sqlite3_value** argv) {
  const auto& f = *static_cast<const Function*>(sqlite3_user_data(context));
  std::array<double, kMaxArguments> numbers{};
  std::array<const char*, kMaxArguments> texts{};
  std::array<VarizavColumn, kMaxArguments> columns{};
  for (int a = 0; a < argc; ++a) {
    const auto i = static_cast<size_t>(a);
    const int type = sqlite3_value_type(argv[a]);
    if (type == SQLITE_NULL) {
      sqlite3_result_null(context);
      return;
    }
    if (f.argument_types[i] == VARIZAV_TYPE_TEXT) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[a]));
      if (text == nullptr) {
        sqlite3_result_error_nomem(context);
        return;
      }
      texts[i] = text;
      columns[i] = {nullptr, &texts[i], 1};
      continue;
    }
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
      numbers[i] = sqlite3_value_double(argv[a]);
    } else {
      const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[a]));
      double number = 0.0;
      if (text == nullptr || type != SQLITE_TEXT || varizav_read_number(text, &number) == 0) {
        const std::string message = f.sql_name + ": argument " + std::to_string(a + 1) + " (" +
                                    f.argument_names[i] + ") must be a number or a date 'YYYY-MM-DD[THH:MM[:SS]]'";
        sqlite3_result_error(context, message.c_str(), -1);
        return;
      }
      numbers[i] = number;
    }
    columns[i] = {&numbers[i], nullptr, 1};
  }
  double number = NAN;
  std::array<char, VARIZAV_TEXT_SIZE> text{};
  size_t length = 0;
  VarizavResultColumn result{&number, text.data(), text.size(), &length};
  if (VarizavCallColumns(f.number, columns.data(), static_cast<size_t>(argc), 0, 1, &result) != 1) {
    sqlite3_result_error(context, "varizav: the library refused the call", -1);
    return;
  }
  if (f.result_type == VARIZAV_TYPE_TEXT) {
    // The error value of a text function is the empty text.
    if (length == 0) {
      sqlite3_result_null(context);
    } else {
      sqlite3_result_text(context, text.data(), static_cast<int>(length), SQLITE_TRANSIENT);
    }
  } else if (std::isnan(number)) {
    sqlite3_result_null(context);
  } else {
    sqlite3_result_double(context, number);
  }
}

}  // namespace

extern "C" {

// The entry point SQLite derives from the file name varizav_sqlite.so.
__attribute__((visibility("default"))) int sqlite3_varizavsqlite_init(sqlite3* db, char** error_message,
                                                                      const sqlite3_api_routines* api) {
  SQLITE_EXTENSION_INIT2(api);
  for (const Function& f : registered_functions()) {
    int flags = SQLITE_UTF8;
    if (depends_on_arguments_alone(f)) flags |= SQLITE_DETERMINISTIC | kInnocuous;
    const int status = sqlite3_create_function_v2(db, f.sql_name.c_str(), static_cast<int>(f.argument_types.size()),
                                                  flags, const_cast<Function*>(&f), call_function, nullptr, nullptr,
                                                  nullptr);
    if (status != SQLITE_OK) {
      if (error_message != nullptr) *error_message = sqlite3_mprintf("varizav: cannot register %s", f.sql_name.c_str());
      return status;
    }
  }
  return SQLITE_OK;
}

// The entry point SQLite tries when the file has another name.
__attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** error_message,
                                                                  const sqlite3_api_routines* api) {
  return sqlite3_varizavsqlite_init(db, error_message, api);
}

}  // extern "C"
