// The platform as one conversion of the converter sees it: the system's,
// except that
// - once the run is interrupted, no file is opened, read or written any more
//   (the conversion under way then fails and removes its own output);
// - "-" names standard input or output, when the conversion says so;
// - the first failing file operation is kept with the file it concerned, so
//   that the message names the file at fault.
#pragma once

#include <atomic>
#include <map>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace toridasu::cli {

// The code of the operations refused after an interruption.
constexpr uint32_t kOperationAborted = 995;  // ERROR_OPERATION_ABORTED

enum class FileOperation { kOpen, kRead, kCreate, kWrite, kClose };

struct FileFault {
  std::string name;
  FileOperation operation;
  uint32_t code;
};

struct StandardStreams {
  bool input = false;   // "-" as the drawing is standard input
  bool output = false;  // "-" as the output is standard output
};

class ConversionPlatform final : public Platform {
 public:
  ConversionPlatform(Platform& system, const std::atomic<bool>& stop, StandardStreams streams);

  const std::optional<FileFault>& Fault() const { return fault_; }
  // Whether the drawing was opened: a later failure with no fault of a
  // file operation is then the output's (its name refused by the job).
  bool OpenedDrawing() const { return openedDrawing_; }

  uint32_t OpenForReading(const char* name, FileHandle* handle) override;
  uint32_t CreateForWriting(const char* name, FileHandle* handle) override;
  uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) override;
  uint32_t Write(FileHandle handle, const void* data, uint32_t size) override;
  FileKind KindOf(FileHandle handle) override;
  uint32_t Close(FileHandle handle) override;
  bool FindFirst(const char* pattern, FoundEntry* entry) override;
  bool Delete(const char* name) override;
  bool DoubleByteEnabled() override;
  bool AnsiCodePageInfo(CodePageInfo* info) override;
  void UpperCase(char* text, uint32_t length) override;
  char LocaleDecimalSeparator() override;
  void ResetThreadLocale() override;

 private:
  bool Stopped() const { return stop_.load(std::memory_order_relaxed); }
  bool IsStandard(FileHandle handle) const;
  // Keeps the first real failure; passes the code on.
  uint32_t Note(uint32_t code, const std::string& name, FileOperation operation);

  Platform& system_;
  const std::atomic<bool>& stop_;
  const StandardStreams streams_;
  std::map<FileHandle, std::string> names_;
  std::optional<FileFault> fault_;
  bool openedDrawing_ = false;
};

}  // namespace toridasu::cli
