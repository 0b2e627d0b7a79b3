// How errors reach the user. An error that escapes a message handler is
// shown in the application's error box and forgotten; an error that escapes
// everything ends the process with the application-error report (exit code 1)
// while the error machinery is installed, and with the fatal run-time error
// box (its number as exit code) before it is installed and after it is
// removed. Hardware faults in the program's own code, and in the C library
// routines it calls, become errors of their kinds (see error_faults.cpp).
#pragma once

#include <windows.h>

#include <cstdint>
#include <exception>

#include "base/errors.h"

namespace toridasu::app {

// --- Errors of message handling -------------------------------------------

// Called inside the catch block of every place that handles messages (window
// procedures, ApplicationWindow, IdleStep, show/hide and create/destroy
// handlers, the closing of a modal form, the file choosers): releases a mouse
// capture, then shows the error being handled (std::current_exception) unless
// it is an EAbort. The message then counts as handled. Never throws.
void ReportHandlerError(const void* sender) noexcept;

// The application's error box: the message with its final "." through
// ApplicationMessageBox, captioned ApplicationTitle, MB_OK | MB_ICONSTOP.
void ShowErrorBox(const Exception& error);

// The optional application-wide handler that takes the place of the error
// box. The program sets none; nullptr removes it.
using ApplicationErrorHandler = void (*)(void* context, const void* sender, const Exception& error);
void SetApplicationErrorHandler(ApplicationErrorHandler handler, void* context);

// --- The end of the process -----------------------------------------------

// The application-error report for `error`, raised at `address`: a platform
// message box with no owner, MB_OK | MB_ICONSTOP | MB_TASKMODAL. Returns when
// it is closed (or could not be shown).
void ReportUnhandledError(std::exception_ptr error, uintptr_t address) noexcept;

// Sets the exit code to `number` and the fatal address, and runs EndProcess,
// which shows the fatal box ("Runtime error ... at ...", caption "Error").
[[noreturn]] void FatalRunTimeError(int number, uintptr_t address);

// EndProcess's second step: the fatal box, when a fatal error is pending;
// clears it afterwards.
void ShowPendingFatalError() noexcept;

// --- The machinery --------------------------------------------------------

// Start-up step 3: failures raise errors from now on, their texts come from
// the string table, and the two pre-made heap errors exist. Registers its own
// removal as a finalisation (error_process.h), so that EndProcess and an
// undone start-up remove it in its turn.
void InstallErrorMachinery();
void RemoveErrorMachinery();
bool ErrorMachineryInstalled();

// --- Hardware faults ------------------------------------------------------

// The x87 control word the process holds from start-up: 64-bit significand,
// rounding to nearest, invalid operation, division by zero and overflow
// raising, the rest masked.
constexpr uint16_t kFloatingPointControl = 0x1332;
// Clears pending x87 exceptions and sets kFloatingPointControl.
void ResetFloatingPointControl();

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

// Whether every raise of a C++ error records its address (the program is
// linked with -Wl,--wrap=__cxa_throw); without it only run-time failures and
// faults know where they were raised.
bool RaiseSitesRecorded();

}  // namespace toridasu::app
