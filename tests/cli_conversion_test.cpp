// One conversion of the converter against a platform that fails on
// purpose: the message names the file at fault and says what to do, and a
// failure or an interruption leaves the previous output as it was.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <functional>

#include "base/errors.h"
#include "cli/batch_run.h"
#include "cli/failure_text.h"
#include "cli/interruption.h"
#include "cli/messages.h"
#include "support/fake_platform.h"

namespace toridasu::cli {
namespace {

constexpr const char* kDrawing =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n1\r\nA\r\n0\r\nEOF\r\n";

struct Case {
  const char* what;
  std::function<void(FakePlatform&)> arrange;
  const char* message;  // how it begins
  std::string output = "out.csv";
};

TEST(CliConversion, FailuresNameTheFileAtFault) {
  SetJapanese(false);
  const Case cases[] = {
      {"missing drawing", [](FakePlatform& f) { f.files.erase("in.dxf"); },
       "in.dxf: cannot open: file not found; check the name"},
      {"read-only output",
       [](FakePlatform& f) { f.createForWritingError = win_error::kAccessDenied; },
       "out.csv: cannot create: access denied; check that the file is not read-only"},
      {"output in a missing folder",
       [](FakePlatform& f) { f.createForWritingError = win_error::kPathNotFound; },
       "out.csv: cannot create: the folder or drive does not exist"},
      {"output held by another program",
       [](FakePlatform& f) { f.createForWritingError = win_error::kSharingViolation; },
       "out.csv: cannot create: the file is in use by another program; close it there"},
      {"disk full while writing",
       [](FakePlatform& f) {
         f.failWriteNumber = 1;
         f.writeError = win_error::kDiskFull;
       },
       "out.csv: cannot write: the disk is full"},
      {"drawing unreadable",
       [](FakePlatform& f) {
         f.failReadNumber = 1;
         f.readError = win_error::kIoDevice;
       },
       "in.dxf: cannot read: the device reported an error"},
      {"name refused before the system is asked", [](FakePlatform&) {}, "xxxx",
       std::string(300, 'x') + ".csv"},
      {"whole output cannot take the old one's place",
       [](FakePlatform& f) { f.replaceError = win_error::kAccessDenied; },
       "out.csv: cannot write: access denied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakePlatform fake;
    fake.AddFile("in.dxf", kDrawing);
    fake.AddFile(c.output, "previous");
    c.arrange(fake);
    const std::atomic<bool> stop{false};
    const Outcome outcome =
        ConvertOne({"in.dxf", c.output, "", {}}, LocaleContext(fake), {}, {}, stop, false);
    EXPECT_FALSE(outcome.converted);
    EXPECT_EQ(outcome.message.rfind(c.message, 0), 0u) << outcome.message;
    // The previous output is as it was, and nothing else is left.
    EXPECT_EQ(fake.Contents(c.output), "previous");
    for (const auto& [name, file] : fake.files) {
      EXPECT_TRUE(name == "in.dxf" || name == c.output) << name << " is left behind";
    }
    EXPECT_EQ(fake.OpenHandleCount(), 0);
  }
}

// Every code the platform and the job can give has words of its own.
TEST(CliConversion, EveryIoCodeIsWorded) {
  SetJapanese(false);
  for (const int32_t code : {2,  3,  4,   5,   6,   8,   15,  19,  21,  31,  32,   38,
                             80, 87, 103, 105, 109, 112, 123, 206, 223, 232, 1117, 1921}) {
    EXPECT_EQ(IoCause(code).find("I/O error"), std::string::npos) << code;
  }
  ConversionFailure memory;
  memory.kind = FailureKind::kOutOfMemory;
  memory.line = 7;
  EXPECT_EQ(FailureText({"in.dxf", "out.csv", memory}), "in.dxf: not enough memory");
}

// An interruption while the drawing is being read: the conversion gives up,
// takes its output away, leaves the previous one as it was and is not
// reported as a failure.
TEST(CliConversion, InterruptionRemovesTheOutputUnderWay) {
  // The user presses Ctrl-C as the drawing is read past the first bytes,
  // which tell what the drawing is.
  struct StoppingPlatform : FakePlatform {
    std::atomic<bool> stop{false};
    int reads = 0;
    uint32_t Read(FileHandle handle, void* buffer, uint32_t size, uint32_t* got) override {
      if (++reads == 2) stop.store(true);
      return FakePlatform::Read(handle, buffer, size, got);
    }
  } fake;
  // A comment longer than a block, so that the reading needs a second one.
  fake.AddFile("in.dxf", "999\r\n" + std::string(300000, 'c') + "\r\n" + kDrawing);
  fake.AddFile("out.csv", "previous");
  const Outcome outcome =
      ConvertOne({"in.dxf", "out.csv", "", {}}, LocaleContext(fake), {}, {}, fake.stop, false);
  EXPECT_TRUE(outcome.interrupted);
  EXPECT_TRUE(outcome.message.empty());
  EXPECT_EQ(fake.created, std::vector<std::string>{"out.csv.toridasu-4242.tmp"});
  EXPECT_FALSE(fake.Exists("out.csv.toridasu-4242.tmp"));
  EXPECT_EQ(fake.Contents("out.csv"), "previous");
  EXPECT_EQ(fake.OpenHandleCount(), 0);
}

#ifndef _WIN32
// The first Ctrl-C only asks the run to stop; a second ends the process at
// once, whatever the run is doing.
TEST(CliInterruptionDeathTest, TheSecondCtrlCEndsTheProcess) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        CatchInterruptions();
        std::raise(SIGINT);
        if (!InterruptionFlag().load()) std::exit(1);
        std::raise(SIGINT);
        std::exit(0);
      },
      testing::KilledBySignal(SIGINT), "");
}
#endif

}  // namespace
}  // namespace toridasu::cli
