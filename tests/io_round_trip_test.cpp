// Both conversions from any byte source into any sink: a drawing in memory
// or on standard input gives the bytes that the same drawing gives from a
// file, and a failed conversion leaves no output in memory either.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "engine/conversion_job.h"
#include "engine/exact_csv_sink.h"
#include "full/full_conversion.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "io/standard_streams.h"
#include "support/fake_platform.h"
#include "support/full_drawing.h"

namespace toridasu {
namespace {

struct Result {
  bool converted = false;
  std::string bytes;
  FailureKind failure = FailureKind::kOther;
};

// One conversion of `source` into `out`, in the mode the case asks for.
using Conversion = std::function<Result(ByteSource& source, ByteSink& out, Platform& platform)>;

Conversion Exact(ExactCsvChoice choice) {
  return [choice](ByteSource& source, ByteSink& out, Platform& platform) {
    ExactCsvSink sink(out, choice);
    ConversionStats stats;
    Result result;
    result.converted = ConvertDxf(source, sink, LocaleContext(platform), &stats);
    if (stats.failure) result.failure = stats.failure->kind;
    return result;
  };
}

Conversion Full(full::FullOptions options) {
  return [options](ByteSource& source, ByteSink& out, Platform& platform) {
    full::CsvRecordSink sink(out, options.output, '.');
    full::FullStats stats;
    Result result;
    result.converted = full::ConvertFull(source, sink, LocaleContext(platform), options, &stats);
    if (stats.failure) result.failure = stats.failure->kind;
    return result;
  };
}

TEST(SourcesAndSinks, MemoryAndStandardInputGiveTheBytesOfFiles) {
  const std::string texts =
      full::Entities("0|TEXT|10|1.5|20|-2|1|\x95\xB6\x8E\x9A \"q\"|0|MTEXT|10|3|20|4|1|a\\Pb");
  full::FullOptions shiftJis;
  full::FullOptions utf8 = full::Utf8("x,y,text,type");
  utf8.output.bom = true;
  const struct Case {
    const char* what;
    std::string drawing;
    Conversion convert;
    bool converts;
    FailureKind failure;
  } cases[] = {
      {"exact, Shift-JIS", texts, Exact({}), true, {}},
      {"exact, UTF-8 with a byte-order mark", texts, Exact({'.', true, true, false}), true, {}},
      {"full, Shift-JIS", texts, Full(shiftJis), true, {}},
      {"full, UTF-8", texts, Full(utf8), true, {}},
      {"exact, a text ending in a lead byte", full::Entities("0|TEXT|1|A\x82"), Exact({}), false,
       FailureKind::kUnfinishedCharacter},
      {"exact, UTF-8 of bytes code page 932 lacks", full::Entities("0|TEXT|1|\x85\x40"),
       Exact({'.', true, false, false}), false, FailureKind::kNotCodePage932},
      {"full, a character Shift-JIS lacks", full::Entities("0|TEXT|1|caf\\U+00E9"), Full(shiftJis),
       false, FailureKind::kUnencodable},
  };
  const std::string stdinFile = ::testing::TempDir() + "toridasu-stdin.dxf";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePlatform fake;
    fake.AddFile("in.dxf", c.drawing);
    FileSource file(fake);
    ASSERT_EQ(file.Open("in.dxf"), 0u);
    FileSink fileOut(fake, "out.csv");
    const Result fromFile = c.convert(file, fileOut, fake);
    const Result fromFileBytes{fromFile.converted, fake.Contents("out.csv"), fromFile.failure};

    MemorySource memory(c.drawing);
    MemorySink memoryOut;
    Result fromMemory = c.convert(memory, memoryOut, fake);
    fromMemory.bytes = memoryOut.Bytes();

    std::FILE* written = std::fopen(stdinFile.c_str(), "wb");
    ASSERT_NE(written, nullptr);
    std::fwrite(c.drawing.data(), 1, c.drawing.size(), written);
    std::fclose(written);
    ASSERT_NE(std::freopen(stdinFile.c_str(), "rb", stdin), nullptr);
    StandardInputSource standardInput;
    MemorySink stdinOut;
    Result fromStdin = c.convert(standardInput, stdinOut, fake);
    fromStdin.bytes = stdinOut.Bytes();

    EXPECT_EQ(fromFileBytes.converted, c.converts);
    if (c.converts) {
      EXPECT_NE(fromFileBytes.bytes.find("\r\n"), std::string::npos);
    } else {
      EXPECT_EQ(fromFileBytes.failure, c.failure);
      EXPECT_FALSE(fake.Exists("out.csv"));
    }
    for (const Result* other : {&fromMemory, &fromStdin}) {
      EXPECT_EQ(other->converted, fromFileBytes.converted);
      EXPECT_EQ(other->bytes, fromFileBytes.bytes);
      EXPECT_EQ(other->failure, fromFileBytes.failure);
    }
    EXPECT_EQ(fake.OpenHandleCount(), 0);
  }
  std::remove(stdinFile.c_str());
}

}  // namespace
}  // namespace toridasu
