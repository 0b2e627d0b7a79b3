// The wildcard rules of a find-first search, for the platforms and fakes
// that have to provide the search themselves.
#pragma once

#include <string_view>

namespace toridasu {

// True when the text holds '*' or '?'.
bool HasWildcard(std::string_view text);

// Whether `name` (one directory entry, no separators) matches `pattern`:
// '*' stands for any run of bytes, dots included, and '?' for exactly one
// byte. A '.' followed only by '*' at the end of the pattern also matches
// the end of a name that has no more dots, so "*.*" matches every name and
// "plan.*" matches "plan". Bytes compare exactly (no case folding).
bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace toridasu
