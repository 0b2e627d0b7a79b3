#include "cli/batch_plan.h"

#include <map>

#include "cli/batch_inputs.h"
#include "cli/file_system.h"
#include "cli/messages.h"
#include "cli/paths.h"

namespace toridasu::cli {

Plan PlanConversions(const std::vector<std::string>& inputs, const InputRules& rules) {
  Plan plan;
  std::vector<FoundDrawing> drawings;
  for (const std::string& input : inputs) {
    InputDrawings found = FindDrawings(input, rules.recursive);
    plan.warnings.insert(plan.warnings.end(), found.warnings.begin(), found.warnings.end());
    if (found.drawings.empty()) {
      plan.usageError = Say(Text::kNoDrawing, {input});
      return plan;
    }
    drawings.insert(drawings.end(), found.drawings.begin(), found.drawings.end());
  }
  if (!rules.singleOutput.empty() && drawings.size() != 1) {
    plan.usageError = Say(Text::kOutputWithMany);
    return plan;
  }
  for (const FoundDrawing& drawing : drawings) {
    std::string output = rules.singleOutput;
    if (output.empty()) {
      output = DefaultOutputName(drawing.name);
      if (!rules.outputDirectory.empty())
        output = JoinPath(rules.outputDirectory, BaseName(output));
    }
    plan.conversions.push_back({drawing.name, output});
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

}  // namespace toridasu::cli
