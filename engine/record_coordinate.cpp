#include "engine/record_coordinate.h"

#include <cstring>

namespace toridasu {
namespace {

constexpr std::size_t kKeptDigits = 15;
// Zeros after the point that records still write in plain form (0.000123).
constexpr std::size_t kPlainLeadingZeros = 3;

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

}  // namespace

// Spaces, a sign, digits with at most one point, as ParseCoordinate reads
// them; false for every other line, which is then read to a double.
bool RecordCoordinate::KeepPlainDecimal(std::string_view text) {
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p != end && *p == ' ') ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  const char* whole = p;
  while (p != end && IsDigit(*p)) ++p;
  const char* const wholeEnd = p;
  const char* fraction = p;
  if (p != end && *p == '.') {
    fraction = ++p;
    while (p != end && IsDigit(*p)) ++p;
  }
  const char* fractionEnd = p;
  if (p != end || (whole == wholeEnd && fraction == fractionEnd)) return false;

  while (whole != wholeEnd && *whole == '0') ++whole;
  while (fractionEnd != fraction && fractionEnd[-1] == '0') --fractionEnd;
  const auto wholeDigits = static_cast<std::size_t>(wholeEnd - whole);
  const auto fractionDigits = static_cast<std::size_t>(fractionEnd - fraction);
  if (wholeDigits + fractionDigits == 0) {
    Set(0.0);  // written "0", whatever its sign
    return true;
  }
  if (wholeDigits == 0) {
    std::size_t zeros = 0;
    while (fraction[zeros] == '0') ++zeros;
    if (zeros > kPlainLeadingZeros || fractionDigits - zeros > kKeptDigits) return false;
  } else if (wholeDigits + fractionDigits > kKeptDigits) {
    return false;
  }

  // The kept text is one run of the line: the whole digits, or a "0" in
  // their place, then the point and the fraction digits when there are any.
  char* out = text_;
  if (negative) *out++ = '-';
  const char* from = whole;
  if (wholeDigits == 0) {
    *out++ = '0';
    from = fraction - 1;
  }
  const char* const to = fractionDigits != 0 ? fractionEnd : wholeEnd;
  point_ =
      fractionDigits != 0 ? static_cast<uint8_t>((out - text_) + (fraction - 1 - from)) : kNoPoint;
  std::memcpy(out, from, static_cast<std::size_t>(to - from));
  length_ = static_cast<uint8_t>((out - text_) + (to - from));
  return true;
}

CoordinateStatus RecordCoordinate::Read(std::string_view text) {
  if (KeepPlainDecimal(text)) return CoordinateStatus::kValid;
  const Coordinate parsed = ParseCoordinate(text);
  if (parsed.status == CoordinateStatus::kValid) Set(parsed.value);
  if (parsed.status == CoordinateStatus::kInvalid) Set(0.0);
  return parsed.status;
}

std::size_t RecordCoordinate::Format(char separator, char* out) const {
  if (length_ == 0) return FormatReal(value_, separator, out);
  std::memcpy(out, text_, kMaxRealText);
  if (point_ != kNoPoint) out[point_] = separator;
  return length_;
}

}  // namespace toridasu
