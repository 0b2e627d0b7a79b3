#include "cli/conversion_platform.h"

#include <cstdio>
#include <string_view>

namespace toridasu::cli {
namespace {

// Never a handle of the system's: those are -1 (none) or not negative.
constexpr FileHandle kStandardInput = -2;
constexpr FileHandle kStandardOutput = -3;

constexpr std::string_view kStandardName = "-";

}  // namespace

ConversionPlatform::ConversionPlatform(Platform& system, const std::atomic<bool>& stop,
                                       StandardStreams streams)
    : system_(system), stop_(stop), streams_(streams) {}

bool ConversionPlatform::IsStandard(FileHandle handle) const {
  return handle == kStandardInput || handle == kStandardOutput;
}

uint32_t ConversionPlatform::Note(uint32_t code, const std::string& name, FileOperation operation) {
  if (code != 0 && code != kOperationAborted && !fault_) fault_ = FileFault{name, operation, code};
  return code;
}

uint32_t ConversionPlatform::OpenForReading(const char* name, FileHandle* handle) {
  if (Stopped()) return kOperationAborted;
  if (streams_.input && name == kStandardName) {
    *handle = kStandardInput;
    openedDrawing_ = true;
    return 0;
  }
  const uint32_t code = Note(system_.OpenForReading(name, handle), name, FileOperation::kOpen);
  if (code == 0) names_[*handle] = name;
  openedDrawing_ = code == 0;
  return code;
}

uint32_t ConversionPlatform::CreateForWriting(const char* name, FileHandle* handle) {
  if (Stopped()) return kOperationAborted;
  if (streams_.output && name == kStandardName) {
    *handle = kStandardOutput;
    return 0;
  }
  const uint32_t code = Note(system_.CreateForWriting(name, handle), name, FileOperation::kCreate);
  if (code == 0) names_[*handle] = name;
  return code;
}

uint32_t ConversionPlatform::Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) {
  *got = 0;
  if (Stopped()) return kOperationAborted;
  if (handle == kStandardInput) {
    *got = static_cast<uint32_t>(std::fread(buffer, 1, size, stdin));
    return *got == 0 && std::ferror(stdin) ? Note(win_error::kGenFailure, "-", FileOperation::kRead)
                                           : 0;
  }
  return Note(system_.Read(handle, buffer, size, got), names_[handle], FileOperation::kRead);
}

uint32_t ConversionPlatform::Write(FileHandle handle, const void* data, uint32_t size) {
  if (Stopped()) return kOperationAborted;
  if (handle == kStandardOutput) {
    const bool whole = std::fwrite(data, 1, size, stdout) == size;
    return whole ? 0 : Note(win_error::kNoData, "-", FileOperation::kWrite);
  }
  return Note(system_.Write(handle, data, size), names_[handle], FileOperation::kWrite);
}

FileKind ConversionPlatform::KindOf(FileHandle handle) {
  // Standard streams are never files of ours: a failure leaves them be.
  return IsStandard(handle) ? FileKind::Pipe : system_.KindOf(handle);
}

uint32_t ConversionPlatform::Close(FileHandle handle) {
  if (handle == kStandardInput) return 0;
  if (handle == kStandardOutput) {
    return std::fflush(stdout) == 0 ? 0 : Note(win_error::kNoData, "-", FileOperation::kClose);
  }
  const std::string name = names_[handle];
  names_.erase(handle);
  return Note(system_.Close(handle), name, FileOperation::kClose);
}

bool ConversionPlatform::FindFirst(const char* pattern, FoundEntry* entry) {
  return system_.FindFirst(pattern, entry);
}
bool ConversionPlatform::Delete(const char* name) { return system_.Delete(name); }
bool ConversionPlatform::DoubleByteEnabled() { return system_.DoubleByteEnabled(); }
bool ConversionPlatform::AnsiCodePageInfo(CodePageInfo* info) {
  return system_.AnsiCodePageInfo(info);
}
void ConversionPlatform::UpperCase(char* text, uint32_t length) { system_.UpperCase(text, length); }
char ConversionPlatform::LocaleDecimalSeparator() { return system_.LocaleDecimalSeparator(); }
void ConversionPlatform::ResetThreadLocale() { system_.ResetThreadLocale(); }

}  // namespace toridasu::cli
