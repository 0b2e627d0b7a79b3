// The byte classes of a short value line in plain code, for the common shape
// of RecordCoordinate (engine/record_coordinate.h): on every target without
// SSE2, and as the reference the vector one is held against.
#pragma once

#include <cstddef>
#include <cstdint>

namespace toridasu {

// Bit i of each map for byte i of the text; no bit at or past its end.
struct DecimalBytes {
  uint32_t digits, zeros, points;
};

struct ScalarDecimalBytes {
  // A text of 1 to 32 bytes.
  static DecimalBytes Classify(const char* text, std::size_t count) {
    DecimalBytes bits{0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) {
      const char c = text[i];
      bits.digits |= uint32_t{c >= '0' && c <= '9'} << i;
      bits.zeros |= uint32_t{c == '0'} << i;
      bits.points |= uint32_t{c == '.'} << i;
    }
    return bits;
  }
};

}  // namespace toridasu
