// Group pairs of a drawing for the structured reading, one at a time, with
// the current pair given once more after Hold(): a reader that meets a pair
// that belongs to its caller (the type line of the next entity) holds it and
// returns.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/group_code.h"
#include "engine/pair_reader.h"

namespace toridasu::full {

class PairCursor {
 public:
  explicit PairCursor(DxfSource& source) : reader_(source) {}

  // Moves to the next pair; false at the end of the drawing.
  bool Next() {
    if (held_) {
      held_ = false;
      return true;
    }
    if (reader_.AtEnd()) return false;
    pair_ = reader_.Take();
    return true;
  }
  int32_t Code() const { return pair_.code; }
  // The value line of the current pair; valid until the next Next().
  std::string_view Value() const { return pair_.value; }
  // The drawing's line of the current pair's value.
  uint64_t ValueLine() const { return pair_.line + 1; }
  // The next Next() gives the current pair again.
  void Hold() { held_ = true; }
  // Moves to the next pair of code 0 (a type: the next entity, object or
  // section end), passing over the rest; false at the end of the drawing.
  bool NextType() {
    while (Next()) {
      if (Code() == group_code::kType) return true;
    }
    return false;
  }

 private:
  PairReader reader_;
  GroupPair pair_;
  bool held_ = false;
};

}  // namespace toridasu::full
