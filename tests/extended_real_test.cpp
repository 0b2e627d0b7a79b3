#include "base/extended_real.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <ostream>
#include <random>
#include <vector>

namespace toridasu {

// Shows a failing value as its parts, e.g. "+0xC000000000000002 * 2^(0-63)".
void PrintTo(const ExtendedReal& x, std::ostream* os) {
  switch (x.Kind()) {
    case RealKind::kZero: *os << (x.IsNegative() ? "-0" : "+0"); return;
    case RealKind::kInfinity: *os << (x.IsNegative() ? "-inf" : "+inf"); return;
    case RealKind::kNaN: *os << "nan"; return;
    case RealKind::kOverflow: *os << "overflow"; return;
    case RealKind::kFinite:
      *os << (x.IsNegative() ? '-' : '+') << "0x" << std::hex << std::uppercase << std::setw(16)
          << std::setfill('0') << x.Significand() << std::dec << " * 2^(" << x.Exponent() << "-63)";
      return;
  }
}

namespace {

struct ScaleRow {
  int32_t n;
  int32_t exponent;
  uint64_t significand;
  bool overflow;
};
struct MulDivRow {
  int32_t aExponent;
  uint64_t aSignificand;
  int32_t bExponent;
  uint64_t bSignificand;
  int32_t productExponent;
  uint64_t productSignificand;
  int32_t quotientExponent;
  uint64_t quotientSignificand;
};
struct AddRow {
  int32_t exponent;
  uint64_t significand;
  uint32_t addend;
  int32_t sumExponent;
  uint64_t sumSignificand;
};
struct RoundRow {
  int32_t exponent;
  uint64_t significand;
  int32_t roundedExponent;
  uint64_t roundedSignificand;  // 0 for zero
};
struct NarrowRow {
  int32_t exponent;
  uint64_t significand;
  uint64_t bits;
  bool overflow;
};

#include "data/extended_real_golden.inc"

ExtendedReal Positive(int32_t exponent, uint64_t significand) {
  return significand == 0 ? ExtendedReal::Zero(false)
                          : ExtendedReal::Finite(false, exponent, significand);
}

::testing::AssertionResult NarrowsTo(const ExtendedReal& x, uint64_t bits, bool overflow) {
  const NarrowedReal actual = x.ToDouble();
  if (std::bit_cast<uint64_t>(actual.value) == bits && actual.overflow == overflow) {
    return ::testing::AssertionSuccess();
  }
  const double expected = std::bit_cast<double>(bits);
  return ::testing::AssertionFailure()
         << std::hex << std::uppercase << "got 0x" << std::bit_cast<uint64_t>(actual.value) << " ("
         << std::setprecision(17) << actual.value << (actual.overflow ? ", overflow" : "")
         << "), want 0x" << bits << " (" << expected << (overflow ? ", overflow" : "") << ")";
}

TEST(ExtendedReal, MultiplyAndDivideMatchOracle) {
  for (const MulDivRow& row : kMulDivRows) {
    SCOPED_TRACE(::testing::Message()
                 << std::hex << "a 0x" << row.aSignificand << " b 0x" << row.bSignificand);
    const ExtendedReal a = Positive(row.aExponent, row.aSignificand);
    const ExtendedReal b = Positive(row.bExponent, row.bSignificand);
    EXPECT_EQ(a.Multiply(b), Positive(row.productExponent, row.productSignificand));
    EXPECT_EQ(a.Divide(b), Positive(row.quotientExponent, row.quotientSignificand));
    // The magnitude does not depend on the signs.
    EXPECT_EQ(a.Negated().Multiply(b),
              Positive(row.productExponent, row.productSignificand).Negated());
    EXPECT_EQ(a.Negated().Divide(b.Negated()),
              Positive(row.quotientExponent, row.quotientSignificand));
  }
}

TEST(ExtendedReal, AddSmallMatchesOracle) {
  for (const AddRow& row : kAddRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << "0x" << row.significand << std::dec
                                      << " exponent " << row.exponent << " + " << row.addend);
    EXPECT_EQ(Positive(row.exponent, row.significand).AddSmall(row.addend),
              Positive(row.sumExponent, row.sumSignificand));
  }
}

TEST(ExtendedReal, RoundToIntegerMatchesOracle) {
  for (const RoundRow& row : kRoundRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << "0x" << row.significand << std::dec
                                      << " exponent " << row.exponent);
    const ExtendedReal x = Positive(row.exponent, row.significand);
    EXPECT_EQ(x.RoundToInteger(), Positive(row.roundedExponent, row.roundedSignificand));
    EXPECT_EQ(x.Negated().RoundToInteger(),
              Positive(row.roundedExponent, row.roundedSignificand).Negated());
  }
}

