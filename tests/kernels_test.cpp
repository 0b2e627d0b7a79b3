// Every build of the byte-scanning kernels this program holds and this
// processor runs, against plain code, with the bytes that matter at every
// position of a chunk and across chunk edges. The conversions elsewhere use
// only the one build the target takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line_scan.h"
#include "engine/record_coordinate_scalar.h"
#include "support/drawing_generator.h"

#if defined(TORIDASU_SSE2_KERNELS)
#include "engine/line_scan_sse2.h"
#include "engine/record_coordinate_sse2.h"
#endif

namespace toridasu {
namespace {

constexpr std::string_view kLineEndPieces[] = {"\r", "\n", "\r\n", "\n\r", "\r\r\n", "\x1A"};

// The line ends and the next line-end byte from every position, as the finder
// built on `Kernel` gives them, for the block's first `fill` bytes.
template <class Kernel>
std::vector<std::size_t> FinderAnswers(const std::string& block, std::size_t fill) {
  BasicLineEndFinder<Kernel> finder;
  finder.Reset(block.data(), fill);
  std::vector<std::size_t> answers;
  std::size_t stop;
  for (std::size_t position = 0; finder.TakeNext(position, &stop);) {
    answers.push_back(stop);
    position = stop + 1 + (block[stop] == '\r' && stop + 1 < fill && block[stop + 1] == '\n');
  }
  answers.push_back(SIZE_MAX);
  for (std::size_t p = 0; p < fill; ++p) answers.push_back(finder.NextLineEndByte(p));
  return answers;
}

// The same answers byte by byte: a CR, an LF that no CR precedes, a Ctrl-Z.
std::vector<std::size_t> PlainAnswers(const std::string& block, std::size_t fill) {
  std::vector<std::size_t> answers;
  for (std::size_t p = 0; p < fill; ++p) {
    const char c = block[p];
    if (c == '\r' || c == '\x1A' || (c == '\n' && (p == 0 || block[p - 1] != '\r'))) {
      answers.push_back(p);
    }
  }
  answers.push_back(SIZE_MAX);
  std::vector<std::size_t> next(fill + 1, fill);
  for (std::size_t p = fill; p-- > 0;) {
    const char c = block[p];
    next[p] = c == '\r' || c == '\n' || c == '\x1A' ? p : next[p + 1];
  }
  answers.insert(answers.end(), next.begin(), next.end() - 1);
  return answers;
}

TEST(Kernels, LineEndsAtEveryPositionOfAChunk) {
  constexpr std::size_t kSize = 3 * LineEndFinder::kChunk;
  for (const std::string_view piece : kLineEndPieces) {
    for (std::size_t at = 0; at + piece.size() <= kSize; ++at) {
      // Line ends past the fill too, which are never to be seen; and one more
      // line end in the block, so that a chunk holds two.
      std::string block(kSize + LineEndFinder::kPadding, '\r');
      std::fill_n(block.begin(), kSize, 'a');
      block.replace(at, piece.size(), piece);
      block[(at + 70) % kSize] = '\n';
      // Fills just past the line end and at the chunk edges.
      for (const std::size_t fill :
           {at + 1, at + 2, at + 3, at + 4, std::size_t{1}, std::size_t{63}, std::size_t{64},
            std::size_t{65}, std::size_t{128}, std::size_t{129}, kSize}) {
        if (fill > kSize) continue;
        const std::vector<std::size_t> plain = PlainAnswers(block, fill);
        ASSERT_EQ(FinderAnswers<ScalarLineBytes>(block, fill), plain)
            << "scalar, at " << at << ", fill " << fill;
#if defined(TORIDASU_SSE2_KERNELS)
        ASSERT_EQ(FinderAnswers<Sse2LineBytes>(block, fill), plain)
            << "sse2, at " << at << ", fill " << fill;
#endif
      }
    }
  }
}

// Pairs across block and chunk edges at every offset, and generated drawings
// from many a starting point: each build stops where the plain walk stops.
TEST(Kernels, SkimStopsWhereThePlainWalkStops) {
  constexpr std::string_view kTails[] = {
      "\r\n  0\r\nTEXT\r\n  0\r\nEOF\r\n",
      "\r\n  1\r\nteXt\r\n",
      "\n0\n\x1A\n",
      "\r\n  8\r\nXTEX\rEOF\r",
      "\r\n  0\r\nmtext\r\r",
      "\r\n  1\r\nT\r\n  0\r\nEO",
  };
  for (const std::string_view tail : kTails) {
    for (std::size_t offset = 0; offset < 140; ++offset) {
      const std::string drawing = "  1\r\n" + std::string(offset, 'a') + std::string(tail);
      ASSERT_EQ(SkimKernelsMismatch(drawing, 1), "") << "offset " << offset << ": " << tail;
    }
  }
  std::mt19937 random(34);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> choices(1 + round % 89);
    for (uint8_t& c : choices) c = static_cast<uint8_t>(byte(random));
    ASSERT_EQ(SkimKernelsMismatch(GenerateDrawing(choices.data(), choices.size()), 7), "")
        << "round " << round;
  }
}

// Every byte class at every position of texts of 1 to 32 bytes, where the
// vector build reads one or two overlapping 16-byte parts.
TEST(Kernels, CoordinateBytesAtEveryPosition) {
#if defined(TORIDASU_SSE2_KERNELS)
  constexpr char kProbes[] = {'0', '1', '9', '.', '-', '/', ':', ' ', 'E', '\0', '\x80', '\xB0'};
  for (std::size_t size = 1; size <= 32; ++size) {
    for (std::size_t at = 0; at < size; ++at) {
      for (const char probe : kProbes) {
        std::string text(size, '5');
        text[at] = probe;
        text[(at * 7 + 3) % size] = '0';
        const DecimalBytes plain = ScalarDecimalBytes::Classify(text.data(), size);
        const DecimalBytes sse2 = Sse2DecimalBytes::Classify(text.data(), size);
        ASSERT_EQ(sse2.digits, plain.digits) << "size " << size << ", " << at;
        ASSERT_EQ(sse2.zeros, plain.zeros) << "size " << size << ", " << at;
        ASSERT_EQ(sse2.points, plain.points) << "size " << size << ", " << at;
      }
    }
  }
#else
  GTEST_SKIP() << "only the plain build here";
#endif
}

}  // namespace
}  // namespace toridasu
