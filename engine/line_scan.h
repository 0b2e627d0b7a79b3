// Finding line ends fast. A block is looked at 64 bytes at a time: one pass
// of vector compares gives a bit for every CR, LF and Ctrl-Z byte of the
// chunk, and each line end after that is a count of trailing zeros.
#pragma once

#include <cstddef>
#include <cstdint>

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

class LineEndFinder {
 public:
  static constexpr std::size_t kChunk = 64;
  // Bytes the buffer must hold readable past its fill (never matched).
  static constexpr std::size_t kPadding = kChunk;

  // A new block of `fill` bytes at `buffer`.
  void Reset(const char* buffer, std::size_t fill) {
    buffer_ = buffer;
    fill_ = fill;
    chunkStart_ = kNoChunk;
  }

  // The position of the first line-end byte at or after `position`, or the
  // fill when the block has none. Inline for the common case, a line end
  // further on in the chunk last looked at.
  std::size_t Next(std::size_t position) {
    const std::size_t chunk = position & ~(kChunk - 1);
    if (chunk == chunkStart_) {
      const uint64_t ahead = mask_ & (~uint64_t{0} << (position - chunk));
      if (ahead != 0) return chunk + static_cast<std::size_t>(__builtin_ctzll(ahead));
    }
    return NextInLaterChunks(position);
  }

 private:
  static constexpr std::size_t kNoChunk = ~std::size_t{0};

  [[gnu::noinline]] std::size_t NextInLaterChunks(std::size_t position) {
    while (position < fill_) {
      const std::size_t chunk = position & ~(kChunk - 1);
      if (chunk != chunkStart_) Load(chunk);
      const uint64_t ahead = mask_ & (~uint64_t{0} << (position - chunk));
      if (ahead != 0) return chunk + static_cast<std::size_t>(__builtin_ctzll(ahead));
      position = chunk + kChunk;
    }
    return fill_;
  }

  void Load(std::size_t chunk) {
    chunkStart_ = chunk;
    const char* p = buffer_ + chunk;
    uint64_t mask = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8(kCarriageReturn);
    const __m128i lf = _mm_set1_epi8(kLineFeed);
    const __m128i sub = _mm_set1_epi8(kEndOfFileMark);
    for (int part = 0; part < 4; ++part) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
      const __m128i hits =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)),
                       _mm_cmpeq_epi8(bytes, sub));
      mask |= static_cast<uint64_t>(static_cast<uint32_t>(_mm_movemask_epi8(hits))) << (16 * part);
    }
#else
    for (std::size_t i = 0; i < kChunk; ++i) {
      if (IsLineEndByte(p[i])) mask |= uint64_t{1} << i;
    }
#endif
    // Bytes past the fill are stale or padding: never line ends.
    if (fill_ - chunk < kChunk) mask &= (uint64_t{1} << (fill_ - chunk)) - 1;
    mask_ = mask;
  }

  const char* buffer_ = nullptr;
  std::size_t fill_ = 0;
  std::size_t chunkStart_ = kNoChunk;
  uint64_t mask_ = 0;
};

}  // namespace toridasu
