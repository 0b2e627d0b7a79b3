#include "xlsx/scratch_files.h"

#include <xlsxwriter.h>

#include <cerrno>

#include "platform/platform.h"

namespace toridasu::xlsx {

uint32_t CodeOfLastFailure() {
  switch (errno) {
    case ENOSPC: return win_error::kDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return win_error::kAccessDenied;
    case ENOENT: return win_error::kPathNotFound;
    case EMFILE:
    case ENFILE: return win_error::kTooManyOpenFiles;
    case ENOMEM: return win_error::kNotEnoughMemory;
    case EFBIG: return win_error::kFileTooLarge;
    default: return win_error::kIoDevice;
  }
}

std::FILE* OpenScratchFile(const std::string& folder) {
  std::string name = folder;
  return lxw_tmpfile(name.data());
}

}  // namespace toridasu::xlsx
