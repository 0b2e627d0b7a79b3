#include "engine/csv_quote.h"

#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"

namespace toridasu {
namespace {

struct QuoteCase {
  std::string text;
  std::string field;
};

const QuoteCase kQuoteCases[] = {
    {"", "\"\""},
    {"\"", "\"\x81\x68\""},  // a lone double quote becomes ”
    {"A\"B,D",
     "\"A\x81\x68"
     "B,D\""},                     // commas pass as they are
    {"\x81\x22", "\"\x81\x22\""},  // 0x22 as a second byte belongs to its character
    {"\x80\x22", "\"\x80\x22\""},  // 0x80 and 0xFD count as lead bytes here
    {"\xFD\x22", "\"\xFD\x22\""},
    {"\xB1\"", "\"\xB1\x81\x68\""},  // half-width katakana is one byte
    {"\x82\x82", "\"\x82\x82\""},
    {"\xFE", "\"\xFE\""},
    {std::string("a\0b\t", 4), std::string("\"a\0b\t\"", 6)},
    {" \x95\xB6\x8E\x9A ", "\" \x95\xB6\x8E\x9A \""},
};

TEST(QuoteCsvText, QuotesAndReplacesOnlyLoneDoubleQuotes) {
  for (const QuoteCase& c : kQuoteCases) EXPECT_EQ(QuoteCsvText(c.text), c.field);
}

TEST(QuoteCsvText, LoneLeadByteAtTheEndIsARangeError) {
  for (const std::string text : {"A\x82", "\xFD", "\x81\x40\x82", "\x80"}) {
    EXPECT_THROW(QuoteCsvText(text), ERangeError);
    std::string out = "kept";
    EXPECT_THROW(AppendQuotedCsvText(out, text), ERangeError);
    EXPECT_EQ(out, "kept");
  }
}

TEST(MbLength, CountsCharactersByTheWritersRule) {
  EXPECT_EQ(MbLength(""), 0);
  EXPECT_EQ(MbLength("\x82\xA0"), 1);
  EXPECT_EQ(MbLength("A\x82"), 2);
  EXPECT_EQ(MbLength("A\xA0"
                     "B"),
            3);
}

TEST(MbCopy, CopiesWholeCharacters) {
  const std::string text =
      "A\x82\xA0"
      "C";
  EXPECT_EQ(MbCopy(text, 2, 1), "\x82\xA0");
  EXPECT_EQ(MbCopy(text, 2, 5),
            "\x82\xA0"
            "C");
  EXPECT_EQ(MbCopy(text, 4, 1), "");
  EXPECT_EQ(MbCopy(text, 2, 0), "");
  EXPECT_EQ(MbCopy(text, 0, 2), "A");  // an index of 0 copies from the first
  EXPECT_THROW(MbCopy("A\x82", 2, 1), ERangeError);
  EXPECT_EQ(MbCopy("A\x82", 1, 1), "A");
}

}  // namespace
}  // namespace toridasu
