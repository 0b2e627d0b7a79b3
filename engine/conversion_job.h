// The conversion job: one DXF drawing in, one CSV file out, yes or no.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/conversion_context.h"
#include "engine/conversion_failure.h"
#include "platform/platform.h"

namespace toridasu {

class ByteSource;
class ExactRecordSink;

struct ConversionStats {
  uint64_t records = 0;  // records written (the header not counted)
  // The drawing ended without a type containing "EOF", as a cut one does,
  // after its line `cutAtLine` (0: an empty drawing).
  std::optional<uint64_t> cutAtLine;
  std::optional<ConversionFailure> failure;
};

struct ConversionOptions {
  std::atomic<uint64_t>* bytesRead = nullptr;  // advanced as the drawing is read
  // Pass over the pairs that no exact test needs by bitmaps of whole blocks;
  // false reads every pair one by one (the same output, for comparisons).
  bool skim = true;
  uint64_t lineLimit = 0;  // the longest line kept, in bytes (0: no bound)
};

// Converts the drawing that `input` holds (open; closed here) into records
// for `sink`, with the lead bytes and decimal separator of `context`. True
// when the whole drawing was converted, the sink committed and the input
// closed cleanly; false after a failure, with the sink abandoned (its
// partial output taken away) and the failure in `stats`.
bool ConvertDxf(ByteSource& input, ExactRecordSink& sink, const ConversionContext& context,
                ConversionStats* stats = nullptr, const ConversionOptions& options = {});

// Converts the drawing `sourceName` into `destinationBase` + ".csv", with the
// platform, lead bytes and decimal separator of `context`.
// True when the whole drawing was converted and both files closed cleanly.
// False after a failure, with the partial output removed (only output that
// this call created is ever removed). A source that cannot be opened is not a
// false answer: its EInOutError, with the platform's own code, leaves the call.
bool ConvertDxfToCsv(std::string_view sourceName, std::string_view destinationBase,
                     const ConversionContext& context, ConversionStats* stats = nullptr);

// The same job with the destination named in full (no ".csv" appended).
bool ConvertDxfToCsvFile(std::string_view sourceName, std::string_view destinationName,
                         const ConversionContext& context, ConversionStats* stats = nullptr,
                         const ConversionOptions& options = {});

// True when a file, not a folder, of exactly this name exists. Wildcards
// match nothing; the "?" of the "\\?\" prefix is no wildcard.
bool FileIsPresent(std::string_view path, Platform& platform);
// True when the platform deleted the file.
bool RemoveFile(std::string_view path, Platform& platform);

}  // namespace toridasu
