// Test support for the tests that run the library inside a real host program
// (LibreOffice Calc, the Regina REXX interpreter): finding the program,
// skipping or failing when it is missing, and running it with an environment
// of the test's choosing.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace varizav::host_program {

// CTest reports a test that exits with this status as skipped (SKIP_RETURN_CODE).
constexpr int kSkipExitCode = 77;

// VARIZAV_REQUIRE_HOSTS=1 (set by CI) turns a missing host into a failure.
inline bool hosts_required() {
  const char* v = std::getenv("VARIZAV_REQUIRE_HOSTS");
  return v != nullptr && std::string_view(v) == "1";
}

// The exit status for a missing prerequisite: skipped, or failed when hosts are required.
inline int missing_host(const std::string& what) {
  if (hosts_required()) {
    std::fprintf(stderr, "FAILED: %s, and VARIZAV_REQUIRE_HOSTS=1 requires it\n", what.c_str());
    return 1;
  }
  std::printf("Skipped: %s (set VARIZAV_REQUIRE_HOSTS=1 to make this a failure)\n", what.c_str());
  return kSkipExitCode;
}

// The path of an executable found on PATH, or "" when there is none.
inline std::string find_program(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline bool write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

// The test's own environment without the variables that would change what a
// host or the library does (locale, language, time zone, VARIZAV_*, temporary
// directory), plus the given NAME=value entries, which replace their namesakes.
inline std::vector<std::string> clean_environment(std::initializer_list<std::string> additions) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string_view entry = *e;
    const std::string_view name = entry.substr(0, entry.find('='));
    bool drop = name == "LANG" || name == "LANGUAGE" || name.substr(0, 3) == "LC_" || name == "TZ" ||
                name == "LOCPATH" || name == "TMPDIR" || name.substr(0, 8) == "VARIZAV_";
    for (const std::string& a : additions) drop = drop || std::string_view(a).substr(0, a.find('=')) == name;
    if (!drop) env.emplace_back(entry);
  }
  env.insert(env.end(), additions.begin(), additions.end());
  return env;
}

struct RunResult {
  int status = -1;  // the exit status, or -1 when the program could not run or was killed
  std::string out;
  std::string err;
};

// Runs argv[0] (a path) with the given environment, standard input from
// input_path ("" for /dev/null), and collects its output through files in
// scratch_dir.
inline RunResult run(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                     const std::string& input_path, const std::string& scratch_dir) {
  const std::string out_path = scratch_dir + "/run.out";
  const std::string err_path = scratch_dir + "/run.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input_path.empty() ? "/dev/null" : input_path.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> argv_copy = argv;
  std::vector<std::string> env_copy = env;
  std::vector<char*> argv_ptrs;
  for (std::string& a : argv_copy) argv_ptrs.push_back(a.data());
  argv_ptrs.push_back(nullptr);
  std::vector<char*> env_ptrs;
  for (std::string& e : env_copy) env_ptrs.push_back(e.data());
  env_ptrs.push_back(nullptr);

  RunResult result;
  pid_t pid = 0;
  if (posix_spawn(&pid, argv_ptrs[0], &actions, nullptr, argv_ptrs.data(), env_ptrs.data()) == 0) {
    int wait_status = 0;
    if (waitpid(pid, &wait_status, 0) == pid && WIFEXITED(wait_status)) result.status = WEXITSTATUS(wait_status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

}  // namespace varizav::host_program
