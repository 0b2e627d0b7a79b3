// The application's error box: what the program shows for an error that
// escaped a message handler, after which the program goes on.
#include "app/error_box.h"

#include <windows.h>

#include "app/error_report.h"
#include "base/error_texts.h"
#include "base/run_time_errors.h"
#include "ui/shell.h"

namespace toridasu::app {
namespace {

ApplicationErrorHandler applicationHandler = nullptr;
void* applicationHandlerContext = nullptr;

}  // namespace

void SetApplicationErrorHandler(ApplicationErrorHandler handler, void* context) {
  applicationHandler = handler;
  applicationHandlerContext = context;
}

void ShowErrorBox(const Exception& error) {
  ui::Shell& shell = ui::CurrentShell();
  shell.ApplicationMessageBox(ErrorBoxText(error.Message()), shell.Title(), MB_OK | MB_ICONSTOP);
}

void ReportHandlerError(const void* sender) noexcept {
  // A drag or a pressed button must not stay captured behind the box.
  if (HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
  const std::exception_ptr error = AsProgramError(std::current_exception());
  if (!error) return;
  try {
    try {
      std::rethrow_exception(error);
    } catch (const EAbort&) {
      // Never shown.
    } catch (const Exception& e) {
      if (applicationHandler != nullptr) {
        applicationHandler(applicationHandlerContext, sender, e);
      } else {
        ShowErrorBox(e);
      }
    } catch (...) {
      ReportUnhandledError(error, RaiseAddress());
    }
  } catch (...) {
    // The box could not be shown (or the handler failed): the message still
    // counts as handled and the program goes on.
  }
  // The error is consumed; its address must not be taken for a later one's.
  NoteRaiseAddress(0);
}

}  // namespace toridasu::app
