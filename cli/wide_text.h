// Windows only: native (ANSI code page) text to UTF-16 and back, for the
// calls that take wide text (the console, std::filesystem's paths).
#pragma once

#include <string>
#include <string_view>

namespace toridasu::cli {

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view wide);

}  // namespace toridasu::cli
