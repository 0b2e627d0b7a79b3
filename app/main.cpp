// toridasu.exe: start-up, the main window, the event loop and the end.
#include <windows.h>

#include "app/application.h"
#include "app/error_process.h"
#include "app/language_module.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "ui/main_form.h"

namespace {

void Program() {
  using namespace toridasu;
  app::StartUp();
  app::Application->CreateMainWindow(ui::Form1);
  app::Application->RunEventLoop();
  app::EndProcess();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  toridasu::app::LookForLanguageModule();
  toridasu::app::RunUnderLastResortHandler(&Program);
}
