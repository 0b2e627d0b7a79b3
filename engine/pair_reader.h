// Reading a drawing as group pairs, one at a time, with one pair of
// look-ahead.
//
//   PairReader reader(source);          // source: an open DxfSource
//   while (!reader.AtEnd()) {
//     const GroupPair& pair = reader.Take();
//     ... pair.code, pair.value, pair.line ...
//   }
//
// A pair is its code line read as a number (GroupCodeOf's rules) and its
// value line as a view of bytes, unchanged. The view points into the
// source's block, or into the reader's own spill when the line crosses a
// block edge; it stays valid until the next Peek or Take that reads from the
// source. A value that must live longer is copied by the caller.
//
// Peek reads the next pair and leaves it waiting; Take returns the waiting
// pair, or reads one, and moves past it. So a reader that meets a pair which
// belongs to its caller (the type line that ends a text entity) peeks at it
// and returns, and the caller takes it next: no pair is handed back.
//
// Reading at the end of the drawing is no failure: the pair is two empty
// lines (code -1, empty value), as often as it is asked for. A read failure
// of the source leaves as EInOutError, with no pair waiting.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "engine/dxf_source.h"
#include "engine/group_code.h"

namespace toridasu {

struct GroupPair {
  int32_t code = -1;
  std::string_view value;  // valid until the next read (see above)
  uint64_t line = 0;       // the drawing's line (from 1) of the code; the value is on line + 1
};

class PairReader {
 public:
  explicit PairReader(DxfSource& source) : source_(source) {}
  PairReader(const PairReader&) = delete;
  PairReader& operator=(const PairReader&) = delete;

  // From here on, only the values of these codes (0 to 63) are read; every
  // other pair comes with an empty value, its line passed over unkept, so
  // that a long value nobody reads is never held.
  void KeepValuesOnlyOf(std::initializer_list<int32_t> codes) {
    keepsAll_ = false;
    keptCodes_ = 0;
    for (const int32_t code : codes) keptCodes_ |= uint64_t{1} << code;
  }

  // True when no pair is waiting and the source is at its end (a Ctrl-Z or
  // the physical end): every pair from here on is two empty lines.
  bool AtEnd() { return !waiting_ && source_.AtEnd(); }

  // The next pair, left waiting: the next Peek or Take gives it again.
  const GroupPair& Peek() {
    if (!waiting_) ReadPair();
    return pair_;
  }

  // The next pair, moved past. The pair itself, like its value, stays valid
  // until the next Peek or Take that reads (a copy is cheap).
  const GroupPair& Take() {
    if (!waiting_) ReadPair();
    waiting_ = false;
    return pair_;
  }

  // Moves past the pairs that the entity walk would read and drop, when no
  // pair is waiting (engine/pair_skim.h); the next Take reads exactly.
  void Skim() {
    if (!waiting_) source_.SkimPairs();
  }

  // Puts the value of the pair last taken into `into`, to outlive the next
  // read: taken over without a copy when it lies in the reader's spill (a
  // line across a block edge, or a long one), else copied.
  void TakeValueInto(ByteBuffer& into) {
    if (!pair_.value.empty() && pair_.value.data() == valueSpill_.data()) {
      valueSpill_.swap(into);
    } else {
      into.assign(pair_.value);
    }
  }

 private:
  void ReadPair() {
    pair_.line = source_.NextLineNumber();
    pair_.code = GroupCodeOfFast(source_.ReadLineView(codeSpill_));
    const bool keep = Keeps(pair_.code);
    const std::string_view value = source_.ReadLineView(valueSpill_, keep);
    pair_.value = std::string_view(value.data(), keep ? value.size() : 0);
    waiting_ = true;
  }

  bool Keeps(int32_t code) const {
    const auto c = static_cast<uint32_t>(code);
    return c < 64 ? ((keptCodes_ >> c) & 1) != 0 : keepsAll_;
  }

  DxfSource& source_;
  bool keepsAll_ = true;               // codes from 64 on, and negative ones
  uint64_t keptCodes_ = ~uint64_t{0};  // bit c for code c
  GroupPair pair_;
  bool waiting_ = false;
  ByteBuffer codeSpill_;
  ByteBuffer valueSpill_;
};

}  // namespace toridasu
