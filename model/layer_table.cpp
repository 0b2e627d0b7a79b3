#include "model/layer_table.h"

#include "model/names.h"
#include "text/ascii_case.h"

namespace toridasu::model {

void LayerTable::Add(std::string name, LayerState state) {
  const auto [at, fresh] = states_.insert_or_assign(text::AsciiUpperCase(name), state);
  if (fresh) names_.push_back(std::move(name));
  anyHidden_ = anyHidden_ || state.Hides();
  cached_ = false;
}

LayerState LayerTable::StateOf(std::string_view name) const {
  if (!anyHidden_) return {};
  if (cached_ && name == lastName_) return lastState_;
  const auto found = states_.find(text::AsciiUpperCase(name));
  cached_ = true;
  lastName_.assign(name);
  lastState_ = found == states_.end() ? LayerState{} : found->second;
  return lastState_;
}

bool OnLayerZero(std::string_view layer) {
  layer = TrimBlanks(layer);
  return layer.empty() || layer == "0";
}

}  // namespace toridasu::model
