// ParseCoordinate: a DXF value line to a double, through the extended format.
// The digits are gathered into one whole number, scaled by table powers of
// ten and rounded to double once; every intermediate step rounds in the
// extended format, and those exact steps decide the last bit of the result.
// Most coordinates take the short path: few digits, a small scale, one exact
// factor; the full path reads everything else.
#include "engine/parse_coordinate.h"

#include <cstdint>
#include <cstring>

#include "base/extended_real.h"
#include "engine/number_paths.h"

namespace toridasu {
namespace {

// Exponent digits beyond this saturate: the value is then infinity or zero
// whatever the fraction digits, as no text is long enough to offset it.
constexpr int64_t kExponentCap = int64_t{1} << 62;

// Accumulators below this take one more digit without passing 2^64.
constexpr uint64_t kExactLimit = UINT64_MAX / 10;

constexpr ExtendedReal kTen = ExtendedReal::Finite(false, 3, 0xA000000000000000u);

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// The whole number of all significand digits: acc := acc * 10 + digit, each
// operation rounded in the extended format. While the number fits 64 bits
// every step is exact, so plain integers give the same value much faster.
class DigitAccumulator {
 public:
  DigitAccumulator() = default;
  // Digits already gathered into a whole number below 10^19.
  explicit DigitAccumulator(uint64_t exact) : exact_(exact) {}

  // False once the number has passed the extended range.
  bool Push(char digit) {
    const auto value = static_cast<uint32_t>(digit - '0');
    if (!wide_) {
      if (exact_ < kExactLimit) {
        exact_ = exact_ * 10 + value;
        return true;
      }
      wide_ = true;
      extended_ = ExtendedReal::FromUint64(exact_);
    }
    extended_ = extended_.Multiply(kTen).AddSmall(value);
    return extended_.Kind() != RealKind::kOverflow;
  }

  ExtendedReal Value() const { return wide_ ? extended_ : ExtendedReal::FromUint64(exact_); }

  // Whether the number, rounded to double, passes the largest finite double.
  bool ExceedsDouble() const { return wide_ && extended_.ToDouble().overflow; }

 private:
  bool wide_ = false;
  uint64_t exact_ = 0;
  ExtendedReal extended_;
};

// The short path's whole number as the digit accumulator holds it: its
// first 19 digits are exact, and a twentieth (some drawing programs write 20)
// comes by the accumulator's own step.
ExtendedReal WholeNumber(uint64_t first19, int twentieth) {
  DigitAccumulator digits(first19);
  if (twentieth >= 0) digits.Push(static_cast<char>('0' + twentieth));
  return digits.Value();
}

Coordinate Valid(double value) { return {CoordinateStatus::kValid, value}; }
Coordinate OutOfRange() { return {CoordinateStatus::kOutOfRange, 0.0}; }

// A text that breaks the accepted form: the digits gathered before the
// offending byte still decide whether the value is out of range.
Coordinate Rejected(const DigitAccumulator& digits) {
  return digits.ExceedsDouble() ? OutOfRange() : Coordinate{CoordinateStatus::kInvalid, 0.0};
}

// digits * 10^scale, signed, rounded to double.
Coordinate Evaluate(const DigitAccumulator& digits, int64_t scale, bool negative) {
  ExtendedReal value = digits.Value();
  // A zero significand stays zero however large the exponent: 0E5200 is 0,
  // not the infinity that scaling would make of it.
  if (value.Kind() != RealKind::kZero) {
    if (scale > kMaxDecimalScale) {
      value = ExtendedReal::Infinity(false);
    } else if (scale < -kMaxDecimalScale) {
      value = ExtendedReal::Zero(false);
    } else {
      value = ScaleByPowerOfTen(value, static_cast<int32_t>(scale));
    }
  }
  if (negative) value = value.Negated();
  const NarrowedReal narrowed = value.ToDouble();
  return narrowed.overflow ? OutOfRange() : Valid(narrowed.value);
}

// Significands below this take one more digit and stay below 10^19.
constexpr uint64_t kShortDigitsLimit = 1000000000000000000u;

// Fraction and exponent digits beyond these send a text to the full path.
constexpr int kShortFractionDigits = 64;
constexpr int kShortExponentDigits = 4;

}  // namespace

namespace internal {

// Every text that this accepts the full path accepts too, as valid and with
// the same whole number (see WholeNumber). With |scale| <= 27 the full path
// applies one exact factor, which the short scaling does bit for bit; the
// result, between 10^-27 and 10^47, is neither subnormal nor out of range.
bool ParseShortCoordinate(std::string_view text, Coordinate* result) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end) return false;