TEST(ExtendedReal, ToDoubleMatchesOracle) {
  for (const NarrowRow& row : kNarrowRows) {
    SCOPED_TRACE(::testing::Message() << std::hex << "0x" << row.significand << std::dec
                                      << " exponent " << row.exponent);
    const ExtendedReal x = Positive(row.exponent, row.significand);
    EXPECT_TRUE(NarrowsTo(x, row.bits, row.overflow));
    EXPECT_TRUE(NarrowsTo(x.Negated(), row.bits | (uint64_t{1} << 63), row.overflow));
  }
}

TEST(ExtendedReal, ScalingByPowersOfTenMatchesOracle) {
  for (const ScaleRow& row : kScaleRows) {
    SCOPED_TRACE(::testing::Message() << "10^" << row.n);
    const ExtendedReal expected =
        row.overflow ? ExtendedReal::Overflow() : Positive(row.exponent, row.significand);
    EXPECT_EQ(ScaleByPowerOfTen(ExtendedReal::FromUint64(1), row.n), expected);
  }
}

TEST(ExtendedReal, PowersOfTenUpTo27AreExact) {
  // 10^k = 5^k * 2^k, and 5^k fits 64 bits up to k = 27.
  uint64_t five = 1;
  for (int k = 0; k <= 27; ++k, five *= 5) {
    const ExtendedReal power = ScaleByPowerOfTen(ExtendedReal::FromUint64(1), k);
    const ExtendedReal exact = ExtendedReal::FromUint64(five);
    EXPECT_EQ(power, ExtendedReal::Finite(false, exact.Exponent() + k, exact.Significand()))
        << "10^" << k;
  }
}

// The short route (a reciprocal and up to two corrections instead of a wide
// division; one product rounded straight to a whole number) gives the bits of
// the general scaling, for every short scale and significands of every shape.
TEST(ExtendedReal, ShortScalingMatchesGeneralScaling) {
  std::mt19937_64 random(27);
  std::vector<uint64_t> significands = {0x8000000000000000u, 0xFFFFFFFFFFFFFFFFu,
                                        0x8000000000000001u, 0xDE0B6B3A76400000u};
  for (int i = 0; i < 3000; ++i) {
    // Whole numbers of up to 19 digits, as the reader gathers them, and any 64 bits.
    const uint64_t whole = random() % 10000000000000000000u + 1;
    significands.push_back(i % 2 ? ExtendedReal::FromUint64(whole).Significand()
                                 : random() | 0x8000000000000000u);
  }
  for (int32_t n = -kMaxShortScale; n <= kMaxShortScale; ++n) {
    const int32_t powerExponent = ScaleByPowerOfTen(ExtendedReal::FromUint64(1), n).Exponent();
    for (uint64_t significand : significands) {
      SCOPED_TRACE(::testing::Message() << "10^" << n << std::hex << " 0x" << significand);
      const ExtendedReal x = ExtendedReal::Finite(false, 5 - n, significand);
      EXPECT_EQ(x.ScaledByShortPowerOfTen(n), ScaleByPowerOfTen(x, n));
      if (n > 0) {
        // Products of 53 to 64 bits: the whole number drops up to 11 fraction bits.
        const ExtendedReal y = ExtendedReal::Finite(
            false, 52 - powerExponent + static_cast<int32_t>(significand % 11), significand);
        EXPECT_EQ(y.WholeAfterShortScale(n), ScaleByPowerOfTen(y, n).RoundToInteger().ToUint64());
      }
    }
  }
}

