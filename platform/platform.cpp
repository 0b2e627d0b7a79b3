#include "platform/platform.h"

#include <atomic>

namespace toridasu {
namespace {

// Null stands for the system platform, so that nothing has to run before
// the first call to pick the default.
std::atomic<Platform*> current{nullptr};
std::atomic<const std::atomic<bool>*> interruption{nullptr};

}  // namespace

Platform& CurrentPlatform() {
  Platform* platform = current.load();
  return platform != nullptr ? *platform : SystemPlatform();
}

Platform* SetCurrentPlatform(Platform* platform) {
  Platform* previous = current.exchange(platform);
  return previous != nullptr ? previous : &SystemPlatform();
}

void SetInterruptionFlag(const std::atomic<bool>* flag) { interruption.store(flag); }

bool InterruptionRequested() {
  const std::atomic<bool>* flag = interruption.load();
  return flag != nullptr && flag->load();
}

}  // namespace toridasu
