// The GUI tests' program: it starts up as toridasu.exe does (language
// module, process values, error machinery, locale settings, application
// object with ApplicationWindow), runs the tests in place of the event loop,
// and takes everything down again without ending the process itself.
#include <gtest/gtest.h>

#include "app/language_module.h"
#include "app/shutdown.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  toridasu::app::LookForLanguageModule();
  toridasu::app::StartUp();
  const int result = RUN_ALL_TESTS();
  toridasu::app::ShutDownWithoutExit();
  return result;
}
