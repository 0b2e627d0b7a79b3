// The layers a user asks for (--layers): names with the wildcards "*" (any
// run of characters) and "?" (one character, of any length in UTF-8), ASCII
// letters in either case, separated by commas.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace toridasu::model {

class LayerPatterns {
 public:
  LayerPatterns() = default;
  // Blanks around each name are left out, and so are empty names; a list
  // without a name keeps every layer.
  explicit LayerPatterns(std::string_view list);

  bool Empty() const { return patterns_.empty(); }
  // Whether the layer `name` (UTF-8) is one asked for; always when empty.
  bool Matches(std::string_view name) const;

 private:
  std::vector<std::string> patterns_;
};

// Whether `name` matches the one pattern `pattern` (both UTF-8).
bool MatchesLayerPattern(std::string_view pattern, std::string_view name);

}  // namespace toridasu::model
