// The converter's own words, in English or Japanese after the user's
// language. The texts live in the program's string table (Shift-JIS); Say
// gives them as native text, ready for the console.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

namespace toridasu::cli {

// String-table ids of the Japanese texts; each English text is kEnglish higher.
enum class Text : uint32_t {
  kDescription = 2001,
  kInputHelp,
  kOutputHelp,
  kDirectoryHelp,
  kRecursiveHelp,
  kJobsHelp,
  kQuietHelp,
  kNoProgressHelp,
  kEncodingHelp,
  kBomHelp,
  kInvalidHelp,
  kSeparatorHelp,
  kOutputNamesInput,  // %s: the output
  kOutputCollision,   // %s, %s: the two drawings
  kOutputWithMany,
  kNoDrawing,         // %s: the input
  kCannotMakeFolder,  // %s: the folder
  kUnfinishedCharacter,
  kNotCodePage932,
  kLine,      // %s: the line number
  kSummary,   // converted, failed, records, seconds
  kProgress,  // done, total, MB read, MB total, MB/s, time left
  kBomWithoutUtf8,
  kSeparatorOneByte,
  kFolderLoop,  // %s: the folder link
  kIoFileNotFound,
  kIoPathNotFound,
  kIoTooManyOpenFiles,
  kIoAccessDenied,
  kIoSharingViolation,
  kIoNotOpen,
  kIoNotWritable,
  kIoDiskFull,
  kIoInvalidName,
  kIoOther,  // %s: the code
  kIoInvalidHandle,
  kIoNotEnoughMemory,
  kIoInvalidDrive,
  kIoWriteProtect,
  kIoNotReady,
  kIoDeviceFailure,
  kIoUnexpectedEnd,
  kIoFileExists,
  kIoRefused,
  kIoPipeEnded,
  kIoNameTooLong,
  kIoFileTooLarge,
  kIoTooManyLinks,
  kCannotOpen,    // %s, %s: the file, the cause
  kCannotRead,    // the same
  kCannotCreate,  // the same
  kCannotWrite,   // the same
  kOutOfMemory,
  kConversionFailed,  // %s: the error kind
  kInterrupted,       // %s: drawings converted
  kStandardStreamAlone,
  kPressAnyKey,
  kHelpHelp,
  kVersionHelp,
  kUsageLabel,
  kOptionsLabel,
  kPositionalsLabel,
  kOptionsGroup,
  kRequiredLabel,
  kFileValue,
  kFolderValue,
  kCountValue,
  kEncodingValue,
  kCharacterValue,
  kRunWithHelp,
  kInputRequired,
  kUnexpectedArgument,  // %s: the arguments
  kOptionNeedsValue,    // %s: the option
  kBadValue,            // %s, %s: the option, the value
  kJobsRange,
  kUnknownEncoding,  // %s: the name
  kBadCommandLine,
  kStandardOutputName,
  kStandardInputName,
  kFullHelp,
  kColumnsHelp,
  kInputEncodingHelp,
  kNoBlocksHelp,
  kNoDimensionsHelp,
  kTypesHelp,
  kNeedsFull,             // %s: the option
  kUnknownColumn,         // %s: the name
  kUnknownInputEncoding,  // %s: the name
  kUnencodable,           // %s: the character
  kUndefinedBytes,        // %s: the code page
  kWarnFallback,          // %s: the code page
  kWarnCycle,             // %s: the block
  kWarnMissing,           // %s: the block
  kWarnTooDeep,           // %s: the block
  kWarnTooMany,           // %s: the block
  kHintFull,              // %s: the number of texts
  kListValue,
  kLast = kListValue,
};
constexpr uint32_t kEnglish = 1000;

void SetJapanese(bool japanese);
bool Japanese();

// The text in the user's language as native text, with each %s replaced by
// the next argument (native text too: file names pass unchanged).
std::string Say(Text text, std::initializer_list<std::string> arguments = {});

}  // namespace toridasu::cli
