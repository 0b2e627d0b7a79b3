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

}  // namespace
}  // namespace toridasu
