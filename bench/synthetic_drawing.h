// A generated drawing that looks like the real ones: CR LF line ends, short
// lines, group codes right-aligned in three columns, about one text entity in
// ten, Shift-JIS texts, and references to two small blocks with attributes.
#pragma once

#include <cstdint>
#include <string>

namespace toridasu::bench {

// Writes a drawing of about `bytes` bytes to `path`; returns the number of
// text entities in it. A dense drawing holds text entities only; `lineEnd`
// ends every line ("\n" for a copy with LF line ends).
uint64_t WriteSyntheticDrawing(const std::string& path, uint64_t bytes, bool dense = false,
                               const char* lineEnd = "\r\n");

// A drawing whose one text entity holds a text of `textBytes` bytes, among a
// few ordinary entities.
void WriteLongTextDrawing(const std::string& path, uint64_t textBytes);

// A drawing whose one block holds about `textBytes` bytes of text entities
// (short texts, as a room plan's), shown by one reference.
void WriteBlockTextDrawing(const std::string& path, uint64_t textBytes);

}  // namespace toridasu::bench
