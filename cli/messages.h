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
  kLast = kIoOther,
};
constexpr uint32_t kEnglish = 1000;

void SetJapanese(bool japanese);
bool Japanese();

// The text in the user's language as native text, with each %s replaced by
// the next argument (native text too: file names pass unchanged).
std::string Say(Text text, std::initializer_list<std::string> arguments = {});

// The cause of a failed I/O operation in English (Japanese users get the
// program's own message).
std::string EnglishIoCause(int32_t code);

}  // namespace toridasu::cli
