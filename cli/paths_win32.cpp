#include <windows.h>

#include "cli/paths.h"
#include "files/file_names.h"

namespace toridasu::cli {

// Through UTF-16, so that a double-byte character whose second byte is a
// backslash stays whole.
std::filesystem::path PathOf(const std::string& name) {
  if (name.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0)
    MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()), wide.data(), n);
  return std::filesystem::path(wide);
}

std::string NameOf(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string name(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), name.data(), n,
                        nullptr, nullptr);
  return name;
}

std::string NameKey(const std::string& name) {
  // The system's own upper-casing leaves double-byte characters whole.
  std::string key = name;
  if (!key.empty()) CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

std::string DefaultOutputName(const std::string& input) { return ReplaceExtension(input, ".csv"); }

}  // namespace toridasu::cli
