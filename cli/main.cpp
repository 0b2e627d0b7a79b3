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
#include "cli/full_mode.h"
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
  bool full = false;
  std::string columns;
  std::string inputEncoding;
  bool noBlocks = false;
  bool noDimensions = false;
  std::string types;
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

// The full mode's choices, or a usage error in `error`.
full::FullOptions FullOptionsOf(const Settings& settings, std::string& error) {
  full::FullOptions options;
  if (!settings.columns.empty()) {
    std::string bad;
    const auto columns = full::ParseColumns(settings.columns, &bad);
    if (!columns) error = Say(Text::kUnknownColumn, {bad});
    if (columns) options.output.columns = *columns;
  }
  if (!settings.inputEncoding.empty()) {
    options.texts.inputCodePage = full::CodePageFromEncodingName(settings.inputEncoding);
    if (options.texts.inputCodePage == 0)
      error = Say(Text::kUnknownEncoding, {settings.inputEncoding});
  }
  for (std::size_t start = 0; start < settings.types.size();) {
    std::size_t comma = settings.types.find(',', start);
    if (comma == std::string::npos) comma = settings.types.size();
    const std::string type = full::FoldedName(
        full::TrimBlanks(std::string_view(settings.types).substr(start, comma - start)));
    if (!type.empty()) options.texts.types.push_back(type);
    start = comma + 1;
  }
  options.output.utf8 = settings.encoding == "utf-8";
  options.output.bom = settings.bom;
  options.output.replace = settings.invalid == "replace";
  options.texts.replace = options.output.replace;
  options.texts.blocks = !settings.noBlocks;
  options.texts.dimensions = !settings.noDimensions;
  return options;
}

// The first option of the full mode given without --full, or empty.
std::string FullOnlyOptionGiven(const Settings& settings) {
  if (!settings.columns.empty()) return "--columns";
  if (!settings.inputEncoding.empty()) return "--input-encoding";
  if (settings.noBlocks) return "--no-blocks";
  if (settings.noDimensions) return "--no-dimensions";
  if (!settings.types.empty()) return "--types";
  return "";
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
  std::optional<full::FullOptions> fullOptions;
  if (settings.full) {
    std::string error;
    fullOptions = FullOptionsOf(settings, error);
    if (!error.empty()) return UsageError(error);
  } else if (const std::string option = FullOnlyOptionGiven(settings); !option.empty()) {
    return UsageError(Say(Text::kNeedsFull, {option}));
  }

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
  RunConversions(plan.conversions, jobs, options, fullOptions ? &*fullOptions : nullptr, &bytesRead,
                 &finished, [&](std::size_t index, const Outcome& outcome) {
                   records += outcome.records;
                   if (!settings.quiet) {
                     for (const std::string& note : outcome.notes) {
                       progress.Print(stderr, plan.conversions[index].input + ": " + note + "\n");
                     }
                   }
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
  app.add_flag("--full", settings.full, Say(Text::kFullHelp));
  app.add_option("--columns", settings.columns, Say(Text::kColumnsHelp));
  app.add_option("--input-encoding", settings.inputEncoding, Say(Text::kInputEncodingHelp));
  app.add_flag("--no-blocks", settings.noBlocks, Say(Text::kNoBlocksHelp));
  app.add_flag("--no-dimensions", settings.noDimensions, Say(Text::kNoDimensionsHelp));
  app.add_option("--types", settings.types, Say(Text::kTypesHelp));
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
