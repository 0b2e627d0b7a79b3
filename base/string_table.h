// Access to the program's string table. The texts come from one UTF-8
// source (resources/strings.tsv) and are held here as Shift-JIS bytes.
#pragma once

#include <cstdint>
#include <string>

namespace toridasu {

// Ids of the string-table texts that the core itself uses.
namespace text_id {
constexpr uint32_t kIoErrorWithCode = 65521;  // "I/O エラー (%d)"
constexpr uint32_t kFileNotFound = 65522;
constexpr uint32_t kInvalidFileName = 65523;
constexpr uint32_t kTooManyOpenFiles = 65524;
constexpr uint32_t kAccessDenied = 65525;
constexpr uint32_t kReadBeyondEnd = 65526;
constexpr uint32_t kDiskFull = 65527;
constexpr uint32_t kNotANumber = 65528;
constexpr uint32_t kRangeCheck = 65530;
}  // namespace text_id

// The text of `id` in the program's code page; empty when there is none.
std::string LoadResString(uint32_t id);

// Where texts come from. The default is the table built into the program;
// the Windows shell points this at the loaded language module.
using StringLoader = std::string (*)(uint32_t id);
void SetStringLoader(StringLoader loader);
// The built-in table alone.
std::string BuiltInString(uint32_t id);

}  // namespace toridasu
