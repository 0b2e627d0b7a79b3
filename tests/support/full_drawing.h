// Small drawings for the full mode's tests, written as "code|value|..." pairs,
// and their conversion on the fake platform.
#pragma once

#include <string>
#include <string_view>

#include "full/full_conversion.h"

namespace toridasu::full {

// Pairs written as "code|value|code|value...", joined into CR LF lines.
std::string Dxf(std::string_view pairs);
// The same pairs inside an ENTITIES section, with the end of the drawing.
std::string Entities(std::string_view pairs);

// UTF-8 output with the columns `columns`.
FullOptions Utf8(std::string_view columns = "x,y,z,text");

struct Converted {
  bool converted = false;
  std::string csv;      // the output as written
  std::string records;  // the lines after the header, each ending in LF
  FullStats stats;
};
// `separator`: the decimal separator of the conversion's context.
Converted Convert(const std::string& drawing, const FullOptions& options, char separator = '.');

}  // namespace toridasu::full