  // Up to 19 significant digits in an integer; a twentieth kept apart.
  uint64_t whole = 0;
  int twentieth = -1;
  const auto takeDigit = [&whole, &twentieth](char digit) {
    if (whole < kShortDigitsLimit) {
      whole = whole * 10 + static_cast<uint32_t>(digit - '0');
      return true;
    }
    if (twentieth >= 0) return false;
    twentieth = digit - '0';
    return true;
  };
  for (; p != end && IsDigit(*p); ++p) {
    if (!takeDigit(*p)) return false;
  }
  int fractionDigits = 0;
  if (p != end && *p == '.') {
    for (++p; p != end && IsDigit(*p); ++p) {
      if (++fractionDigits > kShortFractionDigits || !takeDigit(*p)) return false;
    }
  }
  int exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool exponentNegative = false;
    if (p != end && (*p == '+' || *p == '-')) exponentNegative = *p++ == '-';
    const char* const first = p;
    for (; p != end && IsDigit(*p); ++p) {
      if (p - first == kShortExponentDigits) return false;
      exponent = exponent * 10 + (*p - '0');
    }
    if (p == first) return false;
    if (exponentNegative) exponent = -exponent;
  }
  if (p != end) return false;

  if (whole == 0) {
    *result = Valid(negative ? -0.0 : 0.0);
    return true;
  }
  const int scale = exponent - fractionDigits;
  if (scale < -kMaxShortScale || scale > kMaxShortScale) return false;
  ExtendedReal value = WholeNumber(whole, twentieth).ScaledByShortPowerOfTen(scale);
  if (negative) value = value.Negated();
  *result = Valid(value.ToDouble().value);
  return true;
}

Coordinate ParseCoordinateFull(std::string_view text) {
  // A NUL byte ends the text.
  if (const void* nul = std::memchr(text.data(), '\0', text.size())) {
    text = text.substr(0, static_cast<const char*>(nul) - text.data());
  }
  const char* p = text.data();
  const char* const end = p + text.size();
  DigitAccumulator digits;

  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end) return Rejected(digits);

  for (; p != end && IsDigit(*p); ++p) {
    if (!digits.Push(*p)) return OutOfRange();
  }
  int64_t fractionDigits = 0;
  if (p != end && *p == '.') {
    for (++p; p != end && IsDigit(*p); ++p, ++fractionDigits) {
      if (!digits.Push(*p)) return OutOfRange();
    }
  }
  int64_t exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    ++p;
    bool exponentNegative = false;
    if (p != end && (*p == '+' || *p == '-')) exponentNegative = *p++ == '-';
    if (p == end || !IsDigit(*p)) return Rejected(digits);
    for (; p != end && IsDigit(*p); ++p) {
      exponent = exponent < kExponentCap / 10 - 1 ? exponent * 10 + (*p - '0') : kExponentCap;
    }
    if (exponentNegative) exponent = -exponent;
  }
  if (p != end) return Rejected(digits);
  return Evaluate(digits, exponent - fractionDigits, negative);
}

}  // namespace internal

Coordinate ParseCoordinate(std::string_view text) {
  Coordinate result;
  if (internal::ParseShortCoordinate(text, &result)) return result;
  return internal::ParseCoordinateFull(text);
}

}  // namespace toridasu
