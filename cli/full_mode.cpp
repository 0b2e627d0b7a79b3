#include "cli/full_mode.h"

#include "base/errors.h"
#include "cli/console.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

std::string AtLine(uint64_t line, const std::string& text) {
  if (line == 0) return text;
  return Say(Text::kLine, {std::to_string(line)}) + ": " + text;
}

std::string WarningText(const full::FullWarning& warning) {
  using Kind = full::FullWarning::Kind;
  Text text = Text::kWarnMissing;
  switch (warning.kind) {
    case Kind::kFallbackCodePage: text = Text::kWarnFallback; break;
    case Kind::kBlockCycle: text = Text::kWarnCycle; break;
    case Kind::kMissingBlock: text = Text::kWarnMissing; break;
    case Kind::kTooDeep: text = Text::kWarnTooDeep; break;
    case Kind::kTooManyCopies: text = Text::kWarnTooMany; break;
  }
  return AtLine(warning.line, Say(text, {NativeFromUtf8(warning.detail)}));
}

std::string FailureText(const full::FullFailure& failure) {
  const Text text = failure.kind == full::FullFailure::Kind::kUnencodable ? Text::kUnencodable
                                                                          : Text::kUndefinedBytes;
  return AtLine(failure.line, Say(text, {NativeFromUtf8(failure.detail)}));
}

std::string ErrorText(const ConversionFailure& error) {
  if (error.kind == "EInOutError" && !Japanese()) return EnglishIoCause(error.ioCode);
  return NativeFromShiftJis(error.message);
}

}  // namespace

Outcome ConvertOneFull(const Conversion& conversion, const full::FullOptions& options) {
  Outcome outcome;
  full::FullStats stats;
  try {
    outcome.converted = full::ConvertFull(conversion.input, conversion.output, options, &stats);
  } catch (const EInOutError& error) {
    outcome.message =
        Japanese() ? NativeFromShiftJis(error.Message()) : EnglishIoCause(error.Code());
    return outcome;
  }
  outcome.records = stats.records;
  for (const full::FullWarning& warning : stats.warnings) {
    outcome.notes.push_back(WarningText(warning));
  }
  if (stats.failure) outcome.message = FailureText(*stats.failure);
  if (stats.error) outcome.message = ErrorText(*stats.error);
  return outcome;
}

void AddFullModeHint(const Conversion& conversion, Outcome& outcome) {
  if (!outcome.converted || outcome.records != 0) return;
  const uint64_t shown = full::TextsShownByReferences(conversion.input);
  if (shown != 0) outcome.notes.push_back(Say(Text::kHintFull, {std::to_string(shown)}));
}

}  // namespace toridasu::cli
