#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>

#include "cli/console.h"
#include "cli/messages.h"
#include "full/code_page.h"
#include "full/columns.h"
#include "version.h"

namespace toridasu::cli {
namespace {

constexpr int kUsageError = 2;

// CLI11's help in our words: its labels come from the string table, and
// its columns are lined up by the width that the text takes on screen (a
// double-width character is three bytes in UTF-8).
class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter() {
    label("Usage", Say(Text::kUsageLabel));
    label("OPTIONS", Say(Text::kOptionsLabel));
    label("Positionals", Say(Text::kPositionalsLabel));
    label("REQUIRED", Say(Text::kRequiredLabel));
  }

  std::string make_option(const CLI::Option* option, bool positional) const override {
    const std::string name = "  " + make_option_name(option, positional) + make_option_opts(option);
    const std::string indent(column_width_, ' ');
    const std::size_t width = DisplayWidth(name);
    std::string line = name + (width < column_width_ ? indent.substr(width) : "\n" + indent);
    for (const char c : make_option_desc(option))
      line += c == '\n' ? "\n" + indent : std::string(1, c);
    return line + "\n";
  }
};

// CLI11's failure in our words; CLI11's own text never reaches the user.
std::string FailureMessage(const CLI::App* app, const CLI::Error& error) {
  std::string text;
  if (dynamic_cast<const CLI::RequiredError*>(&error)) {
    text = Say(Text::kInputRequired);
  } else if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    std::string extras;
    for (const std::string& extra : app->remaining()) extras += (extras.empty() ? "" : " ") + extra;
    text = Say(Text::kUnexpectedArgument, {extras});
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    // Its text begins with the option's name.
    const std::string what = error.what();
    text = Say(Text::kOptionNeedsValue, {what.substr(0, what.find(':'))});
  } else {
    text = Say(Text::kBadCommandLine);
  }
  return "toridasu-cli: " + text + "\n" + Say(Text::kRunWithHelp) + "\n";
}

std::optional<int> UsageError(const std::string& text) {
  WriteNative(stderr, "toridasu-cli: " + text + "\n");
  return kUsageError;
}

std::optional<unsigned> JobsOf(const std::string& text) {
  if (text.empty() || text.size() > 3 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const unsigned jobs = static_cast<unsigned>(std::stoul(text));
  if (jobs < 1 || jobs > 256) return std::nullopt;
  return jobs;
}

// The options of the full mode as given.
struct FullArguments {
  bool full = false;
  std::string columns;
  std::string inputEncoding;
  bool noBlocks = false;
  bool noDimensions = false;
  std::string types;
};

void AddFullOptions(CLI::App& app, FullArguments& given) {
  app.add_flag("--full", given.full, Say(Text::kFullHelp));
  app.add_option("--columns", given.columns, Say(Text::kColumnsHelp))
      ->type_name(Say(Text::kListValue));
  app.add_option("--input-encoding", given.inputEncoding, Say(Text::kInputEncodingHelp))
      ->type_name(Say(Text::kEncodingValue));
  app.add_flag("--no-blocks", given.noBlocks, Say(Text::kNoBlocksHelp));
  app.add_flag("--no-dimensions", given.noDimensions, Say(Text::kNoDimensionsHelp));
  app.add_option("--types", given.types, Say(Text::kTypesHelp))->type_name(Say(Text::kListValue));
}

// The first option of the full mode given without --full, or empty.
std::string FullOnlyOption(const FullArguments& given) {
  if (!given.columns.empty()) return "--columns";
  if (!given.inputEncoding.empty()) return "--input-encoding";
  if (given.noBlocks) return "--no-blocks";
  if (given.noDimensions) return "--no-dimensions";
  if (!given.types.empty()) return "--types";
  return "";
}

// The full mode's choices; a usage error in `error` when a value is unknown.
full::FullOptions FullOptionsOf(const FullArguments& given, const Settings& settings,
                                std::string& error) {
  full::FullOptions options;
  if (!given.columns.empty()) {
    std::string bad;
    const auto columns = full::ParseColumns(given.columns, &bad);
    if (!columns) error = Say(Text::kUnknownColumn, {bad});
    if (columns) options.output.columns = *columns;
  }
  if (!given.inputEncoding.empty()) {
    options.texts.inputCodePage = full::CodePageFromEncodingName(given.inputEncoding);
    if (options.texts.inputCodePage == 0)
      error = Say(Text::kUnknownInputEncoding, {given.inputEncoding});
  }
  for (std::string_view types = given.types; !types.empty();) {
    const std::size_t comma = types.find(',');
    const std::string type = full::FoldedName(full::TrimBlanks(types.substr(0, comma)));
    if (!type.empty()) options.texts.types.push_back(type);
    types.remove_prefix(comma == std::string_view::npos ? types.size() : comma + 1);
  }
  options.output.utf8 = settings.encoding == OutputEncoding::kUtf8;
  options.output.bom = settings.bom;
  options.output.replace = options.texts.replace = settings.replaceInvalid;
  options.texts.blocks = !given.noBlocks;
  options.texts.dimensions = !given.noDimensions;
  return options;
}

}  // namespace

