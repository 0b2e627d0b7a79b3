// The layers a drawing lists, and what each hides: a layer that is off hides
// the texts on it; a frozen one hides them too, and everything inside the
// block references that stand on it. A layer the drawing does not list is
// shown, as CAD programs make it when they meet it. Layer names are compared
// with ASCII letters folded, as CAD programs compare them.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace toridasu::model {

struct LayerState {
  bool off = false;
  bool frozen = false;
  bool Hides() const { return off || frozen; }
};

class LayerTable {
 public:
  // A later entry of the same name wins; the name keeps its first place.
  void Add(std::string name, LayerState state);
  LayerState StateOf(std::string_view name) const;
  // The names as listed, each once, in the drawing's order.
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
  std::unordered_map<std::string, LayerState> states_;  // by folded name
  bool anyHidden_ = false;  // most drawings hide nothing: no name is looked up
  // Texts come in runs on one layer: the last answer is kept.
  mutable bool cached_ = false;
  mutable std::string lastName_;
  mutable LayerState lastState_;
};

// Where an item inside a block reference takes the reference's layer: its
// own is layer 0 (or none, which is layer 0).
bool OnLayerZero(std::string_view layer);

}  // namespace toridasu::model
