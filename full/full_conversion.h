// The converter's full mode: one drawing in, one CSV file of every text it
// shows out, yes or no, with warnings for what was cut.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/conversion_context.h"
#include "engine/conversion_job.h"
#include "full/dxf_feeder.h"
#include "full/record_output.h"
#include "model/warnings.h"
#include "platform/platform.h"

namespace toridasu::full {

struct FullOptions {
  OutputChoice output;
  TextChoice texts;
  std::atomic<uint64_t>* bytesRead = nullptr;  // advanced as the drawing is read
};

struct FullStats {
  uint64_t records = 0;
  std::optional<FullFailure> failure;      // the drawing's own trouble
  std::optional<ConversionFailure> error;  // a failure of the files (kind, code, line)
  std::vector<model::Warning> warnings;
};

// Converts `sourceName` into `destinationName` through the platform of
// `context`, with its decimal separator. True when the whole drawing was
// converted and both files closed; false after a failure, with the partial
// output removed. A source that cannot be opened raises its EInOutError, as
// the default mode does.
bool ConvertFull(std::string_view sourceName, std::string_view destinationName,
                 const ConversionContext& context, const FullOptions& options,
                 FullStats* stats = nullptr);

// How many texts the references of a drawing's spaces show from blocks; for
// the default mode's hint. Never fails: unreadable drawings give 0.
uint64_t TextsShownByReferences(std::string_view sourceName,
                                Platform& platform = CurrentPlatform());

}  // namespace toridasu::full
