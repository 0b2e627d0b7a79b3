#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "cli/shift_jis_to_utf8.h"
#include "cli/terminal.h"

namespace toridasu::cli {

std::string NativeFromUtf8(std::string_view utf8) { return std::string(utf8); }

std::string NativeFromShiftJis(std::string_view shiftJis) {
  std::string out;
  AppendShiftJisAsUtf8(shiftJis, true, out);
  return out;
}

void WriteNative(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (const char c : text) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80)
      ++width;
    else if (b >= 0xC0)
      width += 2;  // the first byte of a (CJK) character
  }
  return width;
}

bool UserPrefersJapanese() {
  if (const char* chosen = std::getenv("TORIDASU_LANG"); chosen && *chosen) {
    return std::string_view(chosen).substr(0, 2) == "ja";
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::string_view(value).substr(0, 2) == "ja";
  }
  return false;
}

bool NamesSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {
  }, sb{};
  if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::string NameKey(const std::string& name) { return name; }

std::string DefaultOutputName(const std::string& input) {
  // '.' and '/' never occur inside a UTF-8 multi-byte character.
  const std::size_t slash = input.rfind('/');
  const std::size_t dot = input.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? input.substr(0, dot) : input) + ".csv";
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  return directory.back() == '/' ? directory + name : directory + "/" + name;
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HasWildcard(const std::string&) { return false; }

static bool IsDrawingName(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".dxf") == 0;
}

bool ListDrawings(const std::string& directory, bool recursive, std::vector<std::string>* found) {
  DIR* dir = opendir(directory.c_str());
  if (!dir) return false;
  std::vector<std::string> names;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string path = JoinPath(directory, name);
    if (IsDirectory(path)) {
      if (recursive && !ListDrawings(path, true, found)) return false;
    } else if (IsDrawingName(name)) {
      found->push_back(path);
    }
  }
  return true;
}

std::vector<std::string> ExpandPattern(const std::string&) { return {}; }

bool MakeDirectories(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return true;
  const std::size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
  if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash)))
    return false;
  return mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && IsDirectory(path));
}

uint64_t FileSizeOf(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

void UseBinaryStreams() {}

}  // namespace toridasu::cli
