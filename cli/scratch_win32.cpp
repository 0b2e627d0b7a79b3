#include <windows.h>

#include "cli/scratch.h"

namespace toridasu::cli {

unsigned long ProcessNumber() { return GetCurrentProcessId(); }

std::string ScratchFolder() {
  wchar_t folder[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return ".";
  // The short name is ASCII where the system keeps short names.
  wchar_t shortFolder[MAX_PATH + 1];
  const DWORD shortLength = GetShortPathNameW(folder, shortFolder, MAX_PATH + 1);
  const wchar_t* name = shortLength != 0 && shortLength <= MAX_PATH ? shortFolder : folder;
  char ansi[MAX_PATH * 2 + 1];
  BOOL lost = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, ansi, sizeof ansi,
                                       nullptr, &lost);
  if (size == 0 || lost) return ".";
  return ansi;
}

}  // namespace toridasu::cli
