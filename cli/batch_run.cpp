#include "cli/batch_run.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <thread>

#include "base/errors.h"
#include "cli/console.h"
#include "cli/full_mode.h"
#include "cli/messages.h"

namespace toridasu::cli {
namespace {

std::string FailureText(const ConversionFailure& failure) {
  if (failure.kind == "ERangeError") {
    return Say(Text::kLine, {std::to_string(failure.line)}) + ": " +
           Say(Text::kUnfinishedCharacter);
  }
  if (failure.kind == "EConvertError") {
    return Say(Text::kLine, {std::to_string(failure.line)}) + ": " + Say(Text::kNotCodePage932);
  }
  if (failure.kind == "EInOutError" && !Japanese()) return EnglishIoCause(failure.ioCode);
  return NativeFromShiftJis(failure.message);
}

}  // namespace

Outcome ConvertOne(const Conversion& conversion, const ConversionOptions& options) {
  Outcome outcome;
  ConversionStats stats;
  try {
    outcome.converted = ConvertDxfToCsvFile(conversion.input, conversion.output, &stats, options);
  } catch (const EInOutError& error) {
    // The drawing could not be opened: nothing was written.
    outcome.message =
        Japanese() ? NativeFromShiftJis(error.Message()) : EnglishIoCause(error.Code());
    return outcome;
  }
  outcome.records = stats.records;
  if (!outcome.converted && stats.failure) outcome.message = FailureText(*stats.failure);
  AddFullModeHint(conversion, outcome);
  return outcome;
}

void RunConversions(const std::vector<Conversion>& conversions, unsigned jobs,
                    const ConversionOptions& options, const full::FullOptions* full,
                    std::atomic<uint64_t>* bytesRead, std::atomic<uint64_t>* finished,
                    const std::function<void(std::size_t, const Outcome&)>& report) {
  ConversionOptions shared = options;
  shared.bytesRead = bytesRead;
  std::optional<full::FullOptions> sharedFull;
  if (full) {
    sharedFull = *full;
    sharedFull->bytesRead = bytesRead;
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
      Outcome outcome = sharedFull ? ConvertOneFull(conversions[index], *sharedFull)
                                   : ConvertOne(conversions[index], shared);
      if (finished) finished->fetch_add(1);
      std::lock_guard<std::mutex> lock(mutex);
      outcomes[index] = std::move(outcome);
      while (nextToReport < outcomes.size() && outcomes[nextToReport]) {
        report(nextToReport, *outcomes[nextToReport]);
        ++nextToReport;
      }
    }
  };
  const unsigned count =
      std::max(1u, std::min<unsigned>(jobs, static_cast<unsigned>(conversions.size())));
  std::vector<std::thread> threads;
  for (unsigned i = 1; i < count; ++i) threads.emplace_back(worker);
  worker();
  for (std::thread& thread : threads) thread.join();
}

}  // namespace toridasu::cli
