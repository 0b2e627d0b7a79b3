#include "io/replacing_file_sink.h"

#include <utility>

#include "base/errors.h"
#include "io/file_name_rules.h"

namespace toridasu {
namespace {

// Names taken by other writers are passed over, up to this many.
constexpr unsigned kTemporaryAttempts = 16;

}  // namespace

ReplacingFileSink::ReplacingFileSink(Platform& platform, std::string_view name,
                                     std::string_view target, NameEncoding encoding,
                                     TemporaryNames temporaryNames)
    : PlatformFileSink(platform),
      name_(name),
      target_(target),
      encoding_(encoding),
      temporaryNames_(std::move(temporaryNames)) {}

int32_t ReplacingFileSink::Refusal(const std::string& name) const {
  return FileNameRefusal(name, encoding_);
}

ReplacingFileSink::~ReplacingFileSink() { RemoveOutput(); }

uint32_t ReplacingFileSink::OpenSink() {
  if (const int32_t refusal = Refusal(name_)) return static_cast<uint32_t>(refusal);
  // Opened as it is, without emptying it, to learn what the name is: the
  // system follows its links as it would for a write.
  FileHandle probe = kNoFile;
  const uint32_t code = platform_.OpenExistingForWriting(name_.c_str(), &probe);
  if (code == win_error::kFileNotFound) return OpenTemporary(target_.empty() ? name_ : target_);
  if (code != 0) return code;
  kind_ = platform_.KindOf(probe);
  if (kind_ == FileKind::Character || kind_ == FileKind::Pipe) {
    handle_ = probe;
    return 0;
  }
  platform_.Close(probe);
  if (kind_ != FileKind::Disk) return static_cast<uint32_t>(io_code::kUnusableHandle);
  if (!target_.empty()) return OpenTemporary(target_);
  // No name to replace: the file is emptied and written where it is.
  return platform_.CreateForWritingUtf8(name_.c_str(), &handle_);
}

uint32_t ReplacingFileSink::OpenTemporary(const std::string& target) {
  if (const int32_t refusal = Refusal(target)) return static_cast<uint32_t>(refusal);
  uint32_t code = win_error::kFileExists;
  for (unsigned attempt = 1; attempt <= kTemporaryAttempts && code == win_error::kFileExists;
       ++attempt) {
    const std::string temporary = temporaryNames_(target, attempt);
    if (const int32_t refusal = Refusal(temporary)) return static_cast<uint32_t>(refusal);
    code = platform_.CreateNewForWriting(temporary.c_str(), &handle_);
    if (code == 0) {
      temporary_ = temporary;
      replaced_ = target;
      kind_ = FileKind::Disk;
    }
  }
  return code;
}

uint32_t ReplacingFileSink::Replace() {
  if (temporary_.empty()) return 0;  // written directly
  if (const uint32_t code = platform_.Replace(temporary_.c_str(), replaced_.c_str())) {
    RemoveOutput();
    return code;
  }
  temporary_.clear();
  return 0;
}

void ReplacingFileSink::RemoveOutput() {
  CloseQuietly();
  if (temporary_.empty()) return;
  platform_.DeleteUtf8(temporary_.c_str());
  temporary_.clear();
}

}  // namespace toridasu
