// Loading a shared library at run time and finding its exported functions.
#pragma once

#include <string>

namespace varizav::platform {

// File name of a shared library named name: "libNAME.so" or "NAME.dll".
std::string shared_library_file_name(const std::string& name);

// Loads the library at path (the host's byte text: UTF-8 or the ANSI code
// page). Null on failure, with the system's reason in error.
void* open_library(const std::string& path, std::string& error);
void close_library(void* library) noexcept;

// The address of an exported function of the library, or null.
void* library_symbol(void* library, const char* name) noexcept;

// The address of a function that the running program exports, or null.
void* program_symbol(const char* name) noexcept;

// The path of file_name in the running executable's folder (file_name alone
// when the system cannot tell the folder).
std::string beside_executable(const std::string& file_name);

}  // namespace varizav::platform
