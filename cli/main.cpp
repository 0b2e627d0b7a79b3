// toridasu-cli: converts DXF drawings into the CSV files that the window's
// conversion writes, one drawing or a whole batch at a time.
#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "base/errors.h"
#include "cli/batch_plan.h"
#include "cli/batch_run.h"
#include "cli/console.h"
#include "cli/file_system.h"
#include "cli/language.h"
#include "cli/messages.h"
#include "cli/progress.h"
#include "cli/shift_jis_to_utf8.h"
#include "engine/csv_destination.h"
#include "files/file_names.h"
#include "platform/platform.h"
#include "version.h"

namespace {

using namespace toridasu;
using namespace toridasu::cli;

constexpr int kAllConverted = 0;
constexpr int kSomeFailed = 1;
constexpr int kUsageError = 2;

struct Settings {
  std::vector<std::string> inputs;
  InputRules rules;
  unsigned jobs = 0;
  bool quiet = false;
  bool noProgress = false;
  std::string encoding = "shift_jis";
  bool bom = false;
  std::string invalid = "error";
  std::string separator;
};

int UsageError(const std::string& text) {
  WriteNative(stderr, "toridasu-cli: " + text + "\n");
  return kUsageError;
}

// Texts as UTF-8 instead of the drawing's own bytes. Stateless, so that
// parallel conversions can share it.
LineFilter Utf8Filter(bool bom, bool replace) {
  return [bom, replace](std::string_view line, std::string& out) {
    if (bom && line == kCsvHeader) out += kUtf8Bom;
    if (!AppendShiftJisAsUtf8(line, replace, out)) throw EConvertError(Say(Text::kNotCodePage932));
  };
}

std::string Seconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", seconds);
  return text;
}

int Run(const Settings& settings) {
  const Plan plan = PlanConversions(settings.inputs, settings.rules);
  for (const std::string& warning : plan.warnings) WriteNative(stderr, warning + "\n");
  if (!plan.usageError.empty()) return UsageError(plan.usageError);
  if (!settings.rules.outputDirectory.empty() && !MakeDirectories(settings.rules.outputDirectory)) {
    return UsageError(Say(Text::kCannotMakeFolder, {settings.rules.outputDirectory}));
  }

  ConversionOptions options;
  if (settings.encoding == "utf-8")
    options.lineFilter = Utf8Filter(settings.bom, settings.invalid == "replace");

  uint64_t totalBytes = 0;
  for (const Conversion& c : plan.conversions) totalBytes += FileSizeOf(c.input);
  std::atomic<uint64_t> bytesRead{0};
  std::atomic<uint64_t> finished{0};
  const bool showProgress = !settings.quiet && !settings.noProgress && IsTerminal(stderr);
  ProgressLine progress(showProgress, plan.conversions.size(), totalBytes, finished, bytesRead);

  const auto start = std::chrono::steady_clock::now();
  uint64_t converted = 0, failed = 0, records = 0;
  const unsigned jobs =
      settings.jobs != 0 ? settings.jobs : std::max(1u, std::thread::hardware_concurrency());
  RunConversions(plan.conversions, jobs, options, &bytesRead, &finished,
                 [&](std::size_t index, const Outcome& outcome) {
                   records += outcome.records;
                   if (outcome.converted) {
                     ++converted;
                     return;
                   }
                   ++failed;
                   progress.Print(stderr,
                                  plan.conversions[index].input + ": " + outcome.message + "\n");
                 });
  progress.Finish();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!settings.quiet) {
    WriteNative(stderr, Say(Text::kSummary, {std::to_string(converted), std::to_string(failed),
                                             std::to_string(records), Seconds(seconds)}) +
                            "\n");
  }
  return failed == 0 ? kAllConverted : kSomeFailed;
}

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStreams();
  SetJapanese(UserPrefersJapanese());
  Platform& platform = CurrentPlatform();
  RefreshLeadByteSet(platform);
  RefreshDecimalSeparator(platform);

  Settings settings;
  CLI::App app{Say(Text::kDescription)};
  app.name("toridasu-cli");
  app.allow_windows_style_options(false);  // "/path" is a file name, not an option
  app.add_option("INPUT", settings.inputs, Say(Text::kInputHelp))->required();
  app.add_option("-o,--output", settings.rules.singleOutput, Say(Text::kOutputHelp));
  app.add_option("-d,--directory", settings.rules.outputDirectory, Say(Text::kDirectoryHelp));
  app.add_flag("-r,--recursive", settings.rules.recursive, Say(Text::kRecursiveHelp));
  app.add_option("-j,--jobs", settings.jobs, Say(Text::kJobsHelp))->check(CLI::Range(1u, 256u));
  app.add_flag("-q,--quiet", settings.quiet, Say(Text::kQuietHelp));
  app.add_flag("--no-progress", settings.noProgress, Say(Text::kNoProgressHelp));
  app.add_option("--encoding", settings.encoding, Say(Text::kEncodingHelp))
      ->check(CLI::IsMember({"shift_jis", "utf-8"}));
  app.add_flag("--bom", settings.bom, Say(Text::kBomHelp));
  app.add_option("--invalid", settings.invalid, Say(Text::kInvalidHelp))
      ->check(CLI::IsMember({"error", "replace"}));
  app.add_option("--decimal-separator", settings.separator, Say(Text::kSeparatorHelp));
  app.set_version_flag("--version", std::string("toridasu-cli ") + TORIDASU_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kUsageError;
  }
  if (settings.bom && settings.encoding != "utf-8") return UsageError(Say(Text::kBomWithoutUtf8));
  if (!settings.separator.empty()) {
    if (settings.separator.size() != 1) return UsageError(Say(Text::kSeparatorOneByte));
    SetDecimalSeparator(settings.separator[0]);
  }
  return Run(settings);
}
