#include "cli/failure_text.h"

#include <utility>

#include "base/errors.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

// Every code that the platform and the engine can give, on either system.
constexpr std::pair<int32_t, Text> kIoCauses[] = {
    {win_error::kFileNotFound, Text::kIoFileNotFound},
    {win_error::kPathNotFound, Text::kIoPathNotFound},
    {win_error::kTooManyOpenFiles, Text::kIoTooManyOpenFiles},
    {win_error::kAccessDenied, Text::kIoAccessDenied},
    {win_error::kInvalidHandle, Text::kIoInvalidHandle},
    {win_error::kNotEnoughMemory, Text::kIoNotEnoughMemory},
    {15, Text::kIoInvalidDrive},  // ERROR_INVALID_DRIVE
    {win_error::kWriteProtect, Text::kIoWriteProtect},
    {win_error::kNotReady, Text::kIoNotReady},
    {win_error::kGenFailure, Text::kIoDeviceFailure},
    {win_error::kSharingViolation, Text::kIoSharingViolation},
    {33, Text::kIoSharingViolation},  // ERROR_LOCK_VIOLATION
    {win_error::kHandleEof, Text::kIoUnexpectedEnd},
    {win_error::kFileExists, Text::kIoFileExists},
    {win_error::kInvalidParameter, Text::kIoRefused},
    {io_code::kFileNotOpen, Text::kIoNotOpen},
    {io_code::kUnusableHandle, Text::kIoNotWritable},
    {win_error::kBrokenPipe, Text::kIoPipeEnded},
    {win_error::kDiskFull, Text::kIoDiskFull},
    {win_error::kInvalidName, Text::kIoInvalidName},
    {win_error::kFilenameExcedRange, Text::kIoNameTooLong},
    {win_error::kFileTooLarge, Text::kIoFileTooLarge},
    {win_error::kNoData, Text::kIoPipeEnded},
    {win_error::kIoDevice, Text::kIoDeviceFailure},
    {win_error::kCantResolveFilename, Text::kIoTooManyLinks},
};

std::string Shown(const std::string& name) {
  return name == "-" ? Say(Text::kStandardOutputName) : name;
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
                                 ? Say(Text::kStandardInputName)
                                 : Shown(fault.name);
    switch (fault.operation) {
      case FileOperation::kOpen: return Say(Text::kCannotOpen, {name, cause});
      case FileOperation::kRead: return Say(Text::kCannotRead, {name, cause});
      case FileOperation::kCreate: return Say(Text::kCannotCreate, {name, cause});
      case FileOperation::kWrite:
      case FileOperation::kClose: return Say(Text::kCannotWrite, {name, cause});
    }
  }
  // Refused by the job before it asked the system: by the name alone.
  return failed.openedDrawing ? Say(Text::kCannotCreate, {Shown(failed.output), cause})
                              : Say(Text::kCannotOpen, {failed.input, cause});
}

}  // namespace

std::string IoCause(int32_t code) {
  for (const auto& [known, text] : kIoCauses) {
    if (known == code) return Say(text);
  }
  return Say(Text::kIoOther, {std::to_string(code)});
}

std::string FailureText(const FailedConversion& failed) {
  const ConversionFailure& failure = failed.failure;
  const std::string line = Say(Text::kLine, {std::to_string(failure.line)}) + ": ";
  if (failure.kind == "EInOutError") return IoFailureText(failed);
  if (failure.kind == "ERangeError") {
    return failed.input + ": " + line + Say(Text::kUnfinishedCharacter);
  }
  if (failure.kind == "EConvertError")
    return failed.input + ": " + line + Say(Text::kNotCodePage932);
  if (failure.kind == "EOutOfMemory") return failed.input + ": " + Say(Text::kOutOfMemory);
  return failed.input + ": " + Say(Text::kConversionFailed, {failure.kind});
}

}  // namespace toridasu::cli
