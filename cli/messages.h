// The converter's own words, in English or Japanese after the user's
// language. The texts live in the program's string table (Shift-JIS); Say
// gives them as native text, ready for the console.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "base/string_ids.h"

namespace toridasu::cli {

// The Japanese texts; each English text is kEnglish higher (the string
// table holds both, which a test checks).
enum class Text : uint32_t {
  kDescription = text_id::kCliDescription,
  kInputHelp = text_id::kCliInputHelp,
  kOutputHelp = text_id::kCliOutputHelp,
  kDirectoryHelp = text_id::kCliDirectoryHelp,
  kRecursiveHelp = text_id::kCliRecursiveHelp,
  kJobsHelp = text_id::kCliJobsHelp,
  kQuietHelp = text_id::kCliQuietHelp,
  kNoProgressHelp = text_id::kCliNoProgressHelp,
  kEncodingHelp = text_id::kCliEncodingHelp,
  kBomHelp = text_id::kCliBomHelp,
  kInvalidHelp = text_id::kCliInvalidHelp,
  kSeparatorHelp = text_id::kCliSeparatorHelp,
  kOutputNamesInput = text_id::kCliOutputNamesInput,  // %s: the output
  kOutputCollision = text_id::kCliOutputCollision,    // %s, %s: the two drawings
  kOutputWithMany = text_id::kCliOutputWithMany,
  kNoDrawing = text_id::kCliNoDrawing,                // %s: the input
  kCannotMakeFolder = text_id::kCliCannotMakeFolder,  // %s: the folder
  kUnfinishedCharacter = text_id::kCliUnfinishedCharacter,
  kNotCodePage932 = text_id::kCliNotCodePage932,
  kLine = text_id::kCliLine,          // %s: the line number
  kSummary = text_id::kCliSummary,    // converted, failed, records, seconds
  kProgress = text_id::kCliProgress,  // done, total, MB read, MB total, MB/s, time left
  kBomWithoutUtf8 = text_id::kCliBomWithoutUtf8,
  kSeparatorOneByte = text_id::kCliSeparatorOneByte,
  kFolderLoop = text_id::kCliFolderLoop,  // %s: the folder link
  kIoFileNotFound = text_id::kCliIoFileNotFound,
  kIoPathNotFound = text_id::kCliIoPathNotFound,
  kIoTooManyOpenFiles = text_id::kCliIoTooManyOpenFiles,
  kIoAccessDenied = text_id::kCliIoAccessDenied,
  kIoSharingViolation = text_id::kCliIoSharingViolation,
  kIoNotOpen = text_id::kCliIoNotOpen,
  kIoNotWritable = text_id::kCliIoNotWritable,
  kIoDiskFull = text_id::kCliIoDiskFull,
  kIoInvalidName = text_id::kCliIoInvalidName,
  kIoOther = text_id::kCliIoOther,  // %s: the code
  kIoInvalidHandle = text_id::kCliIoInvalidHandle,
  kIoNotEnoughMemory = text_id::kCliIoNotEnoughMemory,
  kIoInvalidDrive = text_id::kCliIoInvalidDrive,
  kIoWriteProtect = text_id::kCliIoWriteProtect,
  kIoNotReady = text_id::kCliIoNotReady,
  kIoDeviceFailure = text_id::kCliIoDeviceFailure,
  kIoUnexpectedEnd = text_id::kCliIoUnexpectedEnd,
  kIoFileExists = text_id::kCliIoFileExists,
  kIoRefused = text_id::kCliIoRefused,
  kIoPipeEnded = text_id::kCliIoPipeEnded,
  kIoNameTooLong = text_id::kCliIoNameTooLong,
  kIoFileTooLarge = text_id::kCliIoFileTooLarge,
  kIoTooManyLinks = text_id::kCliIoTooManyLinks,
  kCannotOpen = text_id::kCliCannotOpen,      // %s, %s: the file, the cause
  kCannotRead = text_id::kCliCannotRead,      // the same
  kCannotCreate = text_id::kCliCannotCreate,  // the same
  kCannotWrite = text_id::kCliCannotWrite,    // the same
  kOutOfMemory = text_id::kCliOutOfMemory,
  kConversionFailed = text_id::kCliConversionFailed,  // %s: the error kind
  kInterrupted = text_id::kCliInterrupted,            // %s: drawings converted
  kStandardStreamAlone = text_id::kCliStandardStreamAlone,
  kPressAnyKey = text_id::kCliPressAnyKey,
  kHelpHelp = text_id::kCliHelpHelp,
  kVersionHelp = text_id::kCliVersionHelp,
  kUsageLabel = text_id::kCliUsageLabel,
  kOptionsLabel = text_id::kCliOptionsLabel,
  kPositionalsLabel = text_id::kCliPositionalsLabel,
  kOptionsGroup = text_id::kCliOptionsGroup,
  kRequiredLabel = text_id::kCliRequiredLabel,
  kFileValue = text_id::kCliFileValue,
  kFolderValue = text_id::kCliFolderValue,
  kCountValue = text_id::kCliCountValue,
  kEncodingValue = text_id::kCliEncodingValue,
  kCharacterValue = text_id::kCliCharacterValue,
  kRunWithHelp = text_id::kCliRunWithHelp,
  kInputRequired = text_id::kCliInputRequired,
  kUnexpectedArgument = text_id::kCliUnexpectedArgument,  // %s: the arguments
  kOptionNeedsValue = text_id::kCliOptionNeedsValue,      // %s: the option
  kBadValue = text_id::kCliBadValue,                      // %s, %s: the option, the value
  kJobsRange = text_id::kCliJobsRange,
  kUnknownEncoding = text_id::kCliUnknownEncoding,  // %s: the name
  kBadCommandLine = text_id::kCliBadCommandLine,
  kStandardOutputName = text_id::kCliStandardOutputName,
  kStandardInputName = text_id::kCliStandardInputName,
  kFullHelp = text_id::kCliFullHelp,
  kColumnsHelp = text_id::kCliColumnsHelp,
  kInputEncodingHelp = text_id::kCliInputEncodingHelp,
  kNoBlocksHelp = text_id::kCliNoBlocksHelp,
  kNoDimensionsHelp = text_id::kCliNoDimensionsHelp,
  kTypesHelp = text_id::kCliTypesHelp,
  kNeedsFull = text_id::kCliNeedsFull,                        // %s: the option
  kUnknownColumn = text_id::kCliUnknownColumn,                // %s: the name
  kUnknownInputEncoding = text_id::kCliUnknownInputEncoding,  // %s: the name
  kUnencodable = text_id::kCliUnencodable,                    // %s: the character
  kUndefinedBytes = text_id::kCliUndefinedBytes,              // %s: the code page
  kWarnFallback = text_id::kCliWarnFallback,                  // %s: the code page
  kWarnCycle = text_id::kCliWarnCycle,                        // %s: the block
  kWarnMissing = text_id::kCliWarnMissing,                    // %s: the block
  kWarnTooDeep = text_id::kCliWarnTooDeep,                    // %s: the block
  kWarnTooMany = text_id::kCliWarnTooMany,                    // %s: the block
  kHintFull = text_id::kCliHintFull,                          // %s: the number of texts
  kListValue = text_id::kCliListValue,
  kWarnUnknownCodePage = text_id::kCliWarnUnknownCodePage,  // %s: the header's name
  kLast = kWarnUnknownCodePage,
};
constexpr uint32_t kEnglish = 1000;

void SetJapanese(bool japanese);
bool Japanese();

// The text in the user's language as native text, with each %s replaced by
// the next argument (native text too: file names pass unchanged).
std::string Say(Text text, std::initializer_list<std::string> arguments = {});

}  // namespace toridasu::cli
