// toridasu-cli: converts a DXF drawing into the CSV file that the window's
// conversion writes, from the command line.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

#include "base/errors.h"
#include "cli/terminal.h"
#include "engine/conversion_job.h"
#include "engine/csv_destination.h"
#include "files/file_names.h"
#include "platform/platform.h"
#include "version.h"

namespace {

constexpr int kConverted = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

void PrintError(const std::string& input, const std::string& shiftJisMessage, uint64_t line) {
  std::string text = "toridasu-cli: " + input + ": " + toridasu::cli::ToTerminalText(shiftJisMessage);
  if (line != 0) text += " (line " + std::to_string(line) + ")";
  text += '\n';
  std::fputs(text.c_str(), stderr);
}

int Convert(const std::string& input, const std::string& output) {
  toridasu::ConversionStats stats;
  try {
    if (toridasu::ConvertDxfToCsvFile(input, output, &stats)) return kConverted;
  } catch (const toridasu::Exception& error) {
    // The drawing could not be opened: nothing was written.
    PrintError(input, error.Message(), 0);
    return kFailed;
  }
  const auto& failure = *stats.failure;
  if (failure.kind == "ERangeError") {
    // The only range error of a conversion: a text cut inside a double-byte character.
    PrintError(input, "the text ends in an unfinished double-byte character: " + failure.message,
               failure.line);
  } else {
    PrintError(input, failure.message, 0);
  }
  return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
  toridasu::cli::UseBinaryStreams();
  CLI::App app{
      "Writes the text entities of a DXF drawing (their insertion point and text, byte for\n"
      "byte in Shift-JIS) into a CSV file, one line per entity."};
  app.name("toridasu-cli");
  app.allow_windows_style_options(false);  // "/path" is a file name, not an option
  std::string input;
  std::string output;
  app.add_option("INPUT", input, "the drawing, its full name")->required();
  app.add_option("-o,--output", output,
                 "the CSV file to write (default: INPUT with its extension replaced by .csv)");
  app.set_version_flag("--version", std::string("toridasu-cli ") + TORIDASU_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? 0 : kUsageError;
  }

  toridasu::Platform& platform = toridasu::CurrentPlatform();
  toridasu::RefreshLeadByteSet(platform);
  toridasu::RefreshDecimalSeparator(platform);
  if (output.empty()) output = toridasu::cli::DefaultOutputName(input);
  if (toridasu::cli::NamesSameFile(input, output)) {
    std::fprintf(stderr, "toridasu-cli: the output would overwrite the input: %s\n", output.c_str());
    return kUsageError;
  }
  return Convert(input, output);
}
