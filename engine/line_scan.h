// Finding line ends fast. A block is looked at 64 bytes at a time: one pass
// of vector compares gives a bit for every CR, LF and Ctrl-Z byte of the
// chunk. From those, the bits where lines end (a CR, an LF that no CR
// precedes, a Ctrl-Z) are held, and each line end after that is a count of
// trailing zeros and the clearing of one bit, whatever the bytes between.
// The build chooses how a chunk is classified: SSE2 on x86, plain code
// elsewhere (TORIDASU_SSE2_KERNELS, set by engine/CMakeLists.txt).
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(TORIDASU_SSE2_KERNELS)
#include "engine/line_scan_sse2.h"
#else
#include "engine/line_scan_scalar.h"
#endif

namespace toridasu {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFileMark = '\x1A';

// `Kernel` gives Classify(const char*), the LineEndBytes of 64 bytes.
template <class Kernel>
class BasicLineEndFinder {
 public:
  static constexpr std::size_t kChunk = 64;
  // Bytes the buffer must hold readable past its fill (never matched).
  static constexpr std::size_t kPadding = kChunk;

  // A new block of `fill` bytes at `buffer`.
  void Reset(const char* buffer, std::size_t fill) {
    buffer_ = buffer;
    fill_ = fill;
    held_ = 0;
  }

  // Drops the line ends held, when the reading has moved by other means.
  void Forget() { held_ = 0; }

  // Takes the next line end at or after `position`, the start of a line
  // whose reading has gone by this finder alone since the last Forget or
  // Reset (so `position` never sits on the LF of a CR LF): false when the
  // block holds none, nothing taken.
  bool TakeNext(std::size_t position, std::size_t* stop) {
    if (held_ == 0 && !Hold(position)) return false;
    *stop = chunk_ + static_cast<std::size_t>(__builtin_ctzll(held_));
    held_ &= held_ - 1;
    return true;
  }

  // The position of the first CR, LF or Ctrl-Z byte at or after `position`,
  // or the fill when the block has none. Holds nothing.
  std::size_t NextLineEndByte(std::size_t position) const {
    while (position < fill_) {
      const std::size_t chunk = position & ~(kChunk - 1);
      const uint64_t ahead = LineEndBytesOf(chunk) & (~uint64_t{0} << (position - chunk));
      if (ahead != 0) return chunk + static_cast<std::size_t>(__builtin_ctzll(ahead));
      position = chunk + kChunk;
    }
    return fill_;
  }

 private:
  // Holds the line ends of the first chunk at or after `position` that has one.
  [[gnu::noinline]] bool Hold(std::size_t position) {
    for (std::size_t chunk = position & ~(kChunk - 1); chunk < fill_; chunk += kChunk) {
      uint64_t ends = LineEndsOf(chunk);
      if (chunk < position) ends &= ~uint64_t{0} << (position - chunk);
      if (ends != 0) {
        chunk_ = chunk;
        held_ = ends;
        return true;
      }
    }
    return false;
  }

  // Bytes past the fill are stale or padding: never line ends.
  uint64_t ValidBits(std::size_t chunk) const {
    return fill_ - chunk < kChunk ? (uint64_t{1} << (fill_ - chunk)) - 1 : ~uint64_t{0};
  }

  LineEndBytes Classify(std::size_t chunk) const {
    const LineEndBytes bits = Kernel::Classify(buffer_ + chunk);
    const uint64_t valid = ValidBits(chunk);
    return {bits.cr & valid, bits.lf & valid, bits.sub & valid};
  }

  // A bit for every CR, LF and Ctrl-Z byte of the chunk.
  uint64_t LineEndBytesOf(std::size_t chunk) const {
    const LineEndBytes bits = Classify(chunk);
    return bits.cr | bits.lf | bits.sub;
  }

  // A bit where a line of the chunk ends: a CR, an LF that no CR precedes
  // (the CR may be the last byte of the chunk before), a Ctrl-Z.
  uint64_t LineEndsOf(std::size_t chunk) const {
    const LineEndBytes bits = Classify(chunk);
    const uint64_t afterCr =
        (bits.cr << 1) | static_cast<uint64_t>(chunk > 0 && buffer_[chunk - 1] == kCarriageReturn);
    return bits.cr | bits.sub | (bits.lf & ~afterCr);
  }

  const char* buffer_ = nullptr;
  std::size_t fill_ = 0;
  std::size_t chunk_ = 0;
  uint64_t held_ = 0;  // line ends of the chunk at chunk_ not yet taken
};

#if defined(TORIDASU_SSE2_KERNELS)
using LineEndFinder = BasicLineEndFinder<Sse2LineBytes>;
#else
using LineEndFinder = BasicLineEndFinder<ScalarLineBytes>;
#endif

}  // namespace toridasu
