// The builds of the skim (engine/pair_skim.h), for the tests and the
// benchmark that hold them against each other; SkimPairs takes the last of
// SkimKernels(). Kept apart from pair_skim.h, which the AVX2 build includes
// and which therefore names no library header.
#pragma once

#include <cstddef>
#include <span>

#include "engine/pair_skim.h"

namespace toridasu::internal {

struct SkimKernel {
  const char* name;
  SkimStop (*skim)(const char* block, std::size_t start, std::size_t fill);
};

// Every build compiled in that this processor runs, the plain one first.
std::span<const SkimKernel> SkimKernels();

SkimStop SkimPairsScalar(const char* block, std::size_t start, std::size_t fill);
// x86 builds only; the AVX2 one only where SkimHasAvx2() is true.
SkimStop SkimPairsSse2(const char* block, std::size_t start, std::size_t fill);
SkimStop SkimPairsAvx2(const char* block, std::size_t start, std::size_t fill);
bool SkimHasAvx2();

}  // namespace toridasu::internal
