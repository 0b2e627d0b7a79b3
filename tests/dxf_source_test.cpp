#include "engine/dxf_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "support/code_page_932.h"
#include "support/fake_platform.h"

namespace toridasu {
namespace {

const char* const kName = "C:\\dwg\\plan.dxf";

// Every line of `bytes` until the end test holds, read through blocks of
// `blockSize` bytes (block edges fall inside lines and between CR and LF).
std::vector<std::string> LinesOf(const std::string& bytes, std::size_t blockSize) {
  FakePlatform fake;
  fake.AddFile(kName, bytes);
  DxfSource source(fake, blockSize);
  source.Open(kName);
  std::vector<std::string> lines;
  std::string line;
  while (!source.AtEnd()) {
    source.ReadLine(line);
    lines.push_back(line);
  }
  // Reading at the end is no failure: empty lines, and the end stays.
  source.ReadLine(line);
  EXPECT_EQ(line, "");
  EXPECT_TRUE(source.AtEnd());
  source.Close();
  return lines;
}

struct LineCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"CR LF", "0\r\nTEXT\r\n", {"0", "TEXT"}},
    {"lone CR", "0\rTEXT\r", {"0", "TEXT"}},
    {"lone LF also ends a line", "0\nTEXT\n", {"0", "TEXT"}},
    {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
    {"last line without an end", "0\r\nEOF", {"0", "EOF"}},
    {"CR LF CR LF gives one empty line", "a\r\n\r\n", {"a", ""}},
    {"Ctrl-Z inside a line ends the file",
     "ab\x1A"
     "cd\r\nef\r\n",
     {"ab"}},
    {"Ctrl-Z at a line start", "a\r\n\x1A\r\nb", {"a"}},
    {"empty file", "", {}},
    {"bytes pass unchanged",
     std::string(" \t\0\x95\x5C \r\n", 7),
     {std::string(" \t\0\x95\x5C ", 6)}},
    {"long line", std::string(1000, 'x') + "\r\ny", {std::string(1000, 'x'), "y"}},
};

TEST(DxfSource, LineEndsAndTheEndOfTheDrawing) {
  for (const LineCase& c : kLineCases) {
    for (std::size_t block : {1u, 2u, 3u, 7u, 128u, 65536u}) {
      EXPECT_EQ(LinesOf(c.bytes, block), c.lines) << c.what << ", block " << block;
    }
  }
}

TEST(DxfSource, AGroupPairCutShortGetsEmptyTexts) {
  FakePlatform fake;
  fake.AddFile(kName, "0");
  DxfSource source(fake);
  source.Open(kName);
  GroupPair pair{"old", "old"};
  ReadGroupPair(source, pair);
  EXPECT_EQ(pair.code, "0");
  EXPECT_EQ(pair.value, "");
  ReadGroupPair(source, pair);
  EXPECT_EQ(pair.code, "");
  EXPECT_EQ(pair.value, "");
}

TEST(DxfSource, CountsLines) {
  FakePlatform fake;
  fake.AddFile(kName, "a\r\nb\nc\rd");
  DxfSource source(fake, 2);
  source.Open(kName);
  std::string line;
  for (uint64_t expected = 1; expected <= 4; ++expected) {
    EXPECT_EQ(source.NextLineNumber(), expected);
    source.ReadLine(line);
  }
}

TEST(DxfSource, OpenAndCloseFailures) {
  FakePlatform fake;
  fake.AddFile(kName, "0\r\n");
  struct Case {
    std::string name;
    int32_t code;
  } cases[] = {
      {"C:\\dwg\\missing.dxf", 2},
      {"C:\\" + std::string(257, 'a'), 3},  // 260 bytes: refused, never cut short
      {std::string("C:\\dwg\\plan.dxf\0.txt", 19), 123},
      {"", 123},
  };
  for (const Case& c : cases) {
    DxfSource source(fake);
    try {
      source.Open(c.name);
      ADD_FAILURE() << c.name;
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_FALSE(source.IsOpen());
  }
  // 259 bytes are still a name.
  const std::string longest = "C:\\" + std::string(256, 'a');
  fake.AddFile(longest, "");
  DxfSource longSource(fake);
  EXPECT_NO_THROW(longSource.Open(longest));

  DxfSource source(fake);
  fake.openForReadingError = 32;
  try {
    source.Open(kName);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 32);
  }
  fake.openForReadingError = 0;
  try {
    source.Close();
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 103);
  }
  source.Open(kName);
  fake.closeError = 6;
  EXPECT_THROW(source.Close(), EInOutError);
  EXPECT_FALSE(source.IsOpen());  // closed all the same
}

TEST(DxfSource, ReadFailuresRaiseExceptBrokenPipe) {
  FakePlatform fake;
  fake.AddFile(kName, "0\r\nTEXT\r\n");
  fake.failReadNumber = 1;
  fake.readError = 23;
  DxfSource source(fake);
  source.Open(kName);
  std::string line;
  try {
    source.ReadLine(line);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Code(), 23);
  }

  FakePlatform pipe;
  pipe.AddFile(kName, "0\r\nTEXT\r\n");
  pipe.failReadNumber = 1;
  pipe.readError = 109;
  DxfSource piped(pipe);
  piped.Open(kName);
  EXPECT_TRUE(piped.AtEnd());
}

