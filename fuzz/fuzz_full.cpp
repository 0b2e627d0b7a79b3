// The full mode on any drawing: it answers true with a CSV that begins with
// its header, or false with a failure and no output; block cycles, deep
// nesting and large grids are cut within the limits, never followed, and no
// drawing writes more than its budget. The limits are the converter's own;
// only the budget is smaller, so that every input runs in milliseconds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "full/full_conversion.h"
#include "model/columns.h"
#include "support/fake_platform.h"

using namespace toridasu;
using namespace toridasu::full;
using namespace toridasu::model;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte chooses the output; the rest is the drawing.
  const uint8_t plan = data[0];
  const std::string drawing(reinterpret_cast<const char*>(data) + 1, size - 1);
  FakePlatform fake;
  fake.AddFile("in.dxf", drawing);
  FullOptions options;
  options.output.columns = *ParseColumns(
      "x,y,z,text,type,layer,handle,height,rotation,style,align_x,align_y,align_z,space,block");
  options.output.utf8 = (plan & 1) != 0;
  options.output.replace = options.texts.replace = (plan & 2) != 0;
  options.texts.blocks = (plan & 4) == 0;
  options.texts.limits.maxWork = 100000;
  FullStats stats;
  ConversionContext context;
  context.platform = &fake;
  const bool converted = ConvertFull("in.dxf", "out.csv", context, options, &stats);
  if (fake.OpenHandleCount() != 0) std::abort();
  if (converted) {
    const std::string csv = fake.Contents("out.csv");
    if (csv.compare(0, 5, "\"x\",\"") != 0) std::abort();
    if (stats.records > options.texts.limits.maxWork) std::abort();
  } else {
    if (!stats.failure) std::abort();
    if (fake.Exists("out.csv")) std::abort();  // no partial output
  }
  return 0;
}
