// What the Linux platform adds to the shared expectations: the errors only
// Linux produces, the share rule across names and processes, pipes, and the
// fixed code page 932 answers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/platform.h"

namespace toridasu {
namespace {

Platform& System() { return SystemPlatform(); }

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/toridasu_posix_XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempDir() {
    // Best effort: a folder left in /tmp fails no test.
    [[maybe_unused]] const int status =
        std::system(("chmod -R u+rwx '" + path_ + "' && rm -rf '" + path_ + "'").c_str());
  }
  std::string Path(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  std::string path_;
};

// Runs `body` in a child process and gives its exit status.
template <typename Body>
int InChild(Body body) {
  pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
}

TEST(PlatformPosix, MapsSystemErrorsToWindowsCodes) {
  // A full disk: a device like /dev/full of the test's own (root may make
  // one), never the machine's, which a fault could harm.
  TempDir dir;
  if (mknod(dir.Path("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0) {
    FileHandle handle;
    ASSERT_EQ(System().CreateForWriting(dir.Path("full").c_str(), &handle), 0u);
    EXPECT_EQ(System().Write(handle, "x", 1), win_error::kDiskFull);
    EXPECT_EQ(System().Close(handle), 0u);
  }

  int code = InChild([] {
    struct rlimit none = {0, 0};
    getrlimit(RLIMIT_NOFILE, &none);
    none.rlim_cur = 0;
    setrlimit(RLIMIT_NOFILE, &none);
    FileHandle child;
    return static_cast<int>(SystemPlatform().OpenForReading("/dev/null", &child));
  });
  EXPECT_EQ(code, static_cast<int>(win_error::kTooManyOpenFiles));
}

TEST(PlatformPosix, PermissionsRefuseWithAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root is not refused by permissions";
  TempDir dir;
  dir.Write("secret.dxf", "x");
  chmod(dir.Path("secret.dxf").c_str(), 0200);
  mkdir(dir.Path("locked").c_str(), 0500);
  FileHandle handle;
  EXPECT_EQ(System().OpenForReading(dir.Path("secret.dxf").c_str(), &handle),
            win_error::kAccessDenied);
  EXPECT_EQ(System().CreateForWriting(dir.Path("locked/list.csv").c_str(), &handle),
            win_error::kAccessDenied);
}

// A replaced file's permissions pass to its successor: a private output
// never becomes readable by others.
TEST(PlatformPosix, ReplacementKeepsThePermissions) {
  TempDir dir;
  dir.Write("private.csv", "old");
  dir.Write("private.csv.tmp", "new");
  chmod(dir.Path("private.csv").c_str(), 0600);
  chmod(dir.Path("private.csv.tmp").c_str(), 0644);
  ASSERT_EQ(System().Replace(dir.Path("private.csv.tmp").c_str(), dir.Path("private.csv").c_str()),
            0u);
  struct stat status;
  ASSERT_EQ(stat(dir.Path("private.csv").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(dir.Read("private.csv"), "new");
}

TEST(PlatformPosix, ShareRuleFollowsTheFileNotItsName) {
  TempDir dir;
  dir.Write("plan.dxf", "drawing");
  ASSERT_EQ(link(dir.Path("plan.dxf").c_str(), dir.Path("hard.dxf").c_str()), 0);
  ASSERT_EQ(symlink(dir.Path("plan.dxf").c_str(), dir.Path("soft.dxf").c_str()), 0);
  FileHandle reader;
  FileHandle writer;
  ASSERT_EQ(System().OpenForReading(dir.Path("plan.dxf").c_str(), &reader), 0u);
  EXPECT_EQ(System().CreateForWriting(dir.Path("hard.dxf").c_str(), &writer),
            win_error::kSharingViolation);
  EXPECT_EQ(System().CreateForWriting(dir.Path("soft.dxf").c_str(), &writer),
            win_error::kSharingViolation);
  EXPECT_FALSE(System().Delete(dir.Path("hard.dxf").c_str()));
  EXPECT_EQ(System().Close(reader), 0u);
  EXPECT_EQ(dir.Read("plan.dxf"), "drawing");
}

// Another process that holds the file with this platform, as a second
// instance of the program would, until it is told to let go.
class HoldingProcess {
 public:
  HoldingProcess(const std::string& name, bool writes) {
    int ready[2];
    int release[2];
    if (pipe(ready) != 0 || pipe(release) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      close(ready[0]);
      close(release[1]);
      FileHandle held;
      uint32_t result = writes ? SystemPlatform().CreateForWriting(name.c_str(), &held)
                               : SystemPlatform().OpenForReading(name.c_str(), &held);
      char byte = result == 0 ? 'y' : 'n';
      if (write(ready[1], &byte, 1) == 1) (void)!read(release[0], &byte, 1);
      _exit(0);
    }
    close(ready[1]);
    close(release[0]);
    release_ = release[1];
    char byte = 0;
    holds_ = read(ready[0], &byte, 1) == 1 && byte == 'y';
    close(ready[0]);
  }
  ~HoldingProcess() {
    if (release_ >= 0) close(release_);  // the child's read returns and it ends
    if (child_ > 0) waitpid(child_, nullptr, 0);
  }
  bool Holds() const { return holds_; }

 private:
  pid_t child_ = -1;
  int release_ = -1;
  bool holds_ = false;
};

TEST(PlatformPosix, ShareRuleHoldsAgainstAnotherLockingProcess) {
  TempDir dir;
  dir.Write("plan.dxf", "drawing");
  const std::string name = dir.Path("plan.dxf");
  for (bool otherWrites : {false, true}) {
    HoldingProcess other(name, otherWrites);
    ASSERT_TRUE(other.Holds());
    FileHandle handle;
    uint32_t readResult = System().OpenForReading(name.c_str(), &handle);
    if (readResult == 0) System().Close(handle);
    EXPECT_EQ(readResult, otherWrites ? win_error::kSharingViolation : 0u) << otherWrites;
    uint32_t writeResult = System().CreateForWriting(name.c_str(), &handle);
    if (writeResult == 0) System().Close(handle);
    EXPECT_EQ(writeResult, win_error::kSharingViolation) << otherWrites;
    EXPECT_FALSE(System().Delete(name.c_str())) << "the other process still has it";
    if (!otherWrites) {
      EXPECT_EQ(dir.Read("plan.dxf"), "drawing");
    }
  }
  FileHandle handle;
  ASSERT_EQ(System().CreateForWriting(name.c_str(), &handle), 0u)
      << "the locks went with the process";
  EXPECT_EQ(System().Close(handle), 0u);
}

TEST(PlatformPosix, PipeIsAPipeAndALostReaderGivesACodeNotASignal) {
  int ends[2];
  ASSERT_EQ(pipe(ends), 0);
  FileHandle reader;
  FileHandle writer;
  ASSERT_EQ(System().OpenForReading(("/proc/self/fd/" + std::to_string(ends[0])).c_str(), &reader),
            0u);
  ASSERT_EQ(
      System().CreateForWriting(("/proc/self/fd/" + std::to_string(ends[1])).c_str(), &writer), 0u);
  EXPECT_EQ(System().KindOf(reader), FileKind::Pipe);
  EXPECT_EQ(System().KindOf(writer), FileKind::Pipe);
  EXPECT_EQ(System().Write(writer, "abc", 3), 0u);
  char bytes[8];
  uint32_t got = 0;
  EXPECT_EQ(System().Read(reader, bytes, sizeof bytes, &got), 0u);
  EXPECT_EQ(std::string(bytes, got), "abc");

  EXPECT_EQ(System().Close(reader), 0u);
  close(ends[0]);
  EXPECT_EQ(System().Write(writer, "x", 1), win_error::kNoData);
  sigset_t pending;
  sigpending(&pending);
  EXPECT_FALSE(sigismember(&pending, SIGPIPE));
  sigset_t mask;
  pthread_sigmask(SIG_SETMASK, nullptr, &mask);
  EXPECT_FALSE(sigismember(&mask, SIGPIPE)) << "the mask is put back";
  EXPECT_EQ(System().Close(writer), 0u);
  close(ends[1]);
}

TEST(PlatformPosix, RefusesHandlesItDidNotOpen) {
  char byte;
  uint32_t got;
  for (FileHandle handle : {FileHandle{0}, kNoFile, FileHandle{1} << 40}) {
    EXPECT_EQ(System().Read(handle, &byte, 1, &got), win_error::kInvalidHandle);
    EXPECT_EQ(System().Write(handle, "x", 1), win_error::kInvalidHandle);
    EXPECT_EQ(System().KindOf(handle), FileKind::Unknown);
    EXPECT_EQ(System().Close(handle), win_error::kInvalidHandle);
  }
  FileHandle handle;
  ASSERT_EQ(System().OpenForReading("/dev/null", &handle), 0u);
  EXPECT_EQ(System().Close(handle), 0u);
  EXPECT_EQ(System().Close(handle), win_error::kInvalidHandle);
}

TEST(PlatformPosix, PatternSearchTakesTheSmallestNameWhateverTheCreationOrder) {
  TempDir dir;
  dir.Write("b.dxf", "x");
  mkdir(dir.Path("a.dxf").c_str(), 0700);
  dir.Write("c.dxf", "x");
  FoundEntry entry;
  ASSERT_TRUE(System().FindFirst(dir.Path("?.dxf").c_str(), &entry));
  EXPECT_TRUE(entry.isDirectory);
  EXPECT_FALSE(System().FindFirst(dir.Path("[bc]*").c_str(), &entry))
      << "brackets are no wildcards";
}

TEST(PlatformPosix, AnswersAsAJapaneseSystem) {
  EXPECT_TRUE(System().DoubleByteEnabled());
  CodePageInfo info;
  ASSERT_TRUE(System().AnsiCodePageInfo(&info));
  const uint8_t expected[12] = {0x81, 0x9F, 0xE0, 0xFC};
  EXPECT_EQ(std::memcmp(info.leadByteRanges, expected, sizeof expected), 0);
  System().ResetThreadLocale();
  EXPECT_EQ(System().LocaleDecimalSeparator(), '.');
}

struct UpperCaseCase {
  std::string text;
  std::string upper;
};

TEST(PlatformPosix, UpperCasesLettersAndLeavesDoubleByteCharactersWhole) {
  const UpperCaseCase cases[] = {
      {"text", "TEXT"},
      {"aZ09_{}`@", "AZ09_{}`@"},
      {"\x83\x61z", "\x83\x61Z"},  // ヂ: its trail byte is 'a'
      {"\x95\x5C\x65nd",
       "\x95\x5C"
       "END"},                                   // 表 then "end"
      {"\xE0\x7A\xFC\x78", "\xE0\x7A\xFC\x78"},  // lead bytes at both ends of the upper range
      {"\x80\x61\xA0\x61\xFD\x61",
       "\x80"
       "A\xA0"
       "A\xFD"
       "A"},                 // not lead bytes
      {"\xB1z", "\xB1Z"},    // half-width katakana is a single byte
      {"ab\x82", "AB\x82"},  // a lone lead byte at the end
      {std::string("a\0b", 3), std::string("A\0B", 3)},
  };
  for (const UpperCaseCase& c : cases) {
    std::string text = c.text;
    System().UpperCase(text.data(), static_cast<uint32_t>(text.size()));
    EXPECT_EQ(text, c.upper) << c.text;
  }
  std::string partial = "abc";
  System().UpperCase(partial.data(), 2);
  EXPECT_EQ(partial, "ABc");
}

}  // namespace
}  // namespace toridasu
