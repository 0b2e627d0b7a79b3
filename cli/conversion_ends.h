// Where one conversion of the converter reads and writes: the drawing's file
// or standard input, and the output file or standard output. Both stop
// reading and writing once the run is interrupted, so that the conversion
// under way fails at once and takes its output away.
#pragma once

#include <atomic>
#include <memory>

#include "cli/batch_plan.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "io/replacing_file_sink.h"
#include "platform/platform.h"

namespace toridasu::cli {

// The drawing, open; raises EInOutError when it cannot be opened.
std::unique_ptr<ByteSource> OpenDrawing(const Conversion& conversion, Platform& platform,
                                        const std::atomic<bool>& stop);

// The output, made when the conversion begins writing: standard output, or
// a file written under a temporary name that replaces the file of its name
// (where its links end) only once the conversion has succeeded.
class ConversionOutput {
 public:
  ConversionOutput(const Conversion& conversion, Platform& platform, const std::atomic<bool>& stop);
  ByteSink& Sink() { return *sink_; }
  // After a conversion that succeeded: the output takes its place. 0, or the
  // code of the failure, which leaves the previous file as it was.
  uint32_t Keep() { return file_ != nullptr ? file_->Replace() : 0; }

 private:
  std::unique_ptr<ByteSink> sink_;
  ReplacingFileSink* file_ = nullptr;
};

}  // namespace toridasu::cli
