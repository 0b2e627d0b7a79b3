// The Jw_cad reader on any bytes, in both modes: each answers true with a
// CSV that begins with its header, or false with a failure and no output; a
// damaged drawing fails at an offset inside it, never past its end; no
// reading writes more than its budget, whatever its counts and lengths say.
// The last byte chooses the output, so that the shared samples serve as
// seeds as they are.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "engine/exact_csv_sink.h"
#include "full/csv_record_sink.h"
#include "io/byte_sink.h"
#include "jww/jww_conversion.h"
#include "model/columns.h"

using namespace toridasu;

namespace {

void CheckEnd(bool converted, const std::optional<ConversionFailure>& failure,
              const MemorySink& output, std::string_view header, std::size_t size) {
  if (converted) {
    if (output.Bytes().compare(0, header.size(), header) != 0) std::abort();
    return;
  }
  if (!failure || !output.Bytes().empty()) std::abort();
  if (failure->kind == FailureKind::kDamaged && failure->line > size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string drawing(reinterpret_cast<const char*>(data), size);
  const uint8_t plan = size == 0 ? 0 : data[size - 1];
  constexpr uint64_t kBudget = 100000;

  MemorySource fullInput(drawing);
  MemorySink fullOutput;
  full::FullOptions options;
  options.output.columns = *model::ParseColumns(
      "x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,align_z,space,block,"
      "visible");
  options.output.utf8 = (plan & 1) != 0;
  options.output.replace = options.texts.replace = (plan & 2) != 0;
  options.texts.blocks = (plan & 4) == 0;
  options.texts.hidden = (plan & 8) != 0;
  options.texts.limits.maxWork = kBudget;
  full::CsvRecordSink sink(fullOutput, options.output, '.');
  full::FullStats stats;
  const bool converted = jww::ConvertJwwFull(fullInput, sink, options, &stats);
  CheckEnd(converted, stats.failure, fullOutput, "\"x\",\"", size);
  if (stats.records > kBudget) std::abort();

  MemorySource exactInput(drawing);
  MemorySink exactOutput;
  ExactCsvChoice csv;
  csv.utf8 = options.output.utf8;
  csv.replace = options.output.replace;
  ExactCsvSink exactSink(exactOutput, csv);
  jww::ExactChoice choice;
  choice.replace = csv.replace;
  choice.budget = kBudget;
  jww::ExactStats exact;
  const bool exactConverted = jww::ConvertJwwExact(exactInput, exactSink, choice, &exact);
  CheckEnd(exactConverted, exact.failure, exactOutput, "\"X\"", size);
  if (exact.records > kBudget) std::abort();
  return 0;
}
