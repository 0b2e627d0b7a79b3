#include "cli/failure_text.h"

#include <utility>

#include "base/errors.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

// Every code that the platform and the engine can give, on either system.
constexpr std::pair<int32_t, uint32_t> kIoCauses[] = {
    {win_error::kFileNotFound, text_id::kCliIoFileNotFound},
    {win_error::kPathNotFound, text_id::kCliIoPathNotFound},
    {win_error::kTooManyOpenFiles, text_id::kCliIoTooManyOpenFiles},
    {win_error::kAccessDenied, text_id::kCliIoAccessDenied},
    {win_error::kInvalidHandle, text_id::kCliIoInvalidHandle},
    {win_error::kNotEnoughMemory, text_id::kCliIoNotEnoughMemory},
    {15, text_id::kCliIoInvalidDrive},  // ERROR_INVALID_DRIVE
    {win_error::kWriteProtect, text_id::kCliIoWriteProtect},
    {win_error::kNotReady, text_id::kCliIoNotReady},
    {win_error::kGenFailure, text_id::kCliIoDeviceFailure},
    {win_error::kSharingViolation, text_id::kCliIoSharingViolation},
    {33, text_id::kCliIoSharingViolation},  // ERROR_LOCK_VIOLATION
    {win_error::kHandleEof, text_id::kCliIoUnexpectedEnd},
    {win_error::kFileExists, text_id::kCliIoFileExists},
    {win_error::kInvalidParameter, text_id::kCliIoRefused},
    {io_code::kFileNotOpen, text_id::kCliIoNotOpen},
    {io_code::kUnusableHandle, text_id::kCliIoNotWritable},
    {win_error::kBrokenPipe, text_id::kCliIoPipeEnded},
    {win_error::kDiskFull, text_id::kCliIoDiskFull},
    {win_error::kInvalidName, text_id::kCliIoInvalidName},
    {win_error::kFilenameExcedRange, text_id::kCliIoNameTooLong},
    {win_error::kFileTooLarge, text_id::kCliIoFileTooLarge},
    {win_error::kNoData, text_id::kCliIoPipeEnded},
    {win_error::kIoDevice, text_id::kCliIoDeviceFailure},
    {win_error::kCantResolveFilename, text_id::kCliIoTooManyLinks},
};

std::string Shown(const std::string& name) {
  return name == "-" ? Say(text_id::kCliStandardOutputName) : name;
}

std::string IoFailureText(const FailedConversion& failed) {
  int32_t code = failed.failure.ioCode;
  // A file that is being made cannot be missing: its folder or drive is.
  if (failed.fault && failed.fault->operation == FileOperation::kCreate &&
      code == static_cast<int32_t>(win_error::kFileNotFound)) {
    code = static_cast<int32_t>(win_error::kPathNotFound);
  }
  const std::string cause = IoCause(code);
  if (failed.fault) {
    const FileFault& fault = *failed.fault;
    const std::string name = fault.name == "-" && fault.operation == FileOperation::kRead
                                 ? Say(text_id::kCliStandardInputName)
                                 : Shown(fault.name);
    switch (fault.operation) {
      case FileOperation::kOpen: return Say(text_id::kCliCannotOpen, {name, cause});
      case FileOperation::kRead: return Say(text_id::kCliCannotRead, {name, cause});
      case FileOperation::kCreate: return Say(text_id::kCliCannotCreate, {name, cause});
      case FileOperation::kWrite:
      case FileOperation::kClose: return Say(text_id::kCliCannotWrite, {name, cause});
    }
  }
  // Refused by the job before it asked the system: by the name alone.
  return failed.openedDrawing ? Say(text_id::kCliCannotCreate, {Shown(failed.output), cause})
                              : Say(text_id::kCliCannotOpen, {failed.input, cause});
}

}  // namespace

std::string IoCause(int32_t code) {
  for (const auto& [known, text] : kIoCauses) {
    if (known == code) return Say(text);
  }
  return Say(text_id::kCliIoOther, {std::to_string(code)});
}

std::string AtLine(const std::string& input, uint64_t line, const std::string& text) {
  if (line == 0) return input + ": " + text;
  return input + ": " + Say(text_id::kCliLine, {std::to_string(line)}) + ": " + text;
}

std::string FailureText(const FailedConversion& failed) {
  const ConversionFailure& failure = failed.failure;
  if (failure.kind == "EInOutError") return IoFailureText(failed);
  // The job's failures of a drawing's texts always carry their line.
  if (failure.kind == "ERangeError")
    return AtLine(failed.input, failure.line, Say(text_id::kCliUnfinishedCharacter));
  if (failure.kind == "EConvertError")
    return AtLine(failed.input, failure.line, Say(text_id::kCliNotCodePage932));
  if (failure.kind == "EOutOfMemory") return failed.input + ": " + Say(text_id::kCliOutOfMemory);
  return failed.input + ": " + Say(text_id::kCliConversionFailed, {failure.kind});
}

}  // namespace toridasu::cli
