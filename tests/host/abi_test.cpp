// libvarizav.so as a host meets it: loaded at run time, every name resolved
// with dlsym, the exported names checked against the linker's export list.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "host/function_registry.h"
#include "varizav/addin.h"

// The REXX interpreter's allocator, as a REXX host process would offer it.
static int g_rexx_allocations = 0;
extern "C" __attribute__((visibility("default"))) void* RexxAllocateMemory(unsigned long size) {
  ++g_rexx_allocations;
  return std::malloc(size);
}

namespace varizav {
namespace {

void* library() {
  static void* handle = dlopen(VARIZAV_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  return handle;
}

template <class Fn>
Fn* symbol(const char* name) {
  void* p = library() ? dlsym(library(), name) : nullptr;
  return reinterpret_cast<Fn*>(p);
}

std::set<std::string> names_in_export_list() {
  std::ifstream in(VARIZAV_EXPORTS_MAP);
  std::set<std::string> names;
  std::string word;
  bool global = false;
  while (in >> word) {
    if (word == "global:")
      global = true;
    else if (word == "local:")
      global = false;
    else if (global && word.size() > 1 && word.back() == ';')
      names.insert(word.substr(0, word.size() - 1));
  }
  return names;
}

// Listed first: the language callback must already be in place when a host
// sets the language before it asks for the function count.
TEST(Abi, SetLanguageBeforeRegistrationSwitchesDateTexts) {
  ASSERT_NE(library(), nullptr) << dlerror();
  auto* set_language = symbol<decltype(SetLanguage)>("SetLanguage");
  auto* calendar = symbol<decltype(SC_calendar)>("SC_calendar");
  ASSERT_TRUE(set_language && calendar);
  const double date = 36586;  // independent: serial 36526 is 1 Jan 2000, 60 days later 1 Mar 2000
  const double text_mode = 1;
  char out[VARIZAV_TEXT_SIZE];
  const unsigned short english = 0x0409, german = 0x0407;
  set_language(&english);
  calendar(out, "gregorian", &date, &text_mode);
  EXPECT_STREQ(out, "Wednesday, 1 March 2000");
  set_language(&german);
  calendar(out, "gregorian", &date, &text_mode);
  EXPECT_STREQ(out, "Mittwoch, 1 M\xE4rz 2000");
}

TEST(Abi, ExportsExactlyTheListedNames) {
  ASSERT_NE(library(), nullptr) << dlerror();
  const std::set<std::string> listed = names_in_export_list();
  for (const char* name : {"GetFunctionCount", "GetFunctionData", "GetParameterDescription", "SetLanguage",
                           "versioninfo", "VERSIONINFO"}) {
    EXPECT_TRUE(listed.count(name)) << name;
  }
  std::set<std::string> registered;
  for (const FunctionEntry& f : function_registry) registered.insert(f.exported_name);
  for (const std::string& name : registered) EXPECT_TRUE(listed.count(name)) << name << " is registered, not exported";
  for (const std::string& name : listed) {
    EXPECT_NE(dlsym(library(), name.c_str()), nullptr) << name << " is listed but not defined";
    if (name.rfind("SC_", 0) == 0) {
      EXPECT_TRUE(registered.count(name)) << name << " is not a registered function";
    }
  }

  const std::string command = std::string("nm -D --defined-only '") + VARIZAV_LIBRARY_PATH + "'";
  FILE* nm = popen(command.c_str(), "r");
  ASSERT_NE(nm, nullptr);
  char line[512];
  int defined = 0;
  while (std::fgets(line, sizeof line, nm)) {
    std::istringstream fields(line);
    std::string address, type, name;
    fields >> address >> type >> name;
    if (name.empty()) continue;
    ++defined;
    EXPECT_TRUE(listed.count(name)) << name << " (" << type << ") is exported but not listed";
  }
  EXPECT_EQ(pclose(nm), 0);
  EXPECT_GE(defined, 6);
}

TEST(Abi, RegistrationThroughTheLoadedLibrary) {
  auto* count_fn = symbol<decltype(GetFunctionCount)>("GetFunctionCount");
  auto* data_fn = symbol<decltype(GetFunctionData)>("GetFunctionData");
  auto* describe_fn = symbol<decltype(GetParameterDescription)>("GetParameterDescription");
  ASSERT_TRUE(count_fn && data_fn && describe_fn);
  unsigned short count = 0;
  count_fn(&count);
  ASSERT_EQ(count, 35);
  for (unsigned short k = 0; k < count; ++k) {
    char exported[VARIZAV_TEXT_SIZE], display[VARIZAV_TEXT_SIZE];
    unsigned short slots = 0;
    int codes[8] = {};
    data_fn(&k, exported, &slots, codes, display);
    EXPECT_STREQ(exported, function_registry[k].exported_name);
    EXPECT_EQ(slots, function_registry[k].argument_count + 1);
    char name[VARIZAV_TEXT_SIZE], description[VARIZAV_TEXT_SIZE];
    const unsigned short slot = 1;
    describe_fn(&k, &slot, name, description);
    EXPECT_NE(name[0], '\0') << exported;
  }
}

TEST(Abi, VersionTableThroughTheLoadedLibrary) {
  auto* info = symbol<decltype(versioninfo)>("versioninfo");
  auto* rexx = symbol<decltype(VERSIONINFO)>("VERSIONINFO");
  ASSERT_TRUE(info && rexx);
  // The file name entry names the file the host loaded.
  const std::string path = VARIZAV_LIBRARY_PATH;
  EXPECT_EQ(path.substr(path.rfind('/') + 1), info(2));
  EXPECT_EQ(info(12), nullptr);

  // A result longer than the interpreter's buffer comes from the interpreter's allocator.
  char buffer[4] = {'#', '#', '#', '#'};
  VarizavRxString result = {sizeof buffer, buffer};
  const int allocations = g_rexx_allocations;
  ASSERT_EQ(rexx("VERSIONINFO", 0, nullptr, nullptr, &result), 0u);
  EXPECT_EQ(g_rexx_allocations, allocations + 1);
  EXPECT_EQ(std::string(result.strptr, result.strlength), info(3));
  EXPECT_EQ(std::string(buffer, sizeof buffer), "####");
  std::free(result.strptr);
}

}  // namespace
}  // namespace varizav
