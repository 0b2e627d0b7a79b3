// A coordinate of a text entity, kept as its record will write it.
//
// Most value lines are plain decimals such as "47535.7156": no exponent, at
// most 15 significant digits, and a size that records write in plain form
// (below 10^15, and from 0.0001 up). Read to a double and written back with
// 15 significant digits, such a line gives its own digits again: a double
// holds every decimal of 15 digits to within a ninth of its last digit, and
// the extended steps of reading and writing add far less than the half digit
// that would change it. So the line's digits are kept, without leading or
// trailing zeros, and the round trip is skipped. Every other line is read to
// a double, which the record then formats.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/format_real.h"
#include "engine/parse_coordinate.h"

namespace toridasu {

class RecordCoordinate {
 public:
  // A coordinate of this value, formatted when the record is written.
  RecordCoordinate(double value = 0.0) : value_(value) {}  // NOLINT: a coordinate is its value

  // 0, as an entity starts.
  void Reset() { Set(0.0); }
  void Set(double value) {
    value_ = value;
    length_ = 0;
  }

  // Reads a value line (not empty) as ParseCoordinate does. kValid sets the
  // coordinate, kInvalid sets 0, and kOutOfRange leaves it as it was.
  CoordinateStatus Read(std::string_view text);

  // The coordinate's text in a record: FormatReal's bytes, 1 to kMaxRealText.
  std::size_t Format(char separator, char* out) const;

  // Whether the last Read kept the line's own digits.
  bool KeepsOwnDigits() const { return length_ != 0; }

 private:
  static constexpr uint8_t kNoPoint = 0xFF;

  enum class Shape { kKept, kNotKept, kOther };
  // The common shape at vector speed; kOther: a shape it leaves to KeepPlainDecimal.
  Shape KeepShortDecimal(std::string_view text);
  bool KeepPlainDecimal(std::string_view text);

  double value_ = 0.0;
  uint8_t length_ = 0;  // of the kept text; 0 when value_ is formatted
  uint8_t point_ = kNoPoint;
  char text_[kMaxRealText] = {};  // with '.' at point_
};

}  // namespace toridasu
