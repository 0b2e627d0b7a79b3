#include "engine/conversion_job.h"

#include <new>

#include "base/errors.h"
#include "base/string_table.h"
#include "engine/csv_destination.h"
#include "engine/dxf_source.h"

namespace toridasu {
namespace {

constexpr int32_t kTypeCode = 0;
constexpr int32_t kNameCode = 2;
constexpr std::string_view kEntitiesMarker = "ENTITIES";
constexpr std::string_view kEofMarker = "EOF";
constexpr std::string_view kTextMarker = "TEXT";
constexpr std::string_view kCsvExtension = ".csv";

// Reads a pair, keeping the value line only when the caller will look at it:
// the value of any other code is never examined before the next pair replaces it.
int32_t ReadPair(DxfSource& source, GroupPair& pair, int32_t wantedA, int32_t wantedB) {
  source.ReadLine(pair.code);
  const int32_t code = GroupCodeOf(pair.code);
  if (code == wantedA || code == wantedB) {
    source.ReadLine(pair.value);
  } else {
    source.SkipLine();
    pair.value.clear();
  }
  return code;
}

// Reads up to the first name containing "ENTITIES" (or a type containing
// "EOF", or the end). At least one pair is read, even from an empty file.
void ScanForEntities(DxfSource& source, GroupPair& pair) {
  bool goOn = true;
  while (goOn) {
    const int32_t code = ReadPair(source, pair, kTypeCode, kNameCode);
    if (code == kNameCode && ContainsMarker(pair.value, kEntitiesMarker)) goOn = false;
    if (code == kTypeCode && ContainsMarker(pair.value, kEofMarker)) goOn = false;
    if (source.AtEnd()) goOn = false;
  }
}

// Walks the entities to a type containing "EOF" or the end, writing a record
// for every text entity with a text.
void WalkEntities(DxfSource& source, GroupPair& pair, CsvDestination& destination,
                  ConversionStats& stats, uint64_t& failureLine) {
  TextEntity entity;
  bool goOn = true;
  bool readNeeded = true;
  while (goOn) {
    if (source.AtEnd()) return;
    int32_t code;
    if (readNeeded) {
      code = ReadPair(source, pair, kTypeCode, kTypeCode);
    } else {
      readNeeded = true;  // examine the pair that ended the last entity
      code = GroupCodeOf(pair.code);
    }
    if (code != kTypeCode) continue;
    if (ContainsMarker(pair.value, kEofMarker)) goOn = false;
    if (!ContainsMarker(pair.value, kTextMarker)) continue;
    ReadTextEntity(source, entity, pair);
    if (!entity.text.empty()) {
      // A text that cannot be quoted is reported at the line that held it.
      failureLine = entity.textLine;
      WriteTextRecord(destination, entity.x, entity.y, entity.z, entity.text);
      failureLine = 0;
      ++stats.records;
    }
    readNeeded = false;
  }
}

ConversionFailure Describe(const Exception& error, uint64_t line) {
  ConversionFailure failure{error.KindName(), error.Message(), 0, line};
  if (const auto* io = dynamic_cast<const EInOutError*>(&error)) failure.ioCode = io->Code();
  return failure;
}

ConversionFailure OutOfMemory(uint64_t line) {
  return ConversionFailure{"EOutOfMemory", LoadResString(65520), 0, line};
}

}  // namespace

bool ConvertDxfToCsv(std::string_view sourceName, std::string_view destinationBase,
                     ConversionStats* stats, Platform& platform) {
  std::string destinationName(destinationBase);
  destinationName += kCsvExtension;
  return ConvertDxfToCsvFile(sourceName, destinationName, stats, platform);
}

bool ConvertDxfToCsvFile(std::string_view sourceName, std::string_view destinationNameView,
                         ConversionStats* stats, Platform& platform) {
  ConversionStats localStats;
  ConversionStats& out = stats ? *stats : localStats;
  out = ConversionStats{};
  const std::string destinationName(destinationNameView);

  DxfSource source(platform);
  source.Open(sourceName);  // an unopenable source leaves with its own code
  CsvDestination destination(platform);
  uint64_t textLine = 0;
  try {
    GroupPair pair;
    CreateCsvFile(destination, destinationName);
    WriteCsvHeader(destination);
    ScanForEntities(source, pair);
    WalkEntities(source, pair, destination, out, textLine);
    CloseCsvFile(destination);
    source.Close();
  } catch (const Exception& error) {
    out.failure = Describe(error, textLine != 0 ? textLine : source.NextLineNumber());
  } catch (const std::bad_alloc&) {
    out.failure = OutOfMemory(source.NextLineNumber());
  }
  if (!out.failure) return true;

  destination.Abandon();
  if (source.IsOpen()) {
    try {
      source.Close();
    } catch (const Exception&) {
      // The conversion has failed already; the first cause is the one kept.
    }
  }
  if (destination.CreatedDiskFile() && FileIsPresent(destinationName, platform)) {
    RemoveFile(destinationName, platform);
  }
  return false;
}

bool FileIsPresent(std::string_view path, Platform& platform) {
  if (path.empty() || path.find_first_of("*?") != std::string_view::npos) return false;
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
