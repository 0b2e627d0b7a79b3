// Jw_cad drawings (.jww) converted: every text that Jw_cad shows (at the top
// of the drawing, in block references, and the values of dimensions) at its
// real-size point, in full mode as the model's records, in the default mode
// as the default mode's records (the point, and the text in Shift-JIS: a
// Shift-JIS string's own bytes, a UTF-16 one encoded). See drawing_feeder.h
// for the reading.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/conversion_failure.h"
#include "engine/record_sink.h"
#include "full/full_conversion.h"
#include "io/byte_source.h"
#include "model/block_expansion.h"
#include "model/record_sink.h"
#include "model/warnings.h"

namespace toridasu::jww {

// As full::ConvertFull, for a Jw_cad drawing: `input` (open) is closed here;
// true when the drawing was converted and the sink committed; false after a
// failure (its `line` the offset of the byte), with the sink abandoned.
bool ConvertJwwFull(ByteSource& input, model::RecordSink& sink, const full::FullOptions& options,
                    full::FullStats* stats = nullptr);

struct ExactChoice {
  bool replace = false;  // a character that Shift-JIS lacks becomes "?" instead of failing
  std::atomic<uint64_t>* bytesRead = nullptr;          // advanced as the drawing is read
  const std::atomic<bool>* stop = nullptr;             // ends a long expansion of blocks
  uint64_t budget = model::ExpansionLimits{}.maxWork;  // the drawing's, as full mode's
};

struct ExactStats {
  uint64_t records = 0;
  std::optional<ConversionFailure> failure;
  std::vector<model::Warning> warnings;
};

// The default mode's conversion of a Jw_cad drawing into `sink`, as
// ConvertDxf converts a DXF one: true when converted and committed, false
// after a failure, with the sink abandoned.
bool ConvertJwwExact(ByteSource& input, ExactRecordSink& sink, const ExactChoice& choice,
                     ExactStats* stats = nullptr);

}  // namespace toridasu::jww
