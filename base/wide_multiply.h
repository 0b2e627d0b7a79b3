// The full 128-bit product of two 64-bit numbers, from four 32 x 32 products:
// the 32-bit build has no wider integer type.
#pragma once

#include <cstdint>

namespace toridasu {

struct Wide {
  uint64_t high;
  uint64_t low;
};

inline Wide MultiplyWide(uint64_t a, uint64_t b) {
  constexpr uint64_t kLow32 = 0xFFFFFFFFu;
  const uint64_t a0 = a & kLow32, a1 = a >> 32;
  const uint64_t b0 = b & kLow32, b1 = b >> 32;
  const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const uint64_t middle = (p00 >> 32) + (p01 & kLow32) + (p10 & kLow32);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & kLow32)};
}

}  // namespace toridasu
