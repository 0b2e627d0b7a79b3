// The skim with SSE2, which every x86 build has, and the test for AVX2,
// which the processor may have.
#include <emmintrin.h>

#include "engine/pair_skim_kernels.h"
#include "engine/pair_skim_loop.h"

namespace toridasu {

namespace {

struct Sse2Chunk {
  static uint32_t Mask(__m128i bytes) { return static_cast<uint32_t>(_mm_movemask_epi8(bytes)); }
  static __m128i Is(__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); }

  static void Classify(const char* p, ChunkMasks& m) {
    const __m128i lower = _mm_set1_epi8(0x20);
    for (int part = 0; part < 4; ++part) {
      const char* q = p + 16 * part;
      const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
      // Setting bit 5 folds exactly the two cases of a letter, nothing else
      // onto the lower-case letters looked for.
      const __m128i l0 = _mm_or_si128(b0, lower);
      const __m128i l1 =
          _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 1)), lower);
      const __m128i l2 =
          _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 2)), lower);
      const __m128i l3 =
          _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(q + 3)), lower);
      const __m128i text = _mm_and_si128(_mm_and_si128(Is(l0, 't'), Is(l1, 'e')),
                                         _mm_and_si128(Is(l2, 'x'), Is(l3, 't')));
      const __m128i eof = _mm_and_si128(_mm_and_si128(Is(l0, 'e'), Is(l1, 'o')), Is(l2, 'f'));
      const int shift = 16 * part;
      m.cr |= uint64_t{Mask(Is(b0, '\r'))} << shift;
      m.lf |= uint64_t{Mask(Is(b0, '\n'))} << shift;
      m.sub |= uint64_t{Mask(Is(b0, '\x1A'))} << shift;
      m.candidates |= uint64_t{Mask(_mm_or_si128(text, eof))} << shift;
    }
  }

  // Without relying on a popcount instruction, which SSE2 processors may lack.
  static uint64_t Popcount(uint64_t bits) {
    bits = bits - ((bits >> 1) & 0x5555555555555555u);
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return (bits * 0x0101010101010101u) >> 56;
  }
};

}  // namespace

namespace internal {

SkimStop SkimPairsSse2(const char* block, std::size_t start, std::size_t fill) {
  return SkimLoop<Sse2Chunk>(block, start, fill);
}

#if defined(TORIDASU_AVX2_SKIM)
bool SkimHasAvx2() {
  static const bool has = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
  }();
  return has;
}
#endif

}  // namespace internal

}  // namespace toridasu
