// UTF-8 names and the UTF-16 that the wide Windows calls take. A Windows
// name is any run of 16-bit units, a lone surrogate included; such a unit
// travels in UTF-8 as the three bytes its value would take, so that every
// name read from the system reaches it again unchanged.
#pragma once

#include <string>
#include <string_view>

namespace toridasu {

// A byte that begins no UTF-8 character becomes U+FFFD.
std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);

}  // namespace toridasu
