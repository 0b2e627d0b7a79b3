// The short paths of ParseCoordinate and FormatReal against the full paths:
// every short decimal text, and texts of every length up to 21 digits at
// every scale, must give the same status, bits and bytes by both. A text
// whose digits a record keeps must give the bytes of its round trip.
#include "engine/number_paths.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/number_path_checks.h"

namespace toridasu {
namespace {

// Counts the texts and values each path took, and stops after a few
// failures so that one fault does not print a million lines.
class PathComparison {
 public:
  void Parse(std::string_view text) {
    Coordinate shortResult;
    const bool tookShortPath = internal::ParseShortCoordinate(text, &shortResult);
    const Coordinate full = internal::ParseCoordinateFull(text);
    shortTexts_ += tookShortPath;
    if (tookShortPath) Report(ReadingMismatch(text, shortResult, full));
    if (full.status == CoordinateStatus::kValid) Format(full.value);
    ExpectKeptDigitsAlike(text, full);
  }

  void Format(double value) {
    shortValues_ += internal::FormatsByShortPath(value);
    Report(FormattingMismatch(value));
  }

  // A text kept as its digits writes what its double writes.
  void ExpectKeptDigitsAlike(std::string_view text, const Coordinate& full) {
    RecordCoordinate kept;
    kept.Read(text);
    if (!kept.KeepsOwnDigits()) return;
    ++keptTexts_;
    Report(KeptDigitsMismatch(text, kept, full));
  }

  int Failures() const { return failures_; }
  int KeptTexts() const { return keptTexts_; }
  int ShortTexts() const { return shortTexts_; }
  int ShortValues() const { return shortValues_; }

 private:
  static constexpr int kShownFailures = 10;

  void Report(const std::string& mismatch) {
    if (!mismatch.empty() && failures_++ < kShownFailures) ADD_FAILURE() << mismatch;
  }

