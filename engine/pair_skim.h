// Passing over the pairs of a block that the entity walk would read and drop.
//
// Outside a text entity the walk acts only on a type pair whose value,
// upper-cased, contains "TEXT" or "EOF" at a character boundary. Such a match
// is made of single-byte letters (no other byte of the code page folds to T,
// E, X, O or F), so a value line without either word in either letter case
// can be passed over unseen. The skim classifies the block 64 bytes at a time
// into bitmaps (line starts, places where "TEXT" or "EOF" start, Ctrl-Z
// bytes), counts lines by popcount to tell code lines from value lines, and
// stops only at a pair whose value line holds a candidate or that holds a
// Ctrl-Z; the exact tests run there, pair by pair.
#pragma once

#include <cstddef>
#include <cstdint>

namespace toridasu {

// Bytes a block must hold readable past its fill (never matched).
constexpr std::size_t kSkimPadding = 128;

struct SkimStop {
  std::size_t position;  // the start of a code line: where pair-by-pair reading resumes
  uint64_t lineEnds;     // line ends between the start and `position` (an even number)
};

// Scans the bytes [start, fill) of a block, where `start` begins a code line
// and the byte before it is not a CR whose LF may follow. Stops at the code
// line of the first pair that needs the exact tests: one whose value line
// holds a candidate, or that holds a Ctrl-Z; else at the code line of the
// last pair that begins in the block, since its lines may go on in the next.
// A CR as the block's last byte is never taken as a complete line end.
SkimStop SkimPairs(const char* block, std::size_t start, std::size_t fill);

}  // namespace toridasu
