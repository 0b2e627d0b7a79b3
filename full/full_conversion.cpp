#include "full/full_conversion.h"

#include <new>

#include "base/errors.h"
#include "engine/csv_destination.h"
#include "engine/dxf_source.h"
#include "model/drawing_texts.h"

namespace toridasu::full {

bool ConvertFull(std::string_view sourceName, std::string_view destinationNameView,
                 const ConversionContext& context, const FullOptions& options, FullStats* stats) {
  Platform& platform = *context.platform;
  FullStats localStats;
  FullStats& out = stats ? *stats : localStats;
  out = FullStats{};
  const std::string destinationName(destinationNameView);

  DxfSource source(platform);
  source.SetProgressCounter(options.bytesRead);
  source.Open(sourceName);
  CsvDestination destination(platform);
  model::WarningLog warnings;
  try {
    CreateCsvFile(destination, destinationName);
    RecordOutput output(destination, options.output, context.decimalSeparator);
    output.WriteHeader();
    model::DrawingTexts texts(options.texts, warnings,
                              [&output](const model::TextRecord& record) { output.Write(record); });
    FeedDrawing(source, options.texts, context.decimalSeparator, warnings, texts);
    out.records = output.Records();
    CloseCsvFile(destination);
    source.Close();
  } catch (const FullFailure& failure) {
    out.failure = failure;
  } catch (const Exception& error) {
    out.error = DescribeFailure(error, source.NextLineNumber());
  } catch (const std::bad_alloc&) {
    out.error = OutOfMemoryFailure(source.NextLineNumber());
  }
  out.warnings = warnings.Take();
  if (!out.failure && !out.error) return true;

  AbandonConversion(source, destination, destinationName, platform);
  return false;
}

uint64_t TextsShownByReferences(std::string_view sourceName, Platform& platform) {
  uint64_t shown = 0;
  try {
    DxfSource source(platform);
    source.Open(sourceName);
    model::WarningLog warnings;
    TextChoice choice;
    choice.replace = true;
    model::DrawingTexts texts(choice, warnings, [&shown](const model::TextRecord& record) {
      if (!record.block.empty()) ++shown;
    });
    FeedDrawing(source, choice, '.', warnings, texts);
    source.Close();
  } catch (const Exception&) {
    // Only a hint hangs on this: a drawing that cannot be read shows nothing.
  } catch (const FullFailure&) {
  } catch (const std::bad_alloc&) {
  }
  return shown;
}

}  // namespace toridasu::full
