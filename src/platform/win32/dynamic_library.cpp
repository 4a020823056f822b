#include "platform/dynamic_library.h"

#include <windows.h>

#include <vector>

namespace varizav::platform {
namespace {

// A byte text of the host (ANSI code page, which may be UTF-8) as UTF-16.
std::wstring wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string narrow(const std::wstring& text) {
  const int n =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  }
  return out;
}

std::string system_message(DWORD code) {
  char* text = nullptr;
  const DWORD n =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = n > 0 && text != nullptr ? std::string(text, n) : "error " + std::to_string(code);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

std::string shared_library_file_name(const std::string& name) { return name + ".dll"; }

void* open_library(const std::string& path, std::string& error) {
  HMODULE library = LoadLibraryW(wide(path).c_str());
  if (library == nullptr) error = system_message(GetLastError());
  return reinterpret_cast<void*>(library);
}

void close_library(void* library) noexcept {
  if (library != nullptr) FreeLibrary(static_cast<HMODULE>(library));
}

void* library_symbol(void* library, const char* name) noexcept {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void* program_symbol(const char* name) noexcept {
  return reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(nullptr), name));
}

std::string beside_executable(const std::string& file_name) {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return file_name;
    if (n < path.size()) {
      const std::wstring full(path.data(), n);
      const size_t separator = full.find_last_of(L"\\/");
      return separator == std::wstring::npos ? file_name : narrow(full.substr(0, separator + 1)) + file_name;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace varizav::platform
