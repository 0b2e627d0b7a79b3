#include "cli/file_system.h"

#include <filesystem>

#include "cli/paths.h"

namespace toridasu::cli {

namespace fs = std::filesystem;

bool IsDirectory(const std::string& name) {
  std::error_code error;
  return fs::is_directory(PathOf(name), error);
}

bool MakeDirectories(const std::string& name) {
  if (name.empty()) return true;
  std::error_code error;
  fs::create_directories(PathOf(name), error);
  return fs::is_directory(PathOf(name), error);
}

uint64_t FileSizeOf(const std::string& name) {
  std::error_code error;
  const uintmax_t size = fs::file_size(PathOf(name), error);
  return error ? 0 : static_cast<uint64_t>(size);
}

bool NamesSameFile(const std::string& a, const std::string& b) {
  if (NameKey(a) == NameKey(b)) return true;
  std::error_code error;
  return fs::equivalent(PathOf(a), PathOf(b), error);
}

}  // namespace toridasu::cli
