// The line finder's chunk classification in plain code, for every target
// without SSE2, and as the reference the vector one is held against.
#pragma once

#include <cstdint>

#include "engine/byte_bits_scalar.h"

namespace toridasu {

// Bit i of each map for byte i of a 64-byte chunk.
struct LineEndBytes {
  uint64_t cr, lf, sub;
};

struct ScalarLineBytes {
  static LineEndBytes Classify(const char* p) {
    using namespace scalar_bits;
    LineEndBytes bits{0, 0, 0};
    for (int word = 0; word < 8; ++word) {
      const uint64_t bytes = Load8(p + 8 * word);
      bits.cr |= Gather(EqualBytes(bytes, '\r')) << (8 * word);
      bits.lf |= Gather(EqualBytes(bytes, '\n')) << (8 * word);
      bits.sub |= Gather(EqualBytes(bytes, '\x1A')) << (8 * word);
    }
    return bits;
  }
};

}  // namespace toridasu
