#include "app/shutdown.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "app/error_process.h"
#include "app/error_report.h"

namespace toridasu::app {
namespace {

std::vector<void (*)()>& ExitProcedures() {
  static std::vector<void (*)()> procedures;
  return procedures;
}

}  // namespace

void AddExitProcedure(void (*procedure)()) {
  auto& procedures = ExitProcedures();
  if (std::find(procedures.begin(), procedures.end(), procedure) == procedures.end()) {
    procedures.push_back(procedure);
  }
}

void RunExitProcedures() {
  auto& procedures = ExitProcedures();
  while (!procedures.empty()) {
    void (*procedure)() = procedures.back();
    procedures.pop_back();
    procedure();
  }
}

void ShutDownWithoutExit() {
  RunExitProcedures();
  ShowPendingFatalError();
  FinaliseStartedParts();
}

void EndProcess() {
  ShutDownWithoutExit();
  ExitProcess(static_cast<UINT>(ExitCode()));
}

}  // namespace toridasu::app
