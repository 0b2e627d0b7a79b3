#include "base/errors.h"

#include <gtest/gtest.h>

#include <string>

#include "base/string_table.h"

namespace toridasu {
namespace {

struct IoCase {
  int32_t code;
  std::string message;  // Shift-JIS
};

// The texts in Shift-JIS, as the program's code page holds them.
const IoCase kIoCases[] = {
    {2,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE8\x82\xDC\x82\xB9\x82"
     "\xF1"},
    {3, "\x95\x73\x90\xB3\x82\xC8\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC\x82\xC5\x82\xB7"},
    {5,
     "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xD6\x82\xCC\x83\x41\x83\x4E\x83\x5A\x83\x58\x82\xAA"
     "\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD"},
    {101,
     "\x83\x66\x83\x42\x83\x58\x83\x4E\x82\xAA\x82\xA2\x82\xC1\x82\xCF\x82\xA2\x82\xC5\x82\xB7"},
    {103, "I/O \x83\x47\x83\x89\x81\x5B (103)"},
    {32, "I/O \x83\x47\x83\x89\x81\x5B (32)"},
    {0, "I/O \x83\x47\x83\x89\x81\x5B (0)"},
    {-7, "I/O \x83\x47\x83\x89\x81\x5B (-7)"},
    {2147483647, "I/O \x83\x47\x83\x89\x81\x5B (2147483647)"},
    {-2147483647 - 1, "I/O \x83\x47\x83\x89\x81\x5B (-2147483648)"},
};

TEST(MakeIoError, TakesTheRecordedCodeAndItsText) {
  for (const IoCase& c : kIoCases) {
    RecordIoCode(c.code);
    const EInOutError error = MakeIoError();
    EXPECT_EQ(error.Code(), c.code);
    EXPECT_EQ(error.Message(), c.message) << c.code;
    EXPECT_EQ(RecordedIoCode(), 0) << "making the error clears the record";
  }
}

TEST(ErrorKinds, NameThemselvesAndFormOneTree) {
  try {
    RaiseRangeError();
    FAIL();
  } catch (const EIntError& e) {
    EXPECT_STREQ(e.KindName(), "ERangeError");
    EXPECT_EQ(e.Message(),
              "\x94\xCD\x88\xCD\x83\x60\x83\x46\x83\x62\x83\x4E\x83\x47\x83\x89\x81\x5B");
  }
  try {
    RaiseIoError(5);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.KindName(), "EInOutError");
  }
  const EOutOfResources resources("x");
  EXPECT_NE(dynamic_cast<const EOutOfMemory*>(&resources), nullptr);
}

TEST(StringTable, UnknownIdGivesEmptyText) {
  EXPECT_EQ(LoadResString(1), "");
  EXPECT_EQ(
      BuiltInString(text_id::kApplicationErrorCaption),
      "\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93 \x83\x47\x83\x89\x81\x5B");
}

}  // namespace
}  // namespace toridasu
