// The system platform of either build against the same expectations: the
// Windows build checks them against the real API, the Linux build checks
// that our own implementation gives the same answers.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/platform.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

namespace toridasu {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kSeparator = '\\';
constexpr const char* kNullDevice = "NUL";  // a name, not a file: nothing can harm it
constexpr const char* kMissingAtRoot = "C:\\toridasu-no-such.dxf";
#else
constexpr char kSeparator = '/';
constexpr const char* kMissingAtRoot = "/toridasu-no-such.dxf";
#endif

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    root_ = fs::temp_directory_path() / ("toridasu_platform_" + std::to_string(random()));
    fs::create_directories(root_);
  }
  ~TempFolder() {
    std::error_code ignored;
    for (const auto& item : fs::recursive_directory_iterator(root_, ignored)) {
      fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ignored);
  }
  std::string Path(const std::string& relative = "") const {
    std::string path = root_.string();
    return relative.empty() ? path : path + kSeparator + relative;
  }
  void Write(const std::string& relative, const std::string& bytes) const {
    std::ofstream(Path(relative), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream in(Path(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void MakeFolder(const std::string& relative) const { fs::create_directory(Path(relative)); }

 private:
  fs::path root_;
};

Platform& System() { return SystemPlatform(); }

void CloseIfOpen(uint32_t result, FileHandle handle) {
  if (result == 0) {
    EXPECT_EQ(System().Close(handle), 0u);
  }
}

struct RefusedName {
  const char* what;
  std::string name;  // relative to the temporary folder, or absolute when empty
  uint32_t readCode;
  uint32_t writeCode;  // 0: creation succeeds
};

TEST(PlatformSystem, ReportsTheWindowsCodeOfARefusedOpen) {
  TempFolder folder;
  folder.Write("plain.txt", "x");
  folder.MakeFolder("sub");
  const RefusedName cases[] = {
      {"missing file", "missing.dxf", win_error::kFileNotFound, 0},
      {"missing folder", std::string("nofolder") + kSeparator + "x.dxf", win_error::kPathNotFound,
       win_error::kPathNotFound},
      {"file used as a folder", std::string("plain.txt") + kSeparator + "x.dxf",
       win_error::kPathNotFound, win_error::kPathNotFound},
      {"folder", "sub", win_error::kAccessDenied, win_error::kAccessDenied},
      {"name too long", std::string(300, 'n'), win_error::kFilenameExcedRange,
       win_error::kFilenameExcedRange},
  };
  for (const RefusedName& c : cases) {
    std::string name = folder.Path(c.name);
    FileHandle handle = 12345;
    EXPECT_EQ(System().OpenForReading(name.c_str(), &handle), c.readCode) << c.what;
    EXPECT_EQ(handle, kNoFile) << c.what;
    uint32_t result = System().CreateForWriting(name.c_str(), &handle);
    EXPECT_EQ(result, c.writeCode) << c.what;
    CloseIfOpen(result, handle);
  }
  FileHandle handle;
  // The root is a folder like any other: a missing file there is 2, not 3.
  EXPECT_EQ(System().OpenForReading(kMissingAtRoot, &handle), win_error::kFileNotFound);
  EXPECT_EQ(System().OpenForReading("", &handle), win_error::kPathNotFound);
  EXPECT_EQ(System().CreateForWriting("", &handle), win_error::kPathNotFound);
}

TEST(PlatformSystem, WriterExcludesEveryOtherOpenAndLeavesTheFileUntouched) {
  TempFolder folder;
  folder.Write("plan.dxf", "drawing");
  std::string name = folder.Path("plan.dxf");

  FileHandle reader;
  FileHandle secondReader;
  FileHandle writer;
  ASSERT_EQ(System().OpenForReading(name.c_str(), &reader), 0u);
  EXPECT_EQ(System().OpenForReading(name.c_str(), &secondReader), 0u) << "readers share";
  EXPECT_EQ(System().CreateForWriting(name.c_str(), &writer), win_error::kSharingViolation);
  EXPECT_EQ(System().Close(secondReader), 0u);
  EXPECT_EQ(System().CreateForWriting(name.c_str(), &writer), win_error::kSharingViolation);
  EXPECT_EQ(System().Delete(name.c_str()), false) << "an open file cannot be deleted";
  EXPECT_EQ(System().Close(reader), 0u);
  EXPECT_EQ(folder.Read("plan.dxf"), "drawing");

  ASSERT_EQ(System().CreateForWriting(name.c_str(), &writer), 0u);
  FileHandle other;
  EXPECT_EQ(System().OpenForReading(name.c_str(), &other), win_error::kSharingViolation);
  EXPECT_EQ(System().CreateForWriting(name.c_str(), &other), win_error::kSharingViolation);
  EXPECT_EQ(System().Write(writer, "csv", 3), 0u);
  EXPECT_EQ(System().Close(writer), 0u);
  EXPECT_EQ(folder.Read("plan.dxf"), "csv")
      << "creation empties the file, the refused ones did not";
}

TEST(PlatformSystem, ReadOnlyFileCannotBeCreatedOverOrDeleted) {
  TempFolder folder;
  folder.Write("list.csv", "old");
  fs::permissions(folder.Path("list.csv"),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
#ifdef _WIN32
  if (std::ofstream(folder.Path("list.csv"), std::ios::app)) {
    GTEST_SKIP() << "this system lets the user write read-only files (Wine run as root)";
  }
#endif
  std::string name = folder.Path("list.csv");
  FileHandle handle;
  EXPECT_EQ(System().CreateForWriting(name.c_str(), &handle), win_error::kAccessDenied);
  EXPECT_FALSE(System().Delete(name.c_str()));
  EXPECT_EQ(folder.Read("list.csv"), "old");
}

TEST(PlatformSystem, DeletesOnlyAClosedFile) {
  TempFolder folder;
  folder.Write("list.csv", "x");
  folder.MakeFolder("sub");
  EXPECT_FALSE(System().Delete(folder.Path("missing.csv").c_str()));
  EXPECT_FALSE(System().Delete(folder.Path("sub").c_str()));
  EXPECT_TRUE(fs::is_directory(folder.Path("sub")));
  EXPECT_TRUE(System().Delete(folder.Path("list.csv").c_str()));
  EXPECT_FALSE(fs::exists(folder.Path("list.csv")));
}

// A file written under another name takes the place of the one it replaces
// at once, but never while that one is open; opening a name as it stands
// leaves its file as it was.
TEST(PlatformSystem, ReplacesAClosedFileWithAWholeNewOne) {
  TempFolder folder;
  folder.Write("list.csv", "old");
  const std::string target = folder.Path("list.csv");
  const std::string temporary = folder.Path("list.csv.tmp");
  FileHandle handle;
  EXPECT_EQ(System().OpenExistingForWriting(folder.Path("missing.csv").c_str(), &handle),
            win_error::kFileNotFound);
  ASSERT_EQ(System().OpenExistingForWriting(target.c_str(), &handle), 0u);
  EXPECT_EQ(System().Close(handle), 0u);
  EXPECT_EQ(System().CreateNewForWriting(target.c_str(), &handle), win_error::kFileExists);
  ASSERT_EQ(System().CreateNewForWriting(temporary.c_str(), &handle), 0u);
  EXPECT_EQ(System().Write(handle, "new", 3), 0u);
  EXPECT_EQ(System().Close(handle), 0u);

  FileHandle reader;
  ASSERT_EQ(System().OpenForReading(target.c_str(), &reader), 0u);
  EXPECT_EQ(System().Replace(temporary.c_str(), target.c_str()), win_error::kAccessDenied);
  EXPECT_EQ(System().Close(reader), 0u);
  EXPECT_EQ(folder.Read("list.csv"), "old");
  EXPECT_EQ(System().Replace(temporary.c_str(), target.c_str()), 0u);
  EXPECT_EQ(folder.Read("list.csv"), "new");
  EXPECT_FALSE(fs::exists(temporary));
}

TEST(PlatformSystem, WritesALargeBufferWholeAndReadsItBack) {
  TempFolder folder;
  std::string name = folder.Path("big.csv");
  std::vector<char> bytes(300000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);

  FileHandle writer;
  ASSERT_EQ(System().CreateForWriting(name.c_str(), &writer), 0u);
  EXPECT_EQ(System().KindOf(writer), FileKind::Disk);
  EXPECT_EQ(System().Write(writer, bytes.data(), static_cast<uint32_t>(bytes.size())), 0u);
  uint32_t got = 99;
  char byte;
  EXPECT_EQ(System().Read(writer, &byte, 1, &got), win_error::kAccessDenied);
  ASSERT_EQ(System().Close(writer), 0u);

  FileHandle reader;
  ASSERT_EQ(System().OpenForReading(name.c_str(), &reader), 0u);
  EXPECT_EQ(System().KindOf(reader), FileKind::Disk);
  EXPECT_EQ(System().Write(reader, "x", 1), win_error::kAccessDenied);
  std::vector<char> back;
  char block[128];
  do {
    ASSERT_EQ(System().Read(reader, block, sizeof block, &got), 0u);
    back.insert(back.end(), block, block + got);
  } while (got != 0);
  EXPECT_EQ(System().Close(reader), 0u);
  EXPECT_TRUE(back == bytes);
}

TEST(PlatformSystem, NullDeviceIsACharacterDeviceWithoutShareRule) {
#ifdef _WIN32
  const std::string nullDevice = kNullDevice;
#else
  // A device like /dev/null of the test's own (root may make one), never the
  // machine's, which a fault could harm.
  TempFolder folder;
  const std::string nullDevice = folder.Path("null");
  if (mknod(nullDevice.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
    GTEST_SKIP() << "only root makes a device";
  }
#endif
  FileHandle first;
  FileHandle second;
  ASSERT_EQ(System().CreateForWriting(nullDevice.c_str(), &first), 0u);
  ASSERT_EQ(System().CreateForWriting(nullDevice.c_str(), &second), 0u);
  EXPECT_EQ(System().KindOf(first), FileKind::Character);
  EXPECT_EQ(System().Write(first, "abc", 3), 0u);
  EXPECT_EQ(System().Close(first), 0u);
  EXPECT_EQ(System().Close(second), 0u);

  FileHandle reader;
  ASSERT_EQ(System().OpenForReading(nullDevice.c_str(), &reader), 0u);
  EXPECT_EQ(System().KindOf(reader), FileKind::Character);
  char byte;
  uint32_t got = 99;
  EXPECT_EQ(System().Read(reader, &byte, 1, &got), 0u);
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(System().Close(reader), 0u);
}

struct Search {
  std::string pattern;  // relative to the temporary folder
  bool found;
  bool isDirectory;
};

TEST(PlatformSystem, FindsTheFirstMatchOfANameOrPattern) {
  TempFolder folder;
  folder.Write("plan.dxf", "x");
  folder.Write("noext", "x");
  folder.MakeFolder("sub");
  const std::string sep(1, kSeparator);
  const Search cases[] = {
      {"plan.dxf", true, false},
      {"sub", true, true},
      {"missing.dxf", false, false},
      {"sub" + sep, false, false},
      {"nofolder" + sep + "*.dxf", false, false},
      {"*.dxf", true, false},
      {"*", true, true},  // "." comes first
      {"s*", true, true},
      {"no?xt", true, false},
      {"noext.*", true, false},
      {"*.*", true, true},
      {"zz*", false, false},
  };
  for (const Search& c : cases) {
    FoundEntry entry;
    entry.isDirectory = !c.isDirectory;
    bool found = System().FindFirst(folder.Path(c.pattern).c_str(), &entry);
    EXPECT_EQ(found, c.found) << c.pattern;
    if (found && c.found) {
      EXPECT_EQ(entry.isDirectory, c.isDirectory) << c.pattern;
    }
  }
  FoundEntry entry;
  EXPECT_FALSE(System().FindFirst("", &entry));
}

class NoPlatform : public Platform {
 public:
  uint32_t OpenForReading(const char*, FileHandle*) override { return 1; }
  uint32_t CreateForWriting(const char*, FileHandle*) override { return 1; }
  uint32_t Read(FileHandle, void*, uint32_t, uint32_t*) override { return 1; }
  uint32_t Write(FileHandle, const void*, uint32_t) override { return 1; }
  FileKind KindOf(FileHandle) override { return FileKind::Unknown; }
  uint32_t Close(FileHandle) override { return 1; }
  bool FindFirst(const char*, FoundEntry*) override { return false; }
  bool Delete(const char*) override { return false; }
  uint32_t OpenForReadingUtf8(const char*, FileHandle*) override { return 1; }
  uint32_t CreateForWritingUtf8(const char*, FileHandle*) override { return 1; }
  bool DeleteUtf8(const char*) override { return false; }
  uint32_t OpenExistingForWriting(const char*, FileHandle*) override { return 1; }
  uint32_t CreateNewForWriting(const char*, FileHandle*) override { return 1; }
  uint32_t Replace(const char*, const char*) override { return 1; }
  uint32_t ProcessId() override { return 0; }
  bool ProcessIsRunning(uint32_t) override { return false; }
  bool DoubleByteEnabled() override { return false; }
  bool AnsiCodePageInfo(CodePageInfo*) override { return false; }
  void UpperCase(char*, uint32_t) override {}
  char LocaleDecimalSeparator() override { return 0; }
  void ResetThreadLocale() override {}
};

TEST(PlatformSystem, CurrentPlatformIsTheSystemUntilSwappedAndPutBack) {
  EXPECT_EQ(&CurrentPlatform(), &SystemPlatform());
  NoPlatform fake;
  Platform* previous = SetCurrentPlatform(&fake);
  EXPECT_EQ(previous, &SystemPlatform());
  EXPECT_EQ(&CurrentPlatform(), &fake);
  EXPECT_EQ(SetCurrentPlatform(previous), &fake);
  EXPECT_EQ(&CurrentPlatform(), &SystemPlatform());
}

}  // namespace
}  // namespace toridasu
