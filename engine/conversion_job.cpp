#include "engine/conversion_job.h"

#include <new>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "engine/dxf_source.h"
#include "engine/exact_csv_sink.h"
#include "engine/group_code.h"
#include "engine/pair_reader.h"
#include "engine/text_entity.h"
#include "engine/type_markers.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "platform/wildcard.h"

namespace toridasu {
namespace {

constexpr std::string_view kCsvExtension = ".csv";

// Reads up to the first name containing "ENTITIES" (or a type containing
// "EOF", or the end). At least one pair is read, even from an empty file.
// True when it stopped at "EOF".
bool ScanForEntities(PairReader& reader, const ConversionContext& context) {
  for (;;) {
    const GroupPair& pair = reader.Take();
    if (pair.code == group_code::kName && ContainsMarker(pair.value, kEntitiesMarker, context))
      return false;
    if (pair.code == group_code::kType && ContainsMarker(pair.value, kEndOfFileMarker, context))
      return true;
    if (reader.AtEnd()) return false;
  }
}

// Walks the entities to a type containing "EOF" or the end, writing a record
// for every text entity with a text. The type line that ends a text entity
// is left waiting in the reader, so the next turn examines it. True when it
// stopped at "EOF".
bool WalkEntities(PairReader& reader, const ConversionContext& context, bool skim,
                  ExactRecordSink& sink, ConversionStats& stats, uint64_t& failureLine) {
  TextEntity entity;
  while (!reader.AtEnd()) {
    if (skim) reader.Skim();
    const GroupPair& pair = reader.Take();
    if (pair.code != group_code::kType) continue;
    const TypeMarkers markers = MarkersOfType(pair.value, context);
    if (markers.text) {
      ReadTextEntity(reader, entity);
      if (!entity.text.empty()) {
        // A text that cannot be quoted is reported at the line that held it.
        failureLine = entity.textLine;
        sink.Take({entity.x, entity.y, entity.z, entity.text});
        failureLine = 0;
        ++stats.records;
      }
    }
    if (markers.endOfFile) return true;
  }
  return false;
}

}  // namespace

bool ConvertDxf(ByteSource& input, ExactRecordSink& sink, const ConversionContext& context,
                ConversionStats* stats, const ConversionOptions& options) {
  ConversionStats localStats;
  ConversionStats& out = stats ? *stats : localStats;
  out = ConversionStats{};

  DxfSource source(*context.platform);
  source.SetProgressCounter(options.bytesRead);
  source.SetLineLimit(options.lineLimit);
  source.Open(input);
  uint64_t textLine = 0;
  const auto lineOfFailure = [&] { return textLine != 0 ? textLine : source.NextLineNumber(); };
  try {
    PairReader reader(source);
    // The walk reads no other values: long lines of other groups pass unkept.
    reader.KeepValuesOnlyOf({group_code::kType, group_code::kText, group_code::kName,
                             group_code::kX, group_code::kY, group_code::kZ});
    sink.Begin();
    const bool endBeforeEntities = ScanForEntities(reader, context);
    const bool end = WalkEntities(reader, context, options.skim, sink, out, textLine);
    if (!end && !endBeforeEntities) out.cutAtLine = source.LastLineNumber();
    sink.Commit();
    source.Close();
  } catch (const Exception& error) {
    out.failure = FailureOf(error, lineOfFailure(), &input, sink.Output());
  } catch (ConversionFailure& failure) {
    if (failure.line == 0) failure.line = lineOfFailure();
    out.failure = std::move(failure);
  } catch (const std::bad_alloc&) {
    out.failure = OutOfMemoryFailure(source.NextLineNumber());
  }
  if (!out.failure) return true;

  sink.Abandon();
  source.CloseAfterFailure();
  return false;
}

bool ConvertDxfToCsv(std::string_view sourceName, std::string_view destinationBase,
                     const ConversionContext& context, ConversionStats* stats) {
  std::string destinationName(destinationBase);
  destinationName += kCsvExtension;
  return ConvertDxfToCsvFile(sourceName, destinationName, context, stats);
}

bool ConvertDxfToCsvFile(std::string_view sourceName, std::string_view destinationName,
                         const ConversionContext& context, ConversionStats* stats,
                         const ConversionOptions& options) {
  Platform& platform = *context.platform;
  FileSource input(platform);
  // An unopenable source leaves with its own code.
  input.OpenOrRaise(sourceName);
  FileSink output(platform, destinationName);
  ExactCsvSink sink(output, ExactCsvChoice{context.decimalSeparator});
  return ConvertDxf(input, sink, context, stats, options);
}

bool FileIsPresent(std::string_view path, Platform& platform) {
  constexpr std::string_view kLongNamePrefix = "\\\\?\\";  // \\?\ : names past MAX_PATH
  const std::string_view afterPrefix =
      path.substr(path.starts_with(kLongNamePrefix) ? kLongNamePrefix.size() : 0);
  if (path.empty() || HasWildcard(afterPrefix)) return false;
  if (path.find('\0') != std::string_view::npos) return false;
  const std::string zeroTerminated(path);
  FoundEntry entry;
  if (!platform.FindFirst(zeroTerminated.c_str(), &entry)) return false;
  return !entry.isDirectory;
}

bool RemoveFile(std::string_view path, Platform& platform) {
  const std::string zeroTerminated(path);
  return platform.Delete(zeroTerminated.c_str());
}

}  // namespace toridasu
