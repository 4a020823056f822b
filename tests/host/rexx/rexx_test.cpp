// The Regina REXX interpreter as the host of VERSIONINFO: versioninfo.rexx
// registers the function from the built library and checks every entry, the
// version text's form and the calls that must raise REXX error 40. The
// expected entries come from the library's C accessor versioninfo, so the
// script tests the REXX path: argument checks, result length and copy.
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "host/host_program.h"

namespace fs = std::filesystem;
using namespace varizav::host_program;

int main() {
  const std::string regina = find_program("regina");
  if (regina.empty()) return missing_host("the Regina REXX interpreter (regina) is not installed");

  void* library = dlopen(VARIZAV_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "FAILED: cannot load %s: %s\n", VARIZAV_LIBRARY_PATH, dlerror());
    return 1;
  }
  using VersionInfoFn = const char* (*)(int32_t);
  void* symbol = dlsym(library, "versioninfo");
  if (symbol == nullptr) {
    std::fprintf(stderr, "FAILED: %s does not export versioninfo\n", VARIZAV_LIBRARY_PATH);
    return 1;
  }
  VersionInfoFn versioninfo = nullptr;
  std::memcpy(&versioninfo, &symbol, sizeof versioninfo);
  std::string expected;
  for (int32_t k = 1; k <= 11; ++k) {
    const char* text = versioninfo(k);
    expected += text != nullptr ? text : "(null)";
    expected += '\n';
  }

  fs::create_directories(VARIZAV_WORK_DIR);
  const std::string expected_path = std::string(VARIZAV_WORK_DIR) + "/expected.txt";
  write_file(expected_path, expected);
  // Regina finds libvarizav.so for the module name "varizav" on LD_LIBRARY_PATH.
  const std::string library_dir = fs::path(VARIZAV_LIBRARY_PATH).parent_path().string();
  const RunResult r = run({regina, VARIZAV_REXX_SCRIPT, expected_path},
                          clean_environment({"LD_LIBRARY_PATH=" + library_dir, "LC_ALL=C"}), "", VARIZAV_WORK_DIR);
  std::fputs(r.out.c_str(), stdout);
  std::fputs(r.err.c_str(), stderr);
  if (r.status != 0) {
    std::fprintf(stderr, "FAILED: regina exited with %d\n", r.status);
    return 1;
  }
  return 0;
}
