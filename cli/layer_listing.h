// --list-layers: each layer of a drawing with the number of texts that full
// mode writes on it, in place of the texts themselves.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/layer_patterns.h"
#include "model/record_sink.h"

namespace toridasu::cli {

// Counts the records it is given by layer, and writes nothing.
class LayerTally final : public model::RecordSink {
 public:
  void Begin(const std::vector<model::Column>&) override {}
  void Take(const model::TextRecord& record) override;
  void Commit() override {}
  void Abandon() override {}

  // One line per layer, "LAYER<TAB>COUNT" (UTF-8, LF): first the layers of
  // the drawing's table that `kept` keeps, in the table's order, then the
  // layers that only texts name, in the order they came. `prefix`, when not
  // empty, starts each line (the drawing's name and a tab).
  std::string Lines(const std::vector<std::string>& table, const model::LayerPatterns& kept,
                    const std::string& prefix) const;

 private:
  std::vector<std::pair<std::string, uint64_t>> counts_;  // in the order met
  std::unordered_map<std::string, std::size_t> byName_;   // folded name -> counts_
};

}  // namespace toridasu::cli
