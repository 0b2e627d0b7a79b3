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
    const std::string drawing =
        GenerateEntities(choices.data(), choices.size()) + "\r\n0\r\nTEXT\r\n1\r\nA\x82\r\n";
    for (uint32_t readChunk : {0u, 1u, 61u, 64u, 67u, 128u}) {
      ASSERT_EQ(SkimMismatch(drawing, readChunk), "")
          << "round " << round << ", reads of " << readChunk;
    }
  }
}

}  // namespace
}  // namespace toridasu
