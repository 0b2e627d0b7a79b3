// The frame of the process: the last-resort handler, the undoing of an
// interrupted start-up, and the finalisation of the started parts.
#include "app/error_process.h"

#include <windows.h>

#include <atomic>
#include <exception>

#include "app/error_faults.h"
#include "app/error_machinery.h"
#include "app/error_report.h"
#include "base/fpu_control.h"
#include "base/run_time_errors.h"

namespace toridasu::app {
namespace {

constexpr int kUnhandledExitCode = 1;
constexpr int kUnhandledFatalNumber = 217;
constexpr int kMaxFinalisations = 16;

std::atomic<int> exitCode{0};
std::atomic<EndProcessFunction> endProcess{nullptr};

// Plain storage: registering a part must not allocate.
void (*finalisations[kMaxFinalisations])() = {};
int finalisationCount = 0;

std::terminate_handler previousTerminate = nullptr;

void FatalEnd(int number, uintptr_t address) { FatalRunTimeError(number, address); }

// An error that reaches std::terminate (it escaped a frame the unwinder
// cannot pass, or a function that may not throw) ends like an unhandled one.
[[noreturn]] void OnTerminate() {
  if (std::exception_ptr error = std::current_exception()) EndByUnhandledError(error);
  if (previousTerminate != nullptr) previousTerminate();
  ExitProcess(3);
}

}  // namespace

int ExitCode() { return exitCode.load(); }
void SetExitCode(int code) { exitCode.store(code); }

void SetEndProcess(EndProcessFunction function) { endProcess.store(function); }

void RunEndProcess() {
  if (EndProcessFunction function = endProcess.load()) {
    function();
  } else {
    ShowPendingFatalError();
    try {
      FinaliseStartedParts();
    } catch (...) {
      // The process ends anyway; its exit code is already set.
    }
  }
  ExitProcess(static_cast<UINT>(ExitCode()));
}

void AddFinalisation(void (*finalise)()) {
  if (finalisationCount < kMaxFinalisations) finalisations[finalisationCount++] = finalise;
}

void FinaliseStartedParts() {
  std::exception_ptr firstError;
  while (finalisationCount > 0) {
    void (*finalise)() = finalisations[--finalisationCount];
    try {
      finalise();
    } catch (...) {
      if (!firstError) firstError = std::current_exception();
    }
  }
  if (firstError) std::rethrow_exception(firstError);
}

void RunStartUpSteps(void (*steps)()) {
  try {
    steps();
  } catch (...) {
    const std::exception_ptr error = std::current_exception();
    try {
      FinaliseStartedParts();
    } catch (...) {
      // The start-up's own error is the one that goes on.
    }
    std::rethrow_exception(error);
  }
}

void EndByUnhandledError(std::exception_ptr error) {
  // Each round consumes state (the machinery, the finalisations), so an
  // error raised while ending ends the process on a later round.
  for (int round = 0; round < 4; ++round) {
    try {
      ResetFloatingPointControl();
      const std::exception_ptr shown = AsProgramError(error);
      const uintptr_t address = RaiseAddress();
      if (!ErrorMachineryInstalled()) FatalRunTimeError(kUnhandledFatalNumber, address);
      ReportUnhandledError(shown, address);
      SetExitCode(kUnhandledExitCode);
      RunEndProcess();
    } catch (...) {
      error = std::current_exception();
    }
  }
  ExitProcess(static_cast<UINT>(ExitCode()));
}

void RunUnderLastResortHandler(void (*program)()) {
  SetFatalEnd(&FatalEnd);
  InstallFaultCatching();
  previousTerminate = std::set_terminate(&OnTerminate);
  try {
    program();
  } catch (...) {
    EndByUnhandledError(std::current_exception());
  }
  RunEndProcess();
}

}  // namespace toridasu::app
