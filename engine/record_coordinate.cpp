#include "engine/record_coordinate.h"

#include <cstring>

#if defined(TORIDASU_SSE2_KERNELS)
#include "engine/record_coordinate_sse2.h"
#else
#include "engine/record_coordinate_scalar.h"
#endif

namespace toridasu {
namespace {

#if defined(TORIDASU_SSE2_KERNELS)
using DecimalKernel = Sse2DecimalBytes;
#else
using DecimalKernel = ScalarDecimalBytes;
#endif

constexpr std::size_t kKeptDigits = 15;
// Zeros after the point that records still write in plain form (0.000123).
constexpr std::size_t kPlainLeadingZeros = 3;

bool IsDigit(char c) { return static_cast<unsigned char>(c - '0') < 10; }

// Copies `count` bytes with two overlapping moves of `Width` bytes each
// (Width <= count <= 2 * Width).
template <std::size_t Width>
void CopyOverlapping(char* to, const char* from, std::size_t count) {
  char head[Width], tail[Width];
  std::memcpy(head, from, Width);
  std::memcpy(tail, from + count - Width, Width);
  std::memcpy(to, head, Width);
  std::memcpy(to + count - Width, tail, Width);
}

// Copies a few bytes without a library call.
[[gnu::always_inline]] inline void CopyFew(char* to, const char* from, std::size_t count) {
  if (count >= 8 && count <= 16) {
    CopyOverlapping<8>(to, from, count);
  } else if (count >= 4 && count < 8) {
    CopyOverlapping<4>(to, from, count);
  } else {
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
  }
}

}  // namespace

// The common shape: an optional '-', then digits with at most one point, 32
// bytes at most. One or two passes of vector compares give bitmaps of the
// digits, zeros and point, and the kept run is read off them without a loop.
RecordCoordinate::Shape RecordCoordinate::KeepShortDecimal(std::string_view text) {
  const std::size_t size = text.size();
  if (size == 0 || size > 32) return Shape::kOther;
  const auto [digits, zeros, points] = DecimalKernel::Classify(text.data(), size);
  const bool negative = text[0] == '-';
  const uint32_t all = size == 32 ? ~uint32_t{0} : (uint32_t{1} << size) - 1;
  const uint32_t body = all & ~static_cast<uint32_t>(negative);
  if (((digits | points) & body) != body || (points & (points - 1)) != 0 || (digits & body) == 0) {
    return Shape::kOther;
  }
  const uint32_t significant = digits & ~zeros & body;
  if (significant == 0) {
    Set(0.0);  // written "0", whatever its sign
    return Shape::kKept;
  }
  const auto point = static_cast<std::size_t>(points != 0 ? __builtin_ctz(points) : size);
  const auto first = static_cast<std::size_t>(__builtin_ctz(significant));
  const auto last = static_cast<std::size_t>(31 - __builtin_clz(significant));
  std::size_t from, to;  // the run of the text that is kept
  if (first < point) {
    const std::size_t fractionDigits = last > point ? last - point : 0;
    if (point - first + fractionDigits > kKeptDigits) return Shape::kNotKept;
    from = first;
    to = last > point ? last + 1 : point;
  } else {
    if (first - point - 1 > kPlainLeadingZeros || last - first + 1 > kKeptDigits) {
      return Shape::kNotKept;
    }
    from = point;  // "0" and the point, then the fraction up to its last non-zero digit
    to = last + 1;
  }
  char* out = text_;
  if (negative) *out++ = '-';
  if (first > point) *out++ = '0';
  point_ =
      point >= from && point < to ? static_cast<uint8_t>((out - text_) + (point - from)) : kNoPoint;
  CopyFew(out, text.data() + from, to - from);
  length_ = static_cast<uint8_t>((out - text_) + (to - from));
  return Shape::kKept;
}

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
  CopyFew(out, from, static_cast<std::size_t>(to - from));
  length_ = static_cast<uint8_t>((out - text_) + (to - from));
  return true;
}

CoordinateStatus RecordCoordinate::Read(std::string_view text) {
  const Shape shape = KeepShortDecimal(text);
  if (shape == Shape::kKept) return CoordinateStatus::kValid;
  if (shape == Shape::kOther && KeepPlainDecimal(text)) return CoordinateStatus::kValid;
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
