// The quoting rule of the text field, through the record writer itself.
#include "engine/csv_quote.h"

#include <gtest/gtest.h>

#include <string>

#include "base/errors.h"
#include "engine/csv_record.h"
#include "support/fake_platform.h"

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
    {"\x9F\x22", "\"\x9F\x22\""},  // the edges of the writer's two ranges
    {"\xE0\x22", "\"\xE0\x22\""},
    {"\xA0\"", "\"\xA0\x81\x68\""},  // just outside them: single bytes
    {"\xDF\"", "\"\xDF\x81\x68\""},
    {"\xB1\"", "\"\xB1\x81\x68\""},  // half-width katakana is one byte
    {"\x82\x82", "\"\x82\x82\""},
    {"\xFE", "\"\xFE\""},
    {std::string("a\0b\t", 4), std::string("\"a\0b\t\"", 6)},
    {" \x95\xB6\x8E\x9A ", "\" \x95\xB6\x8E\x9A \""},
};

// A long text goes to the file in pieces instead of an assembled line: the
// same bytes either way.
const std::string kLongPrefix(70000, 'a');

TEST(CsvQuote, TheRecordQuotesAndReplacesOnlyLoneDoubleQuotes) {
  for (const QuoteCase& c : kQuoteCases) {
    for (const std::string& prefix : {std::string(), kLongPrefix}) {
      FakePlatform fake;
      CsvDestination destination(fake, 128);
      CreateCsvFile(destination, "out.csv");
      WriteTextRecord(destination, 0, 0, 0, prefix + c.text, '.');
      CloseCsvFile(destination);
      EXPECT_EQ(fake.Contents("out.csv"), "0,0,0,\"" + prefix + c.field.substr(1) + "\r\n")
          << c.text << ", prefix of " << prefix.size();
    }
  }
}

TEST(CsvQuote, LoneLeadByteAtTheEndIsARangeErrorAndWritesNothing) {
  for (const std::string text : {"A\x82", "\xFD", "\x81\x40\x82", "\x80", "\x9F", "\xE0"}) {
    std::string out = "kept";
    EXPECT_THROW(AppendQuotedCsvText(out, text), ERangeError) << text;
    EXPECT_EQ(out, "kept");
    FakePlatform fake;
    CsvDestination destination(fake, 128);
    CreateCsvFile(destination, "out.csv");
    EXPECT_THROW(WriteTextRecord(destination, 0, 0, 0, kLongPrefix + text, '.'), ERangeError);
    CloseCsvFile(destination);
    EXPECT_EQ(fake.Contents("out.csv"), "") << text;
  }
}

}  // namespace
}  // namespace toridasu
