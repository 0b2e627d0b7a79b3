// The error machinery installed as the program's start-up installs it, with
// a test's shell in place, for the life of one test; everything is put back
// as it was afterwards. And the shell the error box is tested with.
#pragma once

#include "app/error_box.h"
#include "app/error_machinery.h"
#include "files/file_names.h"
#include "platform/platform.h"
#include "test_shell.h"
#include "ui/shell.h"

namespace toridasu::test {

// The shell as the error box sees it: ApplicationMessageBox only records,
// and handler errors go to the program's own report.
class ErrorBoxShell : public TestShell {
 public:
  void ReportHandlerError(const void* sender) override { app::ReportHandlerError(sender); }
};

class ScopedErrorMachinery {
 public:
  explicit ScopedErrorMachinery(ui::Shell& shell)
      : previousShell_(&ui::CurrentShell()), wasInstalled_(app::ErrorMachineryInstalled()) {
    RefreshLeadByteSet(CurrentPlatform());
    ui::SetShell(&shell);
    app::InstallErrorMachinery();
  }
  ~ScopedErrorMachinery() {
    if (!wasInstalled_) app::RemoveErrorMachinery();
    ui::SetShell(previousShell_);
  }
  ScopedErrorMachinery(const ScopedErrorMachinery&) = delete;
  ScopedErrorMachinery& operator=(const ScopedErrorMachinery&) = delete;

 private:
  ui::Shell* previousShell_;
  bool wasInstalled_;
};

}  // namespace toridasu::test
