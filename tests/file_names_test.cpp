#include "files/file_names.h"

#include <gtest/gtest.h>

#include <string>

#include "support/code_page_932.h"

namespace toridasu {
namespace {

class FileNames : public ::testing::Test {
 protected:
  void SetUp() override { UseCodePage932(); }
};

struct PathCase {
  std::string path;
  std::string directory;
  std::string fileName;
};

// 表 is 0x95 0x5C, ソ is 0x83 0x5C, データ is 83 66 81 5B 83 5E: second bytes
// with the value of a backslash never split a path.
const PathCase kPathCases[] = {
    {"C:\\dwg\\plan", "C:\\dwg\\", "plan"},
    {"plan", "", "plan"},
    {"C:plan", "C:", "plan"},
    {"C:\\dwg\\", "C:\\dwg\\", ""},
    {"C:\\", "C:\\", ""},
    {"\\\\server\\share\\plan", "\\\\server\\share\\", "plan"},
    {"D:/dwg/plan", "D:", "/dwg/plan"},
    {"C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C", "C:\\\x83\x66\x81\x5B\x83\x5E\\", "\x95\x5C"},
    {"C:\\\x83\x5C\\plan", "C:\\\x83\x5C\\", "plan"},
    {"C:\\\x9F\x5C", "C:\\", "\x9F\x5C"},  // the edges of both lead ranges
    {"C:\\\xE0\x5C", "C:\\", "\xE0\x5C"},
    {"C:\\\xFC\x5C", "C:\\", "\xFC\x5C"},
    {"C:\\\xA0\x5C", "C:\\\xA0\x5C", ""},  // just outside them: the backslash splits
    {"C:\\\xFD\x5C", "C:\\\xFD\x5C", ""},
    {"", "", ""},
};

TEST_F(FileNames, SplitsIntoDirectoryAndFileName) {
  for (const PathCase& c : kPathCases) {
    EXPECT_EQ(DirectoryPart(c.path), c.directory) << c.path;
    EXPECT_EQ(FileNamePart(c.path), c.fileName) << c.path;
    EXPECT_EQ(DirectoryPart(c.path) + FileNamePart(c.path), c.path);
  }
}

struct ExtensionCase {
  std::string path;
  std::string withoutExtension;
  std::string withCsv;
};

const ExtensionCase kExtensionCases[] = {
    {"C:\\dwg\\plan.dxf", "C:\\dwg\\plan", "C:\\dwg\\plan.csv"},
    {"D:\\rev.2\\plan", "D:\\rev.2\\plan", "D:\\rev.2\\plan.csv"},
    {"x.tar.csv", "x.tar", "x.tar.csv"},
    {"plan.", "plan", "plan.csv"},
    {".csv", "", ".csv"},
    {"C:\\dwg\\.profile", "C:\\dwg\\", "C:\\dwg\\.csv"},
    {"C:plan.dxf", "C:plan", "C:plan.csv"},
    {"C:\\\x95\x5C.dxf", "C:\\\x95\x5C", "C:\\\x95\x5C.csv"},
    {"", "", ".csv"},
};

TEST_F(FileNames, ReplacesTheLastExtension) {
  for (const ExtensionCase& c : kExtensionCases) {
    EXPECT_EQ(ReplaceExtension(c.path, ""), c.withoutExtension) << c.path;
    EXPECT_EQ(ReplaceExtension(c.path, ".csv"), c.withCsv) << c.path;
  }
}

// UTF-8 names are cut at their own delimiters: the lead-byte rule would take
// the 9C of ボ (E3 83 9C) with the byte after it for one character.
const ExtensionCase kUtf8ExtensionCases[] = {
    {"C:\\dwg\\plan.dxf", "C:\\dwg\\plan", "C:\\dwg\\plan.csv"},
    {"\xE3\x83\xA9\xE3\x83\x9C.dxf", "\xE3\x83\xA9\xE3\x83\x9C",
     "\xE3\x83\xA9\xE3\x83\x9C.csv"},  // ラボ.dxf
    {"v1.\xE3\x83\x9C\\plan", "v1.\xE3\x83\x9C\\plan", "v1.\xE3\x83\x9C\\plan.csv"},
    {"rev.2/plan", "rev.2/plan", "rev.2/plan.csv"},
    {"caf\xC3\xA9.dxf", "caf\xC3\xA9", "caf\xC3\xA9.csv"},
    {"C:plan.dxf", "C:plan", "C:plan.csv"},
    {"plan.", "plan", "plan.csv"},
    {"", "", ".csv"},
};

TEST_F(FileNames, ReplacesTheLastExtensionOfAUtf8Name) {
  for (const ExtensionCase& c : kUtf8ExtensionCases) {
    EXPECT_EQ(ReplaceExtensionUtf8(c.path, ""), c.withoutExtension) << c.path;
    EXPECT_EQ(ReplaceExtensionUtf8(c.path, ".csv"), c.withCsv) << c.path;
  }
}

TEST_F(FileNames, ByteKindsFollowTheRunOfLeadBytesBefore) {
  const std::string text = "\x95\x5C\x5C";  // 表 followed by a backslash
  EXPECT_EQ(ByteKindAt(text, 1), ByteKind::LeadByte);
  EXPECT_EQ(ByteKindAt(text, 2), ByteKind::TrailByte);
  EXPECT_EQ(ByteKindAt(text, 3), ByteKind::SingleByte);
  EXPECT_EQ(ByteKindAt(text, 4), ByteKind::SingleByte);  // just past the end
  // A trail byte inside the lead ranges: 0x81 0x81 is one character.
  EXPECT_EQ(ByteKindAt("\x81\x81\x81", 2), ByteKind::TrailByte);
  EXPECT_EQ(ByteKindAt("\x81\x81\x81", 3), ByteKind::LeadByte);
}

TEST_F(FileNames, NulByteIsNeverADelimiter) {
  const std::string path("a\\b\0c", 5);
  EXPECT_EQ(FindLastDelimiter("\\:", path), 2u);
  EXPECT_EQ(FindLastDelimiter(std::string("\0", 1), path), 0u);
}

TEST(FileNamesSingleByteSystem, TrailBackslashSplitsThePath) {
  UseSingleByteSystem();
  const std::string path = "C:\\\x83\x66\x81\x5B\x83\x5E\\\x95\x5C";
  EXPECT_EQ(DirectoryPart(path), path);
  EXPECT_EQ(FileNamePart(path), "");
  UseCodePage932();
}

}  // namespace
}  // namespace toridasu
