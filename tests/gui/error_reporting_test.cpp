// ReportHandlerError in the program's own process: the error box through the
// shell, EAbort, the pre-made out-of-memory error, the application-wide
// handler, the mouse capture, the report for a foreign error, and hardware
// faults raised inside a window's message handling.

#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/error_box.h"
#include "base/error_texts.h"
#include "base/run_time_errors.h"
#include "box_watcher.h"
#include "files/file_names.h"
#include "platform/platform.h"
#include "scoped_error_machinery.h"
#include "test_shell.h"
#include "ui/shell.h"

namespace toridasu::app {
namespace {

// Shift-JIS texts, encoded with Python's cp932 codec.
const std::string kOutOfMemory =
    "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xDC\x82\xB9\x82"
    "\xF1";  // メモリが足りません
const std::string kIo103 = "I/O \x83\x47\x83\x89\x81\x5B (103)";
const std::string kApplicationError =
    "\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93\x20\x83\x47\x83\x89\x81\x5B";

class ErrorReporting : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tests' program has started up as the real one does.
    machinery_.emplace(shell_);
  }
  void TearDown() override {
    SetApplicationErrorHandler(nullptr, nullptr);
    machinery_.reset();
  }
  test::ErrorBoxShell shell_;
  std::optional<test::ScopedErrorMachinery> machinery_;
};

// Raises `error` and reports it as a message handler does.
template <class Error>
void RaiseAndReport(const Error& error, const void* sender = nullptr) {
  try {
    throw error;
  } catch (...) {
    ReportHandlerError(sender);
  }
}

struct BoxCase {
  const char* name;
  std::string message;
  std::string shown;
};

TEST_F(ErrorReporting, ErrorBoxShowsTheMessageUnderTheTitleWithAStopIcon) {
  const BoxCase cases[] = {
      {"I/O error ends in ')'", kIo103, kIo103},
      {"double-byte ending gets '.'", kOutOfMemory, kOutOfMemory + "."},
      {"letter gets '.'", "Broken", "Broken."},
      {"digit gets '.'", "Code 7", "Code 7."},
      {"'.' stays", "Done.", "Done."},
      {"'!' stays", "Stop!", "Stop!"},
      {"empty stays empty", "", ""},
  };
  for (const BoxCase& c : cases) {
    shell_.boxes.clear();
    RaiseAndReport(EInOutError(c.message, 103));
    ASSERT_EQ(shell_.boxes.size(), 1u) << c.name;
    EXPECT_EQ(shell_.boxes[0].text, c.shown) << c.name;
    EXPECT_EQ(shell_.boxes[0].caption, "Toridasu") << c.name;
    EXPECT_EQ(shell_.boxes[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP)) << c.name;
  }
}

class EQuietAbort : public EAbort {
 public:
  using EAbort::EAbort;
};

TEST_F(ErrorReporting, AbortShowsNothing) {
  RaiseAndReport(EAbort("never shown"));
  RaiseAndReport(EQuietAbort("never shown either"));
  EXPECT_TRUE(shell_.boxes.empty());
}

TEST_F(ErrorReporting, LackOfMemoryShowsThePremadeError) {
  RaiseAndReport(std::bad_alloc());
  try {
    RunTimeFailure(FailureCode::kOutOfMemory);
  } catch (...) {
    ReportHandlerError(nullptr);
  }
  ASSERT_EQ(shell_.boxes.size(), 2u);
  EXPECT_EQ(shell_.boxes[0].text, kOutOfMemory + ".");
  EXPECT_EQ(shell_.boxes[1].text, kOutOfMemory + ".");
}

struct HandledError {
  const void* sender = nullptr;
  std::string kind;
  int calls = 0;
};

TEST_F(ErrorReporting, ApplicationHandlerTakesThePlaceOfTheBox) {
  HandledError handled;
  SetApplicationErrorHandler(
      [](void* context, const void* sender, const Exception& error) {
        auto* h = static_cast<HandledError*>(context);
        h->sender = sender;
        h->kind = error.KindName();
        ++h->calls;
      },
      &handled);
  const int sender = 0;
  RaiseAndReport(ERangeError("r"), &sender);
  RaiseAndReport(EAbort("a"), &sender);
  EXPECT_EQ(handled.calls, 1) << "an EAbort never reaches it";
  EXPECT_EQ(handled.sender, &sender);
  EXPECT_EQ(handled.kind, "ERangeError");
  EXPECT_TRUE(shell_.boxes.empty());
}

TEST_F(ErrorReporting, FailingHandlerStillLetsTheProgramGoOn) {
  SetApplicationErrorHandler(
      [](void*, const void*, const Exception&) { throw std::runtime_error("handler failed"); },
      nullptr);
  RaiseAndReport(ERangeError("r"));
  ReportHandlerError(nullptr);  // outside a catch block: nothing to show
  EXPECT_TRUE(shell_.boxes.empty());
}

// A window that counts the WM_CANCELMODE it gets.
int cancelModes = 0;
LRESULT CALLBACK CountingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CANCELMODE) ++cancelModes;
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(WNDPROC procedure) {
  return test::MakeTestWindow(WS_POPUP | WS_VISIBLE, nullptr, 10, 10, 80, 60, procedure);
}

TEST_F(ErrorReporting, MouseCaptureIsCancelledFirst) {
  HWND window = MakeWindow(&CountingProcedure);
  SetCapture(window);
  ASSERT_EQ(GetCapture(), window);
  cancelModes = 0;
  RaiseAndReport(EAbort(""));  // even an error that shows nothing
  EXPECT_EQ(cancelModes, 1);
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(window);
}

TEST_F(ErrorReporting, ForeignErrorGetsTheReportAndTheProgramGoesOn) {
  HWND window = MakeWindow(&DefWindowProcA);
  std::vector<test::SeenBox> boxes;
  {
    test::BoxWatcher watcher(window);
    RaiseAndReport(std::runtime_error("not shown"));
    boxes = watcher.Stop();
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, kApplicationError);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].visibleButtons, std::vector<int>{IDOK});
  EXPECT_FALSE(boxes[0].watchedWindowEnabled) << "the report is task-modal";
  EXPECT_TRUE(IsWindowEnabled(window));
  // "<kind>がモジュール <exe> の <offset> で発生しました。" LF, then no message and no ".".
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string head =
      "std::runtime_error\x82\xAA\x83\x82\x83\x57\x83\x85\x81\x5B\x83\x8B\x20" +
      ModuleFileName(path) + "\x20\x82\xCC\x20";
  const std::string tail = "\x20\x82\xC5\x94\xAD\x90\xB6\x82\xB5\x82\xDC\x82\xB5\x82\xBD\x81\x42\n";
  const std::string& text = boxes[0].text;
  ASSERT_EQ(text.size(), head.size() + 8 + tail.size()) << text;
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text.substr(head.size() + 8), tail);
  for (char c : text.substr(head.size(), 8)) {
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << text;
  }
  EXPECT_TRUE(shell_.boxes.empty());
  DestroyWindow(window);
}

}  // namespace
}  // namespace toridasu::app
