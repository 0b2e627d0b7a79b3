// A batch of several large drawings converted one at a time and two at a
// time: the ratio of the two times is what -j buys on this machine.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "synthetic_drawing.h"

namespace {

struct Batch {
  std::vector<toridasu::cli::Conversion> conversions;
  uint64_t bytes = 0;
  Batch() {
    const char* dir = std::getenv("TMPDIR");
    const std::string base = std::string(dir && *dir ? dir : "/tmp") + "/toridasu-batch-";
    for (int i = 0; i < 4; ++i) {
      const std::string input = base + std::to_string(i) + ".dxf";
      toridasu::bench::WriteSyntheticDrawing(input, 25ull << 20);
      conversions.push_back({input, base + std::to_string(i) + ".csv", "", {}});
      bytes += 25ull << 20;
    }
  }
  ~Batch() {
    for (const auto& c : conversions) {
      std::remove(c.input.c_str());
      std::remove(c.output.c_str());
    }
  }
};

void BM_BatchOfFourDrawings(benchmark::State& state) {
  static Batch batch;
  const unsigned jobs = static_cast<unsigned>(state.range(0));
  for (auto _ : state) {
    bool allConverted = true;
    toridasu::cli::RunOptions options(toridasu::LocaleContext(toridasu::CurrentPlatform()));
    options.jobs = jobs;
    toridasu::cli::RunConversions(batch.conversions, options,
                                  [&](std::size_t, const toridasu::cli::Outcome& outcome) {
                                    allConverted = allConverted && outcome.converted;
                                  });
    if (!allConverted) state.SkipWithError("a conversion failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * batch.bytes));
}

BENCHMARK(BM_BatchOfFourDrawings)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

}  // namespace
