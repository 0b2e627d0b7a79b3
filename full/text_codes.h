// The codes that a single-line text (TEXT, ATTRIB, ATTDEF) carries in its
// value, turned into the characters that a user sees.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace toridasu::full {

// Decodes a TEXT or ATTRIB value (UTF-8): "%%d" °, "%%p" ±, "%%c" Ø, "%%nnn"
// the character numbered nnn, "%%%" %, "%%u" and "%%o" (underline and
// overline switches) removed, the letters in any case; and the escapes
// "\U+XXXX" and "\M+nXXXX". Anything else stays as it is.
std::string DecodeTextCodes(std::string_view utf8);

// Reads one "\U+XXXX" or "\M+nXXXX" escape starting at `text[pos]` (the
// backslash) and appends its character to `out`. Returns the escape's length,
// or 0 (nothing appended) when there is no escape there that can be decoded:
// too few hex digits, a value that is no Unicode scalar value, a \M+ code
// page that is unknown or a code that it does not define.
std::size_t AppendUnicodeEscape(std::string_view text, std::size_t pos, std::string& out);

}  // namespace toridasu::full
