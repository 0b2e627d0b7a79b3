// toridasu_error_probe.exe: the program as toridasu.exe builds it (language
// module, last-resort handler, start-up, main window, event loop, end), with
// one failure put in on purpose, named by the first command-line argument.
// It exists for the process-level tests only; the shipped program has no
// such switch.
#include <windows.h>

#include <cstring>
#include <string>

#include "app/application.h"
#include "app/error_process.h"
#include "app/language_module.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "base/errors.h"
#include "base/run_time_errors.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "ui/main_form.h"

namespace {

using namespace toridasu;

std::string scenario;

bool Is(const char* name) { return scenario == name; }

// A read that faults, kept out of line and out of every analysis so that the
// fault happens here and nowhere else.
__attribute__((noipa)) int ReadFrom(volatile int* address) { return *address; }
int* const kUnmapped = reinterpret_cast<int*>(0x10);

// The error of a window class that cannot be registered, raised at the end
// of start-up step 5.
void StartUpThenFail() {
  app::StartUp();
  throw EOutOfResources(LoadResString(text_id::kWindowClass));
}

// Runs after the machinery is removed (it was registered before it).
void FailAfterRemoval() { RunTimeFailure(FailureCode::kRangeCheck); }

// The exit button fails first: an EAbort that shows nothing, then an I/O
// error with code 103 (the closing of a file that is not open).
void ClickAbortThenIoError(ui::TButton& button) {
  static int clicks = 0;
  button.SetOnClick([&button] {
    if (++clicks == 1) {
      PostMessageA(button.Handle(), BM_CLICK, 0, 0);
      throw EAbort("");
    }
    RaiseIoError(io_code::kFileNotOpen);
  });
  PostMessageA(button.Handle(), BM_CLICK, 0, 0);
}

void ClickFault(ui::TButton& button) {
  button.SetOnClick([] { ReadFrom(kUnmapped); });
  PostMessageA(button.Handle(), BM_CLICK, 0, 0);
}

// A fault under a frame that must not be unwound: the error cannot reach
// the handler and ends the process as an unhandled one.
__attribute__((noipa)) int ReadWithoutUnwinding(volatile int* address) noexcept {
  const std::string kept(40, 'x');  // a cleanup gives the frame its table
  return ReadFrom(address) + static_cast<int>(kept.size());
}

void ClickFaultWithoutUnwinding(ui::TButton& button) {
  button.SetOnClick([] { ReadWithoutUnwinding(kUnmapped); });
  PostMessageA(button.Handle(), BM_CLICK, 0, 0);
}

// A fault inside the platform's own code, called from a handler.
void* (*volatile platformCopy)(void*, const void*, size_t) = &memcpy;

void ClickFaultInPlatformCode(ui::TButton& button) {
  button.SetOnClick([] {
    int target = 0;
    platformCopy(&target, kUnmapped, sizeof target);
  });
  PostMessageA(button.Handle(), BM_CLICK, 0, 0);
}

void Program() {
  if (Is("fault-before-machinery")) ReadFrom(kUnmapped);
  if (Is("failure-before-machinery")) RunTimeFailure(FailureCode::kIntOverflow);
  if (Is("failure-after-removal")) app::AddFinalisation(&FailAfterRemoval);
  if (Is("start-up-error")) {
    app::RunStartUpSteps(&StartUpThenFail);
  } else {
    app::StartUp();
  }
  app::Application->CreateMainWindow(ui::Form1);
  if (Is("unhandled-error")) RaiseIoError(32);
  if (Is("unhandled-fault")) ReadFrom(kUnmapped);
  if (Is("failure-after-removal")) app::EndProcess();
  if (Is("handler-abort-then-error")) ClickAbortThenIoError(*ui::Form1->Button4);
  if (Is("handler-fault")) ClickFault(*ui::Form1->Button4);
  if (Is("handler-fault-not-unwindable")) ClickFaultWithoutUnwinding(*ui::Form1->Button4);
  if (Is("handler-fault-in-platform-code")) ClickFaultInPlatformCode(*ui::Form1->Button4);
  app::Application->RunEventLoop();
  app::EndProcess();
}

}  // namespace

int main(int argc, char** argv) {
  scenario = argc > 1 ? argv[1] : "";
  app::LookForLanguageModule();
  app::RunUnderLastResortHandler(&Program);
}
