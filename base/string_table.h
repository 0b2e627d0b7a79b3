// Access to the program's string table. The texts come from one UTF-8
// source (resources/strings.tsv) and are held here as Shift-JIS bytes.
#pragma once

#include <cstdint>
#include <string>

#include "base/string_ids.h"
namespace toridasu {

// The text of `id` in the program's code page; empty when there is none.
std::string LoadResString(uint32_t id);

// Where texts come from. The default is the table built into the program;
// the Windows shell points this at the loaded language module.
using StringLoader = std::string (*)(uint32_t id);
void SetStringLoader(StringLoader loader);
// The built-in table alone.
std::string BuiltInString(uint32_t id);

}  // namespace toridasu
