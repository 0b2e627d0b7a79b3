// The converter's own words, in English or Japanese after the user's
// language. The texts live in the program's string table (Shift-JIS); Say
// gives them as native text, ready for the console.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/message_format.h"
#include "base/string_ids.h"

namespace toridasu::cli {

// A text is named by its Japanese id in the string table (text_id::kCli...);
// each English text is kEnglish higher (the string table holds both, which a
// test checks).
constexpr uint32_t kEnglish = 1000;

void SetJapanese(bool japanese);

// The text in the user's language as native text, with each %s replaced by
// the next argument (native text too: file names pass unchanged).
std::string Say(uint32_t text, std::initializer_list<FormatArg> arguments = {});

// A message line as the terminal may show it: control characters that a
// drawing's names or the user's file names carry (an escape sequence would
// drive the terminal) are written as \xNN.
std::string WithControlsEscaped(std::string line);

}  // namespace toridasu::cli
