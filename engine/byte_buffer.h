// A growable run of bytes for lines of any length. It grows by an eighth at
// a time through realloc, which moves large blocks by remapping pages rather
// than copying them, so a line of 100 MB is held about once, not the two or
// three times that doubling and copying would need at their peak.
#pragma once

#include <cstddef>
#include <string_view>

namespace toridasu {

class ByteBuffer {
 public:
  ByteBuffer() = default;
  ~ByteBuffer();
  ByteBuffer(const ByteBuffer&) = delete;
  ByteBuffer& operator=(const ByteBuffer&) = delete;

  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string_view View() const { return {data_, size_}; }
  operator std::string_view() const { return View(); }

  void clear() { size_ = 0; }
  // Raises std::bad_alloc when the memory runs out; the bytes held stay.
  void append(const char* bytes, std::size_t count);
  void assign(std::string_view bytes) {
    clear();
    append(bytes.data(), bytes.size());
  }
  void swap(ByteBuffer& other) noexcept;

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace toridasu
