// An output file written through the platform: created (or emptied) when
// opened, and deleted again after a failure when it was a disk file that
// this sink made or emptied. Its name is in the ANSI code page (the
// window's) or in UTF-8 (the converter's on Windows).
#pragma once

#include <string>
#include <string_view>

#include "io/platform_file_sink.h"
#include "platform/platform.h"

namespace toridasu {

class FileSink final : public PlatformFileSink {
 public:
  FileSink(Platform& platform, std::string_view name, NameEncoding names = NameEncoding::kAnsi)
      : PlatformFileSink(platform), name_(name), names_(names) {}
  ~FileSink() override { CloseQuietly(); }
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Whether opening made or emptied a file on disk, that is, output of ours
  // that a failed conversion has to remove.
  bool CreatedDiskFile() const { return createdDiskFile_; }

  void RemoveOutput() override;

 protected:
  uint32_t OpenSink() override;

 private:
  const std::string name_;
  const NameEncoding names_;
  bool createdDiskFile_ = false;
};

}  // namespace toridasu
