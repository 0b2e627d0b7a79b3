// What every output file written through the platform shares: the open
// handle, what kind of file it is, and writing and closing through them.
#pragma once

#include "base/errors.h"
#include "io/byte_sink.h"
#include "platform/platform.h"

namespace toridasu {

class PlatformFileSink : public ByteSink {
 public:
  explicit PlatformFileSink(Platform& platform) : platform_(platform) {}

  void CloseQuietly() override {
    if (handle_ == kNoFile) return;
    const FileHandle handle = handle_;
    handle_ = kNoFile;
    platform_.Close(handle);
  }
  bool WantsEveryLine() const override { return kind_ == FileKind::Character; }

 protected:
  uint32_t WriteSome(const void* data, uint32_t size) override {
    return platform_.Write(handle_, data, size);
  }
  uint32_t CloseSink() override {
    if (handle_ == kNoFile) return static_cast<uint32_t>(io_code::kFileNotOpen);
    const FileHandle handle = handle_;
    handle_ = kNoFile;
    return platform_.Close(handle);
  }

  Platform& platform_;
  FileHandle handle_ = kNoFile;
  FileKind kind_ = FileKind::Unknown;
};

}  // namespace toridasu
