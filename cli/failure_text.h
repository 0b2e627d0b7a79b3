// A failed conversion in the user's words: the file at fault (the drawing,
// or the output when that is where it failed), what happened, and what the
// user can do about it.
#pragma once

#include <cstdint>
#include <string>

#include "engine/conversion_failure.h"
#include "model/warnings.h"

namespace toridasu::cli {

// The cause of a failed file operation, with what to do about it.
std::string IoCause(int32_t code);

struct FailedConversion {
  std::string input;   // "-": standard input
  std::string output;  // "-": standard output
  const ConversionFailure& failure;
  bool binary = false;  // a binary drawing: the failure's line is a byte offset
};

// A message about the drawing `input`, at a line of it when that is known
// (not 0), or with `binary`, at that byte offset.
std::string AtLine(const std::string& input, uint64_t line, const std::string& text,
                   bool binary = false);

// A warning about the drawing `input`, without the line end; with `binary`,
// its line is a byte offset.
std::string WarningText(const std::string& input, const model::Warning& warning,
                        bool binary = false);

// The message line for the failure, without the line end.
std::string FailureText(const FailedConversion& failed);

}  // namespace toridasu::cli
