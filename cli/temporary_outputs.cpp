#include "cli/temporary_outputs.h"

#include <filesystem>
#include <map>
#include <set>
#include <string_view>

#include "cli/file_system.h"
#include "cli/paths.h"
#include "io/file_name_rules.h"

namespace toridasu::cli {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMark = "toridasu-";
constexpr std::string_view kExtension = ".tmp";

// "1234.tmp" or "1234-2.tmp": the process id.
std::optional<uint32_t> WriterOfTail(std::string_view tail) {
  if (!tail.ends_with(kExtension)) return std::nullopt;
  tail.remove_suffix(kExtension.size());
  uint64_t id = 0;
  std::size_t digits = 0;
  while (digits < tail.size() && tail[digits] >= '0' && tail[digits] <= '9' && id <= UINT32_MAX) {
    id = id * 10 + static_cast<uint64_t>(tail[digits] - '0');
    ++digits;
  }
  if (digits == 0 || id > UINT32_MAX) return std::nullopt;
  tail.remove_prefix(digits);
  if (!tail.empty()) {
    if (tail.size() < 2 || tail[0] != '-') return std::nullopt;
    for (const char c : tail.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
    }
  }
  return static_cast<uint32_t>(id);
}

// The folder a name is in, as the file system lists it.
fs::path FolderOf(const std::string& name) {
  const fs::path folder = PathOf(name).parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

std::string TemporaryName(const std::string& target, uint32_t processId, unsigned attempt) {
  // Appended piece by piece: GCC 12 takes some joins of short strings for overlaps.
  std::string tail(kMark);
  tail += std::to_string(processId);
  if (attempt > 1) {
    tail += '-';
    tail += std::to_string(attempt);
  }
  tail += kExtension;
  std::string beside = target;
  beside += '.';
  beside += tail;
  if (FileNameRefusal(beside, NativeNameEncoding()) == 0) return beside;
  return JoinPath(NameOf(PathOf(target).parent_path()), tail);
}

std::optional<uint32_t> TemporaryWriter(const std::string& entry, const std::string& targetName) {
  std::string_view name(entry);
  std::string beside = targetName;
  beside += '.';
  beside += kMark;
  if (!targetName.empty() && name.starts_with(beside)) {
    return WriterOfTail(name.substr(beside.size()));
  }
  if (name.starts_with(kMark)) return WriterOfTail(name.substr(kMark.size()));
  return std::nullopt;
}

void RemoveLeftTemporaries(const std::vector<Conversion>& conversions, Platform& platform) {
  // Each folder is listed once, for all the outputs that go into it.
  std::map<std::string, std::pair<fs::path, std::set<std::string>>> folders;
  for (const Conversion& c : conversions) {
    if (c.streams.output) continue;
    const std::string target = FileBehindLinks(c.output);
    if (target.empty()) continue;
    const fs::path folder = FolderOf(target);
    auto& [path, names] = folders[FileKey(NameOf(folder))];
    path = folder;
    names.insert(BaseName(target));
  }
  const uint32_t self = platform.ProcessId();
  std::string mark(".");
  mark += kMark;
  for (const auto& [key, folder] : folders) {
    const auto& [path, names] = folder;
    std::vector<fs::path> left;
    std::error_code error;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
      const std::string entry = NameOf(it->path().filename());
      const std::size_t at = entry.rfind(mark);
      const std::string target = at == std::string::npos ? std::string() : entry.substr(0, at);
      const std::optional<uint32_t> writer =
          TemporaryWriter(entry, names.count(target) != 0 ? target : std::string());
      // An id of ours is left over from an earlier process that had it.
      if (writer && (*writer == self || !platform.ProcessIsRunning(*writer))) {
        left.push_back(it->path());
      }
    }
    for (const fs::path& file : left) platform.DeleteUtf8(NameOf(file).c_str());
  }
}

}  // namespace toridasu::cli
