// A batch of conversions: which drawings, and where their CSV files go.
#pragma once

#include <string>
#include <vector>

namespace toridasu::cli {

// "-" as the one input reads the drawing from standard input, and "-" as
// the output (-o -, or the default for standard input) writes the CSV to
// standard output.
inline const std::string kStandardStream = "-";

struct StandardStreams {
  bool input = false;   // "-" as the drawing is standard input
  bool output = false;  // "-" as the output is standard output
};

struct Conversion {
  std::string input;
  std::string output;
  std::string outputFolder;  // a folder to make first (mirrored under -d); empty: none
  StandardStreams streams;
};

struct InputRules {
  bool recursive = false;
  std::string outputDirectory;  // empty: beside each drawing; with -r the tree mirrored
  std::string singleOutput;     // -o: only with one drawing
  bool writesNothing = false;   // --list-layers: no output to collide with another
  bool workbooks = false;       // XLSX workbooks: named .xlsx, and -o takes every drawing
};

// The conversions that the inputs name. Texts are native.
struct Plan {
  std::vector<Conversion> conversions;
  std::vector<std::string> warnings;  // inputs without drawings, folder loops
  bool nothingFound = false;          // no input holds any drawing
  std::string usageError;             // refused before any work: misused "-", collisions
  bool oneWorkbook = false;           // -o names one workbook for several drawings
};
Plan PlanConversions(const std::vector<std::string>& inputs, const InputRules& rules);

}  // namespace toridasu::cli
