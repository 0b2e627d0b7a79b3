// The text field of a record and the writer's own double-byte rule (lead
// bytes 0x80-0x9F and 0xE0-0xFD), fixed here: it deliberately does not ask
// the platform.
#pragma once

#include <string>
#include <string_view>

namespace toridasu {

// Appends the text field to `out`: the text between double quotes, a lone
// double quote replaced by the full-width "”" (0x81 0x68). Raises
// ERangeError when the last character is a lone lead byte, leaving `out` as
// it was.
void AppendQuotedCsvText(std::string& out, std::string_view text);

}  // namespace toridasu
