#include "base/error_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "base/string_table.h"
#include "support/code_page_932.h"

namespace toridasu {
namespace {

class ErrorTexts : public ::testing::Test {
 protected:
  void SetUp() override { UseCodePage932(); }
};

// Shift-JIS texts (encoded with Python's cp932 codec).
const std::string kOutOfMemory =
    "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82"
    "\xF1";                                                       // メモリが足りません
const std::string kIo103 = "I/O \x83\x47\x83\x89\x81\x5B (103)";  // I/O エラー (103)
const std::string kHyo = "\x95\x5C";                              // 表
const std::string kFullWidthStop = "\x81\x44";                    // ．
const std::string kA = "\x82\xA0";                                // あ

struct FullStopCase {
  const char* name;
  std::string message;
  bool errorBox;  // "." added in the application's error box
  bool report;    // "." added in the application-error report
};

// The two rules side by side: they differ for endings at or below 0x2E.
const FullStopCase kFullStopCases[] = {
    {"empty", "", false, false},
    {"double-byte character", kOutOfMemory, true, true},
    {"double-byte with a backslash trail byte", "x" + kHyo, true, true},
    {"full-width full stop", "x" + kFullWidthStop, true, true},
    {"full stop", "Done.", false, false},
    {"exclamation mark", "Stop!", false, true},
    {"closing parenthesis", kIo103, false, true},
    {"letter", "abc", true, true},
    {"digit", "code 7", true, true},
    {"space", "trailing ", false, true},
    {"comma", "a,", false, true},
    {"hyphen (0x2D)", "a-", false, true},
    {"slash (0x2F)", "a/", true, true},
    {"zero byte", std::string("a\0", 2), false, true},
    {"high single byte (half-width katakana)", "\xB6", true, true},
    {"only a full stop", ".", false, false},
};

TEST_F(ErrorTexts, FullStopRulesOfBoxAndReport) {
  for (const FullStopCase& c : kFullStopCases) {
    EXPECT_EQ(ErrorBoxAddsFullStop(c.message), c.errorBox) << c.name;
    EXPECT_EQ(ErrorBoxText(c.message), c.errorBox ? c.message + "." : c.message) << c.name;
    EXPECT_EQ(ReportAddsFullStop(c.message), c.report) << c.name;
  }
}

TEST_F(ErrorTexts, ErrorBoxRuleOnASingleByteSystem) {
  UseSingleByteSystem();
  // The trail byte of 表 is then a backslash of its own, above 0x2E.
  EXPECT_TRUE(ErrorBoxAddsFullStop("x" + kHyo));
  EXPECT_FALSE(ErrorBoxAddsFullStop("x!"));
}

struct CutCase {
  const char* name;
  std::string text;
  std::size_t limit;
  std::string expected;
};

const CutCase kCutCases[] = {
    {"short enough", "abc", 3, "abc"},
    {"plain cut", "abcdef", 4, "abcd"},
    {"cut between characters", kA + kA + kA, 4, kA + kA},
    {"cut would split a character", kA + kA + kA, 3, kA},
    {"cut after a single byte", "x" + kA + kA, 4, "x" + kA},
    {"cut before a character's first byte", "x" + kA + kA, 2, "x"},
    {"to nothing", kA, 1, ""},
};

TEST_F(ErrorTexts, CutNeverSplitsACharacter) {
  for (const CutCase& c : kCutCases) EXPECT_EQ(CutText(c.text, c.limit), c.expected) << c.name;
}

TEST_F(ErrorTexts, ModuleFileNameIsWhatFollowsTheLastBackslash) {
  EXPECT_EQ(ModuleFileName("C:\\Program Files\\tool\\TORIDASU.EXE"), "TORIDASU.EXE");
  EXPECT_EQ(ModuleFileName("TORIDASU.EXE"), "TORIDASU.EXE");
  EXPECT_EQ(ModuleFileName("C:\\tools\\" + kHyo + ".exe"), kHyo + ".exe");
  EXPECT_EQ(ModuleFileName("C:\\" + kHyo + "\\x.exe"), "x.exe");
  EXPECT_EQ(ModuleFileName("C:\\d\\" + std::string(300, 'n')), std::string(260, 'n'));
}

// The report's first line up to the message, as the template text_id::kExceptionReport reads.
std::string ReportHead(const std::string& kind, const std::string& module,
                       const std::string& offset) {
  return kind + "\x82\xAA\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x20" + module +
         "\x20\x82\xCC\x20" + offset +
         "\x20\x82\xC5\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42" + "\n";
}

TEST_F(ErrorTexts, UnhandledReportFillsTheTemplate) {
  const std::string pattern = BuiltInString(text_id::kExceptionReport);
  const std::string path = "C:\\Program Files\\tool\\TORIDASU.EXE";
  EXPECT_EQ(UnhandledReportText(pattern, "EInOutError", path, 0x0001A2B4, kIo103),
            ReportHead("EInOutError", "TORIDASU.EXE", "0001A2B4") + kIo103 + ".");
  EXPECT_EQ(UnhandledReportText(pattern, "EOutOfResources", path, 0x10, "Done."),
            ReportHead("EOutOfResources", "TORIDASU.EXE", "00000010") + "Done.");
  EXPECT_EQ(UnhandledReportText(pattern, "std::runtime_error", "a.exe", 0xFFFFF000, ""),
            ReportHead("std::runtime_error", "a.exe", "FFFFF000"));
}

TEST_F(ErrorTexts, UnhandledReportIsCutTo1023Bytes) {
  const std::string pattern = BuiltInString(text_id::kExceptionReport);
  const std::string head = ReportHead("EAccessViolation", "a.exe", "00001000");
  // ASCII: exactly 1023 bytes are kept.
  const std::string ascii =
      UnhandledReportText(pattern, "EAccessViolation", "a.exe", 0x1000, std::string(2000, 'm'));
  EXPECT_EQ(ascii, head + std::string(1023 - head.size(), 'm'));
  // Double-byte: the parity is chosen so that byte 1023 is a first byte.
  std::string message = (1023 - head.size()) % 2 == 1 ? "" : "x";
  while (message.size() < 2000) message += kA;
  const std::string dbcs =
      UnhandledReportText(pattern, "EAccessViolation", "a.exe", 0x1000, message);
  EXPECT_EQ(dbcs.size(), 1022u);
  EXPECT_EQ(dbcs, (head + message).substr(0, 1022));
}

TEST_F(ErrorTexts, UnhandledReportCaptionIsCutTo63Bytes) {
  const std::string caption = BuiltInString(text_id::kApplicationErrorCaption);
  EXPECT_EQ(UnhandledReportCaption(caption),
            "\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93\x20\x83\x47\x83\x89"
            "\x81\x5B");
  EXPECT_EQ(UnhandledReportCaption(std::string(70, 'c')), std::string(63, 'c'));
  std::string wide;
  for (int i = 0; i < 35; ++i) wide += kA;
  EXPECT_EQ(UnhandledReportCaption(wide), wide.substr(0, 62));
}

struct FatalCase {
  uint32_t number;
  uint32_t address;
  const char* expected;
};

const FatalCase kFatalCases[] = {
    {217, 0x00001234, "Runtime error 217 at 00001234"},
    {216, 0x00000000, "Runtime error 216 at 00000000"},
    {5, 0xABCDEF01, "Runtime error   5 at ABCDEF01"},
    {0, 0x10, "Runtime error   0 at 00000010"},
    {1234, 0x1, "Runtime error1234 at 00000001"},
    {12345, 0x00400000, "Runtime erro12345 at 00400000"},
    {4294967295u, 0xFFFFFFFF, "Runtime4294967295 at FFFFFFFF"},
};

TEST_F(ErrorTexts, FatalTemplateIsFilledRightToLeft) {
  for (const FatalCase& c : kFatalCases) {
    const std::string text = FatalErrorText(c.number, c.address);
    EXPECT_EQ(text, c.expected) << c.number;
    EXPECT_EQ(text.size(), 29u);
  }
}

}  // namespace
}  // namespace toridasu
