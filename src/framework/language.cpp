#include "framework/language.h"

#include <atomic>

namespace varizav {
namespace {
// Settings, written only by the entry points the host calls to choose a
// language (SetLanguage, and the configuration read at GetFunctionCount).
// Relaxed atomics: hosts may switch the language while another thread reads
// it; each value itself is all that has to be consistent.
std::atomic<LanguageId> g_language{kLanguageGerman};
std::atomic<bool> g_display_english{false};
}  // namespace

LanguageId current_language() noexcept { return g_language.load(std::memory_order_relaxed); }

void set_current_language(LanguageId id) noexcept { g_language.store(id, std::memory_order_relaxed); }

bool display_names_english() noexcept { return g_display_english.load(std::memory_order_relaxed); }

void set_display_names_english(bool english) noexcept { g_display_english.store(english, std::memory_order_relaxed); }

}  // namespace varizav
