#include "engine/text_entity.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"

namespace toridasu {
namespace {

const char* const kName = "C:\\dwg\\plan.dxf";

// A text entity's groups as the reader meets them.
struct EntityResult {
  std::string x, y, z;  // as the record writes them
  std::string text;
  int32_t nextCode;  // of the pair left waiting (-1: at the end)
  std::string nextValue;
};

std::string Text(const RecordCoordinate& coordinate) {
  char text[kMaxRealText];
  return std::string(text, coordinate.Format('.', text));
}

// `readChunk` bytes a read: lines across block edges reach the entity
// through the reader's spill.
EntityResult ReadEntityFrom(const std::string& bytes, uint32_t readChunk) {
  FakePlatform fake;
  fake.AddFile(kName, bytes);
  fake.readChunk = readChunk;
  DxfSource source(fake);
  source.Open(kName);
  PairReader reader(source);
  TextEntity entity;
  entity.x.Set(9);
  entity.y.Set(9);
  entity.z.Set(9);
  entity.textLine = 9;
  entity.text.assign("stale");
  ReadTextEntity(reader, entity);
  const GroupPair next = reader.Take();
  return {Text(entity.x), Text(entity.y),         Text(entity.z), std::string(entity.text.View()),
          next.code,      std::string(next.value)};
}

TEST(ReadTextEntity, KeepsCoordinatesAndTextUpToTheNextType) {
  struct Case {
    const char* what;
    std::string bytes;
    EntityResult expected;
  } cases[] = {
      {"the worked example",
       "10\r\n1.5\r\n20\r\n2\r\n30\r\n\r\n1\r\nABC\r\n0\r\nTEXT\r\n",
       {"1.5", "2", "0", "ABC", 0, "TEXT"}},
      {"a later text replaces", "1\r\nA\r\n1\r\nB\r\n0\r\nX\r\n", {"0", "0", "0", "B", 0, "X"}},
      {"an empty text changes nothing",
       "1\r\nA\r\n1\r\n\r\n0\r\nX\r\n",
       {"0", "0", "0", "A", 0, "X"}},
      {"empty coordinates change nothing",
       "10\r\n5\r\n20\r\n7\r\n10\r\n\r\n20\r\n\r\n0\r\nX\r\n",
       {"5", "7", "0", "", 0, "X"}},
      {"after group 101 the point stays and is not parsed",
       "10\r\n1\r\n20\r\n2\r\n30\r\n3\r\n101\r\nEmbedded Object\r\n10\r\n1\r\n20\r\n0\r\n"
       "30\r\n1E400\r\n1\r\nkept\r\n0\r\nX\r\n",
       {"1", "2", "3", "kept", 0, "X"}},
      {"an invalid coordinate gives 0",
       "10\r\n5\r\n10\r\nabc\r\n0\r\nX\r\n",
       {"0", "0", "0", "", 0, "X"}},
      {"other groups change nothing",
       "11\r\n1\r\n21\r\n2\r\n31\r\n3\r\n3\r\nmore\r\n7\r\nSTD\r\n10\r\n4\r\n0\r\nX\r\n",
       {"4", "0", "0", "", 0, "X"}},
      {"spaces of a text are kept",
       "1\r\n  a b  \r\n0\r\nX\r\n",
       {"0", "0", "0", "  a b  ", 0, "X"}},
      {"1E400 ends the entity after that pair",
       "10\r\n7\r\n10\r\n1E400\r\n1\r\nlost\r\n0\r\nX\r\n",
       {"7", "0", "0", "", 1, "lost"}},
      {"the source ends first", "10\r\n2\r\n1\r\nend", {"2", "0", "0", "end", -1, ""}},
      {"a letter in the code position ends it",
       "1\r\nA\r\nJUNK\r\nB\r\n1\r\nC\r\n",
       {"0", "0", "0", "A", 0, "B"}},
      {"at the end already", "", {"0", "0", "0", "", -1, ""}},
  };
  for (const auto& c : cases) {
    for (uint32_t readChunk : {0u, 3u}) {
      const EntityResult r = ReadEntityFrom(c.bytes, readChunk);
      EXPECT_EQ(r.x, c.expected.x) << c.what << ", reads of " << readChunk;
      EXPECT_EQ(r.y, c.expected.y) << c.what << ", reads of " << readChunk;
      EXPECT_EQ(r.z, c.expected.z) << c.what << ", reads of " << readChunk;
      EXPECT_EQ(r.text, c.expected.text) << c.what << ", reads of " << readChunk;
      EXPECT_EQ(r.nextCode, c.expected.nextCode) << c.what << ", reads of " << readChunk;
      EXPECT_EQ(r.nextValue, c.expected.nextValue) << c.what << ", reads of " << readChunk;
    }
  }
}

TEST(ReadTextEntity, AReadFailureEndsTheEntityQuietly) {
  FakePlatform fake;
  fake.AddFile(kName, "1\r\nA\r\n10\r\n3\r\n0\r\nX\r\n");
  fake.readChunk = 6;  // the second block read fails
  fake.failReadNumber = 2;
  fake.readError = 23;
  DxfSource source(fake, 6);
  source.Open(kName);
  PairReader reader(source);
  TextEntity entity;
  EXPECT_NO_THROW(ReadTextEntity(reader, entity));
  EXPECT_EQ(entity.text.View(), "A");
  EXPECT_EQ(Text(entity.x), "0");
}

}  // namespace
}  // namespace toridasu
