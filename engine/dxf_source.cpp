#include "engine/dxf_source.h"

#include "base/errors.h"
#include "engine/file_name_rules.h"
#include "engine/line_scan.h"

namespace toridasu {

DxfSource::DxfSource(Platform& platform, std::size_t blockSize)
    : platform_(platform), blockSize_(blockSize == 0 ? 1 : blockSize) {}

DxfSource::~DxfSource() {
  if (IsOpen()) platform_.Close(handle_);
}

void DxfSource::Open(std::string_view name) {
  if (const int32_t refusal = FileNameRefusal(name)) RaiseIoError(refusal);
  const std::string zeroTerminated(name);
  FileHandle handle = kNoFile;
  if (const uint32_t code = platform_.OpenForReading(zeroTerminated.c_str(), &handle)) {
    RaiseIoError(static_cast<int32_t>(code));
  }
  if (!buffer_) buffer_ = std::make_unique<char[]>(blockSize_);
  handle_ = handle;
  position_ = fill_ = 0;
  ended_ = false;
  lineEnds_ = 0;
}

void DxfSource::Close() {
  if (!IsOpen()) RaiseIoError(io_code::kFileNotOpen);
  const FileHandle handle = handle_;
  handle_ = kNoFile;  // closed whatever the platform answers
  if (const uint32_t code = platform_.Close(handle)) RaiseIoError(static_cast<int32_t>(code));
}

bool DxfSource::Refill() {
  if (ended_) return false;
  if (!IsOpen()) RaiseIoError(io_code::kFileNotOpen);
  position_ = fill_ = 0;
  uint32_t got = 0;
  const uint32_t code = platform_.Read(handle_, buffer_.get(), static_cast<uint32_t>(blockSize_), &got);
  if (code != 0 && code != win_error::kBrokenPipe) RaiseIoError(static_cast<int32_t>(code));
  if (code != 0 || got == 0) {
    ended_ = true;  // the physical end acts as a Ctrl-Z that is never consumed
    return false;
  }
  fill_ = got;
  return true;
}

bool DxfSource::AtEnd() {
  if (ended_) return true;
  if (position_ == fill_ && !Refill()) return true;
  if (buffer_[position_] == kEndOfFileMark) ended_ = true;
  return ended_;
}

template <bool kKeep>
void DxfSource::TakeLine(std::string* line) {
  if constexpr (kKeep) line->clear();
  for (;;) {
    if (position_ == fill_ && !Refill()) return;
    const char* start = buffer_.get() + position_;
    const char* stop = FindLineEnd(start, buffer_.get() + fill_);
    if constexpr (kKeep) line->append(start, static_cast<std::size_t>(stop - start));
    position_ = static_cast<std::size_t>(stop - buffer_.get());
    if (position_ == fill_) continue;  // the line goes on in the next block
    const char end = *stop;
    if (end == kEndOfFileMark) {
      ended_ = true;
      return;
    }
    ++position_;
    ++lineEnds_;
    if (end == kCarriageReturn) {
      // CR LF is one line end; the LF may sit at the start of the next block.
      if (position_ == fill_ && !Refill()) return;
      if (buffer_[position_] == kLineFeed) ++position_;
    }
    return;
  }
}

void DxfSource::ReadLine(std::string& line) { TakeLine<true>(&line); }
void DxfSource::SkipLine() { TakeLine<false>(nullptr); }

void ReadGroupPair(DxfSource& source, GroupPair& pair) {
  source.ReadLine(pair.code);
  source.ReadLine(pair.value);
}

}  // namespace toridasu
