#include "cli/layer_listing.h"

#include "text/ascii_case.h"

namespace toridasu::cli {
namespace {

void AppendLine(const std::string& prefix, const std::string& layer, uint64_t count,
                std::string& out) {
  out += prefix;
  out += layer;
  out += '\t';
  out += std::to_string(count);
  out += '\n';
}

}  // namespace

void LayerTally::Take(const model::TextRecord& record) {
  // Texts come in runs on one layer.
  if (!counts_.empty() && counts_.back().first == record.layer) {
    ++counts_.back().second;
    return;
  }
  const auto [at, fresh] = byName_.emplace(text::AsciiUpperCase(record.layer), counts_.size());
  if (fresh) counts_.emplace_back(record.layer, 0);
  ++counts_[at->second].second;
}

std::string LayerTally::Lines(const std::vector<std::string>& table,
                              const model::LayerPatterns& kept, const std::string& prefix) const {
  std::string lines;
  std::vector<bool> listed(counts_.size(), false);
  for (const std::string& layer : table) {
    if (!kept.Matches(layer)) continue;
    uint64_t count = 0;
    const auto found = byName_.find(text::AsciiUpperCase(layer));
    if (found != byName_.end()) {
      count = counts_[found->second].second;
      listed[found->second] = true;
    }
    AppendLine(prefix, layer, count, lines);
  }
  for (std::size_t i = 0; i < counts_.size(); ++i) {
    if (!listed[i]) AppendLine(prefix, counts_[i].first, counts_[i].second, lines);
  }
  return lines;
}

}  // namespace toridasu::cli
