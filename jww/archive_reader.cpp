#include "jww/archive_reader.h"

#include <algorithm>

#include "base/errors.h"

namespace toridasu::jww {
namespace {

// The escapes of a string's length: a byte of 0xFF says a WORD follows, a
// WORD of 0xFFFE that the characters are wide and the length starts again,
// a WORD of 0xFFFF that a DWORD follows.
constexpr uint8_t kLongerLength = 0xFF;
constexpr uint16_t kWideMark = 0xFFFE;
constexpr uint16_t kWordEscape = 0xFFFF;
constexpr uint32_t kDwordEscape = 0xFFFFFFFF;

}  // namespace

void RaiseDamage(Damage damage, uint64_t offset, std::string detail) {
  ConversionFailure failure;
  failure.kind = FailureKind::kDamaged;
  failure.damage = damage;
  failure.line = offset;
  failure.detail = std::move(detail);
  throw failure;
}

ArchiveReader::ArchiveReader(ByteSource& source, std::atomic<uint64_t>* progress)
    : source_(source), progress_(progress), buffer_(std::make_unique<char[]>(kBufferSize)) {}

void ArchiveReader::Refill(std::size_t count) {
  // What is left moves to the front; the rest of the buffer is filled.
  const std::size_t left = fill_ - position_;
  std::memmove(buffer_.get(), buffer_.get() + position_, left);
  consumed_ += position_;
  position_ = 0;
  fill_ = left;
  while (fill_ < count) {
    if (ended_) throw ArchiveEnd{consumed_ + fill_};
    uint32_t got = 0;
    const uint32_t code =
        source_.Read(buffer_.get() + fill_, static_cast<uint32_t>(kBufferSize - fill_), &got);
    // A writer that has gone ends the bytes, as it does for the other readers.
    if (code != 0 && code != win_error::kBrokenPipe) RaiseIoError(static_cast<int32_t>(code));
    if (code != 0 || got == 0) ended_ = true;
    fill_ += got;
    if (progress_) progress_->fetch_add(got, std::memory_order_relaxed);
  }
}

void ArchiveReader::SkipFar(uint64_t count) {
  while (count > 0) {
    const std::size_t step = static_cast<std::size_t>(std::min<uint64_t>(count, kBufferSize));
    Need(step);
    position_ += step;
    count -= step;
  }
}

bool ArchiveReader::Signature(const char (&signature)[9]) {
  Need(8);
  const bool same = std::memcmp(buffer_.get() + position_, signature, 8) == 0;
  position_ += 8;
  return same;
}

uint64_t ArchiveReader::Count() {
  const uint16_t word = Word();
  if (word != kWordEscape) return word;
  const uint32_t dword = Dword();
  if (dword != kDwordEscape) return dword;
  const uint64_t low = Dword();
  return low | (static_cast<uint64_t>(Dword()) << 32);
}

uint64_t ArchiveReader::StringLength(bool& wide) {
  wide = false;
  const uint64_t start = Offset();
  uint8_t byte = Byte();
  if (byte != kLongerLength) return byte;
  uint16_t word = Word();
  if (word == kWideMark) {
    wide = true;
    byte = Byte();
    if (byte != kLongerLength) return byte;
    word = Word();
  }
  uint64_t length = word;
  if (word == kWordEscape) {
    const uint32_t dword = Dword();
    length = dword;
    if (dword == kDwordEscape) {
      const uint64_t low = Dword();
      length = low | (static_cast<uint64_t>(Dword()) << 32);
    }
  }
  if (length > kLongestString) RaiseDamage(Damage::kBadCount, start);
  return length;
}

void ArchiveReader::String(ArchiveString& into) {
  bool wide = false;
  const uint64_t length = StringLength(wide);
  into.wide = wide;
  into.bytes.clear();
  uint64_t left = wide ? length * 2 : length;
  while (left > 0) {
    const std::size_t step = static_cast<std::size_t>(std::min<uint64_t>(left, kBufferSize));
    Need(step);
    into.bytes.append(buffer_.get() + position_, step);
    position_ += step;
    left -= step;
  }
}

void ArchiveReader::SkipString() {
  bool wide = false;
  const uint64_t length = StringLength(wide);
  Skip(wide ? length * 2 : length);
}

}  // namespace toridasu::jww
