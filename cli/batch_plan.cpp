#include "cli/batch_plan.h"

#include <algorithm>
#include <map>
#include <set>

#include "cli/batch_inputs.h"
#include "cli/file_system.h"
#include "cli/messages.h"
#include "cli/paths.h"

namespace toridasu::cli {
namespace {

// Refused before any work starts: a later drawing would overwrite an
// earlier one's output, or a drawing would be overwritten. Names are
// compared as the files they reach, so that "./a.csv", "sub/../a.csv" and a
// link to a.csv are all a.csv. Drawings that share -o's workbook collide
// with no one but the drawings.
std::string CollisionOf(const std::vector<Conversion>& conversions, bool oneWorkbook) {
  std::set<std::string> drawings;
  for (const Conversion& c : conversions) {
    if (!c.streams.input) drawings.insert(FileKey(c.input));
  }
  std::map<std::string, std::size_t> outputs;
  for (std::size_t i = 0; i < conversions.size(); ++i) {
    const Conversion& c = conversions[i];
    if (c.streams.input || c.streams.output) continue;
    const std::string output = FileKey(c.output);
    if (drawings.count(output) != 0 || NamesSameFile(c.input, c.output)) {
      return Say(text_id::kCliOutputNamesInput, {c.output});
    }
    const auto [earlier, fresh] = outputs.emplace(output, i);
    if (!fresh && !oneWorkbook)
      return Say(text_id::kCliOutputCollision, {conversions[earlier->second].input, c.input});
  }
  return {};
}

Conversion ConversionOf(const FoundDrawing& drawing, const InputRules& rules) {
  Conversion c{drawing.name, rules.singleOutput, "", {}};
  c.streams.input = drawing.name == kStandardStream;
  if (c.output.empty() && c.streams.input) c.output = kStandardStream;
  if (c.output.empty()) {
    c.output = DefaultOutputName(drawing.name, rules.workbooks ? ".xlsx" : ".csv");
    if (!rules.outputDirectory.empty()) {
      const std::string folder = JoinPath(rules.outputDirectory, drawing.folderWithin);
      c.output = JoinPath(folder, BaseName(c.output));
      if (!drawing.folderWithin.empty()) c.outputFolder = folder;
    }
  }
  c.streams.output = c.output == kStandardStream;
  return c;
}

}  // namespace

Plan PlanConversions(const std::vector<std::string>& inputs, const InputRules& rules) {
  Plan plan;
  const bool standardInput =
      std::find(inputs.begin(), inputs.end(), kStandardStream) != inputs.end();
  if (standardInput && (inputs.size() != 1 || !rules.outputDirectory.empty())) {
    plan.usageError = Say(text_id::kCliStandardStreamAlone);
    return plan;
  }
  std::vector<FoundDrawing> drawings;
  for (const std::string& input : inputs) {
    InputDrawings found =
        standardInput ? InputDrawings{{{input, ""}}, {}} : FindDrawings(input, rules.recursive);
    plan.warnings.insert(plan.warnings.end(), found.warnings.begin(), found.warnings.end());
    if (found.drawings.empty()) plan.warnings.push_back(Say(text_id::kCliNoDrawing, {input}));
    drawings.insert(drawings.end(), found.drawings.begin(), found.drawings.end());
  }
  if (drawings.empty()) {
    plan.nothingFound = true;
    return plan;
  }
  if (!rules.singleOutput.empty() && drawings.size() != 1) {
    plan.oneWorkbook = rules.workbooks && rules.singleOutput != kStandardStream;
    if (!plan.oneWorkbook) {
      plan.usageError = Say(rules.singleOutput == kStandardStream ? text_id::kCliStandardStreamAlone
                                                                  : text_id::kCliOutputWithMany);
      return plan;
    }
  }
  for (const FoundDrawing& drawing : drawings) {
    plan.conversions.push_back(ConversionOf(drawing, rules));
  }
  if (!rules.writesNothing) plan.usageError = CollisionOf(plan.conversions, plan.oneWorkbook);
  return plan;
}

}  // namespace toridasu::cli
