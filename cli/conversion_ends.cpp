#include "cli/conversion_ends.h"

#include "cli/file_system.h"
#include "cli/paths.h"
#include "cli/temporary_outputs.h"
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

ConversionOutput::ConversionOutput(const Conversion& conversion, Platform& platform,
                                   const std::atomic<bool>& stop) {
  if (conversion.streams.output) {
    sink_ = std::make_unique<StandardOutputSink>();
  } else {
    // A link stays a link: the file it leads to is the one replaced, in its own folder.
    auto file = std::make_unique<ReplacingFileSink>(
        platform, conversion.output, FileBehindLinks(conversion.output), NativeNameEncoding(),
        [processId = platform.ProcessId()](const std::string& target, unsigned attempt) {
          return TemporaryName(target, processId, attempt);
        });
    file_ = file.get();
    sink_ = std::move(file);
  }
  sink_->SetCancellation(&stop);
}

}  // namespace toridasu::cli
