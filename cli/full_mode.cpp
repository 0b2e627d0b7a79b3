#include "cli/full_mode.h"

#include "base/errors.h"
#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

std::string WarningText(const std::string& input, const full::FullWarning& warning) {
  using Kind = full::FullWarning::Kind;
  uint32_t text = text_id::kCliWarnMissing;
  switch (warning.kind) {
    case Kind::kFallbackCodePage: text = text_id::kCliWarnFallback; break;
    case Kind::kBlockCycle: text = text_id::kCliWarnCycle; break;
    case Kind::kMissingBlock: text = text_id::kCliWarnMissing; break;
    case Kind::kTooDeep: text = text_id::kCliWarnTooDeep; break;
    case Kind::kTooManyCopies: text = text_id::kCliWarnTooMany; break;
    case Kind::kUnknownCodePage: text = text_id::kCliWarnUnknownCodePage; break;
  }
  return AtLine(input, warning.line, Say(text, {NativeFromUtf8(warning.detail)}));
}

std::string FullFailureText(const std::string& input, const full::FullFailure& failure) {
  const uint32_t text = failure.kind == full::FullFailure::Kind::kUnencodable
                            ? text_id::kCliUnencodable
                            : text_id::kCliUndefinedBytes;
  return AtLine(input, failure.line, Say(text, {NativeFromUtf8(failure.detail)}));
}

}  // namespace

Outcome ConvertOneFull(const Conversion& conversion, const ConversionContext& context,
                       const full::FullOptions& options, const std::atomic<bool>& stop,
                       Platform& system) {
  Outcome outcome;
  const ConversionFrame frame(conversion, context, stop, system);
  outcome.message = frame.Refusal();
  if (!outcome.message.empty()) return outcome;
  full::FullStats stats;
  try {
    outcome.converted =
        full::ConvertFull(conversion.input, conversion.output, frame.Context(), options, &stats);
  } catch (const EInOutError& error) {
    // The drawing could not be opened: nothing was written.
    stats.error = ConversionFailure{error.KindName(), error.Message(), error.Code(), 0};
  }
  for (const full::FullWarning& warning : stats.warnings) {
    outcome.notes.push_back(WarningText(conversion.input, warning));
  }
  if (outcome.converted) {
    outcome.records = stats.records;
  } else if (stop.load()) {
    outcome.interrupted = true;
  } else if (stats.failure) {
    outcome.message = FullFailureText(conversion.input, *stats.failure);
  } else if (stats.error) {
    outcome.message = FailureText({conversion.input, conversion.output, *stats.error,
                                   frame.Files().Fault(), frame.Files().OpenedDrawing()});
  }
  return outcome;
}

void AddFullModeHint(const Conversion& conversion, Outcome& outcome) {
  // Standard input cannot be read a second time.
  if (!outcome.converted || outcome.records != 0 || conversion.streams.input) return;
  const uint64_t shown = full::TextsShownByReferences(conversion.input);
  if (shown != 0) {
    outcome.notes.push_back(conversion.input + ": " +
                            Say(text_id::kCliHintFull, {std::to_string(shown)}));
  }
}

}  // namespace toridasu::cli
