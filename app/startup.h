// Start-up of the process, in the order each step relies on:
//   1. LookForLanguageModule (language_module.h), before the last-resort
//      handler is put around the program (error_process.h);
//   2. the process-wide values and the floating-point control;
//   3. the error machinery (error_machinery.h);
//   4. the locale settings and the platform's version;
//   5. the application object with ApplicationWindow, and the shell.
// StartUp runs steps 2 to 5; an error there finalises the parts already
// started, in reverse order, before it goes on.
#pragma once

#include <windows.h>

#include <string>

#include "engine/conversion_context.h"

namespace toridasu::app {

void StartUp();

// The show command of the process's start-up information, 10 (show
// default) when it carries none.
int StartUpShowCommand();
const std::string& CommandLine();
DWORD MainThreadId();
// GetVersion, read in step 4.
DWORD PlatformVersion();

// Re-reads the locale-dependent settings the program uses: the lead-byte
// set of the ANSI code page and the decimal separator of the numbers it
// writes. On a settings change the thread's locale is first reset to the
// user's default; at start-up it is left as it is.
void RefreshLocaleSettings(bool resetThreadLocale = true);

// The context of the program's conversions: the platform, and the lead bytes
// and decimal separator as the last refresh read them.
const ConversionContext& ConversionSettings();

}  // namespace toridasu::app
