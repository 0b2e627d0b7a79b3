// The skim's loop over a block, shared by the builds for each instruction set
// (pair_skim_scalar.cpp, pair_skim_sse2.cpp, pair_skim_avx2.cpp). Everything here has internal
// linkage, so that no function compiled for one instruction set is ever called on a processor that
// lacks it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/pair_skim.h"

namespace toridasu {
namespace {  // NOLINT: one copy per instruction set, on purpose

// Bit i of each map stands for the byte at chunk + i.
struct ChunkMasks {
  uint64_t cr = 0;
  uint64_t lf = 0;
  uint64_t sub = 0;         // Ctrl-Z
  uint64_t candidates = 0;  // where "TEXT" or "EOF" starts, in either letter case
};

// The last line start before `position` and after `start`, or `start`: the
// same rule as the bitmaps (after an LF, or after a CR that no LF follows),
// byte by byte backwards. Only needed where the skim stops, so the chunks
// need not keep track of where their lines begin.
inline std::size_t LineStartBefore(const char* block, std::size_t start, std::size_t position) {
  for (std::size_t q = position; q-- > start + 1;) {
    const char before = block[q - 1];
    if (before == '\n' || (before == '\r' && block[q] != '\n')) return q;
  }
  return start;
}

// `Chunk` gives Classify(const char*, ChunkMasks&) and Popcount(uint64_t).
template <class Chunk>
SkimStop SkimLoop(const char* block, std::size_t start, std::size_t fill) {
  std::size_t chunk = start & ~std::size_t{63};
  uint64_t count = 0;  // line starts passed: the index of the current line
  uint64_t prevLf = chunk > 0 && block[chunk - 1] == '\n';
  uint64_t prevCr = chunk > 0 && block[chunk - 1] == '\r';
  for (; chunk < fill; chunk += 64) {
    ChunkMasks m;
    Chunk::Classify(block + chunk, m);
    const std::size_t room = fill - chunk;
    const uint64_t valid = room >= 64 ? ~uint64_t{0} : (uint64_t{1} << room) - 1;
    const std::size_t skip = chunk < start ? start - chunk : 0;
    const uint64_t from = ~uint64_t{0} << skip;  // positions at or after the start
    // Positions after the start (in the first chunk, which holds it).
    const uint64_t after = chunk > start ? ~uint64_t{0} : skip == 63 ? 0 : from << 1;
    // A line starts after an LF, and after a CR that no LF follows. The
    // start's own line is line 0, so only starts after it count; a start at
    // the fill is left to the exact reading (the CR's LF may come next).
    const uint64_t starts =
        (((m.lf << 1) | prevLf) | (((m.cr << 1) | prevCr) & ~m.lf)) & valid & after;
    prevLf = m.lf >> 63;
    prevCr = m.cr >> 63;
    uint64_t events = (m.candidates | m.sub) & valid & from;
    while (events != 0) {
      const int bit = __builtin_ctzll(events);
      const uint64_t upTo = bit == 63 ? ~uint64_t{0} : (uint64_t{2} << bit) - 1;
      const uint64_t index = count + Chunk::Popcount(starts & upTo);
      if ((index & 1) != 0 || ((m.sub >> bit) & 1) != 0) {
        // Back to the start of the event's line, and in a value line on to
        // the start of its code line.
        std::size_t position = LineStartBefore(block, start, chunk + bit + 1);
        if ((index & 1) != 0) position = LineStartBefore(block, start, position);
        return {position, index & ~uint64_t{1}};
      }
      events &= events - 1;  // in a code line: no marker is looked for there
    }
    count += Chunk::Popcount(starts);
  }
  // The last pair that begins in the block: its code line is the current line
  // (an even count) or the one before it.
  std::size_t position = LineStartBefore(block, start, fill);
  if ((count & 1) != 0) position = LineStartBefore(block, start, position);
  return {position, count & ~uint64_t{1}};
}

}  // namespace
}  // namespace toridasu
