#include "cli/batch_inputs.h"

#include <algorithm>
#include <filesystem>

#include "cli/file_system.h"
#include "cli/messages.h"
#include "cli/paths.h"
#include "cli/patterns.h"
#include "text/ascii_case.h"

namespace toridasu::cli {
namespace {

namespace fs = std::filesystem;

bool HasExtension(const std::string& name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  return std::equal(extension.begin(), extension.end(), name.end() - extension.size(),
                    [](char want, char got) { return want == text::AsciiLower(got); });
}

// DXF drawings, and Jw_cad's own.
bool IsDrawingName(const std::string& name) {
  return HasExtension(name, ".dxf") || HasExtension(name, ".jww");
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

class FolderWalk {
 public:
  FolderWalk(bool recursive, InputDrawings* out) : recursive_(recursive), out_(out) {}

  void Walk(const std::string& folder, const std::string& within) {
    std::vector<fs::directory_entry> entries;
    std::error_code error;
    for (fs::directory_iterator it(PathOf(folder), error), end; !error && it != end;
         it.increment(error)) {
      entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
      return NameOf(a.path().filename()) < NameOf(b.path().filename());
    });
    ancestors_.push_back(PathOf(folder));
    walked_.push_back(PathOf(folder));
    for (const fs::directory_entry& entry : entries) {
      const std::string name = NameOf(entry.path().filename());
      const std::string path = JoinPath(folder, name);
      if (entry.is_directory(error)) {
        if (recursive_ && Enter(entry, path)) Walk(path, JoinPath(within, name));
      } else if (IsDrawingName(name)) {
        out_->drawings.push_back({path, within});
      }
    }
    ancestors_.pop_back();
  }

 private:
  // A folder that is one of its own ancestors is a loop, whatever made it
  // (a link, a junction, a mount); a link to a folder walked already would
  // give its drawings twice.
  bool Enter(const fs::directory_entry& entry, const std::string& path) {
    for (const fs::path& ancestor : ancestors_) {
      if (SameFolder(entry.path(), ancestor)) {
        out_->warnings.push_back(Say(text_id::kCliFolderLoop, {path}));
        return false;
      }
    }
    std::error_code error;
    if (entry.is_symlink(error)) {
      for (const fs::path& seen : walked_) {
        if (SameFolder(entry.path(), seen)) return false;
      }
    }
    return true;
  }

  const bool recursive_;
  InputDrawings* const out_;
  std::vector<fs::path> ancestors_;
  std::vector<fs::path> walked_;
};

}  // namespace

InputDrawings FindDrawings(const std::string& input, bool recursive) {
  InputDrawings found;
  if (IsDirectory(input)) {
    FolderWalk(recursive, &found).Walk(input, "");
    return found;
  }
  std::vector<std::string> matches;
  if (ExpandPattern(input, &matches)) {
    for (std::string& match : matches) found.drawings.push_back({std::move(match), ""});
    return found;
  }
  // A named file goes to the converter even when missing: its failure is
  // reported like any other.
  found.drawings.push_back({input, ""});
  return found;
}

}  // namespace toridasu::cli
