// Time per call of ParseCoordinate and FormatReal on the coordinates that
// drawings hold.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/format_real.h"
#include "engine/parse_coordinate.h"
#include "number_samples.h"

namespace {

using toridasu::bench::NumberSample;

void BM_ParseCoordinate(benchmark::State& state) {
  const auto kind = static_cast<NumberSample>(state.range(0));
  const std::vector<std::string> texts = toridasu::bench::CoordinateTexts(kind);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(toridasu::ParseCoordinate(texts[i++ & 1023]));
  }
  state.SetLabel(toridasu::bench::NumberSampleName(kind));
}

void BM_FormatReal(benchmark::State& state) {
  const auto kind = static_cast<NumberSample>(state.range(0));
  const std::vector<double> values = toridasu::bench::CoordinateValues(kind);
  char text[toridasu::kMaxRealText];
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(toridasu::FormatReal(values[i++ & 1023], '.', text));
    benchmark::ClobberMemory();
  }
  state.SetLabel(toridasu::bench::NumberSampleName(kind));
}

BENCHMARK(BM_ParseCoordinate)->DenseRange(0, 2);
BENCHMARK(BM_FormatReal)->DenseRange(0, 2);

}  // namespace
