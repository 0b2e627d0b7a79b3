// The bytes of a Jw_cad drawing as its writer's archive laid them down,
// read strictly forward from a byte source: little-endian numbers, counts
// that escape to wider ones, and strings in either of their two forms. Every
// read says where it stands (the offset of the next byte), so that damage can
// be told with its place. The end of the bytes where more are needed raises
// ArchiveEnd; a read that fails raises the source's I/O error.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "engine/conversion_failure.h"
#include "io/byte_source.h"

namespace toridasu::jww {

// Raises the failure of a drawing whose structure is broken at `offset`.
[[noreturn]] void RaiseDamage(Damage damage, uint64_t offset, std::string detail = {});

// The drawing ended where the reading needed more bytes: it was cut short.
struct ArchiveEnd {
  uint64_t offset;  // where the missing bytes would have begun
};

// A string as stored: its bytes, Shift-JIS or UTF-16LE.
struct ArchiveString {
  std::string bytes;
  bool wide = false;  // UTF-16LE, two bytes a character
};

class ArchiveReader {
 public:
  // Strings longer than this many characters are damage: no real text,
  // name or memo comes near, and memory stays bounded whatever a length says.
  static constexpr uint64_t kLongestString = uint64_t{1} << 20;

  explicit ArchiveReader(ByteSource& source, std::atomic<uint64_t>* progress = nullptr);

  // The offset of the next byte to be read.
  uint64_t Offset() const { return consumed_ + position_; }

  // Numbers, little-endian. The common case, bytes at hand, is inline.
  uint8_t Byte() {
    Need(1);
    return static_cast<uint8_t>(buffer_[position_++]);
  }
  uint16_t Word() { return static_cast<uint16_t>(Little(2)); }
  uint32_t Dword() { return static_cast<uint32_t>(Little(4)); }
  double Double() {
    const uint64_t bits = Little(8);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }
  void Skip(uint64_t count) {
    if (fill_ - position_ >= count) {
      position_ += static_cast<std::size_t>(count);
    } else {
      SkipFar(count);
    }
  }
  // Whether the 8 bytes ahead are `signature`; reads them.
  bool Signature(const char (&signature)[9]);

  // A count of a list: a WORD, escaped by 0xFFFF to a DWORD, and by
  // 0xFFFFFFFF to a QWORD.
  uint64_t Count();
  // A string, whatever its form; raises the damage of a length past
  // kLongestString. `into` is reused.
  void String(ArchiveString& into);
  // The same, passed over.
  void SkipString();

 private:
  // Makes `count` (at most the buffer's size) bytes available from position_.
  void Need(std::size_t count) {
    if (fill_ - position_ < count) Refill(count);
  }
  void Refill(std::size_t count);
  void SkipFar(uint64_t count);
  // The next `count` bytes (at most 8) as a little-endian number.
  uint64_t Little(std::size_t count) {
    Need(count);
    const auto* p = reinterpret_cast<const unsigned char*>(buffer_.get() + position_);
    uint64_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = (value << 8) | p[i];
    position_ += count;
    return value;
  }
  // Reads the string's length: its characters, and whether they are wide.
  uint64_t StringLength(bool& wide);

  static constexpr std::size_t kBufferSize = 64 * 1024;
  ByteSource& source_;
  std::atomic<uint64_t>* progress_;
  std::unique_ptr<char[]> buffer_;
  std::size_t position_ = 0, fill_ = 0;
  uint64_t consumed_ = 0;  // bytes before buffer_[0]
  bool ended_ = false;
};

}  // namespace toridasu::jww
