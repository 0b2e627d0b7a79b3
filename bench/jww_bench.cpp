// Jw_cad drawings read in both modes: a generated drawing of 100,000 texts
// (TORIDASU_BENCH_JWW_TEXTS sets the number), each among ten lines as in the
// shared samples (which hold 7 to 45 lines a text), with 200 block
// definitions of ten texts each, half of them nested in the other half,
// placed by 2,000 references turned and scaled; and the same with one line a
// text (dense). The drawing is read from a file and its CSV written to one,
// as the converter does. peak_MB is the process's peak resident memory
// during the conversions: the texts stream through, and only the
// definitions and the references at the top (which wait for them) are held.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "engine/conversion_context.h"
#include "engine/exact_csv_sink.h"
#include "full/csv_record_sink.h"
#include "io/file_sink.h"
#include "io/file_source.h"
#include "jww/jww_conversion.h"
#include "peak_memory.h"
#include "support/jww_drawing.h"

namespace {

constexpr uint32_t kDefinitions = 200;
constexpr int kTextsPerDefinition = 10;
constexpr int kReferences = 2000;

uint64_t Texts() {
  const char* text = std::getenv("TORIDASU_BENCH_JWW_TEXTS");
  return text ? std::strtoull(text, nullptr, 10) : 100000;
}

std::string TempName(const std::string& leaf) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/" + leaf;
}

struct Drawing {
  std::string path, output;
  uint64_t bytes = 0;
  explicit Drawing(int linesPerText)
      : path(TempName("toridasu-bench-" + std::to_string(linesPerText) + ".jww")),
        output(TempName("toridasu-bench-jww-" + std::to_string(linesPerText) + ".csv")) {
    toridasu::jww::JwwDrawing drawing(600);
    drawing.Scale(0, 100).LayerName(0, 7, "\x8E\xBA\x96\xBC");  // 室名
    toridasu::jww::DrawnText text;
    text.on = {0, 7};
    for (uint64_t i = 0; i < Texts(); ++i) {
      const double x = static_cast<double>(i % 1000) * 12.5,
                   y = static_cast<double>(i / 1000) * 7.25;
      text.x = x;
      text.y = y;
      text.text = "\x8E\xBA " + std::to_string(i);  // 室 and a number
      for (int line = 0; line < linesPerText; ++line) drawing.Line(x, y + line, x + 10, y + line);
      drawing.Text(text);
    }
    for (int i = 0; i < kReferences; ++i) {
      drawing.Block(static_cast<uint32_t>(i) % kDefinitions, i * 3.0, -100.0 - i, 1.5, 1.5,
                    0.25 * (i % 8));
    }
    for (uint32_t d = 0; d < kDefinitions; ++d) {
      drawing.BeginDefinition(d, "parts" + std::to_string(d) + "@@SfigorgFlag@@4");
      for (int t = 0; t < kTextsPerDefinition; ++t) {
        text.x = t;
        text.y = 0;
        text.text = "P" + std::to_string(t);
        drawing.Text(text).Line(0, 0, t, 1);
      }
      // The first half places the second half once each.
      if (d < kDefinitions / 2) drawing.Block(d + kDefinitions / 2, 5, 5, 2, 2, 1.0);
    }
    {
      const std::string bytes = drawing.Bytes();
      std::ofstream(path, std::ios::binary) << bytes;
      this->bytes = bytes.size();
    }
    drawing = toridasu::jww::JwwDrawing();
    // The memory of the making goes back to the system, so that the peak
    // measured is the conversions'.
    malloc_trim(0);
  }
  ~Drawing() {
    std::remove(path.c_str());
    std::remove(output.c_str());
  }
};

Drawing& DrawingOf(int linesPerText) {
  static std::unique_ptr<Drawing> drawings[2];
  auto& drawing = drawings[linesPerText == 1 ? 1 : 0];
  if (!drawing) drawing = std::make_unique<Drawing>(linesPerText);
  return *drawing;
}

// One conversion of the drawing in a mode; the records written, -1 on failure.
int64_t ConvertFull(const Drawing& d, toridasu::Platform& platform) {
  toridasu::FileSource input(platform);
  input.OpenOrRaise(d.path);
  toridasu::FileSink output(platform, d.output);
  toridasu::full::FullOptions options;
  toridasu::full::CsvRecordSink sink(output, options.output, '.');
  toridasu::full::FullStats stats;
  if (!toridasu::jww::ConvertJwwFull(input, sink, options, &stats)) return -1;
  return static_cast<int64_t>(stats.records);
}

int64_t ConvertExact(const Drawing& d, toridasu::Platform& platform) {
  toridasu::FileSource input(platform);
  input.OpenOrRaise(d.path);
  toridasu::FileSink output(platform, d.output);
  toridasu::ExactCsvSink sink(output, {});
  toridasu::jww::ExactStats stats;
  if (!toridasu::jww::ConvertJwwExact(input, sink, {}, &stats)) return -1;
  return static_cast<int64_t>(stats.records);
}

void Convert(benchmark::State& state, int64_t (*job)(const Drawing&, toridasu::Platform&),
             int linesPerText = 10) {
  Drawing& d = DrawingOf(linesPerText);
  toridasu::Platform& platform = toridasu::CurrentPlatform();
  int64_t records = 0;
  toridasu::bench::ResetPeakMemory();
  for (auto _ : state) {
    records = job(d, platform);
    if (records < 0) state.SkipWithError("conversion failed");
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["drawing_MB"] = static_cast<double>(d.bytes) / (1 << 20);
  state.counters["peak_MB"] = toridasu::bench::PeakMemoryMb();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * d.bytes));
}

void BM_JwwFull(benchmark::State& state) { Convert(state, ConvertFull); }
void BM_JwwDefaultMode(benchmark::State& state) { Convert(state, ConvertExact); }
void BM_JwwFullDense(benchmark::State& state) { Convert(state, ConvertFull, 1); }
void BM_JwwDefaultModeDense(benchmark::State& state) { Convert(state, ConvertExact, 1); }

BENCHMARK(BM_JwwFull)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JwwDefaultMode)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JwwFullDense)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JwwDefaultModeDense)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
