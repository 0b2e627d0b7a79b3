#include <windows.h>

#include "cli/interruption.h"

namespace toridasu::cli {
namespace {

std::atomic<bool> interrupted{false};
HANDLE handled = nullptr;  // set once the run has cleaned up

// Runs on a thread of its own. Ctrl-C and Ctrl-Break are answered at once
// and the run winds down; the close, log-off and shut-down events end the
// process when this returns, so they wait (within the system's few seconds)
// until the outputs under way are removed.
BOOL WINAPI OnControlEvent(DWORD event) {
  interrupted.store(true);
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
  if (handled) WaitForSingleObject(handled, 4000);
  return TRUE;
}

}  // namespace

void CatchInterruptions() {
  handled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnControlEvent, TRUE);
}

const std::atomic<bool>& InterruptionFlag() { return interrupted; }

void InterruptionHandled() {
  if (handled) SetEvent(handled);
}

}  // namespace toridasu::cli
