#include "engine/record_coordinate.h"

namespace toridasu {
namespace internal {
namespace {

// Within these decimal exponents every value is a normal double with room
// to spare, and the number tests sweep each of them.
constexpr int kKeptMinExponent = -30;
constexpr int kKeptMaxExponent = 30;
constexpr int kKeptDigits = 15;

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

}  // namespace

bool KeptDigitsOf(std::string_view text, DecimalDigits* digits, bool* negative) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  *negative = false;
  if (p != end && (*p == '+' || *p == '-')) *negative = *p++ == '-';

  // Significant digits from the first non-zero one; zeros after it are
  // counted and written only when a later non-zero digit needs them.
  int count = 0;
  int pendingZeros = 0;
  int exponent = 0;  // while no significant digit: minus the zeros after the point
  bool anyDigit = false;
  bool pastPoint = false;
  for (; p != end; ++p) {
    const char c = *p;
    if (IsDigit(c)) {
      anyDigit = true;
      if (c == '0') {
        if (count != 0) {
          ++pendingZeros;
          if (!pastPoint) ++exponent;
        } else if (pastPoint) {
          --exponent;
        }
        continue;
      }
      if (count + pendingZeros >= kKeptDigits) return false;
      for (; pendingZeros > 0; --pendingZeros) digits->digits[count++] = '0';
      digits->digits[count++] = c;
      if (!pastPoint) ++exponent;
    } else if (c == '.' && !pastPoint) {
      pastPoint = true;
    } else {
      return false;
    }
  }
  if (!anyDigit) return false;
  digits->count = count;
  if (count == 0) return true;
  if (exponent < kKeptMinExponent || exponent > kKeptMaxExponent) return false;
  digits->exponent = exponent;
  return true;
}

}  // namespace internal

CoordinateStatus RecordCoordinate::Read(std::string_view text) {
  DecimalDigits digits;
  bool negative;
  if (internal::KeptDigitsOf(text, &digits, &negative)) {
    if (digits.count == 0) {
      Set(0.0);  // written "0", whatever its sign
    } else {
      digits_ = digits;
      negative_ = negative;
      keepsDigits_ = true;
    }
    return CoordinateStatus::kValid;
  }
  const Coordinate parsed = ParseCoordinate(text);
  if (parsed.status == CoordinateStatus::kValid) Set(parsed.value);
  if (parsed.status == CoordinateStatus::kInvalid) Set(0.0);
  return parsed.status;
}

std::size_t RecordCoordinate::Format(char separator, char* out) const {
  if (keepsDigits_) {
    return static_cast<std::size_t>(WriteDecimalDigits(digits_, negative_, separator, out) - out);
  }
  return FormatReal(value_, separator, out);
}

}  // namespace toridasu
