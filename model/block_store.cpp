#include "model/block_store.h"

#include "text/ascii_case.h"

namespace toridasu::model {

BlockDefinition& BlockStore::Add(BlockDefinition definition) {
  // A later definition of the same name wins (the model warns of it).
  byName_[text::AsciiUpperCase(definition.name)] = definitions_.size();
  definitions_.push_back(std::move(definition));
  return definitions_.back();
}

int64_t BlockStore::IndexOf(const std::string& key) const {
  const auto found = byName_.find(key);
  return found == byName_.end() ? -1 : static_cast<int64_t>(found->second);
}

}  // namespace toridasu::model
