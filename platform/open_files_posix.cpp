#include "platform/open_files_posix.h"

#include <fcntl.h>

#include <cerrno>
#include <map>
#include <mutex>
#include <utility>

namespace toridasu::posix {
namespace {

struct Holders {
  int readers = 0;
  int writers = 0;
};

using FileId = std::pair<dev_t, ino_t>;

std::mutex mutex;
std::map<int, OpenFile>& Descriptors() {
  static std::map<int, OpenFile> descriptors;
  return descriptors;
}
std::map<FileId, Holders>& Files() {
  static std::map<FileId, Holders> files;
  return files;
}

// A lock over the whole file, never waiting. False only when another open
// file description holds a conflicting lock; a file system without these
// locks lets the open go on, with the in-process rule alone.
bool TakeLock(int fd, Access access) {
#ifdef F_OFD_SETLK
  struct flock lock = {};
  lock.l_type = access == Access::Read ? F_RDLCK : F_WRLCK;
  lock.l_whence = SEEK_SET;
  while (fcntl(fd, F_OFD_SETLK, &lock) != 0) {
    if (errno == EINTR) continue;
    return errno != EAGAIN && errno != EACCES;
  }
#else
  (void)fd;
  (void)access;
#endif
  return true;
}

}  // namespace

FileKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode) || S_ISBLK(mode)) return FileKind::Disk;
  if (S_ISCHR(mode)) return FileKind::Character;
  if (S_ISFIFO(mode) || S_ISSOCK(mode)) return FileKind::Pipe;
  return FileKind::Unknown;
}

uint32_t RegisterOpenFile(int fd, const struct stat& status, Access access) {
  OpenFile file;
  file.access = access;
  file.kind = KindOfMode(status.st_mode);
  // Devices and pipes have no share rule on Windows either.
  file.shared = S_ISREG(status.st_mode);
  file.device = status.st_dev;
  file.inode = status.st_ino;

  std::lock_guard<std::mutex> guard(mutex);
  if (file.shared) {
    auto found = Files().find({file.device, file.inode});
    if (found != Files().end()) {
      const Holders& holders = found->second;
      bool excluded =
          access == Access::Write ? holders.readers + holders.writers > 0 : holders.writers > 0;
      if (excluded) return win_error::kSharingViolation;
    }
    if (!TakeLock(fd, access)) return win_error::kSharingViolation;
    Holders& holders = Files()[{file.device, file.inode}];
    ++(access == Access::Write ? holders.writers : holders.readers);
  }
  Descriptors()[fd] = file;
  return 0;
}

bool UnregisterOpenFile(int fd) {
  std::lock_guard<std::mutex> guard(mutex);
  auto found = Descriptors().find(fd);
  if (found == Descriptors().end()) return false;
  const OpenFile& file = found->second;
  if (file.shared) {
    auto holders = Files().find({file.device, file.inode});
    if (holders != Files().end()) {
      --(file.access == Access::Write ? holders->second.writers : holders->second.readers);
      if (holders->second.readers + holders->second.writers == 0) Files().erase(holders);
    }
  }
  Descriptors().erase(found);
  return true;
}

bool FindOpenFile(int fd, OpenFile* file) {
  std::lock_guard<std::mutex> guard(mutex);
  auto found = Descriptors().find(fd);
  if (found == Descriptors().end()) return false;
  *file = found->second;
  return true;
}

bool IsFileInUse(const struct stat& status, int fd) {
  {
    std::lock_guard<std::mutex> guard(mutex);
    if (Files().count({status.st_dev, status.st_ino}) != 0) return true;
  }
#ifdef F_OFD_GETLK
  if (fd >= 0) {
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) return true;
  }
#else
  (void)fd;
#endif
  return false;
}

}  // namespace toridasu::posix
