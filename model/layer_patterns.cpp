#include "model/layer_patterns.h"

#include <algorithm>

#include "model/names.h"
#include "text/ascii_case.h"

namespace toridasu::model {
namespace {

// The bytes of the UTF-8 character that starts at `at` (a stray byte counts
// as one character), never past the end.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return std::min(length, text.size() - at);
}

}  // namespace

LayerPatterns::LayerPatterns(std::string_view list) {
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::string_view name = TrimBlanks(list.substr(0, comma));
    if (!name.empty()) patterns_.emplace_back(name);
    list.remove_prefix(comma == std::string_view::npos ? list.size() : comma + 1);
  }
}

bool LayerPatterns::Matches(std::string_view name) const {
  if (patterns_.empty()) return true;
  for (const std::string& pattern : patterns_) {
    if (MatchesLayerPattern(pattern, name)) return true;
  }
  return false;
}

bool MatchesLayerPattern(std::string_view pattern, std::string_view name) {
  name = TrimBlanks(name);
  constexpr std::size_t kNone = std::string_view::npos;
  // The last "*" met, and where in the name its run ends for now: on a
  // mismatch the run takes one character more and matching goes on from there.
  std::size_t afterStar = kNone, runEnd = 0;
  std::size_t p = 0, n = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      runEnd = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && text::AsciiUpper(pattern[p]) == text::AsciiUpper(name[n])) {
      ++p, ++n;  // byte by byte: a character of the pattern matches only a whole one
    } else if (afterStar != kNone) {
      runEnd += CharacterLength(name, runEnd);
      p = afterStar;
      n = runEnd;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace toridasu::model
