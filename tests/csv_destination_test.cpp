#include "engine/csv_destination.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/errors.h"
#include "engine/conversion_context.h"
#include "engine/csv_record.h"
#include "support/fake_platform.h"

namespace toridasu {
namespace {

const char* const kName = "C:\\out\\list.csv";
const std::string kHeaderLine = std::string(kCsvHeader) + "\r\n";

int32_t IoCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EInOutError& e) {
    return e.Code();
  }
  return 0;
}

TEST(CsvDestination, HeaderIsTheTwentyFourFixedBytes) {
  FakePlatform fake;
  CsvDestination destination(fake);
  CreateCsvFile(destination, kName);
  WriteCsvHeader(destination);
  CloseCsvFile(destination);
  EXPECT_EQ(fake.Contents(kName),
            "\x22\x58\x22\x2C\x22\x59\x22\x2C\x22\x5A\x22\x2C\x22\x95\xB6\x8E\x9A\x93\xE0\x97\x65"
            "\x22\r\n");
}

TEST(CsvDestination, RecordLayout) {
  struct Case {
    double x, y, z;
    std::string text;
    char separator;
    std::string line;
  } cases[] = {
      {12.5, -3, 0, "A\"B,D", '.',
       "12.5,-3,0,\"A\x81\x68"
       "B,D\"\r\n"},
      {1.5, 1.5e-10, -0.0, "t", ',', "\"1,5\",\"1,5E-10\",\"0\",\"t\"\r\n"},
      {1.5, -2, 0, "t", ';', "1;5,-2,0,\"t\"\r\n"},  // only "," needs the quotes
      {1e15, 0.001, 1e100, "\x95\x5C", '.', "1E15,0.001,1E100,\"\x95\x5C\"\r\n"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    CsvDestination destination(fake);
    CreateCsvFile(destination, kName);
    WriteTextRecord(destination, c.x, c.y, c.z, c.text, c.separator);
    CloseCsvFile(destination);
    EXPECT_EQ(fake.Contents(kName), c.line);
  }
}

TEST(CsvDestination, BytesReachTheSystemInFullBuffersAndAtClosing) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;  // after the header
    std::vector<uint32_t> whileWriting;
    std::vector<uint32_t> atClosing;
  } cases[] = {
      {"128 bytes in all", {std::string(102, 'a')}, {128}, {128}},
      {"a 300-byte record after the header", {std::string(298, 'r')}, {128, 128}, {128, 128, 68}},
      {"header only", {}, {}, {24}},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    CsvDestination destination(fake, 128);
    CreateCsvFile(destination, kName);
    WriteCsvHeader(destination);
    for (const std::string& line : c.lines) WriteCsvLine(destination, line);
    EXPECT_EQ(fake.writeSizes, c.whileWriting) << c.what;
    CloseCsvFile(destination);
    EXPECT_EQ(fake.writeSizes, c.atClosing) << c.what;
  }
}

TEST(CsvDestination, ACharacterDeviceGetsEveryLineAtItsEnd) {
  FakePlatform fake;
  fake.kind = FileKind::Character;
  CsvDestination destination(fake);
  CreateCsvFile(destination, "CON");
  WriteCsvHeader(destination);
  WriteCsvLine(destination, "1,2,3,\"x\"");
  EXPECT_EQ(fake.writeSizes, (std::vector<uint32_t>{24, 11}));
  CloseCsvFile(destination);
  EXPECT_EQ(fake.writeSizes.size(), 2u);
  EXPECT_FALSE(destination.CreatedDiskFile());
}

