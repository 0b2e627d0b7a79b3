// The line finder's chunk classification with SSE2 (every x86 build has it).
#pragma once

#include <emmintrin.h>

#include <cstdint>

#include "engine/line_scan_scalar.h"

namespace toridasu {

struct Sse2LineBytes {
  static LineEndBytes Classify(const char* p) {
    LineEndBytes bits{0, 0, 0};
    const __m128i crBytes = _mm_set1_epi8('\r');
    const __m128i lfBytes = _mm_set1_epi8('\n');
    const __m128i subBytes = _mm_set1_epi8('\x1A');
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
      const auto bitsOf = [&bytes](__m128i of) {
        return static_cast<uint64_t>(
            static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, of))));
      };
      bits.cr |= bitsOf(crBytes) << (16 * part);
      bits.lf |= bitsOf(lfBytes) << (16 * part);
      bits.sub |= bitsOf(subBytes) << (16 * part);
    }
    return bits;
  }
};

}  // namespace toridasu
