// A coordinate of a text entity, kept as its record will write it.
//
// Most value lines are plain decimals such as "47535.7156": no exponent and
// at most 15 significant digits. Read to a double and written back with 15
// significant digits, such a line gives its own digits again: a double holds
// every decimal of 15 digits to within a ninth of its last digit, and the
// extended steps of reading and writing add far less than the half digit
// that would change it. Those digits are kept and the round trip skipped.
// Every other line is read to a double, which the record then formats.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/format_real.h"
#include "engine/parse_coordinate.h"

namespace toridasu {

class RecordCoordinate {
 public:
  // 0, as an entity starts.
  void Reset() { Set(0.0); }
  void Set(double value) {
    value_ = value;
    keepsDigits_ = false;
  }

  // Reads a value line (not empty) as ParseCoordinate does. kValid sets the
  // coordinate, kInvalid sets 0, and kOutOfRange leaves it as it was.
  CoordinateStatus Read(std::string_view text);

  // The coordinate's text in a record: FormatReal's bytes, 1 to kMaxRealText.
  std::size_t Format(char separator, char* out) const;

 private:
  double value_ = 0.0;
  bool keepsDigits_ = false;
  bool negative_ = false;
  DecimalDigits digits_{};
};

namespace internal {

// The digits of a plain decimal line that a round trip through a double
// gives back unchanged: spaces, a sign, digits with at most one point, at
// most 15 significant digits and a decimal exponent of -30 to 30; a zero
// has no digits (count 0), its text being "0" whatever the sign. False for
// every other line.
bool KeptDigitsOf(std::string_view text, DecimalDigits* digits, bool* negative);

}  // namespace internal
}  // namespace toridasu
