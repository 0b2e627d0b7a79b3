// Hardware faults in the program's own code, and in the C library routines it
// calls, become errors of their kinds.
#pragma once

namespace toridasu::app {

// Catches the hardware faults of the program's own code (a vectored handler)
// and those nobody else handles (the unhandled-exception filter). A fault in
// the program's code is raised as the error of its kind at the faulting
// instruction, so the nearest message handler reports it; code built with
// -fnon-call-exceptions lets the unwinding start at that very instruction.
// Before the machinery is installed and after it is removed a fault ends the
// process with its fatal number. A fault in a C library routine that the
// library does not handle is raised at the program's call to the routine
// (import_gates.h). Faults elsewhere, and faults that cannot be unwound, end
// the process through the last-resort handling.
void InstallFaultCatching();
void RemoveFaultCatching();

}  // namespace toridasu::app
