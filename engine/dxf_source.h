// The input side of a conversion: a DXF drawing read as lines of bytes,
// strictly forward, in large blocks.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/line_scan.h"
#include "platform/platform.h"

namespace toridasu {

// A drawing opened for line reading. A line ends at CR, CR LF or LF; a
// Ctrl-Z byte (or the physical end) ends the drawing and is never consumed,
// so reading at the end yields empty lines.
class DxfSource {
 public:
  static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

  explicit DxfSource(Platform& platform = CurrentPlatform(),
                     std::size_t blockSize = kDefaultBlockSize);
  ~DxfSource();
  DxfSource(const DxfSource&) = delete;
  DxfSource& operator=(const DxfSource&) = delete;

  // Raises EInOutError with the platform's code when the file cannot be opened.
  void Open(std::string_view name);
  // Raises EInOutError: 103 when not open, else the platform's code.
  void Close();
  bool IsOpen() const { return handle_ != kNoFile; }
  // A counter advanced by every block read (for progress reports); may be null.
  void SetProgressCounter(std::atomic<uint64_t>* counter) { progress_ = counter; }

  // The next line into `line` (its previous content is replaced).
  void ReadLine(std::string& line) {
    const std::size_t start = position_;
    if (PassLineInBlock()) {
      line.assign(buffer_.get() + start, lineStop_ - start);
      return;
    }
    line.clear();
    TakeLine(&line);
  }
  // The next line as a view into the reader's buffer, or into `spill` when it
  // crosses a block edge. Valid until the next read or end test.
  std::string_view ReadLineView(std::string& spill) {
    const std::size_t start = position_;
    if (PassLineInBlock()) return std::string_view(buffer_.get() + start, lineStop_ - start);
    spill.clear();
    TakeLine(&spill);
    return spill;
  }
  // Moves past the next line without keeping it.
  void SkipLine() {
    if (!PassLineInBlock()) TakeLine(nullptr);
  }
  // True when the next byte is Ctrl-Z or there is none; consumes nothing.
  bool AtEnd() {
    if (position_ < fill_ && buffer_[position_] != kEndOfFileMark) return false;
    return AtEndSlow();
  }
  // The number (from 1) of the line that the next read returns.
  uint64_t NextLineNumber() const { return lineEnds_ + 1; }

 private:
  // Moves past the next line; its bytes are appended to `line` when given.
  void TakeLine(std::string* line);
  // Moves past the line end at position_ (CR, CR LF or LF); stops at Ctrl-Z.
  void PassLineEnd();
  bool AtEndSlow();
  // The common case, kept inline: the next line and its whole line end lie
  // in the block. Moves past them, leaving the line's end in lineStop_;
  // false (nothing moved) otherwise.
  bool PassLineInBlock() {
    if (position_ >= fill_) return false;
    const std::size_t stop = finder_.Next(position_);
    if (stop + 1 >= fill_) return false;
    const char end = buffer_[stop];
    if (end == kEndOfFileMark) return false;
    lineStop_ = stop;
    position_ = stop + 1 + (end == kCarriageReturn && buffer_[stop + 1] == kLineFeed);
    ++lineEnds_;
    return true;
  }
  // Reads the next block; false at the end of the drawing.
  bool Refill();

  Platform& platform_;
  FileHandle handle_ = kNoFile;
  std::unique_ptr<char[]> buffer_;
  std::size_t blockSize_;
  std::size_t position_ = 0;
  std::size_t fill_ = 0;
  LineEndFinder finder_;
  std::size_t lineStop_ = 0;
  bool ended_ = false;
  uint64_t lineEnds_ = 0;
  std::atomic<uint64_t>* progress_ = nullptr;
};

// Two lines of the drawing: a group-code line and its value line.
struct GroupPair {
  std::string code;
  std::string value;
};

void ReadGroupPair(DxfSource& source, GroupPair& pair);

// A group-code line as a number; never fails (see the reader's rules:
// an empty line gives -1, stray text ends the number).
int32_t GroupCodeOf(std::string_view codeText);

// The same, with the common shape (spaces, then up to nine digits) read inline.
inline int32_t GroupCodeOfFast(std::string_view text) {
  // Most code lines are three columns, right-aligned: "  0", " 10", "100".
  if (text.size() == 3) {
    const uint32_t a = static_cast<unsigned char>(text[0]);
    const uint32_t b = static_cast<unsigned char>(text[1]) - uint32_t{'0'};
    const uint32_t c = static_cast<unsigned char>(text[2]) - uint32_t{'0'};
    if (c <= 9) {
      if (a == ' ' && text[1] == ' ') return static_cast<int32_t>(c);
      if (a == ' ' && b <= 9) return static_cast<int32_t>(b * 10 + c);
      if (a - uint32_t{'0'} <= 9 && b <= 9)
        return static_cast<int32_t>((a - '0') * 100 + b * 10 + c);
    }
    return GroupCodeOf(text);
  }
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i == text.size() || text.size() - i > 9) return GroupCodeOf(text);
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const uint32_t digit = static_cast<unsigned char>(text[i]) - uint32_t{'0'};
    if (digit > 9) return GroupCodeOf(text);
    value = value * 10 + digit;
  }
  return static_cast<int32_t>(value);
}

// Whether `value`, upper-cased by the platform, contains `marker` at a
// position that does not start on the second byte of a double-byte character.
bool ContainsMarker(std::string_view value, std::string_view marker);

// Both markers of a type line ("EOF" and "TEXT") from one upper-casing.
struct TypeMarkers {
  bool endOfFile = false;
  bool text = false;
};
TypeMarkers MarkersOfType(std::string_view value);

// What a conversion keeps of one text entity.
struct TextEntity {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  std::string text;
  uint64_t textLine = 0;  // the drawing's line that held the text (0: none)
};

// Reads the groups of one text entity up to and including the next pair of
// group code 0, which stays in `pair`. Failures end the entity quietly.
void ReadTextEntity(DxfSource& source, TextEntity& entity, GroupPair& pair);

}  // namespace toridasu
