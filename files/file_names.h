// Path operations on Shift-JIS byte strings, aware of double-byte characters:
// the second byte of 表 or ソ (0x5C) is never taken for a backslash.
#pragma once

#include <string>
#include <string_view>

#include "base/lead_bytes.h"

namespace toridasu {

std::string DirectoryPart(std::string_view path);
std::string FileNamePart(std::string_view path);
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The same cut for a UTF-8 name (the converter's names on Windows). No byte
// of a UTF-8 character has the value of a delimiter, and its bytes are no
// Shift-JIS pairs: the lead-byte rule would hide a delimiter after ボ (E3 83
// 9C). '/' separates folders there as '\' does.
std::string ReplaceExtensionUtf8(std::string_view path, std::string_view extension);

}  // namespace toridasu
