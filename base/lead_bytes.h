// The platform's lead-byte set of the ANSI code page and what each byte of a
// Shift-JIS text is: the second byte of 表 or ソ (0x5C) is never taken for a
// backslash, and a text is never cut between the two bytes of a character.
#pragma once

#include <cstddef>
#include <string_view>

namespace toridasu {

class Platform;

enum class ByteKind { SingleByte, LeadByte, TrailByte };

// The set, process-wide.
bool DoubleByteSystem();
bool IsLeadByte(unsigned char byte);
// Reads the flag and the set from the platform; the set only ever grows.
void RefreshLeadByteSet(Platform& platform);
// Forgets the set (tests only: the program never clears it).
void ResetLeadByteSetForTesting();

// What the byte at `position` (counted from 1) is.
ByteKind ByteKindAt(std::string_view text, std::size_t position);
// Position of the last byte of `delimiters` in `text` that is not a trail
// byte; 0 when there is none.
std::size_t FindLastDelimiter(std::string_view delimiters, std::string_view text);

}  // namespace toridasu
