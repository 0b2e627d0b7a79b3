// The fake platform that the reader, writer and job tests drive: its knobs
// must fail exactly the call they name, or those tests prove nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace toridasu {
namespace {

TEST(PlatformFake, FailsTheNamedWriteAndRecordsEveryOne) {
  FakePlatform fake;
  fake.failWriteNumber = 2;
  fake.writeError = win_error::kDiskFull;
  FileHandle handle;
  ASSERT_EQ(fake.CreateForWriting("out.csv", &handle), 0u);
  EXPECT_EQ(fake.Write(handle, "ab", 2), 0u);
  EXPECT_EQ(fake.Write(handle, "cde", 3), win_error::kDiskFull);
  EXPECT_EQ(fake.Write(handle, "f", 1), 0u);
  fake.closeError = win_error::kIoDevice;
  EXPECT_EQ(fake.Close(handle), win_error::kIoDevice);
  EXPECT_EQ(fake.Close(handle), win_error::kInvalidHandle) << "closed all the same";
  EXPECT_EQ(fake.writeSizes, (std::vector<uint32_t>{2, 3, 1}));
  EXPECT_EQ(fake.Contents("out.csv"), "abf");
  EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST(PlatformFake, FollowsTheShareRuleAndRefusesWhatWindowsRefuses) {
  FakePlatform fake;
  fake.AddFile("plan.dxf", "drawing");
  fake.directories.insert("dwg");
  FileHandle reader;
  FileHandle other;
  ASSERT_EQ(fake.OpenForReading("plan.dxf", &reader), 0u);
  EXPECT_EQ(fake.OpenForReading("plan.dxf", &other), 0u);
  EXPECT_EQ(fake.CreateForWriting("plan.dxf", &other), win_error::kSharingViolation);
  EXPECT_FALSE(fake.Delete("plan.dxf"));
  EXPECT_EQ(fake.Contents("plan.dxf"), "drawing");
  EXPECT_EQ(fake.OpenForReading("missing.dxf", &other), win_error::kFileNotFound);
  EXPECT_EQ(fake.OpenForReading("dwg", &other), win_error::kAccessDenied);

  fake.readChunk = 3;
  char bytes[16];
  uint32_t got = 0;
  EXPECT_EQ(fake.Read(reader, bytes, sizeof bytes, &got), 0u);
  EXPECT_EQ(std::string(bytes, got), "dra");
  fake.failReadNumber = 2;
  fake.readError = win_error::kBrokenPipe;
  EXPECT_EQ(fake.Read(reader, bytes, sizeof bytes, &got), win_error::kBrokenPipe);
  EXPECT_EQ(got, 0u);
}

TEST(PlatformFake, FindsFilesAndFoldersByNameOrPattern) {
  FakePlatform fake;
  fake.AddFile("C:\\dwg\\b.dxf");
  fake.directories.insert("C:\\dwg\\a.dxf");
  fake.AddFile("C:\\dwg\\old.dxf");
  FoundEntry entry;
  ASSERT_TRUE(fake.FindFirst("C:\\dwg\\*.dxf", &entry));
  EXPECT_TRUE(entry.isDirectory) << "a.dxf comes first";
  ASSERT_TRUE(fake.FindFirst("C:\\dwg\\o*", &entry));
  EXPECT_FALSE(entry.isDirectory);
  EXPECT_FALSE(fake.FindFirst("C:\\other\\*.dxf", &entry));
  EXPECT_FALSE(fake.FindFirst("", &entry));
}

TEST(PlatformFake, UpperCasesLikeTheCodePageItIsGiven) {
  FakePlatform fake;
  std::string text = "a\x83\x61z";
  fake.UpperCase(text.data(), static_cast<uint32_t>(text.size()));
  EXPECT_EQ(text, "A\x83\x61Z");
  fake.doubleByte = false;
  text = "a\x83\x61z";
  fake.UpperCase(text.data(), static_cast<uint32_t>(text.size()));
  EXPECT_EQ(text, "A\x83\x41Z");
}

TEST(PlatformFake, ScopedCurrentPlatformPutsThePreviousBack) {
  FakePlatform fake;
  {
    ScopedCurrentPlatform use(fake);
    EXPECT_EQ(&CurrentPlatform(), &fake);
  }
  EXPECT_EQ(&CurrentPlatform(), &SystemPlatform());
}

}  // namespace
}  // namespace toridasu
