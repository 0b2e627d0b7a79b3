// The skim and the pair-by-pair walk give the same output on drawings made of
// the pieces at the readers' edges, with block edges everywhere.
#include "engine/pair_skim.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "support/drawing_generator.h"

namespace toridasu {
namespace {

TEST(PairSkim, GivesWhatThePairByPairWalkGives) {
  std::mt19937 random(12);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 3000; ++round) {
    std::vector<uint8_t> choices(1 + round % 97);
    for (uint8_t& c : choices) c = static_cast<uint8_t>(byte(random));
    // The entities section starts the drawing, so that the walk meets it all;
    // a text that cannot be written ends it, so that the failure's line
    // number checks the count of lines.
    const std::string drawing = "0\r\nSECTION\r\n2\r\nENTITIES\r\n" +
                                GenerateDrawing(choices.data(), choices.size()) +
                                "\r\n0\r\nTEXT\r\n1\r\nA\x82\r\n";
    for (uint32_t readChunk : {0u, 1u, 61u, 64u, 67u, 128u}) {
      ASSERT_EQ(SkimMismatch(drawing, readChunk), "")
          << "round " << round << ", reads of " << readChunk;
    }
  }
}

// Both builds of the skim stop at the same place on every block, from many a
// starting point; the conversions above use only the one this processor takes.
TEST(PairSkim, BothInstructionSetsAgree) {
  if (!internal::SkimHasAvx2()) GTEST_SKIP() << "no AVX2 here";
  std::mt19937 random(34);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> choices(1 + round % 89);
    for (uint8_t& c : choices) c = static_cast<uint8_t>(byte(random));
    std::string block = GenerateDrawing(choices.data(), choices.size());
    const std::size_t fill = block.size();
    block.append(kSkimPadding, 'T');  // padding that would match if it were read
    for (std::size_t start = 0; start < fill; start += 1 + start % 7) {
      const SkimStop sse2 = internal::SkimPairsSse2(block.data(), start, fill);
      const SkimStop avx2 = internal::SkimPairsAvx2(block.data(), start, fill);
      ASSERT_EQ(sse2.position, avx2.position) << "round " << round << ", start " << start;
      ASSERT_EQ(sse2.lineEnds, avx2.lineEnds) << "round " << round << ", start " << start;
    }
  }
}

}  // namespace
}  // namespace toridasu
