// The converter's own words, in English or Japanese after the user's locale.
// Texts are UTF-8 here (their one source); the terminal code converts them.
#pragma once

#include <cstdint>
#include <string>

namespace toridasu::cli {

enum class Text {
  kDescription,
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
  kNotADrawing,       // %s: the input
  kCannotMakeFolder,  // %s: the folder
  kUnfinishedCharacter,
  kNotCodePage932,
  kLine,      // %s: the line number
  kSummary,   // converted, failed, records, seconds
  kProgress,  // done, total, MB read, MB total, MB/s, time left
  kBomWithoutUtf8,
  kSeparatorOneByte,
  kFullHelp,
  kColumnsHelp,
  kInputEncodingHelp,
  kNoBlocksHelp,
  kNoDimensionsHelp,
  kTypesHelp,
  kNeedsFull,        // %s: the option
  kUnknownColumn,    // %s: the name
  kUnknownEncoding,  // %s: the name
  kUnencodable,      // %s: the character
  kUndefinedBytes,   // %s: the code page
  kWarnFallback,     // %s: the code page
  kWarnCycle,        // %s: the block
  kWarnMissing,      // %s: the block
  kWarnTooDeep,      // %s: the block
  kWarnTooMany,      // %s: the block
  kHintFull,         // %s: the number of texts
};

void SetJapanese(bool japanese);
// The text, UTF-8, with %s placeholders filled in order.
std::string Say(Text text, std::initializer_list<std::string> arguments = {});

bool Japanese();
// The cause of a failed I/O operation in English (Japanese users get the
// program's own message).
std::string EnglishIoCause(int32_t code);

}  // namespace toridasu::cli
