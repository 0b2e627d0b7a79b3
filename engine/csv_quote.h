// The text field of a record and the writer's own double-byte rule (lead
// bytes 0x80-0x9F and 0xE0-0xFD), fixed here: it deliberately does not ask
// the platform.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace toridasu {

// The text field: between double quotes, a lone double quote replaced by the
// full-width "”" (0x81 0x68). Raises ERangeError when the last character is
// a lone lead byte.
std::string QuoteCsvText(std::string_view text);
// The same, appended to `out`; on failure `out` is left as it was.
void AppendQuotedCsvText(std::string& out, std::string_view text);

// Character counting and copying by the writer's rule. Positions count from 1.
int32_t MbLength(std::string_view text);
std::string MbCopy(std::string_view text, int32_t index, int32_t count);

}  // namespace toridasu
