#include "io/file_source.h"

#include "base/errors.h"
#include "io/file_name_rules.h"

namespace toridasu {

FileSource::~FileSource() {
  if (IsOpen()) platform_.Close(handle_);
}

uint32_t FileSource::Open(std::string_view name) {
  if (Cancelled()) return kOperationAborted;
  if (const int32_t refusal = FileNameRefusal(name, names_)) {
    return Note(static_cast<uint32_t>(refusal), FileOperation::kOpen);
  }
  const std::string zeroTerminated(name);
  const uint32_t code = names_ == NameEncoding::kUtf8
                            ? platform_.OpenForReadingUtf8(zeroTerminated.c_str(), &handle_)
                            : platform_.OpenForReading(zeroTerminated.c_str(), &handle_);
  return Note(code, FileOperation::kOpen);
}

void FileSource::OpenOrRaise(std::string_view name) {
  if (const uint32_t code = Open(name)) RaiseIoError(static_cast<int32_t>(code));
}

uint32_t FileSource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  return platform_.Read(handle_, buffer, size, got);
}

uint32_t FileSource::CloseSource() {
  const FileHandle handle = handle_;
  handle_ = kNoFile;  // closed whatever the platform answers
  return platform_.Close(handle);
}

}  // namespace toridasu
