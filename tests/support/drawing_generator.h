// Drawings made of the pieces that test the readers at their edges: every
// line end (CR LF, lone CR, lone LF, CR CR LF), Ctrl-Z, type lines that hold
// "TEXT" or "EOF" in either case or after a lead byte, code lines that read
// as 0 in odd ways, values out of range, cut files. Each byte of `choices`
// picks the next piece, so a fuzzer can steer the drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace toridasu {

std::string GenerateDrawing(const uint8_t* choices, std::size_t count);

// The same pieces after the opening of the entities section, so that a walk
// of the drawing meets them all.
std::string GenerateEntities(const uint8_t* choices, std::size_t count);

// Converts `drawing` twice, skimming and reading every pair, with reads of
// at most `readChunk` bytes (block edges everywhere); empty when the CSV
// bytes, the answer, the record count and any failure agree, else what differs.
std::string SkimMismatch(const std::string& drawing, uint32_t readChunk);

// Every build of the skim that this processor runs on `drawing` as a padded
// block, from starts `1 + start % spread` apart, against the plain walk of
// its lines: empty when every stop and count of line ends agree, else the
// first that differs.
std::string SkimKernelsMismatch(const std::string& drawing, std::size_t spread);

}  // namespace toridasu
