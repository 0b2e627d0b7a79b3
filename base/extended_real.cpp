#include "base/extended_real.h"

#include <bit>
#include <cassert>
#include <cstring>

#include "base/wide_multiply.h"

namespace toridasu {
namespace {

constexpr uint64_t kTopBit = uint64_t{1} << 63;
constexpr uint64_t kLow32 = 0xFFFFFFFFu;

struct PowerOfTen {
  int32_t exponent;
  uint64_t significand;
};

#include "base/extended_real_powers.inc"

// (high:low) / divisor for a divisor with its top bit set and high < divisor,
// so the quotient fits 64 bits. Long division in two 32-bit quotient digits,
// each estimated from the divisor's upper half and corrected at most twice.
uint64_t DivideWide(uint64_t high, uint64_t low, uint64_t divisor, uint64_t* remainder) {
  constexpr uint64_t kBase = uint64_t{1} << 32;
  const uint64_t d1 = divisor >> 32, d0 = divisor & kLow32;
  const uint64_t u1 = low >> 32, u0 = low & kLow32;

  uint64_t q1 = high / d1;
  uint64_t rest = high - q1 * d1;
  while (q1 >= kBase || q1 * d0 > ((rest << 32) | u1)) {
    --q1;
    rest += d1;
    if (rest >= kBase) break;
  }
  // Wraps modulo 2^64; the true value is below the divisor.
  const uint64_t middle = (high << 32) + u1 - q1 * divisor;

  uint64_t q0 = middle / d1;
  rest = middle - q0 * d1;
  while (q0 >= kBase || q0 * d0 > ((rest << 32) | u0)) {
    --q0;
    rest += d1;
    if (rest >= kBase) break;
  }
  *remainder = (middle << 32) + u0 - q0 * divisor;
  return (q1 << 32) | q0;
}

// floor(2^127 / d) for a d with its top bit set that is not a power of two,
// so the quotient fits 64 bits: restoring division, one bit at a time.
constexpr uint64_t ReciprocalOf(uint64_t d) {
  uint64_t quotient = 0, rest = 0;
  for (int bit = 127; bit >= 0; --bit) {
    const bool carry = (rest >> 63) != 0;
    rest = (rest << 1) | (bit == 127 ? 1 : 0);
    quotient <<= 1;
    if (carry || rest >= d) {
      rest -= d;  // exact modulo 2^64: the true difference is below d
      quotient |= 1;
    }
  }
  return quotient;
}

struct ShortReciprocals {
  uint64_t values[kMaxShortScale + 1] = {};  // index 0 (10^0, a power of two) unused
  constexpr ShortReciprocals() {
    for (int m = 1; m <= kMaxShortScale; ++m) values[m] = ReciprocalOf(kUnitPowers[m].significand);
  }
};
constexpr ShortReciprocals kShortReciprocals;

// The product of two significands with their top bits set lies in
// [2^126, 2^128): its leading bit brought to bit 127. `exponent`, the sum of
// the factors' exponents, becomes the product's.
Wide SignificandProduct(uint64_t a, uint64_t b, int32_t& exponent) {
  Wide product = MultiplyWide(a, b);
  if (product.high & kTopBit) {
    ++exponent;
  } else {
    product.high = (product.high << 1) | (product.low >> 63);
    product.low <<= 1;
  }
  return product;
}

ExtendedReal FromTable(const PowerOfTen& power) {
  return ExtendedReal::Finite(false, power.exponent, power.significand);
}

}  // namespace

ExtendedReal ExtendedReal::RoundAndPack(bool negative, int32_t exponent, uint64_t significand,
                                        bool roundBit, bool sticky) {
  if (roundBit && (sticky || (significand & 1))) {
    if (++significand == 0) {
      significand = kTopBit;
      ++exponent;
    }
  }
  if (exponent > kMaxExponent) return Overflow();
  if (exponent < kMinExponent) return Zero(negative);
  return Finite(negative, exponent, significand);
}

ExtendedReal ExtendedReal::FromUint64(uint64_t value) {
  if (value == 0) return Zero(false);
  const int shift = std::countl_zero(value);
  return Finite(false, 63 - shift, value << shift);
}

ExtendedReal ExtendedReal::FromDouble(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const bool negative = (bits >> 63) != 0;
  const int32_t field = static_cast<int32_t>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (field == 0x7FF) return fraction != 0 ? NaN() : Infinity(negative);
  if (field == 0) {
    if (fraction == 0) return Zero(negative);
    const int shift = std::countl_zero(fraction);
    return Finite(negative, (63 - shift) - 1074, fraction << shift);
  }
  return Finite(negative, field - 1023, ((uint64_t{1} << 52) | fraction) << 11);
}

ExtendedReal ExtendedReal::Negated() const {
  ExtendedReal result = *this;
  if (kind_ != RealKind::kNaN && kind_ != RealKind::kOverflow) result.negative_ = !negative_;
  return result;
}

ExtendedReal ExtendedReal::Abs() const {
  ExtendedReal result = *this;
  result.negative_ = false;
  return result;
}

ExtendedReal ExtendedReal::Multiply(const ExtendedReal& factor) const {
  const RealKind a = kind_, b = factor.kind_;
  const bool negative = negative_ != factor.negative_;
  if (a == RealKind::kOverflow || b == RealKind::kOverflow) return Overflow();
  if (a == RealKind::kNaN || b == RealKind::kNaN) return NaN();
  if (a == RealKind::kInfinity || b == RealKind::kInfinity) {
    return (a == RealKind::kZero || b == RealKind::kZero) ? NaN() : Infinity(negative);
  }
  if (a == RealKind::kZero || b == RealKind::kZero) return Zero(negative);

  int32_t exponent = exponent_ + factor.exponent_;
  const Wide product = SignificandProduct(significand_, factor.significand_, exponent);
  return RoundAndPack(negative, exponent, product.high, (product.low & kTopBit) != 0,
                      (product.low << 1) != 0);
}

ExtendedReal ExtendedReal::Divide(const ExtendedReal& divisor) const {
  const RealKind a = kind_, b = divisor.kind_;
  const bool negative = negative_ != divisor.negative_;
  if (a == RealKind::kOverflow || b == RealKind::kOverflow) return Overflow();
  if (a == RealKind::kNaN || b == RealKind::kNaN) return NaN();
  if (a == RealKind::kInfinity) return b == RealKind::kInfinity ? NaN() : Infinity(negative);
  if (b == RealKind::kInfinity) return Zero(negative);
  if (b == RealKind::kZero) return a == RealKind::kZero ? NaN() : Infinity(negative);
  if (a == RealKind::kZero) return Zero(negative);

  // Scale the dividend by 2^63 or 2^64 so that the quotient has exactly 64 bits.
  const uint64_t d = divisor.significand_;
  int32_t exponent = exponent_ - divisor.exponent_;
  uint64_t high = significand_, low = 0;
  if (significand_ >= d) {
    low = high << 63;
    high >>= 1;
  } else {
    --exponent;
  }
  uint64_t remainder;
  const uint64_t quotient = DivideWide(high, low, d, &remainder);
  // Twice the remainder against the divisor, without overflowing 64 bits.
  const uint64_t other = d - remainder;
  return RoundAndPack(negative, exponent, quotient, remainder != 0 && remainder >= other,
                      remainder != 0 && remainder != other);
}

ExtendedReal ExtendedReal::AddMagnitudes(bool negative, const ExtendedReal& a,
                                         const ExtendedReal& b) {
  const ExtendedReal& big = a.exponent_ >= b.exponent_ ? a : b;
  const ExtendedReal& small = a.exponent_ >= b.exponent_ ? b : a;
  const int32_t shift = big.exponent_ - small.exponent_;
  const uint64_t s = small.significand_;
  // The smaller significand aligned below the larger one: (addHigh:addLow), sticky.
  uint64_t addHigh = 0, addLow = 0;
  bool sticky = false;
  if (shift == 0) {
    addHigh = s;
  } else if (shift < 64) {
    addHigh = s >> shift;
    addLow = s << (64 - shift);
  } else if (shift == 64) {
    addLow = s;
  } else if (shift < 128) {
    addLow = s >> (shift - 64);
    sticky = (s << (128 - shift)) != 0;
  } else {
    sticky = true;
  }
  uint64_t high = big.significand_ + addHigh;
  uint64_t low = addLow;
  int32_t exponent = big.exponent_;
  if (high < addHigh) {  // carry out of bit 63
    sticky = sticky || (low & 1) != 0;
    low = (low >> 1) | (high << 63);
    high = (high >> 1) | kTopBit;
    ++exponent;
  }
  return RoundAndPack(negative, exponent, high, (low & kTopBit) != 0, sticky || (low << 1) != 0);
}

ExtendedReal ExtendedReal::AddSmall(uint32_t addend) const {
  assert(!negative_ || kind_ != RealKind::kFinite);
  if (addend == 0 || (kind_ != RealKind::kZero && kind_ != RealKind::kFinite)) return *this;
  const ExtendedReal other = FromUint64(addend);
  if (kind_ == RealKind::kZero) return other;
  return AddMagnitudes(false, *this, other);
}

ExtendedReal ExtendedReal::RoundToInteger() const {
  if (kind_ != RealKind::kFinite || exponent_ >= 63) return *this;
  if (exponent_ < -1) return Zero(negative_);
  if (exponent_ == -1) {  // in [1/2, 1): exactly 1/2 goes to the even 0
    return significand_ > kTopBit ? Finite(negative_, 0, kTopBit) : Zero(negative_);
  }
  const int fractionBits = 63 - exponent_;
  uint64_t whole = significand_ >> fractionBits;
  const uint64_t fraction = significand_ & ((uint64_t{1} << fractionBits) - 1);
  const uint64_t half = uint64_t{1} << (fractionBits - 1);
  if (fraction > half || (fraction == half && (whole & 1))) ++whole;
  ExtendedReal result = FromUint64(whole);
  result.negative_ = negative_;
  return result;
}

uint64_t ExtendedReal::ToUint64() const {
  if (kind_ != RealKind::kFinite) return 0;
  assert(!negative_ && exponent_ >= 0 && exponent_ <= 63);
  return significand_ >> (63 - exponent_);
}

NarrowedReal ExtendedReal::ToDouble() const {
  uint64_t bits = 0;
  bool overflow = false;
  switch (kind_) {
    case RealKind::kZero: break;
    case RealKind::kNaN: bits = 0x7FF8000000000000u; break;
    case RealKind::kOverflow:
      overflow = true;
      bits = 0x7FF0000000000000u;
      break;
    case RealKind::kInfinity: bits = 0x7FF0000000000000u; break;
    case RealKind::kFinite: {
      if (exponent_ > 1023) {
        overflow = true;
        bits = 0x7FF0000000000000u;
        break;
      }
      // Bits of the significand that fall below the double's last place:
      // 11 for a normal result, more for a subnormal one.
      const int32_t dropped = exponent_ >= -1022 ? 11 : 11 + (-1022 - exponent_);
      if (dropped > 64) break;  // below half the smallest subnormal
      uint64_t kept = dropped == 64 ? 0 : significand_ >> dropped;
      const uint64_t rest =
          dropped == 64 ? significand_ : significand_ & ((uint64_t{1} << dropped) - 1);
      const uint64_t half = uint64_t{1} << (dropped - 1);
      if (rest > half || (rest == half && (kept & 1))) ++kept;
      if (exponent_ >= -1022) {
        // kept in [2^52, 2^53]; 2^53 carries into the exponent by the addition.
        const uint64_t field = static_cast<uint64_t>(exponent_ + 1022);
        bits = (field << 52) + kept;
        if (bits >= 0x7FF0000000000000u) {
          overflow = true;
          bits = 0x7FF0000000000000u;
        }
      } else {
        bits = kept;  // may round up into the smallest normal, which encodes alike
      }
      break;
    }
  }
  if (negative_ && kind_ != RealKind::kNaN) bits |= kTopBit;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return {value, overflow};
}

ExtendedReal ExtendedReal::ScaledByShortPowerOfTen(int32_t n) const {
  assert(n >= -kMaxShortScale && n <= kMaxShortScale);
  if (n >= 0 || kind_ != RealKind::kFinite) return ScaleByPowerOfTen(*this, n);
  // The steps of Divide, with the quotient's 64 bits first estimated from the
  // reciprocal and then made exact by the remainder.
  const PowerOfTen& power = kUnitPowers[-n];
  const uint64_t d = power.significand;
  const Wide estimate = MultiplyWide(significand_, kShortReciprocals.values[-n]);
  int32_t exponent = exponent_ - power.exponent;
  uint64_t high = significand_, low = 0;
  uint64_t quotient;
  if (significand_ >= d) {
    // floor(s * 2^63 / d): the estimate s * r / 2^64 is at most 1 below it.
    low = high << 63;
    high >>= 1;
    quotient = estimate.high;
  } else {
    // floor(s * 2^64 / d): the estimate s * r / 2^63 is at most 2 below it.
    --exponent;
    quotient = (estimate.high << 1) | (estimate.low >> 63);
  }
  // remainder := (high:low) - quotient * d, below 3d; then up to two corrections.
  const Wide product = MultiplyWide(quotient, d);
  uint64_t remainderHigh = high - product.high - (low < product.low ? 1 : 0);
  uint64_t remainder = low - product.low;
  while (remainderHigh != 0 || remainder >= d) {
    ++quotient;
    if (remainder < d) --remainderHigh;
    remainder -= d;
  }
  const uint64_t other = d - remainder;
  return RoundAndPack(negative_, exponent, quotient, remainder != 0 && remainder >= other,
                      remainder != 0 && remainder != other);
}

uint64_t ExtendedReal::WholeAfterShortScale(int32_t n) const {
  assert(kind_ == RealKind::kFinite && !negative_ && n > 0 && n <= kMaxShortScale);
  // Multiply by the exact factor 10^n without its tests of kinds.
  const PowerOfTen& power = kUnitPowers[n];
  int32_t exponent = exponent_ + power.exponent;
  const Wide product = SignificandProduct(significand_, power.significand, exponent);
  return RoundAndPack(false, exponent, product.high, (product.low & kTopBit) != 0,
                      (product.low << 1) != 0)
      .RoundToInteger()
      .ToUint64();
}

ExtendedReal ScaleByPowerOfTen(const ExtendedReal& x, int32_t n) {
  assert(n >= -kMaxDecimalScale && n <= kMaxDecimalScale);
  const bool up = n > 0;
  const uint32_t m = static_cast<uint32_t>(up ? n : -n);
  ExtendedReal result = x;
  const auto apply = [&](const PowerOfTen& power) {
    result = up ? result.Multiply(FromTable(power)) : result.Divide(FromTable(power));
  };
  if (m % 32 != 0) apply(kUnitPowers[m % 32]);
  if ((m / 32) % 16 != 0) apply(kMediumPowers[(m / 32) % 16]);
  if (m / 512 != 0) apply(kLargePowers[m / 512]);
  return result;
}

}  // namespace toridasu
