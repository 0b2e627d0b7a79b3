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

}  // namespace toridasu
