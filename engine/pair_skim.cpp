// The builds of the skim this program holds, and the choice among them, made
// once: on x86 SSE2, or AVX2 where the processor has it; SSE2 on
// WebAssembly's vectors; plain code elsewhere.
#include "engine/pair_skim_kernels.h"

namespace toridasu {

namespace internal {

std::span<const SkimKernel> SkimKernels() {
#if defined(TORIDASU_AVX2_SKIM)
  static const SkimKernel kernels[] = {
      {"scalar", &SkimPairsScalar}, {"sse2", &SkimPairsSse2}, {"avx2", &SkimPairsAvx2}};
  return {kernels, SkimHasAvx2() ? 3u : 2u};
#elif defined(TORIDASU_SSE2_KERNELS)
  static const SkimKernel kernels[] = {{"scalar", &SkimPairsScalar}, {"sse2", &SkimPairsSse2}};
  return kernels;
#else
  static const SkimKernel kernels[] = {{"scalar", &SkimPairsScalar}};
  return kernels;
#endif
}

}  // namespace internal

SkimStop SkimPairs(const char* block, std::size_t start, std::size_t fill) {
  static const auto skim = internal::SkimKernels().back().skim;
  return skim(block, start, fill);
}

}  // namespace toridasu
