// The input side of a conversion: a DXF drawing read as lines of bytes,
// strictly forward, in large blocks. Pairs of lines are read through
// PairReader (engine/pair_reader.h).
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/byte_buffer.h"
#include "engine/line_scan.h"
#include "io/byte_source.h"
#include "io/file_source.h"
#include "platform/platform.h"

namespace toridasu {

// A drawing opened for line reading. A line ends at CR, CR LF or LF; a
// Ctrl-Z byte (or the physical end) ends the drawing and is never consumed,
// so reading at the end yields empty lines.
class DxfSource {
 public:
  static constexpr std::size_t kDefaultBlockSize = 256 * 1024;

  explicit DxfSource(Platform& platform, std::size_t blockSize = kDefaultBlockSize);
  // A source that is only ever opened on a ByteSource, never by name.
  explicit DxfSource(std::size_t blockSize = kDefaultBlockSize);
  ~DxfSource();
  DxfSource(const DxfSource&) = delete;
  DxfSource& operator=(const DxfSource&) = delete;

  // Raises EInOutError with the platform's code when the file cannot be opened.
  void Open(std::string_view name);
  // Reads the drawing from `source` (memory, standard input, ...), which
  // outlives the reading; Close closes it.
  void Open(ByteSource& source);
  // Raises EInOutError: 103 when not open, else the source's code.
  void Close();
  bool IsOpen() const { return source_ != nullptr; }
  // After a failed conversion: closes the source when it is open, dropping
  // a failure of that close (the first cause is the one kept).
  void CloseAfterFailure();
  // The longest line kept whole (0: no bound). A longer line that a reader
  // keeps raises a ConversionFailure (kLineTooLong) at that line; passed-over
  // lines are never held, so they need no bound.
  void SetLineLimit(uint64_t bytes) { lineLimit_ = bytes; }
  // A counter advanced by every block read (for progress reports); may be null.
  void SetProgressCounter(std::atomic<uint64_t>* counter) { progress_ = counter; }

  // The next line as a view into the reader's buffer, or into `spill` when it
  // crosses a block edge. Valid until the next read or end test. Without
  // `keep`, a line across a block edge is passed over unkept, however long,
  // and the view is empty; the caller then has no use for the line.
  std::string_view ReadLineView(ByteBuffer& spill, bool keep = true) {
    const std::size_t start = position_;
    if (PassLineInBlock()) return std::string_view(buffer_.get() + start, lineStop_ - start);
    spill.clear();
    TakeLine(keep ? &spill : nullptr);
    return spill.View();
  }
  // True when the next byte is Ctrl-Z or there is none; consumes nothing.
  bool AtEnd() {
    if (position_ < fill_ && buffer_[position_] != kEndOfFileMark) return false;
    return AtEndSlow();
  }
  // The number (from 1) of the line that the next read returns.
  uint64_t NextLineNumber() const { return lineEnds_ + 1; }
  // At the end: the number of the drawing's last line, counting a last line
  // without a line end (0 for an empty drawing).
  uint64_t LastLineNumber() const;

  // From the start of a code line, moves past the whole pairs of the current
  // block that the entity walk would read and drop (engine/pair_skim.h),
  // keeping the line count exact. Stops at a code line.
  void SkimPairs();

 private:
  [[noreturn]] void RaiseLineTooLong() const;
  // Moves past the next line, appending its bytes to `line` (when not null).
  void TakeLine(ByteBuffer* line);
  // Moves past the line end at position_ (CR, CR LF or LF); stops at Ctrl-Z.
  void PassLineEnd();
  bool AtEndSlow();
  // The common case, kept inline: the next line and its whole line end lie
  // in the block. Moves past them, leaving the line's end in lineStop_;
  // false (nothing moved) otherwise.
  bool PassLineInBlock() {
    std::size_t stop;
    if (!finder_.TakeNext(position_, &stop)) return false;
    const char end = buffer_[stop];
    if (stop + 1 >= fill_ || end == kEndOfFileMark) return false;  // TakeLine reads it
    lineStop_ = stop;
    position_ = stop + 1 + (end == kCarriageReturn && buffer_[stop + 1] == kLineFeed);
    ++lineEnds_;
    return true;
  }
  // Reads the next block; false at the end of the drawing.
  bool Refill();

  // Starts a reading of `source` from its first byte.
  void Start(ByteSource& source);

  Platform* platform_ = nullptr;
  std::optional<FileSource> file_;
  ByteSource* source_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  std::size_t blockSize_;
  std::size_t position_ = 0;
  std::size_t fill_ = 0;
  LineEndFinder finder_;
  std::size_t lineStop_ = 0;
  bool ended_ = false;
  uint64_t lineEnds_ = 0;
  uint64_t lineLimit_ = 0;
  char lastByteOfBlock_ = kLineFeed;  // of the block before the current one
  std::atomic<uint64_t>* progress_ = nullptr;
};

}  // namespace toridasu