std::optional<OutputEncoding> EncodingNamed(const std::string& name) {
  std::string key;
  for (const char c : name) {
    if (c != '-' && c != '_') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  if (key == "utf8") return OutputEncoding::kUtf8;
  if (key == "shiftjis" || key == "sjis" || key == "cp932") return OutputEncoding::kShiftJis;
  return std::nullopt;
}

std::optional<int> ParseCommandLine(int argc, char** argv, Settings* settings) {
  std::string jobs, encoding, invalid, separator;
  CLI::App app{Say(Text::kDescription)};
  app.name("toridasu-cli");
  app.formatter(std::make_shared<HelpFormatter>());
  app.failure_message(FailureMessage);
  app.option_defaults()->group(Say(Text::kOptionsGroup));
  app.set_help_flag("-h,--help", Say(Text::kHelpHelp));
  app.allow_windows_style_options(false);  // "/path" is a file name, not an option
  app.add_option("INPUT", settings->inputs, Say(Text::kInputHelp))->required()->type_name("");
  app.add_option("-o,--output", settings->rules.singleOutput, Say(Text::kOutputHelp))
      ->type_name(Say(Text::kFileValue));
  app.add_option("-d,--directory", settings->rules.outputDirectory, Say(Text::kDirectoryHelp))
      ->type_name(Say(Text::kFolderValue));
  app.add_flag("-r,--recursive", settings->rules.recursive, Say(Text::kRecursiveHelp));
  app.add_option("-j,--jobs", jobs, Say(Text::kJobsHelp))->type_name(Say(Text::kCountValue));
  app.add_flag("-q,--quiet", settings->quiet, Say(Text::kQuietHelp));
  app.add_flag("--no-progress", settings->noProgress, Say(Text::kNoProgressHelp));
  app.add_option("--encoding", encoding, Say(Text::kEncodingHelp))
      ->type_name(Say(Text::kEncodingValue));
  app.add_flag("--bom", settings->bom, Say(Text::kBomHelp));
  app.add_option("--invalid", invalid, Say(Text::kInvalidHelp))->type_name("error|replace");
  app.add_option("--decimal-separator", separator, Say(Text::kSeparatorHelp))
      ->type_name(Say(Text::kCharacterValue));
  FullArguments fullGiven;
  AddFullOptions(app, fullGiven);
  app.set_version_flag("--version", std::string("toridasu-cli ") + TORIDASU_VERSION,
                       Say(Text::kVersionHelp));
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    WriteNative(stdout, app.help());
    return 0;
  } catch (const CLI::CallForVersion& version) {
    WriteNative(stdout, std::string(version.what()) + "\n");
    return 0;
  } catch (const CLI::ParseError& error) {
    WriteNative(stderr, FailureMessage(&app, error));
    return kUsageError;
  }

  if (!jobs.empty()) {
    const std::optional<unsigned> count = JobsOf(jobs);
    if (!count) return UsageError(Say(Text::kJobsRange));
    settings->jobs = *count;
  }
  if (!encoding.empty()) {
    const std::optional<OutputEncoding> named = EncodingNamed(encoding);
    if (!named) return UsageError(Say(Text::kUnknownEncoding, {encoding}));
    settings->encoding = *named;
  }
  if (!invalid.empty() && invalid != "error" && invalid != "replace") {
    return UsageError(Say(Text::kBadValue, {"--invalid", invalid}));
  }
  settings->replaceInvalid = invalid == "replace";
  if (settings->bom && settings->encoding != OutputEncoding::kUtf8) {
    return UsageError(Say(Text::kBomWithoutUtf8));
  }
  if (!separator.empty()) {
    if (separator.size() != 1) return UsageError(Say(Text::kSeparatorOneByte));
    settings->separator = separator[0];
  }
  if (fullGiven.full) {
    std::string error;
    settings->full = FullOptionsOf(fullGiven, *settings, error);
    if (!error.empty()) return UsageError(error);
  } else if (const std::string option = FullOnlyOption(fullGiven); !option.empty()) {
    return UsageError(Say(Text::kNeedsFull, {option}));
  }
  return std::nullopt;
}

}  // namespace toridasu::cli
