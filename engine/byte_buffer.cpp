#include "engine/byte_buffer.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace toridasu {

ByteBuffer::~ByteBuffer() { std::free(data_); }

void ByteBuffer::append(const char* bytes, std::size_t count) {
  if (count == 0) return;
  if (count > capacity_ - size_) {
    if (count > static_cast<std::size_t>(-1) - size_) throw std::bad_alloc();
    const std::size_t needed = size_ + count;
    std::size_t capacity = capacity_ + capacity_ / 8;
    if (capacity < needed) capacity = needed;
    if (capacity < 256) capacity = 256;
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }
  std::memcpy(data_ + size_, bytes, count);
  size_ += count;
}

void ByteBuffer::swap(ByteBuffer& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(capacity_, other.capacity_);
}

}  // namespace toridasu
