// Whole conversions against the plain pass that finds every line end with
// one memchr call per line (1 MiB blocks), on the same bytes and in the same
// run: each round times the pass and then the conversion, and the counter
// vs_pass is the ratio of their sums. Drawings are generated on the fly:
//   realistic   about one text entity in ten (TORIDASU_BENCH_MB, 100 MB)
//   lf_only     the same with LF line ends (the pass searches for LF)
//   dense       every entity a text
//   long_text   one text of 100 MB (peak memory against its size)
//   realistic_1gb  only with TORIDASU_BENCH_1GB=1 (slow)
// and the full mode on the realistic drawing (throughput only) and on a
// drawing whose one block holds texts of that size (peak memory against it:
// the block is kept while the drawing is read); the realistic drawing also
// into XLSX workbooks, in both modes, beside its CSV files.
// peak_MB is the process's peak resident memory during the conversions.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "engine/conversion_job.h"
#include "full/full_conversion.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "peak_memory.h"
#include "synthetic_drawing.h"
#include "xlsx/exact_sheet_sink.h"
#include "xlsx/full_sheet_sink.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string TempName(const std::string& leaf) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/" + leaf;
}

uint64_t Megabytes() {
  const char* text = std::getenv("TORIDASU_BENCH_MB");
  return text ? std::strtoull(text, nullptr, 10) : 100;
}

enum class Kind { kRealistic, kLfOnly, kDense, kLongText, kRealistic1Gb, kBlockTexts };

