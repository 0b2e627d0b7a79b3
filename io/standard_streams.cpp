#include "io/standard_streams.h"

#include <cerrno>
#include <cstdio>

#include "platform/platform.h"

namespace toridasu {

uint32_t StandardInputSource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  *got = static_cast<uint32_t>(std::fread(buffer, 1, size, stdin));
  return *got == 0 && std::ferror(stdin) ? win_error::kGenFailure : 0;
}

namespace {

// Why standard output took no more: a full disk or a reader that has gone
// are what users meet, each with its own remedy.
uint32_t OutputFault() {
  switch (errno) {
    case ENOSPC: return win_error::kDiskFull;
    case EFBIG: return win_error::kFileTooLarge;
    case EIO: return win_error::kIoDevice;
    default: return win_error::kNoData;
  }
}

}  // namespace

uint32_t StandardOutputSink::WriteSome(const void* data, uint32_t size) {
  errno = 0;
  return std::fwrite(data, 1, size, stdout) == size ? 0 : OutputFault();
}

uint32_t StandardOutputSink::CloseSink() {
  errno = 0;
  return std::fflush(stdout) == 0 ? 0 : OutputFault();
}

}  // namespace toridasu
