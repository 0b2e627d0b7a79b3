#include "cli/paths.h"
#include "cli/wide_text.h"
#include "files/file_names.h"
#include "platform/platform.h"

namespace toridasu::cli {

// Through UTF-16, so that a double-byte character whose second byte is a
// backslash stays whole.
std::filesystem::path PathOf(const std::string& name) {
  return std::filesystem::path(WideFromAnsi(name));
}

std::string NameOf(const std::filesystem::path& path) { return AnsiFromWide(path.native()); }

std::string NameKey(const std::string& name) {
  // The system's own upper-casing leaves double-byte characters whole.
  std::string key = name;
  CurrentPlatform().UpperCase(key.data(), static_cast<uint32_t>(key.size()));
  return key;
}

// Only the name's last part may hold the extension: a user of the command
// line also writes "/" between folders, and "plans.v2/plan" is no "plans".
std::string DefaultOutputName(const std::string& input) {
  const std::size_t nameStart = FindLastDelimiter("\\/:", input);
  return input.substr(0, nameStart) + ReplaceExtension(input.substr(nameStart), ".csv");
}

}  // namespace toridasu::cli
