#include "cli/shift_jis_to_utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace toridasu::cli {
namespace {

struct Case {
  std::string shiftJis;
  std::string utf8;
};

// Expectations from the code page's reference mapping (Python's cp932 codec).
const Case kCases[] = {
    {"A", "A"},
    {"\x82\xA0", "\xE3\x81\x82"},  // あ
    {"\x81\x68", "\xE2\x80\x9D"},  // ” (the writer's quote)
    {"\xB1", "\xEF\xBD\xB1"},      // half-width ｱ
    {"\x5C\x7E", "\x5C\x7E"},      // ASCII stays ASCII
    {"\x87\x40", "\xE2\x91\xA0"},  // ① (NEC row 13)
    {"\xED\x40", "\xE7\xBA\x8A"},  // 纊 (NEC-selected IBM extension)
    {"\xFA\x40", "\xE2\x85\xB0"},  // ⅰ (IBM extension)
    {"\xF0\x40", "\xEE\x80\x80"},  // user-defined area
    {std::string("a\0b", 3), std::string("a\0b", 3)},
    {"\x95\x5C\x83\x5C", "\xE8\xA1\xA8\xE3\x82\xBD"},  // 表ソ: second bytes 0x5C
};

TEST(ShiftJisToUtf8, MapsLikeTheCodePage) {
  for (const Case& c : kCases) {
    std::string out;
    EXPECT_TRUE(AppendShiftJisAsUtf8(c.shiftJis, false, out));
    EXPECT_EQ(out, c.utf8);
  }
}

TEST(ShiftJisToUtf8, UndefinedSequencesFailOrAreReplaced) {
  for (const std::string bad : {"\x85\x40", "\x81\x7F", "\x82", "A\xFC\xFD"}) {
    std::string out = "kept";
    std::size_t at = 99;
    EXPECT_FALSE(AppendShiftJisAsUtf8(bad, false, out, &at)) << bad;
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(at, bad[0] == 'A' ? 1u : 0u);
  }
  std::string out;
  EXPECT_TRUE(AppendShiftJisAsUtf8("x\x85\x40y", true, out));
  // The lead byte alone is replaced; its second byte is read again on its own.
  EXPECT_EQ(out, "x\xEF\xBF\xBD@y");
}

}  // namespace
}  // namespace toridasu::cli
