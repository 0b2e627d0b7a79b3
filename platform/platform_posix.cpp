// The platform on Linux: our own file, code-page and locale services giving
// the results the Windows calls give, Windows error codes included. Names
// are bytes handed to the system as they are. Opens block as open() does:
// a named pipe waits for its other end, as a Linux user expects.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>

#include "platform/open_files_posix.h"
#include "platform/platform.h"
#include "platform/wildcard.h"

namespace toridasu {
namespace {

using posix::Access;
using posix::OpenFile;

uint32_t FromErrno(int error) {
  switch (error) {
    case ENOENT: return win_error::kFileNotFound;
    case ENOTDIR: return win_error::kPathNotFound;
    case ENAMETOOLONG: return win_error::kFilenameExcedRange;
    case EACCES:
    case EPERM:
    case EISDIR: return win_error::kAccessDenied;
    case EROFS: return win_error::kWriteProtect;
    case EBUSY:
    case ETXTBSY: return win_error::kSharingViolation;
    case EMFILE:
    case ENFILE: return win_error::kTooManyOpenFiles;
    case ENOMEM: return win_error::kNotEnoughMemory;
    case EBADF: return win_error::kInvalidHandle;
    case EEXIST: return win_error::kFileExists;
    case ENOSPC:
    case EDQUOT: return win_error::kDiskFull;
    case EFBIG: return win_error::kFileTooLarge;
    case EPIPE: return win_error::kNoData;
    case EINTR: return win_error::kOperationAborted;  // the run was interrupted
    case EIO: return win_error::kIoDevice;
    case ELOOP: return win_error::kCantResolveFilename;
    case EINVAL: return win_error::kInvalidParameter;
    case ENXIO:
    case ENODEV: return win_error::kNotReady;
    default: return win_error::kGenFailure;
  }
}

// Windows tells a missing file (2) from a missing folder on its path (3).
bool ParentIsDirectory(std::string_view name) {
  while (name.size() > 1 && name.back() == '/') name.remove_suffix(1);
  std::size_t slash = name.rfind('/');
  if (slash == std::string_view::npos || slash == 0) return true;
  struct stat status;
  return stat(std::string(name.substr(0, slash)).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

uint32_t OpenError(const char* name, int error, bool creating) {
  if (error != ENOENT) return FromErrno(error);
  // Creation only meets a missing file when a folder is missing.
  return !creating && ParentIsDirectory(name) ? win_error::kFileNotFound : win_error::kPathNotFound;
}

// Retried when a signal cuts the open short, unless it was the run's
// interruption (then errno stays EINTR).
int OpenRetrying(const char* name, int flags) {
  int fd;
  do fd = open(name, flags | O_CLOEXEC | O_NOCTTY, 0666);
  while (fd < 0 && errno == EINTR && !InterruptionRequested());
  return fd;
}

uint32_t CloseAfterFailure(int fd, uint32_t result) {
  close(fd);
  return result;
}

// Our descriptors block; should a device answer EAGAIN all the same, wait
// for it rather than fail.
void WaitUntilReady(int fd, short events) {
  struct pollfd ready = {fd, events, 0};
  poll(&ready, 1, -1);
}

// A write to a pipe without a reader must fail with a code, not end the
// process: SIGPIPE is held back for the write and a signal it raised dropped.
class QuietPipe {
 public:
  explicit QuietPipe(bool active) {
    if (!active) return;
    sigemptyset(&pipeSignal_);
    sigaddset(&pipeSignal_, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE)) return;  // not ours to drop
    active_ = pthread_sigmask(SIG_BLOCK, &pipeSignal_, &previous_) == 0;
  }
  ~QuietPipe() {
    if (active_) pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  void DropRaisedSignal() {
    if (!active_) return;
    struct timespec now = {0, 0};
    while (sigtimedwait(&pipeSignal_, nullptr, &now) < 0 && errno == EINTR) {
    }
  }

 private:
  bool active_ = false;
  sigset_t pipeSignal_;
  sigset_t previous_;
};

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

class PosixPlatform final : public Platform {
 public:
  uint32_t OpenForReading(const char* name, FileHandle* handle) override {
    *handle = kNoFile;
    if (name[0] == '\0') return win_error::kPathNotFound;
    int fd = OpenRetrying(name, O_RDONLY);
    if (fd < 0) return OpenError(name, errno, false);
    struct stat status;
    if (fstat(fd, &status) != 0) return CloseAfterFailure(fd, FromErrno(errno));
    // open() lets a folder be read; Windows refuses it.
    if (S_ISDIR(status.st_mode)) return CloseAfterFailure(fd, win_error::kAccessDenied);
    if (uint32_t result = posix::RegisterOpenFile(fd, status, Access::Read)) {
      return CloseAfterFailure(fd, result);
    }
    *handle = fd;
    return 0;
  }

  uint32_t CreateForWriting(const char* name, FileHandle* handle) override {
    return OpenForWriting(name, Disposition::kCreateAlways, handle);
  }

  uint32_t OpenExistingForWriting(const char* name, FileHandle* handle) override {
    return OpenForWriting(name, Disposition::kOpenExisting, handle);
  }

  uint32_t CreateNewForWriting(const char* name, FileHandle* handle) override {
    return OpenForWriting(name, Disposition::kCreateNew, handle);
  }

  uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) override {
    *got = 0;
    OpenFile file;
    if (!Find(handle, &file)) return win_error::kInvalidHandle;
    if (file.access != Access::Read) return win_error::kAccessDenied;
    for (;;) {
      ssize_t count = read(static_cast<int>(handle), buffer, size);
      if (count >= 0) {
        *got = static_cast<uint32_t>(count);
        return 0;
      }
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        WaitUntilReady(static_cast<int>(handle), POLLIN);
      } else if (errno != EINTR) {
        return FromErrno(errno);
      } else if (InterruptionRequested()) {
        return win_error::kOperationAborted;
      }
    }
  }

  uint32_t Write(FileHandle handle, const void* data, uint32_t size) override {
    OpenFile file;
    if (!Find(handle, &file)) return win_error::kInvalidHandle;
    if (file.access != Access::Write) return win_error::kAccessDenied;
    QuietPipe quiet(file.kind == FileKind::Pipe);
    const char* bytes = static_cast<const char*>(data);
    while (size != 0) {
      ssize_t count = write(static_cast<int>(handle), bytes, size);
      if (count > 0) {
        bytes += count;
        size -= static_cast<uint32_t>(count);
      } else if (count == 0) {
        return win_error::kDiskFull;  // nothing taken and no reason given
      } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
        WaitUntilReady(static_cast<int>(handle), POLLOUT);
      } else if (errno != EINTR) {
        int error = errno;
        if (error == EPIPE) quiet.DropRaisedSignal();
        return FromErrno(error);
      }
    }
    return 0;
  }