  int keptTexts_ = 0;
  int shortTexts_ = 0;
  int shortValues_ = 0;
  int failures_ = 0;
};

// Every text of up to `maxLength` bytes over `alphabet`.
void ParseEveryText(std::string_view alphabet, int maxLength, PathComparison& compare) {
  std::string text;
  for (int length = 1; length <= maxLength; ++length) {
    std::vector<int> index(length, 0);
    text.assign(length, alphabet[0]);
    for (;;) {
      compare.Parse(text);
      int i = length - 1;
      while (i >= 0 && ++index[i] == static_cast<int>(alphabet.size())) {
        index[i] = 0;
        text[i--] = alphabet[0];
      }
      if (i < 0) break;
      text[i] = alphabet[index[i]];
    }
  }
}

// Every text of up to six bytes of the accepted form's bytes, and of up to
// four with spaces, a small e, a letter that breaks the form and a NUL (the
// fuzz target goes further).
TEST(NumberPaths, AgreeOnEveryShortText) {
  PathComparison compare;
  ParseEveryText("0123456789.E+-", 6, compare);
  ParseEveryText(std::string_view("0159.Ee+- x\0", 13), 4, compare);
  EXPECT_GT(compare.ShortTexts(), 200000);
  EXPECT_GT(compare.KeptTexts(), 100000);
}

// Digit strings of 1 to 21 digits (one more than the short path takes),
// with the point at every place and exponents beyond the short scale.
TEST(NumberPaths, AgreeAtEveryLengthAndScale) {
  std::mt19937_64 random(12);
  PathComparison compare;
  for (int length = 1; length <= 21; ++length) {
    for (int sample = 0; sample < 12; ++sample) {
      std::string digits;
      for (int i = 0; i < length; ++i) {
        // Runs of nines and zeros put the roundings at their edges.
        const int kind = sample % 4;
        digits += kind == 1            ? '9'
                  : kind == 2 && i > 0 ? '0'
                                       : static_cast<char>('1' + random() % 9);
      }
      for (int point = 0; point <= length; point += 1 + length / 6) {
        const std::string placed = digits.substr(0, point) + "." + digits.substr(point);
        // Plain texts from 10^-36 to 10^57: zeros after the point, after
        // the digits, or closing the fraction.
        for (int zeros = 0; zeros <= 36; ++zeros) {
          const std::string run(zeros, '0');
          for (const std::string& plain : {"0." + run + digits, digits + run, placed + run}) {
            compare.Parse(plain);
            compare.Parse("-" + plain);
          }
        }
        for (int exponent = -36; exponent <= 36; ++exponent) {
          const std::string text = placed + "E" + std::to_string(exponent);
          compare.Parse(text);
          compare.Parse("-" + text);
        }
      }
    }
  }
  EXPECT_GT(compare.ShortTexts(), 50000);
  EXPECT_GT(compare.ShortValues(), 50000);
  EXPECT_GT(compare.KeptTexts(), 20000);
}

// Doubles next to the powers of ten and to the points where the fifteen
// digits carry, across the short path's exponents and beyond.
TEST(NumberPaths, AgreeNextToDigitBoundaries) {
  PathComparison compare;
  for (int exponent = -12; exponent <= 20; ++exponent) {
    const double power = std::pow(10.0, exponent);
    for (double base : {power, 9.999999999999995 * power / 10, 9.9999999999999995 * power / 10,
                        1.0000000000000005 * power, 4.999999999999995 * power}) {
      double value = base;
      for (int step = 0; step < 64; ++step) value = std::nextafter(value, 0.0);
      for (int step = 0; step < 128; ++step) {
        compare.Format(value);
        compare.Format(-value);
        value = std::nextafter(value, INFINITY);
      }
    }
  }
  EXPECT_GT(compare.ShortValues(), 20000);
}

#ifdef TORIDASU_ORACLE_BULK
CoordinateStatus StatusNamed(std::string_view name) {
  if (name == "kValid") return CoordinateStatus::kValid;
  if (name == "kOutOfRange") return CoordinateStatus::kOutOfRange;
  return CoordinateStatus::kInvalid;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  }
  return bytes;
}

// Both paths against the oracle's answers for 150,000 random value lines
// and doubles, which the build makes with tools/number_oracle.py --bulk; a
// line kept as its digits must write as the oracle's double does.
TEST(NumberPaths, MatchOracleOnRandomInputs) {
  std::ifstream answers(TORIDASU_ORACLE_BULK);
  ASSERT_TRUE(answers) << "missing " << TORIDASU_ORACLE_BULK;
  PathComparison compare;
  int rows = 0, failures = 0;
  std::string line;
  while (std::getline(answers, line) && failures + compare.Failures() < 10) {
    std::istringstream fields(line);
    std::string kind, first, second;
    fields >> kind >> first >> second;
    ++rows;
    if (kind == "P") {
      const std::string text = FromHex(first);
      std::string bitsText;
      fields >> bitsText;
      const Coordinate oracle{StatusNamed(second),
                              std::bit_cast<double>(std::stoull(bitsText, nullptr, 16))};
      for (const Coordinate& got : {ParseCoordinate(text), internal::ParseCoordinateFull(text)}) {
        const std::string mismatch = ReadingMismatch(text, got, oracle);
        if (!mismatch.empty()) {
          ++failures;
          ADD_FAILURE() << mismatch << " (the oracle's)";
        }
      }
      compare.ExpectKeptDigitsAlike(text, oracle);
    } else {
      const double value = std::bit_cast<double>(std::stoull(first, nullptr, 16));
      char fast[kMaxRealText], full[kMaxRealText];
      const std::string_view shortText(fast, FormatReal(value, '.', fast));
      const std::string_view fullText(full, internal::FormatRealFull(value, '.', full));
      if (shortText != second || fullText != second) {
        ++failures;
        ADD_FAILURE() << "0x" << first << ": FormatReal \"" << shortText << "\", full path \""
                      << fullText << "\", oracle \"" << second << "\"";
      }
    }
  }
  EXPECT_EQ(rows, 150000);
  EXPECT_GT(compare.KeptTexts(), 20000);
}
#endif

}  // namespace
}  // namespace toridasu
