#include "cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "cli/arguments.h"
#include "cli/console.h"
#include "cli/messages.h"
#include "model/columns.h"
#include "model/layer_patterns.h"
#include "model/names.h"
#include "text/ascii_case.h"
#include "text/code_page.h"
#include "text/encoding_names.h"
#include "version.h"

namespace toridasu::cli {
namespace {

// CLI11's help in our words: its labels come from the string table, and
// its columns are lined up by the width that the text takes on screen (a
// double-width character is three bytes in UTF-8).
class HelpFormatter : public CLI::Formatter {
 public:
  HelpFormatter() {
    label("Usage", Say(text_id::kCliUsageLabel));
    label("OPTIONS", Say(text_id::kCliOptionsLabel));
    label("Positionals", Say(text_id::kCliPositionalsLabel));
    label("REQUIRED", Say(text_id::kCliRequiredLabel));
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
    text = Say(text_id::kCliInputRequired);
  } else if (dynamic_cast<const CLI::ExtrasError*>(&error)) {
    std::string extras;
    for (const std::string& extra : app->remaining()) extras += (extras.empty() ? "" : " ") + extra;
    text = Say(text_id::kCliUnexpectedArgument, {extras});
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&error)) {
    // Its text begins with the option's name.
    const std::string what = error.what();
    text = Say(text_id::kCliOptionNeedsValue, {what.substr(0, what.find(':'))});
  } else {
    text = Say(text_id::kCliBadCommandLine);
  }
  return ProgramLine(text) + Say(text_id::kCliRunWithHelp) + "\n";
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
  std::string maxRecords;
  bool hidden = false;
  std::string layers;
  bool listLayers = false;
};

// A count of at least 1 written in digits alone.
std::optional<uint64_t> CountOf(const std::string& text) {
  if (text.empty() || text.size() > 18 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const uint64_t count = std::stoull(text);
  if (count == 0) return std::nullopt;
  return count;
}

void AddFullOptions(CLI::App& app, FullArguments& given) {
  app.add_flag("--full", given.full, Say(text_id::kCliFullHelp));
  app.add_option("--columns", given.columns, Say(text_id::kCliColumnsHelp))
      ->type_name(Say(text_id::kCliListValue));
  app.add_option("--input-encoding", given.inputEncoding, Say(text_id::kCliInputEncodingHelp))
      ->type_name(Say(text_id::kCliEncodingValue));
  app.add_flag("--no-blocks", given.noBlocks, Say(text_id::kCliNoBlocksHelp));
  app.add_flag("--no-dimensions", given.noDimensions, Say(text_id::kCliNoDimensionsHelp));
  app.add_option("--types", given.types, Say(text_id::kCliTypesHelp))
      ->type_name(Say(text_id::kCliListValue));
  app.add_option("--max-records", given.maxRecords, Say(text_id::kCliMaxRecordsHelp))
      ->type_name(Say(text_id::kCliCountValue));
  app.add_flag("--hidden", given.hidden, Say(text_id::kCliHiddenHelp));
  app.add_option("--layers", given.layers, Say(text_id::kCliLayersHelp))
      ->type_name(Say(text_id::kCliListValue));
  app.add_flag("--list-layers", given.listLayers, Say(text_id::kCliListLayersHelp));
}

// The first option of the full mode given without --full, or empty.
std::string FullOnlyOption(const FullArguments& given) {
  if (!given.columns.empty()) return "--columns";
  if (!given.inputEncoding.empty()) return "--input-encoding";
  if (given.noBlocks) return "--no-blocks";
  if (given.noDimensions) return "--no-dimensions";
  if (!given.types.empty()) return "--types";
  if (!given.maxRecords.empty()) return "--max-records";
  if (given.hidden) return "--hidden";
  if (!given.layers.empty()) return "--layers";
  if (given.listLayers) return "--list-layers";
  return "";
}

// The full mode's choices; a usage error in `error` when a value is unknown.
full::FullOptions FullOptionsOf(const FullArguments& given, const Settings& settings,
                                std::string& error) {
  full::FullOptions options;
  if (!given.columns.empty()) {
    std::string bad;
    const auto columns = model::ParseColumns(given.columns, &bad);
    if (!columns) error = Say(text_id::kCliUnknownColumn, {bad, model::AllColumnNames()});
    if (columns) options.output.columns = *columns;
  }
  if (!given.inputEncoding.empty()) {
    options.texts.inputCodePage = text::CodePageFromEncodingName(given.inputEncoding);
    if (options.texts.inputCodePage == 0)
      error = Say(text_id::kCliUnknownInputEncoding, {given.inputEncoding});
  }
  for (std::string_view types = given.types; !types.empty();) {
    const std::size_t comma = types.find(',');
    const std::string type = text::AsciiUpperCase(model::TrimBlanks(types.substr(0, comma)));
    if (!type.empty()) options.texts.types.push_back(type);
    types.remove_prefix(comma == std::string_view::npos ? types.size() : comma + 1);
  }
  options.output.utf8 = settings.encoding == OutputEncoding::kUtf8;
  options.output.bom = settings.bom;
  options.output.replace = options.texts.replace = settings.replaceInvalid;
  options.texts.blocks = !given.noBlocks;
  options.texts.dimensions = !given.noDimensions;
  if (!given.maxRecords.empty()) {
    const std::optional<uint64_t> budget = CountOf(given.maxRecords);
    if (!budget) error = Say(text_id::kCliBadValue, {"--max-records", given.maxRecords});
    if (budget) options.texts.limits.maxWork = *budget;
  }
  options.texts.hidden = given.hidden;
  // The arguments are UTF-8, as the drawing's names are by then.
  options.texts.layers = model::LayerPatterns(given.layers);
  // Only blanks and commas would name no layer, and so keep them all.
  if (!given.layers.empty() && options.texts.layers.Empty())
    error = Say(text_id::kCliBadValue, {"--layers", given.layers});
  return options;
}

// Whether the output is a workbook: --format, else an output name ending in
// ".xlsx". False with a usage error in `error` when the format is unknown.
bool WritesWorkbooks(const std::string& format, const std::string& output, std::string& error) {
  const std::string folded = text::AsciiUpperCase(format);
  if (folded == "XLSX") return true;
  if (!format.empty() && folded != "CSV") error = Say(text_id::kCliUnknownFormat, {format});
  const std::string extension = ".XLSX";
  return format.empty() && output.size() > extension.size() &&
         text::AsciiUpperCase(output.substr(output.size() - extension.size())) == extension;
}

}  // namespace

std::string ProgramLine(const std::string& text) { return "toridasu-cli: " + text + "\n"; }

int UsageError(const std::string& text) {
  WriteNative(stderr, ProgramLine(text));
  return kUsageError;
}

std::optional<OutputEncoding> EncodingNamed(const std::string& name) {
  switch (text::CodePageFromName(name, text::EncodingNameUse::kOutput)) {
    case text::kUtf8CodePage: return OutputEncoding::kUtf8;
    case text::kHomeCodePage: return OutputEncoding::kShiftJis;
    default: return std::nullopt;
  }
}

std::optional<int> ParseCommandLine(const std::vector<std::string>& arguments, Settings* settings) {
  std::string jobs, encoding, invalid, separator, format;
  CLI::App app{Say(text_id::kCliDescription)};
  app.name("toridasu-cli");
  app.formatter(std::make_shared<HelpFormatter>());
  app.failure_message(FailureMessage);
  app.option_defaults()->group(Say(text_id::kCliOptionsGroup));
  app.set_help_flag("-h,--help", Say(text_id::kCliHelpHelp));
  app.allow_windows_style_options(false);  // "/path" is a file name, not an option
  app.add_option("INPUT", settings->inputs, Say(text_id::kCliInputHelp))->required()->type_name("");
  app.add_option("-o,--output", settings->rules.singleOutput, Say(text_id::kCliOutputHelp))
      ->type_name(Say(text_id::kCliFileValue));
  app.add_option("-d,--directory", settings->rules.outputDirectory, Say(text_id::kCliDirectoryHelp))
      ->type_name(Say(text_id::kCliFolderValue));
  app.add_flag("-r,--recursive", settings->rules.recursive, Say(text_id::kCliRecursiveHelp));
  app.add_option("-j,--jobs", jobs, Say(text_id::kCliJobsHelp))
      ->type_name(Say(text_id::kCliCountValue));
  app.add_flag("-q,--quiet", settings->quiet, Say(text_id::kCliQuietHelp));
  app.add_flag("--no-progress", settings->noProgress, Say(text_id::kCliNoProgressHelp));
  app.add_option("--encoding", encoding, Say(text_id::kCliEncodingHelp))
      ->type_name(Say(text_id::kCliEncodingValue));
  app.add_flag("--bom", settings->bom, Say(text_id::kCliBomHelp));
  app.add_option("--invalid", invalid, Say(text_id::kCliInvalidHelp))->type_name("error|replace");
  app.add_option("--decimal-separator", separator, Say(text_id::kCliSeparatorHelp))
      ->type_name(Say(text_id::kCliCharacterValue));
  app.add_option("--format", format, Say(text_id::kCliFormatHelp))->type_name("csv|xlsx");
  FullArguments fullGiven;
  AddFullOptions(app, fullGiven);
  app.set_version_flag("--version", std::string("toridasu-cli ") + TORIDASU_VERSION,
                       Say(text_id::kCliVersionHelp));
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
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
    if (!count) return UsageError(Say(text_id::kCliJobsRange));
    settings->jobs = *count;
  }
  if (!encoding.empty()) {
    const std::optional<OutputEncoding> named = EncodingNamed(encoding);
    if (!named) return UsageError(Say(text_id::kCliUnknownEncoding, {encoding}));
    settings->encoding = *named;
  }
  if (!invalid.empty() && invalid != "error" && invalid != "replace") {
    return UsageError(Say(text_id::kCliBadValue, {"--invalid", invalid}));
  }
  settings->replaceInvalid = invalid == "replace";
  if (settings->bom && settings->encoding != OutputEncoding::kUtf8) {
    return UsageError(Say(text_id::kCliBomWithoutUtf8));
  }
  if (!separator.empty()) {
    // The separator is a byte of the CSV file, as the locale's is.
    const std::string byte = AnsiArgument(separator);
    if (byte.size() != 1) return UsageError(Say(text_id::kCliSeparatorOneByte));
    settings->separator = byte[0];
  }
  std::string formatError;
  settings->workbooks = settings->rules.workbooks =
      WritesWorkbooks(format, settings->rules.singleOutput, formatError);
  if (!formatError.empty()) return UsageError(formatError);
  // A workbook holds Unicode; the layer listing still prints in the encoding.
  if (settings->workbooks && (!encoding.empty() || settings->bom) && !fullGiven.listLayers) {
    return UsageError(Say(text_id::kCliXlsxTakesNoEncoding));
  }
  if (fullGiven.full) {
    std::string error;
    settings->full = FullOptionsOf(fullGiven, *settings, error);
    if (!error.empty()) return UsageError(error);
    settings->listLayers = settings->rules.writesNothing = fullGiven.listLayers;
    if (fullGiven.listLayers &&
        (!settings->rules.singleOutput.empty() || !settings->rules.outputDirectory.empty())) {
      return UsageError(Say(text_id::kCliListLayersWritesNoFile));
    }
  } else if (const std::string option = FullOnlyOption(fullGiven); !option.empty()) {
    return UsageError(Say(text_id::kCliNeedsFull, {option}));
  }
  return std::nullopt;
}

}  // namespace toridasu::cli
