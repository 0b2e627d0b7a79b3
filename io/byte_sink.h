// Where a conversion's output bytes go: a file through the platform, memory,
// or standard output. Writers hand bytes over in pieces and then close; after
// a failure the sink takes away what it made, so that no partial output
// stays behind.
#pragma once

#include <cstdint>
#include <string>

#include "io/io_fault.h"

namespace toridasu {

class ByteSink : public IoEnd {
 public:
  virtual ~ByteSink() = default;

  // Makes the output ready: a file is created, or emptied. 0 or the code.
  uint32_t Open() {
    if (Cancelled()) return kOperationAborted;
    return Note(OpenSink(), FileOperation::kCreate);
  }
  // A success means every byte was taken.
  uint32_t Write(const void* data, uint32_t size) {
    if (Cancelled()) return kOperationAborted;
    return Note(WriteSome(data, size), FileOperation::kWrite);
  }
  // Every byte delivered; 0 or the code. A failed close leaves nothing to close.
  uint32_t Close() { return Note(CloseSink(), FileOperation::kClose); }
  // Closes without caring how (after a failure); nothing when not open.
  virtual void CloseQuietly() {}
  // After a failed conversion, open or closed: takes away the output that
  // Open made or emptied (never a device's or a pipe's).
  virtual void RemoveOutput() {}
  // Whether each line should reach the sink as it ends (a console or a
  // device), rather than in full buffers.
  virtual bool WantsEveryLine() const { return false; }

 protected:
  virtual uint32_t OpenSink() { return 0; }
  virtual uint32_t WriteSome(const void* data, uint32_t size) = 0;
  virtual uint32_t CloseSink() { return 0; }
};

// Output kept in memory: the bytes so far, emptied again when removed.
class MemorySink final : public ByteSink {
 public:
  const std::string& Bytes() const { return bytes_; }
  void RemoveOutput() override { bytes_.clear(); }

 protected:
  uint32_t OpenSink() override {
    bytes_.clear();
    return 0;
  }
  uint32_t WriteSome(const void* data, uint32_t size) override {
    bytes_.append(static_cast<const char*>(data), size);
    return 0;
  }

 private:
  std::string bytes_;
};

}  // namespace toridasu
