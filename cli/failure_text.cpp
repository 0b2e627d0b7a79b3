#include "cli/failure_text.h"

#include <utility>

#include "base/errors.h"
#include "cli/console.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "io/file_name_rules.h"
#include "platform/platform.h"

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
  const ConversionFailure& failure = failed.failure;
  int32_t code = failure.ioCode;
  // A file that is being made cannot be missing: its folder or drive is.
  if (failure.operation == FileOperation::kCreate &&
      code == static_cast<int32_t>(win_error::kFileNotFound)) {
    code = static_cast<int32_t>(win_error::kPathNotFound);
  }
  const std::string& file = failure.kind == FailureKind::kOutput ? failed.output : failed.input;
  // The system refuses a name past the length of a path as if its folder were
  // missing; the user has to shorten the name, not make a folder.
  if (code == static_cast<int32_t>(win_error::kPathNotFound) &&
      FileNameRefusal(file, NativeNameEncoding()) == code)
    code = static_cast<int32_t>(win_error::kFilenameExcedRange);
  const std::string cause = IoCause(code);
  const std::string name = failure.kind == FailureKind::kOutput ? Shown(failed.output)
                           : failed.input == "-" ? Say(text_id::kCliStandardInputName)
                                                 : failed.input;
  switch (failure.operation) {
    case FileOperation::kOpen: return Say(text_id::kCliCannotOpen, {name, cause});
    case FileOperation::kRead: return Say(text_id::kCliCannotRead, {name, cause});
    case FileOperation::kCreate: return Say(text_id::kCliCannotCreate, {name, cause});
    case FileOperation::kWrite:
    case FileOperation::kClose: break;
  }
  return Say(text_id::kCliCannotWrite, {name, cause});
}

uint32_t ForeignText(ForeignFile what) {
  switch (what) {
    case ForeignFile::kEmpty: return text_id::kCliForeignEmpty;
    case ForeignFile::kDwg: return text_id::kCliForeignDwg;
    case ForeignFile::kBinaryDxf: return text_id::kCliForeignBinaryDxf;
    case ForeignFile::kZip: return text_id::kCliForeignZip;
    case ForeignFile::kGzip: return text_id::kCliForeignGzip;
    case ForeignFile::kBinary: break;
  }
  return text_id::kCliForeignBinary;
}

uint32_t DamageText(Damage damage) {
  switch (damage) {
    case Damage::kUnknownVersion: return text_id::kCliDamagedVersion;
    case Damage::kBadCount: return text_id::kCliDamagedCount;
    case Damage::kUnknownClass: return text_id::kCliDamagedClass;
    case Damage::kBadReference: return text_id::kCliDamagedReference;
    case Damage::kMisplacedObject: break;
  }
  return text_id::kCliDamagedPlace;
}

}  // namespace

std::string IoCause(int32_t code) {
  for (const auto& [known, text] : kIoCauses) {
    if (known == code) return Say(text);
  }
  return Say(text_id::kCliIoOther, {std::to_string(code)});
}

std::string AtLine(const std::string& input, uint64_t line, const std::string& text, bool binary) {
  if (line == 0) return input + ": " + text;
  const uint32_t place = binary ? text_id::kCliOffset : text_id::kCliLine;
  return input + ": " + Say(place, {std::to_string(line)}) + ": " + text;
}

std::string WarningText(const std::string& input, const model::Warning& warning, bool binary) {
  using Kind = model::Warning::Kind;
  uint32_t text = text_id::kCliWarnMissing;
  switch (warning.kind) {
    case Kind::kFallbackCodePage: text = text_id::kCliWarnFallback; break;
    case Kind::kBlockCycle: text = text_id::kCliWarnCycle; break;
    case Kind::kMissingBlock: text = text_id::kCliWarnMissing; break;
    case Kind::kTooDeep: text = text_id::kCliWarnTooDeep; break;
    case Kind::kTooManyCopies: text = text_id::kCliWarnTooMany; break;
    case Kind::kUnknownCodePage: text = text_id::kCliWarnUnknownCodePage; break;
    case Kind::kControlCharacters: text = text_id::kCliWarnControlCharacters; break;
    case Kind::kCutDrawing:
      text = binary ? text_id::kCliWarnCutBinary : text_id::kCliWarnCut;
      break;
    case Kind::kNotFinite: text = text_id::kCliWarnNotFinite; break;
    case Kind::kBudgetSpent: text = text_id::kCliWarnBudgetSpent; break;
    case Kind::kDuplicateBlock: text = text_id::kCliWarnDuplicateBlock; break;
    case Kind::kNestedSection: text = text_id::kCliWarnNestedSection; break;
    case Kind::kCount: break;
  }
  return AtLine(input, warning.line, Say(text, {NativeFromUtf8(warning.detail)}), binary);
}

std::string FailureText(const FailedConversion& failed) {
  const ConversionFailure& failure = failed.failure;
  const std::string& input = failed.input;
  const bool binary = failed.binary;
  switch (failure.kind) {
    case FailureKind::kInput:
    case FailureKind::kOutput: return IoFailureText(failed);
    // Failures of a drawing's texts always carry their line.
    case FailureKind::kUnfinishedCharacter:
      return AtLine(input, failure.line, Say(text_id::kCliUnfinishedCharacter), binary);
    case FailureKind::kNotCodePage932:
      return AtLine(input, failure.line, Say(text_id::kCliNotCodePage932), binary);
    case FailureKind::kUnencodable:
      return AtLine(input, failure.line,
                    Say(text_id::kCliUnencodable, {NativeFromUtf8(failure.detail)}), binary);
    case FailureKind::kUndefinedBytes:
      return AtLine(input, failure.line, Say(text_id::kCliUndefinedBytes, {failure.detail}),
                    binary);
    case FailureKind::kOutOfMemory: return input + ": " + Say(text_id::kCliOutOfMemory);
    case FailureKind::kLineTooLong:
      return AtLine(input, failure.line, Say(text_id::kCliLineTooLong, {failure.detail}));
    case FailureKind::kTextTooLong:
      return AtLine(input, failure.line, Say(text_id::kCliTextTooLong, {failure.detail}));
    case FailureKind::kNotDrawing: return input + ": " + Say(ForeignText(failure.foreign));
    case FailureKind::kDamaged:
      return AtLine(input, failure.line,
                    Say(DamageText(failure.damage), {NativeFromUtf8(failure.detail)}), true);
    case FailureKind::kOther: break;
  }
  return input + ": " + Say(text_id::kCliConversionFailed, {failure.detail});
}

}  // namespace toridasu::cli
