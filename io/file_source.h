// A drawing file read through the platform, by a name in the ANSI code page
// (the window's) or in UTF-8 (the converter's on Windows).
#pragma once

#include <string>
#include <string_view>

#include "io/byte_source.h"
#include "platform/platform.h"

namespace toridasu {

class FileSource final : public ByteSource {
 public:
  explicit FileSource(Platform& platform, NameEncoding names = NameEncoding::kAnsi)
      : platform_(platform), names_(names) {}
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  // 0, or the code that refuses the name (io/file_name_rules.h) or that the
  // platform gives.
  uint32_t Open(std::string_view name);
  // The same, raising EInOutError with that code when the file cannot be opened.
  void OpenOrRaise(std::string_view name);
  bool IsOpen() const { return handle_ != kNoFile; }

 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override;
  uint32_t CloseSource() override;

 private:
  Platform& platform_;
  const NameEncoding names_;
  FileHandle handle_ = kNoFile;
};

}  // namespace toridasu
