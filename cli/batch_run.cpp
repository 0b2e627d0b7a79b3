#include "cli/batch_run.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

#include "base/errors.h"
#include "cli/conversion_platform.h"
#include "cli/failure_text.h"
#include "cli/file_system.h"
#include "cli/full_mode.h"
#include "cli/messages.h"

namespace toridasu::cli {

ConversionFrame::ConversionFrame(const Conversion& conversion, const ConversionContext& context,
                                 const std::atomic<bool>& stop, Platform& system)
    : platform_(system, stop, conversion.streams), context_(context) {
  context_.platform = &platform_;
  if (!conversion.outputFolder.empty() && !MakeDirectories(conversion.outputFolder))
    refusal_ = Say(text_id::kCliCannotMakeFolder, {conversion.outputFolder});
}

Outcome ConvertInFrame(const Conversion& conversion, const ConversionContext& context,
                       const std::atomic<bool>& stop, Platform& system,
                       const std::function<ModeEnd(ConversionFrame&)>& convert) {
  Outcome outcome;
  ConversionFrame frame(conversion, context, stop, system);
  outcome.message = frame.Refusal();
  if (!outcome.message.empty()) return outcome;
  ModeEnd end;
  try {
    end = convert(frame);
  } catch (const EInOutError& error) {
    // The drawing could not be opened: nothing was written.
    end.failure = ConversionFailure{error.KindName(), error.Message(), error.Code(), 0};
  }
  outcome.converted = end.converted;
  outcome.notes = std::move(end.notes);
  if (end.converted) {
    outcome.records = end.records;
  } else if (stop.load()) {
    outcome.interrupted = true;
  } else if (!end.trouble.empty()) {
    outcome.message = std::move(end.trouble);
  } else if (end.failure) {
    outcome.message = FailureText({conversion.input, conversion.output, *end.failure,
                                   frame.Files().Fault(), frame.Files().OpenedDrawing()});
  }
  return outcome;
}

Outcome ConvertOne(const Conversion& conversion, const ConversionContext& context,
                   const ConversionOptions& options, const std::atomic<bool>& stop,
                   Platform& system, bool hints) {
  return ConvertInFrame(conversion, context, stop, system, [&](ConversionFrame& frame) {
    ConversionStats stats;
    ModeEnd end;
    end.converted =
        ConvertDxfToCsvFile(conversion.input, conversion.output, frame.Context(), &stats, options);
    end.records = stats.records;
    end.failure = stats.failure;
    // Through the frame's platform, so that an interruption stops the
    // second reading too.
    if (hints) AddFullModeHint(conversion, frame.Files(), end);
    return end;
  });
}

void RunConversions(const std::vector<Conversion>& conversions, const RunOptions& options,
                    const std::function<void(std::size_t, const Outcome&)>& report) {
  static const std::atomic<bool> kNeverStop{false};
  const std::atomic<bool>& stop = options.stop ? *options.stop : kNeverStop;
  ConversionOptions shared = options.conversion;
  shared.bytesRead = options.bytesRead;
  std::optional<full::FullOptions> sharedFull;
  if (options.full) {
    sharedFull = *options.full;
    sharedFull->bytesRead = options.bytesRead;
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
        outcome = sharedFull
                      ? ConvertOneFull(conversions[index], options.context, *sharedFull, stop)
                      : ConvertOne(conversions[index], options.context, shared, stop,
                                   CurrentPlatform(), options.hints);
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
      std::max(1u, std::min<unsigned>(options.jobs, static_cast<unsigned>(conversions.size())));
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < count; ++i) threads.emplace_back(worker);
  worker();
  for (std::thread& thread : threads) thread.join();
}

}  // namespace toridasu::cli
