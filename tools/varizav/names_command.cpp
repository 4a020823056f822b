// varizav names: every name that a text argument accepts, from the library's
// own keyword tables, with its number and the shortest text that selects it.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "commands.h"
#include "framework/language.h"
#include "host/host_text.h"
#include "name_lists.h"

namespace varizav::tool {
namespace {

constexpr const char* kLookupRule =
    "A name may be shortened: the first name of its list that begins with the text is taken, and case,\n"
    "blanks and punctuation do not count. The number of an entry selects it too.\n";

const char* name_of(const KeywordTable& table, int32_t entry, LanguageId language) {
  return names_in(table, language)[entry - 1];
}

// Windows-1252 to UTF-8, for Markdown, which is always UTF-8.
std::string utf8(const char* cp1252) {
  std::string out(4 * std::strlen(cp1252) + 1, '\0');
  out.resize(cp1252_to_utf8(cp1252, out.data(), out.size()));
  return out;
}

// A placeholder (no holiday's name) is shown as such, and its entry number
// as the text that selects it.
constexpr const char* kPlaceholder = "(placeholder \"nil\")";

std::string shortest_text(const KeywordTable& table, int32_t entry, LanguageId language,
                          std::string (*convert)(const char*)) {
  if (is_placeholder_name(name_of(table, entry, language))) return std::to_string(entry);
  const std::optional<std::string> shortest = shortest_abbreviation(table, entry, language);
  if (!shortest) return "(number only)";
  if (shortest->empty()) return "\"\" (empty text)";
  return convert(shortest->c_str());
}

std::string host_text(const char* cp1252) { return host_name(cp1252); }

// Display width of a text in the host's character set (UTF-8 sequences count once).
size_t width_of(std::string_view text) {
  if (!host_text_is_utf8()) return text.size();
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

void print_padded(const std::string& text, size_t width) {
  std::printf("%s%*s", text.c_str(), static_cast<int>(width > width_of(text) ? width - width_of(text) : 0), "");
}

void print_list(const NameList& list, LanguageId language) {
  const KeywordTable& table = *list.table;
  std::printf("%s: %s (%d names)\n", list.title.c_str(), list.used_by.c_str(), table.count);
  std::vector<std::string> names;
  std::vector<std::string> shortest;
  size_t name_width = 4;
  size_t shortest_width = 8;
  for (int32_t k = 1; k <= table.count; ++k) {
    const char* name = name_of(table, k, language);
    names.push_back(is_placeholder_name(name) ? kPlaceholder : host_name(name));
    shortest.push_back(shortest_text(table, k, language, host_text));
    name_width = std::max(name_width, width_of(names.back()));
    shortest_width = std::max(shortest_width, width_of(shortest.back()));
  }
  std::printf("   #  ");
  print_padded("name", name_width);
  std::printf("  shortest\n");
  for (int32_t k = 1; k <= table.count; ++k) {
    std::printf("  %2d  ", k);
    print_padded(names[k - 1], name_width);
    std::printf("  ");
    const int32_t same = same_value_as(table, k);
    if (same != 0) {
      print_padded(shortest[k - 1], shortest_width);
      std::printf("  same as %d\n", same);
    } else {
      std::printf("%s\n", shortest[k - 1].c_str());
    }
  }
}

void print_overview(LanguageId language) {
  std::printf("Names that text arguments accept, in %s (varizav names LIST shows one):\n",
              language == kLanguageGerman ? "German" : "English");
  for (const NameList& list : all_name_lists()) {
    std::printf("  %-20s %3d  %s\n", list.key.c_str(), list.table->count, list.title.c_str());
  }
  std::printf(
      "Groups: calendars, weekdays, months, holidays, events, cycles, eras, divisions, counts.\n"
      "A calendar name (varizav names hebrew) shows every list of that calendar.\n");
  std::fputs(kLookupRule, stdout);
}

// One Markdown table per list, English and German side by side.
void print_markdown(const NameList& list) {
  const KeywordTable& table = *list.table;
  const bool with_values = table.values != nullptr;
  std::string used_by = list.used_by;
  used_by[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(used_by[0])));
  std::printf("### %s\n\n%s.\n\n", list.title.c_str(), used_by.c_str());
  std::printf("| # | English | shortest | German | shortest |%s\n|--:|---|---|---|---|%s\n",
              with_values ? " same as |" : "", with_values ? "---|" : "");
  for (int32_t k = 1; k <= table.count; ++k) {
    std::string row = "| " + std::to_string(k);
    for (const LanguageId l : {varizav::kLanguageEnglish, varizav::kLanguageGerman}) {
      const std::string name = utf8(name_of(table, k, l));
      const bool placeholder = is_placeholder_name(name_of(table, k, l));
      row.append(" | ").append(placeholder ? std::string(kPlaceholder) : name.empty() ? std::string("(empty)") : name);
      const std::optional<std::string> shortest = shortest_abbreviation(table, k, l);
      row.append(" | ");
      if (placeholder) {
        row.append("`").append(std::to_string(k)).append("`");
      } else if (shortest && shortest->empty()) {
        row.append("the empty text");
      } else if (shortest) {
        row.append("`").append(utf8(shortest->c_str())).append("`");
      } else {
        row.append("number only");
      }
    }
    if (with_values) {
      const int32_t same = same_value_as(table, k);
      row.append(" | ").append(same != 0 ? std::to_string(same) : std::string());
    }
    std::printf("%s |\n", row.c_str());
  }
  std::printf("\n");
}

void print_markdown_fallbacks() {
  std::printf(
      "### A name that names nothing\n\n"
      "Where these arguments name nothing, the function does not fail but goes on as shown (an empty\n"
      "text is the usual way to ask for it); every other name argument gives the error value.\n\n"
      "| Function | Argument | names no | the function |\n|---|---|---|---|\n");
  for (const NameFallback& f : name_fallbacks()) {
    std::printf("| %s | %s | %s | %s |\n", f.function.c_str(), f.argument.c_str(), f.noun.c_str(), f.fallback.c_str());
  }
  std::printf("\n");
}

}  // namespace

int command_names(const std::optional<std::string>& key, bool markdown, LanguageId language) {
  if (markdown) {
    const std::vector<NameList> lists = key ? name_lists_for(*key, language) : all_name_lists();
    for (const NameList& list : lists) print_markdown(list);
    if (!key) print_markdown_fallbacks();
    return lists.empty() ? kExitUsage : kExitOk;
  }
  if (!key) {
    print_overview(language);
    return kExitOk;
  }
  const std::vector<NameList> lists = name_lists_for(*key, language);
  if (lists.empty()) {
    std::fprintf(stderr, "varizav: no list of names is called '%s' (varizav names shows them all)\n", key->c_str());
    return kExitUsage;
  }
  for (size_t i = 0; i < lists.size(); ++i) {
    if (i > 0) std::printf("\n");
    print_list(lists[i], language);
  }
  return kExitOk;
}

}  // namespace varizav::tool
