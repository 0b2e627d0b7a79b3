#include <windows.h>

#include "cli/language.h"

namespace toridasu::cli {

bool UserPrefersJapanese() {
  char chosen[8] = {};
  if (GetEnvironmentVariableA("TORIDASU_LANG", chosen, sizeof chosen) > 0) {
    return chosen[0] == 'j' && chosen[1] == 'a';
  }
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

}  // namespace toridasu::cli
