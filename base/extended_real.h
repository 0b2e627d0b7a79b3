// An extended real: sign, 64-bit significand and a wide binary exponent.
// Every operation rounds its exact result once, to nearest with ties to even,
// in integer arithmetic only, so the 32-bit and 64-bit builds and every
// compiler give the same bits. The number code (reading coordinates, writing
// reals) computes in this format and narrows to double at the end.
#pragma once

#include <cstdint>

namespace toridasu {

enum class RealKind : uint8_t {
  kZero,
  kFinite,
  kInfinity,
  kNaN,
  // A rounded result reached 2^(kMaxExponent + 1): the value is lost. Kept
  // apart from kInfinity so that a caller can tell a true infinity from a
  // range failure; every later operation on it stays kOverflow.
  kOverflow,
};

// The result of narrowing to double. `overflow` is set when the value, once
// rounded, lies beyond the largest finite double; `value` is then an infinity
// of the right sign but must not be taken for a result.
struct NarrowedReal {
  double value = 0.0;
  bool overflow = false;
};

class ExtendedReal {
 public:
  // Finite values are below 2^(kMaxExponent + 1), about 1.19e4932.
  static constexpr int32_t kMaxExponent = 16383;
  // Below 2^kMinExponent a result becomes zero. There is no gradual
  // underflow: values this small are far below the double range, so no
  // result narrowed to double can tell the difference.
  static constexpr int32_t kMinExponent = -16445;

  constexpr ExtendedReal() = default;  // +0

  // significand * 2^(exponent - 63); the significand must have its top bit set.
  static constexpr ExtendedReal Finite(bool negative, int32_t exponent, uint64_t significand) {
    return ExtendedReal(RealKind::kFinite, negative, exponent, significand);
  }
  static constexpr ExtendedReal Zero(bool negative) {
    return ExtendedReal(RealKind::kZero, negative, 0, 0);
  }
  static constexpr ExtendedReal Infinity(bool negative) {
    return ExtendedReal(RealKind::kInfinity, negative, 0, 0);
  }
  static constexpr ExtendedReal NaN() { return ExtendedReal(RealKind::kNaN, false, 0, 0); }
  static constexpr ExtendedReal Overflow() {
    return ExtendedReal(RealKind::kOverflow, false, 0, 0);
  }
  static ExtendedReal FromUint64(uint64_t value);
  // Exact: every double, subnormals included, has an extended value.
  static ExtendedReal FromDouble(double value);

  RealKind Kind() const { return kind_; }
  bool IsNegative() const { return negative_; }
  // The power of two of the leading bit (finite values only).
  int32_t Exponent() const { return exponent_; }
  uint64_t Significand() const { return significand_; }

  ExtendedReal Negated() const;
  ExtendedReal Abs() const;
  ExtendedReal Multiply(const ExtendedReal& factor) const;
  ExtendedReal Divide(const ExtendedReal& divisor) const;
  // Adds a small whole number to a value that is not negative.
  ExtendedReal AddSmall(uint32_t addend) const;
  // The nearest whole number, ties to even; the sign is kept (-0.3 gives -0).
  ExtendedReal RoundToInteger() const;
  // The value of a whole, non-negative number below 2^64.
  uint64_t ToUint64() const;
  // Rounds once to double, subnormals included.
  NarrowedReal ToDouble() const;
  // The same bits as ScaleByPowerOfTen(*this, n) for |n| <= kMaxShortScale,
  // by a shorter route: such n apply the one exact factor 10^|n|, and a
  // division by it needs no wide divide (a library call on the 32-bit build).
  ExtendedReal ScaledByShortPowerOfTen(int32_t n) const;
  // ScaledByShortPowerOfTen(n).RoundToInteger().ToUint64() in one step, for
  // a positive finite value, 0 < n <= kMaxShortScale and a result of at
  // least 1 and below 2^64.
  uint64_t WholeAfterShortScale(int32_t n) const;

  friend bool operator==(const ExtendedReal&, const ExtendedReal&) = default;

 private:
  constexpr ExtendedReal(RealKind kind, bool negative, int32_t exponent, uint64_t significand)
      : kind_(kind), negative_(negative), exponent_(exponent), significand_(significand) {}

  // Rounds significand.roundBit+sticky to 64 bits and applies the range.
  static ExtendedReal RoundAndPack(bool negative, int32_t exponent, uint64_t significand,
                                   bool roundBit, bool sticky);
  static ExtendedReal AddMagnitudes(bool negative, const ExtendedReal& a, const ExtendedReal& b);

  RealKind kind_ = RealKind::kZero;
  bool negative_ = false;
  int32_t exponent_ = 0;
  uint64_t significand_ = 0;
};

// The largest |n| whose power of ten has an exact 64-bit significand.
constexpr int32_t kMaxShortScale = 27;

// The largest |n| that ScaleByPowerOfTen accepts; larger decimal exponents
// are decided by their callers (infinity or zero).
constexpr int32_t kMaxDecimalScale = 5119;

// x * 10^n (n > 0) or x / 10^-n (n < 0), |n| <= kMaxDecimalScale. With
// m = |n|, the power is applied as up to three rounded table factors, in
// this order: 10^(m mod 32), 10^(32 * ((m div 32) mod 16)), 10^(512 * (m div 512));
// a factor 10^0 is skipped. Each step rounds, so the result may differ from
// the correctly rounded x * 10^n by a few units in the last place; readers and
// writers of decimal text rely on these exact steps.
ExtendedReal ScaleByPowerOfTen(const ExtendedReal& x, int32_t n);

}  // namespace toridasu
