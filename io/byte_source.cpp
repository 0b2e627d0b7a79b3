#include "io/byte_source.h"

#include <algorithm>
#include <cstring>

namespace toridasu {

uint32_t MemorySource::ReadSome(void* buffer, uint32_t size, uint32_t* got) {
  const std::size_t count = std::min<std::size_t>(size, bytes_.size());
  std::memcpy(buffer, bytes_.data(), count);
  bytes_.remove_prefix(count);
  *got = static_cast<uint32_t>(count);
  return 0;
}

}  // namespace toridasu
