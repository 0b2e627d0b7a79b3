#include "engine/group_code.h"

#include <gtest/gtest.h>

#include <string>

namespace toridasu {
namespace {

struct CodeCase {
  std::string line;
  int32_t code;
};

const CodeCase kCodeCases[] = {
    {"", -1},
    {"0", 0},
    {"  0", 0},
    {"  0 ", 0},
    {" 10", 10},
    {"10 ", 10},
    {"10x", 10},
    {"0010", 10},
    {"-1", -1},
    {"-10 ", 10},  // a stray byte drops the sign
    {"1 0", 1},
    {"+20", 20},
    {"$14", 20},
    {"x14", 20},
    {"0x14", 20},
    {"$1E", 30},
    {"0X1e", 30},
    {"   ", 0},
    {"-", 0},
    {"ENTITIES", 0},
    {"\t10", 0},
    {"-$A", 0},
    {std::string("-5\0junk", 7), -5},  // a NUL ends the text
    {"2147483647", 2147483647},
    {"2147483648", -2147483647 - 1},  // held as a 32-bit pattern
    {"21474836470", 2147483647},      // the digit after the limit stops reading
    {"$FFFFFFFF", -1},
    {"$1FFFFFFFF", 0x1FFFFFFF},  // stops at the ninth hex digit
    {"99999999999", 999999999},
};

TEST(GroupCodeOf, ReadsCodeLinesLeniently) {
  for (const CodeCase& c : kCodeCases)
    EXPECT_EQ(GroupCodeOf(c.line), c.code) << '"' << c.line << '"';
}

TEST(GroupCodeOf, OutOfRangeNeverLooksLikeAMeaningfulCode) {
  for (const char* line : {"99999999990", "4294967296", "4294967306", "$100000000", "$10000000A"}) {
    const int32_t code = GroupCodeOf(line);
    for (int32_t meaningful : {0, 1, 2, 10, 20, 30}) EXPECT_NE(code, meaningful) << line;
    EXPECT_EQ(GroupCodeOfFast(line), code) << line;  // the walk reads codes by the fast path
  }
}

}  // namespace
}  // namespace toridasu

namespace toridasu {
namespace {

// The inline reading of the usual shapes must agree with the full rules on
// every short line, whatever its bytes.
TEST(GroupCodeOfFast, AgreesWithTheFullRules) {
  for (const CodeCase& c : kCodeCases)
    EXPECT_EQ(GroupCodeOfFast(c.line), c.code) << '"' << c.line << '"';
  const std::string alphabet = " 0123456789x$-+a\t";
  for (char a : alphabet) {
    for (char b : alphabet) {
      for (char c : alphabet) {
        for (const std::string& line :
             {std::string{a, b, c}, std::string{a, b}, std::string{a, b, c, a}}) {
          ASSERT_EQ(GroupCodeOfFast(line), GroupCodeOf(line)) << '"' << line << '"';
        }
      }
    }
  }
}

}  // namespace
}  // namespace toridasu
