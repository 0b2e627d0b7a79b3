#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "cli/terminal.h"
#include "files/file_names.h"

namespace toridasu::cli {

std::string ToTerminalText(std::string_view shiftJis) {
  // The messages are in the ANSI code page; a console with another code page
  // gets them converted, anything else (files, pipes) gets the bytes.
  const UINT consolePage = GetConsoleOutputCP();
  if (consolePage == 0 || consolePage == GetACP() || shiftJis.empty()) return std::string(shiftJis);
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), nullptr, 0);
  if (wideLength <= 0) return std::string(shiftJis);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, shiftJis.data(), static_cast<int>(shiftJis.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(consolePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string(shiftJis);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(consolePage, 0, wide.data(), wideLength, out.data(), length, nullptr, nullptr);
  return out;
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
  if (a == b || lstrcmpiA(a.c_str(), b.c_str()) == 0) return true;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!IdentityOf(a, &ia) || !IdentityOf(b, &ib)) return false;
  return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

std::string DefaultOutputName(const std::string& input) {
  return ReplaceExtension(input, ".csv");
}

void UseBinaryStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace toridasu::cli
