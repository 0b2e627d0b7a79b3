#include "io/standard_streams.h"

#include <cstdio>

#include "platform/platform.h"

namespace toridasu {

uint32_t StandardInputSource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  *got = static_cast<uint32_t>(std::fread(buffer, 1, size, stdin));
  return *got == 0 && std::ferror(stdin) ? win_error::kGenFailure : 0;
}

uint32_t StandardOutputSink::WriteSome(const void* data, uint32_t size) {
  return std::fwrite(data, 1, size, stdout) == size ? 0 : win_error::kNoData;
}

uint32_t StandardOutputSink::CloseSink() {
  return std::fflush(stdout) == 0 ? 0 : win_error::kNoData;
}

}  // namespace toridasu
