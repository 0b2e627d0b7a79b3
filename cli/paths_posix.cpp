#include "cli/paths.h"

namespace toridasu::cli {

// Linux names are the system's bytes, whatever they hold.
NameEncoding NativeNameEncoding() { return NameEncoding::kAnsi; }

std::filesystem::path PathOf(const std::string& name) { return std::filesystem::path(name); }

std::string NameOf(const std::filesystem::path& path) { return path.native(); }

std::string NameKey(const std::string& name) { return name; }

std::string DefaultOutputName(const std::string& input, const std::string& extension) {
  // '.' and '/' never occur inside a UTF-8 multi-byte character.
  const std::size_t slash = input.rfind('/');
  const std::size_t dot = input.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? input.substr(0, dot) : input) + extension;
}

}  // namespace toridasu::cli
