#include "full/full_conversion.h"

#include <new>

#include "base/errors.h"
#include "engine/dxf_source.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "model/drawing_texts.h"

namespace toridasu::full {

bool ConvertFull(ByteSource& input, model::RecordSink& sink, const ConversionContext& context,
                 const FullOptions& options, FullStats* stats) {
  FullStats localStats;
  FullStats& out = stats ? *stats : localStats;
  out = FullStats{};

  DxfSource source;
  source.SetProgressCounter(options.bytesRead);
  source.SetLineLimit(options.lineLimit);
  source.Open(input);
  model::WarningLog warnings;
  try {
    sink.Begin(options.output.columns);
    model::DrawingTexts texts(options.texts, warnings,
                              [&sink, &out](const model::TextRecord& record) {
                                sink.Take(record);
                                ++out.records;
                              });
    FeedDrawing(source, options.texts, context.decimalSeparator, warnings, texts);
    out.hidden = texts.Hidden();
    out.layers = texts.Layers().Names();
    sink.Commit();
    source.Close();
  } catch (const ConversionFailure& failure) {
    out.failure = failure;
  } catch (const model::ExpansionStopped&) {
    // The run was interrupted while blocks were expanded: as a read given up.
    ConversionFailure failure;
    failure.kind = FailureKind::kInput;
    failure.operation = FileOperation::kRead;
    failure.ioCode = static_cast<int32_t>(kOperationAborted);
    failure.line = source.NextLineNumber();
    out.failure = failure;
  } catch (const Exception& error) {
    out.failure = FailureOf(error, source.NextLineNumber(), &input, sink.Output());
  } catch (const std::bad_alloc&) {
    out.failure = OutOfMemoryFailure(source.NextLineNumber());
  }
  out.warnings = warnings.Take();
  if (!out.failure) return true;

  out.records = 0;
  sink.Abandon();
  source.CloseAfterFailure();
  return false;
}

bool ConvertFull(std::string_view sourceName, std::string_view destinationName,
                 const ConversionContext& context, const FullOptions& options, FullStats* stats) {
  Platform& platform = *context.platform;
  FileSource input(platform);
  input.OpenOrRaise(sourceName);
  FileSink output(platform, destinationName);
  CsvRecordSink sink(output, options.output, context.decimalSeparator);
  return ConvertFull(input, sink, context, options, stats);
}

std::optional<uint64_t> CountTexts(ByteSource& input, const std::atomic<bool>* stop,
                                   uint64_t budget) {
  uint64_t count = 0;
  DxfSource source;
  source.Open(input);
  try {
    model::WarningLog warnings;
    TextChoice choice;
    choice.replace = true;
    choice.stop = stop;
    choice.limits.maxWork = budget;
    model::DrawingTexts texts(choice, warnings, [&count](const model::TextRecord&) { ++count; });
    FeedDrawing(source, choice, '.', warnings, texts);
    source.Close();
    return count;
  } catch (const Exception&) {
    // Only a hint hangs on this: a reading that stopped short counts nothing.
  } catch (const ConversionFailure&) {
  } catch (const model::ExpansionStopped&) {
  } catch (const std::bad_alloc&) {
  }
  return std::nullopt;
}

}  // namespace toridasu::full
