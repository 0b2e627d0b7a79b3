#include "engine/conversion_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/errors.h"
#include "engine/csv_record.h"
#include "support/fake_platform.h"
#include "support/full_drawing.h"

namespace toridasu {
namespace {

using full::Dxf;

const char* const kSource = "C:\\dwg\\plan.dxf";
const char* const kBase = "C:\\out\\list";
const char* const kOutput = "C:\\out\\list.csv";
const std::string kHeaderLine = std::string(kCsvHeader) + "\r\n";

std::string Records(std::initializer_list<const char*> lines) {
  std::string out = kHeaderLine;
  for (const char* line : lines) out.append(line).append("\r\n");
  return out;
}

const std::string kTwoTexts =
    Dxf("0|SECTION|2|ENTITIES|0|TEXT|10|1|20|2|1|first|0|LINE|10|9|1|not a text|"
        "0|TEXT|1|second|0|ENDSEC|0|EOF");

struct JobCase {
  const char* what;
  std::string drawing;
  std::string csv;
};

const JobCase kJobCases[] = {
    {"an empty drawing", "", Records({})},
    {"TEXT, LINE, TEXT", kTwoTexts, Records({"1,2,0,\"first\"", "0,0,0,\"second\""})},
    {"LF line ends read like CR LF", "0\nSECTION\n2\nENTITIES\n0\nTEXT\n10\n3\n1\nlf\n0\nEOF\n",
     Records({"3,0,0,\"lf\""})},
    {"a Ctrl-Z ends the drawing",
     Dxf("2|ENTITIES|0|TEXT|1|kept") + "0\r\nTEXT\r\n1\r\nlo\x1Ast\r\n",
     Records({"0,0,0,\"kept\"", "0,0,0,\"lo\""})},
    {"no ENTITIES and no EOF", Dxf("0|TEXT|1|early"), Records({})},
    {"a text without group 1 and one with an empty one",
     Dxf("2|ENTITIES|0|TEXT|10|1|0|TEXT|1||0|TEXT|1|x"), Records({"0,0,0,\"x\""})},
    {"MTEXT writes group 1, not its pieces", Dxf("2|ENTITIES|0|MTEXT|10|5|3|piece|1|end|0|EOF"),
     Records({"5,0,0,\"end\""})},
    {"the walk goes on past the ENTITIES section",
     Dxf("2|ENTITIES|0|ENDSEC|0|SECTION|2|OBJECTS|0|TEXT|1|late|0|EOF|0|TEXT|1|after EOF"),
     Records({"0,0,0,\"late\""})},
    {"the last entity of the drawing is written", Dxf("2|ENTITIES|0|TEXT|1|last"),
     Records({"0,0,0,\"last\""})},
    {"a type containing EOF ends the scan before the ENTITIES name",
     Dxf("0|eof|0|TEXT|1|a|2|ENTITIES|0|TEXT|1|b"), Records({"0,0,0,\"a\"", "0,0,0,\"b\""})},
    {"embedded-object groups after 101 leave the point",
     Dxf("2|ENTITIES|0|MTEXT|10|1|20|2|30|3|1|m|101|Embedded Object|10|1|20|0|30|0|0|EOF"),
     Records({"1,2,3,\"m\""})},
    {"a block name containing the word starts the walk", Dxf("2|myentities|0|TEXT|1|in block"),
     Records({"0,0,0,\"in block\""})},
};

TEST(ConvertDxfToCsv, WritesOneRecordPerTextEntity) {
  for (const JobCase& c : kJobCases) {
    FakePlatform fake;
    fake.AddFile(kSource, c.drawing);
    ConversionStats stats;
    EXPECT_TRUE(ConvertDxfToCsv(kSource, kBase, LocaleContext(fake), &stats)) << c.what;
    EXPECT_EQ(fake.Contents(kOutput), c.csv) << c.what;
    EXPECT_EQ(fake.OpenHandleCount(), 0) << c.what;
  }
}

TEST(ConvertDxfToCsv, AlwaysAppendsCsv) {
  FakePlatform fake;
  fake.AddFile(kSource, "");
  EXPECT_TRUE(ConvertDxfToCsv(kSource, "C:\\out\\list.csv", LocaleContext(fake), nullptr));
  EXPECT_TRUE(fake.Exists("C:\\out\\list.csv.csv"));
}

TEST(ConvertDxfToCsv, AnUnopenableSourceLeavesWithItsOwnCode) {
  for (uint32_t code : {32u, 5u}) {
    FakePlatform fake;
    fake.AddFile(kSource, kTwoTexts);
    fake.openForReadingError = code;
    try {
      ConvertDxfToCsv(kSource, kBase, LocaleContext(fake), nullptr);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.Code(), static_cast<int32_t>(code));
    }
    EXPECT_TRUE(fake.created.empty());
    EXPECT_TRUE(fake.deleted.empty());
  }
}

TEST(ConvertDxfToCsv, ADestinationThatCannotBeCreatedIsNeverDeleted) {
  FakePlatform fake;
  fake.AddFile(kSource, kTwoTexts);
  fake.AddFile(kOutput, "someone else's");
  fake.createForWritingError = 5;
  ConversionStats stats;
  EXPECT_FALSE(ConvertDxfToCsv(kSource, kBase, LocaleContext(fake), &stats));
  EXPECT_EQ(fake.Contents(kOutput), "someone else's");
  EXPECT_TRUE(fake.deleted.empty());
  ASSERT_TRUE(stats.failure.has_value());
  EXPECT_EQ(stats.failure->ioCode, 5);
  EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST(ConvertDxfToCsv, TheDrawingItselfAsDestinationIsRefusedAndKept) {
  FakePlatform fake;
  fake.AddFile("C:\\dwg\\plan.csv", kTwoTexts);
  EXPECT_FALSE(ConvertDxfToCsv("C:\\dwg\\plan.csv", "C:\\dwg\\plan", LocaleContext(fake), nullptr));
  EXPECT_EQ(fake.Contents("C:\\dwg\\plan.csv"), kTwoTexts);
}

TEST(ConvertDxfToCsv, FailuresLeaveNoPartialOutput) {
  struct Case {
    const char* what;
    std::string drawing;
    void (*arrange)(FakePlatform&);
    FailureKind kind;
    int32_t ioCode;
  } cases[] = {
      {"a lone lead byte ends a text", Dxf("2|ENTITIES|0|TEXT|1|ok|0|TEXT|1|A\x82|0|EOF"),
       [](FakePlatform&) {}, FailureKind::kUnfinishedCharacter, 0},
      {"the disk fills up", kTwoTexts,
       [](FakePlatform& f) {
         f.failWriteNumber = 1;
         f.writeError = 112;
       },
       FailureKind::kOutput, 112},
      {"closing fails", kTwoTexts, [](FakePlatform& f) { f.closeError = 6; }, FailureKind::kOutput,
       6},
      {"a read fails in the walk", kTwoTexts,
       [](FakePlatform& f) {
         f.readChunk = 16;
         f.failReadNumber = 3;
         f.readError = 23;
       },
       FailureKind::kInput, 23},
      {"creation gives an unusable handle", kTwoTexts,
       [](FakePlatform& f) { f.kind = FileKind::Unknown; }, FailureKind::kOutput, 105},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.AddFile(kSource, c.drawing);
    c.arrange(fake);
    ConversionStats stats;
    EXPECT_FALSE(ConvertDxfToCsv(kSource, kBase, LocaleContext(fake), &stats)) << c.what;
    EXPECT_FALSE(fake.Exists(kOutput)) << c.what;
    EXPECT_EQ(fake.Contents(kSource), c.drawing) << c.what;
    EXPECT_EQ(fake.OpenHandleCount(), 0) << c.what;
    ASSERT_TRUE(stats.failure.has_value()) << c.what;
    EXPECT_EQ(stats.failure->kind, c.kind) << c.what;
    EXPECT_EQ(stats.failure->ioCode, c.ioCode) << c.what;
  }
}

TEST(ConvertDxfToCsv, ARangeErrorNamesTheLineOfTheText) {
  FakePlatform fake;
  fake.AddFile(kSource, Dxf("2|ENTITIES|0|TEXT|1|A\x82|0|EOF"));
  ConversionStats stats;
  EXPECT_FALSE(ConvertDxfToCsv(kSource, kBase, LocaleContext(fake), &stats));
  EXPECT_EQ(stats.failure->line, 6u);
}

TEST(ConvertDxfToCsv, ADeviceDestinationIsNeverDeleted) {
  FakePlatform fake;
  fake.AddFile(kSource, Dxf("2|ENTITIES|0|TEXT|1|A\x82"));
  fake.AddFile("NUL.csv");
  fake.kind = FileKind::Character;
  EXPECT_FALSE(ConvertDxfToCsv(kSource, "NUL", LocaleContext(fake), nullptr));
  EXPECT_TRUE(fake.deleted.empty());
}

// The job removes the file it made by its name, even where FileIsPresent
// would take the name for a pattern.
TEST(ConvertDxfToCsv, AFailureRemovesItsOutputWhateverItsName) {
  const std::string drawing = Dxf("2|ENTITIES|0|TEXT|1|A\x82");
  for (const char* base : {"C:\\out\\o*ut", "C:\\out\\o?ut", "\\\\?\\C:\\out\\list"}) {
    FakePlatform fake;
    fake.AddFile(kSource, drawing);
    EXPECT_FALSE(ConvertDxfToCsv(kSource, base, LocaleContext(fake), nullptr)) << base;
    EXPECT_EQ(fake.deleted, std::vector<std::string>{std::string(base) + ".csv"}) << base;
    EXPECT_FALSE(fake.Exists(std::string(base) + ".csv")) << base;
  }
}

TEST(FileIsPresent, TestsTheExactName) {
  FakePlatform fake;
  fake.AddFile("C:\\dwg\\a.dxf");
  fake.directories.insert("C:\\dwg");
  fake.AddFile("\\\\?\\C:\\dwg\\long.dxf");
  struct Case {
    const char* path;
    bool present;
  } cases[] = {
      {"C:\\dwg\\a.dxf", true},
      {"C:\\dwg", false},  // a folder is no file
      {"", false},
      {"C:\\dwg\\*.dxf", false},  // wildcards match nothing
      {"C:\\dwg\\a.dx?", false},
      {"C:\\dwg\\b.dxf", false},
      {"\\\\?\\C:\\dwg\\long.dxf", true},  // the ? of this prefix is no wildcard
      {"\\\\?\\C:\\dwg\\*.dxf", false},
  };
  for (const Case& c : cases) EXPECT_EQ(FileIsPresent(c.path, fake), c.present) << c.path;
}

TEST(RemoveFile, AnswersWhatThePlatformDid) {
  FakePlatform fake;
  fake.AddFile("C:\\a.csv");
  EXPECT_FALSE(RemoveFile("C:\\missing.csv", fake));
  EXPECT_TRUE(fake.Exists("C:\\a.csv"));
  EXPECT_TRUE(RemoveFile("C:\\a.csv", fake));
  EXPECT_FALSE(fake.Exists("C:\\a.csv"));
}

#ifdef TORIDASU_CORPUS_DIR
// Real drawings with LF line ends keep their texts (they once read as one line).
TEST(ConvertDxfToCsv, RealDrawingWithLfLineEnds) {
  const std::string drawing = std::string(TORIDASU_CORPUS_DIR) + "/skawaguchi__sample-dxf-1.dxf";
  if (!FileIsPresent(drawing, CurrentPlatform())) GTEST_SKIP() << "no corpus";
  const std::string base = ::testing::TempDir() + "toridasu-lf";
  ConversionStats stats;
  ASSERT_TRUE(ConvertDxfToCsv(drawing, base, LocaleContext(CurrentPlatform()), &stats));
  EXPECT_EQ(stats.records, 691u);  // 690 TEXT and one MTEXT
  RemoveFile(base + ".csv", CurrentPlatform());
}
#endif

}  // namespace
}  // namespace toridasu
