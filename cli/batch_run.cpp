#include "cli/batch_run.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

#include "base/errors.h"
#include "base/threads.h"
#include "cli/failure_text.h"
#include "cli/file_system.h"
#include "cli/full_mode.h"
#include "cli/jww_mode.h"
#include "cli/messages.h"
#include "cli/workbook_output.h"
#include "xlsx/exact_sheet_sink.h"

namespace toridasu::cli {
namespace {

// No real drawing has a line of this length, and a file without line ends
// (a binary file, a device) would otherwise be held whole.
constexpr uint64_t kLineLimit = uint64_t{256} << 20;

}  // namespace

ConversionFrame::ConversionFrame(const Conversion& conversion, const ConversionContext& context,
                                 const std::atomic<bool>& stop)
    : conversion_(conversion),
      context_(context),
      stop_(stop),
      output_(conversion, *context.platform, stop) {
  if (!conversion.outputFolder.empty() && !MakeDirectories(conversion.outputFolder))
    refusal_ = Say(text_id::kCliCannotMakeFolder, {conversion.outputFolder});
}

ByteSource& ConversionFrame::OpenDrawing() {
  drawing_ = cli::OpenDrawing(conversion_, *context_.platform, stop_);
  recognized_ = std::make_unique<RecognizedSource>(*drawing_);
  return *recognized_;
}

ModeEnd ForeignEnd(ForeignFile what) {
  ModeEnd end;
  ConversionFailure failure;
  failure.kind = FailureKind::kNotDrawing;
  failure.foreign = what;
  end.failure = failure;
  return end;
}

Outcome ConvertInFrame(const Conversion& conversion, const ConversionContext& context,
                       const std::atomic<bool>& stop,
                       const std::function<ModeEnd(ConversionFrame&)>& convert) {
  Outcome outcome;
  ConversionFrame frame(conversion, context, stop);
  outcome.message = frame.Refusal();
  if (!outcome.message.empty()) return outcome;
  ModeEnd end;
  try {
    end = convert(frame);
  } catch (const EInOutError& error) {
    // The drawing could not be opened: nothing was written.
    ConversionFailure failure;
    failure.kind = FailureKind::kInput;
    failure.operation = FileOperation::kOpen;
    failure.ioCode = error.Code();
    end.failure = failure;
  }
  if (end.converted) {
    if (const uint32_t code = frame.KeepOutput()) {
      ConversionFailure failure;
      failure.kind = FailureKind::kOutput;
      failure.operation = FileOperation::kClose;
      failure.ioCode = static_cast<int32_t>(code);
      end.converted = false;
      end.failure = failure;
    }
  }
  outcome.converted = end.converted;
  outcome.notes = std::move(end.notes);
  outcome.warnings = end.warnings;
  if (end.converted) {
    outcome.records = end.records;
  } else if (stop.load()) {
    outcome.interrupted = true;
  } else if (end.failure) {
    outcome.message = FailureText({conversion.input, conversion.output, *end.failure, end.binary});
  }
  return outcome;
}

Outcome ConvertOne(const Conversion& conversion, const ConversionContext& context,
                   const ExactCsvChoice& csv, const ConversionOptions& options,
                   const std::atomic<bool>& stop, bool hints, const WorkbookChoice* workbook) {
  return ConvertInFrame(conversion, context, stop, [&](ConversionFrame& frame) {
    ByteSource& opened = frame.OpenDrawing();
    if (frame.Kind().kind == InputKind::kForeign) return ForeignEnd(frame.Kind().foreign);
    const bool jww = frame.Kind().kind == InputKind::kJww;
    // Counted for the hint, which reads again only drawings of a bounded size.
    CountedSource drawing(opened);
    ConversionStats stats;
    ModeEnd end;
    auto convert = [&](ExactRecordSink& sink) {
      if (jww) {
        end = ConvertJwwInDefaultMode(conversion, opened, sink, options, csv.replace, stop);
        return;
      }
      end.converted = ConvertDxf(drawing, sink, context, &stats, options);
      end.records = stats.records;
      end.failure = stats.failure;
    };
    if (workbook) {
      WorkbookOutput output(frame.Output(), workbook->shared);
      xlsx::ExactSheetSink sink(output.Book(), SheetNameOf(conversion), csv.replace, output.Owns());
      convert(sink);
      if (end.converted) AddSheetNotes(conversion, sink.Sheets(), end);
    } else {
      ExactCsvChoice choice = csv;
      choice.decimalSeparator = context.decimalSeparator;
      ExactCsvSink sink(frame.Output(), choice);
      convert(sink);
    }
    // Full mode would write the same texts of a Jw_cad drawing: no hint.
    if (jww) return end;
    if (end.converted && stats.cutAtLine) {
      end.notes.push_back(
          WarningText(conversion.input, {model::Warning::Kind::kCutDrawing, {}, *stats.cutAtLine}));
      ++end.warnings;
    }
    // Read again with the run's interruption, so that it stops the second
    // reading too.
    if (hints) AddFullModeHint(conversion, drawing.Count(), context.platform, stop, end);
    return end;
  });
}

void RunConversions(const std::vector<Conversion>& conversions, const RunOptions& options,
                    const std::function<void(std::size_t, const Outcome&)>& report) {
  static const std::atomic<bool> kNeverStop{false};
  const std::atomic<bool>& stop = options.stop ? *options.stop : kNeverStop;
  ConversionOptions shared;
  shared.bytesRead = options.bytesRead;
  shared.lineLimit = kLineLimit;
  std::optional<full::FullOptions> sharedFull;
  if (options.full) {
    sharedFull = *options.full;
    sharedFull->bytesRead = options.bytesRead;
    sharedFull->lineLimit = kLineLimit;
    sharedFull->texts.stop = &stop;  // long expansions obey it too
  }
  std::vector<std::optional<Outcome>> outcomes(conversions.size());
  std::mutex mutex;
  std::size_t nextToStart = 0;
  std::size_t nextToReport = 0;

  // Each worker reports what is ready in order, so messages come out as
  // they would with one job, and as early as the order allows.
  auto worker = [&] {
    for (;;) {
      std::size_t index;
      {
        std::lock_guard<std::mutex> lock(mutex);
        if (nextToStart == conversions.size()) return;
        index = nextToStart++;
      }
      Outcome outcome;
      if (stop.load()) {
        outcome.interrupted = true;
      } else {
        if (!sharedFull) {
          outcome = ConvertOne(conversions[index], options.context, options.csv, shared, stop,
                               options.hints, options.workbooks ? &*options.workbooks : nullptr);
        } else if (options.listLayers) {
          outcome = ListLayersOne(conversions[index], options.context, *sharedFull, stop,
                                  conversions.size() > 1);
        } else {
          outcome = ConvertOneFull(conversions[index], options.context, *sharedFull, stop,
                                   options.workbooks ? &*options.workbooks : nullptr);
        }
        if (options.finished) options.finished->fetch_add(1);
      }
      std::lock_guard<std::mutex> lock(mutex);
      outcomes[index] = std::move(outcome);
      while (nextToReport < outcomes.size() && outcomes[nextToReport]) {
        report(nextToReport, *outcomes[nextToReport]);
        ++nextToReport;
      }
    }
  };
  const unsigned count =
      !kOwnThreads ? 1u
                   : std::max(1u, std::min<unsigned>(options.jobs,
                                                     static_cast<unsigned>(conversions.size())));
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < count; ++i) threads.emplace_back(worker);
  worker();
  for (std::thread& thread : threads) thread.join();
}

}  // namespace toridasu::cli
