// What a conversion tells the user without failing: each kind of trouble
// once per drawing, at the line where it was first met. The model gives the
// block kinds; a reader gives those of its decoding, into the same log.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace toridasu::model {

struct Warning {
  enum class Kind {
    kFallbackCodePage,   // reader; detail: the code page used for texts that were not UTF-8
    kBlockCycle,         // detail: the block that contains itself
    kMissingBlock,       // detail: the block name
    kTooDeep,            // detail: the block where nesting was cut
    kTooManyCopies,      // detail: the block of the grid (or reference) cut short
    kUnknownCodePage,    // reader; detail: the code page the drawing names, read as 932
    kControlCharacters,  // reader; detail: how many were written as U+FFFD
    kCutDrawing,         // reader; the drawing ends without its EOF; line: its last line
    kDuplicateBlock,     // detail: the block defined again; the later definition is used
    kNestedSection,      // reader; a SECTION inside the entities, read on as entities
    kBudgetSpent,        // detail: the drawing's budget (--max-records), spent; the rest is cut
    kNotFinite,          // detail: how many records were left out for a number out of range
    kCount,              // not a kind: how many there are
  };
  Kind kind;
  std::string detail;  // UTF-8
  uint64_t line = 0;
};

class WarningLog {
 public:
  // Keeps the warning unless one of its kind is kept already.
  void Add(Warning::Kind kind, std::string detail, uint64_t line) {
    bool& seen = seen_[static_cast<std::size_t>(kind)];
    if (seen) return;
    seen = true;
    warnings_.push_back({kind, std::move(detail), line});
  }
  std::vector<Warning> Take() { return std::move(warnings_); }

 private:
  std::array<bool, static_cast<std::size_t>(Warning::Kind::kCount)> seen_{};
  std::vector<Warning> warnings_;
};

}  // namespace toridasu::model
