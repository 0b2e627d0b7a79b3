// Reading coordinates from DXF value lines and writing them into CSV records.
// Both compute in the extended format (64-bit significand, round to nearest,
// ties to even) in integer arithmetic, so every build gives the same bits.
#pragma once

#include <cstddef>
#include <string>
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

// The longest text FormatReal writes.
constexpr std::size_t kMaxRealText = 22;

// The text of a real as records hold it; `separator` is the decimal separator
// byte. Writes 1 to 22 bytes into `out` and returns their number.
std::size_t FormatReal(double value, char separator, char* out);
std::string FormatReal(double value, char separator);

}  // namespace toridasu
