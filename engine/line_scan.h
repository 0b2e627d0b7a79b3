// Finding line ends fast: the first CR, LF or Ctrl-Z byte in a range, looked
// for sixteen bytes at a time where the processor allows.
#pragma once

#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace toridasu {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFileMark = '\x1A';

inline bool IsLineEndByte(char c) {
  return c == kCarriageReturn || c == kLineFeed || c == kEndOfFileMark;
}

// The first line-end byte in [p, end), or end when there is none.
inline const char* FindLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8(kCarriageReturn);
  const __m128i lf = _mm_set1_epi8(kLineFeed);
  const __m128i sub = _mm_set1_epi8(kEndOfFileMark);
  while (end - p >= 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf)),
                                      _mm_cmpeq_epi8(chunk, sub));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
    p += 16;
  }
#endif
  while (p < end && !IsLineEndByte(*p)) ++p;
  return p;
}

}  // namespace toridasu
