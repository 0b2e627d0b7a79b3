#include "engine/parse_coordinate.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <string>
#include <string_view>

namespace toridasu {
namespace {

using namespace std::string_view_literals;

struct GoldenRow {
  std::string_view text;
  CoordinateStatus status;
  uint64_t bits;
};

constexpr GoldenRow kGoldenRows[] = {
#include "data/parse_coordinate_golden.inc"
};

constexpr double kInf = std::numeric_limits<double>::infinity();

const char* StatusName(CoordinateStatus status) {
  switch (status) {
    case CoordinateStatus::kValid: return "valid";
    case CoordinateStatus::kInvalid: return "invalid";
    case CoordinateStatus::kOutOfRange: return "out of range";
  }
  return "?";
}

// Status and exact bits; a failure shows both as bits and as a decimal.
::testing::AssertionResult Parses(std::string_view text, CoordinateStatus status, uint64_t bits) {
  const Coordinate actual = ParseCoordinate(text);
  if (actual.status == status && std::bit_cast<uint64_t>(actual.value) == bits) {
    return ::testing::AssertionSuccess();
  }
  const double expected = std::bit_cast<double>(bits);
  std::string shown(text.substr(0, 60));
  if (text.size() > 60) shown += "... (" + std::to_string(text.size()) + " bytes)";
  return ::testing::AssertionFailure()
         << std::hex << std::uppercase << std::setprecision(17) << "\"" << shown << "\": got "
         << StatusName(actual.status) << " 0x" << std::bit_cast<uint64_t>(actual.value) << " ("
         << actual.value << "), want " << StatusName(status) << " 0x" << bits << " (" << expected
         << ")";
}

::testing::AssertionResult Parses(std::string_view text, CoordinateStatus status, double value) {
  return Parses(text, status, std::bit_cast<uint64_t>(value));
}

TEST(ParseCoordinate, MatchesOracle) {
  for (const GoldenRow& row : kGoldenRows) {
    EXPECT_TRUE(Parses(row.text, row.status, row.bits));
  }
}

TEST(ParseCoordinate, ReadsTheAcceptedForm) {
  const struct {
    std::string_view text;
    double value;
  } rows[] = {
      {"12.5", 0x1.9p+3},
      {" 12.5", 0x1.9p+3},
      {"   12.5", 0x1.9p+3},
      {"-3", -0x1.8p+1},
      {"+0.25", 0x1p-2},
      {".5", 0x1p-1},
      {"5.", 0x1.4p+2},
      {"1e3", 0x1.f4p+9},
      {"1E+3", 0x1.f4p+9},
      {"2.5E-2", 0x1.999999999999ap-6},
      {"1E-400", 0.0},
      {".", 0.0},
      {"E5", 0.0},
      {"e-5", 0.0},
      {"-.", -0.0},
      {"-0", -0.0},
      {"-0.000E+12", -0.0},
      {"0012.50", 0x1.9p+3},
      {"1.E2", 0x1.9p+6},
      {".5e1", 0x1.4p+2},
      {"1e0000000000000000000000000000003", 0x1.f4p+9},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(Parses(row.text, CoordinateStatus::kValid, row.value));
  }
}

TEST(ParseCoordinate, RejectsAnythingElse) {
  for (std::string_view text :
       {"12.5 "sv, "1,5"sv, "1.2.3"sv, "1E"sv,  "1E5x"sv,         "0x10"sv, "\t1"sv,   "-"sv,
        "+"sv,     "   "sv, " - 1"sv,  "--1"sv, "1e+"sv,          "1E 5"sv, "1e5.5"sv, "1d5"sv,
        "INF"sv,   "NAN"sv, "1\r"sv,   "1\n"sv, "\xEF\xBC\x91"sv, ""sv}) {
    EXPECT_TRUE(Parses(text, CoordinateStatus::kInvalid, 0.0));
  }
}

TEST(ParseCoordinate, ExtremeExponents) {
  const struct {
    std::string_view text;
    CoordinateStatus status;
    double value;
  } rows[] = {
      {"1E400", CoordinateStatus::kOutOfRange, 0.0},
      {"-1E400", CoordinateStatus::kOutOfRange, 0.0},
      {"1E5200", CoordinateStatus::kValid, kInf},
      {"-1E5200", CoordinateStatus::kValid, -kInf},
      {"1E5120", CoordinateStatus::kValid, kInf},
      {"1E5119", CoordinateStatus::kOutOfRange, 0.0},  // 10^5119 passes the extended range
      {"1E-5119", CoordinateStatus::kValid, 0.0},
      {"-1E-5200", CoordinateStatus::kValid, -0.0},
      {"1E99999999999999999999999999999999999999", CoordinateStatus::kValid, kInf},
      {"1E-99999999999999999999999999999999999999", CoordinateStatus::kValid, 0.0},
      {"1.7976931348623157E308", CoordinateStatus::kValid, 0x1.fffffffffffffp+1023},
      {"1.7976931348623159E308", CoordinateStatus::kOutOfRange, 0.0},
      {"4.9406564584124654E-324", CoordinateStatus::kValid, 0x1p-1074},
      {"2.4703282292062327E-324", CoordinateStatus::kValid, 0.0},
      {"2.2250738585072011E-308", CoordinateStatus::kValid, 0x0.fffffffffffffp-1022},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(Parses(row.text, row.status, row.value));
  }
}

// Departure from plain scaling: zero times any power of ten stays zero, where
// the infinity that a huge exponent gives would otherwise turn 0E5200 into
// infinity.
TEST(ParseCoordinate, ZeroSignificandStaysZeroWhateverTheExponent) {
  EXPECT_TRUE(Parses("0E5200", CoordinateStatus::kValid, 0.0));
  EXPECT_TRUE(Parses("-0E5200", CoordinateStatus::kValid, -0.0));
  EXPECT_TRUE(Parses("0.000E99999999999999999999", CoordinateStatus::kValid, 0.0));
  EXPECT_TRUE(Parses("E5200", CoordinateStatus::kValid, 0.0));
}

TEST(ParseCoordinate, NulByteEndsTheText) {
  EXPECT_TRUE(Parses("1.5\0junk"sv, CoordinateStatus::kValid, 0x1.8p+0));
  EXPECT_TRUE(Parses("-2\0"sv, CoordinateStatus::kValid, -0x1p+1));
  EXPECT_TRUE(Parses("\0"sv, CoordinateStatus::kInvalid, 0.0));
  EXPECT_TRUE(Parses(" -\0 1"sv, CoordinateStatus::kInvalid, 0.0));
  EXPECT_TRUE(Parses("1x\0"sv, CoordinateStatus::kInvalid, 0.0));
}

// The fraction digits count against the exponent however many there are.
TEST(ParseCoordinate, LongTexts) {
  const std::string zeros(10000, '0');
  EXPECT_TRUE(Parses("0." + zeros + "1E10001", CoordinateStatus::kValid, 1.0));
  EXPECT_TRUE(Parses(zeros + "7", CoordinateStatus::kValid, 7.0));
  EXPECT_TRUE(Parses("0." + zeros + "1", CoordinateStatus::kValid, 0.0));
  EXPECT_TRUE(Parses(std::string(5000, ' ') + "-1", CoordinateStatus::kValid, -1.0));
  // A scale of -5119 applied to a whole number of 4,933 digits.
  EXPECT_TRUE(Parses("1" + std::string(4932, '0') + "E-5119", CoordinateStatus::kValid, 1e-187));
}

// A digit string whose whole number passes the extended range is out of range
// whatever its exponent, point or trailing bytes.
TEST(ParseCoordinate, DigitsBeyondTheExtendedRange) {
  const std::string digits(5000, '1');
  EXPECT_TRUE(Parses(digits, CoordinateStatus::kOutOfRange, 0.0));
  EXPECT_TRUE(Parses(digits + "E-5000", CoordinateStatus::kOutOfRange, 0.0));
  EXPECT_TRUE(Parses("0." + digits, CoordinateStatus::kOutOfRange, 0.0));
  EXPECT_TRUE(Parses("1." + std::string(5000, '0'), CoordinateStatus::kOutOfRange, 0.0));
  EXPECT_TRUE(Parses(digits + "x", CoordinateStatus::kOutOfRange, 0.0));
  EXPECT_TRUE(Parses(std::string(1000000, '9'), CoordinateStatus::kOutOfRange, 0.0));
}

// An invalid text is first range-tested on the digits before the offending
// byte, sign and point left out.
TEST(ParseCoordinate, InvalidTextTooLargeForDoubleIsOutOfRange) {
  const std::string ones309(309, '1');  // about 1.1e308: fits
  const std::string ones310(310, '1');  // about 1.1e309: does not
  const struct {
    std::string text;
    CoordinateStatus status;
  } rows[] = {
      {ones310 + "x", CoordinateStatus::kOutOfRange},
      {"-" + ones310 + " ", CoordinateStatus::kOutOfRange},
      {"1" + std::string(155, '1') + "." + std::string(155, '1') + ".",
       CoordinateStatus::kOutOfRange},
      {ones310 + "E", CoordinateStatus::kOutOfRange},
      {ones309 + "x", CoordinateStatus::kInvalid},
      {ones309 + "E-400x", CoordinateStatus::kInvalid},  // exponent digits do not count
      {"1x" + ones310, CoordinateStatus::kInvalid},  // digits after the offending byte do not count
      {"1E5x", CoordinateStatus::kInvalid},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(Parses(row.text, row.status, 0.0));
  }
}

// Every operation of the digit gathering rounds: 2^53 + 1 followed by a tiny
// fraction is first held as exactly 2^53 + 1, a tie that the narrowing then
// rounds to the even 2^53.
TEST(ParseCoordinate, RoundsInTheExtendedSteps) {
  EXPECT_TRUE(Parses("9007199254740993", CoordinateStatus::kValid, 0x1p+53));
  EXPECT_TRUE(Parses("9007199254740993.0000000000001", CoordinateStatus::kValid, 0x1p+53));
  EXPECT_TRUE(Parses("9007199254740995", CoordinateStatus::kValid, 0x1.0000000000002p+53));
}

}  // namespace
}  // namespace toridasu
