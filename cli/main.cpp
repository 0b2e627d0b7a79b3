// toridasu-cli: converts DXF drawings into the CSV files that the window's
// conversion writes, one drawing or a whole batch at a time.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/errors.h"
#include "cli/arguments.h"
#include "cli/batch_plan.h"
#include "cli/batch_run.h"
#include "cli/command_line.h"
#include "cli/console.h"
#include "cli/file_system.h"
#include "cli/interruption.h"
#include "cli/language.h"
#include "cli/messages.h"
#include "cli/progress.h"
#include "cli/shared_workbook.h"
#include "cli/temporary_outputs.h"
#include "engine/conversion_context.h"
#include "platform/platform.h"

namespace {

using namespace toridasu;
using namespace toridasu::cli;

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", seconds);
  return text;
}

int Run(const Settings& settings) {
  const Plan plan = PlanConversions(settings.inputs, settings.rules);
  for (const std::string& warning : plan.warnings)
    WriteNative(stderr, ProgramLine(WithControlsEscaped(warning)));
  if (plan.nothingFound) return kUsageError;
  if (!plan.usageError.empty()) return UsageError(plan.usageError);
  // A folder that cannot be made fails the run, as a file that cannot be made would.
  if (!settings.rules.outputDirectory.empty() && !MakeDirectories(settings.rules.outputDirectory)) {
    WriteNative(stderr,
                ProgramLine(Say(text_id::kCliCannotMakeFolder, {settings.rules.outputDirectory})));
    return kSomeFailed;
  }
  RemoveLeftTemporaries(plan.conversions, CurrentPlatform());

  RunOptions options(LocaleContext(CurrentPlatform()));
  if (settings.separator != 0) options.context.decimalSeparator = settings.separator;
  options.csv.utf8 = settings.encoding == OutputEncoding::kUtf8;
  options.csv.bom = settings.bom;
  options.csv.replace = settings.replaceInvalid;
  options.jobs =
      settings.jobs != 0 ? settings.jobs : std::max(1u, std::thread::hardware_concurrency());
  options.stop = &InterruptionFlag();
  if (settings.full) options.full = &*settings.full;
  options.listLayers = settings.listLayers;
  options.hints = !settings.quiet;  // -q shows no note
  std::unique_ptr<SharedWorkbook> shared;
  if (settings.workbooks) {
    options.workbooks = WorkbookChoice{};
    if (plan.oneWorkbook) {
      shared = std::make_unique<SharedWorkbook>(plan.conversions.front(), InterruptionFlag());
      if (!shared->Open()) {
        WriteNative(stderr, WithControlsEscaped(shared->Message()) + "\n");
        return kSomeFailed;
      }
      options.workbooks->shared = &shared->Book();
      // The drawings' sheets go into it in their order, one drawing at a time.
      options.jobs = 1;
    }
  }

  uint64_t totalBytes = 0;
  for (const Conversion& c : plan.conversions) totalBytes += FileSizeOf(c.input);
  std::atomic<uint64_t> bytesRead{0};
  std::atomic<uint64_t> finished{0};
  options.bytesRead = &bytesRead;
  options.finished = &finished;
  const bool showProgress = !settings.quiet && !settings.noProgress && IsTerminal(stderr);
  ProgressLine progress(showProgress, plan.conversions.size(), totalBytes, finished, bytesRead);

  const auto start = std::chrono::steady_clock::now();
  uint64_t converted = 0, failed = 0, records = 0, warnings = 0;
  RunConversions(plan.conversions, options, [&](std::size_t, const Outcome& outcome) {
    if (!settings.quiet) {
      for (const std::string& note : outcome.notes)
        progress.Print(stderr, WithControlsEscaped(note) + "\n");
    }
    warnings += outcome.warnings;
    if (!outcome.listing.empty()) progress.Print(stdout, outcome.listing);
    if (outcome.converted) {
      ++converted;
      records += outcome.records;  // only for the CSV files kept
    } else if (!outcome.interrupted) {
      ++failed;
      progress.Print(stderr, WithControlsEscaped(outcome.message) + "\n");
    }
  });
  progress.Finish();
  if (shared && !shared->Complete(converted != 0)) {
    // Nothing of the batch is kept when its workbook cannot be written.
    if (!InterruptionFlag().load())
      progress.Print(stderr, WithControlsEscaped(shared->Message()) + "\n");
    failed += converted;
    converted = 0;
    records = 0;
  }
  if (InterruptionFlag().load()) {
    WriteNative(stderr, ProgramLine(Say(text_id::kCliInterrupted, {std::to_string(converted)})));
    return kInterruptedStatus;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!settings.quiet) {
    WriteNative(stderr, Say(text_id::kCliSummary,
                            {std::to_string(converted), std::to_string(failed),
                             std::to_string(records), std::to_string(warnings), Seconds(seconds)}) +
                            "\n");
  }
  return failed == 0 ? kAllConverted : kSomeFailed;
}

int Main(const std::vector<std::string>& arguments) {
  Settings settings;
  if (const std::optional<int> status = ParseCommandLine(arguments, &settings)) return *status;
  try {
    return Run(settings);
  } catch (const std::bad_alloc&) {
    WriteNative(stderr, ProgramLine(Say(text_id::kCliOutOfMemory)));
    return kSomeFailed;
  }
}

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStreams();
  SetJapanese(UserPrefersJapanese());
  CatchInterruptions();
  SetInterruptionFlag(&InterruptionFlag());
  const int status = Main(ProgramArguments(argc, argv));
  InterruptionHandled();
  HoldOwnConsoleWindow(Say(text_id::kCliPressAnyKey));
  return status;
}
