// The platform on Windows: the ANSI API calls themselves, with exactly the
// arguments the core relies on, and their wide twins for UTF-8 names.
#include <windows.h>

#include <string>

#include "platform/platform.h"
#include "platform/wide_names.h"

namespace toridasu {
namespace {

HANDLE ToHandle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }
FileHandle FromHandle(HANDLE handle) { return reinterpret_cast<FileHandle>(handle); }

// The code of a call that has just failed. A failure must never read as
// success, so a missing code becomes a general failure.
uint32_t LastError() {
  DWORD code = GetLastError();
  return code != 0 ? code : win_error::kGenFailure;
}

uint32_t OpenFile(const char* name, DWORD access, DWORD disposition, FileHandle* handle) {
  *handle = kNoFile;
  HANDLE file = CreateFileA(name, access, FILE_SHARE_READ, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  *handle = FromHandle(file);
  return 0;
}

std::wstring WideName(const char* utf8) {
  const std::u16string utf16 = Utf16FromUtf8(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

uint32_t OpenFileWide(const char* name, DWORD access, DWORD disposition, FileHandle* handle) {
  *handle = kNoFile;
  HANDLE file = CreateFileW(WideName(name).c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return LastError();
  *handle = FromHandle(file);
  return 0;
}

class Win32Platform final : public Platform {
 public:
  uint32_t OpenForReading(const char* name, FileHandle* handle) override {
    return OpenFile(name, GENERIC_READ, OPEN_EXISTING, handle);
  }

  uint32_t CreateForWriting(const char* name, FileHandle* handle) override {
    return OpenFile(name, GENERIC_WRITE, CREATE_ALWAYS, handle);
  }

  uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) override {
    DWORD count = 0;
    BOOL ok = ReadFile(ToHandle(handle), buffer, size, &count, nullptr);
    *got = ok ? count : 0;
    return ok ? 0 : LastError();
  }

  // One WriteFile may take less than asked of a pipe or a device; the rest
  // is offered again until all is taken or a call fails.
  uint32_t Write(FileHandle handle, const void* data, uint32_t size) override {
    const char* bytes = static_cast<const char*>(data);
    do {
      DWORD taken = 0;
      if (!WriteFile(ToHandle(handle), bytes, size, &taken, nullptr)) return LastError();
      if (taken > size) taken = size;
      // A call that succeeds without taking anything would loop for ever.
      if (taken == 0 && size != 0) return win_error::kDiskFull;
      bytes += taken;
      size -= taken;
    } while (size != 0);
    return 0;
  }

  FileKind KindOf(FileHandle handle) override {
    switch (GetFileType(ToHandle(handle))) {
      case FILE_TYPE_DISK: return FileKind::Disk;
      case FILE_TYPE_CHAR: return FileKind::Character;
      case FILE_TYPE_PIPE: return FileKind::Pipe;
      default: return FileKind::Unknown;
    }
  }

  uint32_t Close(FileHandle handle) override {
    return CloseHandle(ToHandle(handle)) ? 0 : LastError();
  }

  bool FindFirst(const char* pattern, FoundEntry* entry) override {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA(pattern, &data);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
  }

  bool Delete(const char* name) override { return DeleteFileA(name) != 0; }

  uint32_t OpenForReadingUtf8(const char* name, FileHandle* handle) override {
    return OpenFileWide(name, GENERIC_READ, OPEN_EXISTING, handle);
  }

  uint32_t CreateForWritingUtf8(const char* name, FileHandle* handle) override {
    return OpenFileWide(name, GENERIC_WRITE, CREATE_ALWAYS, handle);
  }

  bool DeleteUtf8(const char* name) override { return DeleteFileW(WideName(name).c_str()) != 0; }

  uint32_t OpenExistingForWriting(const char* name, FileHandle* handle) override {
    return OpenFileWide(name, GENERIC_WRITE, OPEN_EXISTING, handle);
  }

  uint32_t CreateNewForWriting(const char* name, FileHandle* handle) override {
    return OpenFileWide(name, GENERIC_WRITE, CREATE_NEW, handle);
  }

  uint32_t Replace(const char* from, const char* to) override {
    return MoveFileExW(WideName(from).c_str(), WideName(to).c_str(), MOVEFILE_REPLACE_EXISTING)
               ? 0
               : LastError();
  }

  uint32_t ProcessId() override { return GetCurrentProcessId(); }

  bool ProcessIsRunning(uint32_t id) override {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
  }

  bool DoubleByteEnabled() override { return GetSystemMetrics(SM_DBCSENABLED) != 0; }

  bool AnsiCodePageInfo(CodePageInfo* info) override {
    CPINFO codePage;
    if (!GetCPInfo(CP_ACP, &codePage)) return false;
    static_assert(sizeof(codePage.LeadByte) == sizeof(info->leadByteRanges));
    for (int i = 0; i < MAX_LEADBYTES; ++i) info->leadByteRanges[i] = codePage.LeadByte[i];
    return true;
  }

  void UpperCase(char* text, uint32_t length) override {
    if (length != 0) CharUpperBuffA(text, length);
  }

  char LocaleDecimalSeparator() override {
    char buffer[2] = {0, 0};
    if (GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, buffer, 2) == 0) return 0;
    return buffer[0];
  }

  void ResetThreadLocale() override { SetThreadLocale(LOCALE_USER_DEFAULT); }
};

}  // namespace

Platform& SystemPlatform() {
  static Win32Platform platform;
  return platform;
}

}  // namespace toridasu
