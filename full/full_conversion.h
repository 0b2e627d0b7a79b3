// The converter's full mode: one drawing in, a record of every text it shows
// out, yes or no, with warnings for what was cut.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_context.h"
#include "engine/conversion_failure.h"
#include "full/csv_record_sink.h"
#include "full/dxf_feeder.h"
#include "io/byte_source.h"
#include "model/record_sink.h"
#include "model/warnings.h"
#include "platform/platform.h"

namespace toridasu::full {

struct FullOptions {
  OutputChoice output;  // the columns, and the CSV file's encoding
  TextChoice texts;
  std::atomic<uint64_t>* bytesRead = nullptr;  // advanced as the drawing is read
  uint64_t lineLimit = 0;                      // the longest line kept, in bytes (0: no bound)
};

struct FullStats {
  uint64_t records = 0;
  uint64_t hidden = 0;              // texts left out because the drawing hides them
  std::vector<std::string> layers;  // the drawing's layer table, in its order (UTF-8)
  std::optional<ConversionFailure> failure;
  std::vector<model::Warning> warnings;
};

// Converts the drawing that `input` holds (open; closed here) into records
// for `sink`, begun with the columns of `options`, with the decimal separator
// of `context` for dimension values. True when the whole drawing was
// converted, the sink committed and the input closed; false after a failure,
// with the sink abandoned (its partial output taken away).
bool ConvertFull(ByteSource& input, model::RecordSink& sink, const ConversionContext& context,
                 const FullOptions& options, FullStats* stats = nullptr);

// The same from the file `sourceName` into the CSV file `destinationName`
// through the platform of `context`. A source that cannot be opened raises
// its EInOutError, as the default mode does.
bool ConvertFull(std::string_view sourceName, std::string_view destinationName,
                 const ConversionContext& context, const FullOptions& options,
                 FullStats* stats = nullptr);

// How many records full mode writes for the drawing that `input` holds
// (open; closed here), with every type, block and dimension kept, the texts
// that the drawing hides left out and undecodable bytes replaced; for the
// default mode's hint. Never fails: a drawing that cannot be read to its end
// gives no count. `stop` ends the count (no count); `budget` bounds the work,
// and a count cut there is what was counted up to it.
std::optional<uint64_t> CountTexts(ByteSource& input, const std::atomic<bool>* stop,
                                   uint64_t budget);

}  // namespace toridasu::full
