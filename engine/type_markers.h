// The marker test of type and name values: "TEXT" and "EOF" in type lines,
// "ENTITIES" in name lines, in any letter case.
#pragma once

#include <string_view>

#include "engine/conversion_context.h"

namespace toridasu {

constexpr std::string_view kEntitiesMarker = "ENTITIES";
constexpr std::string_view kEndOfFileMarker = "EOF";
constexpr std::string_view kTextMarker = "TEXT";

// Whether `value`, upper-cased by the context's platform, contains `marker`
// at a position that does not start on the second byte of a double-byte
// character (by the context's lead bytes).
bool ContainsMarker(std::string_view value, std::string_view marker,
                    const ConversionContext& context);

// Both markers of a type line ("EOF" and "TEXT") from one upper-casing.
struct TypeMarkers {
  bool endOfFile = false;
  bool text = false;
};
TypeMarkers MarkersOfType(std::string_view value, const ConversionContext& context);

}  // namespace toridasu
