#include "engine/format_real.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

namespace toridasu {
namespace {

struct GoldenRow {
  uint64_t bits;
  std::string_view text;
};

constexpr GoldenRow kGoldenRows[] = {
#include "data/format_real_golden.inc"
};

TEST(FormatReal, MatchesOracle) {
  for (const GoldenRow& row : kGoldenRows) {
    EXPECT_EQ(FormatReal(std::bit_cast<double>(row.bits), '.'), row.text)
        << std::hex << std::uppercase << "bits 0x" << row.bits;
  }
}

TEST(FormatReal, WritesTheEdgeCases) {
  const struct {
    double value;
    std::string_view text;
  } rows[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {1.0, "1"},
      {-1.0, "-1"},
      {0.1, "0.1"},
      {-2.5, "-2.5"},
      {100.0, "100"},
      {123.456, "123.456"},
      {-123456.789, "-123456.789"},
      {3.141592653589793, "3.14159265358979"},
      {2.0 / 3.0, "0.666666666666667"},
      {0x1.3333333333334p-2, "0.3"},  // 0.1 + 0.2
      {0.001, "0.001"},
      {0.0001, "0.0001"},
      {0.00015, "0.00015"},
      {-0.0005, "-0.0005"},
      {0.00012345678901234567, "0.000123456789012346"},
      {0.00001, "1E-5"},
      {1.5e-10, "1.5E-10"},
      {1e14, "100000000000000"},
      {123456789012345.0, "123456789012345"},
      {99999999999999.99, "100000000000000"},
      {1e15, "1E15"},
      {999999999999999.9, "1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {12345678901234567.0, "1.23456789012346E16"},
      {1e100, "1E100"},
      {-1e-100, "-1E-100"},
      {655628.4071677865, "655628.407167787"},  // 18 digits end ...786500: rounds up
      {std::numeric_limits<double>::max(), "1.79769313486232E308"},
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "INF"},
      {std::numeric_limits<double>::quiet_NaN(), "NAN"},
      {-std::numeric_limits<double>::quiet_NaN(), "NAN"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatReal(row.value, '.'), row.text) << std::hexfloat << row.value;
  }
}

TEST(FormatReal, UsesTheSeparatorByte) {
  const struct {
    double value;
    char separator;
    std::string_view text;
  } rows[] = {
      {1.5, ',', "1,5"},         {1.5e-10, ',', "1,5E-10"},
      {-0.0005, ',', "-0,0005"}, {100.0, ',', "100"},
      {1e15, ',', "1E15"},       {1234567890123456.0, ';', "1;23456789012346E15"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatReal(row.value, row.separator), row.text) << row.value;
  }
  // Any byte serves, also one outside ASCII.
  EXPECT_EQ(FormatReal(2.5, '\xA5'), std::string("2") + '\xA5' + "5");
}

TEST(FormatReal, LayoutBoundaries) {
  const struct {
    double value;
    std::string_view text;
  } rows[] = {
      {123456789012345.0, "123456789012345"},  // 15 integer digits: plain
      {1e15 - 1, "999999999999999"},
      {0.0001234, "0.0001234"},  // decimal exponent -3: plain
      {0.00009999, "9.999E-5"},  // -4: scientific
      {1e-300, "1E-300"},
      {1.25e300, "1.25E300"},
      {-1.2345678901234567e-100, "-1.23456789012346E-100"},  // the longest text
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FormatReal(row.value, '.'), row.text) << row.value;
  }
}

// The pointer form writes exactly the bytes it counts and never more than
// kMaxRealText.
TEST(FormatReal, PointerFormWritesOnlyItsBytes) {
  for (const GoldenRow& row : kGoldenRows) {
    char buffer[kMaxRealText + 8];
    std::memset(buffer, '#', sizeof buffer);
    const std::size_t length = FormatReal(std::bit_cast<double>(row.bits), '.', buffer);
    ASSERT_GE(length, 1u);
    ASSERT_LE(length, kMaxRealText);
    EXPECT_EQ(std::string_view(buffer, length), row.text);
    for (std::size_t i = length; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#');
  }
  char buffer[kMaxRealText];
  EXPECT_EQ(FormatReal(-1.2345678901234567e-100, '.', buffer), kMaxRealText);
}

}  // namespace
}  // namespace toridasu
