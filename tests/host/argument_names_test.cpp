// The name lists the registry gives the text arguments, held to what the
// worksheet functions accept.
#include "host/argument_names.h"

#include <gtest/gtest.h>

#include <string>

#include "expect_error.h"
#include "framework/language.h"
#include "host/host_state.h"
#include "worksheet_call.h"

namespace varizav {
namespace {

using ArgumentNamesTest = testing::HostTest;

// Every year, month name and day converter takes the last name of the month
// list its registry row names, and refuses the month number one past it
// (independent: the converter checks month against its own list's count).
TEST_F(ArgumentNamesTest, ConvertersTakeTheMonthsTheirRowsName) {
  set_current_language(kLanguageEnglish);
  int32_t converters = 0;
  for (const host_calls::RegisteredFunction& f : host_calls::register_all()) {
    const FunctionEntry& row = function_registry[f.number];
    const ArgumentEntry& month = row.arguments[1];
    if (row.argument_count != 3 || !same_text(row.arguments[0].text.name, kArgYear.name) ||
        month.names.list != NameList::months) {
      continue;
    }
    ++converters;
    ASSERT_NE(f.address, nullptr) << f.exported_name;
    const KeywordTable* months = name_table(month.names);
    ASSERT_NE(months, nullptr) << f.exported_name;
    const double year = 2000, day = 1;
    const auto convert = [&](const std::string& month_text) {
      double result = 0;
      const void* args[] = {&year, month_text.c_str(), &day};
      host_calls::call(f, &result, args);
      return result;
    };
    EXPECT_FALSE(testing::is_error_value(convert(months->english_names[months->count - 1]))) << f.exported_name;
    testing::expect_error(convert(std::to_string(months->count + 1)), f.exported_name.c_str());
  }
  EXPECT_EQ(converters, 18);  // the simple converters
}

}  // namespace
}  // namespace varizav