  FileKind KindOf(FileHandle handle) override {
    OpenFile file;
    return Find(handle, &file) ? file.kind : FileKind::Unknown;
  }

  uint32_t Close(FileHandle handle) override {
    if (!IsDescriptor(handle) || !posix::UnregisterOpenFile(static_cast<int>(handle))) {
      return win_error::kInvalidHandle;
    }
    // After EINTR the descriptor is gone all the same on Linux.
    if (close(static_cast<int>(handle)) != 0 && errno != EINTR) return FromErrno(errno);
    return 0;
  }

  bool FindFirst(const char* pattern, FoundEntry* entry) override {
    std::string_view text(pattern);
    // Windows refuses an empty pattern and one ending in a separator.
    if (text.empty() || text.back() == '/') return false;
    std::size_t slash = text.rfind('/');
    std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : text.substr(0, slash + 1);
    std::string_view namePattern = text.substr(folder.size());
    std::string path(text);
    if (HasWildcard(namePattern)) {
      std::string first;
      if (!FirstMatch(folder, namePattern, &first)) return false;
      path = std::string(folder) + first;
    }
    struct stat status;
    if (stat(path.c_str(), &status) != 0 && lstat(path.c_str(), &status) != 0) return false;
    entry->isDirectory = S_ISDIR(status.st_mode);
    return true;
  }

  // Refuses what Windows refuses: a folder, a read-only file and a file
  // that is open, here or (when it locks) in another process.
  bool Delete(const char* name) override {
    struct stat status;
    if (name[0] == '\0' || lstat(name, &status) != 0 || S_ISDIR(status.st_mode)) return false;
    if (S_ISREG(status.st_mode) && ((status.st_mode & 0222) == 0 || InUse(name, status))) {
      return false;
    }
    return unlink(name) == 0;
  }

  // Linux names are bytes, whatever they hold.
  uint32_t OpenForReadingUtf8(const char* name, FileHandle* handle) override {
    return OpenForReading(name, handle);
  }
  uint32_t CreateForWritingUtf8(const char* name, FileHandle* handle) override {
    return CreateForWriting(name, handle);
  }
  bool DeleteUtf8(const char* name) override { return Delete(name); }
  // Refuses what Windows refuses: a read-only or open `to`. The new file
  // takes the permissions and, where allowed, the owner of the one it
  // replaces, so that replacing never opens a private file to others.
  uint32_t Replace(const char* from, const char* to) override {
    if (from[0] == '\0' || to[0] == '\0') return win_error::kPathNotFound;
    struct stat status;
    if (lstat(to, &status) == 0 && S_ISREG(status.st_mode)) {
      if ((status.st_mode & 0222) == 0 || InUse(to, status)) return win_error::kAccessDenied;
      [[maybe_unused]] const int owned = chown(from, status.st_uid, status.st_gid);
      chmod(from, status.st_mode & 0777);
    }
    if (rename(from, to) != 0) return OpenError(to, errno, false);
    return 0;
  }

