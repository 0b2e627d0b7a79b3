// Reading coordinates from DXF value lines. The parse computes in the
// extended format (64-bit significand, round to nearest, ties to even) in
// integer arithmetic, so every build gives the same bits.
#pragma once

#include <string_view>

namespace toridasu {

enum class CoordinateStatus {
  kValid,       // value holds the coordinate
  kInvalid,     // not a number by the accepted form: the caller uses 0.0
  kOutOfRange,  // beyond double precision: the text entity ends here
};

struct Coordinate {
  CoordinateStatus status = CoordinateStatus::kInvalid;
  double value = 0.0;
};

// A DXF coordinate value line (not empty) to a double.
Coordinate ParseCoordinate(std::string_view text);

}  // namespace toridasu
