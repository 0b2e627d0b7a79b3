// The converter compiled to WebAssembly (run by Node) against the native
// converter, in the same run, on the realistic drawing (TORIDASU_BENCH_MB,
// 100 MB): each a process of its own, in both modes. `vs_native` is the
// WebAssembly build's speed of conversion as a share of the native one's:
// each run's time less its program's start (a run on an empty drawing:
// Node and the module's compilation, which a page does once); `vs_native_whole`
// counts the start too. peak_MB is each process's peak resident memory
// (Node's own included). Needs
// TORIDASU_WEB_CONVERTER (build/web/web/toridasu-node.js) and the native
// converter TORIDASU_NATIVE_CONVERTER (build/native/cli/toridasu-cli).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "synthetic_drawing.h"

namespace {

struct Run {
  double seconds = 0;
  double peakMb = 0;
  bool ok = false;
};

// Runs `arguments` with its output thrown away; its time and peak memory.
Run Measure(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Run run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMb = usage.ru_maxrss / 1024.0;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

void BM_WebAssemblyAgainstNative(benchmark::State& state) {
  const char* web = std::getenv("TORIDASU_WEB_CONVERTER");
  const char* native = std::getenv("TORIDASU_NATIVE_CONVERTER");
  if (!web || !native) {
    state.SkipWithError("set TORIDASU_WEB_CONVERTER and TORIDASU_NATIVE_CONVERTER");
    return;
  }
  const char* dir = std::getenv("TMPDIR");
  const std::string folder = dir && *dir ? dir : "/tmp";
  const std::string drawing = folder + "/toridasu-bench-web.dxf";
  const std::string output = folder + "/toridasu-bench-web.csv";
  const char* megabytes = std::getenv("TORIDASU_BENCH_MB");
  const uint64_t bytes = (megabytes ? std::strtoull(megabytes, nullptr, 10) : 100) << 20;
  toridasu::bench::WriteSyntheticDrawing(drawing, bytes);
  std::vector<std::string> options = {"-q", "--no-progress", "-j", "1", "-o", output, drawing};
  if (state.range(0) == 1) options.insert(options.begin(), "--full");
  std::vector<std::string> nativeRun = {native};
  nativeRun.insert(nativeRun.end(), options.begin(), options.end());
  std::vector<std::string> webRun = {"node", web};
  webRun.insert(webRun.end(), options.begin(), options.end());
  // The start of each program: the fastest of three runs on an empty drawing.
  const std::string empty = folder + "/toridasu-bench-web-empty.dxf";
  if (std::FILE* f = std::fopen(empty.c_str(), "wb")) {
    std::fputs("0\r\nEOF\r\n", f);
    std::fclose(f);
  }
  const auto startOf = [&](std::vector<std::string> run) {
    run.back() = empty;
    double fastest = 1e9;
    for (int i = 0; i < 3; ++i) fastest = std::min(fastest, Measure(run).seconds);
    return fastest;
  };
  const double nativeStart = startOf(nativeRun);
  const double webStart = startOf(webRun);
  Run nativeTotal, webTotal;
  for (auto _ : state) {
    const Run n = Measure(nativeRun);
    const Run w = Measure(webRun);
    if (!n.ok || !w.ok) {
      state.SkipWithError("a converter failed");
      break;
    }
    nativeTotal.seconds += n.seconds;
    webTotal.seconds += w.seconds;
    nativeTotal.peakMb = std::max(nativeTotal.peakMb, n.peakMb);
    webTotal.peakMb = std::max(webTotal.peakMb, w.peakMb);
  }
  const double megabytesRead = static_cast<double>(bytes) / (1 << 20) * state.iterations();
  state.counters["native_MBps"] = megabytesRead / nativeTotal.seconds;
  state.counters["wasm_MBps"] = megabytesRead / webTotal.seconds;
  const double runs = static_cast<double>(state.iterations());
  state.counters["vs_native"] =
      (nativeTotal.seconds - runs * nativeStart) / (webTotal.seconds - runs * webStart);
  state.counters["vs_native_whole"] = nativeTotal.seconds / webTotal.seconds;
  state.counters["wasm_start_s"] = webStart;
  state.counters["native_peak_MB"] = nativeTotal.peakMb;
  state.counters["wasm_peak_MB"] = webTotal.peakMb;
  std::remove(drawing.c_str());
  std::remove(empty.c_str());
  std::remove(output.c_str());
}
// 0: the default mode; 1: full mode.
BENCHMARK(BM_WebAssemblyAgainstNative)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
