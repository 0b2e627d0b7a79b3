// The byte-scanning kernels alone, every build this program holds and this
// processor runs (the plain ones included), over the realistic and the dense
// drawing held in memory (at most 32 MB of each): the line finder taking
// every line end, and the skim with the pair-by-pair step over each pair it
// stops at. vs_pass is the time against one memchr call per line over the
// same bytes in the same run, as for the conversions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "engine/line_scan.h"
#include "engine/pair_skim_kernels.h"
#include "synthetic_drawing.h"

#if defined(TORIDASU_SSE2_KERNELS)
#include "engine/line_scan_sse2.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

// The drawing's bytes, then padding for both kernels.
struct Bytes {
  std::string data;
  std::size_t size = 0;
};

const Bytes& DrawingBytes(bool dense) {
  static std::unique_ptr<Bytes> drawings[2];
  auto& bytes = drawings[dense];
  if (!bytes) {
    const char* mb = std::getenv("TORIDASU_BENCH_MB");
    const uint64_t megabytes = std::min<uint64_t>(mb ? std::strtoull(mb, nullptr, 10) : 100, 32);
    const char* dir = std::getenv("TMPDIR");
    const std::string path =
        std::string(dir && *dir ? dir : "/tmp") + "/toridasu-bench-kernels.dxf";
    toridasu::bench::WriteSyntheticDrawing(path, megabytes << 20, dense);
    std::ifstream in(path, std::ios::binary);
    bytes = std::make_unique<Bytes>();
    bytes->data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    bytes->size = bytes->data.size();
    bytes->data.append(std::max(toridasu::LineEndFinder::kPadding, toridasu::kSkimPadding), '\0');
  }
  return *bytes;
}

uint64_t MemchrPass(const Bytes& b) {
  uint64_t lines = 0;
  const char* p = b.data.data();
  const char* end = p + b.size;
  while (const void* at = std::memchr(p, '\r', static_cast<std::size_t>(end - p))) {
    ++lines;
    p = static_cast<const char*>(at) + 1;
  }
  return lines;
}

template <class Kernel>
uint64_t TakeLineEnds(const Bytes& b) {
  toridasu::BasicLineEndFinder<Kernel> finder;
  finder.Reset(b.data.data(), b.size);
  uint64_t lines = 0;
  std::size_t stop;
  for (std::size_t position = 0; finder.TakeNext(position, &stop); ++lines) {
    position = stop + 1 + (b.data[stop] == '\r' && b.data[stop + 1] == '\n');
  }
  return lines;
}

// The skim as the reader drives it: where it stops, the pair is read line by
// line and the skim goes on after it.
uint64_t Skim(const Bytes& b, toridasu::internal::SkimKernel kernel) {
  const char* block = b.data.data();
  uint64_t lines = 0;
  std::size_t position = 0;
  while (position < b.size) {
    const toridasu::SkimStop stop = kernel.skim(block, position, b.size);
    lines += stop.lineEnds;
    position = stop.position;
    for (int line = 0; line < 2 && position < b.size; ++line, ++lines) {
      const void* end = std::memchr(block + position, '\n', b.size - position);
      position = end ? static_cast<std::size_t>(static_cast<const char*>(end) - block) + 1 : b.size;
    }
  }
  return lines;
}

template <class Work>
void AgainstPass(benchmark::State& state, bool dense, Work work) {
  const Bytes& b = DrawingBytes(dense);
  double passSeconds = 0, kernelSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    benchmark::DoNotOptimize(MemchrPass(b));
    const auto middle = Clock::now();
    benchmark::DoNotOptimize(work(b));
    const auto end = Clock::now();
    passSeconds += std::chrono::duration<double>(middle - start).count();
    kernelSeconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(std::chrono::duration<double>(end - middle).count());
  }
  state.counters["vs_pass"] = passSeconds > 0 ? kernelSeconds / passSeconds : 0;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * b.size));
}

template <class Kernel>
void RegisterLineEnds(const std::string& name) {
  for (const bool dense : {false, true}) {
    benchmark::RegisterBenchmark(
        ("BM_LineEnds/" + name + (dense ? "/dense" : "/realistic")).c_str(),
        [dense](benchmark::State& state) { AgainstPass(state, dense, TakeLineEnds<Kernel>); })
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->MinTime(0.5);
  }
}

const bool kRegistered = [] {
  RegisterLineEnds<toridasu::ScalarLineBytes>("scalar");
#if defined(TORIDASU_SSE2_KERNELS)
  RegisterLineEnds<toridasu::Sse2LineBytes>("sse2");
#endif
  for (const toridasu::internal::SkimKernel& kernel : toridasu::internal::SkimKernels()) {
    for (const bool dense : {false, true}) {
      benchmark::RegisterBenchmark(
          (std::string("BM_Skim/") + kernel.name + (dense ? "/dense" : "/realistic")).c_str(),
          [dense, kernel](benchmark::State& state) {
            AgainstPass(state, dense, [kernel](const Bytes& b) { return Skim(b, kernel); });
          })
          ->Unit(benchmark::kMillisecond)
          ->UseManualTime()
          ->MinTime(0.5);
    }
  }
  return true;
}();

}  // namespace
