#include "app/application_title.h"

#include <windows.h>

#include "base/lead_bytes.h"

namespace toridasu::app {

std::string ApplicationTitleOf(std::string_view executablePath) {
  std::string name(executablePath.substr(FindLastDelimiter("\\", executablePath)));
  // A full stop is never the second byte of a character, but the walk keeps
  // to character boundaries all the same.
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
      ++i;
    } else if (name[i] == '.') {
      name.resize(i);
      break;
    }
  }
  // The first character keeps its case, whether it has one byte or two.
  std::size_t first = 0;
  if (!name.empty()) {
    first = IsLeadByte(static_cast<unsigned char>(name[0])) && name.size() > 1 ? 2 : 1;
  }
  if (name.size() > first) {
    CharLowerBuffA(name.data() + first, static_cast<DWORD>(name.size() - first));
  }
  return name;
}

std::string ExecutablePath() {
  char path[256] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  return std::string(path, length < sizeof path ? length : sizeof path - 1);
}

std::string ApplicationTitle() { return ApplicationTitleOf(ExecutablePath()); }

}  // namespace toridasu::app
