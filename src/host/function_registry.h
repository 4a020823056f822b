// The registry of the 35 worksheet functions as the host registers them:
// exported name, catalogue entries of the display name and the description,
// and the type and catalogue entries of the result and of every argument.
//
// Constant data only, with no code behind it, so that every program that has
// to describe the add-in (the registration entry points, the host tool, an
// extension generator) reads this one table.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace varizav {

// Type codes of the registration protocol (written as 32-bit integers).
enum TypeCode : int32_t {
  kTypeNumber = 0,  // pointer to a double
  kTypeText = 1,    // pointer to a zero-terminated Windows-1252 text (256-byte buffer for a result)
};

struct ArgumentEntry {
  TypeCode type;
  int32_t name_entry;         // catalogue entry of the argument name
  int32_t description_entry;  // catalogue entry of the argument description
};

constexpr int32_t kMaxArguments = 6;  // SC_when

struct FunctionEntry {
  uint16_t number;            // registration order, 0..34
  const char* exported_name;  // the C symbol of libvarizav.so
  int32_t name_entry;         // catalogue entry of the display name
  int32_t description_entry;  // catalogue entry of the description
  TypeCode result_type;
  int32_t argument_count;     // 0..kMaxArguments; the host sees 1 + argument_count slots
  std::array<ArgumentEntry, kMaxArguments> arguments;  // in call order; unused rows zero
};

constexpr int32_t kFunctionCount = 35;

// Registration order: alphabetical by exported name, except that SC_event
// precedes SC_ethiopic and SC_latin follows SC_persian.
inline constexpr std::array<FunctionEntry, kFunctionCount> function_registry = {{
    {0, "SC_armenian", 0, 1, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {1, "SC_astronomy", 2, 3, kTypeNumber, 1, {{{kTypeNumber, 84, 85}}}},
    {2, "SC_buddhist", 6, 7, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {3, "SC_byzantine", 8, 9, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {4, "SC_calendar", 4, 5, kTypeText, 3, {{{kTypeText, 70, 71}, {kTypeNumber, 84, 85}, {kTypeNumber, 78, 79}}}},
    {5, "SC_chinese", 10, 11, kTypeNumber, 5, {{{kTypeNumber, 82, 83}, {kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 102, 103}, {kTypeNumber, 86, 87}}}},
    {6, "SC_chronology", 12, 13, kTypeText, 2, {{{kTypeText, 76, 77}, {kTypeNumber, 114, 115}}}},
    {7, "SC_coptic", 14, 15, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {8, "SC_egyptian", 16, 17, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {9, "SC_event", 18, 19, kTypeNumber, 4, {{{kTypeNumber, 108, 109}, {kTypeText, 88, 89}, {kTypeText, 106, 107}, {kTypeNumber, 114, 115}}}},
    {10, "SC_ethiopic", 20, 21, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {11, "SC_french", 22, 23, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {12, "SC_gengou", 24, 25, kTypeNumber, 4, {{{kTypeText, 94, 95}, {kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {13, "SC_gnomon", 26, 27, kTypeNumber, 1, {{{kTypeNumber, 84, 85}}}},
    {14, "SC_gregorian", 28, 29, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {15, "SC_hebrew", 30, 31, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {16, "SC_hindu", 32, 33, kTypeNumber, 4, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 102, 103}, {kTypeNumber, 86, 87}}}},
    {17, "SC_hindu2", 34, 35, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {18, "SC_holiday", 36, 37, kTypeNumber, 3, {{{kTypeText, 70, 71}, {kTypeText, 96, 97}, {kTypeText, 90, 91}}}},
    {19, "SC_holiday2", 38, 39, kTypeNumber, 3, {{{kTypeText, 70, 71}, {kTypeText, 96, 97}, {kTypeNumber, 110, 111}}}},
    {20, "SC_indian", 40, 41, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {21, "SC_islamic", 42, 43, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {22, "SC_iso8601", 44, 45, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeNumber, 112, 113}, {kTypeText, 86, 87}}}},
    {23, "SC_julian", 46, 47, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {24, "SC_leapyear", 50, 51, kTypeNumber, 2, {{{kTypeText, 70, 71}, {kTypeText, 90, 91}}}},
    {25, "SC_leapyear2", 52, 53, kTypeNumber, 2, {{{kTypeText, 70, 71}, {kTypeNumber, 84, 85}}}},
    {26, "SC_mayan", 48, 49, kTypeNumber, 5, {{{kTypeNumber, 116, 117}, {kTypeNumber, 118, 119}, {kTypeNumber, 120, 121}, {kTypeNumber, 122, 123}, {kTypeNumber, 124, 125}}}},
    {27, "SC_persian", 54, 55, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {28, "SC_latin", 56, 57, kTypeNumber, 4, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeText, 92, 93}, {kTypeText, 86, 87}}}},
    {29, "SC_seleucid", 58, 59, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {30, "SC_syrian", 60, 61, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {31, "SC_taiwanese", 62, 63, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
    {32, "SC_when", 64, 65, kTypeNumber, 6, {{{kTypeText, 70, 71}, {kTypeText, 96, 97}, {kTypeText, 88, 89}, {kTypeNumber, 86, 87}, {kTypeText, 104, 105}, {kTypeNumber, 110, 111}}}},
    {33, "SC_when2", 66, 67, kTypeNumber, 5, {{{kTypeText, 72, 71}, {kTypeText, 98, 97}, {kTypeText, 74, 71}, {kTypeText, 100, 97}, {kTypeNumber, 110, 111}}}},
    {34, "SC_yazdegerd", 68, 69, kTypeNumber, 3, {{{kTypeNumber, 114, 115}, {kTypeText, 106, 107}, {kTypeNumber, 86, 87}}}},
}};

namespace detail {
constexpr bool registry_is_consistent() {
  for (int32_t k = 0; k < kFunctionCount; ++k) {
    const FunctionEntry& f = function_registry[static_cast<size_t>(k)];
    if (f.number != k || f.argument_count < 1 || f.argument_count > kMaxArguments) return false;
    if (std::string_view(f.exported_name).substr(0, 3) != "SC_") return false;
    // Entries 0..69 are display names (even) and descriptions (odd) of the functions.
    if (f.name_entry % 2 != 0 || f.description_entry != f.name_entry + 1 || f.description_entry > 69) return false;
    for (int32_t a = 0; a < f.argument_count; ++a) {
      const ArgumentEntry& arg = f.arguments[static_cast<size_t>(a)];
      if (arg.name_entry < 70 || arg.name_entry > 125 || arg.name_entry % 2 != 0) return false;
      if (arg.description_entry < 70 || arg.description_entry > 125 || arg.description_entry % 2 != 1) return false;
    }
  }
  return true;
}
}  // namespace detail
static_assert(detail::registry_is_consistent());

}  // namespace varizav
