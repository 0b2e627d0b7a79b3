// The converter's command line: its options, their values as users write
// them, and --help and every usage error in the user's language.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/batch_plan.h"
#include "full/full_conversion.h"

namespace toridasu::cli {

// The exit status after a usage error.
constexpr int kUsageError = 2;

// A line of the converter's own on standard error: its name, then `text`.
std::string ProgramLine(const std::string& text);
// Prints a usage error as a program line; returns kUsageError.
int UsageError(const std::string& text);

enum class OutputEncoding { kShiftJis, kUtf8 };

struct Settings {
  std::vector<std::string> inputs;
  InputRules rules;
  unsigned jobs = 0;  // 0: one per processor
  bool quiet = false;
  bool noProgress = false;
  OutputEncoding encoding = OutputEncoding::kShiftJis;
  bool bom = false;
  bool replaceInvalid = false;
  char separator = 0;                     // 0: the locale's
  std::optional<full::FullOptions> full;  // --full and its options
  bool listLayers = false;                // --list-layers: the layers, not the texts
  bool workbooks = false;                 // XLSX workbooks instead of CSV files
};

// Reads the arguments (native text, the program's name first) into
// `settings`. Returns the exit status when the program is to end at once:
// after --help or --version (0), or after a usage error, which it prints (2).
std::optional<int> ParseCommandLine(const std::vector<std::string>& arguments, Settings* settings);

// An encoding name as users write it ("UTF-8", "utf8", "sjis", "cp932", ...).
std::optional<OutputEncoding> EncodingNamed(const std::string& name);

}  // namespace toridasu::cli
