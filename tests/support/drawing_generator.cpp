#include "support/drawing_generator.h"

#include <string_view>
#include <vector>

#include "engine/conversion_job.h"
#include "engine/pair_skim_kernels.h"
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

// The skim's answer found line by line: the pairs from `start` on, until one
// holds a Ctrl-Z or has a value line where "TEXT" or "EOF" begins (read on
// into the padding, as the skim's bitmaps are), else the last pair that
// begins before the fill.
SkimStop PlainSkim(const char* block, std::size_t start, std::size_t fill) {
  std::vector<std::size_t> lines{start};  // where each line begins
  for (std::size_t p = start + 1; p < fill; ++p) {
    if (block[p - 1] == '\n' || (block[p - 1] == '\r' && block[p] != '\n')) lines.push_back(p);
  }
  const auto is = [block](std::size_t p, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i) {
      const char c = block[p + i];
      if (c != word[i] && c != word[i] - 'a' + 'A') return false;
    }
    return true;
  };
  for (std::size_t code = 0; code < lines.size(); code += 2) {
    const std::size_t end = code + 2 < lines.size() ? lines[code + 2] : fill;
    const std::size_t value = code + 1 < lines.size() ? lines[code + 1] : end;
    for (std::size_t p = lines[code]; p < end; ++p) {
      if (block[p] == '\x1A' || (p >= value && (is(p, "text") || is(p, "eof")))) {
        return {lines[code], code};
      }
    }
  }
  const std::size_t last = (lines.size() - 1) & ~std::size_t{1};
  return {lines[last], last};
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

std::string SkimKernelsMismatch(const std::string& drawing, std::size_t spread) {
  std::string block = drawing;
  block.append(kSkimPadding, 'T');  // padding that would match if it were read
  for (std::size_t start = 0; start < drawing.size(); start += 1 + start % spread) {
    const SkimStop plain = PlainSkim(block.data(), start, drawing.size());
    for (const internal::SkimKernel& kernel : internal::SkimKernels()) {
      const SkimStop got = kernel.skim(block.data(), start, drawing.size());
      if (got.position != plain.position || got.lineEnds != plain.lineEnds) {
        return std::string(kernel.name) + ", start " + std::to_string(start) + ": stop " +
               std::to_string(got.position) + " | " + std::to_string(plain.position) +
               ", line ends " + std::to_string(got.lineEnds) + " | " +
               std::to_string(plain.lineEnds);
      }
    }
  }
  return {};
}

}  // namespace toridasu
