#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/terminal.h"
#include "files/file_names.h"

namespace toridasu::cli {
namespace {

std::wstring Wide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0)
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

std::string Narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
  return out;
}

HANDLE HandleOf(std::FILE* stream) {
  return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool IsDrawingName(const char* name) {
  const std::size_t n = std::strlen(name);
  return n > 4 && lstrcmpiA(name + n - 4, ".dxf") == 0;
}

}  // namespace

std::string NativeFromUtf8(std::string_view utf8) { return Narrow(CP_ACP, Wide(CP_UTF8, utf8)); }

// The program's messages are in the ANSI code page already.
std::string NativeFromShiftJis(std::string_view shiftJis) { return std::string(shiftJis); }

void WriteNative(std::FILE* stream, std::string_view text) {
  std::fflush(stream);
  const HANDLE handle = HandleOf(stream);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    // A console shows UTF-16 whatever its code page.
    const std::wstring wide = Wide(CP_ACP, text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fflush(stream);
}

bool IsTerminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

// In code page 932 a double-width character is two bytes.
std::size_t DisplayWidth(std::string_view text) { return text.size(); }

bool UserPrefersJapanese() {
  char chosen[8] = {};
  if (GetEnvironmentVariableA("TORIDASU_LANG", chosen, sizeof chosen) > 0) {
    return chosen[0] == 'j' && chosen[1] == 'a';
  }
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

namespace {

bool IdentityOf(const std::string& name, BY_HANDLE_FILE_INFORMATION* info) {
  HANDLE h = CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const BOOL ok = GetFileInformationByHandle(h, info);
  CloseHandle(h);
  return ok != FALSE;
}

}  // namespace

bool NamesSameFile(const std::string& a, const std::string& b) {
  if (NameKey(a) == NameKey(b)) return true;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!IdentityOf(a, &ia) || !IdentityOf(b, &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

std::string NameKey(const std::string& name) {
  // The platform's own upper-casing leaves double-byte characters whole.
  std::string key = name;
  if (!key.empty()) CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
  return key;
}

std::string DefaultOutputName(const std::string& input) { return ReplaceExtension(input, ".csv"); }

std::string BaseName(const std::string& path) {
  // Both separators count here; the second byte of 表 is never one.
  return std::string(path.substr(FindLastDelimiter("\\/:", path)));
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return name;
  const std::size_t last = directory.size();
  const bool separated = FindLastDelimiter("\\/:", directory) == last;
  return separated ? directory + name : directory + "\\" + name;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool HasWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

static void Search(const std::string& directory, const std::string& pattern, bool wantDirectories,
                   std::vector<std::string>* found) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA(JoinPath(directory, pattern).c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const bool isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isDirectory == wantDirectories) found->push_back(JoinPath(directory, name));
  } while (FindNextFileA(search, &data));
  FindClose(search);
  std::sort(found->begin(), found->end());
}

bool ListDrawings(const std::string& directory, bool recursive, std::vector<std::string>* found) {
  if (!IsDirectory(directory)) return false;
  std::vector<std::string> files;
  Search(directory, "*", false, &files);
  for (const std::string& file : files) {
    if (IsDrawingName(file.c_str())) found->push_back(file);
  }
  if (recursive) {
    std::vector<std::string> folders;
    Search(directory, "*", true, &folders);
    for (const std::string& folder : folders) ListDrawings(folder, true, found);
  }
  return true;
}

std::vector<std::string> ExpandPattern(const std::string& pattern) {
  std::vector<std::string> found;
  const std::size_t cut = FindLastDelimiter("\\/:", pattern);
  Search(pattern.substr(0, cut), pattern.substr(cut), false, &found);
  return found;
}

bool MakeDirectories(const std::string& path) {
  if (path.empty() || IsDirectory(path)) return true;
  std::string trimmed = path;
  while (trimmed.size() > 1 && FindLastDelimiter("\\/", trimmed) == trimmed.size())
    trimmed.pop_back();
  const std::size_t cut = FindLastDelimiter("\\/", trimmed);
  if (cut > 1 && !MakeDirectories(trimmed.substr(0, cut - 1))) return false;
  return CreateDirectoryA(trimmed.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

uint64_t FileSizeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

void UseBinaryStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace toridasu::cli
