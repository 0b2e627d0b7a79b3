// The skim with AVX2 (this file alone is compiled for it). It includes no
// library header: every function compiled here has internal linkage but the
// one entry point, which is only called where the processor has AVX2.
#include <immintrin.h>

#include "engine/pair_skim_loop.h"

namespace toridasu {
namespace {

struct Avx2Chunk {
  static uint32_t Mask(__m256i bytes) { return static_cast<uint32_t>(_mm256_movemask_epi8(bytes)); }
  static __m256i Is(__m256i bytes, char c) { return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c)); }
  static __m256i Load(const char* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
  }

  static void Classify(const char* p, ChunkMasks& m) {
    const __m256i lower = _mm256_set1_epi8(0x20);
    for (int part = 0; part < 2; ++part) {
      const char* q = p + 32 * part;
      const __m256i b0 = Load(q);
      const __m256i l0 = _mm256_or_si256(b0, lower);
      const __m256i l1 = _mm256_or_si256(Load(q + 1), lower);
      const __m256i l2 = _mm256_or_si256(Load(q + 2), lower);
      const __m256i l3 = _mm256_or_si256(Load(q + 3), lower);
      const __m256i text = _mm256_and_si256(_mm256_and_si256(Is(l0, 't'), Is(l1, 'e')),
                                            _mm256_and_si256(Is(l2, 'x'), Is(l3, 't')));
      const __m256i eof = _mm256_and_si256(_mm256_and_si256(Is(l0, 'e'), Is(l1, 'o')), Is(l2, 'f'));
      const int shift = 32 * part;
      m.cr |= uint64_t{Mask(Is(b0, '\r'))} << shift;
      m.lf |= uint64_t{Mask(Is(b0, '\n'))} << shift;
      m.sub |= uint64_t{Mask(Is(b0, '\x1A'))} << shift;
      m.candidates |= uint64_t{Mask(_mm256_or_si256(text, eof))} << shift;
    }
  }

  static uint64_t Popcount(uint64_t bits) {
    return static_cast<uint64_t>(__builtin_popcountll(bits));
  }
};

}  // namespace

namespace internal {

SkimStop SkimPairsAvx2(const char* block, std::size_t start, std::size_t fill) {
  return SkimLoop<Avx2Chunk>(block, start, fill);
}

}  // namespace internal

}  // namespace toridasu
