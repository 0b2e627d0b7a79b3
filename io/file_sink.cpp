#include "io/file_sink.h"

#include "base/errors.h"
#include "io/file_name_rules.h"

namespace toridasu {

uint32_t FileSink::OpenSink() {
  createdDiskFile_ = false;
  if (const int32_t refusal = FileNameRefusal(name_, names_)) return static_cast<uint32_t>(refusal);
  FileHandle handle = kNoFile;
  const uint32_t code = names_ == NameEncoding::kUtf8
                            ? platform_.CreateForWritingUtf8(name_.c_str(), &handle)
                            : platform_.CreateForWriting(name_.c_str(), &handle);
  if (code != 0) return code;
  kind_ = platform_.KindOf(handle);
  // Devices and pipes are not files of ours: a failure never deletes them.
  createdDiskFile_ = kind_ == FileKind::Disk || kind_ == FileKind::Unknown;
  if (kind_ == FileKind::Unknown) {
    platform_.Close(handle);
    return static_cast<uint32_t>(io_code::kUnusableHandle);
  }
  handle_ = handle;
  return 0;
}

void FileSink::RemoveOutput() {
  // By the name it was created under: asking whether it is present first
  // would miss names that hold "*" or "?".
  if (!createdDiskFile_) return;
  if (names_ == NameEncoding::kUtf8) {
    platform_.DeleteUtf8(name_.c_str());
  } else {
    platform_.Delete(name_.c_str());
  }
}

}  // namespace toridasu
