#include <signal.h>

#include "cli/interruption.h"

namespace toridasu::cli {
namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

void OnSignal(int) { interrupted.store(true); }

}  // namespace

void CatchInterruptions() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  // A second Ctrl-C ends the process at once, as users expect of an
  // impatient second press.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A reader of standard output that has gone is a failed write, reported
  // like any other, not the silent end of the process.
  signal(SIGPIPE, SIG_IGN);
}

const std::atomic<bool>& InterruptionFlag() { return interrupted; }

void InterruptionHandled() {}

}  // namespace toridasu::cli
