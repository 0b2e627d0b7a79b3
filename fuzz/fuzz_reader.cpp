// The reader on any bytes: lines, pairs, text entities, group codes and
// coordinates never crash, never hang, and keep their promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/dxf_source.h"
#include "engine/format_real.h"
#include "engine/pair_reader.h"
#include "engine/parse_coordinate.h"
#include "engine/text_entity.h"
#include "engine/type_markers.h"
#include "support/fake_platform.h"

using namespace toridasu;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  FakePlatform fake;
  fake.AddFile("in.dxf", bytes);
  // Small, odd block sizes put block edges everywhere.
  const std::size_t block = 1 + (size > 0 ? data[0] % 61 : 0);
  DxfSource source(fake, block);
  source.Open("in.dxf");
  const ConversionContext context = LocaleContext(fake);
  PairReader reader(source);
  TextEntity entity;
  std::size_t consumed = 0;
  uint64_t lastLine = 0;
  while (!reader.AtEnd()) {
    const GroupPair pair = reader.Take();
    // Every pair taken lies further on: the walk can never stand still.
    if (pair.line <= lastLine) std::abort();
    lastLine = pair.line;
    consumed += pair.value.size();
    if (consumed > size) std::abort();  // lines are made of the input's bytes
    ContainsMarker(pair.value, "TEXT", context);
    if (!pair.value.empty()) {
      const Coordinate c = ParseCoordinate(pair.value);
      char text[kMaxRealText];
      const std::size_t n = FormatReal(c.value, '.', text);
      if (n == 0 || n > kMaxRealText) std::abort();
    }
    if (pair.code == 0) ReadTextEntity(reader, entity);
  }
  source.Close();
  return 0;
}
