#include "engine/pair_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace toridasu {
namespace {

const char* const kName = "C:\\dwg\\plan.dxf";

TEST(PairReader, PeekLeavesThePairAndAPairCutShortGetsAnEmptyValue) {
  FakePlatform fake;
  fake.AddFile(kName, "10\r\n1.5\r\n0");
  DxfSource source(fake, 3);  // block edges inside both pairs
  source.Open(kName);
  PairReader reader(source);
  EXPECT_EQ(reader.Peek().code, 10);
  EXPECT_EQ(reader.Peek().value, "1.5");
  GroupPair pair = reader.Take();
  EXPECT_EQ(pair.code, 10);
  EXPECT_EQ(pair.value, "1.5");
  EXPECT_EQ(pair.line, 1u);
  EXPECT_FALSE(reader.AtEnd());
  pair = reader.Take();
  EXPECT_EQ(pair.code, 0);
  EXPECT_EQ(pair.value, "");
  EXPECT_EQ(pair.line, 3u);
  EXPECT_TRUE(reader.AtEnd());
  pair = reader.Take();  // at the end: two empty lines
  EXPECT_EQ(pair.code, -1);
  EXPECT_EQ(pair.value, "");
}

// Values of codes not kept read as empty, however long, and the pairs after
// them stay in step, with their line numbers, across block edges.
TEST(PairReader, PassesOverTheValuesItDoesNotKeep) {
  const std::string longValue(300, 'v');
  FakePlatform fake;
  fake.AddFile(kName, "5\r\n" + longValue + "\r\n1\r\nA\r\n999\r\nB\n0\rEOF\r\n");
  for (const std::size_t block : {1u, 7u, 64u, 65536u}) {
    DxfSource source(fake, block);
    source.Open(kName);
    PairReader reader(source);
    reader.KeepValuesOnlyOf({0, 1});
    const struct {
      int32_t code;
      const char* value;
      uint64_t line;
    } expected[] = {{5, "", 1}, {1, "A", 3}, {999, "", 5}, {0, "EOF", 7}, {-1, "", 9}};
    for (const auto& e : expected) {
      const GroupPair& pair = reader.Take();
      EXPECT_EQ(pair.code, e.code) << "block " << block << ", line " << e.line;
      EXPECT_EQ(pair.value, e.value) << "block " << block << ", line " << e.line;
      EXPECT_EQ(pair.line, e.line) << "block " << block;
    }
  }
}

}  // namespace
}  // namespace toridasu
