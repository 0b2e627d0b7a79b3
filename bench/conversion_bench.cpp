// Throughput of a whole conversion against a plain line pass over the same
// bytes (1 MiB blocks, one memchr call per line), on a generated 100 MB drawing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "engine/conversion_job.h"
#include "full/full_conversion.h"
#include "synthetic_drawing.h"

namespace {

std::string TempName(const char* leaf) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/" + leaf;
}

struct Drawing {
  std::string path;
  std::string output;
  uint64_t bytes = 0;
  Drawing(const char* name, bool dense)
      : path(TempName((std::string(name) + ".dxf").c_str())),
        output(TempName((std::string(name) + ".csv").c_str())) {
    const uint64_t megabytes =
        std::getenv("TORIDASU_BENCH_MB") ? std::atoll(std::getenv("TORIDASU_BENCH_MB")) : 100;
    toridasu::bench::WriteSyntheticDrawing(path, megabytes << 20, dense);
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
      std::fseek(f, 0, SEEK_END);
      bytes = static_cast<uint64_t>(std::ftell(f));
      std::fclose(f);
    }
  }
  ~Drawing() {
    std::remove(path.c_str());
    std::remove(output.c_str());
  }
};

Drawing& TheDrawing() {
  static Drawing drawing("toridasu-bench", false);
  return drawing;
}

// Every entity a text: the numbers and the records set the pace.
Drawing& TheDenseDrawing() {
  static Drawing drawing("toridasu-bench-dense", true);
  return drawing;
}

void BM_MemchrLinePass(benchmark::State& state) {
  Drawing& d = TheDrawing();
  const std::size_t block = 1 << 20;
  std::unique_ptr<char[]> buffer(new char[block]);
  for (auto _ : state) {
    std::FILE* f = std::fopen(d.path.c_str(), "rb");
    uint64_t lines = 0;
    std::size_t got;
    while ((got = std::fread(buffer.get(), 1, block, f)) > 0) {
      const char* p = buffer.get();
      const char* end = p + got;
      while (const void* cr = std::memchr(p, '\r', static_cast<std::size_t>(end - p))) {
        ++lines;
        p = static_cast<const char*>(cr) + 1;
      }
    }
    std::fclose(f);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

void Convert(benchmark::State& state, Drawing& d) {
  const toridasu::ConversionContext context = toridasu::LocaleContext(toridasu::CurrentPlatform());
  uint64_t records = 0;
  for (auto _ : state) {
    toridasu::ConversionStats stats;
    if (!toridasu::ConvertDxfToCsvFile(d.path, d.output, context, &stats))
      state.SkipWithError("conversion failed");
    records = stats.records;
  }
  state.counters["records"] = static_cast<double>(records);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

void BM_ConvertDxfToCsv(benchmark::State& state) { Convert(state, TheDrawing()); }
void BM_ConvertDenseText(benchmark::State& state) { Convert(state, TheDenseDrawing()); }

// The full mode on the realistic drawing: every text decoded to Unicode, the
// block references expanded, the CSV in Shift-JIS.
void BM_ConvertFull(benchmark::State& state) {
  Drawing& d = TheDrawing();
  const toridasu::ConversionContext context = toridasu::LocaleContext(toridasu::CurrentPlatform());
  uint64_t records = 0;
  for (auto _ : state) {
    toridasu::full::FullStats stats;
    if (!toridasu::full::ConvertFull(d.path, d.output, context, {}, &stats))
      state.SkipWithError("conversion failed");
    records = stats.records;
  }
  state.counters["records"] = static_cast<double>(records);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

BENCHMARK(BM_MemchrLinePass)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ConvertDxfToCsv)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ConvertDenseText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ConvertFull)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
