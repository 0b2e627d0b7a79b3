#include "platform/platform.h"

#include <atomic>

namespace toridasu {
namespace {

// Null stands for the system platform, so that nothing has to run before
// the first call to pick the default.
std::atomic<Platform*> current{nullptr};
std::atomic<char> decimalSeparatorOverride{0};

}  // namespace

Platform& CurrentPlatform() {
  Platform* platform = current.load();
  return platform != nullptr ? *platform : SystemPlatform();
}

Platform* SetCurrentPlatform(Platform* platform) {
  Platform* previous = current.exchange(platform);
  return previous != nullptr ? previous : &SystemPlatform();
}

void SetLocaleDecimalSeparatorOverride(char separator) {
  decimalSeparatorOverride.store(separator);
}

char LocaleDecimalSeparatorOverride() { return decimalSeparatorOverride.load(); }

}  // namespace toridasu