TEST(ExtendedReal, FromDoubleIsExact) {
  constexpr double kMin = std::numeric_limits<double>::denorm_min();
  constexpr double kMax = std::numeric_limits<double>::max();
  const struct {
    double value;
    ExtendedReal expected;
  } rows[] = {
      {1.0, ExtendedReal::Finite(false, 0, 0x8000000000000000u)},
      {-3.0, ExtendedReal::Finite(true, 1, 0xC000000000000000u)},
      {0.1, ExtendedReal::Finite(false, -4, 0xCCCCCCCCCCCCD000u)},
      {kMax, ExtendedReal::Finite(false, 1023, 0xFFFFFFFFFFFFF800u)},
      {0x1p-1022, ExtendedReal::Finite(false, -1022, 0x8000000000000000u)},
      {0x0.fffffffffffffp-1022, ExtendedReal::Finite(false, -1023, 0xFFFFFFFFFFFFF000u)},
      {kMin, ExtendedReal::Finite(false, -1074, 0x8000000000000000u)},
      {3 * kMin, ExtendedReal::Finite(false, -1073, 0xC000000000000000u)},
      {0.0, ExtendedReal::Zero(false)},
      {-0.0, ExtendedReal::Zero(true)},
      {-std::numeric_limits<double>::infinity(), ExtendedReal::Infinity(true)},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ExtendedReal::FromDouble(row.value), row.expected) << row.value;
    EXPECT_TRUE(NarrowsTo(row.expected, std::bit_cast<uint64_t>(row.value), false));
  }
  EXPECT_EQ(ExtendedReal::FromDouble(std::numeric_limits<double>::quiet_NaN()).Kind(),
            RealKind::kNaN);
}

TEST(ExtendedReal, ToDoubleRoundsOnceAtTheLastPlace) {
  const struct {
    int32_t exponent;
    uint64_t significand;
    uint64_t bits;
    bool overflow;
  } rows[] = {
      {0, 0x8000000000000400u, 0x3FF0000000000000u, false},     // 1 + 2^-53: tie, stays even
      {0, 0x8000000000000401u, 0x3FF0000000000001u, false},     // just above the tie
      {0, 0x8000000000000C00u, 0x3FF0000000000002u, false},     // tie, up to even
      {0, 0xFFFFFFFFFFFFFC00u, 0x4000000000000000u, false},     // carries into the exponent
      {1023, 0xFFFFFFFFFFFFFBFFu, 0x7FEFFFFFFFFFFFFFu, false},  // below the tie: the largest double
      {1023, 0xFFFFFFFFFFFFFC00u, 0x7FF0000000000000u, true},   // tie rounds up out of range
      {1024, 0x8000000000000000u, 0x7FF0000000000000u, true},
      {16383, 0xFFFFFFFFFFFFFFFFu, 0x7FF0000000000000u, true},
      {-1023, 0xFFFFFFFFFFFFF800u, 0x0010000000000000u, false},  // subnormal rounds up to normal
      {-1074, 0xC000000000000000u, 0x0000000000000002u, false},  // 1.5 units: tie, up to even
      {-1073, 0xA000000000000000u, 0x0000000000000002u, false},  // 2.5 units: tie, down to even
      {-1075, 0x8000000000000000u, 0x0000000000000000u, false},  // half the smallest: to zero
      {-1075, 0x8000000000000001u, 0x0000000000000001u, false},
      {-1076, 0xFFFFFFFFFFFFFFFFu, 0x0000000000000000u, false},
      {-16000, 0x8000000000000000u, 0x0000000000000000u, false},
  };
  for (const auto& row : rows) {
    EXPECT_TRUE(NarrowsTo(ExtendedReal::Finite(false, row.exponent, row.significand), row.bits,
                          row.overflow))
        << std::hex << "0x" << row.significand << std::dec << " exponent " << row.exponent;
  }
}

