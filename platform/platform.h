// The thin seam between the portable core and the operating system.
//
// Every file, code-page and locale service the core needs goes through
// `Platform`. On Windows the calls are the real ANSI API ones, and for the
// converter's UTF-8 names the wide ones; on Linux a small implementation of
// ours gives the same results, Windows error codes included. Tests
// substitute fakes to drive failure paths.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

namespace toridasu {

// Windows error codes the core and its tests rely on by number.
namespace win_error {
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kTooManyOpenFiles = 4;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidHandle = 6;
constexpr uint32_t kNotEnoughMemory = 8;
constexpr uint32_t kWriteProtect = 19;
constexpr uint32_t kNotReady = 21;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kHandleEof = 38;
constexpr uint32_t kFileExists = 80;
constexpr uint32_t kInvalidParameter = 87;
constexpr uint32_t kBrokenPipe = 109;
constexpr uint32_t kDiskFull = 112;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kFilenameExcedRange = 206;
constexpr uint32_t kFileTooLarge = 223;
constexpr uint32_t kNoData = 232;            // writing to a pipe whose reader has gone
constexpr uint32_t kOperationAborted = 995;  // given up at the run's interruption
constexpr uint32_t kIoDevice = 1117;
constexpr uint32_t kCantResolveFilename = 1921;
}  // namespace win_error

// An open file as the platform names it; opaque to the core.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

// Answers of GetFileType.
enum class FileKind : uint32_t { Unknown = 0, Disk = 1, Character = 2, Pipe = 3 };

// What FindFirstFileA tells of the first match.
struct FoundEntry {
  bool isDirectory = false;
};

// How a name handed to the platform is written. The window's names are in
// the ANSI code page, as the ANSI calls take them. The converter's names on
// Windows are UTF-8, which reaches the wide calls as UTF-16, so that a name
// with characters outside the code page opens too. Linux takes either as
// the bytes they are.
enum class NameEncoding { kAnsi, kUtf8 };

// The lead-byte table of GetCPInfo: up to six (first, last) pairs, ended by a 0,0 pair.
struct CodePageInfo {
  uint8_t leadByteRanges[12] = {};
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Each operation returns 0 on success, else the Windows error code that
  // GetLastError would give.

  // CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
  //             FILE_ATTRIBUTE_NORMAL, nullptr)
  virtual uint32_t OpenForReading(const char* name, FileHandle* handle) = 0;
  // CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
  //             FILE_ATTRIBUTE_NORMAL, nullptr)
  virtual uint32_t CreateForWriting(const char* name, FileHandle* handle) = 0;
  // ReadFile: reads up to `size` bytes; *got is 0 at the end of the file.
  virtual uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) = 0;
  // WriteFile: a success means every byte was taken.
  virtual uint32_t Write(FileHandle handle, const void* data, uint32_t size) = 0;
  // GetFileType.
  virtual FileKind KindOf(FileHandle handle) = 0;
  // CloseHandle.
  virtual uint32_t Close(FileHandle handle) = 0;
  // FindFirstFileA + FindClose: false when nothing matches.
  virtual bool FindFirst(const char* pattern, FoundEntry* entry) = 0;
  // DeleteFileA.
  virtual bool Delete(const char* name) = 0;

  // The same three with a UTF-8 name: CreateFileW and DeleteFileW with its
  // UTF-16 (platform/wide_names.h).
  virtual uint32_t OpenForReadingUtf8(const char* name, FileHandle* handle) = 0;
  virtual uint32_t CreateForWritingUtf8(const char* name, FileHandle* handle) = 0;
  virtual bool DeleteUtf8(const char* name) = 0;
  // For the converter's outputs, which replace a file whole; UTF-8 names, as
  // the three above. CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ,
  // nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr): opens without
  // emptying, to learn what the name is.
  virtual uint32_t OpenExistingForWriting(const char* name, FileHandle* handle) = 0;
  // The same with CREATE_NEW: 80 when the name exists.
  virtual uint32_t CreateNewForWriting(const char* name, FileHandle* handle) = 0;
  // MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING): `to` is the file `from`
  // was, at once; a read-only or open `to` is refused with 5.
  virtual uint32_t Replace(const char* from, const char* to) = 0;
  // GetCurrentProcessId.
  virtual uint32_t ProcessId() = 0;
  // Whether a process of this id runs (OpenProcess and a wait of 0 ms); one
  // that runs but may not be opened counts as running.
  virtual bool ProcessIsRunning(uint32_t id) = 0;

  // GetSystemMetrics(SM_DBCSENABLED) != 0.
  virtual bool DoubleByteEnabled() = 0;
  // GetCPInfo(CP_ACP): false when the call fails.
  virtual bool AnsiCodePageInfo(CodePageInfo* info) = 0;
  // CharUpperBuffA over the whole buffer, in place.
  virtual void UpperCase(char* text, uint32_t length) = 0;
  // GetLocaleInfoA(GetThreadLocale(), LOCALE_SDECIMAL, buffer, 2): the
  // separator byte, or 0 when the call fails (the symbol is longer than one byte).
  virtual char LocaleDecimalSeparator() = 0;
  // SetThreadLocale(LOCALE_USER_DEFAULT), done before a settings refresh.
  virtual void ResetThreadLocale() = 0;
};

// The platform the program runs on. Tests may swap it for a fake; the
// previous one is returned so it can be put back.
Platform& CurrentPlatform();
Platform* SetCurrentPlatform(Platform* platform);

// The operating system's own implementation (never a fake).
Platform& SystemPlatform();

// The flag that tells the system platform the run is interrupted (may be
// null). A call that a signal cuts short (an open of a FIFO that no one
// writes, a read of a pipe that stays silent) then gives up with 995 rather
// than wait on.
void SetInterruptionFlag(const std::atomic<bool>* flag);
bool InterruptionRequested();

}  // namespace toridasu
