#include "cli/batch.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

#include "base/errors.h"
#include "cli/full_mode.h"
#include "cli/messages.h"
#include "cli/terminal.h"

namespace toridasu::cli {
namespace {

void AddInput(const std::string& input, const InputRules& rules, std::vector<std::string>* drawings,
              std::string* error) {
  if (IsDirectory(input)) {
    std::vector<std::string> found;
    if (!ListDrawings(input, rules.recursive, &found) || found.empty()) {
      *error = Say(Text::kNoDrawing, {input});
    }
    drawings->insert(drawings->end(), found.begin(), found.end());
  } else if (HasWildcard(input)) {
    const std::vector<std::string> found = ExpandPattern(input);
    if (found.empty()) *error = Say(Text::kNoDrawing, {input});
    drawings->insert(drawings->end(), found.begin(), found.end());
  } else {
    // A named file goes to the converter even when missing: its failure is
    // reported like any other.
    drawings->push_back(input);
  }
}

std::string FailureText(const ConversionFailure& failure) {
  if (failure.kind == "ERangeError") {
    return NativeFromUtf8(Say(Text::kLine, {std::to_string(failure.line)}) + ": " +
                          Say(Text::kUnfinishedCharacter));
  }
  if (failure.kind == "EConvertError") {
    return NativeFromUtf8(Say(Text::kLine, {std::to_string(failure.line)}) + ": " +
                          Say(Text::kNotCodePage932));
  }
  if (failure.kind == "EInOutError" && !Japanese()) return EnglishIoCause(failure.ioCode);
  return NativeFromShiftJis(failure.message);
}

}  // namespace

Plan PlanConversions(const std::vector<std::string>& inputs, const InputRules& rules) {
  Plan plan;
  std::vector<std::string> drawings;
  for (const std::string& input : inputs) {
    AddInput(input, rules, &drawings, &plan.usageError);
    if (!plan.usageError.empty()) return plan;
  }
  if (!rules.singleOutput.empty() && drawings.size() != 1) {
    plan.usageError = Say(Text::kOutputWithMany);
    return plan;
  }
  for (const std::string& drawing : drawings) {
    std::string output = rules.singleOutput;
    if (output.empty()) {
      output = DefaultOutputName(drawing);
      if (!rules.outputDirectory.empty())
        output = JoinPath(rules.outputDirectory, BaseName(output));
    }
    plan.conversions.push_back({drawing, output});
  }
  // Refused before any work starts: a later drawing would overwrite an
  // earlier one's output, or a drawing would be overwritten.
  std::map<std::string, std::size_t> drawingNames;
  for (std::size_t i = 0; i < plan.conversions.size(); ++i) {
    drawingNames.emplace(NameKey(plan.conversions[i].input), i);
  }
  std::map<std::string, std::size_t> outputs;
  for (std::size_t i = 0; i < plan.conversions.size(); ++i) {
    const Conversion& c = plan.conversions[i];
    if (drawingNames.count(NameKey(c.output)) != 0 || NamesSameFile(c.input, c.output)) {
      plan.usageError = Say(Text::kOutputNamesInput, {c.output});
      return plan;
    }
    const auto [earlier, fresh] = outputs.emplace(NameKey(c.output), i);
    if (!fresh) {
      plan.usageError =
          Say(Text::kOutputCollision, {plan.conversions[earlier->second].input, c.input});
      return plan;
    }
  }
  return plan;
}

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