TEST(ExtendedReal, OverflowIsKeptApartFromInfinity) {
  const ExtendedReal largest = ExtendedReal::Finite(false, 16383, 0xFFFFFFFFFFFFFFFFu);
  const ExtendedReal two = ExtendedReal::FromUint64(2);
  const ExtendedReal half = two.Divide(ExtendedReal::FromUint64(4));
  EXPECT_EQ(largest.Multiply(two), ExtendedReal::Overflow());
  EXPECT_EQ(largest.Divide(half), ExtendedReal::Overflow());
  EXPECT_EQ(largest.AddSmall(1), largest);  // far below its last place
  // Once lost, the value stays lost.
  EXPECT_EQ(ExtendedReal::Overflow().Multiply(ExtendedReal::Zero(false)), ExtendedReal::Overflow());
  EXPECT_EQ(ExtendedReal::Overflow().Divide(two), ExtendedReal::Overflow());
  EXPECT_EQ(ExtendedReal::Overflow().AddSmall(1), ExtendedReal::Overflow());
  EXPECT_TRUE(NarrowsTo(ExtendedReal::Overflow(), 0x7FF0000000000000u, true));
  EXPECT_TRUE(NarrowsTo(ExtendedReal::Infinity(false), 0x7FF0000000000000u, false));
  EXPECT_TRUE(NarrowsTo(ExtendedReal::Infinity(true), 0xFFF0000000000000u, false));
}

TEST(ExtendedReal, SpecialOperands) {
  const ExtendedReal three = ExtendedReal::FromUint64(3);
  const ExtendedReal zero = ExtendedReal::Zero(false);
  const ExtendedReal inf = ExtendedReal::Infinity(false);
  EXPECT_EQ(three.Negated().Multiply(zero), ExtendedReal::Zero(true));
  EXPECT_EQ(zero.Divide(three.Negated()), ExtendedReal::Zero(true));
  EXPECT_EQ(inf.Multiply(three.Negated()), ExtendedReal::Infinity(true));
  EXPECT_EQ(inf.Multiply(zero).Kind(), RealKind::kNaN);
  EXPECT_EQ(three.Divide(inf), zero);
  EXPECT_EQ(inf.Divide(three), inf);
  EXPECT_EQ(zero.AddSmall(7), ExtendedReal::FromUint64(7));
  EXPECT_EQ(ExtendedReal::NaN().Multiply(three).Kind(), RealKind::kNaN);
  EXPECT_TRUE(NarrowsTo(ExtendedReal::Zero(true), 0x8000000000000000u, false));
}

TEST(ExtendedReal, TinyResultsBecomeZero) {
  const ExtendedReal tiny = ExtendedReal::Finite(false, -9000, 0x8000000000000000u);
  EXPECT_EQ(tiny.Multiply(tiny), ExtendedReal::Zero(false));
  EXPECT_EQ(tiny.Negated().Divide(ExtendedReal::Finite(false, 9000, 0x8000000000000000u)),
            ExtendedReal::Zero(true));
  EXPECT_EQ(tiny.Multiply(ExtendedReal::Finite(false, -7445, 0x8000000000000000u)),
            ExtendedReal::Finite(false, -16445, 0x8000000000000000u));
}

TEST(ExtendedReal, WholeNumbersBelow2To64) {
  for (uint64_t value : {uint64_t{0}, uint64_t{1}, uint64_t{10}, uint64_t{999999999999999999u},
                         uint64_t{0xFFFFFFFFFFFFFFFFu}}) {
    EXPECT_EQ(ExtendedReal::FromUint64(value).ToUint64(), value);
  }
}

}  // namespace
}  // namespace toridasu
