// The frame of the process around the error machinery: the last-resort
// handler around the whole program, the handler that undoes start-up steps 2
// to 5, the finalisation of the started parts in reverse order, and the
// process's exit code.
#pragma once

#include <exception>

namespace toridasu::app {

// The process's exit code (0 until something sets it).
int ExitCode();
void SetExitCode(int code);

// The program's EndProcess, which FatalRunTimeError and the last-resort
// handler run. Until one is set they end the process themselves: the fatal
// box if one is pending, the finalisations, ExitProcess with the exit code.
using EndProcessFunction = void (*)();
void SetEndProcess(EndProcessFunction endProcess);
// Runs the set EndProcess (or the stand-in above); never returns.
[[noreturn]] void RunEndProcess();

// Parts of the run-time register how they are undone as they start; at most
// 16. FinaliseStartedParts runs them in reverse order of registration, each
// once; when one fails the rest still run, and the first error then goes on.
void AddFinalisation(void (*finalise)());
void FinaliseStartedParts();

// Start-up steps 2 to 5: an error there first finalises every part already
// started (the error machinery among them) and then goes on, so that it ends
// the process with the fatal box.
void RunStartUpSteps(void (*steps)());

// The last-resort handler, put around the whole program right after the
// language module lookup: catches hardware faults (InstallFaultCatching), makes
// run-time failures fatal while the machinery is not installed, and ends the
// process for any error that escapes `program`: ReportUnhandledError and
// EndProcess with exit code 1 while the machinery is installed, else
// FatalRunTimeError 217. When `program` returns, EndProcess runs.
[[noreturn]] void RunUnderLastResortHandler(void (*program)());

// The same ending for an error caught elsewhere (a terminate handler, a
// fault that cannot be unwound).
[[noreturn]] void EndByUnhandledError(std::exception_ptr error);

}  // namespace toridasu::app
