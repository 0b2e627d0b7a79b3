#include <gtest/gtest.h>

#include <string>

#include "text/code_page.h"

namespace toridasu::text {
namespace {

struct DecodeCase {
  int codePage;
  std::string bytes;
  std::string utf8;
};

// Expectations from the reference mapping (Python's codecs).
const DecodeCase kDecodeCases[] = {
    {1252, "\x80\xE9", "\xE2\x82\xAC\xC3\xA9"},                             // €é
    {1250, "\x8A\xB9", "\xC5\xA0\xC4\x85"},                                 // Šą
    {1251, "\xC0\xFF", "\xD0\x90\xD1\x8F"},                                 // Ая
    {874, "\xA1", "\xE0\xB8\x81"},                                          // Thai ko kai
    {437, "\xC9\xDB", "\xE2\x95\x94\xE2\x96\x88"},                          // ╔█
    {850, "\x9B", "\xC3\xB8"},                                              // ø
    {kMacRomanCodePage, "\xA5\xD5", "\xE2\x80\xA2\xE2\x80\x99"},            // •’
    {864, "5%", "5\xD9\xAA"},                                               // Arabic percent sign
    {932, "\xB1\x95\x5C\x83\x5C", "\xEF\xBD\xB1\xE8\xA1\xA8\xE3\x82\xBD"},  // ｱ表ソ
    {932, "A\x5C\x7E", "A\x5C\x7E"},                                        // ASCII stays ASCII
    {932, "\x82\xA0", "\xE3\x81\x82"},                                      // あ
    {932, "\x81\x68", "\xE2\x80\x9D"},                        // ” (the writer's quote)
    {932, "\x87\x40", "\xE2\x91\xA0"},                        // ① (NEC row 13)
    {932, "\xED\x40", "\xE7\xBA\x8A"},                        // 纊 (NEC-selected IBM)
    {932, "\xFA\x40", "\xE2\x85\xB0"},                        // ⅰ (IBM extension)
    {932, "\xF0\x40", "\xEE\x80\x80"},                        // user-defined area
    {936, "\xD6\xD0", "\xE4\xB8\xAD"},                        // 中
    {949, "\xC7\xD1", "\xED\x95\x9C"},                        // 한
    {950, "\xA4\xA4\xA4\xE5", "\xE4\xB8\xAD\xE6\x96\x87"},    // 中文
    {kUtf8CodePage, "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},  // four bytes
    {1252, std::string("a\0b", 3), std::string("a\0b", 3)},
    {864, std::string("a\0b", 3), std::string("a\0b", 3)},
    {932, std::string("a\0b", 3), std::string("a\0b", 3)},
};

TEST(TextCodePage, DecodesLikeTheReferenceMapping) {
  for (const DecodeCase& c : kDecodeCases) {
    std::string out = "<";
    EXPECT_TRUE(AppendAsUtf8(c.bytes, c.codePage, false, out)) << c.codePage;
    EXPECT_EQ(out, "<" + c.utf8) << c.codePage;
    EXPECT_TRUE(IsValidInCodePage(c.bytes, c.codePage)) << c.codePage;
  }
}

struct UndefinedCase {
  int codePage;
  std::string bytes;
  std::size_t offset;
  std::string replaced;
};

const UndefinedCase kUndefinedCases[] = {
    {1252, "a\x81", 1, "a\xEF\xBF\xBD"},
    {932, "\x82", 0, "\xEF\xBF\xBD"},        // lead byte at the end
    {932, "x\x85@y", 1, "x\xEF\xBF\xBD@y"},  // second byte read again
    {932, "\x85\x40", 0, ""},
    {932, "\x81\x7F", 0, ""},
    {932, "A\xFC\xFD", 1, ""},
    {949, "\xC9", 0, "\xEF\xBF\xBD"},
    {kUtf8CodePage, "a\xE3\x81", 1, "a\xEF\xBF\xBD"},  // cut sequence: one mark
    {kUtf8CodePage,
     "\xE3\x81"
     "A",
     0,
     "\xEF\xBF\xBD"
     "A"},
    {kUtf8CodePage, "\xED\xA0\x80", 0, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
    {kUtf8CodePage, "\xC0\xAF", 0, "\xEF\xBF\xBD\xEF\xBF\xBD"},                  // overlong
    {kUtf8CodePage, "\xF4\x90\x80\x80", 0,
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // past U+10FFFF
    {4242, "abc", 0, ""},                                  // unknown code page
};

TEST(TextCodePage, UndefinedBytesFailWithTheirOffsetOrAreReplaced) {
  for (const UndefinedCase& c : kUndefinedCases) {
    std::string out = "kept";
    std::size_t at = 99;
    EXPECT_FALSE(AppendAsUtf8(c.bytes, c.codePage, false, out, &at)) << c.bytes;
    EXPECT_EQ(out, "kept");
    EXPECT_EQ(at, c.offset) << c.bytes;
    EXPECT_FALSE(IsValidInCodePage(c.bytes, c.codePage)) << c.bytes;
    if (c.codePage == kUtf8CodePage) {
      EXPECT_FALSE(IsValidUtf8(c.bytes, &at));
      EXPECT_EQ(at, c.offset) << c.bytes;
    }
    if (c.replaced.empty()) continue;
    out.clear();
    EXPECT_TRUE(AppendAsUtf8(c.bytes, c.codePage, true, out));
    EXPECT_EQ(out, c.replaced) << c.bytes;
  }
}

TEST(TextCodePage, EncodesShiftJisOrNamesTheCharacter) {
  const struct {
    std::string utf8;
    std::string shiftJis;  // empty: not encodable
    char32_t bad;
    std::size_t offset;
  } cases[] = {
      {"A\xE3\x81\x82", "A\x82\xA0", 0, 0},    // あ
      {"\xEF\xBD\xB1", "\xB1", 0, 0},          // half-width ｱ
      {"\xE3\x80\x9C", "\x81\x60", 0, 0},      // wave dash, as the reference writes it
      {"\xE2\x91\xA0", "\x87\x40", 0, 0},      // ①
      {"x\xC3\xA9", "", 0xE9, 1},              // é
      {"ab\xF0\x9F\x98\x80", "", 0x1F600, 2},  // emoji
      {"\xE3\x81", "", 0xFFFD, 0},             // ill-formed input
      {std::string("\0", 1), std::string("\0", 1), 0, 0},
  };
  for (const auto& c : cases) {
    std::string out = "kept";
    char32_t bad = 0;
    std::size_t at = 99;
    const bool ok = AppendUtf8AsShiftJis(c.utf8, false, out, &bad, &at);
    EXPECT_EQ(ok, !c.shiftJis.empty()) << c.utf8;
    EXPECT_EQ(out, "kept" + c.shiftJis) << c.utf8;
    if (ok) continue;
    EXPECT_EQ(bad, c.bad) << c.utf8;
    EXPECT_EQ(at, c.offset) << c.utf8;
    out.clear();
    EXPECT_TRUE(AppendUtf8AsShiftJis(c.utf8, true, out));
    EXPECT_EQ(out, c.utf8.substr(0, c.offset) + "?") << c.utf8;
  }
}

}  // namespace
}  // namespace toridasu::text
