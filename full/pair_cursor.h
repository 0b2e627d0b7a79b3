// Group pairs of a drawing, one at a time, for the structured reading. The
// value line is read only when asked for; otherwise it is passed over, which
// keeps the walk over uninteresting entities as fast as the line scan.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/dxf_source.h"

namespace toridasu::full {

// A group code as the structured reading takes it: blanks (spaces, tabs)
// around the number are allowed; anything else is no code at all.
constexpr int32_t kNoCode = -100000;
int32_t StructuredGroupCode(std::string_view text);

class PairCursor {
 public:
  explicit PairCursor(DxfSource& source) : source_(source) {}

  // Moves to the next pair; false at the end of the drawing. After Hold(),
  // the same pair is given once more.
  bool Next() {
    if (held_) {
      held_ = false;
      return true;
    }
    if (!valueTaken_) source_.SkipLine();
    if (source_.AtEnd()) return false;
    line_ = source_.NextLineNumber();
    code_ = StructuredGroupCode(source_.ReadLineView(codeSpill_));
    valueTaken_ = false;
    return true;
  }
  int32_t Code() const { return code_; }
  // The value line of the current pair; valid until the next Next().
  std::string_view Value() {
    if (!valueTaken_) {
      value_ = source_.ReadLineView(valueSpill_);
      valueTaken_ = true;
    }
    return value_;
  }
  // The drawing's line of the current pair's value.
  uint64_t ValueLine() const { return line_ + 1; }
  // The current pair is given again by the next Next().
  void Hold() {
    Value();  // the value must be read before anything moves
    held_ = true;
  }

 private:
  DxfSource& source_;
  std::string codeSpill_;
  std::string valueSpill_;
  std::string_view value_;
  int32_t code_ = kNoCode;
  uint64_t line_ = 0;
  bool valueTaken_ = true;
  bool held_ = false;
};

}  // namespace toridasu::full
