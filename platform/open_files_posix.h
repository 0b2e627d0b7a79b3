// The process's register of the files the platform holds open, which gives
// Linux the share rule of the Windows opens: every open shares reading and
// nothing else. So readers coexist with readers; a writer excludes every
// other open of the same file, and a reader is excluded by a writer.
//
// Within the process the rule holds for any regular file, whatever name
// reaches it (hard links, symbolic links): files are told apart by device
// and inode. Across processes it holds only against processes that lock
// the file too: each open takes an open-file-description lock (shared for
// a reader, exclusive for a writer) where the file system supports them.
// Another instance of this program is therefore seen; an editor or a shell
// that opens the file without locking is not.
#pragma once

#include <sys/stat.h>

#include <cstdint>

#include "platform/platform.h"

namespace toridasu::posix {

enum class Access { Read, Write };

struct OpenFile {
  Access access = Access::Read;
  FileKind kind = FileKind::Unknown;
  bool shared = false;  // a regular file under the share rule
  dev_t device = 0;
  ino_t inode = 0;
};

// Enters the descriptor under the share rule: 0, or kSharingViolation when
// another open of the file excludes this one.
uint32_t RegisterOpenFile(int fd, const struct stat& status, Access access);
// Takes the descriptor out of the register; false when it is not in it.
bool UnregisterOpenFile(int fd);
// The entry of a registered descriptor, or false.
bool FindOpenFile(int fd, OpenFile* file);
// Whether the file is open here, or locked by another process.
bool IsFileInUse(const struct stat& status, int fd);

FileKind KindOfMode(mode_t mode);

}  // namespace toridasu::posix
