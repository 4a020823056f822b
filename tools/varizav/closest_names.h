// Finding a worksheet function by any of its names, and the names closest to
// a text that names nothing ("did you mean GREGORIAN?").
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "addin_loader.h"

namespace varizav::tool {

// Most names a "did you mean" offers.
constexpr size_t kMaxSuggestions = 3;

// Edits (insertion, deletion, substitution, swap of two neighbours) that turn
// text into the nearest beginning of name, so that an abbreviation with a typo
// is near its name. Both are compared as given (fold them first).
size_t prefix_distance(std::string_view text, std::string_view name);

// The candidates nearest to text, at most kMaxSuggestions, nearest first and
// in candidate order among equals. folded_text and folded_candidates are the
// forms compared; shown_candidates (parallel to them) the names offered. A
// candidate is near when at most one edit per four characters of the text
// separates them, so that a text of one to three characters gets only names
// it begins exactly.
std::vector<std::string> closest_names(std::string_view folded_text, const std::vector<std::string>& folded_candidates,
                                       const std::vector<std::string>& shown_candidates);

// "did you mean A, B or C?"; empty for no suggestions.
std::string did_you_mean(const std::vector<std::string>& suggestions);

struct FunctionMatch {
  const Function* function = nullptr;
  std::string error;  // why nothing was found, when function is null
};

// A function's names as an add-in registers it, for finding it by name.
struct RegisteredNames {
  std::string exported_name;
  std::string display_name;  // in the host's character set
};

// The functions of a loaded add-in under every name the tool accepts for
// them, gathered once for the calls of a command.
class FunctionFinder {
 public:
  explicit FunctionFinder(const AddIn& addin);
  // The same over bare names (the WebAssembly tool, which loads no add-in):
  // find() then reports only whether a function was found, index_of() which.
  explicit FunctionFinder(const std::vector<RegisteredNames>& functions);

  // The function that name selects, ignoring ASCII case: its exported name,
  // its display name as registered, or its display name in the other
  // language (the add-in's own registry, for the functions the loaded library
  // shares with it) when that selects one function only. Otherwise "unknown
  // function NAME", with the closest names.
  FunctionMatch find(std::string_view name) const;

  // Position in the list of the function that name selects, or SIZE_MAX with
  // the reason in error.
  size_t index_of(std::string_view name, std::string& error) const;

 private:
  // Exported name, display name as registered, the registry's English and
  // German display names (in the host's character set; empty for a function
  // the registry lacks); as shown and folded to ASCII capitals.
  struct Names {
    size_t index;
    std::array<std::string, 4> shown;
    std::array<std::string, 4> folded;
  };
  std::vector<Names> functions_;
  const std::vector<Function>* loaded_ = nullptr;  // the add-in's functions, when there is one
};

}  // namespace varizav::tool