  uint32_t ProcessId() override { return static_cast<uint32_t>(getpid()); }

  bool ProcessIsRunning(uint32_t id) override {
    if (id == 0 || id > INT32_MAX) return false;
    return kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
  }

  bool DoubleByteEnabled() override { return true; }

  bool AnsiCodePageInfo(CodePageInfo* info) override {
    *info = CodePageInfo{{0x81, 0x9F, 0xE0, 0xFC}};
    return true;
  }

  // Letters a to z become A to Z; both bytes of a double-byte character
  // stay as they are, so a trail byte with the value of a lower-case
  // letter is never changed.
  void UpperCase(char* text, uint32_t length) override {
    for (uint32_t i = 0; i < length; ++i) {
      unsigned char byte = static_cast<unsigned char>(text[i]);
      if (IsLeadByte(byte)) {
        ++i;
      } else if (byte >= 'a' && byte <= 'z') {
        text[i] = static_cast<char>(byte - 'a' + 'A');
      }
    }
  }

  // A Linux process has no Windows locale to ask.
  char LocaleDecimalSeparator() override { return '.'; }

  void ResetThreadLocale() override {}

 private:
  enum class Disposition { kCreateAlways, kOpenExisting, kCreateNew };

  // Opens without truncating, so that a file the share rule or the
  // read-only rule refuses is left as it was; CREATE_ALWAYS empties it
  // afterwards.
  static uint32_t OpenForWriting(const char* name, Disposition disposition, FileHandle* handle) {
    *handle = kNoFile;
    if (name[0] == '\0') return win_error::kPathNotFound;
    bool existed = disposition != Disposition::kCreateNew;
    int fd = disposition == Disposition::kCreateNew
                 ? OpenRetrying(name, O_WRONLY | O_CREAT | O_EXCL)
                 : OpenRetrying(name, O_WRONLY);
    if (fd < 0 && errno == ENOENT && disposition == Disposition::kCreateAlways) {
      existed = false;
      fd = OpenRetrying(name, O_WRONLY | O_CREAT);
    }
    if (fd < 0) return OpenError(name, errno, disposition != Disposition::kOpenExisting);
    struct stat status;
    if (fstat(fd, &status) != 0) return CloseAfterFailure(fd, FromErrno(errno));
    bool regular = S_ISREG(status.st_mode);
    // A file without any write permission is read-only, as the Windows
    // attribute is, even to a user whom open() would let write it.
    if (regular && existed && (status.st_mode & 0222) == 0) {
      return CloseAfterFailure(fd, win_error::kAccessDenied);
    }
    if (uint32_t result = posix::RegisterOpenFile(fd, status, Access::Write)) {
      return CloseAfterFailure(fd, result);
    }
    if (disposition == Disposition::kCreateAlways && regular && status.st_size != 0 &&
        ftruncate(fd, 0) != 0) {
      uint32_t result = FromErrno(errno);
      posix::UnregisterOpenFile(fd);
      return CloseAfterFailure(fd, result);
    }
    *handle = fd;
    return 0;
  }

  static bool IsDescriptor(FileHandle handle) { return handle >= 0 && handle <= INT32_MAX; }

  // Whether the regular file `name` (whose lstat gave `status`) is open
  // here, or locked by another process.
  static bool InUse(const char* name, const struct stat& status) {
    int probe = OpenRetrying(name, O_RDONLY | O_NONBLOCK);
    struct stat probed;
    bool same = probe >= 0 && fstat(probe, &probed) == 0 && probed.st_dev == status.st_dev &&
                probed.st_ino == status.st_ino;
    bool inUse = posix::IsFileInUse(status, same ? probe : -1);
    if (probe >= 0) close(probe);
    return inUse;
  }

  static bool Find(FileHandle handle, OpenFile* file) {
    return IsDescriptor(handle) && posix::FindOpenFile(static_cast<int>(handle), file);
  }

  // Entries come in no fixed order on Linux; the smallest matching name in
  // byte order is taken, so the answer does not depend on the file system.
  // "." and ".." take part, as they do in a Windows folder.
  static bool FirstMatch(std::string_view folder, std::string_view pattern, std::string* first) {
    DIR* directory = opendir(folder.empty() ? "." : std::string(folder).c_str());
    if (directory == nullptr) return false;
    bool found = false;
    while (const struct dirent* item = readdir(directory)) {
      std::string_view name(item->d_name);
      if (MatchesWildcard(pattern, name) && (!found || name < *first)) {
        *first = name;
        found = true;
      }
    }
    closedir(directory);
    return found;
  }
};

}  // namespace

Platform& SystemPlatform() {
  static PosixPlatform platform;
  return platform;
}

}  // namespace toridasu
