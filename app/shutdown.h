// The end of the process: the exit procedures, the pending fatal box, the
// finalisation of every started part in reverse order, and ExitProcess.
#pragma once

namespace toridasu::app {

// Procedures that EndProcess runs first, the most recently added first,
// each once.
void AddExitProcedure(void (*procedure)());
void RunExitProcedures();

// Ends the process with the exit code (error_process.h).
[[noreturn]] void EndProcess();

// Everything EndProcess does except ending the process (the GUI tests'
// program ends through its own main).
void ShutDownWithoutExit();

}  // namespace toridasu::app
