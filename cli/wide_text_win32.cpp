#include <windows.h>

#include "cli/wide_text.h"
#include "platform/wide_names.h"

namespace toridasu::cli {

std::wstring WideFromUtf8(std::string_view utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

std::string Utf8FromWide(std::wstring_view wide) {
  return Utf8FromUtf16(std::u16string(wide.begin(), wide.end()));
}

std::string CodePageFromUtf8(std::string_view utf8, unsigned codePage, bool* complete) {
  if (complete) *complete = true;
  if (codePage == CP_UTF8) return std::string(utf8);
  const std::wstring wide = WideFromUtf8(utf8);
  if (wide.empty()) return {};
  const int length = static_cast<int>(wide.size());
  // No best fit: é must not pass for an e in a file's name.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  BOOL defaulted = FALSE;
  int n = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (n == 0) {  // a code page that takes no flags
    flags = 0;
    n = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, nullptr);
  }
  if (n <= 0) {
    if (complete) *complete = false;
    return std::string(utf8);
  }
  std::string bytes(static_cast<std::size_t>(n), '\0');
  // The code pages that take no flags do not say what they defaulted either.
  WideCharToMultiByte(codePage, flags, wide.data(), length, bytes.data(), n, nullptr,
                      flags != 0 ? &defaulted : nullptr);
  if (complete) *complete = !defaulted;
  return bytes;
}

}  // namespace toridasu::cli
