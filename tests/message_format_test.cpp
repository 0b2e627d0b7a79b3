#include "base/message_format.h"

#include <gtest/gtest.h>

#include <string>

namespace toridasu {
namespace {

struct FormatCase {
  const char* name;
  std::string pattern;
  std::string expected;
};

// Arguments of every case: 0 "mod.exe", 1 0x0040123A, 2 -7, 3 "", 4 0xC0000135.
std::string FormatWithFixedArgs(const std::string& pattern) {
  return FormatMessageText(
      pattern, {"mod.exe", uint32_t{0x0040123A}, int32_t{-7}, "", uint32_t{0xC0000135}});
}

const FormatCase kCases[] = {
    {"plain text", "no placeholders", "no placeholders"},
    {"sequential", "%s|%p|%d|%s|%x", "mod.exe|0040123A|-7||C0000135"},
    {"indexed", "%4:x %0:s %1:p", "C0000135 mod.exe 0040123A"},
    {"after an index the next follows it", "%1:p %d", "0040123A -7"},
    {"repeated index", "%0:s/%0:s", "mod.exe/mod.exe"},
    {"address keeps leading zeros", "%1:p", "0040123A"},
    {"hex without leading zeros", "%1:x", "40123A"},
    {"decimal of a large value is signed", "%4:d", "-1073741515"},
    {"upper-case conversion", "%0:S %1:P", "mod.exe 0040123A"},
    {"percent sign", "100%% %s", "100% mod.exe"},
    {"missing argument gives nothing", "[%9:s]", "[]"},
    {"arguments run out", "%s%s%s%s%s%s|", "mod.exe4198970-7-1073741515|"},
    {"unknown conversion stays", "%q %s", "%q mod.exe"},
    {"index without conversion stays", "%1: %1", "%1: %1"},
    {"trailing percent stays", "end%", "end%"},
    {"text in a number's place", "%0:p", "mod.exe"},
};

TEST(FormatMessageText, FillsEachPlaceholderKind) {
  for (const FormatCase& c : kCases) {
    EXPECT_EQ(FormatWithFixedArgs(c.pattern), c.expected) << c.name;
  }
}

TEST(FormatMessageText, LeavesShiftJisBytesAlone) {
  // 外部例外 %x: the bytes around the placeholder pass unchanged.
  EXPECT_EQ(FormatMessageText("\x8A\x4F\x95\x94\x97\xE1\x8A\x4F %x", {uint32_t{0xC000001D}}),
            "\x8A\x4F\x95\x94\x97\xE1\x8A\x4F C000001D");
}

TEST(AddressText, IsEightUpperCaseDigits) {
  EXPECT_EQ(AddressText(0), "00000000");
  EXPECT_EQ(AddressText(0xABCDEF01), "ABCDEF01");
  EXPECT_EQ(AddressText(0x1000), "00001000");
}

}  // namespace
}  // namespace toridasu
