// The user's interruption of a run: Ctrl-C or a termination request on
// Linux; Ctrl-C, Ctrl-Break or the console window closing on Windows. The
// run then starts no new drawing, the drawings under way give up and remove
// their outputs, and the program ends with kInterruptedStatus.
#pragma once

#include <atomic>

namespace toridasu::cli {

constexpr int kInterruptedStatus = 130;

// From here on an interruption sets the flag instead of ending the process.
void CatchInterruptions();
// Set by an interruption, and only by one.
const std::atomic<bool>& InterruptionFlag();
// The run has cleaned up after an interruption. On Windows the console's
// close event may then end the process.
void InterruptionHandled();

}  // namespace toridasu::cli
