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

std::string FileKey(const std::string& name) {
  std::error_code error;
  const fs::path resolved = fs::weakly_canonical(PathOf(name), error);
  return NameKey(error ? name : NameOf(resolved));
}

std::string FileBehindLinks(const std::string& name) {
  // The system gives up after this many links too.
  constexpr int kMostLinks = 40;
  std::error_code error;
  fs::path path = PathOf(name);
  for (int links = 0; fs::is_symlink(fs::symlink_status(path, error)); ++links) {
    if (links == kMostLinks) return name;  // opening it says why
    const fs::path next = fs::read_symlink(path, error);
    if (error) return name;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  // A link that leads to nothing is where a new file goes; one that exists
  // must lead to the very file that the name opens.
  if (!fs::exists(PathOf(name), error) || path == PathOf(name)) return NameOf(path);
  return fs::equivalent(PathOf(name), path, error) ? NameOf(path) : std::string();
}

}  // namespace toridasu::cli
