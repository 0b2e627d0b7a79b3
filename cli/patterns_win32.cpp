#include <windows.h>

#include <algorithm>

#include "cli/paths.h"
#include "cli/patterns.h"
#include "cli/wide_text.h"
#include "platform/wildcard.h"

namespace toridasu::cli {

bool ExpandPattern(const std::string& input, std::vector<std::string>* found) {
  // '*' and '?' are never a byte of a UTF-8 character.
  if (!HasWildcard(input)) return false;
  const std::string folder = NameOf(PathOf(input).parent_path());
  std::vector<std::string> matches;
  WIN32_FIND_DATAW data;
  const HANDLE search = FindFirstFileW(WideFromUtf8(input).c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        matches.push_back(JoinPath(folder, Utf8FromWide(data.cFileName)));
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  std::sort(matches.begin(), matches.end());
  found->insert(found->end(), matches.begin(), matches.end());
  return true;
}

}  // namespace toridasu::cli
