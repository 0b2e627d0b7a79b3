#include "cli/conversion_ends.h"

#include "cli/paths.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "io/standard_streams.h"

namespace toridasu::cli {

std::unique_ptr<ByteSource> OpenDrawing(const Conversion& conversion, Platform& platform,
                                        const std::atomic<bool>& stop) {
  if (conversion.streams.input) {
    auto input = std::make_unique<StandardInputSource>();
    input->SetCancellation(&stop);
    return input;
  }
  auto file = std::make_unique<FileSource>(platform, NativeNameEncoding());
  file->SetCancellation(&stop);
  file->OpenOrRaise(conversion.input);
  return file;
}

std::unique_ptr<ByteSink> OutputOf(const Conversion& conversion, Platform& platform,
                                   const std::atomic<bool>& stop) {
  std::unique_ptr<ByteSink> output;
  if (conversion.streams.output) {
    output = std::make_unique<StandardOutputSink>();
  } else {
    output = std::make_unique<FileSink>(platform, conversion.output, NativeNameEncoding());
  }
  output->SetCancellation(&stop);
  return output;
}

}  // namespace toridasu::cli
