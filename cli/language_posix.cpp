#include <cstdlib>
#include <string_view>

#include "cli/language.h"

namespace toridasu::cli {

bool UserPrefersJapanese() {
  if (const char* chosen = std::getenv("TORIDASU_LANG"); chosen && *chosen) {
    return std::string_view(chosen).substr(0, 2) == "ja";
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::string_view(value).substr(0, 2) == "ja";
  }
  return false;
}

}  // namespace toridasu::cli
