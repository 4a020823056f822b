#include "closest_names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>

#include "host/catalogue.h"
#include "host/function_registry.h"
#include "name_lists.h"

namespace varizav::tool {
namespace {

std::string ascii_upper(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return folded;
}

}  // namespace

size_t prefix_distance(std::string_view text, std::string_view name) {
  // Optimal string alignment over rows of text and columns of name; the
  // answer is the best cell of the last row, whatever of name is left over.
  const size_t columns = name.size() + 1;
  std::vector<size_t> before(columns);
  std::vector<size_t> previous(columns);
  std::vector<size_t> row(columns);
  std::iota(row.begin(), row.end(), size_t{0});
  for (size_t i = 1; i <= text.size(); ++i) {
    before.swap(previous);
    previous.swap(row);
    row[0] = i;
    for (size_t j = 1; j < columns; ++j) {
      const size_t substitution = previous[j - 1] + (text[i - 1] == name[j - 1] ? 0 : 1);
      row[j] = std::min({previous[j] + 1, row[j - 1] + 1, substitution});
      if (i > 1 && j > 1 && text[i - 1] == name[j - 2] && text[i - 2] == name[j - 1]) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
    }
  }
  return *std::min_element(row.begin(), row.end());
}

std::vector<std::string> closest_names(std::string_view folded_text, const std::vector<std::string>& folded_candidates,
                                       const std::vector<std::string>& shown_candidates) {
  if (folded_text.empty()) return {};  // every name begins with the empty text
  const size_t allowed = folded_text.size() / 4;
  std::vector<std::pair<size_t, size_t>> near;  // distance, candidate
  for (size_t k = 0; k < folded_candidates.size(); ++k) {
    const size_t distance = prefix_distance(folded_text, folded_candidates[k]);
    if (distance <= allowed) near.emplace_back(distance, k);
  }
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> names;
  for (const auto& [distance, k] : near) {
    const std::string& shown = shown_candidates[k];
    if (std::find(names.begin(), names.end(), shown) != names.end()) continue;
    names.push_back(shown);
    if (names.size() == kMaxSuggestions) break;
  }
  return names;
}

std::string did_you_mean(const std::vector<std::string>& suggestions) {
  if (suggestions.empty()) return {};
  std::string text = "did you mean ";
  for (size_t i = 0; i < suggestions.size(); ++i) {
    if (i > 0) text += i + 1 == suggestions.size() ? " or " : ", ";
    text += suggestions[i];
  }
  return text + "?";
}

namespace {

std::vector<RegisteredNames> registered_names(const AddIn& addin) {
  std::vector<RegisteredNames> names;
  for (const Function& f : addin.functions()) names.push_back({f.exported_name, f.display_name});
  return names;
}

}  // namespace

FunctionFinder::FunctionFinder(const AddIn& addin) : FunctionFinder(registered_names(addin)) {
  loaded_ = &addin.functions();
}

FunctionFinder::FunctionFinder(const std::vector<RegisteredNames>& functions) {
  for (size_t i = 0; i < functions.size(); ++i) {
    Names n{i, {functions[i].exported_name, functions[i].display_name, {}, {}}, {}};
    for (const FunctionEntry& entry : function_registry) {
      if (functions[i].exported_name != entry.exported_name) continue;
      n.shown[2] = host_name(catalogue_english(entry.name_entry));
      n.shown[3] = host_name(catalogue_german(entry.name_entry));
    }
    for (size_t k = 0; k < n.shown.size(); ++k) n.folded[k] = ascii_upper(n.shown[k]);
    functions_.push_back(std::move(n));
  }
}

FunctionMatch FunctionFinder::find(std::string_view name) const {
  std::string error;
  const size_t index = index_of(name, error);
  if (index == SIZE_MAX) return {nullptr, error};
  return {loaded_ != nullptr ? &(*loaded_)[index] : nullptr, {}};
}

size_t FunctionFinder::index_of(std::string_view name, std::string& error) const {
  const std::string wanted = ascii_upper(name);
  for (const Names& n : functions_) {
    if (wanted == n.folded[0] || wanted == n.folded[1]) return n.index;
  }
  std::vector<const Names*> others;
  for (const Names& n : functions_) {
    if ((!n.folded[2].empty() && wanted == n.folded[2]) || (!n.folded[3].empty() && wanted == n.folded[3])) {
      others.push_back(&n);
    }
  }
  if (others.size() == 1) return others[0]->index;
  if (others.size() > 1) {
    std::vector<std::string> exported;
    for (const Names* n : others) exported.push_back(n->shown[0]);
    error = std::string(name) + " names more than one function; " + did_you_mean(exported);
    return SIZE_MAX;
  }

  // Each function offered once, under the name nearest to the text (the
  // first of its names among equals).
  std::vector<std::string> folded;
  std::vector<std::string> shown;
  for (const Names& n : functions_) {
    size_t best = SIZE_MAX;
    size_t nearest = 0;
    for (size_t k = 0; k < n.folded.size(); ++k) {
      if (n.folded[k].empty()) continue;
      const size_t distance = prefix_distance(wanted, n.folded[k]);
      if (distance < best) {
        best = distance;
        nearest = k;
      }
    }
    folded.push_back(n.folded[nearest]);
    shown.push_back(n.shown[nearest]);
  }
  error = "unknown function " + std::string(name);
  const std::string hint = did_you_mean(closest_names(wanted, folded, shown));
  if (!hint.empty()) error += "; " + hint;
  return SIZE_MAX;
}

}  // namespace varizav::tool
