#include <windows.h>

#include "cli/paths.h"
#include "cli/wide_text.h"
#include "files/file_names.h"

namespace toridasu::cli {

// The wide calls take every name, also one with characters outside the
// ANSI code page.
NameEncoding NativeNameEncoding() { return NameEncoding::kUtf8; }

std::filesystem::path PathOf(const std::string& name) {
  return std::filesystem::path(WideFromUtf8(name));
}

std::string NameOf(const std::filesystem::path& path) { return Utf8FromWide(path.native()); }

std::string NameKey(const std::string& name) {
  std::wstring key = WideFromUtf8(name);
  if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
  return Utf8FromWide(key);
}

std::string DefaultOutputName(const std::string& input, const std::string& extension) {
  return ReplaceExtensionUtf8(input, extension);
}

}  // namespace toridasu::cli
