#include "framework/language.h"

#include <atomic>

namespace varizav {
namespace {
// Relaxed atomic: hosts may switch the language while another thread reads it;
// the value itself is all that has to be consistent.
std::atomic<LanguageId> g_language{kLanguageGerman};
}  // namespace

LanguageId current_language() noexcept { return g_language.load(std::memory_order_relaxed); }

void set_current_language(LanguageId id) noexcept { g_language.store(id, std::memory_order_relaxed); }

}  // namespace varizav
