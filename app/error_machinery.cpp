// Installing and removing the error machinery (start-up step 3 and the
// finalisation in EndProcess).
#include "app/error_machinery.h"

#include "app/error_process.h"
#include "base/run_time_errors.h"

namespace toridasu::app {

void InstallErrorMachinery() {
  if (RunTimeErrorsInstalled()) return;
  InstallRunTimeErrors();
  AddFinalisation(&RemoveErrorMachinery);
}

void RemoveErrorMachinery() { RemoveRunTimeErrors(); }

bool ErrorMachineryInstalled() { return RunTimeErrorsInstalled(); }

}  // namespace toridasu::app
