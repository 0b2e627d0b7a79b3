#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

#include "engine/conversion_job.h"
#include "io/byte_source.h"
#include "io/file_sink.h"
#include "support/fake_platform.h"
#include "xlsx/exact_sheet_sink.h"
#include "xlsx/workbook.h"

namespace toridasu::xlsx {
namespace {

constexpr const char* kDrawing =
    "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nTEXT\r\n10\r\n1.5\r\n1\r\nA\r\n0\r\nEOF\r\n";

struct FailureCase {
  const char* what;
  std::function<void(FakePlatform&, std::atomic<bool>&, std::string& scratch)> arrange;
  FailureKind kind;
  uint32_t code;  // the output's
};

// However a workbook fails, on the way or while it is copied to its output,
// no workbook is left behind: neither the output nor the scratch files.
TEST(XlsxWorkbook, FailureLeavesNoWorkbook) {
  const FailureCase cases[] = {
      {"output cannot be made",
       [](FakePlatform& f, std::atomic<bool>&, std::string&) {
         f.createForWritingError = win_error::kAccessDenied;
       },
       FailureKind::kOutput, win_error::kAccessDenied},
      {"disk full while the workbook is copied",
       [](FakePlatform& f, std::atomic<bool>&, std::string&) {
         f.failWriteNumber = 1;
         f.writeError = win_error::kDiskFull;
       },
       FailureKind::kOutput, win_error::kDiskFull},
      {"no scratch folder",
       [](FakePlatform&, std::atomic<bool>&, std::string& scratch) { scratch += "/missing"; },
       FailureKind::kOutput, win_error::kPathNotFound},
      {"interrupted", [](FakePlatform&, std::atomic<bool>& stop, std::string&) { stop = true; },
       FailureKind::kOutput, kOperationAborted},
  };
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "toridasu-xlsx-workbook-test";
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    FakePlatform fake;
    std::atomic<bool> stop{false};
    std::string scratch = folder.string();
    c.arrange(fake, stop, scratch);
    FileSink out(fake, "out.xlsx");
    out.SetCancellation(&stop);
    MemorySource drawing(kDrawing);
    drawing.SetCancellation(&stop);
    {
      Workbook book(out, scratch + "/book.xlsx", scratch);
      ExactSheetSink sink(book, "plan", false, true);
      ConversionStats stats;
      EXPECT_FALSE(ConvertDxf(drawing, sink, LocaleContext(fake), &stats));
      ASSERT_TRUE(stats.failure);
      EXPECT_EQ(stats.failure->kind, c.kind);
      EXPECT_EQ(static_cast<uint32_t>(stats.failure->ioCode), c.code);
    }
    EXPECT_FALSE(fake.Exists("out.xlsx"));
    EXPECT_EQ(fake.OpenHandleCount(), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace toridasu::xlsx
