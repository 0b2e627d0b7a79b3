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
#include "platform/platform.h"

namespace toridasu::cli {

// The drawing, open; raises EInOutError when it cannot be opened.
std::unique_ptr<ByteSource> OpenDrawing(const Conversion& conversion, Platform& platform,
                                        const std::atomic<bool>& stop);
// The output, made when the conversion begins writing.
std::unique_ptr<ByteSink> OutputOf(const Conversion& conversion, Platform& platform,
                                   const std::atomic<bool>& stop);

}  // namespace toridasu::cli
