// The two boxes that end the process. An error that escapes everything ends
// it with the application-error report (exit code 1) while the error
// machinery is installed (error_machinery.h), and with the fatal run-time
// error box (its number as exit code) before it is installed and after it is
// removed.
#pragma once

#include <cstdint>
#include <exception>

namespace toridasu::app {

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

}  // namespace toridasu::app
