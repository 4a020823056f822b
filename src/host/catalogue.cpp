#include "host/catalogue.h"

#include <array>
#include <cstddef>

#include "framework/language.h"
#include "host/function_registry.h"

namespace varizav {
namespace {

// The texts by catalogue number, gathered from the function rows and the
// argument kinds.
constexpr std::array<Text, kCatalogueSize> kCatalogue = [] {
  std::array<Text, kCatalogueSize> catalogue{};
  for (const FunctionEntry& f : function_registry) {
    catalogue[static_cast<size_t>(f.name_entry)] = f.name;
    catalogue[static_cast<size_t>(f.description_entry)] = f.description;
  }
  for (size_t k = 0; k < kCatalogueArguments.size(); ++k) {
    const CatalogueArgument& a = kCatalogueArguments[k];
    const size_t entry = static_cast<size_t>(kFirstArgumentEntry) + 2 * k;
    catalogue[entry] = a.text->name;
    catalogue[entry + 1] = a.own_description ? a.text->description : kNoText;
  }
  return catalogue;
}();

// Every entry filled: no function of the catalogue's order is missing from the registry.
static_assert([] {
  for (const Text& t : kCatalogue) {
    if (t.english == nullptr || t.german == nullptr) return false;
  }
  return true;
}());

bool in_catalogue(int32_t entry) { return entry >= 0 && entry < kCatalogueSize; }

}  // namespace

const char* catalogue_english(int32_t entry) noexcept {
  return in_catalogue(entry) ? kCatalogue[static_cast<size_t>(entry)].english : "";
}

const char* catalogue_german(int32_t entry) noexcept {
  return in_catalogue(entry) ? kCatalogue[static_cast<size_t>(entry)].german : "";
}

const char* catalogue_text(int32_t entry) noexcept {
  return language_is_german() ? catalogue_german(entry) : catalogue_english(entry);
}

}  // namespace varizav
