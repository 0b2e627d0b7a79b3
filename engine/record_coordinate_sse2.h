// The byte classes of a short value line with SSE2 (every x86 build has
// it), for the common shape of RecordCoordinate.
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "engine/record_coordinate_scalar.h"

namespace toridasu {

struct Sse2DecimalBytes {
  // The bytes of a text of at most 16 bytes in two words, byte i at bits 8i
  // (both builds are little-endian), zeros past the text. Read from the text
  // with overlapping loads and put together in registers: a vector load of
  // bytes just stored would wait for the stores.
  static __m128i LoadUpTo16(const char* from, std::size_t count) {
    uint64_t low = 0, high = 0;
    if (count >= 8) {
      uint64_t tail;
      std::memcpy(&low, from, 8);
      std::memcpy(&tail, from + count - 8, 8);
      if (count > 8) high = tail >> (8 * (16 - count));
    } else if (count >= 4) {
      uint32_t head, tail;
      std::memcpy(&head, from, 4);
      std::memcpy(&tail, from + count - 4, 4);
      low = head | (uint64_t{tail} << (8 * (count - 4)));
    } else {
      for (std::size_t i = 0; i < count; ++i) {
        low |= uint64_t{static_cast<unsigned char>(from[i])} << (8 * i);
      }
    }
    return _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
  }

  static DecimalBytes ClassesOf(__m128i v) {
    const auto bitsOf = [](__m128i hits) { return static_cast<uint32_t>(_mm_movemask_epi8(hits)); };
    return {bitsOf(_mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('0' - 1)),
                                 _mm_cmplt_epi8(v, _mm_set1_epi8('9' + 1)))),
            bitsOf(_mm_cmpeq_epi8(v, _mm_set1_epi8('0'))),
            bitsOf(_mm_cmpeq_epi8(v, _mm_set1_epi8('.')))};
  }

  // A text of 1 to 32 bytes. Beyond 16, the last 16 bytes are read as well,
  // overlapping the first.
  static DecimalBytes Classify(const char* text, std::size_t count) {
    if (count <= 16) return ClassesOf(LoadUpTo16(text, count));
    const DecimalBytes head = ClassesOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text)));
    const DecimalBytes tail =
        ClassesOf(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + count - 16)));
    const std::size_t shift = count - 16;
    return {head.digits | tail.digits << shift, head.zeros | tail.zeros << shift,
            head.points | tail.points << shift};
  }
};

}  // namespace toridasu