TEST(CsvDestination, CreationFailures) {
  for (uint32_t code : {3u, 5u, 32u, 123u}) {
    FakePlatform fake;
    fake.AddFile(kName, "kept");
    fake.createForWritingError = code;
    CsvDestination destination(fake);
    EXPECT_EQ(IoCodeOf([&] { CreateCsvFile(destination, kName); }), static_cast<int32_t>(code));
    EXPECT_FALSE(destination.IsOpen());
    EXPECT_FALSE(destination.CreatedDiskFile());
    EXPECT_EQ(fake.Contents(kName), "kept");
  }
  FakePlatform fake;
  fake.kind = FileKind::Unknown;
  CsvDestination destination(fake);
  EXPECT_EQ(IoCodeOf([&] { CreateCsvFile(destination, kName); }), 105);
  EXPECT_FALSE(destination.IsOpen());
  EXPECT_EQ(fake.OpenHandleCount(), 0);
  EXPECT_TRUE(destination.CreatedDiskFile());  // emptied: ours to remove

  const std::string tooLong = "C:\\" + std::string(257, 'n');
  EXPECT_EQ(IoCodeOf([&] { CreateCsvFile(destination, tooLong); }), 3);
  EXPECT_TRUE(fake.created.empty() || fake.created.back() != tooLong.substr(0, 259));
}

TEST(CsvDestination, WriteAndCloseFailures) {
  {  // the second full buffer fails: the line fails with that code
    FakePlatform fake;
    fake.failWriteNumber = 2;
    fake.writeError = 112;
    CsvDestination destination(fake, 128);
    CreateCsvFile(destination, kName);
    WriteCsvHeader(destination);
    EXPECT_EQ(IoCodeOf([&] { WriteCsvLine(destination, std::string(400, 'x')); }), 112);
    EXPECT_TRUE(destination.IsOpen());
  }
  {  // the final write-out fails: still open; a second close only closes
    FakePlatform fake;
    fake.failWriteNumber = 1;
    fake.writeError = 112;
    CsvDestination destination(fake);
    CreateCsvFile(destination, kName);
    WriteCsvHeader(destination);
    EXPECT_EQ(IoCodeOf([&] { CloseCsvFile(destination); }), 112);
    EXPECT_TRUE(destination.IsOpen());
    EXPECT_EQ(IoCodeOf([&] { CloseCsvFile(destination); }), 0);
    EXPECT_EQ(fake.writeSizes.size(), 1u);
    EXPECT_EQ(fake.OpenHandleCount(), 0);
  }
  {  // CloseHandle fails: its code, and closed all the same
    FakePlatform fake;
    fake.closeError = 6;
    CsvDestination destination(fake);
    CreateCsvFile(destination, kName);
    EXPECT_EQ(IoCodeOf([&] { CloseCsvFile(destination); }), 6);
    EXPECT_FALSE(destination.IsOpen());
  }
  {  // not open: 103 for a line and for closing, twice
    FakePlatform fake;
    CsvDestination destination(fake);
    EXPECT_EQ(IoCodeOf([&] { WriteCsvLine(destination, "x"); }), 103);
    EXPECT_EQ(IoCodeOf([&] { CloseCsvFile(destination); }), 103);
    EXPECT_EQ(IoCodeOf([&] { CloseCsvFile(destination); }), 103);
    EXPECT_TRUE(fake.writeSizes.empty());
  }
}

TEST(CsvDestination, ARecordThatCannotBeQuotedWritesNothing) {
  FakePlatform fake;
  CsvDestination destination(fake);
  CreateCsvFile(destination, kName);
  WriteCsvHeader(destination);
  EXPECT_THROW(WriteTextRecord(destination, 1, 2, 3, "A\x82", '.'), ERangeError);
  WriteTextRecord(destination, 1, 2, 3, "ok", '.');
  CloseCsvFile(destination);
  EXPECT_EQ(fake.Contents(kName), kHeaderLine + "1,2,3,\"ok\"\r\n");
}

TEST(DecimalSeparator, ComesFromTheLocaleOrIsAPoint) {
  FakePlatform fake;
  fake.decimalSeparator = ',';
  EXPECT_EQ(LocaleContext(fake).decimalSeparator, ',');
  fake.decimalSeparator = '\0';  // a symbol longer than one byte
  EXPECT_EQ(LocaleContext(fake).decimalSeparator, '.');
}

}  // namespace
}  // namespace toridasu
