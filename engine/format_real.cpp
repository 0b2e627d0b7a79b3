// FormatReal: the text of a coordinate in a record. Two halves: the digit
// generation, which scales the value into 18 digits in the extended format
// and cuts them to 15, and the layout, which places those digits in plain or
// scientific form with the locale's separator. The digits of most values
// come by a short path: one exact factor and 32-bit digit arithmetic.
#include "engine/format_real.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "base/extended_real.h"
#include "base/wide_multiply.h"
#include "engine/number_paths.h"

namespace toridasu {
namespace {

constexpr uint64_t k10To15 = 1000000000000000u;
constexpr uint64_t k10To17 = 100000000000000000u;
constexpr uint64_t k10To18 = 1000000000000000000u;
constexpr ExtendedReal kTen = ExtendedReal::Finite(false, 3, 0xA000000000000000u);

// The significant digits of a finite non-zero value: |v| is 0.D * 10^exponent.
struct DecimalDigits {
  char digits[15];
  int count;  // 1 to 15; the first and last digit are not '0'
  int exponent;
};

// 19728 / 65536 lies just below log10(2): the estimate is the decimal
// exponent or one off, and the digit generation puts it right.
int EstimateExponent(const ExtendedReal& magnitude) {
  return ((magnitude.Exponent() * 19728) >> 16) + 1;
}

// |v| * 10^(18 - exponent), rounded in the extended steps, then to a whole number.
ExtendedReal ScaleTo18Digits(const ExtendedReal& magnitude, int exponent) {
  return ScaleByPowerOfTen(magnitude, 18 - exponent).RoundToInteger();
}

// Writes the 15 digits of a number in [10^14, 10^15) with 32-bit divisions.
void WriteFifteenDigits(uint64_t value, char* out) {
  auto high = static_cast<uint32_t>(value / 100000000u);  // 7 digits
  auto low = static_cast<uint32_t>(value % 100000000u);   // 8 digits
  for (int i = 14; i >= 7; --i, low /= 10) out[i] = static_cast<char>('0' + low % 10);
  for (int i = 6; i >= 0; --i, high /= 10) out[i] = static_cast<char>('0' + high % 10);
}

void DropTrailingZeros(DecimalDigits& d) {
  while (d.digits[d.count - 1] == '0') --d.count;
}

DecimalDigits GenerateDigits(const ExtendedReal& magnitude) {
  int exponent = EstimateExponent(magnitude);
  ExtendedReal scaled = ScaleTo18Digits(magnitude, exponent);
  const uint64_t first = scaled.ToUint64();
  if (first >= k10To18) {
    scaled = scaled.Divide(kTen);
    ++exponent;
  } else if (first < k10To17) {
    --exponent;
    scaled = ScaleTo18Digits(magnitude, exponent);
  }
  const uint64_t eighteen = scaled.RoundToInteger().ToUint64();
  assert(eighteen >= k10To17 && eighteen < k10To18);

  // Fifteen digits, rounded by the sixteenth digit alone.
  uint64_t fifteen = eighteen / 1000;
  if ((eighteen / 100) % 10 >= 5 && ++fifteen == k10To15) {
    fifteen = k10To15 / 10;
    ++exponent;
  }
  DecimalDigits result;
  WriteFifteenDigits(fifteen, result.digits);
  result.count = 15;
  DropTrailingZeros(result);
  result.exponent = exponent;
  return result;
}

// The short path: for these estimates every scale, 18 - E and 18 - E + 1,
// is a multiplication by one exact factor.
constexpr int kShortMinExponent = 18 + 1 - kMaxShortScale;
constexpr int kShortMaxExponent = 17;

bool TakesShortPath(const ExtendedReal& magnitude) {
  const int exponent = EstimateExponent(magnitude);
  return exponent >= kShortMinExponent && exponent <= kShortMaxExponent;
}

// floor(x / 10^9) for x below 2^60. m = ceil(2^93 / 10^9) exceeds 2^93 / 10^9
// by less than 2^30 / 10^9, so x * m / 2^93 exceeds x / 10^9 by less than
// 2^90 / (10^9 * 2^93) < 10^-9: too little to reach the next whole number.
uint32_t DivideBy10To9(uint64_t x) {
  constexpr uint64_t kMagic = 9903520314283042200u;  // ceil(2^93 / 10^9)
  return static_cast<uint32_t>(MultiplyWide(x, kMagic).high >> 29);
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void WriteDigitPair(uint32_t value, char* out) {
  out[0] = kDigitPairs[2 * value];
  out[1] = kDigitPairs[2 * value + 1];
}

// The nine digits of a number below 10^9: one, then two groups of four that
// do not wait on each other.
void WriteNineDigits(uint32_t value, char* out) {
  const uint32_t rest = value % 100000000u;
  const uint32_t high = rest / 10000u, low = rest % 10000u;
  out[0] = static_cast<char>('0' + value / 100000000u);
  WriteDigitPair(high / 100u, out + 1);
  WriteDigitPair(high % 100u, out + 3);
  WriteDigitPair(low / 100u, out + 5);
  WriteDigitPair(low % 100u, out + 7);
}

void WriteSixDigits(uint32_t value, char* out) {
  WriteDigitPair(value / 10000u, out);
  WriteDigitPair(value / 100u % 100u, out + 2);
  WriteDigitPair(value % 100u, out + 4);
}

// The digits of GenerateDigits, cut from the 18 in 32-bit arithmetic (the
// 32-bit build divides 64-bit numbers by a library call).
DecimalDigits GenerateShortDigits(const ExtendedReal& magnitude) {
  // The steps of GenerateDigits: a whole number of 18 digits from one
  // scaling, or else from a division by ten or a second scaling.
  int exponent = EstimateExponent(magnitude);
  uint64_t eighteen = magnitude.WholeAfterShortScale(18 - exponent);
  if (eighteen >= k10To18) {
    ++exponent;
    eighteen =
        ExtendedReal::FromUint64(eighteen).ScaledByShortPowerOfTen(-1).RoundToInteger().ToUint64();
  } else if (eighteen < k10To17) {
    --exponent;
    eighteen = magnitude.WholeAfterShortScale(18 - exponent);
  }
  assert(eighteen >= k10To17 && eighteen < k10To18);
  // Digits 1 to 9 and 10 to 15, rounded by digit 16: a carry out of the
  // lower six goes into the upper nine, and out of those (all fifteen were
  // nines) makes the single digit 1.
  uint32_t high = DivideBy10To9(eighteen);
  const auto low = static_cast<uint32_t>(eighteen - uint64_t{high} * 1000000000u);
  uint32_t six = low / 1000u;
  if (low / 100u % 10u >= 5 && ++six == 1000000u) {
    six = 0;
    if (++high == 1000000000u) {
      high = 100000000u;
      ++exponent;
    }
  }
  DecimalDigits result;
  WriteNineDigits(high, result.digits);
  WriteSixDigits(six, result.digits + 9);
  result.count = 15;
  DropTrailingZeros(result);
  result.exponent = exponent;
  return result;
}

char* WriteText(char* out, const char* text) {
  while (*text != '\0') *out++ = *text++;
  return out;
}

char* WriteDigits(char* out, const char* digits, int count) {
  for (int i = 0; i < count; ++i) *out++ = digits[i];
  return out;
}

char* WriteZeros(char* out, int count) {
  for (int i = 0; i < count; ++i) *out++ = '0';
  return out;
}

// Plain form for decimal exponents -3 to 15, scientific beyond.
char* Layout(const DecimalDigits& d, bool negative, char separator, char* out) {
  if (negative) *out++ = '-';
  const int e = d.exponent;
  if (e > 15 || e < -3) {
    *out++ = d.digits[0];
    if (d.count > 1) {
      *out++ = separator;
      out = WriteDigits(out, d.digits + 1, d.count - 1);
    }
    *out++ = 'E';
    int power = e - 1;
    if (power < 0) {
      *out++ = '-';
      power = -power;
    }
    char reversed[4];
    int n = 0;
    do {
      reversed[n++] = static_cast<char>('0' + power % 10);
      power /= 10;
    } while (power != 0);
    while (n > 0) *out++ = reversed[--n];
  } else if (e >= 1) {
    if (d.count <= e) {
      out = WriteDigits(out, d.digits, d.count);
      out = WriteZeros(out, e - d.count);
    } else {
      out = WriteDigits(out, d.digits, e);
      *out++ = separator;
      out = WriteDigits(out, d.digits + e, d.count - e);
    }
  } else {
    *out++ = '0';
    *out++ = separator;
    out = WriteZeros(out, -e);
    out = WriteDigits(out, d.digits, d.count);
  }
  return out;
}

std::size_t FormatRealBy(bool allowShortPath, double value, char separator, char* out) {
  char* const start = out;
  if (std::isnan(value)) {
    out = WriteText(out, "NAN");
  } else if (std::isinf(value)) {
    out = WriteText(out, "INF");
  } else if (value == 0.0) {
    *out++ = '0';
  } else {
    const ExtendedReal magnitude = ExtendedReal::FromDouble(value).Abs();
    const DecimalDigits digits = allowShortPath && TakesShortPath(magnitude)
                                     ? GenerateShortDigits(magnitude)
                                     : GenerateDigits(magnitude);
    out = Layout(digits, std::signbit(value), separator, out);
  }
  assert(static_cast<std::size_t>(out - start) <= kMaxRealText);
  return static_cast<std::size_t>(out - start);
}

}  // namespace

namespace internal {

std::size_t FormatRealFull(double value, char separator, char* out) {
  return FormatRealBy(false, value, separator, out);
}

bool FormatsByShortPath(double value) {
  return std::isfinite(value) && value != 0.0 && TakesShortPath(ExtendedReal::FromDouble(value));
}

}  // namespace internal

std::size_t FormatReal(double value, char separator, char* out) {
  return FormatRealBy(true, value, separator, out);
}

std::string FormatReal(double value, char separator) {
  char text[kMaxRealText];
  return std::string(text, FormatReal(value, separator, text));
}

}  // namespace toridasu
