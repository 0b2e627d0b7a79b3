// Where a conversion's bytes come from: a file through the platform, memory,
// or standard input. Readers take bytes strictly forward in blocks; what the
// bytes are (lines of a text drawing, records of a binary one) is theirs.
#pragma once

#include <cstdint>
#include <string_view>

#include "io/io_fault.h"

namespace toridasu {

class ByteSource : public IoEnd {
 public:
  virtual ~ByteSource() = default;

  // Reads up to `size` bytes into `buffer`; *got is 0 at the end. Returns 0
  // or the Windows error code of the failure (kOperationAborted once
  // cancelled; the broken pipe of a writer that has gone is the end, not a
  // failure, and is returned as it is for the reader to decide).
  uint32_t Read(void* buffer, uint32_t size, uint32_t* got) {
    *got = 0;
    if (Cancelled()) return kOperationAborted;
    return Note(ReadSome(buffer, size, got), FileOperation::kRead);
  }
  // Lets go of what the source holds; 0 or the code of the failure.
  uint32_t Close() { return Note(CloseSource(), FileOperation::kClose); }

 protected:
  virtual uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) = 0;
  virtual uint32_t CloseSource() { return 0; }
};

// Bytes held by the caller, which outlive the source.
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}

 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override;

 private:
  std::string_view bytes_;
};

}  // namespace toridasu
