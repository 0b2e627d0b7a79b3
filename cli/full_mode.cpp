#include "cli/full_mode.h"

#include "cli/console.h"
#include "cli/failure_text.h"
#include "cli/messages.h"
#include "io/file_source.h"

namespace toridasu::cli {
namespace {

std::string WarningText(const std::string& input, const model::Warning& warning) {
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
  }
  return AtLine(input, warning.line, Say(text, {NativeFromUtf8(warning.detail)}));
}

}  // namespace

Outcome ConvertOneFull(const Conversion& conversion, const ConversionContext& context,
                       const full::FullOptions& options, const std::atomic<bool>& stop) {
  return ConvertInFrame(conversion, context, stop, [&](ConversionFrame& frame) {
    ByteSource& drawing = frame.OpenDrawing();
    full::CsvRecordSink sink(frame.Output(), options.output, context.decimalSeparator);
    full::FullStats stats;
    ModeEnd end;
    end.converted = full::ConvertFull(drawing, sink, context, options, &stats);
    end.records = stats.records;
    for (const model::Warning& warning : stats.warnings) {
      end.notes.push_back(WarningText(conversion.input, warning));
    }
    end.failure = stats.failure;
    return end;
  });
}

void AddFullModeHint(const Conversion& conversion, Platform* platform,
                     const std::atomic<bool>& stop, ModeEnd& end) {
  // Standard input cannot be read a second time.
  if (!end.converted || end.records != 0 || conversion.streams.input) return;
  FileSource drawing(*platform);
  drawing.SetCancellation(&stop);
  if (drawing.Open(conversion.input) != 0) return;
  const uint64_t shown = full::TextsShownByReferences(drawing);
  if (shown != 0) {
    end.notes.push_back(conversion.input + ": " +
                        Say(text_id::kCliHintFull, {std::to_string(shown)}));
  }
}

}  // namespace toridasu::cli
