// The two boxes that end the process: the application-error report and the
// fatal run-time error box. Both are platform message boxes with no owner,
// since the application's windows may be gone or never have existed.
#include "app/error_report.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "app/error_modules.h"
#include "app/error_process.h"
#include "base/error_texts.h"
#include "base/run_time_errors.h"
#include "base/string_table.h"

namespace toridasu::app {
namespace {

constexpr uintptr_t kImageBaseOffset = 0x1000;  // where code begins in the program's image
constexpr char kFatalCaption[] = "Error";

std::atomic<bool> fatalPending{false};
std::atomic<uintptr_t> fatalAddress{0};

}  // namespace

void ReportUnhandledError(std::exception_ptr error, uintptr_t address) noexcept {
  try {
    // The module that holds the address, else the program itself with the
    // address taken relative to the start of its code.
    std::string modulePath;
    uintptr_t base = 0;
    uintptr_t offset = 0;
    if (ModuleOfAddress(address, modulePath, base)) {
      offset = address - base;
    } else {
      modulePath = ProgramPath();
      offset = address - kImageBaseOffset;
    }
    const ErrorDescription description = DescribeError(error);
    const std::string text =
        UnhandledReportText(LoadResString(text_id::kExceptionReport), description.kindName,
                            modulePath, static_cast<uint32_t>(offset), description.message);
    const std::string caption =
        UnhandledReportCaption(LoadResString(text_id::kApplicationErrorCaption));
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
    // A report that cannot be made is not shown; the process ends as planned.
  }
}

void FatalRunTimeError(int number, uintptr_t address) {
  SetExitCode(number);
  fatalAddress.store(address);
  fatalPending.store(true);
  RunEndProcess();
}

void ShowPendingFatalError() noexcept {
  if (!fatalPending.exchange(false)) return;
  uintptr_t address = fatalAddress.exchange(0);
  uintptr_t base = 0;
  if (CommittedBase(address, base)) address -= base;
  try {
    const std::string text =
        FatalErrorText(static_cast<uint32_t>(ExitCode()), static_cast<uint32_t>(address));
    MessageBoxA(nullptr, text.c_str(), kFatalCaption, MB_OK);
  } catch (...) {
    // Not even the box's text could be made: the process ends without it.
  }
}

}  // namespace toridasu::app
