// An in-memory Platform for tests that need a file to fail, a handle of an
// odd kind or a code page of their choosing, without touching a disk.
//
//   FakePlatform fake;
//   fake.AddFile("C:\\dwg\\plan.dxf", "0\r\nEOF\r\n");
//   fake.failWriteNumber = 2;                  // the second Write ...
//   fake.writeError = win_error::kDiskFull;    // ... fails with 112
//   ScopedCurrentPlatform use(fake);           // CurrentPlatform() is the fake
//   ... run the code under test ...
//   EXPECT_EQ(fake.writeSizes, (std::vector<uint32_t>{128, 128}));
//   EXPECT_EQ(fake.OpenHandleCount(), 0);      // nothing left open
//
// Names are compared as exact byte strings, whichever encoding they are
// given in; nothing is normalised. The
// files follow the share rule of the real opens (a writer excludes every
// other open of the file, readers share); Delete and Replace refuse what
// Windows refuses (an open, read-only or missing file, a folder).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace toridasu {

class FakePlatform : public Platform {
 public:
  struct File {
    std::string bytes;
    bool readOnly = false;
  };

  // --- The file system ---
  std::map<std::string, File> files;
  std::set<std::string> directories;  // FindFirst finds them; opening one gives 5

  void AddFile(const std::string& name, std::string bytes = {});
  bool Exists(const std::string& name) const { return files.count(name) != 0; }
  // The bytes of a file; empty when there is none.
  std::string Contents(const std::string& name) const;
  int OpenHandleCount() const { return static_cast<int>(handles_.size()); }

  // --- Knobs: 0 or false leaves the call alone ---
  uint32_t openForReadingError = 0;    // every OpenForReading fails with this code
  uint32_t createForWritingError = 0;  // every Create...ForWriting fails; nothing is created
  int failReadNumber = 0;              // the n-th Read (from 1, all handles) fails ...
  uint32_t readError = 0;              // ... with this code (109: the reader takes it as the end)
  uint32_t readChunk = 0;              // when set, a Read returns at most this many bytes
  int failWriteNumber = 0;             // the n-th Write (from 1, all handles) fails ...
  uint32_t writeError = win_error::kDiskFull;  // ... with this code, taking no byte
  bool failLaterWrites = false;                // ... and so does every Write after it
  uint32_t closeError = 0;         // every Close reports this code; the handle goes all the same
  FileKind kind = FileKind::Disk;  // what KindOf answers for an open handle (Unknown: 0)
  bool deleteFails = false;        // every Delete answers false, deleting nothing
  uint32_t replaceError = 0;       // every Replace fails with this code, moving nothing
  uint32_t processId = 4242;       // what ProcessId answers
  std::set<uint32_t> runningProcesses = {4242};  // what ProcessIsRunning answers true for
  bool findFails = false;                        // every FindFirst answers false

  // --- Code page and locale answers ---
  bool doubleByte = true;
  bool codePageAvailable = true;  // false: AnsiCodePageInfo fails
  CodePageInfo codePage = {{0x81, 0x9F, 0xE0, 0xFC}};
  char decimalSeparator = '.';  // 0: the locale call fails

  // --- What was asked, in order ---
  std::vector<std::string> opened;    // every OpenForReading name, refused ones too
  std::vector<std::string> created;   // every Create...ForWriting name, refused ones too
  std::vector<std::string> probed;    // every OpenExistingForWriting name, refused ones too
  std::vector<std::string> replaced;  // every Replace target, refused ones too
  std::vector<uint32_t> writeSizes;   // every Write size, failing ones too
  std::vector<uint32_t> readSizes;    // every Read size asked for
  std::vector<std::string> searched;  // every FindFirst pattern
  std::vector<std::string> deleted;   // every Delete name, refused ones too
  int closeCalls = 0;
  int resetThreadLocaleCalls = 0;

  // Platform
  uint32_t OpenForReading(const char* name, FileHandle* handle) override;
  uint32_t CreateForWriting(const char* name, FileHandle* handle) override;
  uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) override;
  uint32_t Write(FileHandle handle, const void* data, uint32_t size) override;
  FileKind KindOf(FileHandle handle) override;
  uint32_t Close(FileHandle handle) override;
  bool FindFirst(const char* pattern, FoundEntry* entry) override;
  bool Delete(const char* name) override;
  uint32_t OpenForReadingUtf8(const char* name, FileHandle* handle) override {
    return OpenForReading(name, handle);
  }
  uint32_t CreateForWritingUtf8(const char* name, FileHandle* handle) override {
    return CreateForWriting(name, handle);
  }
  bool DeleteUtf8(const char* name) override { return Delete(name); }
  uint32_t OpenExistingForWriting(const char* name, FileHandle* handle) override;
  uint32_t CreateNewForWriting(const char* name, FileHandle* handle) override;
  uint32_t Replace(const char* from, const char* to) override;
  uint32_t ProcessId() override { return processId; }
  bool ProcessIsRunning(uint32_t id) override { return runningProcesses.count(id) != 0; }
  bool DoubleByteEnabled() override { return doubleByte; }
  bool AnsiCodePageInfo(CodePageInfo* info) override;
  void UpperCase(char* text, uint32_t length) override;
  char LocaleDecimalSeparator() override { return decimalSeparator; }
  void ResetThreadLocale() override { ++resetThreadLocaleCalls; }

 private:
  struct Handle {
    std::string name;
    bool writing = false;
    std::size_t position = 0;
  };
  bool IsOpen(const std::string& name, bool* forWriting) const;
  uint32_t Open(const std::string& name, bool writing, FileHandle* handle, bool empty = true);

  std::map<FileHandle, Handle> handles_;
  FileHandle nextHandle_ = 100;
  int readCount_ = 0;
  int writeCount_ = 0;
};

// Makes a platform the current one for a scope, then puts the previous back.
class ScopedCurrentPlatform {
 public:
  explicit ScopedCurrentPlatform(Platform& platform) : previous_(SetCurrentPlatform(&platform)) {}
  ~ScopedCurrentPlatform() { SetCurrentPlatform(previous_); }
  ScopedCurrentPlatform(const ScopedCurrentPlatform&) = delete;
  ScopedCurrentPlatform& operator=(const ScopedCurrentPlatform&) = delete;

 private:
  Platform* previous_;
};

}  // namespace toridasu
