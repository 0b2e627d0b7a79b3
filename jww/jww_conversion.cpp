#include "jww/jww_conversion.h"

#include <functional>
#include <new>

#include "base/errors.h"
#include "jww/drawing_feeder.h"
#include "model/drawing_texts.h"

namespace toridasu::jww {
namespace {

// What both modes share: the reading into the model, the output begun and
// ended by `begin` and `end`, the input closed, and every way it can fail as
// the conversion's failure at the offset where the reading stood.
std::optional<ConversionFailure> Convert(ByteSource& input, const FeedChoice& choice,
                                         const model::TextSelection& selection,
                                         std::atomic<uint64_t>* progress, const IoEnd* output,
                                         model::WarningLog& warnings,
                                         const model::DrawingTexts::Emit& emit,
                                         const std::function<void()>& begin,
                                         const std::function<void(model::DrawingTexts&)>& end) {
  uint64_t offset = 0;
  try {
    model::DrawingTexts texts(selection, warnings, emit);
    DrawingFeeder feeder(input, choice, warnings, texts, progress);
    try {
      begin();
      feeder.Run();
    } catch (...) {
      offset = feeder.Offset();
      throw;
    }
    end(texts);
    if (const uint32_t code = input.Close()) RaiseIoError(static_cast<int32_t>(code));
    return std::nullopt;
  } catch (ConversionFailure failure) {
    if (failure.line == 0) failure.line = offset;
    return failure;
  } catch (const model::ExpansionStopped&) {
    // The run was interrupted while blocks were expanded: as a read given up.
    ConversionFailure failure;
    failure.kind = FailureKind::kInput;
    failure.operation = FileOperation::kRead;
    failure.ioCode = static_cast<int32_t>(kOperationAborted);
    failure.line = offset;
    return failure;
  } catch (const Exception& error) {
    return FailureOf(error, offset, &input, output);
  } catch (const std::bad_alloc&) {
    return OutOfMemoryFailure(offset);
  }
}

// Ends a conversion of either mode: its warnings kept, and on failure no
// records, the sink's output given up and the drawing closed.
template <typename Stats, typename Sink>
bool Finish(Stats& out, Sink& sink, ByteSource& input, model::WarningLog& warnings) {
  out.warnings = warnings.Take();
  if (!out.failure) return true;
  out.records = 0;
  sink.Abandon();
  input.Close();
  return false;
}

}  // namespace

bool ConvertJwwFull(ByteSource& input, model::RecordSink& sink, const full::FullOptions& options,
                    full::FullStats* stats) {
  full::FullStats localStats;
  full::FullStats& out = stats ? *stats : localStats;
  out = full::FullStats{};
  FeedChoice choice;
  choice.strings.codePage =
      options.texts.inputCodePage != 0 ? options.texts.inputCodePage : text::kHomeCodePage;
  choice.strings.replace = options.texts.replace;
  choice.dimensions = options.texts.dimensions;
  model::WarningLog warnings;
  out.failure = Convert(
      input, choice, options.texts, options.bytesRead, sink.Output(), warnings,
      [&sink, &out](const model::TextRecord& record) {
        sink.Take(record);
        ++out.records;
      },
      [&] { sink.Begin(options.output.columns); },
      [&](model::DrawingTexts& texts) {
        out.hidden = texts.Hidden();
        out.layers = texts.Layers().Names();
        sink.Commit();
      });
  return Finish(out, sink, input, warnings);
}

bool ConvertJwwExact(ByteSource& input, ExactRecordSink& sink, const ExactChoice& choice,
                     ExactStats* stats) {
  ExactStats localStats;
  ExactStats& out = stats ? *stats : localStats;
  out = ExactStats{};
  FeedChoice feed;
  feed.strings.shiftJis = true;
  feed.strings.replace = choice.replace;
  model::TextSelection selection;
  selection.stop = choice.stop;
  selection.limits.maxWork = choice.budget;
  model::WarningLog warnings;
  out.failure = Convert(
      input, feed, selection, choice.bytesRead, sink.Output(), warnings,
      [&sink, &out](const model::TextRecord& record) {
        const RecordCoordinate x(record.point.x), y(record.point.y), z(record.point.z);
        sink.Take(ExactRecord{x, y, z, record.text});
        ++out.records;
      },
      [&] { sink.Begin(); }, [&](model::DrawingTexts&) { sink.Commit(); });
  return Finish(out, sink, input, warnings);
}

}  // namespace toridasu::jww
