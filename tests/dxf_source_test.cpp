#include "engine/dxf_source.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
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
  ByteBuffer spill;
  while (!source.AtEnd()) lines.emplace_back(source.ReadLineView(spill));
  // Reading at the end is no failure: empty lines, and the end stays.
  EXPECT_EQ(source.ReadLineView(spill), "");
  EXPECT_TRUE(source.AtEnd());
  source.Close();
  return lines;
}

struct LineCase {
  const char* what;
  std::string bytes;
  std::vector<std::string> lines;
};

// Lines of every length from 1 to 130 with the three line ends in turn, so
// that CR, LF and CR LF fall on every place of a 64-byte chunk and across
// its edges.
LineCase EveryPlaceInAChunk() {
  LineCase c{"line ends at every place in a chunk", "", {}};
  const char* const ends[] = {"\r\n", "\r", "\n"};
  for (std::size_t length = 1; length <= 130; ++length) {
    c.lines.emplace_back(length, static_cast<char>('a' + length % 26));
    c.bytes += c.lines.back() + ends[length % 3];
  }
  return c;
}

const LineCase kLineCases[] = {
    EveryPlaceInAChunk(),
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
    for (std::size_t block : {1u, 2u, 3u, 7u, 128u, 200u, 65536u}) {
      EXPECT_EQ(LinesOf(c.bytes, block), c.lines) << c.what << ", block " << block;
    }
  }
}

TEST(DxfSource, CountsLines) {
  FakePlatform fake;
  fake.AddFile(kName, "a\r\nb\nc\rd");
  DxfSource source(fake, 2);
  source.Open(kName);
  ByteBuffer spill;
  for (uint64_t expected = 1; expected <= 4; ++expected) {
    EXPECT_EQ(source.NextLineNumber(), expected);
    source.ReadLineView(spill);
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
  ByteBuffer spill;
  try {
    source.ReadLineView(spill);
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

}  // namespace
}  // namespace toridasu
