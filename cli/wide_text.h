// Windows only: the converter's native text (UTF-8) to UTF-16 and back, for
// the calls that take wide text (the console, std::filesystem's paths, the
// searches of patterns), and to the bytes of a code page.
#pragma once

#include <string>
#include <string_view>

namespace toridasu::cli {

std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The text in `codePage`'s bytes. A character that the code page lacks
// becomes its default character ("?"), never a look-alike, and `*complete`,
// when given, says whether that happened to none.
std::string CodePageFromUtf8(std::string_view utf8, unsigned codePage, bool* complete = nullptr);

}  // namespace toridasu::cli