struct Drawing {
  std::string path;
  std::string output;
  char lineEnd = '\r';
  uint64_t bytes = 0;
  explicit Drawing(Kind kind)
      : path(TempName("toridasu-bench-" + std::to_string(static_cast<int>(kind)) + ".dxf")),
        output(TempName("toridasu-bench-" + std::to_string(static_cast<int>(kind)) + ".csv")) {
    const uint64_t size = Megabytes() << 20;
    switch (kind) {
      case Kind::kRealistic: toridasu::bench::WriteSyntheticDrawing(path, size); break;
      case Kind::kLfOnly:
        toridasu::bench::WriteSyntheticDrawing(path, size, false, "\n");
        lineEnd = '\n';
        break;
      case Kind::kDense: toridasu::bench::WriteSyntheticDrawing(path, size, true); break;
      case Kind::kLongText: toridasu::bench::WriteLongTextDrawing(path, size); break;
      case Kind::kRealistic1Gb:
        toridasu::bench::WriteSyntheticDrawing(path, uint64_t{1} << 30);
        break;
      case Kind::kBlockTexts: toridasu::bench::WriteBlockTextDrawing(path, size); break;
    }
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

Drawing& DrawingOf(Kind kind) {
  static std::unique_ptr<Drawing> drawings[6];
  auto& drawing = drawings[static_cast<int>(kind)];
  if (!drawing) drawing = std::make_unique<Drawing>(kind);
  return *drawing;
}

// The floor: every line end found, one memchr call per line.
uint64_t MemchrPass(const Drawing& d) {
  static std::unique_ptr<char[]> buffer(new char[1 << 20]);
  std::FILE* f = std::fopen(d.path.c_str(), "rb");
  uint64_t lines = 0;
  std::size_t got;
  while ((got = std::fread(buffer.get(), 1, 1 << 20, f)) > 0) {
    const char* p = buffer.get();
    const char* end = p + got;
    while (const void* at = std::memchr(p, d.lineEnd, static_cast<std::size_t>(end - p))) {
      ++lines;
      p = static_cast<const char*>(at) + 1;
    }
  }
  std::fclose(f);
  return lines;
}

// The records of one conversion of `d` in one of the two modes; -1 when it failed.
using Job = int64_t (*)(const Drawing& d, const toridasu::ConversionContext& context);

int64_t ConvertExact(const Drawing& d, const toridasu::ConversionContext& context) {
  toridasu::ConversionStats stats;
  if (!toridasu::ConvertDxfToCsvFile(d.path, d.output, context, &stats)) return -1;
  return static_cast<int64_t>(stats.records);
}

// The full mode: every text decoded to Unicode, the block references
// expanded, the CSV in Shift-JIS.
int64_t ConvertFull(const Drawing& d, const toridasu::ConversionContext& context) {
  toridasu::full::FullStats stats;
  if (!toridasu::full::ConvertFull(d.path, d.output, context, {}, &stats)) return -1;
  return static_cast<int64_t>(stats.records);
}

// Either mode into a workbook of one sheet (built in the temporary folder).
template <class Sink, class Run>
int64_t ConvertIntoWorkbook(const Drawing& d, const toridasu::ConversionContext& context, Run run) {
  toridasu::FileSource source(*context.platform);
  if (source.Open(d.path) != 0) return -1;
  toridasu::FileSink out(*context.platform, d.output + ".xlsx");
  const std::string folder = TempName("");
  toridasu::xlsx::Workbook book(out, TempName("toridasu-bench-scratch.xlsx"),
                                folder.substr(0, folder.size() - 1));
  return run(source, book);
}

int64_t ConvertExactXlsx(const Drawing& d, const toridasu::ConversionContext& context) {
  return ConvertIntoWorkbook<toridasu::xlsx::ExactSheetSink>(
      d, context, [&](toridasu::ByteSource& source, toridasu::xlsx::Workbook& book) -> int64_t {
        toridasu::xlsx::ExactSheetSink sink(book, "bench", false, true);
        toridasu::ConversionStats stats;
        if (!toridasu::ConvertDxf(source, sink, context, &stats)) return -1;
        return static_cast<int64_t>(stats.records);
      });
}

int64_t ConvertFullXlsx(const Drawing& d, const toridasu::ConversionContext& context) {
  return ConvertIntoWorkbook<toridasu::xlsx::FullSheetSink>(
      d, context, [&](toridasu::ByteSource& source, toridasu::xlsx::Workbook& book) -> int64_t {
        toridasu::xlsx::FullSheetSink sink(book, "bench", "bench.dxf", true);
        toridasu::full::FullStats stats;
        if (!toridasu::full::ConvertFull(source, sink, context, {}, &stats)) return -1;
        return static_cast<int64_t>(stats.records);
      });
}

void Convert(benchmark::State& state, Kind kind, Job job = ConvertExact) {
  Drawing& d = DrawingOf(kind);
  const toridasu::ConversionContext context = toridasu::LocaleContext(toridasu::CurrentPlatform());
  double passSeconds = 0;
  double conversionSeconds = 0;
  uint64_t records = 0;
  toridasu::bench::ResetPeakMemory();
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(MemchrPass(d));
    const auto middle = Clock::now();
    const int64_t converted = job(d, context);
    if (converted < 0) state.SkipWithError("conversion failed");
    const auto end = Clock::now();
    passSeconds += std::chrono::duration<double>(middle - start).count();
    conversionSeconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(std::chrono::duration<double>(end - middle).count());
    records = static_cast<uint64_t>(converted);
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["vs_pass"] = passSeconds > 0 ? conversionSeconds / passSeconds : 0;
  state.counters["peak_MB"] = toridasu::bench::PeakMemoryMb();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

void BM_ConvertDxfToCsv(benchmark::State& state) { Convert(state, Kind::kRealistic); }
void BM_ConvertLfOnly(benchmark::State& state) { Convert(state, Kind::kLfOnly); }
void BM_ConvertDenseText(benchmark::State& state) { Convert(state, Kind::kDense); }
void BM_ConvertLongText(benchmark::State& state) { Convert(state, Kind::kLongText); }
void BM_ConvertRealistic1Gb(benchmark::State& state) {
  if (std::getenv("TORIDASU_BENCH_1GB") == nullptr) {
    state.SkipWithError("set TORIDASU_BENCH_1GB=1 to run");
    for (auto _ : state) {
    }
    return;
  }
  Convert(state, Kind::kRealistic1Gb);
}

void BM_ConvertFull(benchmark::State& state) { Convert(state, Kind::kRealistic, ConvertFull); }
void BM_ConvertFullBlockTexts(benchmark::State& state) {
  Convert(state, Kind::kBlockTexts, ConvertFull);
}
void BM_ConvertXlsx(benchmark::State& state) { Convert(state, Kind::kRealistic, ConvertExactXlsx); }
void BM_ConvertFullXlsx(benchmark::State& state) {
  Convert(state, Kind::kRealistic, ConvertFullXlsx);
}

BENCHMARK(BM_ConvertDxfToCsv)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertLfOnly)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertDenseText)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertLongText)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertRealistic1Gb)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ConvertFull)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertFullBlockTexts)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
BENCHMARK(BM_ConvertXlsx)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK(BM_ConvertFullXlsx)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
