// Throughput of the full reading's text pieces on texts like those of real
// drawings: decoding Shift-JIS and UTF-8, TEXT codes, MTEXT plain text, and
// the Shift-JIS output.
#include <benchmark/benchmark.h>

#include <string>

#include "full/mtext_plain.h"
#include "text/code_page.h"
#include "text/text_codes.h"

namespace {

using namespace toridasu::full;
using namespace toridasu::text;

// About 1 MB of one sample text repeated.
std::string Repeated(const std::string& sample) {
  std::string text;
  while (text.size() < (1u << 20)) text += sample;
  return text;
}

// "部屋 101, 2F 事務室, " (room 101, second-floor office)
const std::string kShiftJis = Repeated("\x95\x94\x89\xae 101, 2F \x8e\x96\x96\xb1\x8e\xba, ");
const std::string kUtf8 =
    Repeated("\xE9\x83\xA8\xE5\xB1\x8B 101, 2F \xE4\xBA\x8B\xE5\x8B\x99\xE5\xAE\xA4, ");
const std::string kAscii = Repeated("GRID LINE A-1 FL+3500 ");
const std::string kTextCodes = Repeated("%%c50 %%p0.5 90%%d ");
const std::string kMText =
    Repeated("{\\fArial|b0|i0;\\H2.5x;ROOM}\\P\\C3;\\S1/2; \\U+00B0 office area ");

// Appends `input` decoded or encoded by `convert` to a reused string.
template <typename Conversion>
void Convert(benchmark::State& state, const std::string& input, Conversion convert) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    benchmark::DoNotOptimize(convert(input, out));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void DecodeShiftJis(benchmark::State& state) {
  Convert(state, kShiftJis, [](const std::string& in, std::string& out) {
    return AppendAsUtf8(in, 932, false, out);
  });
}
BENCHMARK(DecodeShiftJis);

void DecodeAscii(benchmark::State& state) {
  Convert(state, kAscii, [](const std::string& in, std::string& out) {
    return AppendAsUtf8(in, 1252, false, out);
  });
}
BENCHMARK(DecodeAscii);

void DecodeUtf8(benchmark::State& state) {
  Convert(state, kUtf8, [](const std::string& in, std::string& out) {
    return AppendAsUtf8(in, kUtf8CodePage, false, out);
  });
}
BENCHMARK(DecodeUtf8);

void EncodeShiftJis(benchmark::State& state) {
  Convert(state, kUtf8, [](const std::string& in, std::string& out) {
    return AppendUtf8AsShiftJis(in, false, out);
  });
}
BENCHMARK(EncodeShiftJis);

void TextCodes(benchmark::State& state) {
  Convert(state, kTextCodes, [](const std::string& in, std::string& out) {
    return (out = DecodeTextCodes(in)).size();
  });
}
BENCHMARK(TextCodes);

void MTextPlain(benchmark::State& state) {
  Convert(state, kMText,
          [](const std::string& in, std::string& out) { return (out = MTextToPlain(in)).size(); });
}
BENCHMARK(MTextPlain);

}  // namespace
