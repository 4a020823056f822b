// A name argument as a host passes it in the language a test has chosen with
// set_current_language: the worksheet functions read the language in force at
// their edge and hand it on with the text, as this does.
#pragma once

#include "framework/keyword.h"
#include "framework/language.h"

namespace varizav::testing {

inline NameText named(const char* text) { return {text, current_language()}; }

}  // namespace varizav::testing
