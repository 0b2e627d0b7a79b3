#include <windows.h>

#include <algorithm>

#include "cli/paths.h"
#include "cli/patterns.h"
#include "platform/wildcard.h"

namespace toridasu::cli {

bool ExpandPattern(const std::string& input, std::vector<std::string>* found) {
  // '*' and '?' are never the second byte of a double-byte character.
  if (!HasWildcard(input)) return false;
  const std::string folder = NameOf(PathOf(input).parent_path());
  std::vector<std::string> matches;
  WIN32_FIND_DATAA data;
  const HANDLE search = FindFirstFileA(input.c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        matches.push_back(JoinPath(folder, data.cFileName));
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  std::sort(matches.begin(), matches.end());
  found->insert(found->end(), matches.begin(), matches.end());
  return true;
}

}  // namespace toridasu::cli
