// The skim in plain code: on every target without SSE2, and as the reference
// that the vector builds are held against.
#include <bit>

#include "engine/byte_bits_scalar.h"
#include "engine/pair_skim_kernels.h"
#include "engine/pair_skim_loop.h"

namespace toridasu {
namespace {

struct ScalarChunk {
  static void Classify(const char* p, ChunkMasks& m) {
    using namespace scalar_bits;
    constexpr uint64_t kLower = 0x2020202020202020u;
    for (int word = 0; word < 8; ++word) {
      const char* q = p + 8 * word;
      const uint64_t b0 = Load8(q);
      // Setting bit 5 folds exactly the two cases of a letter, nothing else
      // onto the lower-case letters looked for.
      const uint64_t l0 = b0 | kLower;
      const uint64_t l1 = Load8(q + 1) | kLower;
      const uint64_t l2 = Load8(q + 2) | kLower;
      const uint64_t l3 = Load8(q + 3) | kLower;
      const uint64_t e = EqualBytes(l0, 'e') & EqualBytes(l1, 'o') & EqualBytes(l2, 'f');
      const uint64_t t =
          EqualBytes(l0, 't') & EqualBytes(l1, 'e') & EqualBytes(l2, 'x') & EqualBytes(l3, 't');
      const int shift = 8 * word;
      m.cr |= Gather(EqualBytes(b0, '\r')) << shift;
      m.lf |= Gather(EqualBytes(b0, '\n')) << shift;
      m.sub |= Gather(EqualBytes(b0, '\x1A')) << shift;
      m.candidates |= Gather(t | e) << shift;
    }
  }

  static uint64_t Popcount(uint64_t bits) { return static_cast<uint64_t>(std::popcount(bits)); }
};

}  // namespace

namespace internal {

SkimStop SkimPairsScalar(const char* block, std::size_t start, std::size_t fill) {
  return SkimLoop<ScalarChunk>(block, start, fill);
}

}  // namespace internal

}  // namespace toridasu
