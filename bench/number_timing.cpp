// Time per call of ParseCoordinate and FormatReal, and of a record's read
// and write of a coordinate (which keeps the digits of most lines and so
// needs neither), without Google Benchmark,
// which the Windows build does not have: run it under Wine (and natively for
// the ratio). Prints nanoseconds per call: the best of many short rounds, so
// that a busy machine spoils some rounds but not the figure.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/format_real.h"
#include "engine/parse_coordinate.h"
#include "engine/record_coordinate.h"
#include "number_samples.h"

namespace {

using toridasu::bench::NumberSample;

template <typename Call>
double BestNanosecondsPerCall(Call call) {
  constexpr int kCalls = 1 << 14;
  double best = 1e30;
  for (int round = 0; round < 300; ++round) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kCalls; ++i) call(i & 1023);
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count() / kCalls);
  }
  return best;
}

}  // namespace

int main() {
  volatile double sink = 0;
  for (NumberSample kind : {NumberSample::kShort, NumberSample::kLong, NumberSample::kZero}) {
    const std::vector<std::string> texts = toridasu::bench::CoordinateTexts(kind);
    const std::vector<double> values = toridasu::bench::CoordinateValues(kind);
    const double parse = BestNanosecondsPerCall(
        [&](int i) { sink = sink + toridasu::ParseCoordinate(texts[i]).value; });
    char text[toridasu::kMaxRealText];
    const double format = BestNanosecondsPerCall([&](int i) {
      sink = sink + static_cast<double>(toridasu::FormatReal(values[i], '.', text));
    });
    toridasu::RecordCoordinate coordinate;
    const double record = BestNanosecondsPerCall([&](int i) {
      coordinate.Read(texts[i]);
      sink = sink + static_cast<double>(coordinate.Format('.', text));
    });
    std::printf(
        "%-6s ParseCoordinate %7.1f ns   FormatReal %7.1f ns   record read+write %7.1f ns\n",
        toridasu::bench::NumberSampleName(kind), parse, format, record);
  }
  return 0;
}
