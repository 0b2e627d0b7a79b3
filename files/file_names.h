// Path operations on Shift-JIS byte strings, aware of double-byte characters:
// the second byte of 表 or ソ (0x5C) is never taken for a backslash.
#pragma once

#include <string>
#include <string_view>

namespace toridasu {

enum class ByteKind { SingleByte, LeadByte, TrailByte };

// What the byte at `position` (counted from 1) is.
ByteKind ByteKindAt(std::string_view text, std::size_t position);
// Position of the last byte of `delimiters` in `text` that is not a trail
// byte; 0 when there is none.
std::size_t FindLastDelimiter(std::string_view delimiters, std::string_view text);

std::string DirectoryPart(std::string_view path);
std::string FileNamePart(std::string_view path);
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace toridasu
