#include "engine/conversion_job.h"

#include <new>

#include "base/errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "engine/csv_destination.h"
#include "engine/dxf_source.h"

namespace toridasu {
namespace {

constexpr int32_t kTypeCode = 0;
constexpr int32_t kNameCode = 2;
constexpr std::string_view kEntitiesMarker = "ENTITIES";
constexpr std::string_view kEofMarker = "EOF";
constexpr std::string_view kCsvExtension = ".csv";

// The hot loop reads pairs as views into the reader's buffer and looks at a
// value line only when its code is one the caller tests; every other value is
// passed over, since nothing examines it before the next pair replaces it.
struct PairView {
  int32_t code = 0;
  std::string_view value;
};

class PairReader {
 public:
  explicit PairReader(DxfSource& source) : source_(source) {}
  PairView Read(int32_t wantedA, int32_t wantedB) {
    PairView pair;
    pair.code = GroupCodeOfFast(source_.ReadLineView(codeSpill_));
    if (pair.code == wantedA || pair.code == wantedB) {
      pair.value = source_.ReadLineView(valueSpill_);
    } else {
      source_.SkipLine();
    }
    return pair;
  }

 private:
  DxfSource& source_;
  std::string codeSpill_;
  std::string valueSpill_;
};

// Reads up to the first name containing "ENTITIES" (or a type containing
// "EOF", or the end). At least one pair is read, even from an empty file.
void ScanForEntities(DxfSource& source, PairReader& reader) {
  bool goOn = true;
  while (goOn) {
    const PairView pair = reader.Read(kTypeCode, kNameCode);
    if (pair.code == kNameCode && ContainsMarker(pair.value, kEntitiesMarker)) goOn = false;
    if (pair.code == kTypeCode && ContainsMarker(pair.value, kEofMarker)) goOn = false;
    if (source.AtEnd()) goOn = false;
  }
}

// Walks the entities to a type containing "EOF" or the end, writing a record
// for every text entity with a text.
void WalkEntities(DxfSource& source, PairReader& reader, CsvDestination& destination,
                  ConversionStats& stats, uint64_t& failureLine) {
  TextEntity entity;
  GroupPair left;  // the pair that ended the last text entity
  bool goOn = true;
  bool readNeeded = true;
  while (goOn) {
    if (source.AtEnd()) return;
    PairView pair;
    if (readNeeded) {
      pair = reader.Read(kTypeCode, kTypeCode);
    } else {
      readNeeded = true;  // examine the pair that ended the last entity
      pair = PairView{GroupCodeOf(left.code), left.value};
    }
    if (pair.code != kTypeCode) continue;
    const TypeMarkers markers = MarkersOfType(pair.value);
    if (markers.endOfFile) goOn = false;
    if (!markers.text) continue;
    ReadTextEntity(source, entity, left);
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
  return ConversionFailure{"EOutOfMemory", LoadResString(text_id::kOutOfMemory), 0, line};
}

}  // namespace

bool ConvertDxfToCsv(std::string_view sourceName, std::string_view destinationBase,
                     ConversionStats* stats, Platform& platform) {
  std::string destinationName(destinationBase);
  destinationName += kCsvExtension;
  return ConvertDxfToCsvFile(sourceName, destinationName, stats, {}, platform);
}

bool ConvertDxfToCsvFile(std::string_view sourceName, std::string_view destinationNameView,
                         ConversionStats* stats, const ConversionOptions& options,
                         Platform& platform) {
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
    CreateCsvFile(destination, destinationName);
    WriteCsvHeader(destination);
    ScanForEntities(source, reader);
    WalkEntities(source, reader, destination, out, textLine);
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
