#include "platform/wildcard.h"

namespace toridasu {
namespace {

// The rest of the pattern can match an empty remainder of the name.
bool MatchesEnd(std::string_view rest) {
  std::size_t i = 0;
  while (i < rest.size() && rest[i] == '*') ++i;
  if (i < rest.size() && rest[i] == '.') ++i;
  while (i < rest.size() && rest[i] == '*') ++i;
  return i == rest.size();
}

}  // namespace

bool HasWildcard(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
  // Greedy walk that, on a mismatch, lets the last '*' take one more byte.
  constexpr std::size_t kNone = std::string_view::npos;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starP = kNone;
  std::size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starP != kNone) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  return MatchesEnd(pattern.substr(p));
}

}  // namespace toridasu
