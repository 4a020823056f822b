#include "platform/dynamic_library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>

namespace varizav::platform {

std::string shared_library_file_name(const std::string& name) { return "lib" + name + ".so"; }

void* open_library(const std::string& path, std::string& error) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "unknown error";
  }
  return library;
}

void close_library(void* library) noexcept {
  if (library != nullptr) dlclose(library);
}

void* library_symbol(void* library, const char* name) noexcept { return dlsym(library, name); }

void* program_symbol(const char* name) noexcept { return dlsym(RTLD_DEFAULT, name); }

std::string beside_executable(const std::string& file_name) {
  std::array<char, 4096> exe{};
  const ssize_t length = readlink("/proc/self/exe", exe.data(), exe.size() - 1);
  if (length <= 0) return file_name;
  const std::string path(exe.data(), static_cast<size_t>(length));
  const size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string(".") : path.substr(0, slash)) + "/" + file_name;
}

}  // namespace varizav::platform
