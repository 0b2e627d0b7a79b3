// The process's standard input as a drawing and its standard output as the
// output, for a converter used as a filter. They are never files of ours: a
// failed conversion leaves them as they are.
#pragma once

#include "io/byte_sink.h"
#include "io/byte_source.h"

namespace toridasu {

class StandardInputSource final : public ByteSource {
 protected:
  uint32_t ReadSome(void* buffer, uint32_t size, uint32_t* got) override;
};

class StandardOutputSink final : public ByteSink {
 protected:
  uint32_t WriteSome(const void* data, uint32_t size) override;
  // Everything held by the C library reaches the stream.
  uint32_t CloseSink() override;
};

}  // namespace toridasu
