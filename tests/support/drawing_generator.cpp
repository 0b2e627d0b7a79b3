#include "support/drawing_generator.h"

#include <string_view>

#include "engine/conversion_job.h"
#include "engine/pair_skim.h"
#include "support/fake_platform.h"

namespace toridasu {
namespace {

using namespace std::string_view_literals;

constexpr std::string_view kCodes[] = {
    "  0"sv, "0"sv,   "-0"sv,  "+0"sv,  "  1"sv, "1"sv,   " 10"sv, " 20"sv, " 30"sv, "  2"sv,
    "  8"sv, "100"sv, "101"sv, "x14"sv, "$1E"sv, "ABC"sv, ""sv,    "0\0"sv, "   "sv, "4294967296"sv,
};

constexpr std::string_view kValues[] = {
    "TEXT"sv,
    "text"sv,
    "MTEXT"sv,
    "Text"sv,
    "EOF"sv,
    "eof"sv,
    "TEXTEOF"sv,
    "\x83\x54"
    "EXT"sv,
    "\x83TEXT"sv,
    "\x9FTEXT"sv,
    "\xA0TEXT"sv,
    "a\0TEXT"sv,
    "LINE"sv,
    "ENTITIES"sv,
    "entities"sv,
    "SECTION"sv,
    "AcDbText"sv,
    "1E400"sv,
    "12.5"sv,
    "-3"sv,
    ""sv,
    "A\x82"sv,
    "\x95\x5C"sv,
    "  a b  "sv,
    "TEX"sv,
    "T EXT"sv,
    "CONTEXT"sv,
    "EO"sv,
    "Embedded Object"sv,
    "1E-400"sv,
};

constexpr std::string_view kLineEnds[] = {"\r\n"sv, "\r\n"sv,   "\r\n"sv, "\r"sv,
                                          "\n"sv,   "\r\r\n"sv, "\n\r"sv};

}  // namespace

std::string GenerateDrawing(const uint8_t* choices, std::size_t count) {
  std::string out;
  std::size_t i = 0;
  auto next = [&](std::size_t range) -> std::size_t {
    return i < count ? choices[i++] % range : 0;
  };
  while (i < count) {
    const std::size_t what = next(16);
    const std::string_view end = kLineEnds[next(std::size(kLineEnds))];
    if (what == 0) {
      out += '\x1A';  // ends the drawing wherever it stands
    } else if (what == 1) {
      out.append(next(70), 'x');  // pushes later pieces across chunk and block edges
    } else if (what == 2) {
      out += kValues[next(std::size(kValues))];  // a line without its end: pairs shift
      out += end;
    } else {
      out += kCodes[next(std::size(kCodes))];
      out += end;
      out += kValues[next(std::size(kValues))];
      out += end;
    }
  }
  // A cut file: the last line may stop anywhere.
  if (count > 0 && choices[0] % 3 == 0 && !out.empty())
    out.resize(out.size() - choices[0] % 7 % out.size());
  return out;
}

std::string GenerateEntities(const uint8_t* choices, std::size_t count) {
  return "0\r\nSECTION\r\n2\r\nENTITIES\r\n" + GenerateDrawing(choices, count);
}

namespace {

struct Result {
  bool converted = false;
  ConversionStats stats;
  std::string csv;
};

Result Convert(const std::string& drawing, uint32_t readChunk, bool skim) {
  FakePlatform fake;
  fake.AddFile("in.dxf", drawing);
  fake.readChunk = readChunk;
  ConversionOptions options;
  options.skim = skim;
  Result result;
  result.converted =
      ConvertDxfToCsvFile("in.dxf", "out.csv", LocaleContext(fake), &result.stats, options);
  result.csv = fake.Exists("out.csv") ? fake.Contents("out.csv") : "(none)";
  return result;
}

}  // namespace

std::string SkimMismatch(const std::string& drawing, uint32_t readChunk) {
  const Result skimmed = Convert(drawing, readChunk, true);
  const Result exact = Convert(drawing, readChunk, false);
  if (skimmed.csv != exact.csv) return "CSV: " + skimmed.csv + " | " + exact.csv;
  if (skimmed.converted != exact.converted) return "answer";
  if (skimmed.stats.records != exact.stats.records) return "record count";
  if (skimmed.stats.failure.has_value() != exact.stats.failure.has_value()) return "failure";
  if (skimmed.stats.failure && (skimmed.stats.failure->kind != exact.stats.failure->kind ||
                                skimmed.stats.failure->line != exact.stats.failure->line)) {
    return "failure line " + std::to_string(skimmed.stats.failure->line) + " | " +
           std::to_string(exact.stats.failure->line);
  }
  return {};
}

std::string SkimBuildsMismatch(const std::string& drawing, std::size_t spread) {
  std::string block = drawing;
  block.append(kSkimPadding, 'T');  // padding that would match if it were read
  for (std::size_t start = 0; start < drawing.size(); start += 1 + start % spread) {
    const SkimStop sse2 = internal::SkimPairsSse2(block.data(), start, drawing.size());
    const SkimStop avx2 = internal::SkimPairsAvx2(block.data(), start, drawing.size());
    if (sse2.position != avx2.position || sse2.lineEnds != avx2.lineEnds) {
      return "start " + std::to_string(start) + ": stop " + std::to_string(sse2.position) + " | " +
             std::to_string(avx2.position) + ", line ends " + std::to_string(sse2.lineEnds) +
             " | " + std::to_string(avx2.lineEnds);
    }
  }
  return {};
}

}  // namespace toridasu
