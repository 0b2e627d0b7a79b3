// The conversion job: one DXF drawing in, one CSV file out, yes or no.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "engine/conversion_context.h"
#include "platform/platform.h"

namespace toridasu {

class CsvDestination;
class DxfSource;
class Exception;

// Why a conversion failed, for callers that tell the user more than no.
struct ConversionFailure {
  std::string kind;     // the error kind's name ("EInOutError", "ERangeError", ...)
  std::string message;  // Shift-JIS, from the string table
  int32_t ioCode = 0;   // EInOutError only
  uint64_t line = 0;    // the drawing's line being read when it failed (0: none)
};

// The failure that a caught error, or exhausted memory, makes at `line`.
ConversionFailure DescribeFailure(const Exception& error, uint64_t line);
ConversionFailure OutOfMemoryFailure(uint64_t line);

// After a failed conversion: the destination abandoned, the source closed (a
// failure of that close is dropped: the first cause is the one kept), and the
// output removed when this conversion made or emptied it.
void AbandonConversion(DxfSource& source, CsvDestination& destination,
                       const std::string& destinationName, Platform& platform);

struct ConversionStats {
  uint64_t records = 0;  // record lines written (the header not counted)
  std::optional<ConversionFailure> failure;
};

// A rewriting of every line before it is written (the header and each
// record), for callers that deliver the text in another form. It may raise an
// error (an Exception) to refuse a line, which fails the conversion.
using LineFilter = std::function<void(std::string_view line, std::string& out)>;

struct ConversionOptions {
  LineFilter lineFilter;                       // empty: the lines as the writer made them
  std::atomic<uint64_t>* bytesRead = nullptr;  // advanced as the drawing is read
  // Pass over the pairs that no exact test needs by bitmaps of whole blocks;
  // false reads every pair one by one (the same output, for comparisons).
  bool skim = true;
};

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
bool FileIsPresent(std::string_view path, Platform& platform = CurrentPlatform());
// True when the platform deleted the file.
bool RemoveFile(std::string_view path, Platform& platform = CurrentPlatform());

}  // namespace toridasu
