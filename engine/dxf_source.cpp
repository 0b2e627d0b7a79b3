#include "engine/dxf_source.h"

#include <algorithm>
#include <string>

#include "base/errors.h"
#include "engine/conversion_failure.h"
#include "engine/pair_skim.h"

namespace toridasu {

DxfSource::DxfSource(Platform& platform, std::size_t blockSize)
    : platform_(&platform), blockSize_(blockSize == 0 ? 1 : blockSize) {}

DxfSource::DxfSource(std::size_t blockSize) : blockSize_(blockSize == 0 ? 1 : blockSize) {}

DxfSource::~DxfSource() {
  if (IsOpen()) source_->Close();
}

void DxfSource::Open(std::string_view name) {
  if (!platform_) RaiseIoError(static_cast<int32_t>(win_error::kInvalidHandle));
  file_.emplace(*platform_);
  file_->OpenOrRaise(name);
  Start(*file_);
}

void DxfSource::Open(ByteSource& source) { Start(source); }

void DxfSource::Start(ByteSource& source) {
  // Zeroed once: the finder and the skim read whole chunks, past the fill too.
  if (!buffer_) {
    buffer_ =
        std::make_unique<char[]>(blockSize_ + std::max(LineEndFinder::kPadding, kSkimPadding));
  }
  finder_.Reset(buffer_.get(), 0);
  source_ = &source;
  position_ = fill_ = 0;
  ended_ = false;
  lineEnds_ = 0;
  lastByteOfBlock_ = kLineFeed;
}

void DxfSource::Close() {
  if (!IsOpen()) RaiseIoError(io_code::kFileNotOpen);
  ByteSource& source = *source_;
  source_ = nullptr;  // closed whatever the source answers
  if (const uint32_t code = source.Close()) RaiseIoError(static_cast<int32_t>(code));
}

void DxfSource::CloseAfterFailure() {
  if (!IsOpen()) return;
  try {
    Close();
  } catch (const Exception&) {
    // The conversion has failed already; the first cause is the one kept.
  }
}

bool DxfSource::Refill() {
  if (ended_) return false;
  if (!IsOpen()) RaiseIoError(io_code::kFileNotOpen);
  if (fill_ > 0) lastByteOfBlock_ = buffer_[fill_ - 1];
  position_ = fill_ = 0;
  finder_.Reset(buffer_.get(), 0);
  uint32_t got = 0;
  const uint32_t code = source_->Read(buffer_.get(), static_cast<uint32_t>(blockSize_), &got);
  if (code != 0 && code != win_error::kBrokenPipe) RaiseIoError(static_cast<int32_t>(code));
  if (code != 0 || got == 0) {
    ended_ = true;  // the physical end acts as a Ctrl-Z that is never consumed
    return false;
  }
  fill_ = got;
  finder_.Reset(buffer_.get(), fill_);
  if (progress_) progress_->fetch_add(got, std::memory_order_relaxed);
  return true;
}

void DxfSource::SkimPairs() {
  if (ended_ || position_ >= fill_) return;
  finder_.Forget();
  const SkimStop stop = toridasu::SkimPairs(buffer_.get(), position_, fill_);
  position_ = stop.position;
  lineEnds_ += stop.lineEnds;
}

uint64_t DxfSource::LastLineNumber() const {
  const char before = position_ > 0 ? buffer_[position_ - 1] : lastByteOfBlock_;
  return before == kLineFeed || before == kCarriageReturn ? lineEnds_ : lineEnds_ + 1;
}

bool DxfSource::AtEndSlow() {
  if (ended_) return true;
  if (position_ == fill_ && !Refill()) return true;
  if (buffer_[position_] == kEndOfFileMark) ended_ = true;
  return ended_;
}

void DxfSource::PassLineEnd() {
  const char end = buffer_[position_];
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
}

void DxfSource::RaiseLineTooLong() const {
  ConversionFailure failure;
  failure.kind = FailureKind::kLineTooLong;
  failure.line = NextLineNumber();
  failure.detail = std::to_string(lineLimit_ >> 20);
  throw failure;
}

void DxfSource::TakeLine(ByteBuffer* line) {
  finder_.Forget();
  for (;;) {
    if (position_ == fill_ && !Refill()) return;
    const std::size_t stop = finder_.NextLineEndByte(position_);
    if (line) {
      line->append(buffer_.get() + position_, stop - position_);
      if (lineLimit_ != 0 && line->size() > lineLimit_) RaiseLineTooLong();
    }
    position_ = stop;
    if (position_ == fill_) continue;  // the line goes on in the next block
    PassLineEnd();
    return;
  }
}

}  // namespace toridasu
