#include "app/startup.h"

#include "app/app_shell.h"
#include "app/application.h"
#include "app/error_faults.h"
#include "app/error_machinery.h"
#include "app/error_process.h"
#include "app/shutdown.h"
#include "base/fpu_control.h"
#include "base/lead_bytes.h"
#include "engine/conversion_context.h"
#include "platform/platform.h"
#include "ui/form.h"
#include "ui/shell.h"

namespace toridasu::app {
namespace {

constexpr int kShowDefault = 10;

int startUpShowCommand = kShowDefault;
std::string commandLine;
DWORD mainThreadId = 0;
DWORD platformVersion = 0;
ConversionContext conversionSettings;

// Step 2.
void SetProcessValues() {
  SetExitCode(0);
  commandLine = GetCommandLineA();  // kept, never parsed
  STARTUPINFOA startUp{};
  startUp.cb = sizeof startUp;
  GetStartupInfoA(&startUp);
  startUpShowCommand =
      (startUp.dwFlags & STARTF_USESHOWWINDOW) ? startUp.wShowWindow : kShowDefault;
  mainThreadId = GetCurrentThreadId();
  ResetFloatingPointControl();
  SetEndProcess(&EndProcess);
}

// Step 4.
void ReadLocaleSettings() {
  RefreshLocaleSettings(false);
  platformVersion = GetVersion();
}

void DestroyApplication() {
  ui::SetFormHost(nullptr);
  ui::SetShell(nullptr);
  delete Application;
  Application = nullptr;
}

// Step 5. The mouse and screen objects of a larger program have nothing to
// do here: no control of this program has a hint or reacts to the wheel.
void CreateApplication() {
  Application = new TApplication();
  AddFinalisation(&DestroyApplication);
  InstallShell();
}

void StartUpSteps() {
  SetProcessValues();
  InstallErrorMachinery();
  ReadLocaleSettings();
  CreateApplication();
}

}  // namespace

void StartUp() { RunStartUpSteps(&StartUpSteps); }

// The other locale settings (currency, dates, list separator) are not used
// by this program and are not read.
void RefreshLocaleSettings(bool resetThreadLocale) {
  Platform& platform = CurrentPlatform();
  if (resetThreadLocale) platform.ResetThreadLocale();
  RefreshLeadByteSet(platform);  // the path operations' set
  conversionSettings = LocaleContext(platform);
}

const ConversionContext& ConversionSettings() {
  // Start-up reads the settings before any window exists; a caller that runs
  // without start-up (a test) finds them read on first use.
  if (conversionSettings.platform == nullptr) RefreshLocaleSettings(false);
  return conversionSettings;
}

int StartUpShowCommand() { return startUpShowCommand; }
const std::string& CommandLine() { return commandLine; }
DWORD MainThreadId() { return mainThreadId; }
DWORD PlatformVersion() { return platformVersion; }

}  // namespace toridasu::app
