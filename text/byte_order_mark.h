// The UTF-8 byte-order mark, which spreadsheet programs need at the start of
// a CSV file to read it as UTF-8.
#pragma once

#include <string_view>

namespace toridasu::text {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace toridasu::text
