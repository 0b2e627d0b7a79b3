#include "engine/conversion_job.h"

#include <new>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "engine/csv_destination.h"
#include "engine/csv_record.h"
#include "engine/dxf_source.h"
#include "engine/group_code.h"
#include "engine/pair_reader.h"
#include "engine/text_entity.h"
#include "engine/type_markers.h"
#include "platform/wildcard.h"

namespace toridasu {
namespace {

constexpr std::string_view kCsvExtension = ".csv";

// Reads up to the first name containing "ENTITIES" (or a type containing
// "EOF", or the end). At least one pair is read, even from an empty file.
void ScanForEntities(PairReader& reader, const ConversionContext& context) {
  for (;;) {
    const GroupPair& pair = reader.Take();
    if (pair.code == group_code::kName && ContainsMarker(pair.value, kEntitiesMarker, context))
      return;
    if (pair.code == group_code::kType && ContainsMarker(pair.value, kEndOfFileMarker, context))
      return;
    if (reader.AtEnd()) return;
  }
}

// Walks the entities to a type containing "EOF" or the end, writing a record
// for every text entity with a text. The type line that ends a text entity
// is left waiting in the reader, so the next turn examines it.
void WalkEntities(PairReader& reader, const ConversionContext& context, bool skim,
                  CsvDestination& destination, ConversionStats& stats, uint64_t& failureLine) {
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
        WriteTextRecord(destination, entity.x, entity.y, entity.z, entity.text,
                        context.decimalSeparator);
        failureLine = 0;
        ++stats.records;
      }
    }
    if (markers.endOfFile) return;
  }
}

}  // namespace

ConversionFailure DescribeFailure(const Exception& error, uint64_t line) {
  ConversionFailure failure{error.KindName(), error.Message(), 0, line};
  if (const auto* io = dynamic_cast<const EInOutError*>(&error)) failure.ioCode = io->Code();
  return failure;
}

ConversionFailure OutOfMemoryFailure(uint64_t line) {
  return ConversionFailure{"EOutOfMemory", LoadResString(text_id::kOutOfMemory), 0, line};
}

void AbandonConversion(DxfSource& source, CsvDestination& destination,
                       const std::string& destinationName, Platform& platform) {
  destination.Abandon();
  if (source.IsOpen()) {
    try {
      source.Close();
    } catch (const Exception&) {
      // The conversion has failed already; the first cause is the one kept.
    }
  }
  // The file this call made or emptied, by the name it was created under:
  // asking FileIsPresent first would miss names that hold "*" or "?".
  if (destination.CreatedDiskFile()) RemoveFile(destinationName, platform);
}

bool ConvertDxfToCsv(std::string_view sourceName, std::string_view destinationBase,
                     const ConversionContext& context, ConversionStats* stats) {
  std::string destinationName(destinationBase);
  destinationName += kCsvExtension;
  return ConvertDxfToCsvFile(sourceName, destinationName, context, stats);
}

bool ConvertDxfToCsvFile(std::string_view sourceName, std::string_view destinationNameView,
                         const ConversionContext& context, ConversionStats* stats,
                         const ConversionOptions& options) {
  Platform& platform = *context.platform;
  ConversionStats localStats;
  ConversionStats& out = stats ? *stats : localStats;
  out = ConversionStats{};
  const std::string destinationName(destinationNameView);

  DxfSource source(platform);
  source.SetProgressCounter(options.bytesRead);
  source.Open(sourceName);  // an unopenable source leaves with its own code
  CsvDestination destination(platform);
  destination.SetLineFilter(options.lineFilter);
  uint64_t textLine = 0;
  try {
    PairReader reader(source);
    // The walk reads no other values: long lines of other groups pass unkept.
    reader.KeepValuesOnlyOf({group_code::kType, group_code::kText, group_code::kName,
                             group_code::kX, group_code::kY, group_code::kZ});
    CreateCsvFile(destination, destinationName);
    WriteCsvHeader(destination);
    ScanForEntities(reader, context);
    WalkEntities(reader, context, options.skim, destination, out, textLine);
    CloseCsvFile(destination);
    source.Close();
  } catch (const Exception& error) {
    out.failure = DescribeFailure(error, textLine != 0 ? textLine : source.NextLineNumber());
  } catch (const std::bad_alloc&) {
    out.failure = OutOfMemoryFailure(source.NextLineNumber());
  }
  if (!out.failure) return true;

  AbandonConversion(source, destination, destinationName, platform);
  return false;
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
