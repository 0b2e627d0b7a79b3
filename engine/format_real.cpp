// FormatReal: the text of a coordinate in a record. Two halves: the digit
// generation, which scales the value into 18 digits in the extended format
// and cuts them to 15, and the layout, which places those digits in plain or
// scientific form with the locale's separator.
#include "engine/format_real.h"

#include <cassert>
#include <cmath>
#include <cstdint>

#include "base/extended_real.h"

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

DecimalDigits GenerateDigits(double value) {
  const ExtendedReal magnitude = ExtendedReal::FromDouble(value).Abs();
  // 19728 / 65536 lies just below log10(2): the estimate is the decimal
  // exponent or one off, and the checks below put it right.
  int exponent = ((magnitude.Exponent() * 19728) >> 16) + 1;

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
  while (result.digits[result.count - 1] == '0') --result.count;
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

}  // namespace

std::size_t FormatReal(double value, char separator, char* out) {
  char* const start = out;
  if (std::isnan(value)) {
    out = WriteText(out, "NAN");
  } else if (std::isinf(value)) {
    out = WriteText(out, "INF");
  } else if (value == 0.0) {
    *out++ = '0';
  } else {
    out = Layout(GenerateDigits(value), std::signbit(value), separator, out);
  }
  assert(static_cast<std::size_t>(out - start) <= kMaxRealText);
  return static_cast<std::size_t>(out - start);
}

std::string FormatReal(double value, char separator) {
  char text[kMaxRealText];
  return std::string(text, FormatReal(value, separator, text));
}

}  // namespace toridasu
