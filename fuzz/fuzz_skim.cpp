// The skim against the pair-by-pair walk: the same CSV bytes, answer, record
// count and failure line on any drawing; and every build of it that this processor runs against the
// plain walk of the drawing's lines, from starting points all over it. The first byte sets
// the size of the platform's reads (block edges); the next chooses between the raw bytes and a
// drawing built from the pieces at the readers' edges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "support/drawing_generator.h"

using namespace toridasu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint32_t readChunk = data[0] < 128 ? data[0] : 64u * (data[0] - 127u);
  const std::string drawing = data[1] % 2 == 0
                                  ? std::string(reinterpret_cast<const char*>(data) + 2, size - 2)
                                  : GenerateEntities(data + 2, size - 2);
  if (!SkimMismatch(drawing, readChunk).empty()) std::abort();
  // Starts up to 64 bytes apart, their steps varying with the bytes: every
  // alignment to the kernels' chunks comes up, and an input costs a few
  // walks of the drawing rather than one per byte.
  if (!SkimKernelsMismatch(drawing, 64).empty()) std::abort();
  return 0;
}