struct MarkerCase {
  std::string value;
  const char* marker;
  bool found;
};

const MarkerCase kMarkerCases[] = {
    {"TEXT", "TEXT", true},
    {"text", "TEXT", true},
    {"MText", "TEXT", true},
    {"CONTEXT", "TEXT", true},
    {"TEX", "TEXT", false},
    {"T EXT", "TEXT", false},
    {"eof", "EOF", true},
    {"", "EOF", false},
    {std::string("A\0EOF", 5), "EOF", false},  // the text ends at its NUL
    {"\x83\x54"
     "EXT",
     "TEXT", false},                 // サEXT: T is a second byte
    {"\x83\x54TEXT", "TEXT", true},  // サTEXT
    {"\x81\x81TEXT", "TEXT", true},  // a trail byte in the lead ranges
    {"entities", "ENTITIES", true},
    {"\x82\x60"
     "ENTITIES",
     "ENTITIES", true},
};

TEST(ContainsMarker, FindsTheWordInAnyCaseOutsideDoubleByteCharacters) {
  UseCodePage932();
  for (const MarkerCase& c : kMarkerCases) {
    EXPECT_EQ(ContainsMarker(c.value, c.marker), c.found) << c.value << " / " << c.marker;
  }
}

TEST(ContainsMarker, WithoutDoubleByteSupportEveryOccurrenceCounts) {
  UseSingleByteSystem();
  EXPECT_TRUE(
      ContainsMarker("\x83\x54"
                     "EXT",
                     "TEXT"));
  UseCodePage932();
}

// A text entity's groups as the reader meets them.
struct EntityResult {
  double x, y, z;
  std::string text;
  std::string lastCode, lastValue;
};

EntityResult ReadEntityFrom(const std::string& bytes) {
  FakePlatform fake;
  fake.AddFile(kName, bytes);
  DxfSource source(fake);
  source.Open(kName);
  TextEntity entity{9, 9, 9, "stale"};
  GroupPair pair{"unread", "unread"};
  ReadTextEntity(source, entity, pair);
  return {entity.x, entity.y, entity.z, entity.text, pair.code, pair.value};
}

TEST(ReadTextEntity, KeepsCoordinatesAndTextUpToTheNextType) {
  struct Case {
    const char* what;
    std::string bytes;
    EntityResult expected;
  } cases[] = {
      {"the worked example",
       "10\r\n1.5\r\n20\r\n2\r\n30\r\n\r\n1\r\nABC\r\n0\r\nTEXT\r\n",
       {1.5, 2, 0, "ABC", "0", "TEXT"}},
      {"a later text replaces", "1\r\nA\r\n1\r\nB\r\n0\r\nX\r\n", {0, 0, 0, "B", "0", "X"}},
      {"an empty text changes nothing", "1\r\nA\r\n1\r\n\r\n0\r\nX\r\n", {0, 0, 0, "A", "0", "X"}},
      {"an invalid coordinate gives 0",
       "10\r\n5\r\n10\r\nabc\r\n0\r\nX\r\n",
       {0, 0, 0, "", "0", "X"}},
      {"other groups change nothing",
       "11\r\n1\r\n21\r\n2\r\n31\r\n3\r\n3\r\nmore\r\n7\r\nSTD\r\n10\r\n4\r\n0\r\nX\r\n",
       {4, 0, 0, "", "0", "X"}},
      {"spaces of a text are kept", "1\r\n  a b  \r\n0\r\nX\r\n", {0, 0, 0, "  a b  ", "0", "X"}},
      {"1E400 ends the entity at that pair",
       "10\r\n7\r\n10\r\n1E400\r\n1\r\nlost\r\n0\r\nX\r\n",
       {7, 0, 0, "", "10", "1E400"}},
      {"the source ends first", "10\r\n2\r\n1\r\nend", {2, 0, 0, "end", "1", "end"}},
      {"a letter in the code position ends it",
       "1\r\nA\r\nJUNK\r\nB\r\n1\r\nC\r\n",
       {0, 0, 0, "A", "JUNK", "B"}},
      {"at the end already", "", {0, 0, 0, "", "unread", "unread"}},
  };
  for (const auto& c : cases) {
    const EntityResult r = ReadEntityFrom(c.bytes);
    EXPECT_EQ(r.x, c.expected.x) << c.what;
    EXPECT_EQ(r.y, c.expected.y) << c.what;
    EXPECT_EQ(r.z, c.expected.z) << c.what;
    EXPECT_EQ(r.text, c.expected.text) << c.what;
    EXPECT_EQ(r.lastCode, c.expected.lastCode) << c.what;
    EXPECT_EQ(r.lastValue, c.expected.lastValue) << c.what;
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
  TextEntity entity;
  GroupPair pair;
  EXPECT_NO_THROW(ReadTextEntity(source, entity, pair));
  EXPECT_EQ(entity.text, "A");
  EXPECT_EQ(entity.x, 0.0);
}

}  // namespace
}  // namespace toridasu
