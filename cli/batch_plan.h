// A batch of conversions: which drawings, and where their CSV files go.
#pragma once

#include <string>
#include <vector>

namespace toridasu::cli {

struct Conversion {
  std::string input;
  std::string output;
};

struct InputRules {
  bool recursive = false;
  std::string outputDirectory;  // empty: beside each drawing
  std::string singleOutput;     // -o: only with one drawing
};

// The conversions that the inputs name, or a usage error when an input names
// nothing or two drawings would write the same output. Texts are native.
struct Plan {
  std::vector<Conversion> conversions;
  std::vector<std::string> warnings;
  std::string usageError;
};
Plan PlanConversions(const std::vector<std::string>& inputs, const InputRules& rules);

}  // namespace toridasu::cli
