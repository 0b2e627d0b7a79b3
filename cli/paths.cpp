#include "cli/paths.h"

namespace toridasu::cli {

std::string BaseName(const std::string& path) { return NameOf(PathOf(path).filename()); }

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  return NameOf(PathOf(directory) / PathOf(name));
}

}  // namespace toridasu::cli
